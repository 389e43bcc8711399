// jetwriter: writes an Access 2000 (Jet 4) database from CSV table sources.
//   jetwriter --output FILE.mdb [--password TEXT] TABLE.csv...
// Each CSV file becomes one table named after the file. On any error the tool prints
// the reason (file, line, column) and exits with status 1; FILE.mdb is then untouched.

#include "tools/jetwriter/csv_table.h"
#include "tools/jetwriter/jet4_writer.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Options {
    std::filesystem::path output;
    std::string password;
    std::vector<std::filesystem::path> sources;
};

int usage(const std::string& why) {
    std::cerr << "jetwriter: " << why << "\n"
              << "usage: jetwriter --output FILE.mdb [--password TEXT] TABLE.csv...\n";
    return kExitUsage;
}

// Returns an error text, or an empty one when the arguments are complete.
std::string parseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--output" || arg == "--password") {
            if (i + 1 >= argc) return arg + " needs a value";
            ++i;
            if (arg == "--output")
                options.output = argv[i];
            else
                options.password = argv[i];
        } else if (arg.starts_with("--")) {
            return "unknown option " + arg;
        } else {
            options.sources.emplace_back(arg);
        }
    }
    if (options.output.empty()) return "no --output file given";
    if (options.sources.empty()) return "no CSV table given";
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const std::string error = parseArguments(argc, argv, options); !error.empty())
        return usage(error);
    try {
        jetwriter::Database db;
        const std::optional<std::u16string> password = jetwriter::utf8ToUtf16(options.password);
        if (!password) throw jetwriter::WriteError("the password is not valid UTF-8");
        db.password = *password;
        for (const auto& source : options.sources) db.tables.push_back(jetwriter::readCsvTable(source));
        jetwriter::writeFileAtomically(options.output, jetwriter::buildJet4Image(db));
    } catch (const std::exception& e) {
        std::cerr << "jetwriter: " << e.what() << "\n"
                  << "jetwriter: " << options.output.string() << " was not written\n";
        return kExitFailure;
    }
    return 0;
}

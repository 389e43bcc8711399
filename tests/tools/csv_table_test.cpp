// CSV sources of the database tables, and the jetwriter tool's handling of bad input.

#include "tests/tools/test_support.h"
#include "tools/jetwriter/csv_table.h"

#include <gtest/gtest.h>

using namespace jetwriter;
using toolstest::u16;

namespace {

TEST(CsvTable, ReadsTypesValuesNullsAndQuoting) {
    const std::string csv =
        "\xEF\xBB\xBF"  // byte-order mark, as some editors save
        "Name:Text,Code:Text(8),I:Integer,L:Long,S:Single,D:Double\r\n"
        "\"a, \"\"quoted\"\" one\",\"\",-32768,2147483647,0.45,-1.5e-300\r\n"
        "\r\n"
        ",x, 7 ,,,\n"
        "\"two\nlines\",°C,32767,-2147483648,-6e-05,1\n";
    const Table t = parseCsvTable(csv, "t.csv", "T");
    EXPECT_EQ(t.name, "T");
    ASSERT_EQ(t.columns.size(), 6u);
    EXPECT_EQ(t.columns[0].type, ColumnType::Text);
    EXPECT_EQ(t.columns[0].textLength, 50) << "plain Text means Text(50)";
    EXPECT_EQ(t.columns[1].textLength, 8);
    EXPECT_EQ(t.columns[2].type, ColumnType::Integer);
    EXPECT_EQ(t.columns[3].type, ColumnType::Long);
    EXPECT_EQ(t.columns[4].type, ColumnType::Single);
    EXPECT_EQ(t.columns[5].type, ColumnType::Double);
    ASSERT_EQ(t.rows.size(), 3u) << "the blank line is skipped";
    EXPECT_EQ(t.rows[0][0], Value(u16("a, \"quoted\" one")));
    EXPECT_EQ(t.rows[0][1], Value(std::u16string())) << "\"\" is an empty text";
    EXPECT_EQ(t.rows[0][2], Value(int16_t{-32768}));
    EXPECT_EQ(t.rows[0][3], Value(int32_t{2147483647}));
    EXPECT_EQ(t.rows[0][4], Value(0.45f)) << "the float nearest to the decimal";
    EXPECT_EQ(t.rows[0][5], Value(-1.5e-300));
    EXPECT_EQ(t.rows[1][0], Value(Null{})) << "an empty unquoted field is Null";
    EXPECT_EQ(t.rows[1][2], Value(int16_t{7})) << "blanks around a number are allowed";
    EXPECT_EQ(t.rows[1][3], Value(Null{}));
    EXPECT_EQ(t.rows[2][0], Value(u16("two\nlines")));
    EXPECT_EQ(t.rows[2][1], Value(u16("°C")));
    EXPECT_EQ(t.rows[2][4], Value(-6e-05f));
}

TEST(CsvTable, HeaderOnlyGivesAnEmptyTable) {
    const Table t = parseCsvTable("A:Long\n", "t.csv", "T");
    EXPECT_EQ(t.columns.size(), 1u);
    EXPECT_TRUE(t.rows.empty());
}

struct BadCsv {
    const char* why;
    const char* content;
    const char* where;  // "file:line: column n (name)" part of the message
    const char* what;
};

TEST(CsvTable, FaultsNameFileLineAndColumn) {
    const BadCsv cases[] = {
        {"bad type name", "A:Long,B:Strng\n1,2\n", "bad.csv:1: column 2 (B): ", "unknown type \"Strng\""},
        {"text length out of range", "A:Text(300)\n", "bad.csv:1: column 1 (A): ", "unknown type"},
        {"column named twice", "A:Long,a:Single\n", "bad.csv:1: column 2 (a): ", "used twice"},
        {"header without type", "A:Long,B\n", "bad.csv:1: column 2: ", "Name:Type"},
        {"too few values", "A:Long,B:Long\n1,2\n3\n", "bad.csv:3: ", "row has 1 values, the header names 2"},
        {"too many values", "A:Long\n1,2\n", "bad.csv:2: ", "row has 2 values"},
        {"unquoted decimal comma splits the row", "A:Single\n1.5\n2,5\n", "bad.csv:3: ", "row has 2 values"},
        {"letters in a Single", "A:Long,B:Single\n1,abc\n", "bad.csv:2: column 2 (B): ", "\"abc\" is not a Single"},
        {"decimal in an Integer", "A:Integer\n1.5\n", "bad.csv:2: column 1 (A): ", "is not an Integer"},
        {"Integer above range", "A:Integer\n32768\n", "bad.csv:2: column 1 (A): ", "out of range for an Integer (-32768 to 32767)"},
        {"Integer below range", "A:Integer\n-32769\n", "bad.csv:2: column 1 (A): ", "out of range for an Integer"},
        {"Long above range", "A:Long\n2147483648\n", "bad.csv:2: column 1 (A): ", "out of range for a Long"},
        {"huge Long", "A:Long\n99999999999999999999999\n", "bad.csv:2: column 1 (A): ", "out of range for a Long"},
        {"Single overflow", "A:Single\n1e39\n", "bad.csv:2: column 1 (A): ", "out of range for a Single"},
        {"not a number", "A:Double\nnan\n", "bad.csv:2: column 1 (A): ", "is not a Double"},
        {"infinity", "A:Single\ninf\n", "bad.csv:2: column 1 (A): ", "is not a Single"},
        {"decimal comma", "A:Double\n\"2,5\"\n", "bad.csv:2: column 1 (A): ", "is not a Double"},
        {"text too long", "A:Text(3)\nabcd\n", "bad.csv:2: column 1 (A): ", "longer than 3 characters"},
        {"invalid UTF-8", "A:Text\n\xC3\x28\n", "bad.csv:2: column 1 (A): ", "not valid UTF-8"},
        {"unclosed quote", "A:Text\n\"abc\n", "bad.csv:2: column 1: ", "not closed"},
        {"text after closing quote", "A:Text\n\"ab\"c\n", "bad.csv:2: column 1: ", "after a closing quote"},
        {"empty file", "", "bad.csv:1: ", "no header row"},
        {"line counted after a quoted line break", "A:Text,B:Long\n\"x\ny\",1\nz,q\n", "bad.csv:4: column 2 (B): ", "not a Long"},
    };
    for (const BadCsv& c : cases) {
        try {
            parseCsvTable(c.content, "bad.csv", "T");
            ADD_FAILURE() << c.why << ": no error";
        } catch (const CsvError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(c.where, 0), 0u) << c.why << ": " << message;
            EXPECT_NE(message.find(c.what), std::string::npos) << c.why << ": " << message;
        }
    }
}

TEST(CsvTable, MissingFileIsAClearError) {
    try {
        readCsvTable("/nonexistent/DatiKORVE.csv");
        ADD_FAILURE() << "no error";
    } catch (const CsvError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/DatiKORVE.csv"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("cannot open"), std::string::npos);
    }
}

// ---- the tool as the build runs it ---------------------------------------------------

class JetwriterTool : public ::testing::Test {
protected:
    toolstest::ProcessResult run(std::vector<std::string> args) {
        args.insert(args.begin(), JETWRITER_TOOL);
        return toolstest::runProcess(args);
    }
    size_t filesInDir() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir.path()), {}));
    }
    toolstest::TempDir dir;
};

TEST_F(JetwriterTool, WritesADatabaseNamedAfterTheFiles) {
    toolstest::writeText(dir.path() / "Good.csv", "A:Long,B:Text\n1,x\n");
    const auto out = dir.path() / "db.mdb";
    const auto r = run({"--output", out.string(), "--password", "kelbrun", (dir.path() / "Good.csv").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(toolstest::decodeJet4Password(out), u"kelbrun");
    EXPECT_EQ(toolstest::runProcess({"mdb-tables", "-1", out.string()}).out, "Good\n");
}

TEST_F(JetwriterTool, BadCsvExitsNonZeroAndLeavesNoOutput) {
    toolstest::writeText(dir.path() / "Good.csv", "A:Long\n1\n");
    toolstest::writeText(dir.path() / "Bad.csv", "A:Long,B:Integer\n1,2\n3,40000\n");
    const auto out = dir.path() / "db.mdb";
    const auto r = run({"--output", out.string(), (dir.path() / "Good.csv").string(),
                        (dir.path() / "Bad.csv").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Bad.csv:3: column 2 (B): value 40000 is out of range"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(filesInDir(), 2u) << "no temporary file is left behind";
}

TEST_F(JetwriterTool, FailureKeepsThePreviousDatabaseIntact) {
    const auto out = dir.path() / "db.mdb";
    toolstest::writeText(out, "previous database");
    toolstest::writeText(dir.path() / "Bad.csv", "A:Double\nx\n");
    const auto r = run({"--output", out.string(), (dir.path() / "Bad.csv").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(toolstest::readText(out), "previous database");
}

TEST_F(JetwriterTool, UsageErrors) {
    toolstest::writeText(dir.path() / "Good.csv", "A:Long\n1\n");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {(dir.path() / "Good.csv").string()},
        {"--output", (dir.path() / "x.mdb").string()},
        {"--output"},
        {"--bogus", "--output", (dir.path() / "x.mdb").string(), (dir.path() / "Good.csv").string()},
    };
    for (const auto& args : cases) {
        const auto r = run(args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.mdb"));
}

TEST_F(JetwriterTool, MissingSourceFileIsNamed) {
    const auto r = run({"--output", (dir.path() / "x.mdb").string(), (dir.path() / "Nope.csv").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Nope.csv"), std::string::npos) << r.err;
}

}  // namespace

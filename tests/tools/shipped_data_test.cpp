// The databases the build puts into the program folder: the tables and columns the
// programs read, within the model limits, with values a fan coil range can have, and a
// configurator row for every configuration its window can reach.

#include "tests/tools/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <sstream>

namespace {

const std::filesystem::path kAppDir = TARVELLO_APP_DIR;

using Schema = std::map<std::string, std::vector<std::pair<std::string, std::string>>>;

// Table -> (column, type) in order, from mdb-schema's CREATE TABLE statements.
Schema readSchema(const std::filesystem::path& file) {
    Schema schema;
    std::istringstream lines(toolstest::runProcess({"mdb-schema", file.string()}).out);
    std::string line, table;
    while (std::getline(lines, line)) {
        if (line.starts_with("CREATE TABLE [")) {
            table = line.substr(14, line.find(']') - 14);
        } else if (!table.empty() && line.starts_with("\t[")) {
            const size_t close = line.find(']');
            std::string type = line.substr(line.find_first_not_of('\t', close + 1));
            if (type.ends_with(", ")) type.resize(type.size() - 2);
            schema[table].emplace_back(line.substr(2, close - 2), type);
        }
    }
    return schema;
}

std::vector<std::pair<std::string, std::string>> columns(const std::vector<std::string>& names) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const std::string& n : names) {
        const bool integer = n == "Geom" || n == "Passo" || n == "Bocche";
        out.emplace_back(n, n == "Modello" ? "Text (50)" : integer ? "Integer" : "Single");
    }
    return out;
}

std::vector<std::string> speedColumns(int speeds, const std::string& prefix, const std::string& suffixes) {
    std::vector<std::string> out;
    for (int s = 1; s <= speeds; ++s)
        for (char c : suffixes) out.push_back(prefix + std::to_string(s) + (c == ' ' ? "" : std::string(1, c)));
    return out;
}

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

const std::vector<std::string> kCoil = {"Modello", "Geom", "Passo", "LunBat", "AltBAt", "NR", "NC"};

TEST(ShippedDatabases, ModelDatabaseHasTheTablesAndColumnsTarvelloReads) {
    const Schema schema = readSchema(kAppDir / "tarvello.mdb");
    EXPECT_EQ(schema.size(), 6u);
    EXPECT_EQ(schema.at("DatiKORVE"),
              columns(concat({kCoil, speedColumns(3, "V", "ABC"),
                              {"F1C100", "F1C30", "C1C30", "F2C100", "F2C30", "C2C30", "F3C100", "F3C30",
                               "C3C30", "CC50"},
                              speedColumns(3, "LWA", " "), speedColumns(3, "LPA", " ")})));
    const std::vector<std::string> coefficients = {"C100", "FC30", "CC30", "FCC50", "CCC50"};
    EXPECT_EQ(schema.at("DatiMRZ"), columns(concat({kCoil, speedColumns(3, "V", "ABC"), coefficients,
                                                    speedColumns(3, "LWA", " "), {"Sezione", "Bocche"}})));
    EXPECT_EQ(schema.at("DatiHJQ"), columns(concat({kCoil, speedColumns(7, "V", "ABC"), coefficients,
                                                    speedColumns(7, "LWA", " "), {"Sezione", "Bocche"}})));
    const std::vector<std::pair<std::string, std::string>> accessory = {
        {"Cost", "Single"}, {"Espo", "Single"}, {"OPZBoc", "Text (50)"}};
    EXPECT_EQ(schema.at("DPAcc"), accessory);
    EXPECT_EQ(schema.at("DPAccHJQ"), accessory);
    // The technical data table beside them, which the line loaders do not read.
    const auto technical = schema.at("DatiTecnici");
    ASSERT_FALSE(technical.empty());
    EXPECT_EQ(technical.front().first, "Modello");
    EXPECT_EQ(technical.back().first, "FCCOP");
    EXPECT_EQ(toolstest::decodeJet4Password(kAppDir / "tarvello.mdb"), u"kelbrun");
}

// ---- plausibility of the model rows ------------------------------------------------------

double number(const QJsonObject& row, const std::string& column) {
    const QJsonValue v = row.value(QString::fromStdString(column));
    EXPECT_TRUE(v.isDouble()) << column << " is missing";
    return v.toDouble();
}

struct Line {
    const char* table;
    int maxModels;
    int speeds;
    double maxFreeDelivery_m3h;  // the fan-curve search of the line looks no further
};

const Line kLines[] = {{"DatiKORVE", 45, 3, 2000}, {"DatiMRZ", 24, 3, 5000}, {"DatiHJQ", 18, 7, 5000}};

// Air-side film coefficient (W/m²K) at face velocity v, by coil geometry; fin pitch in
// tenths of a millimetre. The coefficient tables of the coil model.
double airFilm(double coeff, int geom, int passo, double rows, double v) {
    const double pitch = passo == 2 ? 18 : passo == 3 ? 21 : passo == 1 ? 16 : 25;
    switch (geom) {
    case 1: return coeff * std::pow(v, rows == 1 ? 0.32 : 0.47);
    case 2: {
        const double n = std::nearbyint(25.5 / (pitch / 10));
        return coeff * std::pow(n, 0.6) * std::pow(v, (0.65 - 0.025 * n) * std::pow(rows, 0.23));
    }
    case 3: return coeff * std::pow(rows, -0.165) * std::pow(v, 0.3 * std::pow(rows, -0.1));
    }
    return 0;
}

std::vector<std::string> airCoefficientColumns(const std::string& table) {
    if (table == "DatiKORVE") return {"F1C30", "F2C30", "F3C30", "C1C30", "C2C30", "C3C30"};
    return {"FC30", "CC30"};
}

std::vector<std::string> bypassColumns(const std::string& table) {
    if (table == "DatiKORVE") return {"F1C100", "F2C100", "F3C100"};
    return {"C100"};
}

TEST(ShippedDatabases, ModelRowsArePlausible) {
    const std::set<std::pair<int, int>> coilSurfaces = {{1, 2}, {1, 3}, {2, 2}, {2, 3}, {3, 1}, {3, 2}, {3, 3}};
    for (const Line& line : kLines) {
        const auto rows = toolstest::mdbJsonRows(kAppDir / "tarvello.mdb", line.table);
        ASSERT_GE(rows.size(), 3u) << line.table;
        EXPECT_LE(rows.size(), static_cast<size_t>(line.maxModels)) << line.table;
        for (const QJsonObject& row : rows) {
            const std::string model = row.value("Modello").toString().toStdString();
            const std::string where = std::string(line.table) + " " + model;
            EXPECT_FALSE(model.empty()) << where;
            const int geom = static_cast<int>(number(row, "Geom"));
            const int passo = static_cast<int>(number(row, "Passo"));
            EXPECT_TRUE(coilSurfaces.count({geom, passo})) << where << ": no coil surface data";
            EXPECT_GE(number(row, "LunBat"), 300) << where << " (mm)";
            EXPECT_LE(number(row, "LunBat"), 2000) << where;
            EXPECT_GE(number(row, "AltBAt"), 150) << where << " (mm)";
            EXPECT_LE(number(row, "AltBAt"), 600) << where;
            const double rowsOfTubes = number(row, "NR");
            const double tubes = std::nearbyint(number(row, "AltBAt") / 25 * rowsOfTubes);
            EXPECT_GE(rowsOfTubes, 1) << where;
            EXPECT_LE(rowsOfTubes, 6) << where;
            EXPECT_GE(number(row, "NC"), 1) << where;
            EXPECT_LE(number(row, "NC"), tubes) << where << ": more circuits than tubes";

            double previousFree = 0, previousShutoff = 0;
            for (int s = 1; s <= line.speeds; ++s) {
                const std::string v = "V" + std::to_string(s);
                const double a = number(row, v + "A"), b = number(row, v + "B"), c = number(row, v + "C");
                EXPECT_LT(a, 0) << where << " speed " << s << ": the curve must fall";
                EXPECT_GE(c, 20) << where << " speed " << s << ": pressure at zero flow (Pa)";
                EXPECT_LE(c, 300) << where << " speed " << s;
                const double freeDelivery = (-b - std::sqrt(b * b - 4 * a * c)) / (2 * a);
                EXPECT_GE(freeDelivery, 150) << where << " speed " << s << " (m³/h)";
                EXPECT_LE(freeDelivery, line.maxFreeDelivery_m3h) << where << " speed " << s;
                EXPECT_GT(freeDelivery, previousFree) << where << ": a faster speed moves more air";
                EXPECT_GE(c, previousShutoff) << where;
                previousFree = freeDelivery;
                previousShutoff = c;
                const double lwa = number(row, "LWA" + std::to_string(s));
                EXPECT_GE(lwa, 35) << where;
                EXPECT_LE(lwa, 80) << where;
                if (std::string(line.table) == "DatiKORVE") {
                    EXPECT_LT(number(row, "LPA" + std::to_string(s)), lwa) << where;
                }
            }
            for (const std::string& column : airCoefficientColumns(line.table)) {
                const double film = airFilm(number(row, column), geom, passo, rowsOfTubes, 2.0);
                EXPECT_GE(film, 40) << where << " " << column << ": air film at 2 m/s (W/m²K)";
                EXPECT_LE(film, 80) << where << " " << column;
            }
            for (const std::string& column : bypassColumns(line.table)) {
                EXPECT_GE(number(row, column), 0.05) << where << " " << column;
                EXPECT_LE(number(row, column), 0.2) << where << " " << column;
            }
            for (const char* column : {"CC50", "FCC50", "CCC50"}) {
                if (!row.contains(column)) continue;
                EXPECT_GE(number(row, column), 1) << where << " " << column;
                EXPECT_LE(number(row, column), 3) << where << " " << column;
            }
            if (std::string(line.table) != "DatiKORVE") {
                EXPECT_GT(number(row, "Sezione"), 0.02) << where << " (m²): divides the air flow";
                EXPECT_LT(number(row, "Sezione"), 0.5) << where;
                EXPECT_GE(number(row, "Bocche"), 1) << where << ": divides the air flow";
            }
        }
    }
}

std::vector<std::string> modelNames(const char* table) {
    std::vector<std::string> names;
    for (const QJsonObject& row : toolstest::mdbJsonRows(kAppDir / "tarvello.mdb", table))
        names.push_back(row.value("Modello").toString().toStdString());
    return names;
}

TEST(ShippedDatabases, RangeHasTheModelKindsTheSelectionsFilterOn) {
    // A four-pipe fan coil appears twice: "+4P" rated in cooling, " 4P" its heating coil.
    const auto kx = modelNames("DatiKORVE");
    bool pair = false;
    for (const std::string& name : kx)
        if (name.ends_with("+4P")) {
            const std::string heatingCoil = name.substr(0, name.size() - 3) + " 4P";
            pair = pair || std::find(kx.begin(), kx.end(), heatingCoil) != kx.end();
        }
    EXPECT_TRUE(pair) << "no \"+4P\"/\" 4P\" pair in DatiKORVE";
    const auto mrz = modelNames("DatiMRZ");
    EXPECT_TRUE(std::any_of(mrz.begin(), mrz.end(), [](const std::string& n) { return n.ends_with("DF"); }))
        << "no heating-only \"DF\" model in DatiMRZ";
}

TEST(ShippedDatabases, AccessoryRows) {
    for (const char* table : {"DPAcc", "DPAccHJQ"}) {
        const auto rows = toolstest::mdbJsonRows(kAppDir / "tarvello.mdb", table);
        ASSERT_EQ(rows.size(), 2u) << table;
        EXPECT_EQ(rows[0].value("OPZBoc").toString(), "N") << table << ": row 1, the additional coil";
        EXPECT_EQ(rows[1].value("OPZBoc").toString(), "S") << table << ": row 2, the outlet plenum";
        for (const QJsonObject& row : rows) {
            EXPECT_GT(number(row, "Cost"), 0) << table;
            EXPECT_GE(number(row, "Espo"), 1) << table;
            EXPECT_LE(number(row, "Espo"), 2.5) << table;
        }
    }
}

// ---- the configurator database -------------------------------------------------------------

// Every code the configurator window can produce: the digits are KXA, single control,
// 2-pipe, built-in controller, electric heater, valves, centralised changeover. Model KXR
// forces the remote controller; 4-pipe clears the electric heater.
std::set<int> reachableCodes() {
    std::set<int> codes;
    for (int bits = 0; bits < 128; ++bits) {
        const int kxa = bits >> 6 & 1, single = bits >> 5 & 1, twoPipe = bits >> 4 & 1, builtIn = bits >> 3 & 1,
                  heater = bits >> 2 & 1, valves = bits >> 1 & 1, centralised = bits & 1;
        if (!kxa && builtIn) continue;
        if (!twoPipe && heater) continue;
        codes.insert(kxa * 1000000 + single * 100000 + twoPipe * 10000 + builtIn * 1000 + heater * 100 +
                     valves * 10 + centralised);
    }
    return codes;
}

TEST(ShippedDatabases, ConfiguratorDatabaseCoversEveryReachableConfiguration) {
    const auto pinvale = kAppDir / "pinvale.mdb";
    EXPECT_EQ(toolstest::decodeJet4Password(pinvale), u"") << "opened without a password";
    const Schema schema = readSchema(pinvale);
    EXPECT_EQ(schema.at("Version"), (std::vector<std::pair<std::string, std::string>>{{"Version", "Text (50)"}}));
    EXPECT_EQ(schema.at("dip"), (std::vector<std::pair<std::string, std::string>>{
                                    {"codice", "Long Integer"}, {"Wiring", "Text (50)"}}));
    const auto version = toolstest::mdbJsonRows(pinvale, "Version");
    ASSERT_FALSE(version.empty());
    EXPECT_FALSE(version[0].value("Version").toString().isEmpty());

    std::multiset<int> found;
    for (const QJsonObject& row : toolstest::mdbJsonRows(pinvale, "dip")) {
        const int code = static_cast<int>(number(row, "codice"));
        found.insert(code);
        EXPECT_TRUE(row.value("Wiring").toString().endsWith(".pdf")) << code;
    }
    const std::set<int> reachable = reachableCodes();
    EXPECT_EQ(reachable.size(), 72u);
    EXPECT_TRUE(reachable.count(1111000) && reachable.count(11)) << "the two documented examples";
    for (int code : reachable) EXPECT_EQ(found.count(code), 1u) << "code " << code;
    for (int code : found) EXPECT_TRUE(reachable.count(code)) << "unreachable code " << code;
}

}  // namespace

// The shipped model database, written by our Jet writer from data/*.csv, loaded by the
// program's own loaders: every value of every line must arrive in the model table
// field the column feeds, in the CSV's row order.
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tarvello {
namespace {

struct Csv {
    std::vector<std::string> columns; // names without their ":Type"
    std::vector<std::vector<std::string>> rows;
};

std::vector<std::string> splitCommas(const std::string& line)
{
    std::vector<std::string> parts;
    std::stringstream in(line);
    std::string part;
    while (std::getline(in, part, ','))
        parts.push_back(part);
    return parts;
}

Csv readCsv(const std::string& table)
{
    std::ifstream in(std::string(TARVELLO_SOURCE_DIR) + "/data/" + table + ".csv");
    Csv csv;
    std::string line;
    std::getline(in, line);
    for (std::string column : splitCommas(line))
        csv.columns.push_back(column.substr(0, column.find(':')));
    while (std::getline(in, line))
        if (!line.empty() && line != "\r")
            csv.rows.push_back(splitCommas(line));
    return csv;
}

float csvSingle(const std::string& text)
{
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Where a column of the line's table lands in the model table; nullptr for the columns
// no field takes (GV1A ... of DatiMRZ).
const float* singleField(const ModelTable& t, int m, const std::string& column)
{
    if (column.size() == 3 && column[0] == 'V' && std::isdigit(static_cast<unsigned char>(column[1]))) {
        const int s = column[1] - '0';
        return column[2] == 'A' ? &t.VelA[m][s] : column[2] == 'B' ? &t.VelB[m][s] : &t.VelC[m][s];
    }
    if (column.rfind("LWA", 0) == 0)
        return &t.LWA[m][std::stoi(column.substr(3))];
    if (column.rfind("LPA", 0) == 0)
        return &t.LPA[m][std::stoi(column.substr(3))];
    const std::pair<const char*, const PerModel<float>*> named[] = {
        {"LunBat", &t.LunBat}, {"AltBAt", &t.AltBAt}, {"NR", &t.NR},         {"NC", &t.NC},
        {"F1C100", &t.C100},   {"F1C30", &t.FC30},    {"C1C30", &t.CC30},    {"C100", &t.C100},
        {"FC30", &t.FC30},     {"CC30", &t.CC30},     {"F2C100", &t.F2C100}, {"F2C30", &t.F2C30},
        {"C2C30", &t.C2C30},   {"F3C100", &t.F3C100}, {"F3C30", &t.F3C30},   {"C3C30", &t.C3C30},
        {"CC50", &t.FCC50},    {"FCC50", &t.FCC50},   {"CCC50", &t.CCC50},   {"Sezione", &t.Sezione},
    };
    for (const auto& [name, field] : named)
        if (column == name)
            return &(*field)[m];
    return nullptr;
}

const int16_t* integerField(const ModelTable& t, int m, const std::string& column)
{
    if (column == "Geom")
        return &t.Geom[m];
    if (column == "Passo")
        return &t.Passo[m];
    if (column == "Bocche")
        return &t.Bocche[m];
    return nullptr;
}

class ShippedDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(TARVELLO_APP_DIR "/tarvello.mdb"))
            GTEST_SKIP() << "the build has not written " TARVELLO_APP_DIR "/tarvello.mdb";
        openModelDb(TARVELLO_APP_DIR);
    }
    void TearDown() override { closeModelDb(); }
};

TEST_F(ShippedDatabase, EveryLineLoadsEveryValueIntoItsField)
{
    const char* tables[] = {"DatiKORVE", "DatiMRZ", "DatiHJQ"};
    for (int line : {LineKX, LineMRZ, LineHJQ}) {
        SCOPED_TRACE(tables[line]);
        const Csv csv = readCsv(tables[line]);
        CaricaLinea(line);
        const ModelTable& t = modelTable();
        ASSERT_EQ(t.NumModels, int(csv.rows.size()));
        ASSERT_LE(t.NumModels, maxModelsOf(line));
        int compared = 0;
        for (int m = 1; m <= t.NumModels; ++m) {
            const auto& row = csv.rows[std::size_t(m - 1)];
            ASSERT_EQ(row.size(), csv.columns.size());
            for (std::size_t c = 0; c < csv.columns.size(); ++c) {
                const std::string& column = csv.columns[c];
                if (column == "Modello") {
                    EXPECT_EQ(t.Modello[m], row[c]);
                } else if (const int16_t* integer = integerField(t, m, column)) {
                    EXPECT_EQ(*integer, std::stoi(row[c])) << column << " row " << m;
                } else if (const float* single = singleField(t, m, column)) {
                    EXPECT_EQ(*single, csvSingle(row[c])) << column << " row " << m;
                } else {
                    continue;
                }
                ++compared;
            }
        }
        EXPECT_GT(compared, t.NumModels * 20) << "the columns were recognised";
    }
}

TEST_F(ShippedDatabase, DuctedLinesLoadTheirAccessories)
{
    for (int line : {LineMRZ, LineHJQ}) {
        const Csv csv = readCsv(line == LineMRZ ? "DPAcc" : "DPAccHJQ");
        CaricaLinea(line);
        const ModelTable& t = modelTable();
        ASSERT_EQ(t.NumAccessories, int(csv.rows.size()));
        for (int a = 1; a <= t.NumAccessories; ++a) {
            const auto& row = csv.rows[std::size_t(a - 1)];
            EXPECT_EQ(t.Cost[a], csvSingle(row[0]));
            EXPECT_EQ(t.Espo[a], csvSingle(row[1]));
            EXPECT_EQ(t.OPZBoc[a], row[2]);
        }
    }
}

} // namespace
} // namespace tarvello

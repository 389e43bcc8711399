// Damaged but readable model data: every loaded column refuses a value outside the
// physical range it can hold, naming the table, the row and the column, and the shipped
// range still loads. The damaged numbers are those a flipped byte once let through
// (sound power -7.746191E+17 dB, a capacity coefficient of 1e17, ...).
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "tests/modeldata/memory_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tarvello {
namespace {

using namespace testing;

const char* accessoryTableOf(ProductLine line)
{
    return line == LineHJQ ? "DPAccHJQ" : "DPAcc";
}

// The message of loading `line` with one cell of row 2 of its model table set to
// `value` ("" when it loads).
std::string loadWithModelCell(ProductLine line, const std::string& column, const FieldValue& value)
{
    auto table = lineTable(line, 3);
    cell(*table, 2, column) = value;
    return loadError(line, memoryDb({table, accessoryTable(accessoryTableOf(line), 2)}));
}

// ---- Every numeric column refuses a huge value of either sign ----

struct DamagedColumn {
    ProductLine line;
    std::string table;
    std::string column;
    FieldType type;
    double value;
};

std::vector<DamagedColumn> everyNumericColumn()
{
    std::vector<DamagedColumn> cases;
    for (ProductLine line : {LineKX, LineMRZ, LineHJQ}) {
        const auto table = lineTable(line, 0);
        for (const ColumnInfo& column : table->columns) {
            if (column.type == FieldType::Text)
                continue;
            for (double value : {-7.746191e17, 1.0e17})
                cases.push_back({line, table->name, column.name, column.type, value});
        }
    }
    for (const char* column : {"Cost", "Espo"})
        for (double value : {-7.746191e17, 1.0e17})
            cases.push_back({LineMRZ, "DPAcc", column, FieldType::Single, value});
    return cases;
}

class EveryColumn : public ::testing::TestWithParam<DamagedColumn> {};

TEST_P(EveryColumn, RefusesAHugeValueNamingTableRowAndColumn)
{
    const DamagedColumn& c = GetParam();
    // A 16-bit column cannot even store such a number: it is refused as out of its field.
    const FieldValue value = FieldValue::number(c.type == FieldType::Integer ? FieldType::Double : c.type, c.value);
    std::string message;
    if (c.table == "DPAcc") {
        auto accessories = accessoryTable("DPAcc", 3);
        cell(*accessories, 2, c.column) = value;
        message = loadError(c.line, memoryDb({lineTable(c.line, 3), accessories}));
    } else {
        message = loadWithModelCell(c.line, c.column, value);
    }
    const std::string where = "Table " + c.table + ", row 2, column " + c.column;
    EXPECT_NE(message.find(where), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    DamagedValues, EveryColumn, ::testing::ValuesIn(everyNumericColumn()),
    [](const ::testing::TestParamInfo<DamagedColumn>& info) {
        return info.param.table + "_" + info.param.column + (info.param.value < 0 ? "_negative" : "_positive");
    });

TEST(DamagedValues, TheLinesTablesListTheColumnsTheLoadersRead)
{
    // The table above damages each column of these tables; a column the loaders read
    // that lineTable lacks would fail the load here, so the lists cannot drift apart.
    for (ProductLine line : {LineKX, LineMRZ, LineHJQ}) {
        EXPECT_EQ(loadError(line, memoryDb({lineTable(line, 3), accessoryTable(accessoryTableOf(line), 2)})), "")
            << "line " << line;
    }
}

// ---- Values at and just beyond the edges of the physical ranges ----

struct EdgeCase {
    const char* name;
    ProductLine line;
    std::vector<std::pair<std::string, double>> cells; // of row 2
    const char* refusedColumn; // "" when the row loads
    const char* reason;
};

class PhysicalRanges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(PhysicalRanges, RefuseOnlyWhatCannotBe)
{
    const EdgeCase& c = GetParam();
    auto table = lineTable(c.line, 3);
    for (const auto& [column, value] : c.cells) {
        const FieldType type = column == "Geom" || column == "Passo" || column == "Bocche" ? FieldType::Integer
                                                                                          : FieldType::Single;
        cell(*table, 2, column) = FieldValue::number(type, value);
    }
    const std::string message = loadError(c.line, memoryDb({table, accessoryTable(accessoryTableOf(c.line), 2)}));
    if (!*c.refusedColumn) {
        EXPECT_EQ(message, "");
        return;
    }
    EXPECT_NE(message.find(std::string(", row 2, column ") + c.refusedColumn + ": "), std::string::npos) << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
}

const char* const kOutside = "outside the physical range of the column";
const char* const kNoEnd = "does not fall to zero pressure";

INSTANTIATE_TEST_SUITE_P(
    DamagedValues, PhysicalRanges,
    ::testing::Values(
        // Sound: 0 to 120 dB(A).
        EdgeCase{"SoundPowerFromAFlippedByte", LineKX, {{"LWA2", -7.746191e17}}, "LWA2", kOutside},
        EdgeCase{"SoundPowerAt120", LineHJQ, {{"LWA7", 120}}, "", ""},
        EdgeCase{"SoundPowerAbove120", LineHJQ, {{"LWA7", 120.5}}, "LWA7", "(from 0 to 120 dB(A))"},
        EdgeCase{"SoundPressureBelowZero", LineKX, {{"LPA1", -0.5}}, "LPA1", kOutside},
        EdgeCase{"SoundPressureAtZero", LineKX, {{"LPA1", 0}}, "", ""},
        // Geometry: positive lengths, whole coils.
        EdgeCase{"CoilLengthZero", LineKX, {{"LunBat", 0}}, "LunBat", "(above 0 and up to 10000 mm)"},
        EdgeCase{"CoilHeightNegative", LineMRZ, {{"AltBAt", -250}}, "AltBAt", kOutside},
        EdgeCase{"NoRows", LineMRZ, {{"NR", 0}}, "NR", kOutside},
        EdgeCase{"NoCircuits", LineHJQ, {{"NC", 0.5}}, "NC", kOutside},
        EdgeCase{"NoFreeSection", LineMRZ, {{"Sezione", 0}}, "Sezione", kOutside},
        EdgeCase{"NoOutlets", LineHJQ, {{"Bocche", 0}}, "Bocche", kOutside},
        // Codes that index the coil tables.
        EdgeCase{"GeometryCode4", LineMRZ, {{"Geom", 4}}, "Geom", "(from 0 to 3 (coil geometry code))"},
        EdgeCase{"GeometryCode0", LineMRZ, {{"Geom", 0}}, "", ""},
        EdgeCase{"FinPitchCode7", LineKX, {{"Passo", 7}}, "", ""},
        EdgeCase{"FinPitchAsTenthsOfAMillimetre", LineKX, {{"Passo", 21}}, "Passo", kOutside},
        EdgeCase{"FinPitchCodeNegative", LineKX, {{"Passo", -1}}, "Passo", kOutside},
        // Coefficients.
        EdgeCase{"BypassAboveOne", LineKX, {{"F2C100", 1.5}}, "F2C100", kOutside},
        EdgeCase{"BypassZero", LineMRZ, {{"C100", 0}}, "C100", kOutside},
        EdgeCase{"AirSideCoefficientHuge", LineKX, {{"C3C30", -106393460977697000.0}}, "C3C30", kOutside},
        EdgeCase{"AirSideCoefficientZero", LineHJQ, {{"FC30", 0}}, "FC30", kOutside},
        EdgeCase{"CircuitLengthNegative", LineMRZ, {{"CCC50", -1}}, "CCC50", kOutside},
        // Fan curves: pressure falls to zero at a finite flow.
        EdgeCase{"CurveRisingForEver", LineKX, {{"V1A", 0.0002}}, "V1A", kOutside},
        EdgeCase{"CurveFlat", LineKX, {{"V2A", 0}, {"V2B", 0}}, "V2A, V2B, V2C", kNoEnd},
        EdgeCase{"CurveFallingStraight", LineKX, {{"V2A", 0}, {"V2B", -0.05}}, "", ""},
        EdgeCase{"CurveRisingThenFalling", LineMRZ, {{"V3A", -0.0003}, {"V3B", 0.06}}, "", ""},
        EdgeCase{"CurveAlmostFlat", LineHJQ, {{"V5A", -1e-12}}, "V5A, V5B, V5C", kNoEnd},
        EdgeCase{"NoPressureAtZeroFlow", LineHJQ, {{"V7C", 0}}, "V7C", kOutside},
        EdgeCase{"ShutOffPressureHuge", LineMRZ, {{"V1C", 1258368240975870.0}}, "V1C", kOutside}),
    [](const ::testing::TestParamInfo<EdgeCase>& info) { return std::string(info.param.name); });

TEST(DamagedValues, AccessoriesKeepTheirRanges)
{
    struct Case {
        const char* column;
        double value;
        bool refused;
    };
    const Case cases[] = {{"Cost", 0, false}, {"Cost", -1, true},  {"Cost", 1001, true},
                          {"Espo", 0, true},  {"Espo", 1.75, false}, {"Espo", 4.5, true}};
    for (const Case& c : cases) {
        auto accessories = accessoryTable("DPAccHJQ", 3);
        cell(*accessories, 3, c.column) = FieldValue::number(FieldType::Single, c.value);
        const std::string message = loadError(LineHJQ, memoryDb({lineTable(LineHJQ, 2), accessories}));
        if (c.refused) {
            EXPECT_NE(message.find(std::string("Table DPAccHJQ, row 3, column ") + c.column), std::string::npos)
                << message;
        } else {
            EXPECT_EQ(message, "") << c.column << " " << c.value;
        }
    }
}

// ---- The shipped range stays within every bound ----

TEST(DamagedValues, TheShippedRangeLoads)
{
    if (!std::filesystem::exists(TARVELLO_APP_DIR "/tarvello.mdb"))
        GTEST_SKIP() << "the build has not written " TARVELLO_APP_DIR "/tarvello.mdb";
    AccessDatabase db;
    db.open(TARVELLO_APP_DIR "/tarvello.mdb", kModelDbConnect);
    for (ProductLine line : {LineKX, LineMRZ, LineHJQ}) {
        ModelTable t;
        EXPECT_NO_THROW(load(line, t, db)) << "line " << line;
        EXPECT_EQ(t.NumModels, maxModelsOf(line));
    }
}

} // namespace
} // namespace tarvello

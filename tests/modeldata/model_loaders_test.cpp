// The three line loaders: on the Jackcess-written model database (values from its
// CONTENTS.md) and on tables held in memory for the limits and the faulty rows no
// shipped file contains.
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"

#include "engine/coil_constants.h"
#include "platform/access_table_data.h"
#include "tests/modeldata/memory_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>

namespace tarvello {
namespace {

using namespace testing;

const std::string kFixtureDir = TARVELLO_SHARED_DIR "/fixtures/independent-writer/";

// The code of the fin pitches the fixture stores as tenths of a millimetre; a geometry
// code no coil table has (4) becomes the last one (3).
FieldValue asCode(const std::string& column, const FieldValue& value)
{
    if (value.isNull() || (column != "Passo" && column != "Geom"))
        return value;
    const double stored = value.toDouble();
    const double code = column == "Geom" ? std::min(stored, 3.0) : stored == 21 ? 3 : stored == 25 ? 4 : stored;
    return FieldValue::number(value.type(), code);
}

std::shared_ptr<TableData> tableCopy(const AccessDatabase& db, const std::string& name)
{
    auto table = std::make_shared<TableData>();
    table->name = name;
    Recordset rs = db.openRecordset("select * from [" + name + "]");
    for (const std::string& column : rs.fieldNames())
        table->columns.push_back({column, rs.fieldType(column)});
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        std::vector<FieldValue> row;
        for (const ColumnInfo& column : table->columns)
            row.push_back(asCode(column.name, rs.field(column.name)));
        table->rows.push_back(std::move(row));
    }
    return table;
}

// The Jackcess-written fixture stores the fin pitch itself (21 and 25 tenths of a
// millimetre) where the model table holds the fin pitch code, and a geometry code 4 that
// no coil table has: the loaders refuse those as outside their range. The loader tests
// read a copy with the pitches' codes (3, 4) and geometry 3; every other value is the
// file's.
AccessDatabase fixtureDb()
{
    AccessDatabase file;
    file.open(kFixtureDir + "tarvello.mdb", kModelDbConnect);
    DatabaseImage image;
    image.jetVersion = file.jetVersion();
    for (const std::string& name : file.tableNames())
        image.tables.push_back(tableCopy(file, name));
    return AccessDatabase::fromImage(std::move(image), file.path());
}

TEST(Loaders, TheFixturesPitchesAreNoFinPitchCodes)
{
    AccessDatabase file;
    file.open(kFixtureDir + "tarvello.mdb", kModelDbConnect);
    ModelTable t;
    try {
        CaricaDatiKORVE(t, file);
        ADD_FAILURE() << "a fin pitch of 21 loaded as a code";
    } catch (const ModelDataError& e) {
        EXPECT_NE(std::string(e.what()).find("Table DatiKORVE, row 1, column Passo: the value 21 is outside"),
                  std::string::npos)
            << e.what();
    }
}

// ---- Loading the fixture file ----

TEST(Loaders, KXLineFromTheModelDatabase)
{
    const AccessDatabase db = fixtureDb();
    ModelTable t;
    t.SeriesCode = "HJQ"; // as the chooser left it: line 0 does not change it
    CaricaDatiKORVE(t, db);
    EXPECT_EQ(t.line, LineKX);
    EXPECT_EQ(t.SeriesCode, "HJQ");
    ASSERT_EQ(t.NumModels, 3);
    EXPECT_EQ(t.Modello[1], "KXA 10");
    EXPECT_EQ(t.Modello[3], "KXH 30");
    EXPECT_EQ(t.Geom[3], 2);
    EXPECT_EQ(t.Passo[2], 4); // the code of 2.5 mm (the file holds 25, see fixtureDb)
    EXPECT_EQ(t.LunBat[3], 1.05f);
    EXPECT_EQ(t.AltBAt[3], 0.3f);
    EXPECT_EQ(t.NR[2], 3.0f);
    EXPECT_EQ(t.NC[3], 4.0f);
    EXPECT_EQ(t.VelA[1][2], -0.0003f);
    EXPECT_EQ(t.VelB[3][3], 0.04f);
    EXPECT_EQ(t.VelC[2][1], 44.0f);
    EXPECT_EQ(t.C100[2], 0.1f);  // column F1C100
    EXPECT_EQ(t.FC30[1], 1.15f); // F1C30
    EXPECT_EQ(t.CC30[3], 1.18f); // C1C30
    EXPECT_EQ(t.F2C100[3], 0.095f);
    EXPECT_EQ(t.C2C30[2], 1.07f);
    EXPECT_EQ(t.F3C30[1], 1.05f);
    EXPECT_EQ(t.C3C30[3], 1.06f);
    EXPECT_EQ(t.FCC50[1], 0.875f); // column CC50
    EXPECT_EQ(t.LWA[2][3], 54.5f);
    EXPECT_EQ(t.LPA[3][3], 49.0f);
    EXPECT_EQ(t.LPA[1][1], 33.5f);
    EXPECT_TRUE(t.Modello[4].empty()) << "no fourth model";
}

TEST(Loaders, DuctedLinesWithTheirAccessories)
{
    const AccessDatabase db = fixtureDb();
    ModelTable t;
    t.SeriesCode = "MRZ";
    CaricaDatiMRZ(t, db);
    EXPECT_EQ(t.line, LineMRZ);
    EXPECT_EQ(t.SeriesCode, "MRZ");
    ASSERT_EQ(t.NumModels, 3);
    EXPECT_EQ(t.Modello[2], "KXR 200");
    EXPECT_EQ(t.VelA[3][3], -0.000028f);
    EXPECT_EQ(t.C100[1], 0.09f);
    EXPECT_EQ(t.CCC50[3], 0.99f);
    EXPECT_EQ(t.Sezione[2], 0.125f);
    EXPECT_EQ(t.Bocche[3], 8);
    EXPECT_EQ(t.LWA[1][3], 62.0f);
    ASSERT_EQ(t.NumAccessories, 2);
    EXPECT_EQ(t.Cost[1], 2.5f);
    EXPECT_EQ(t.Espo[2], 1.9f);
    EXPECT_EQ(t.OPZBoc[1], "S");
    EXPECT_EQ(t.OPZBoc[2], "N");

    t.SeriesCode = "HJQ";
    CaricaDatiHJQ(t, db);
    EXPECT_EQ(t.line, LineHJQ);
    ASSERT_EQ(t.NumModels, 3);
    EXPECT_EQ(t.Modello[1], "KXN 15");
    EXPECT_EQ(t.VelA[3][7], -0.000047f);
    EXPECT_EQ(t.VelC[1][7], 86.0f);
    EXPECT_EQ(t.LWA[1][7], 62.5f);
    EXPECT_EQ(t.Bocche[1], 2);
    ASSERT_EQ(t.NumAccessories, 2);
    EXPECT_EQ(t.Cost[1], 3.1f);
    EXPECT_EQ(t.OPZBoc[1], "N");
}

TEST(Loaders, EachLoadSetsTheLinesCoilConstants)
{
    const AccessDatabase db = fixtureDb();
    ModelTable t;
    for (ProductLine line : {LineHJQ, LineKX, LineMRZ}) {
        load(line, t, db);
        // The set a fresh load of this line writes, after the other lines wrote theirs.
        CoilConstants expected = coilConstants();
        ImpostaCoefficienti(line, expected);
        EXPECT_EQ(std::memcmp(&expected, &coilConstants(), sizeof expected), 0) << "line " << line;
    }
}

TEST(Loaders, LineTwoThenLineOneLeavesOnlyMRZData)
{
    const AccessDatabase db = fixtureDb();
    ModelTable t;
    CaricaDatiHJQ(t, db);
    CaricaDatiMRZ(t, db);
    ASSERT_EQ(t.NumModels, 3);
    EXPECT_EQ(t.Modello[1], "KXR 100");
    EXPECT_EQ(t.Sezione[1], 0.09f);
    EXPECT_EQ(t.Bocche[1], 4);
    for (int m = 1; m <= 3; ++m)
        for (int s = 4; s <= kMaxSpeeds; ++s) {
            EXPECT_EQ(t.VelA[m][s], 0.0f) << "speed " << s << " of DatiHJQ is gone";
            EXPECT_EQ(t.VelC[m][s], 0.0f);
            EXPECT_EQ(t.LWA[m][s], 0.0f);
        }
    EXPECT_EQ(t.VelC[1][3], 90.0f);
    EXPECT_EQ(t.Cost[1], 2.5f) << "DPAcc replaces DPAccHJQ";
}

TEST(Loaders, LineOneThenLineZeroKeepsTheAccessoriesAndDuctedArrays)
{
    const AccessDatabase db = fixtureDb();
    ModelTable t;
    CaricaDatiMRZ(t, db);
    CaricaDatiKORVE(t, db);
    EXPECT_EQ(t.line, LineKX);
    EXPECT_EQ(t.Modello[1], "KXA 10");
    ASSERT_EQ(t.NumAccessories, 2);
    EXPECT_EQ(t.Cost[2], 4.2f);
    EXPECT_EQ(t.OPZBoc[1], "S");
    // Line 0 has no column for these: they keep the KXR values.
    EXPECT_EQ(t.CCC50[1], 0.97f);
    EXPECT_EQ(t.Sezione[3], 0.165f);
    EXPECT_EQ(t.Bocche[2], 6);

    // And back: the ducted line has no column for line 0's per-speed coefficients.
    CaricaDatiMRZ(t, db);
    EXPECT_EQ(t.F2C100[1], 0.14f);
    EXPECT_EQ(t.LPA[1][1], 33.5f);
    EXPECT_EQ(t.C100[1], 0.09f) << "C100 belongs to both lines: reloaded";
}

TEST(Loaders, PendingEventsRunAfterEveryRow)
{
    const AccessDatabase db = fixtureDb();
    ModelTable t;
    int calls = 0;
    const PendingEventsHook hook = [&] { ++calls; };
    CaricaDatiKORVE(t, db, hook);
    EXPECT_EQ(calls, 3);
    calls = 0;
    CaricaDatiHJQ(t, db, hook);
    EXPECT_EQ(calls, 3 + 2); // models, then accessories
}

// ---- The process-wide connection ----

TEST(ModelDb, OpensTheProgramFoldersDatabaseAndLoadsThroughIt)
{
    if (!std::filesystem::exists(TARVELLO_APP_DIR "/tarvello.mdb"))
        GTEST_SKIP() << "the build has not written " TARVELLO_APP_DIR "/tarvello.mdb";
    openModelDb(TARVELLO_APP_DIR); // a folder without the trailing separator
    ASSERT_TRUE(ModelDb().isOpen());
    int calls = 0;
    setPendingEventsHook([&] { ++calls; });
    modelTable().SeriesCode = "HJQ";
    CaricaLinea(LineHJQ);
    EXPECT_EQ(modelTable().line, LineHJQ);
    EXPECT_EQ(modelTable().Modello[2], "KXN 25");
    EXPECT_EQ(calls, 18 + 2); // the shipped KXN models, then their accessories
    CaricaLinea(7); // no such line: nothing happens
    EXPECT_EQ(modelTable().line, LineHJQ);
    setPendingEventsHook({});
    closeModelDb();
    EXPECT_FALSE(ModelDb().isOpen());
    EXPECT_THROW(CaricaDatiKORVE(), DatabaseError) << "a closed connection is an error, not a crash";
}

TEST(ModelDb, FailureNamesTheFileAndTheReason)
{
    const auto dir = std::filesystem::temp_directory_path() / "tarvello-modeldb-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    struct Case {
        const char* copyFrom; // nullptr: no file at all
        const char* reason;
    };
    const Case cases[] = {
        {nullptr, "Could not find file"},
        {"/fixtures/access-samples/V2000_with-password.mdb", "Not a valid password."},
        {"/fixtures/independent-writer/CONTENTS.md", "Unrecognized database format"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir / "tarvello.mdb");
        if (c.copyFrom)
            std::filesystem::copy_file(std::string(TARVELLO_SHARED_DIR) + c.copyFrom, dir / "tarvello.mdb");
        try {
            openModelDb(dir.string() + "/");
            ADD_FAILURE() << "opened " << (c.copyFrom ? c.copyFrom : "nothing");
        } catch (const DatabaseError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find((dir / "tarvello.mdb").string()), std::string::npos) << message;
            EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        }
        EXPECT_FALSE(ModelDb().isOpen());
    }
    std::filesystem::remove_all(dir);
}

// ---- Limits and faulty rows, on tables held in memory ----

TEST(Loaders, EachLineLoadsUpToItsLimitAndRefusesOneRowMore)
{
    for (ProductLine line : {LineKX, LineMRZ, LineHJQ}) {
        const int limit = maxModelsOf(line);
        const char* accessories = line == LineHJQ ? "DPAccHJQ" : "DPAcc";
        ModelTable t;
        load(line, t, memoryDb({lineTable(line, limit), accessoryTable(accessories, kMaxAccessories)}));
        EXPECT_EQ(t.NumModels, limit) << "line " << line;
        EXPECT_EQ(t.Modello[limit], "M" + std::to_string(limit));
        EXPECT_EQ(t.VelC[limit][speedCountOf(line)], float(50 + limit));
        if (line != LineKX) {
            EXPECT_EQ(t.NumAccessories, kMaxAccessories);
        }

        const std::string tooMany = loadError(line, memoryDb({lineTable(line, limit + 1), accessoryTable(accessories, 1)}));
        EXPECT_NE(tooMany.find(lineTable(line, 0)->name), std::string::npos) << tooMany;
        EXPECT_NE(tooMany.find("row " + std::to_string(limit + 1)), std::string::npos) << tooMany;

        const std::string empty = loadError(line, memoryDb({lineTable(line, 0), accessoryTable(accessories, 1)}));
        EXPECT_NE(empty.find("no rows"), std::string::npos) << empty;
        if (line == LineKX)
            continue;
        const std::string tooManyAccessories =
            loadError(line, memoryDb({lineTable(line, 2), accessoryTable(accessories, kMaxAccessories + 1)}));
        EXPECT_NE(tooManyAccessories.find(std::string(accessories) + ": row 11"), std::string::npos)
            << tooManyAccessories;
        const std::string noAccessories = loadError(line, memoryDb({lineTable(line, 2), accessoryTable(accessories, 0)}));
        EXPECT_NE(noAccessories.find(std::string(accessories) + ": the table holds no rows"), std::string::npos)
            << noAccessories;
    }
}

TEST(Loaders, FaultyValuesNameTableRowAndColumn)
{
    struct Case {
        const char* column;
        FieldValue value;
        const char* reason;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {"LunBat", FieldValue::null(FieldType::Single), "empty (Null)"},
        {"Geom", FieldValue::null(FieldType::Integer), "empty (Null)"},
        {"Modello", FieldValue::null(FieldType::Text), "empty (Null)"},
        {"Bocche", FieldValue::number(FieldType::Long, 40000), "outside the range"},
        {"Passo", FieldValue::number(FieldType::Long, -32769), "outside the range"},
        {"V2A", FieldValue::number(FieldType::Single, std::nanf("")), "not a finite number"},
        {"Sezione", FieldValue::number(FieldType::Single, inf), "not a finite number"},
        {"LWA3", FieldValue::number(FieldType::Double, -inf), "not a finite number"},
        {"C100", FieldValue::number(FieldType::Double, 1e40), "outside the range"},
        {"NR", FieldValue::text(FieldType::Text, "three"), "Type mismatch"},
    };
    for (const Case& c : cases) {
        auto table = lineTable(LineMRZ, 3);
        cell(*table, 2, c.column) = c.value;
        const std::string message = loadError(LineMRZ, memoryDb({table, accessoryTable("DPAcc", 1)}));
        const std::string where = std::string("Table DatiMRZ, row 2, column ") + c.column + ": ";
        EXPECT_NE(message.find(where), std::string::npos) << c.column << ": " << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << c.column << ": " << message;
    }
    auto accessories = accessoryTable("DPAcc", 2);
    cell(*accessories, 2, "OPZBoc") = FieldValue::null(FieldType::Text);
    EXPECT_NE(loadError(LineMRZ, memoryDb({lineTable(LineMRZ, 1), accessories}))
                  .find("Table DPAcc, row 2, column OPZBoc: the value is empty (Null)."),
              std::string::npos);
}

TEST(Loaders, EveryLoadClearsTheLinesArraysFirst)
{
    ModelTable t;
    CaricaDatiMRZ(t, memoryDb({lineTable(LineMRZ, 5), accessoryTable("DPAcc", 4)}));
    ASSERT_EQ(t.NumModels, 5);
    t.Modello[1] = "edited"; // a reload does not keep anything, even for the same line
    CaricaDatiMRZ(t, fixtureDb());
    EXPECT_EQ(t.NumModels, 3);
    EXPECT_EQ(t.Modello[1], "KXR 100");
    for (int m = 4; m <= 5; ++m) {
        EXPECT_TRUE(t.Modello[m].empty()) << "model " << m << " of the previous load";
        EXPECT_EQ(t.VelC[m][1], 0.0f);
        EXPECT_EQ(t.Sezione[m], 0.0f);
        EXPECT_EQ(t.Bocche[m], 0);
    }
    EXPECT_EQ(t.NumAccessories, 2);
    EXPECT_EQ(t.Cost[3], 0.0f) << "accessory 3 of the previous load";
    EXPECT_TRUE(t.OPZBoc[4].empty());
}

TEST(Loaders, SixteenBitFieldsAreRounded)
{
    struct Case {
        double stored;
        int16_t loaded;
    };
    const Case cases[] = {{1.4, 1}, {1.5, 2}, {2.5, 2}, {2.6, 3}, {0.5, 0}, {-0.5, 0}};
    for (const Case& c : cases) {
        auto table = lineTable(LineKX, 1);
        cell(*table, 1, "Geom") = FieldValue::number(FieldType::Single, c.stored);
        ModelTable t;
        CaricaDatiKORVE(t, memoryDb({table}));
        EXPECT_EQ(t.Geom[1], c.loaded) << c.stored;
    }
}

TEST(Loaders, MissingTableOrColumnGivesTheEngineError)
{
    int number = 0;
    try {
        ModelTable t;
        CaricaDatiMRZ(t, memoryDb({lineTable(LineMRZ, 2)})); // no DPAcc
    } catch (const DatabaseError& e) {
        number = e.number();
        EXPECT_NE(std::string(e.what()).find("'DPAcc'"), std::string::npos) << e.what();
    }
    EXPECT_EQ(number, dberr::TableNotFound);

    auto table = lineTable(LineHJQ, 2);
    table->columns[5].name = "V7X"; // one of the fan curve columns renamed
    const std::string renamed = table->columns[5].name;
    number = 0;
    try {
        ModelTable t;
        CaricaDatiHJQ(t, memoryDb({table, accessoryTable("DPAccHJQ", 1)}));
    } catch (const DatabaseError& e) {
        number = e.number();
    }
    EXPECT_EQ(number, dberr::ItemNotFound);
}

} // namespace
} // namespace tarvello

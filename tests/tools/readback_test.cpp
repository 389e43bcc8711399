// Round trip through other readers: files from our writer are read back with mdbtools
// (mdb-tables, mdb-schema, mdb-count, mdb-json, mdb-export, mdb-sql, as processes) and
// with the independent npm reader mdb-reader, and must give back exactly what was written.

#include "tests/tools/test_support.h"
#include "tools/jetwriter/jet4_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace jetwriter;
using toolstest::u16;

namespace {

constexpr int kGeneratedRows = 600;  // about ten data pages of the Mixed table

Database roundTripDatabase() {
    Database db;
    db.password = u"kelbrun";
    Table mixed{"Mixed",
                {{"Name", ColumnType::Text, 50},
                 {"Code", ColumnType::Integer},
                 {"Count", ColumnType::Long},
                 {"Ratio", ColumnType::Single},
                 {"Precise", ColumnType::Double},
                 {"Note", ColumnType::Text, 255}},
                {}};
    mixed.rows = {
        {u16("°C"), int16_t{1}, int32_t{1111000}, 0.45f, 3.14159, u16("Zażółć gęślą jaźń")},
        {std::u16string(), int16_t{-32768}, int32_t{-2147483647 - 1}, -6e-05f, -1.5e-300, Null{}},
        {Null{}, int16_t{32767}, int32_t{2147483647}, Null{}, Null{}, u16("Temperatura 27 °C, \"ok\"")},
        {Null{}, Null{}, Null{}, Null{}, Null{}, Null{}},
        {u16("KXA 20"), int16_t{0}, int32_t{0}, 0.0f, 0.0, std::u16string(255, u'x')},
    };
    for (int i = 0; i < kGeneratedRows; ++i) {
        const Value note = i % 7 == 0 ? Value(Null{}) : Value(std::u16string(i % 5, u'ż'));
        mixed.rows.push_back({u16(("Row " + std::to_string(i)).c_str()), static_cast<int16_t>(i * 50),
                              int32_t{i * 1000}, static_cast<float>(i) * 0.1f, i / 3.0, note});
    }
    Table numbers{"Numbers", {{"A", ColumnType::Integer}, {"B", ColumnType::Double}},
                  {{int16_t{-5}, 2.5}, {Null{}, 1e300}, {int16_t{7}, Null{}}}};
    Table empty{"Empty", {{"OnlyText", ColumnType::Text, 10}}, {}};
    db.tables = {mixed, numbers, empty};
    return db;
}

class ReadBack : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new toolstest::TempDir;
        file_ = dir_->path() / "roundtrip.mdb";
        toolstest::writeBinary(file_, buildJet4Image(roundTripDatabase()));
    }
    static void TearDownTestSuite() { delete dir_; }
    static std::string run(std::vector<std::string> argv) {
        const auto r = toolstest::runProcess(argv);
        EXPECT_EQ(r.exitCode, 0) << argv[0] << ": " << r.err;
        return r.out;
    }
    static inline toolstest::TempDir* dir_ = nullptr;
    static inline std::filesystem::path file_;
    const Database db_ = roundTripDatabase();
};

TEST_F(ReadBack, MdbToolsListTablesSchemaAndCounts) {
    EXPECT_EQ(run({"mdb-ver", file_.string()}), "JET4\n");
    EXPECT_EQ(run({"mdb-tables", "-1", file_.string()}), "Mixed\nNumbers\nEmpty\n");
    const std::string schema = run({"mdb-schema", file_.string()});
    for (const char* line : {"[Name]\t\t\tText (50)", "[Code]\t\t\tInteger", "[Count]\t\t\tLong Integer",
                             "[Ratio]\t\t\tSingle", "[Precise]\t\t\tDouble", "[Note]\t\t\tText (255)",
                             "[OnlyText]\t\t\tText (10)"})
        EXPECT_NE(schema.find(line), std::string::npos) << line << "\n" << schema;
    for (const Table& t : db_.tables)
        EXPECT_EQ(run({"mdb-count", file_.string(), t.name}), std::to_string(t.rows.size()) + "\n");
}

// mdb-json prints Single with 8 and Double with 16 significant digits and leaves out
// Null values and empty texts (libmdb cannot tell them apart).
void expectJsonCell(const QJsonObject& row, const Column& column, const Value& expected,
                    const std::string& where) {
    const QString key = QString::fromStdString(column.name);
    if (std::holds_alternative<Null>(expected) ||
        (std::holds_alternative<std::u16string>(expected) && std::get<std::u16string>(expected).empty())) {
        EXPECT_FALSE(row.contains(key)) << where;
        return;
    }
    ASSERT_TRUE(row.contains(key)) << where;
    const QJsonValue v = row.value(key);
    if (const auto* text = std::get_if<std::u16string>(&expected)) {
        EXPECT_EQ(v.toString().toStdU16String(), *text) << where;
    } else if (const auto* i16 = std::get_if<int16_t>(&expected)) {
        EXPECT_EQ(v.toDouble(), *i16) << where;
    } else if (const auto* i32 = std::get_if<int32_t>(&expected)) {
        EXPECT_EQ(v.toDouble(), *i32) << where;
    } else if (const auto* f = std::get_if<float>(&expected)) {
        EXPECT_NEAR(v.toDouble(), *f, 1e-7 * std::abs(*f)) << where;
    } else if (const auto* d = std::get_if<double>(&expected)) {
        EXPECT_NEAR(v.toDouble(), *d, 1e-15 * std::abs(*d)) << where;
    }
}

TEST_F(ReadBack, MdbJsonGivesEveryValueBack) {
    for (const Table& t : db_.tables) {
        const std::vector<QJsonObject> rows = toolstest::mdbJsonRows(file_, t.name);
        ASSERT_EQ(rows.size(), t.rows.size()) << t.name;
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < t.columns.size(); ++c)
                expectJsonCell(rows[r], t.columns[c], t.rows[r][c],
                               t.name + " row " + std::to_string(r + 1) + " " + t.columns[c].name);
    }
}

TEST_F(ReadBack, MdbExportAndMdbSql) {
    std::istringstream lines(run({"mdb-export", file_.string(), "Mixed"}));
    std::string header, first, second;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(header, "Name,Code,Count,Ratio,Precise,Note");
    EXPECT_EQ(first, "\"°C\",1,1111000,0.44999999,3.14159,\"Zażółć gęślą jaźń\"");
    EXPECT_EQ(second, ",-32768,-2147483648,-5.9999998e-05,-1.5e-300,");
    toolstest::TempDir queryDir;
    toolstest::writeText(queryDir.path() / "q.sql", "select Name, Note from Mixed where Count = 1111000\ngo\n");
    const std::string result =
        run({"mdb-sql", "-P", "-H", "-F", "-i", (queryDir.path() / "q.sql").string(), file_.string()});
    EXPECT_NE(result.find("°C\tZażółć gęślą jaźń"), std::string::npos) << result;
}

// ---- the independent reader ------------------------------------------------------------

void expectReaderCell(const QJsonValue& v, const Value& expected, const std::string& where) {
    if (std::holds_alternative<Null>(expected)) {
        EXPECT_TRUE(v.isNull()) << where;
    } else if (const auto* text = std::get_if<std::u16string>(&expected)) {
        EXPECT_EQ(v.toString().toStdU16String(), *text) << where;
        EXPECT_TRUE(v.isString()) << where << ": an empty text must not read as Null";
    } else if (const auto* i16 = std::get_if<int16_t>(&expected)) {
        EXPECT_EQ(v.toDouble(), *i16) << where;
    } else if (const auto* i32 = std::get_if<int32_t>(&expected)) {
        EXPECT_EQ(v.toDouble(), *i32) << where;
    } else if (const auto* f = std::get_if<float>(&expected)) {
        EXPECT_EQ(static_cast<float>(v.toDouble()), *f) << where << ": Single must be exact";
    } else if (const auto* d = std::get_if<double>(&expected)) {
        EXPECT_EQ(v.toDouble(), *d) << where;
    }
}

const char* readerTypeName(ColumnType type) {
    switch (type) {
    case ColumnType::Text: return "text";
    case ColumnType::Integer: return "integer";
    case ColumnType::Long: return "long";
    case ColumnType::Single: return "float";
    case ColumnType::Double: return "double";
    }
    return "";
}

TEST_F(ReadBack, MdbReaderAgreesExactly) {
    std::string why;
    const std::optional<QJsonObject> dump = toolstest::mdbReaderDump(file_, why);
    if (!dump) GTEST_SKIP() << "independent reader check skipped: " << why;
    ASSERT_TRUE(why.empty()) << why;
    EXPECT_EQ(dump->value("password").toString().toStdU16String(), u"kelbrun");
    const QJsonObject tables = dump->value("tables").toObject();
    EXPECT_EQ(tables.size(), static_cast<qsizetype>(db_.tables.size()));
    for (const Table& t : db_.tables) {
        const QJsonObject table = tables.value(QString::fromStdString(t.name)).toObject();
        EXPECT_EQ(table.value("rowCount").toInt(), static_cast<int>(t.rows.size())) << t.name;
        const QJsonArray columns = table.value("columns").toArray();
        ASSERT_EQ(columns.size(), static_cast<qsizetype>(t.columns.size())) << t.name;
        for (size_t c = 0; c < t.columns.size(); ++c) {
            const QJsonObject col = columns[static_cast<qsizetype>(c)].toObject();
            EXPECT_EQ(col.value("name").toString().toStdString(), t.columns[c].name);
            EXPECT_EQ(col.value("type").toString().toStdString(), readerTypeName(t.columns[c].type));
            if (t.columns[c].type == ColumnType::Text) {
                EXPECT_EQ(col.value("size").toInt(), 2 * t.columns[c].textLength) << "Text length in bytes";
            }
        }
        const QJsonArray rows = table.value("rows").toArray();
        ASSERT_EQ(rows.size(), static_cast<qsizetype>(t.rows.size())) << t.name;
        for (size_t r = 0; r < t.rows.size(); ++r) {
            const QJsonObject row = rows[static_cast<qsizetype>(r)].toObject();
            for (size_t c = 0; c < t.columns.size(); ++c)
                expectReaderCell(row.value(QString::fromStdString(t.columns[c].name)), t.rows[r][c],
                                 t.name + " row " + std::to_string(r + 1) + " " + t.columns[c].name);
        }
    }
}

TEST_F(ReadBack, MdbReaderSeesNoPasswordWhenNoneIsSet) {
    Database db = roundTripDatabase();
    db.password.clear();
    toolstest::TempDir dir;
    toolstest::writeBinary(dir.path() / "open.mdb", buildJet4Image(db));
    EXPECT_EQ(toolstest::decodeJet4Password(dir.path() / "open.mdb"), u"");
    std::string why;
    const std::optional<QJsonObject> dump = toolstest::mdbReaderDump(dir.path() / "open.mdb", why);
    if (!dump) GTEST_SKIP() << "independent reader check skipped: " << why;
    EXPECT_TRUE(dump->value("password").isNull()) << "a zero password field would decode to junk";
}

// ---- the same data written by another library ------------------------------------------

Value valueFromJson(const QJsonValue& v, ColumnType type) {
    if (v.isNull()) return Null{};
    switch (type) {
    case ColumnType::Text: return v.toString().toStdU16String();
    case ColumnType::Integer: return static_cast<int16_t>(v.toInt());
    case ColumnType::Long: return static_cast<int32_t>(v.toInteger());
    case ColumnType::Single: return static_cast<float>(v.toDouble());
    case ColumnType::Double: return v.toDouble();
    }
    return Null{};
}

// Rebuilds a database from what mdb-reader read out of another writer's file.
Database databaseFromDump(const QJsonObject& dump) {
    Database db;
    if (dump.value("password").isString()) db.password = dump.value("password").toString().toStdU16String();
    const QJsonObject tables = dump.value("tables").toObject();
    for (const QJsonValue& name : dump.value("tableNames").toArray()) {
        Table t;
        t.name = name.toString().toStdString();
        const QJsonObject table = tables.value(name.toString()).toObject();
        for (const QJsonValue& c : table.value("columns").toArray()) {
            const QString type = c.toObject().value("type").toString();
            Column column{c.toObject().value("name").toString().toStdString()};
            column.type = type == "integer" ? ColumnType::Integer
                          : type == "long"  ? ColumnType::Long
                          : type == "float" ? ColumnType::Single
                          : type == "double" ? ColumnType::Double
                                             : ColumnType::Text;
            column.textLength = c.toObject().value("size").toInt() / 2;
            t.columns.push_back(column);
        }
        for (const QJsonValue& r : table.value("rows").toArray()) {
            Row row;
            for (const Column& column : t.columns)
                row.emplace_back(valueFromJson(r.toObject().value(QString::fromStdString(column.name)), column.type));
            t.rows.push_back(std::move(row));
        }
        db.tables.push_back(std::move(t));
    }
    return db;
}

TEST(IndependentWriter, SameDataReadsTheSameFromBothFiles) {
    for (const char* name : {"tarvello.mdb", "pinvale.mdb"}) {
        const std::filesystem::path theirs = std::filesystem::path(TARVELLO_SHARED_DIR) /
                                             "fixtures/independent-writer" / name;
        std::string why;
        const std::optional<QJsonObject> theirDump = toolstest::mdbReaderDump(theirs, why);
        if (!theirDump) GTEST_SKIP() << "independent reader check skipped: " << why;
        ASSERT_TRUE(why.empty()) << why;
        toolstest::TempDir dir;
        const auto ours = dir.path() / name;
        toolstest::writeBinary(ours, buildJet4Image(databaseFromDump(*theirDump)));

        EXPECT_EQ(toolstest::mdbReaderDump(ours, why), theirDump) << name << why;
        const auto tables = toolstest::runProcess({"mdb-tables", "-1", theirs.string()}).out;
        EXPECT_EQ(toolstest::runProcess({"mdb-tables", "-1", ours.string()}).out, tables) << name;
        std::istringstream names(tables);
        for (std::string table; std::getline(names, table);) {
            EXPECT_EQ(toolstest::runProcess({"mdb-export", ours.string(), table}).out,
                      toolstest::runProcess({"mdb-export", theirs.string(), table}).out)
                << name << " " << table;
        }
    }
}

}  // namespace

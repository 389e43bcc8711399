// The Access reader on files no one here wrote: Jackcess-written copies of our two
// databases and three files made by Microsoft Access (CONTENTS.md and README.md in the
// fixture folders list every value compared here).
#include "platform/access_database.h"

#include "platform/jet_header.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <functional>
#include <optional>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <string>

namespace tarvello {
namespace {

const std::string kShared = TARVELLO_SHARED_DIR "/fixtures/";
const std::string kTarvello = kShared + "independent-writer/tarvello.mdb";
const std::string kPinvale = kShared + "independent-writer/pinvale.mdb";
const std::string kAccess2000Pwd = kShared + "access-samples/V2000_with-password.mdb";
const std::string kAccess97 = kShared + "access-samples/V1997_no-password.mdb";
const std::string kDateTest = kShared + "access-samples/DateTestDatabase.mdb";

AccessDatabase openDb(const std::string& path, const std::string& connect = {})
{
    AccessDatabase db;
    db.open(path, connect);
    return db;
}

int errorNumberOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DatabaseError& e) {
        return e.number();
    }
    return 0;
}

// ---- Values of the Jackcess-written model database ----

struct SingleCase {
    const char* table;
    int row; // 1-based, in stored order
    const char* column;
    float expected; // the float32 nearest to the decimal in CONTENTS.md
};

const SingleCase kSingles[] = {
    {"DatiKORVE", 1, "LunBat", 0.45f},    {"DatiKORVE", 3, "V1A", -0.00006f},
    {"DatiKORVE", 2, "V3A", -0.00018f},   {"DatiKORVE", 1, "CC50", 0.875f},
    {"DatiKORVE", 3, "LPA3", 49.0f},      {"DatiKORVE", 2, "F3C100", 0.135f},
    {"DatiMRZ", 1, "V2A", -0.00006f},     {"DatiMRZ", 3, "Sezione", 0.165f},
    {"DatiMRZ", 2, "GV2A", -0.000032f},   {"DatiMRZ", 3, "CCC50", 0.99f},
    {"DatiHJQ", 1, "V7A", -0.000087f},    {"DatiHJQ", 3, "LWA7", 70.5f},
    {"DatiHJQ", 2, "V5B", 0.035f},        {"DPAcc", 1, "Cost", 2.5f},
    {"DPAcc", 2, "Espo", 1.9f},           {"DPAccHJQ", 2, "Espo", 2.0f},
};

Recordset atRow(const AccessDatabase& db, const std::string& table, int row)
{
    Recordset rs = db.openRecordset("select * from " + table);
    for (int i = 1; i < row; ++i)
        rs.moveNext();
    return rs;
}

void expectSinglesExact(const AccessDatabase& db)
{
    for (const SingleCase& c : kSingles) {
        const Recordset rs = atRow(db, c.table, c.row);
        ASSERT_FALSE(rs.eof()) << c.table << " row " << c.row;
        EXPECT_EQ(rs.fieldType(c.column), FieldType::Single) << c.column;
        EXPECT_EQ(rs.field(c.column).toSingle(), c.expected) << c.table << " row " << c.row << " " << c.column;
    }
}

TEST(AccessDatabase, ReadsTheModelDatabaseWithItsPassword)
{
    const AccessDatabase db = openDb(kTarvello, ";PWD=kelbrun");
    EXPECT_EQ(db.jetVersion(), 4);
    const std::vector<std::string> expected{"DatiKORVE", "DatiMRZ", "DatiHJQ", "DPAcc", "DPAccHJQ"};
    std::vector<std::string> names = db.tableNames();
    std::sort(names.begin(), names.end());
    std::vector<std::string> sortedExpected = expected;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(names, sortedExpected);
    expectSinglesExact(db);
}

TEST(AccessDatabase, RowsComeInStoredOrderWithTextsAndIntegers)
{
    const AccessDatabase db = openDb(kTarvello, ";PWD=kelbrun");
    Recordset rs = db.openRecordset("select * from DatiMRZ");
    EXPECT_EQ(rs.recordCount(), 3u);
    const char* models[] = {"KXR 100", "KXR 200", "KXR 300"};
    const int16_t outlets[] = {4, 6, 8};
    const int16_t geometry[] = {3, 3, 4};
    for (int i = 0; i < 3; ++i) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.field("Modello").toText(), models[i]);
        EXPECT_EQ(rs.fieldType("Bocche"), FieldType::Integer);
        EXPECT_EQ(rs.field("Bocche").toInteger(), outlets[i]);
        EXPECT_EQ(rs.field("geom").toInteger(), geometry[i]) << "names compare without case";
        rs.moveNext();
    }
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(errorNumberOf([&] { rs.moveNext(); }), dberr::NoCurrentRecord);
    EXPECT_EQ(errorNumberOf([&] { (void)rs.field("Modello"); }), dberr::NoCurrentRecord);
    rs.moveFirst();
    EXPECT_EQ(rs.field("Modello").toText(), "KXR 100");

    // Unicode-compressed text ("FF FE" form) and plain UCS-2 ("S" stored as 53 00).
    Recordset acc = db.openRecordset("SELECT * FROM dpacc");
    EXPECT_EQ(acc.field("OPZBoc").toText(), "S");
    acc.moveNext();
    EXPECT_EQ(acc.field("OPZBoc").toText(), "N");
}

TEST(AccessDatabase, ConfiguratorQueriesCompareTheCodeAsANumber)
{
    const AccessDatabase db = openDb(kPinvale);
    Recordset version = db.openRecordset("select * from Version");
    ASSERT_FALSE(version.eof());
    EXPECT_EQ(version.field("Version").toText(), "1.0 test");

    struct Case {
        const char* sql;
        const char* wiring; // nullptr: no row
    };
    const Case cases[] = {
        {"select * from dip where codice =1111000", "w1111000.pdf"},
        {"select * from dip where codice =0000011", "w0000011.pdf"}, // leading zeros: the number 11
        {"select * from dip where codice = 11", "w0000011.pdf"},
        {"select * from dip where codice =0101010", nullptr},
        {"select * from dip where codice =0", nullptr},
    };
    for (const Case& c : cases) {
        const Recordset rs = db.openRecordset(c.sql);
        if (!c.wiring) {
            EXPECT_TRUE(rs.eof()) << c.sql;
            continue;
        }
        ASSERT_FALSE(rs.eof()) << c.sql;
        EXPECT_EQ(rs.field("Wiring").toText(), c.wiring) << c.sql;
        EXPECT_EQ(rs.recordCount(), 1u) << c.sql;
    }
}

// ---- The password check ----

TEST(AccessDatabase, PasswordIsCheckedBothWays)
{
    struct Case {
        const std::string* path;
        const char* connect;
        bool opens;
    };
    const Case cases[] = {
        {&kTarvello, ";PWD=kelbrun", true},
        {&kTarvello, "", false},
        {&kTarvello, ";PWD=", false},
        {&kTarvello, ";PWD=Kelbrun", false}, // passwords are case-sensitive
        {&kTarvello, ";PWD=kelbru", false},
        {&kTarvello, ";PWD=kelbrunx", false},
        {&kTarvello, "MS Access;pwd=kelbrun", true},
        {&kAccess2000Pwd, ";PWD=password", true},
        {&kAccess2000Pwd, "", false},
        {&kAccess2000Pwd, ";PWD=kelbrun", false},
        {&kPinvale, "", true}, // no password: opens with or without one
        {&kPinvale, ";PWD=anything", true},
        {&kAccess97, "", true},
        {&kAccess97, ";PWD=x", true},
    };
    for (const Case& c : cases) {
        AccessDatabase db;
        if (c.opens) {
            EXPECT_NO_THROW(db.open(*c.path, c.connect)) << *c.path << " " << c.connect;
            EXPECT_TRUE(db.isOpen());
        } else {
            try {
                db.open(*c.path, c.connect);
                ADD_FAILURE() << *c.path << " opened with '" << c.connect << "'";
            } catch (const DatabaseError& e) {
                EXPECT_EQ(e.number(), dberr::InvalidPassword);
                EXPECT_STREQ(e.what(), "Not a valid password.");
            }
            EXPECT_FALSE(db.isOpen());
        }
    }
}

// ---- Files made by Microsoft Access ----

TEST(AccessDatabase, ReadsAnAccess2000FileWithPassword)
{
    const AccessDatabase db = openDb(kAccess2000Pwd, ";PWD=password");
    Recordset rs = db.openRecordset("select * from Table1");
    const char* texts[] = {"One", "Two", "Three"};
    for (int id = 1; id <= 3; ++id, rs.moveNext()) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.fieldType("ID"), FieldType::Long);
        EXPECT_EQ(rs.field("ID").toLong(), id);
        EXPECT_EQ(rs.field("Data").toText(), texts[id - 1]);
    }
    EXPECT_TRUE(rs.eof());
}

TEST(AccessDatabase, ReadsAnAccess97File)
{
    const AccessDatabase db = openDb(kAccess97);
    EXPECT_EQ(db.jetVersion(), 3);
    Recordset rs = db.openRecordset("select * from Table1");
    ASSERT_EQ(rs.recordCount(), 2u);
    EXPECT_EQ(rs.field("A").toText(), "a");
    EXPECT_EQ(rs.field("I").toInteger(), 0);
    rs.moveNext();
    EXPECT_EQ(rs.field("A").toText(), "abcdefg");
    EXPECT_EQ(rs.field("B").toText(), "hijklmnop");
    EXPECT_EQ(rs.fieldType("C"), FieldType::Byte);
    EXPECT_EQ(rs.field("C").toInteger(), 2);
    EXPECT_EQ(rs.fieldType("D"), FieldType::Integer);
    EXPECT_EQ(rs.field("D").toInteger(), 222);
    EXPECT_EQ(rs.field("E").toLong(), 333333333);
    EXPECT_EQ(rs.fieldType("F"), FieldType::Double);
    EXPECT_EQ(rs.field("F").toDouble(), 444.555);
    EXPECT_EQ(rs.fieldType("H"), FieldType::Currency);
    EXPECT_EQ(rs.field("H").toDouble(), 3.5);
    EXPECT_EQ(rs.fieldType("I"), FieldType::Boolean);
    EXPECT_EQ(rs.field("I").toInteger(), -1); // True
    EXPECT_EQ(rs.field("I").toText(), "True");
    EXPECT_EQ(rs.fieldType("G"), FieldType::DateTime);
    EXPECT_EQ(rs.field("G").toDouble(), 27293.0); // 1974-09-21: days since 1899-12-30

    const Recordset empty = db.openRecordset("select * from Table2");
    EXPECT_TRUE(empty.eof());
    // column1 ... column89: the table definition holds 89 columns (the fixture notes
    // say "90"; the file and mdb-schema agree on 89).
    EXPECT_EQ(empty.fieldNames().size(), 89u);
}

TEST(AccessDatabase, ReadsMemoTextAcrossLines)
{
    const AccessDatabase db = openDb(kDateTest);
    Recordset rs = db.openRecordset("select * from DateTest");
    ASSERT_EQ(rs.recordCount(), 6u);
    EXPECT_EQ(rs.fieldType("LongTextCol"), FieldType::Memo);
    EXPECT_EQ(rs.field("LongTextCol").toText(), "Hello");
    EXPECT_EQ(rs.field("ShortTextCol").toText(), "Hello");
    for (int i = 1; i < 6; ++i)
        rs.moveNext();
    EXPECT_EQ(rs.field("IDCol").toLong(), 6);
    EXPECT_EQ(rs.field("LongTextCol").toText(), "New line\r\nin field");
    EXPECT_EQ(rs.field("ShortTextCol").toText(), "No new line");
}

// ---- Numbers are read in binary, whatever the C library's locale ----

// Switches LC_NUMERIC to a locale with a decimal comma for the test's lifetime; builds
// one with localedef in a temporary folder when the machine has none.
class DecimalCommaLocale {
public:
    DecimalCommaLocale()
    {
        previous_ = std::setlocale(LC_NUMERIC, nullptr);
        for (const char* name : {"it_IT.UTF-8", "de_DE.UTF-8", "it_IT.utf8", "de_DE.utf8"})
            if (std::setlocale(LC_NUMERIC, name)) {
                active_ = true;
                return;
            }
        const auto dir = std::filesystem::temp_directory_path() / "tarvello-locales";
        std::filesystem::create_directories(dir);
        const std::string command = "localedef -i it_IT -f UTF-8 " + (dir / "it_IT.UTF-8").string() + " 2>/dev/null";
        // Built once per machine: later runs find it in the temporary folder.
        if (std::filesystem::exists(dir / "it_IT.UTF-8" / "LC_NUMERIC") || std::system(command.c_str()) == 0) {
            setenv("LOCPATH", dir.c_str(), 1);
            setLocPath_ = true;
            active_ = std::setlocale(LC_NUMERIC, "it_IT.UTF-8") != nullptr;
        }
    }
    ~DecimalCommaLocale()
    {
        std::setlocale(LC_NUMERIC, previous_.c_str());
        if (setLocPath_)
            unsetenv("LOCPATH");
    }
    bool active() const { return active_ && std::localeconv()->decimal_point[0] == ','; }

private:
    std::string previous_;
    bool active_ = false;
    bool setLocPath_ = false;
};

TEST(AccessDatabase, NumbersAreExactUnderADecimalCommaLocale)
{
    DecimalCommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no locale with a decimal comma could be found or built";
    const AccessDatabase db = openDb(kTarvello, ";PWD=kelbrun");
    expectSinglesExact(db);
    // Numbers given as text convert in the C locale too.
    EXPECT_EQ(FieldValue::text(FieldType::Text, "2.5").toSingle(), 2.5f);
    EXPECT_EQ(FieldValue::number(FieldType::Single, 0.45f).toText(), "0.45");
}

// ---- Errors ----

TEST(AccessDatabase, FailuresCarryTheEngineNumbers)
{
    const auto missingFolder = std::string(TARVELLO_SHARED_DIR) + "/no-such-folder/x.mdb";
    const auto missingFile = std::string(TARVELLO_SHARED_DIR) + "/fixtures/no-such-file.mdb";
    const auto notAccess = std::string(TARVELLO_SHARED_DIR) + "/fixtures/independent-writer/CONTENTS.md";
    EXPECT_EQ(errorNumberOf([&] { openDb(missingFile); }), dberr::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { openDb(missingFolder); }), dberr::NotValidPath);
    EXPECT_EQ(errorNumberOf([&] { openDb(notAccess); }), dberr::UnrecognizedFormat);
    EXPECT_EQ(errorNumberOf([&] { openDb(std::string(TARVELLO_SHARED_DIR) + "/fixtures"); }), dberr::CannotOpenFile);

    try {
        openDb(missingFile);
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(missingFile), std::string::npos) << "the message names the file";
    }

    const AccessDatabase db = openDb(kTarvello, ";PWD=kelbrun");
    struct QueryCase {
        const char* sql;
        int error;
    };
    const QueryCase queries[] = {
        {"select * from NoSuchTable", dberr::TableNotFound},
        {"delete * from DatiMRZ", dberr::InvalidSqlStatement},
        {"select Modello from DatiMRZ", dberr::InvalidSqlStatement},
        {"select * DatiMRZ", dberr::SyntaxError},
        {"select * from DatiMRZ order by Modello", dberr::SyntaxError},
        {"select * from DatiMRZ where Nothing = 1", dberr::TooFewParameters},
        {"select * from DatiMRZ where Geom 3", dberr::SyntaxErrorInQuery},
        {"select * from DatiMRZ where Geom = 'x'", dberr::CriteriaTypeMismatch},
        {"select * from DatiMRZ where Modello = 3", dberr::CriteriaTypeMismatch},
    };
    for (const QueryCase& q : queries)
        EXPECT_EQ(errorNumberOf([&] { (void)db.openRecordset(q.sql); }), q.error) << q.sql;

    const Recordset rs = db.openRecordset("select * from [DatiMRZ] where Modello = 'kxr 200';");
    ASSERT_EQ(rs.recordCount(), 1u);
    EXPECT_EQ(errorNumberOf([&] { (void)rs.field("NoSuchColumn"); }), dberr::ItemNotFound);
    EXPECT_EQ(errorNumberOf([&] { (void)rs.field("Modello").toInteger(); }), dberr::TypeMismatch);

    AccessDatabase closed;
    EXPECT_EQ(errorNumberOf([&] { (void)closed.openRecordset("select * from DatiMRZ"); }), dberr::ObjectClosed);
}

// ---- Conversions of one value ----

TEST(FieldValue, ConversionsRoundCheckRangeAndRefuseNull)
{
    struct Case {
        FieldValue value;
        int expectedInteger; // or the error number when `error`
        bool error;
    };
    const Case cases[] = {
        {FieldValue::number(FieldType::Single, 2.5), 2, false}, // half to even
        {FieldValue::number(FieldType::Single, 3.5), 4, false},
        {FieldValue::number(FieldType::Double, -2.5), -2, false},
        {FieldValue::number(FieldType::Double, 2.6), 3, false},
        {FieldValue::number(FieldType::Double, 32767.4), 32767, false},
        {FieldValue::number(FieldType::Double, 32767.5), dberr::Overflow, true},
        {FieldValue::number(FieldType::Double, -32768.5), -32768, false}, // to even: -32768
        {FieldValue::number(FieldType::Double, -32769), dberr::Overflow, true},
        {FieldValue::number(FieldType::Single, std::nan("")), dberr::Overflow, true},
        {FieldValue::text(FieldType::Text, " 12 "), 12, false},
        {FieldValue::text(FieldType::Text, "12,5"), dberr::TypeMismatch, true},
        {FieldValue::text(FieldType::Text, ""), dberr::TypeMismatch, true},
        {FieldValue::null(FieldType::Integer), dberr::InvalidUseOfNull, true},
        {FieldValue::null(FieldType::Text), dberr::InvalidUseOfNull, true},
    };
    for (const Case& c : cases) {
        if (c.error)
            EXPECT_EQ(errorNumberOf([&] { (void)c.value.toInteger(); }), c.expectedInteger);
        else
            EXPECT_EQ(c.value.toInteger(), c.expectedInteger);
    }
    EXPECT_EQ(errorNumberOf([] { (void)FieldValue::number(FieldType::Double, 1e39).toSingle(); }), dberr::Overflow);
    EXPECT_EQ(FieldValue::number(FieldType::Long, 2147483647).toLong(), 2147483647);
    EXPECT_EQ(errorNumberOf([] { (void)FieldValue::number(FieldType::Double, 2147483648.0).toLong(); }),
              dberr::Overflow);
    EXPECT_EQ(errorNumberOf([] { (void)FieldValue::null(FieldType::Text).toText(); }), dberr::InvalidUseOfNull);
    EXPECT_EQ(FieldValue::text(FieldType::Text, "").toText(), "");
    EXPECT_EQ(errorNumberOf([] { (void)FieldValue::text(FieldType::Text, "inf").toDouble(); }), dberr::TypeMismatch);
}

TEST(FieldValue, NumbersAsTextUseThePointAndTheShortestForm)
{
    struct Case {
        FieldValue value;
        const char* text;
    };
    const Case cases[] = {
        {FieldValue::number(FieldType::Single, 0.45f), "0.45"}, // not 0.449999988
        {FieldValue::number(FieldType::Single, -0.00006f), "-6e-05"},
        {FieldValue::number(FieldType::Double, 444.555), "444.555"},
        {FieldValue::number(FieldType::Integer, -12), "-12"},
        {FieldValue::number(FieldType::Long, 1111000), "1111000"},
        {FieldValue::number(FieldType::Boolean, -1), "True"},
        {FieldValue::number(FieldType::Boolean, 0), "False"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value.toText(), c.text);
}

TEST(ConnectString, PasswordPart)
{
    struct Case {
        const char* connect;
        std::optional<std::string> password;
    };
    const Case cases[] = {
        {";PWD=kelbrun", "kelbrun"},
        {";pwd=kelbrun", "kelbrun"},
        {"MS Access;PWD=a b;UID=admin", "a b"},
        {";PWD=", ""},
        {";PWD=x=y", "x=y"},
        {"", std::nullopt},
        {";UID=admin", std::nullopt},
        {";PWDX=1", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(jet::connectPassword(c.connect), c.password) << c.connect;
}

} // namespace
} // namespace tarvello

namespace tarvello {
namespace {

// ---- Null and empty text ----

// A copy of pinvale.mdb with its two dip rows edited in place. Each row is
// [2 columns][codice][Wiring UCS-2, 24 bytes][eod][var offset][1 var column][null mask]:
// clearing a mask bit makes the value Null, moving eod down to the value's start makes
// the text empty while the mask still says "present".
class EditedPinvale {
public:
    EditedPinvale()
    {
        std::ifstream in(kPinvale, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), {});
    }
    // The row whose codice is `code` (both codes fit in three bytes).
    std::size_t rowStart(uint32_t code) const
    {
        const unsigned char head[] = {0x02, 0x00, uint8_t(code), uint8_t(code >> 8), uint8_t(code >> 16), 0x00};
        const auto it = std::search(bytes_.begin(), bytes_.end(), std::begin(head), std::end(head));
        EXPECT_NE(it, bytes_.end()) << "row " << code << " not found";
        return std::size_t(it - bytes_.begin());
    }
    void setNullMask(uint32_t code, unsigned char mask) { bytes_[rowStart(code) + 36] = mask; }
    void emptyWiring(uint32_t code) { bytes_[rowStart(code) + 30] = 0x06; } // eod = var offset
    std::string write() const
    {
        const auto path = std::filesystem::temp_directory_path() / ("tarvello-edited-" + std::to_string(::getpid()) + ".mdb");
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes_.data()), std::streamsize(bytes_.size()));
        return path.string();
    }

private:
    std::vector<unsigned char> bytes_;
};

TEST(AccessDatabase, NullAndEmptyTextAreToldApart)
{
    EditedPinvale edited;
    edited.setNullMask(1111000, 0x01); // Wiring Null
    edited.emptyWiring(11);            // Wiring "" (present)
    AccessDatabase db = openDb(edited.write());

    Recordset nullRow = db.openRecordset("select * from dip where codice =1111000");
    ASSERT_FALSE(nullRow.eof());
    EXPECT_TRUE(nullRow.field("Wiring").isNull());
    EXPECT_EQ(errorNumberOf([&] { (void)nullRow.field("Wiring").toText(); }), dberr::InvalidUseOfNull);

    Recordset emptyRow = db.openRecordset("select * from dip where codice =0000011");
    ASSERT_FALSE(emptyRow.eof());
    EXPECT_FALSE(emptyRow.field("Wiring").isNull());
    EXPECT_EQ(emptyRow.field("Wiring").toText(), "");
}

// "Encrypt database" encodes every page after the header with RC4, keyed by a value in
// the header XOR the page number: the model database so encoded must read the same.
TEST(AccessDatabase, ReadsAPageEncodedFile)
{
    std::ifstream in(kTarvello, std::ios::binary);
    std::vector<unsigned char> bytes(std::istreambuf_iterator<char>(in), {});
    constexpr uint32_t kKey = 0x5A17C3E9;
    const unsigned char headerKey[] = {0xC7, 0xDA, 0x39, 0x6B};
    const std::span masked(bytes.data() + 0x18, 128);
    jet::rc4(headerKey, masked); // now plain
    for (int i = 0; i < 4; ++i)
        bytes[0x3E + std::size_t(i)] = uint8_t(kKey >> (8 * i));
    jet::rc4(headerKey, masked); // masked again
    for (std::size_t page = 1; page < bytes.size() / 4096; ++page) {
        const uint32_t key = kKey ^ uint32_t(page);
        const unsigned char pageKey[] = {uint8_t(key), uint8_t(key >> 8), uint8_t(key >> 16), uint8_t(key >> 24)};
        jet::rc4(pageKey, std::span(bytes.data() + page * 4096, 4096));
    }
    const auto path = std::filesystem::temp_directory_path() / ("tarvello-encoded-" + std::to_string(::getpid()) + ".mdb");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    EXPECT_EQ(errorNumberOf([&] { openDb(path.string()); }), dberr::InvalidPassword);
    const AccessDatabase db = openDb(path.string(), ";PWD=kelbrun");
    expectSinglesExact(db);
    std::filesystem::remove(path);
}

TEST(AccessDatabase, ANullNumberMatchesNoCriterion)
{
    EditedPinvale edited;
    edited.setNullMask(11, 0x02); // codice Null, Wiring present
    AccessDatabase db = openDb(edited.write());
    EXPECT_TRUE(db.openRecordset("select * from dip where codice =0000011").eof());
    Recordset all = db.openRecordset("select * from dip");
    all.moveNext();
    EXPECT_TRUE(all.field("codice").isNull());
    EXPECT_EQ(errorNumberOf([&] { (void)all.field("codice").toLong(); }), dberr::InvalidUseOfNull);
    EXPECT_EQ(all.field("Wiring").toText(), "w0000011.pdf");
}

} // namespace
} // namespace tarvello

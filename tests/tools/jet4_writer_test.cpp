// The Jet 4 writer on its own: text encoding, the header cipher and password, the page
// layout, and the refusals of databases it cannot write.

#include "tests/tools/test_support.h"
#include "tools/jetwriter/jet4_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace jetwriter;
using toolstest::u16;

namespace {

constexpr size_t kPage = 4096;

struct TextCase {
    const char* utf8;
    std::vector<uint8_t> stored;
    const char* why;
};

TEST(JetText, CompressesOnlyWhenEveryCharacterFitsOneByteAndItIsShorter) {
    const TextCase cases[] = {
        {"", {}, "empty text is zero bytes, never a bare FF FE"},
        {"S", {0x53, 0x00}, "one letter: 3 compressed bytes are not shorter than 2"},
        {"°C", {0xB0, 0x00, 0x43, 0x00}, "two characters: 4 bytes either way, stays plain"},
        {"KXA 20", {0xFF, 0xFE, 'K', 'X', 'A', ' ', '2', '0'}, "Latin-1 text is compressed"},
        {"27 °C", {0xFF, 0xFE, '2', '7', ' ', 0xB0, 'C'}, "U+00B0 still fits one byte"},
        {"żó", {0x7C, 0x01, 0xF3, 0x00}, "U+017C needs two bytes: the whole value stays plain"},
        {"Zażółć gęślą jaźń",
         {0x5A, 0x00, 0x61, 0x00, 0x7C, 0x01, 0xF3, 0x00, 0x42, 0x01, 0x07, 0x01, 0x20, 0x00, 0x67, 0x00,
          0x19, 0x01, 0x5B, 0x01, 0x6C, 0x00, 0x05, 0x01, 0x20, 0x00, 0x6A, 0x00, 0x61, 0x00, 0x7A, 0x01,
          0x44, 0x01},
         "Polish letters: plain UCS-2LE"},
    };
    for (const TextCase& c : cases) EXPECT_EQ(encodeJetText(u16(c.utf8)), c.stored) << c.why;
}

TEST(JetText, Utf8DecodingRejectsMalformedInput) {
    EXPECT_EQ(utf8ToUtf16("a°ż€"), std::u16string(u"a°ż€"));
    EXPECT_EQ(utf8ToUtf16("\xF0\x9F\x98\x80"), std::u16string(u"\U0001F600"));  // surrogate pair
    const char* malformed[] = {
        "\xC0\x80",      // overlong NUL
        "\xC5",          // truncated two-byte sequence
        "\x80",          // stray continuation byte
        "\xED\xA0\x80",  // encoded surrogate
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
        "ab\xE2\x82",    // truncated at the end
    };
    for (const char* bytes : malformed) EXPECT_FALSE(utf8ToUtf16(bytes).has_value()) << bytes;
}

TEST(JetHeader, Rc4MatchesPublishedVectorAndTheJetHeaderKeystream) {
    // RC4 test vector: key "Key", plaintext "Plaintext" -> BB F3 16 E8 D9 40 AF 0A D3.
    std::vector<uint8_t> data = {'P', 'l', 'a', 'i', 'n', 't', 'e', 'x', 't'};
    rc4Apply({'K', 'e', 'y'}, data.data(), data.size());
    EXPECT_EQ(data, (std::vector<uint8_t>{0xBB, 0xF3, 0x16, 0xE8, 0xD9, 0x40, 0xAF, 0x0A, 0xD3}));
    // The header key's keystream starts with the fixed mask other Jet writers XOR in.
    std::vector<uint8_t> zeros(8, 0);
    rc4Apply({0xC7, 0xDA, 0x39, 0x6B}, zeros.data(), zeros.size());
    EXPECT_EQ(zeros, (std::vector<uint8_t>{0xB5, 0x6F, 0x03, 0x62, 0x61, 0x08, 0xC2, 0x55}));
}

TEST(JetHeader, PasswordDecoderReadsFilesOfOtherWriters) {
    // Files written by Access and by an independent library: the decoder in these tests
    // must agree with them before it can judge our files.
    const std::filesystem::path shared = TARVELLO_SHARED_DIR "/fixtures";
    EXPECT_EQ(toolstest::decodeJet4Password(shared / "independent-writer/tarvello.mdb"), u"kelbrun");
    EXPECT_EQ(toolstest::decodeJet4Password(shared / "independent-writer/pinvale.mdb"), u"");
    EXPECT_EQ(toolstest::decodeJet4Password(shared / "access-samples/V2000_with-password.mdb"), u"password");
}

Database oneTable(std::vector<Column> columns, std::vector<Row> rows) {
    Database db;
    db.tables.push_back({"T", std::move(columns), std::move(rows)});
    return db;
}

TEST(JetHeader, StoresThePasswordAsAccessDoes) {
    toolstest::TempDir dir;
    const struct {
        std::u16string password;
        double date;
    } cases[] = {{u"kelbrun", 46000.5}, {u"", 46000.5}, {u"Zażółć12345678901234", 38143.5465}};
    for (const auto& c : cases) {
        Database db = oneTable({{"A", ColumnType::Long}}, {{int32_t{1}}});
        db.password = c.password;
        db.creationDate = c.date;
        toolstest::writeBinary(dir.path() / "p.mdb", buildJet4Image(db));
        EXPECT_EQ(toolstest::decodeJet4Password(dir.path() / "p.mdb"), c.password);
    }
}

TEST(JetLayout, PagesAndCounts) {
    std::vector<Row> rows;
    for (int i = 0; i < 600; ++i) rows.push_back({u16("row text that takes room"), int32_t{i}});
    const Database db = oneTable({{"Name", ColumnType::Text}, {"N", ColumnType::Long}}, rows);
    const std::vector<uint8_t> image = buildJet4Image(db);
    ASSERT_EQ(image.size() % kPage, 0u);
    const size_t pages = image.size() / kPage;
    EXPECT_EQ(image[0], 0x00);
    EXPECT_EQ(std::memcmp(&image[4], "Standard Jet DB", 16), 0);
    EXPECT_EQ(image[0x14], 0x01) << "Jet 4";
    EXPECT_EQ(image[2 * kPage], 0x02) << "the catalog's definition sits on page 2";
    // The user table's definition is the first page after the usage maps; its row count
    // field is what mdb-count shows.
    const size_t tdef = 4 * kPage;
    ASSERT_EQ(image[tdef], 0x02);
    uint32_t rowCount = 0;
    std::memcpy(&rowCount, &image[tdef + 16], 4);
    EXPECT_EQ(rowCount, 600u);
    size_t ownedDataPages = 0, ownedRows = 0;
    for (size_t p = 1; p < pages; ++p) {
        const uint8_t* page = &image[p * kPage];
        uint32_t owner = 0;
        std::memcpy(&owner, page + 4, 4);
        if (page[0] == 0x01 && owner == 4) {
            ++ownedDataPages;
            uint16_t n = 0;
            std::memcpy(&n, page + 12, 2);
            EXPECT_LE(n, 255);
            ownedRows += n;
        }
    }
    EXPECT_GE(ownedDataPages, 3u) << "600 rows of about 60 bytes need several pages";
    EXPECT_EQ(ownedRows, 600u);
}

TEST(JetLayout, SameInputGivesTheSameBytes) {
    const Database db = oneTable({{"A", ColumnType::Single}}, {{1.5f}, {Null{}}});
    EXPECT_EQ(buildJet4Image(db), buildJet4Image(db)) << "builds must be reproducible";
}

struct RefusalCase {
    const char* why;
    Database db;
    const char* messagePart;
};

TEST(JetWriter, RefusesWhatItCannotStoreFaithfully) {
    Database twoTables = oneTable({{"A", ColumnType::Long}}, {});
    twoTables.tables.push_back({"t", {{"B", ColumnType::Long}}, {}});
    Database longPassword = oneTable({{"A", ColumnType::Long}}, {});
    longPassword.password = u"123456789012345678901";
    Database reservedName = oneTable({{"A", ColumnType::Long}}, {});
    reservedName.tables[0].name = "MSysObjects";
    std::vector<Column> many;
    for (int i = 0; i < 256; ++i) many.push_back({"C" + std::to_string(i), ColumnType::Integer});

    const RefusalCase cases[] = {
        {"table names differ only in case", twoTables, "tables T and t have the same name"},
        {"reserved name", reservedName, "reserved"},
        {"no columns", oneTable({}, {}), "no columns"},
        {"too many columns", oneTable(many, {}), "more than 255 columns"},
        {"duplicate column", oneTable({{"A", ColumnType::Long}, {"a", ColumnType::Long}}, {}), "two columns"},
        {"empty column name", oneTable({{"", ColumnType::Long}}, {}), "name is empty"},
        {"bracket in a name", oneTable({{"A]", ColumnType::Long}}, {}), "does not allow"},
        {"dot in a name", oneTable({{"A.B", ColumnType::Long}}, {}), "does not allow"},
        {"leading blank", oneTable({{" A", ColumnType::Long}}, {}), "does not allow"},
        {"name too long", oneTable({{std::string(65, 'x'), ColumnType::Long}}, {}), "longer than 64"},
        {"text length 0", oneTable({{"A", ColumnType::Text, 0}}, {}), "text length"},
        {"text length 256", oneTable({{"A", ColumnType::Text, 256}}, {}), "text length"},
        {"row too short", oneTable({{"A", ColumnType::Long}, {"B", ColumnType::Long}}, {{int32_t{1}}}), "1 values for 2 columns"},
        {"Integer given for a Long", oneTable({{"A", ColumnType::Long}}, {{int16_t{1}}}), "expected a Long"},
        {"number given for a Text", oneTable({{"A", ColumnType::Text}}, {{1.0f}}), "expected a text"},
        {"text too long", oneTable({{"A", ColumnType::Text, 3}}, {{u16("abcd")}}), "longer than 3"},
        {"NaN", oneTable({{"A", ColumnType::Single}}, {{std::numeric_limits<float>::quiet_NaN()}}), "finite"},
        {"infinity", oneTable({{"A", ColumnType::Double}}, {{std::numeric_limits<double>::infinity()}}), "finite"},
        {"password over 20 characters", longPassword, "password"},
    };
    for (const RefusalCase& c : cases) {
        try {
            buildJet4Image(c.db);
            ADD_FAILURE() << c.why << ": no error";
        } catch (const WriteError& e) {
            EXPECT_NE(std::string(e.what()).find(c.messagePart), std::string::npos)
                << c.why << ": " << e.what();
        }
    }
}

TEST(JetWriter, RefusesARowLargerThanAPage) {
    std::vector<Column> columns;
    Row row;
    for (int i = 0; i < 9; ++i) {
        columns.push_back({"T" + std::to_string(i), ColumnType::Text, 255});
        row.push_back(std::u16string(255, u'ż'));  // 510 bytes each
    }
    EXPECT_THROW(buildJet4Image(oneTable(columns, {row})), WriteError);
}

TEST(JetWriter, RefusesATableBeyondItsUsageMap) {
    // One row of four full Text(255) columns of non-Latin-1 text fills a page; the inline
    // usage map lists at most 512 data pages per table.
    std::vector<Column> columns;
    Row row;
    for (int i = 0; i < 4; ++i) {
        columns.push_back({"T" + std::to_string(i), ColumnType::Text, 255});
        row.push_back(std::u16string(255, u'ż'));
    }
    EXPECT_NO_THROW(buildJet4Image(oneTable(columns, std::vector<Row>(512, row))));
    try {
        buildJet4Image(oneTable(columns, std::vector<Row>(513, row)));
        ADD_FAILURE() << "no error";
    } catch (const WriteError& e) {
        EXPECT_NE(std::string(e.what()).find("table T needs more than 512 data pages"), std::string::npos) << e.what();
    }
}

TEST(JetWriter, AtomicWriteReplacesOrLeavesTheTargetAlone) {
    toolstest::TempDir dir;
    const auto target = dir.path() / "out.mdb";
    toolstest::writeText(target, "old");
    writeFileAtomically(target, {1, 2, 3});
    EXPECT_EQ(toolstest::readText(target), std::string("\x01\x02\x03"));
    EXPECT_THROW(writeFileAtomically(dir.path() / "missing-folder" / "x.mdb", {1}), WriteError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
        << "no temporary file is left behind";
}

}  // namespace

// Damaged model databases must say so: a header damaged in its password field or in the
// creation date that masks it is refused as damaged, not as a wrong password, and a
// truncated file that opens names itself when a table is missing.
#include "platform/access_database.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace tarvello;

namespace {

namespace fs = std::filesystem;

const char* const kPassword = ";PWD=kelbrun";

// The databases with our password: the build's own and the independent writer's.
std::vector<std::string> passwordDatabases()
{
    std::vector<std::string> found;
    for (const std::string& path : {std::string(TARVELLO_APP_DIR "/tarvello.mdb"),
                                   std::string(TARVELLO_SHARED_DIR "/fixtures/independent-writer/tarvello.mdb")})
        if (fs::exists(path))
            found.push_back(path);
    return found;
}

std::vector<char> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const fs::path& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

enum class Outcome { Opens, Damaged, WrongPassword };

Outcome openOutcome(const std::string& path, const char* connect)
{
    AccessDatabase db;
    try {
        db.open(path, connect);
        return Outcome::Opens;
    } catch (const DatabaseError& e) {
        if (e.number() == dberr::InvalidPassword)
            return Outcome::WrongPassword;
        EXPECT_EQ(e.number(), dberr::CorruptDatabase) << e.what();
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << "the message names the file: " << e.what();
        return Outcome::Damaged;
    }
}

// Header bytes: the password field is 0x42..0x69 (20 UCS-2 characters), the creation
// date a double at 0x72. Both lie under a fixed RC4 mask, so flipping a bit of the file
// flips the same bit of the decoded value.
struct HeaderDamage {
    const char* name;
    std::size_t offset;
    unsigned char flip;    // XORed into the byte
    Outcome outcome;
};

class DamagedHeader : public ::testing::TestWithParam<HeaderDamage> {};

TEST_P(DamagedHeader, IsToldForWhatItIs)
{
    const std::vector<std::string> databases = passwordDatabases();
    if (databases.empty())
        GTEST_SKIP() << "neither the build's tarvello.mdb nor ../shared's fixture is there";
    const fs::path dir = fs::temp_directory_path() / ("tarvello-header-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (const std::string& source : databases) {
        std::vector<char> bytes = readAll(source);
        ASSERT_GT(bytes.size(), GetParam().offset);
        bytes[GetParam().offset] = char(bytes[GetParam().offset] ^ GetParam().flip);
        const fs::path damaged = dir / "tarvello.mdb";
        writeAll(damaged, bytes);
        EXPECT_EQ(openOutcome(damaged.string(), kPassword), GetParam().outcome) << source;
    }
    fs::remove_all(dir);
}

constexpr std::size_t kPasswordField = 0x42;
constexpr std::size_t kCreationDate = 0x72;

INSTANTIATE_TEST_SUITE_P(
    Databases, DamagedHeader,
    ::testing::Values(
        HeaderDamage{"Intact", 0, 0, Outcome::Opens},
        HeaderDamage{"LetterBecomesAControlCharacter", kPasswordField, 0x60, Outcome::Damaged},
        HeaderDamage{"LetterLeavesAscii", kPasswordField + 2, 0x80, Outcome::Damaged},
        HeaderDamage{"HighByteOfALetter", kPasswordField + 3, 0x5A, Outcome::Damaged},
        HeaderDamage{"LetterBecomesTheEnd", kPasswordField + 4, 0x6C, Outcome::Damaged},
        // After the password's end nothing is read when the password matches.
        HeaderDamage{"AfterThePasswordsEnd", kPasswordField + 2 * 10, 0x01, Outcome::Opens},
        HeaderDamage{"LastByteOfTheField", kPasswordField + 39, 0x40, Outcome::Opens},
        HeaderDamage{"CreationDateDay", kCreationDate + 5, 0x01, Outcome::Damaged},
        HeaderDamage{"CreationDateSign", kCreationDate + 7, 0x80, Outcome::Damaged},
        HeaderDamage{"CreationDateExponent", kCreationDate + 6, 0x70, Outcome::Damaged},
        // The fraction of the day does not enter the mask: the file still opens.
        HeaderDamage{"CreationDateTimeOfDay", kCreationDate, 0x01, Outcome::Opens},
        // One printable letter for another ("kelbrun" -> "jelbrun") is a password like
        // any other: no file-only rule can tell it from a real mismatch.
        HeaderDamage{"LetterForLetter", kPasswordField, 0x01, Outcome::WrongPassword}),
    [](const ::testing::TestParamInfo<HeaderDamage>& info) { return std::string(info.param.name); });

TEST(DamagedHeader, AnIntactFileWithAnotherPasswordIsAWrongPassword)
{
    const std::vector<std::string> databases = passwordDatabases();
    if (databases.empty())
        GTEST_SKIP() << "neither the build's tarvello.mdb nor ../shared's fixture is there";
    for (const std::string& path : databases)
        for (const char* connect : {";PWD=other", "", ";PWD=Kelbrun"})
            EXPECT_EQ(openOutcome(path, connect), Outcome::WrongPassword) << path << " " << connect;
}

// ---- Truncated files ----

class TruncatedDatabase : public ::testing::TestWithParam<std::size_t> {};

TEST_P(TruncatedDatabase, NamesItselfWhenATableIsMissing)
{
    const std::string source = TARVELLO_APP_DIR "/tarvello.mdb";
    if (!fs::exists(source))
        GTEST_SKIP() << "the build has not written " << source;
    std::vector<char> bytes = readAll(source);
    ASSERT_GT(bytes.size(), GetParam());
    bytes.resize(GetParam());
    const fs::path dir = fs::temp_directory_path() / ("tarvello-truncated-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path path = dir / "tarvello.mdb";
    writeAll(path, bytes);
    AccessDatabase db;
    try {
        db.open(path.string(), kPassword);
        for (const char* table : {"DatiKORVE", "DatiMRZ", "DatiHJQ", "DPAcc", "DPAccHJQ"})
            db.openRecordset(std::string("select * from ") + table);
        ADD_FAILURE() << "every table read from the first " << GetParam() << " bytes";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
    }
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Databases, TruncatedDatabase,
                         ::testing::Values(12 * 1024, 16 * 1024, 20 * 1024, 24 * 1024, 32 * 1024, 40 * 1024,
                                           48 * 1024),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                             return std::to_string(info.param / 1024) + "KB";
                         });

} // namespace

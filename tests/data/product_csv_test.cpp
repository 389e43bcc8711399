// The calibration tool's CSV handling: the numbers it writes read back as the same single
// precision values (the Jet writer and the loaders see exactly what was solved), and a
// faulty source is refused with its file, row and column.

#include "tools/calibrate/product_csv.h"

#include "engine/product_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace tarvello::catalogue {
namespace {

TEST(ProductCsv, ShortestTextReadsBackAsTheSameSingle)
{
    const float values[] = {0.1f, 1.0f / 3.0f, -0.000974689f, 22.1651f, 300.0f, 1e-7f, 79.0f, 0.0f};
    for (float v : values) {
        const std::string text = shortestText(v);
        EXPECT_EQ(std::stof(text), v) << text;
        EXPECT_EQ(static_cast<float>(std::stod(text)), v) << text << ": read as double, then single";
    }
    EXPECT_EQ(shortestText(300.0f), "300");
    EXPECT_EQ(shortestText(0.1f), "0.1");
}

class ProductCsvFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() / ("product_csv_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    void write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    std::filesystem::path dir_;
};

const char* const kMrzHeader =
    "Modello:Text(50),Geom:Integer,Passo:Integer,LunBat:Single,AltBAt:Single,NR:Single,NC:Single,"
    "V1A:Single,V1B:Single,V1C:Single,V2A:Single,V2B:Single,V2C:Single,V3A:Single,V3B:Single,V3C:Single,"
    "C100:Single,FC30:Single,CC30:Single,FCC50:Single,CCC50:Single,LWA1:Single,LWA2:Single,LWA3:Single,"
    "Sezione:Single,Bocche:Integer\n";

TEST_F(ProductCsvFiles, ReadsWritesAndReadsBackALine)
{
    write("DatiMRZ.csv", std::string(kMrzHeader)
                             + "KXR 1,3,2,600,300,3,2,-0.0005,0,80,-0.0004,0,120,-0.0003,0,180,0.1,55.5,60,1.5,2.5,50,"
                               "55,60,0.16,2\n");
    write("DPAcc.csv", "Cost:Single,Espo:Single,OPZBoc:Text(50)\n4,1.75,N\n1.2,2,S\n");
    ModelTable t;
    readLine(LineMRZ, dir_, t);
    ASSERT_EQ(t.NumModels, 1);
    EXPECT_EQ(t.SeriesCode, "MRZ");
    EXPECT_EQ(t.VelC[1][2], 120.0f);
    EXPECT_EQ(t.FCC50[1], 1.5f);
    EXPECT_EQ(t.CCC50[1], 2.5f);
    EXPECT_EQ(t.Bocche[1], 2);
    EXPECT_EQ(t.NumAccessories, 2);
    EXPECT_EQ(t.OPZBoc[2], "S");
    t.FC30[1] = 1.0f / 3.0f; // a solved coefficient
    t.NC[1] = 4;
    writeModelTable(t, dir_);
    ModelTable again;
    readLine(LineMRZ, dir_, again);
    EXPECT_EQ(again.FC30[1], 1.0f / 3.0f);
    EXPECT_EQ(again.NC[1], 4.0f);
    EXPECT_EQ(again.Modello[1], "KXR 1");
    const std::string written = formatCsvText(readCsvText(dir_ / "DatiMRZ.csv"));
    EXPECT_EQ(written.substr(0, std::string(kMrzHeader).size()), kMrzHeader) << "the header is kept";
}

struct FaultCase {
    std::string row;
    std::string expectedInMessage;
};

TEST_F(ProductCsvFiles, RefusesAFaultySourceNamingWhere)
{
    const FaultCase cases[] = {
        {"KXR 1,3,2,600,300,3,2,-0.0005,0,80,-0.0004,0,120,-0.0003,0,180,0.1,55x,60,1.5,2.5,50,55,60,0.16,2",
         "column FC30"},
        {"KXR 1,3,2.5,600,300,3,2,-0.0005,0,80,-0.0004,0,120,-0.0003,0,180,0.1,55,60,1.5,2.5,50,55,60,0.16,2",
         "column Passo"},
        {"KXR 1,3,2,600,300", "5 values for 26 columns"},
        {"KXR 1,3,2,600,300,3,2,-0.0005,0,80,-0.0004,0,120,-0.0003,0,180,0.1,55,60,1.5,2.5,50,55,60,,2",
         "column Sezione"},
    };
    write("DPAcc.csv", "Cost:Single,Espo:Single,OPZBoc:Text(50)\n4,1.75,N\n");
    for (const FaultCase& c : cases) {
        write("DatiMRZ.csv", std::string(kMrzHeader) + c.row + "\n");
        ModelTable t;
        try {
            readLine(LineMRZ, dir_, t);
            ADD_FAILURE() << "accepted: " << c.row;
        } catch (const ProductCsvError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expectedInMessage), std::string::npos) << e.what();
        }
    }
}

TEST_F(ProductCsvFiles, RefusesMoreRowsThanTheLineHolds)
{
    std::string text = kMrzHeader;
    for (int i = 0; i < 25; ++i)
        text += "KXR " + std::to_string(i)
                + ",3,2,600,300,3,2,-0.0005,0,80,-0.0004,0,120,-0.0003,0,180,0.1,55,60,1.5,2.5,50,55,60,0.16,2\n";
    write("DatiMRZ.csv", text);
    write("DPAcc.csv", "Cost:Single,Espo:Single,OPZBoc:Text(50)\n4,1.75,N\n");
    ModelTable t;
    EXPECT_THROW(readLine(LineMRZ, dir_, t), ProductCsvError);
}

TEST_F(ProductCsvFiles, RefusesALineThatIsNotAProductLine)
{
    for (const int line : {-1, int(kProductLines.size())}) {
        ModelTable t;
        try {
            readLine(line, dir_, t);
            ADD_FAILURE() << "accepted line " << line;
        } catch (const ProductCsvError& e) {
            EXPECT_NE(std::string(e.what()).find("no product line"), std::string::npos) << e.what();
        }
    }
}

// Each line reads the tables of its entry in the line table.
TEST(ProductCsv, EachLineReadsItsOwnTables)
{
    for (const ProductLineInfo& line : kProductLines) {
        EXPECT_EQ(modelTableName(line.id), line.modelTable) << "line " << line.id;
        EXPECT_EQ(accessoryTableName(line.id), line.accessoryTable ? line.accessoryTable : "") << "line " << line.id;
    }
}

} // namespace
} // namespace tarvello::catalogue

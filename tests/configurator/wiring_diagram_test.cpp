// The build-time diagrams: decoding codes, merging shared documents, reading the table and
// writing a sheet.
#include "configurator/wiring/diagram_table.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace pinvale::wiring {
namespace {

QString writeTable(const QTemporaryDir& dir, const QByteArray& rows)
{
    const QString path = dir.filePath("dip.csv");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("codice:Long,Wiring:Text(50)\n" + rows);
    return path;
}

TEST(WiringFeatures, DecodesTheSevenFlagsInOrder)
{
    const auto f = featuresOfCode("0100110");
    ASSERT_TRUE(f);
    EXPECT_FALSE(f->kxa);
    EXPECT_TRUE(f->singleControl);
    EXPECT_FALSE(f->twoPipe);
    EXPECT_FALSE(f->builtIn);
    EXPECT_EQ(f->heater, Fit::Present);
    EXPECT_EQ(f->valves, Fit::Present);
    EXPECT_EQ(f->centralised, Fit::Absent);
    for (const char* bad : {"", "111100", "11110000", "1112000", "111100x"})
        EXPECT_FALSE(featuresOfCode(bad)) << bad;
}

TEST(WiringFeatures, ASharedDocumentShowsDifferingOptionsAsWhereFitted)
{
    const auto merged = featuresOfCodes({*featuresOfCode("1111010"), *featuresOfCode("1111011")});
    EXPECT_EQ(merged.valves, Fit::Present);
    EXPECT_EQ(merged.centralised, Fit::WhereFitted);
    EXPECT_EQ(merged.heater, Fit::Absent);
    EXPECT_EQ(merged.codes, QStringList({"1111010", "1111011"}));
    EXPECT_TRUE(configurationLines(merged).contains("Centralised changeover: where fitted"));
}

TEST(DiagramTable, GroupsCodesByDocumentAndPadsShortCodes)
{
    QTemporaryDir dir;
    const auto documents = readDiagramTable(
        writeTable(dir, "1111000,w1111000.pdf\n11,shared.pdf\n10,shared.pdf\n\n"), nullptr);
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_EQ(documents[0].fileName, "w1111000.pdf");
    EXPECT_EQ(documents[1].fileName, "shared.pdf");
    EXPECT_EQ(documents[1].features.codes, QStringList({"0000011", "0000010"}));
    EXPECT_EQ(documents[1].features.centralised, Fit::WhereFitted);
}

TEST(DiagramTable, RefusesNamesOutsideTheFolderAndBadCodes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1111000,../pinvale.mdb\n", "line 2"},
        {"1111000,w1.pdf\n11,/tmp/x.pdf\n", "line 3"},
        {"1111000,setup.exe\n", "line 2"},
        {"1121000,w1.pdf\n", "line 2"},
        {"11110001,w1.pdf\n", "line 2"},
    };
    for (const auto& [rows, where] : cases) {
        QTemporaryDir dir;
        QString error;
        EXPECT_TRUE(readDiagramTable(writeTable(dir, rows), &error).empty()) << rows;
        EXPECT_TRUE(error.contains(where)) << error.toStdString();
    }
}

TEST(DiagramTable, WritesAOnePagePdf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("w0000011.pdf");
    ASSERT_TRUE(writeDiagramPdf(path, {"w0000011.pdf", *featuresOfCode("0000011")}));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray contents = pdf.readAll();
    EXPECT_TRUE(contents.startsWith("%PDF-"));
    EXPECT_EQ(contents.count("/Type /Page\n") + contents.count("/Type /Page\r"), 1);
    // The sheet's text, where poppler's pdftotext is there to read it.
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QProcess reader;
    reader.start(pdftotext, {path, "-"});
    ASSERT_TRUE(reader.waitForFinished(30000));
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    for (const char* expected : {"Wiring diagram w0000011", "Configuration code: 0000011",
                                 "KXR ducted unit", "Mode: 4-pipe", "heating valve actuator",
                                 "changeover contact"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(text.contains("Electric heater: no"));
    EXPECT_FALSE(text.contains("safety thermostat")) << "code 0000011 has no heater";
}

TEST(DiagramTable, TheShippedTableIsValid)
{
    QString error;
    const auto documents =
        readDiagramTable(QStringLiteral(TARVELLO_SOURCE_DIR "/data/dip.csv"), &error);
    EXPECT_FALSE(documents.empty()) << error.toStdString();
}

} // namespace
} // namespace pinvale::wiring

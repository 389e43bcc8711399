// The configurator's reader on Access files written by an independent writer, and the
// shipped table of diagrams against every configuration the window can reach.
#include "configurator/access_configurator_data.h"
#include "configurator/module1.h"
#include "tools/jetwriter/jet4_writer.h"

#include "fake_configurator.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <set>

namespace pinvale {
namespace {

const QString kFixture =
    QStringLiteral(TARVELLO_SHARED_DIR "/fixtures/independent-writer/pinvale.mdb");

// The fixtures live beside the project (../shared); a clone without them skips.
#define SKIP_WITHOUT(path)                                                                                  \
    if (!QFile::exists(path))                                                                               \
    GTEST_SKIP() << "the shared fixture " << QString(path).toStdString() << " is not there (../shared is absent)"

TEST(AccessConfiguratorData, ReadsTheVersionAndFindsCodesNumerically)
{
    SKIP_WITHOUT(kFixture);
    AccessConfiguratorData data(kFixture);
    EXPECT_EQ(data.versionText(), QStringLiteral("1.0 test"));
    EXPECT_EQ(data.wiringFor(wiringQuery("1111000")), QStringLiteral("w1111000.pdf"));
    EXPECT_EQ(data.wiringFor(wiringQuery("0000011")), QStringLiteral("w0000011.pdf"));
    EXPECT_EQ(data.wiringFor(wiringQuery("0101010")), std::nullopt);
}

TEST(AccessConfiguratorData, ReadsAfterCloseFailWithAMessage)
{
    SKIP_WITHOUT(kFixture);
    AccessConfiguratorData data(kFixture);
    data.close();
    EXPECT_THROW(data.wiringFor(wiringQuery("1111000")), ConfiguratorDataError);
}

TEST(AccessConfiguratorData, AMissingFileIsNamedInTheMessage)
{
    const QString missing = QStringLiteral("/nonexistent/velmora/pinvale.mdb");
    try {
        AccessConfiguratorData data(missing);
        FAIL() << "opened a missing file";
    } catch (const ConfiguratorDataError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(missing)) << error.what();
    }
}

TEST(AccessConfiguratorData, AFileThatIsNoDatabaseIsNamedInTheMessage)
{
    QTemporaryDir dir;
    const QString garbage = dir.filePath("pinvale.mdb");
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();
    try {
        AccessConfiguratorData data(garbage);
        FAIL() << "opened a garbage file";
    } catch (const ConfiguratorDataError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(garbage)) << error.what();
    }
}

TEST(AccessConfiguratorData, ADatabaseWithoutTheTablesIsRefusedAtOpen)
{
    const QString other =
        QStringLiteral(TARVELLO_SHARED_DIR "/fixtures/independent-writer/tarvello.mdb");
    SKIP_WITHOUT(other);
    EXPECT_THROW(AccessConfiguratorData data(other), ConfiguratorDataError);
}

// A pinvale.mdb written by our Jet writer into `folder`, with the given `dip` columns and
// rows and one Version row.
QString writeConfiguratorDatabase(const QTemporaryDir& folder, jetwriter::Value version,
                                  std::vector<jetwriter::Column> dipColumns,
                                  std::vector<jetwriter::Row> dipRows)
{
    using namespace jetwriter;
    Database db;
    db.tables.push_back({"Version", {{"Version", ColumnType::Text, 50}}, {{version}}});
    db.tables.push_back({"dip", std::move(dipColumns), std::move(dipRows)});
    const QString path = folder.filePath("pinvale.mdb");
    writeFileAtomically(path.toStdString(), buildJet4Image(db));
    return path;
}

TEST(AccessConfiguratorData, NullValuesReadAsEmptyTexts)
{
    using namespace jetwriter;
    QTemporaryDir folder;
    AccessConfiguratorData data(writeConfiguratorDatabase(
        folder, Null{}, {{"codice", ColumnType::Long}, {"Wiring", ColumnType::Text, 50}},
        {{int32_t{1111000}, Null{}}, {int32_t{11}, u"w0000011.pdf"}}));
    EXPECT_EQ(data.versionText(), QString(""));
    EXPECT_EQ(data.wiringFor(wiringQuery("1111000")), QString(""));
    EXPECT_EQ(data.wiringFor(wiringQuery("0000011")), QStringLiteral("w0000011.pdf"));
}

TEST(AccessConfiguratorData, ANullDiagramIsNoDocumentToOpen)
{
    using namespace jetwriter;
    QTemporaryDir folder;
    writeConfiguratorDatabase(folder, u"3.0",
                              {{"codice", ColumnType::Long}, {"Wiring", ColumnType::Text, 50}},
                              {{int32_t{1111000}, Null{}}});
    testing::RecordingMessages messages;
    testing::RecordingOpener opener;
    QTimer::singleShot(0, [] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* show = top->findChild<QPushButton*>("Btn_ShowWiring")) {
                show->click();
                top->close();
            }
        }
    });
    EXPECT_EQ(runConfigurator(folder.path(), messages, opener), 0);
    EXPECT_EQ(messages.shown, QStringList({"Documentazione non trovata"}));
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST(AccessConfiguratorData, ADiagramTableWithoutItsColumnEndsTheProgramWithTheError)
{
    using namespace jetwriter;
    QTemporaryDir folder;
    writeConfiguratorDatabase(folder, u"3.0",
                              {{"codice", ColumnType::Long}, {"Document", ColumnType::Text, 50}},
                              {{int32_t{1111000}, u"w1111000.pdf"}});
    testing::RecordingMessages messages;
    testing::RecordingOpener opener;
    EXPECT_EQ(runConfigurator(folder.path(), messages, opener), 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("3265")) << messages.shown[0].toStdString();
    EXPECT_TRUE(messages.shown[0].contains(folder.filePath("pinvale.mdb")));
}

// The configuration codes the window can reach (see the choices' reachability test):
// KXR has no built-in controller and 4-pipe no electric heater.
std::set<long> reachableCodes()
{
    std::set<long> codes;
    for (int bits = 0; bits < 128; ++bits) {
        const QString code = QString::number(bits, 2).rightJustified(7, QLatin1Char('0'));
        if ((code[3] == '1' && code[0] == '0') || (code[4] == '1' && code[2] == '0'))
            continue;
        codes.insert(code.toLong());
    }
    return codes;
}

TEST(ShippedDiagramTable, HasARowForEveryReachableCode)
{
    QFile csv(QStringLiteral(TARVELLO_SOURCE_DIR "/data/dip.csv"));
    if (!csv.exists())
        GTEST_SKIP() << "data/dip.csv is not there yet";
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&csv);
    in.readLine();  // column header
    std::set<long> listed;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty())
            listed.insert(line.section(QLatin1Char(','), 0, 0).toLong());
    }
    std::set<long> missing;
    for (long code : reachableCodes()) {
        if (!listed.count(code))
            missing.insert(code);
    }
    EXPECT_TRUE(missing.empty()) << missing.size() << " reachable codes have no row, the first "
                                 << *missing.begin();
    EXPECT_EQ(reachableCodes().size(), 72u);
}

} // namespace
} // namespace pinvale

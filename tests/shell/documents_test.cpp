// Opening the documents beside the program and starting the configurator: the paths and
// messages of ApriDocumento over a recording shell, the main window's SSdescr and
// SSCommand1 buttons, the real shell-open layer under a private XDG configuration, and
// the product information documents that the build writes into the program folder.
#include "engine/model_table.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "platform/private_profile.h"
#include "platform/shell_open.h"
#include "shell/app_state.h"
#include "shell/documents.h"
#include "shell/flingua.h"
#include "shell/fmenu.h"
#include "shell/forms.h"
#include "shell/open_failure.h"
#include "shell/recording_message_sink.h"
#include "shell/shell_services.h"
#include "shell/startup.h"
#include "shell/text_table.h"
#include "tests/support/xdg_sandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>
#include <gtest/gtest.h>

#include <map>

using namespace tarvello;

namespace {

const QByteArray kShippedCodes = "100=IT\n300=EN\n500=FR\n700=DE\n900=ES\n1100=PL\n";

// A shell that records what it was asked and answers with a chosen code.
class RecordingLauncher : public ShellLauncher {
public:
    int openDocument(const QString& path) override
    {
        opened << path;
        return openCode;
    }
    bool startProgram(const QString& program, const QString& workingFolder) override
    {
        started << program + " in " + workingFolder;
        return programStarts;
    }

    QStringList opened;
    QStringList started;
    int openCode = kShellOpened;
    bool programStarts = true;
};

QString messageTexts(const RecordingMessageSink& sink)
{
    QStringList texts;
    for (const auto& message : sink.messages)
        texts << message.text;
    return texts.join(u'|');
}

class Documents : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        AppDir = withTrailingSeparator(dir.path());
        services().launcher = &launcher;
    }
    void TearDown() override
    {
        Forms::unloadAllExcept({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        services() = ShellServices{};
    }

    void writeFile(const QString& name, const QByteArray& data) const
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    // The program started in the temporary folder with a saved language; the database
    // is only checked to be there.
    void startWithLanguage(int base, const QByteArray& codes = kShippedCodes)
    {
        writeFile("Tarvello.ini", "[Common]\nMulti= " + QByteArray::number(base) + "\n" + codes);
        writeFile("tarvello.mdb", "stand-in");
        ASSERT_TRUE(Main(dir.path(), 1280));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QToolButton* toolButton(const char* name) const
    {
        auto* button = Forms::fmenu()->findChild<QToolButton*>(QString::fromLatin1(name));
        EXPECT_NE(button, nullptr) << name;
        return button;
    }

    QTemporaryDir dir;
    RecordingLauncher launcher;
    RecordingMessageSink sink;
};

TEST_F(Documents, WhereDMeansTheProgramFolderAnythingElseAFullPath)
{
    const struct {
        const char* name;
        const char* where;
        QString expected;
    } cases[] = {
        {"DTBEN04-7.pdf", "D", AppDir + "DTBEN04-7.pdf"},
        {"sub/x.pdf", "D", AppDir + "sub/x.pdf"},
        {"/srv/docs/DTBEN04-7.pdf", "", "/srv/docs/DTBEN04-7.pdf"},
        {"/srv/docs/DTBEN04-7.pdf", "d", "/srv/docs/DTBEN04-7.pdf"},  // only "D" means the folder
        {"relative.pdf", "P", "relative.pdf"},                         // used unchanged, no folder
        {"/srv/a b/c.pdf", "DD", "/srv/a b/c.pdf"},
    };
    for (const auto& c : cases)
        ApriDocumento(c.name, c.where);
    QStringList expected;
    for (const auto& c : cases)
        expected << c.expected;
    EXPECT_EQ(launcher.opened, expected);
    EXPECT_TRUE(sink.messages.isEmpty()) << messageTexts(sink).toStdString();  // success is silent
}

TEST_F(Documents, AFailureIsToldInPlainWordsWithTheShellTextAndTheClassicCodeKept)
{
    const std::pair<int, const char*> cases[] = {
        {2, "(File not found)"},
        {3, "(Path not found)"},
        {5, "(Access denied)"},
        {27, "(Incomplete or invalid file association)"},
        {31, "(No association for file extension)"},
        {0, "(Unknown error)"},
        {32, "(DLL not found)"},
    };
    for (const auto& [code, text] : cases) {
        sink.messages.clear();
        launcher.openCode = code;
        EXPECT_EQ(ApriDocumento("DTBEN04-7.pdf", "D"), code);
        ASSERT_EQ(sink.messages.size(), 1) << code;
        EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::Choice) << code;
        EXPECT_EQ(sink.messages[0].text, documentNotOpenedText(code, AppDir + "DTBEN04-7.pdf")) << code;
        EXPECT_TRUE(sink.messages[0].text.endsWith(QString::fromLatin1(text))) << code;
        EXPECT_EQ(sink.messages[0].title, "Tarvello");
    }
    sink.messages.clear();
    launcher.openCode = 33;  // the first success code
    ApriDocumento("DTBEN04-7.pdf", "D");
    EXPECT_TRUE(sink.messages.isEmpty());
}

TEST(LanguageCode, OnlyCodesThatStayInTheProgramFolderAreSafe)
{
    const std::pair<const char*, bool> cases[] = {
        {"EN", true},    {"PL", true},       {"", true},           {"E.N", true},
        {"..", false},   {"../EN", false},   {"EN/..", false},     {"a/b", false},
        {"a\\b", false}, {"/etc/x", false},  {"..\\..\\x", false}, {"x..y", false},
    };
    for (const auto& [code, safe] : cases)
        EXPECT_EQ(isSafeLanguageCode(code), safe) << code;
    EXPECT_EQ(productInformationName("EN"), "DTBEN04-7.pdf");
}

TEST_F(Documents, ProductInformationFollowsTheLanguageAtOnce)
{
    startWithLanguage(300);
    EXPECT_EQ(toolButton("SSdescr")->toolTip(), textForLanguage(300, 1));
    EXPECT_TRUE(toolButton("SSCommand1")->toolTip().isEmpty());
    toolButton("SSdescr")->click();
    Forms::flingua()->Image1_Click(0);  // Italian, no restart
    toolButton("SSdescr")->click();
    EXPECT_EQ(toolButton("SSdescr")->toolTip(), textForLanguage(100, 1));
    Forms::flingua()->Image1_Click(5);  // Polish
    toolButton("SSdescr")->click();
    EXPECT_EQ(launcher.opened, QStringList({AppDir + "DTBEN04-7.pdf", AppDir + "DTBIT04-7.pdf",
                                            AppDir + "DTBPL04-7.pdf"}));
    EXPECT_TRUE(sink.messages.isEmpty()) << messageTexts(sink).toStdString();
}

TEST_F(Documents, ALanguageCodeLeavingTheFolderIsRefusedAsFileNotFound)
{
    for (const QByteArray code : {"../../etc/EN", "..", "sub\\EN"}) {
        launcher.opened.clear();
        sink.messages.clear();
        startWithLanguage(300, "300=" + code + "\n");
        toolButton("SSdescr")->click();
        EXPECT_TRUE(launcher.opened.isEmpty()) << code.constData();
        ASSERT_EQ(sink.messages.size(), 1) << code.constData();
        EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::Choice);
        EXPECT_EQ(sink.messages[0].text,
                  documentNotOpenedText(kShellFileNotFound, AppDir + "DTB" + QString::fromLatin1(code) + "04-7.pdf"));
        Forms::unloadAllExcept({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(Documents, TheConfiguratorStartsFromTheProgramFolderAndItsFailureShowsNothing)
{
    startWithLanguage(300);
    launcher.programStarts = false;
    toolButton("SSCommand1")->click();
    EXPECT_EQ(launcher.started, QStringList({AppDir + "pinvale in " + AppDir}));
    EXPECT_TRUE(launcher.opened.isEmpty());
    EXPECT_TRUE(sink.messages.isEmpty()) << messageTexts(sink).toStdString();
}

// The real launcher: a missing configurator shows nothing; a present one is started
// as a separate process with no arguments.
TEST_F(Documents, TheRealLauncherStartsTheConfiguratorWithoutArguments)
{
    services().launcher = nullptr;
    startConfigurator();  // no pinvale in the folder
    EXPECT_TRUE(sink.messages.isEmpty());

    const QString mark = dir.filePath("started.txt");
    writeFile("pinvale", "#!/bin/sh\necho \"$#\" > '" + QFile::encodeName(mark) + "'\n");
    QFile::setPermissions(dir.filePath("pinvale"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                       | QFileDevice::ExeOwner);
    startConfigurator();
    // The program runs on its own; wait for its mark rather than for the process.
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo(mark).size() && waited.elapsed() < 10000)
        QThread::msleep(20);
    QFile file(mark);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the configurator was not started";
    EXPECT_EQ(file.readAll().trimmed(), "0");
    EXPECT_TRUE(sink.messages.isEmpty());
}

TEST_F(Documents, TheRealShellReportsMissingFileMissingFolderAndNoViewer)
{
    XdgSandbox xdg;
    services().launcher = nullptr;
    const QString folder = AppDir;

    ApriDocumento("DTBEN04-7.pdf", "D");
    AppDir = folder + "no such folder/";
    ApriDocumento("DTBEN04-7.pdf", "D");
    AppDir = folder;
    writeFile("DTBEN04-7.pdf", "%PDF-1.4\n%%EOF\n");
    ApriDocumento("DTBEN04-7.pdf", "D");                 // no program opens PDFs here
    ApriDocumento(folder + "DTBFR04-7.pdf", "full path");  // used as given

    EXPECT_EQ(messageTexts(sink),
              QStringList({
                              documentNotOpenedText(kShellFileNotFound, folder + "DTBEN04-7.pdf"),
                              documentNotOpenedText(kShellPathNotFound, folder + "no such folder/DTBEN04-7.pdf"),
                              documentNotOpenedText(kShellNoAssociation, folder + "DTBEN04-7.pdf"),
                              documentNotOpenedText(kShellFileNotFound, folder + "DTBFR04-7.pdf"),
                          })
                  .join(u'|'));
    for (const auto& message : sink.messages)
        EXPECT_EQ(message.kind, RecordingMessageSink::Kind::Choice);
}

// The documents the build writes into the program folder: one per language code of the
// shipped settings, each with the program's title and line captions in its language and
// every model of every line in the shipped database.
class ProductDocuments : public ::testing::Test {
protected:
    static QString pdfText(const QString& path)
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-enc", "UTF-8", path, "-"});
        if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0)
            return {};
        // One space for every run of blanks and line ends, as words flow in the PDF.
        return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    }
    static bool containsWords(const QString& text, const QString& words)
    {
        const QRegularExpression whole("(^|\\s)" + QRegularExpression::escape(words) + "(\\s|$)");
        return text.contains(whole);
    }
    static std::vector<std::string> modelNames(int line)
    {
        AccessDatabase db;
        db.open(TARVELLO_APP_DIR "/tarvello.mdb", kModelDbConnect);
        ModelTable table;
        if (line == LineKX)
            CaricaDatiKORVE(table, db);
        else if (line == LineMRZ)
            CaricaDatiMRZ(table, db);
        else
            CaricaDatiHJQ(table, db);
        std::vector<std::string> names;
        for (int m = 1; m <= table.NumModels; ++m)
            names.push_back(table.Modello[m]);
        return names;
    }
};

TEST_F(ProductDocuments, EveryLanguageHasItsDocumentWithTitlesAndEveryModel)
{
    const QString shippedSettings = TARVELLO_SOURCE_DIR "/data/Tarvello.ini";
    const int captions[3] = {11, 88, 128};
    std::vector<std::string> models[3];
    for (int line = 0; line < 3; ++line) {
        models[line] = modelNames(line);
        ASSERT_FALSE(models[line].empty()) << line;
    }
    for (const int base : kLanguageBases) {
        const QString code = GetPrivateProfileString("Common", QString::number(base), "", shippedSettings);
        ASSERT_FALSE(code.isEmpty()) << base;
        const QString path = TARVELLO_APP_DIR "/" + productInformationName(code);
        ASSERT_TRUE(QFileInfo::exists(path)) << path.toStdString() << " (built by tarvello_product_documents)";
        const QString text = pdfText(path);
        ASSERT_FALSE(text.isEmpty()) << path.toStdString();
        EXPECT_TRUE(containsWords(text, textForLanguage(base, 1).trimmed())) << code.toStdString();
        for (int line = 0; line < 3; ++line) {
            EXPECT_TRUE(containsWords(text, textForLanguage(base, captions[line]).trimmed()))
                << code.toStdString() << " line " << line;
            for (const std::string& model : models[line])
                EXPECT_TRUE(containsWords(text, QString::fromStdString(model))) << code.toStdString() << " " << model;
        }
    }
}

// Every row of the readable catalogue (docs/catalogue.md, written by the calibration tool
// from the same data and engine) stands as one row of the English tables: the same
// ratings, whichever program prints them. The sensible share is the catalogue's own column.
TEST_F(ProductDocuments, TheTablesAgreeWithTheCatalogueRowByRow)
{
    QFile catalogue(TARVELLO_SOURCE_DIR "/docs/catalogue.md");
    if (!catalogue.exists())
        GTEST_SKIP() << "no readable catalogue in docs/";
    ASSERT_TRUE(catalogue.open(QIODevice::ReadOnly | QIODevice::Text));
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", "-enc", "UTF-8", TARVELLO_APP_DIR "/DTBEN04-7.pdf", "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(60000));
    QSet<QString> tableLines;
    for (const QString& line : QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\n'))
        tableLines.insert(line.simplified());

    const qsizetype kShareColumn = 6;  // | model | speed | air | cooling | sensible | share | ...
    int rows = 0, unitRows = 0;
    while (!catalogue.atEnd()) {
        const QString line = QString::fromUtf8(catalogue.readLine()).trimmed();
        if (!line.startsWith("| KX"))
            continue;
        QStringList cells = line.split(u'|', Qt::SkipEmptyParts);
        for (QString& cell : cells)
            cell = cell.trimmed().replace(QString::fromUtf8("—"), QString::fromUtf8("–"));
        ASSERT_GT(cells.size(), kShareColumn) << line.toStdString();
        // A row of a line's unit data table (dimensions in its second cell) stands whole.
        if (cells[1].contains(QString::fromUtf8("×"))) {
            EXPECT_TRUE(tableLines.contains(cells.join(u' '))) << cells.join(u' ').toStdString();
            ++unitRows;
            continue;
        }
        cells.removeAt(kShareColumn - 1);
        if (cells[1] != "1")
            cells.removeFirst();  // the model is named on its first speed only
        const QString expected = cells.join(u' ');
        EXPECT_TRUE(tableLines.contains(expected)) << expected.toStdString();
        ++rows;
    }
    EXPECT_GT(rows, 45 * 3);  // at least every speed of the fan coils
    EXPECT_GE(unitRows, 45);   // the unit data of at least every fan coil
}

// The first page lists each line with the page its section starts on, and that page
// indeed starts with the line's title.
TEST_F(ProductDocuments, TheFirstPageNamesWhereEachLineStarts)
{
    const QString shippedSettings = TARVELLO_SOURCE_DIR "/data/Tarvello.ini";
    const int captions[3] = {11, 88, 128};
    auto pageText = [](const QString& path, int first, int last, bool layout) {
        QStringList arguments = {"-f", QString::number(first), "-l", QString::number(last), "-enc", "UTF-8"};
        if (layout)
            arguments << "-layout";
        QProcess pdftotext;
        pdftotext.start("pdftotext", arguments << path << "-");
        pdftotext.waitForFinished(60000);
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    };
    for (const int base : kLanguageBases) {
        const QString code = GetPrivateProfileString("Common", QString::number(base), "", shippedSettings);
        const QString path = TARVELLO_APP_DIR "/" + productInformationName(code);
        const QString firstPage = pageText(path, 1, 1, true);
        int previous = 1;
        for (int line = 0; line < 3; ++line) {
            const QString title = textForLanguage(base, captions[line]).trimmed();
            const QRegularExpression listed("^" + QRegularExpression::escape(title) + "\\s+\\S+ (\\d+)\\s*$",
                                            QRegularExpression::MultilineOption);
            const QRegularExpressionMatch match = listed.match(firstPage);
            ASSERT_TRUE(match.hasMatch()) << code.toStdString() << " " << title.toStdString();
            const int page = match.captured(1).toInt();
            EXPECT_GT(page, previous) << code.toStdString() << " " << title.toStdString();
            EXPECT_EQ(pageText(path, page, page, false).section(u'\n', 0, 0).trimmed(), title)
                << code.toStdString() << " page " << page;
            previous = page;
        }
    }
}

TEST_F(ProductDocuments, TheTablesCarryTheirUnitsAndConditions)
{
    const QString text = pdfText(TARVELLO_APP_DIR "/DTBEN04-7.pdf");
    for (const char* words : {"m³/h", "kPa", "l/h", "dB(A)", "27 °C", "19 °C", "7 °C", "12 °C", "45 °C", "40 °C",
                              "20 °C", "50 Pa"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << words;
}

} // namespace

// Windows opened from the main window are owned by it and come forward when asked for
// again; a document or an address that the desktop did not open is told in plain words,
// in the current language, with offers that do what they say.
#include "platform/shell_open.h"
#include "shell/app_state.h"
#include "shell/documents.h"
#include "shell/finfo.h"
#include "shell/flingua.h"
#include "shell/fmenu.h"
#include "shell/forms.h"
#include "shell/funmis.h"
#include "shell/language.h"
#include "shell/open_failure.h"
#include "shell/recording_message_sink.h"
#include "shell/shell_services.h"
#include "shell/startup.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>

using namespace tarvello;

namespace {

constexpr qint16 kLanguages[] = {100, 300, 500, 700, 900, 1100};

class FolderLauncher : public ShellLauncher {
public:
    int openDocument(const QString& path) override
    {
        opened << path;
        return openCode;
    }
    bool startProgram(const QString&, const QString&) override { return true; }
    bool openFolder(const QString& folder) override
    {
        folders << folder;
        return folderShown;
    }
    QStringList opened, folders;
    int openCode = kShellNoAssociation;
    bool folderShown = true;
};

class AddressOpener : public DocumentOpener {
public:
    int openAddress(const QUrl& address) override
    {
        asked << address.toString();
        return code;
    }
    QStringList asked;
    int code = kShellNoAssociation;
};

class OwnersAndOffers : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        saved = LangBase;
        services().launcher = &launcher;
        services().documents = &addresses;
        services().endProgram = [] {};
        writeFile("Tarvello.ini", "[Common]\nMulti= 300\n100=IT\n300=EN\n500=FR\n700=DE\n900=ES\n1100=PL\n");
        writeFile("tarvello.mdb", "stand-in");
        ASSERT_TRUE(Main(dir.path(), 1280));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void TearDown() override
    {
        Forms::unloadAllExcept({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        services() = ShellServices{};
        LangBase = saved;
    }
    void writeFile(const QString& name, const QByteArray& data) const
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    QToolButton* toolButton(const char* name) const
    {
        return Forms::fmenu()->findChild<QToolButton*>(QString::fromLatin1(name));
    }

    QTemporaryDir dir;
    FolderLauncher launcher;
    AddressOpener addresses;
    RecordingMessageSink sink;
    qint16 saved = 300;
};

TEST_F(OwnersAndOffers, TheLanguageAndUnitsWindowsAreOwnedByTheMainWindowAndComeForwardAgain)
{
    struct Case {
        const char* button;
        std::function<QWidget*()> loaded;
    };
    const Case cases[] = {
        {"SSlingua", [] { return static_cast<QWidget*>(Forms::findLoaded<Flingua>()); }},
        {"SSunmis", [] { return static_cast<QWidget*>(Forms::findLoaded<Funmis>()); }},
    };
    Fmenu* menu = Forms::fmenu();
    for (const Case& c : cases) {
        QToolButton* button = toolButton(c.button);
        ASSERT_NE(button, nullptr) << c.button;
        button->click();
        QWidget* window = c.loaded();
        ASSERT_NE(window, nullptr) << c.button;
        EXPECT_EQ(window->parentWidget(), menu) << c.button;
        EXPECT_TRUE(window->isWindow()) << c.button;
        EXPECT_TRUE(window->isVisible()) << c.button;
        // The user works elsewhere: the window goes behind or is minimised, then is asked for.
        menu->activateWindow();
        window->showMinimized();
        button->click();
        EXPECT_EQ(c.loaded(), window) << c.button << ": the one window is reused";
        EXPECT_TRUE(window->isVisible()) << c.button;
        EXPECT_FALSE(window->isMinimized()) << c.button;
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), window) << c.button;
    }
}

// The shell's windows on a 1024x768 screen in every language: each fits, and each
// control lies inside its window. TARVELLO_FIT_PICTURES=<folder> also saves them (PNG).
TEST_F(OwnersAndOffers, TheShellWindowsFitA1024x768ScreenInEveryLanguage)
{
    const QSize screen(1024, 768 - 40);
    const QString pictures = qEnvironmentVariable("TARVELLO_FIT_PICTURES");
    for (qint16 language : kLanguages) {
        LangBase = language;
        ImpostaLingua();
        Forms::unloadAllExcept({QStringLiteral("Fmenu")});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Fmenu* menu = Forms::fmenu();
        menu->resize(screen);
        QList<QWidget*> windows{menu};
        windows << Forms::flingua() << Forms::funmis() << Forms::finfo();
        for (QWidget* window : windows) {
            Forms::bringForward(window);
            QCoreApplication::processEvents();
            const std::string name = window->objectName().toStdString() + " " + std::to_string(language);
            EXPECT_LE(window->width(), screen.width()) << name;
            EXPECT_LE(window->height(), screen.height()) << name;
            const QRect inside(QPoint(0, 0), window->size());
            for (QWidget* control : window->findChildren<QWidget*>()) {
                if (!control->isVisibleTo(window) || control->window() != window || control->objectName().isEmpty())
                    continue;
                const QRect at(control->mapTo(window, QPoint(0, 0)), control->size());
                EXPECT_TRUE(inside.contains(at)) << name << " / " << control->objectName().toStdString();
            }
            if (!pictures.isEmpty())
                window->grab().save(QStringLiteral("%1/shell-%2-%3.png").arg(pictures, window->objectName()).arg(language));
        }
    }
}

TEST_F(OwnersAndOffers, TheInformationWindowIsOwnedByTheMainWindow)
{
    FInfo* info = Forms::finfo();
    EXPECT_EQ(info->parentWidget(), Forms::fmenu());
    EXPECT_TRUE(info->isWindow());
}

TEST_F(OwnersAndOffers, ADocumentThatDidNotOpenIsToldInEveryLanguageWithItsOffers)
{
    struct Case {
        int code;
        int reason;
    };
    const Case cases[] = {
        {kShellFileNotFound, kDocumentMissingText},   {kShellAccessDenied, kDocumentUnreadableText},
        {kShellNoAssociation, kNoViewerText},         {kShellInvalidAssociation, kBrokenViewerText},
    };
    const QString path = AppDir + "DTBEN04-7.pdf";
    for (qint16 language : kLanguages) {
        LangBase = language;
        for (const Case& c : cases) {
            sink.messages.clear();
            launcher.openCode = c.code;
            EXPECT_EQ(ApriDocumento("DTBEN04-7.pdf", kInProgramFolder), c.code) << "the classic code stays";
            ASSERT_EQ(sink.messages.size(), 1);
            const RecordingMessageSink::Message& shown = sink.messages.first();
            EXPECT_EQ(shown.kind, RecordingMessageSink::Kind::Choice);
            EXPECT_TRUE(shown.text.startsWith(Testo(c.reason))) << language << " " << c.code;
            EXPECT_TRUE(shown.text.contains(path)) << language << " " << c.code;
            EXPECT_TRUE(shown.text.contains(Testo(kDocumentOffersText))) << language << " " << c.code;
            EXPECT_EQ(shown.choices, QStringList({Testo(kOpenFolderText), Testo(kCopyPathText)}));
        }
    }
}

TEST_F(OwnersAndOffers, EachDocumentOfferDoesWhatItSays)
{
    struct Case {
        int pick;
        bool folderShown;
        bool folderAsked;
        bool pathCopied;
        int messages;
    };
    const Case cases[] = {
        {-1, true, false, false, 1}, {0, true, true, false, 1}, {0, false, true, false, 2}, {1, true, false, true, 1},
    };
    for (const Case& c : cases) {
        QGuiApplication::clipboard()->setText("before");
        sink.messages.clear();
        sink.choiceToPick = c.pick;
        launcher.folders.clear();
        launcher.folderShown = c.folderShown;
        ApriDocumento("DTBEN04-7.pdf", kInProgramFolder);
        EXPECT_EQ(launcher.folders.size(), c.folderAsked ? 1 : 0) << c.pick;
        if (c.folderAsked) {
            EXPECT_EQ(launcher.folders.first() + QLatin1Char('/'), AppDir);
        }
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.pathCopied ? AppDir + "DTBEN04-7.pdf" : QStringLiteral("before"));
        EXPECT_EQ(sink.messages.size(), c.messages) << c.pick;
    }
}

TEST_F(OwnersAndOffers, AMissingFolderOffersOnlyThePath)
{
    launcher.openCode = kShellPathNotFound;
    ApriDocumento(dir.path() + "/no such folder/x.pdf", "full path");
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages.first().choices, QStringList({Testo(kCopyPathText)}));
}

TEST_F(OwnersAndOffers, AWebOrMailLinkWithoutItsProgramSaysSoAndOffersTheAddress)
{
    struct Case {
        const char* address;
        int code;
        int reason;
        const char* copied;
    };
    const Case cases[] = {
        {"https://www.example.com", kShellNoAssociation, kNoBrowserText, "https://www.example.com"},
        {"mailto:info@example.com", kShellNoAssociation, kNoMailProgramText, "info@example.com"},
        {"https://www.example.com", kShellInvalidAssociation, kBrokenAddressProgramText, "https://www.example.com"},
        {"mailto:info@example.com", kShellInvalidAssociation, kBrokenAddressProgramText, "info@example.com"},
    };
    FInfo* info = Forms::finfo();
    for (qint16 language : kLanguages) {
        LangBase = language;
        for (const Case& c : cases) {
            sink.messages.clear();
            sink.choiceToPick = 0;
            addresses.code = c.code;
            info->openLink(QString::fromLatin1(c.address));
            ASSERT_EQ(sink.messages.size(), 1) << c.address;
            EXPECT_EQ(sink.messages.first().kind, RecordingMessageSink::Kind::Choice);
            EXPECT_TRUE(sink.messages.first().text.startsWith(Testo(c.reason))) << language << c.address;
            EXPECT_EQ(sink.messages.first().choices, QStringList({Testo(kCopyAddressText)}));
            EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromLatin1(c.copied));
        }
    }
    sink.messages.clear();
    addresses.code = kShellOpened;
    info->openLink("https://www.example.com");
    EXPECT_TRUE(sink.messages.isEmpty()) << "an address that opened says nothing";
}

} // namespace

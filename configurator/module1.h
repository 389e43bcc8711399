#pragma once
// Module1 of Pinvale: the program's entry and the opening of wiring diagrams, with the
// small interfaces through which the configurator shows messages and opens documents
// (the real ones use Qt and the shell-open layer; tests record what was asked).

#include <QString>
#include <QStringList>

class QWidget;

namespace pinvale {

// Title of every message box of the program.
QString programTitle();

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A message box with an OK button only.
    virtual void show(const QString& text) = 0;
    // A message box that offers `choices` besides closing it: the index of the one picked,
    // or -1. A sink that cannot offer choices shows the text alone.
    virtual int choose(const QString& text, const QStringList& choices)
    {
        static_cast<void>(choices);
        show(text);
        return -1;
    }
};

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // Asks the shell to open the document at `path`; the classic shell result code.
    virtual int open(const QString& path) = 0;
    // Shows a folder with the desktop's file manager; false when it cannot (the default).
    virtual bool openFolder(const QString& folder)
    {
        static_cast<void>(folder);
        return false;
    }
};

// Message boxes owned by `parent` (may be null).
class MessageBoxSink : public MessageSink {
public:
    explicit MessageBoxSink(QWidget* parent = nullptr) : parent_(parent) {}
    void show(const QString& text) override;
    int choose(const QString& text, const QStringList& choices) override;

private:
    QWidget* parent_;
};

// The desktop's associated viewer, through the shell-open layer.
class ShellDocumentOpener : public DocumentOpener {
public:
    int open(const QString& path) override;
    bool openFolder(const QString& folder) override;
};

// The folder of the diagrams, under the program folder.
QString wiringDiagramsFolder(const QString& programDir);

// True for a name that stays inside the diagrams folder and names a PDF document: not
// empty, no path separator, drive colon or control character, not "." or "..", ending
// in ".pdf" (any case; so no trailing blank or dot), and not a program or script that
// the shell would run instead of showing.
bool isSafeWiringName(const QString& name);

// Opens "wiring diagrams/<name>" of the program folder. An empty or unsafe name, or a
// file by that name that is not a PDF document inside the folder after its links are
// resolved (platform checkPdfDocument), gives "Documentazione non trovata"; a shell
// failure (a missing file, no viewer, a viewer that cannot start) is told in plain words
// with the path and the shell's text, offering to open the diagrams folder or to copy the
// path. Never throws.
void OpenWiringDocument(const QString& name, const QString& programDir, DocumentOpener& opener,
                        MessageSink& messages);

// The plain-words message of a wiring diagram at `path` that the shell did not open with
// `code`.
QString wiringNotOpenedText(int code, const QString& path);

// The program: opens "pinvale.mdb" in `programDir`, shows Frm_configurator and runs the
// event loop until the window is gone (0). A database that cannot be opened or read gives
// a message naming the file, then 1. A QApplication must exist.
int runConfigurator(const QString& programDir, MessageSink& messages, DocumentOpener& opener);

// The program's entry: runConfigurator in the executable's own folder, with message boxes
// and the desktop's viewers.
int Main();

} // namespace pinvale

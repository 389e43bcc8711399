#pragma once
// What the shell asks of the world outside its windows, behind small interfaces: opening
// an address with the desktop, the model database, the selection windows (which live in
// other libraries and depend on the shell, not the reverse), ending the program and the
// printer set-up dialog. tarvello_main.cpp puts the real ones in place; tests put
// recording ones.

#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QWidget;

namespace tarvello {

// Opens a web or mail address with the desktop's program for it and answers the classic
// shell result code (33 or more when the program was started). The real one goes through
// the shell-open layer (ShellOpenAddress), with the desktop's program checked first.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    virtual int openAddress(const QUrl& address) = 0;
};

// The shell's operations behind the main window's tool buttons: opening a document with
// its associated viewer, and starting a program file without waiting for it. The real one
// uses the shell-open layer (a default viewer whose program is missing counts as an
// invalid association) and a detached process.
class ShellLauncher {
public:
    virtual ~ShellLauncher() = default;
    // The classic shell result code: 33 or more when the viewer was started.
    virtual int openDocument(const QString& path) = 0;
    // False when the program could not be started (missing, not executable).
    virtual bool startProgram(const QString& program, const QString& workingFolder) = 0;
    // Shows a folder with the desktop's file manager; false when there is none that can
    // start (the default: a launcher that cannot show folders).
    virtual bool openFolder(const QString& folder)
    {
        static_cast<void>(folder);
        return false;
    }
};

// The model database as the shell uses it: opened at start, closed at shutdown, and one
// product line loaded into the model table at every pick.
class ModelSource {
public:
    virtual ~ModelSource() = default;
    // Opens the database file; when it cannot be opened, the message for the user,
    // naming the file and the reason.
    virtual std::optional<QString> open(const QString& path, const QString& connect) = 0;
    virtual void close() = 0;
    // Loads line 0, 1 or 2 into the model table; the database engine's message on failure.
    virtual std::optional<QString> loadLine(int line) = 0;
};

// A model source that only checks that the database file is there and readable; it
// loads nothing. Used until the program links the real database layer.
class FileCheckModelSource : public ModelSource {
public:
    std::optional<QString> open(const QString& path, const QString& connect) override;
    void close() override {}
    std::optional<QString> loadLine(int) override { return std::nullopt; }
};

// The selection windows, reached through the program's main file: the KX window for line
// 0, the ducted window for lines 1 and 2.
class SelectionWindows {
public:
    virtual ~SelectionWindows() = default;
    // Sets the caption of the line's window, creating (and so loading) it on first use.
    virtual void setCaption(int line, const QString& caption) = 0;
    // Shows the line's window modally; returns when the user closes it.
    virtual void showModal(int line) = 0;
};

struct ShellServices {
    DocumentOpener* documents = nullptr;
    ShellLauncher* launcher = nullptr;
    ModelSource* models = nullptr;
    SelectionWindows* selection = nullptr;
    std::function<void()> endProgram;                     // after an orderly shutdown
    std::function<void(QWidget* owner)> printerSetup;     // the printer set-up dialog
};

// The process-wide services. Unset members fall back to: the shell-open layer for
// addresses, documents and programs, a file-checking model source, no selection windows (a pick only loads), quitting the
// event loop, and the toolkit's printer dialogs.
ShellServices& services();
DocumentOpener& documentOpener();
ShellLauncher& shellLauncher();
ModelSource& modelSource();
void endProgram();
void printerSetup(QWidget* owner);
// The printer the user picked in the printer set-up dialog during this run; empty until
// then (the report then prints on the desktop's default printer).
QString chosenPrinterName();

} // namespace tarvello

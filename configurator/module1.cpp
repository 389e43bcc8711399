#include "configurator/module1.h"

#include "configurator/access_configurator_data.h"
#include "configurator/frm_configurator.h"
#include "platform/document_file.h"
#include "platform/shell_open.h"
#include "shell/desktop_check.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QDir>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>


namespace pinvale {

namespace {

// Suffixes of programs and scripts that a desktop may run rather than show.
const QStringList kProgramSuffixes = {
    QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("bat"), QStringLiteral("cmd"),
    QStringLiteral("msi"), QStringLiteral("scr"), QStringLiteral("pif"), QStringLiteral("lnk"),
    QStringLiteral("vbs"), QStringLiteral("vbe"), QStringLiteral("js"), QStringLiteral("jse"),
    QStringLiteral("wsf"), QStringLiteral("wsh"), QStringLiteral("ps1"), QStringLiteral("hta"),
    QStringLiteral("jar"), QStringLiteral("sh"), QStringLiteral("bash"), QStringLiteral("csh"),
    QStringLiteral("run"), QStringLiteral("bin"), QStringLiteral("desktop"),
    QStringLiteral("appimage"), QStringLiteral("py"), QStringLiteral("pl"), QStringLiteral("rb"),
    QStringLiteral("so"), QStringLiteral("dll"),
};

// MIME types (and their descendants) of programs, scripts and launchers.
const QStringList kProgramMimeTypes = {
    QStringLiteral("application/x-executable"), QStringLiteral("application/x-sharedlib"),
    QStringLiteral("application/x-shellscript"), QStringLiteral("application/x-desktop"),
    QStringLiteral("application/x-ms-dos-executable"), QStringLiteral("application/x-msi"),
    QStringLiteral("text/x-script"), QStringLiteral("application/javascript"),
};

const QString kDocumentNotFound = QStringLiteral("Documentazione non trovata");

bool namesProgram(const QString& name)
{
    const QString suffix = name.section(QLatin1Char('.'), -1).toLower();
    if (name.contains(QLatin1Char('.')) && kProgramSuffixes.contains(suffix))
        return true;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    for (const QString& program : kProgramMimeTypes) {
        if (type.inherits(program))
            return true;
    }
    return false;
}

} // namespace

QString programTitle() { return QStringLiteral("Pinvale"); }

void MessageBoxSink::show(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, programTitle(), text, QMessageBox::Ok, parent_);
    box.exec();
}

int MessageBoxSink::choose(const QString& text, const QStringList& choices)
{
    QMessageBox box(QMessageBox::Warning, programTitle(), text, QMessageBox::Close, parent_);
    QList<QAbstractButton*> offered;
    for (const QString& choice : choices)
        offered << box.addButton(choice, QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Close);
    box.exec();
    return static_cast<int>(offered.indexOf(box.clickedButton()));
}

// A default viewer whose program is missing is reported, not started to fail unseen.
int ShellDocumentOpener::open(const QString& path) { return tarvello::ShellExecute(path, tarvello::checkedDesktop()); }

bool ShellDocumentOpener::openFolder(const QString& folder) { return tarvello::showFolder(folder); }

QString wiringNotOpenedText(int code, const QString& path)
{
    QString reason;
    switch (code) {
    case tarvello::kShellFileNotFound:
    case tarvello::kShellPathNotFound: reason = QStringLiteral("Lo schema non è stato trovato."); break;
    case tarvello::kShellAccessDenied: reason = QStringLiteral("Lo schema non si può leggere."); break;
    case tarvello::kShellNoAssociation:
        reason = QStringLiteral("Nessun programma per aprire i documenti PDF è impostato su questo computer.");
        break;
    default: reason = QStringLiteral("Il programma impostato per aprire i documenti PDF non si avvia."); break;
    }
    return reason + QStringLiteral("\n\n") + QDir::toNativeSeparators(path)
           + QStringLiteral("\n\nPotete aprire la cartella che lo contiene, oppure copiarne il percorso.\n\n(")
           + tarvello::shellErrorText(code) + QLatin1Char(')');
}

QString wiringDiagramsFolder(const QString& programDir)
{
    return QDir(programDir).filePath(QStringLiteral("wiring diagrams"));
}

bool isSafeWiringName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')
            || c.category() == QChar::Other_Control)
            return false;
    }
    return name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) && !namesProgram(name);
}

void OpenWiringDocument(const QString& name, const QString& programDir, DocumentOpener& opener,
                        MessageSink& messages)
{
    // A name from the database that would leave the diagrams folder or run a program is
    // treated as no document at all.
    // The same for a file by that name that is not a PDF document inside the folder once
    // links are followed (a script, a program, a link leading out); a name with no file
    // at all is left to the shell, which reports it as missing.
    const QString folder = wiringDiagramsFolder(programDir);
    if (!isSafeWiringName(name) || tarvello::checkPdfDocument(folder, name) == tarvello::DocumentFile::NotADocument) {
        messages.show(kDocumentNotFound);
        return;
    }
    const QString path = QDir(folder).filePath(name);
    const int result = opener.open(path);
    if (tarvello::shellOpenSucceeded(result))
        return;
    const QStringList offers{QStringLiteral("Apri la cartella"), QStringLiteral("Copia il percorso")};
    const int picked = messages.choose(wiringNotOpenedText(result, path), offers);
    if (picked == 0) {
        if (!opener.openFolder(folder))
            messages.show(QStringLiteral("Nessun programma per mostrare le cartelle è impostato su questo computer.\n\n")
                          + QDir::toNativeSeparators(folder));
    } else if (picked == 1) {
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setText(QDir::toNativeSeparators(path));
    }
}

int runConfigurator(const QString& programDir, MessageSink& messages, DocumentOpener& opener)
{
    const QString databasePath = QDir(programDir).filePath(QStringLiteral("pinvale.mdb"));
    try {
        AccessConfiguratorData data(databasePath);
        Frm_configurator window(data, opener, messages, programDir);
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        messages.show(QString::fromUtf8(error.what()));
        return 1;
    }
}

int Main()
{
    MessageBoxSink messages;
    ShellDocumentOpener opener;
    return runConfigurator(QCoreApplication::applicationDirPath(), messages, opener);
}

} // namespace pinvale

#include "shell/shell_services.h"

#include "platform/shell_open.h"
#include "shell/app_state.h"
#include "shell/desktop_check.h"
#include "shell/language.h"
#include "shell/message_sink.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>

namespace tarvello {

namespace {

class DesktopOpener : public DocumentOpener {
public:
    int openAddress(const QUrl& address) override { return ShellOpenAddress(address.toString(), checkedDesktop()); }
};

class DesktopLauncher : public ShellLauncher {
public:
    int openDocument(const QString& path) override { return ShellExecute(path, checkedDesktop()); }
    bool startProgram(const QString& program, const QString& workingFolder) override
    {
        return QProcess::startDetached(program, {}, workingFolder);
    }
    bool openFolder(const QString& folder) override { return showFolder(folder); }
};

QString& chosenPrinter()
{
    static QString name;
    return name;
}

// The printer the dialog starts on: the one chosen before if it is still there, else the
// desktop's default, else the first one.
QPrinterInfo startingPrinter()
{
    const QPrinterInfo chosen = QPrinterInfo::printerInfo(chosenPrinter());
    if (!chosen.isNull())
        return chosen;
    if (!QPrinterInfo::defaultPrinter().isNull())
        return QPrinterInfo::defaultPrinter();
    return QPrinterInfo::availablePrinters().value(0);
}

void toolkitPrinterSetup(QWidget* owner)
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        messages().critical(Testo(112), QString::fromLatin1(kProgramTitle));
        return;
    }
    QPrinter printer(startingPrinter());
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(Testo(33).remove(u'&'));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() == QDialog::Accepted)
        chosenPrinter() = printer.printerName();
}

} // namespace

std::optional<QString> FileCheckModelSource::open(const QString& path, const QString&)
{
    const QFileInfo file(path);
    const QString start = QStringLiteral("Cannot open the model database '%1': ").arg(path);
    if (!file.exists())
        return start + QStringLiteral("the file does not exist.");
    if (!file.isFile() || !file.isReadable())
        return start + QStringLiteral("the file cannot be read.");
    return std::nullopt;
}

ShellServices& services()
{
    static ShellServices instance;
    return instance;
}

DocumentOpener& documentOpener()
{
    static DesktopOpener desktop;
    return services().documents ? *services().documents : desktop;
}

ShellLauncher& shellLauncher()
{
    static DesktopLauncher desktop;
    return services().launcher ? *services().launcher : desktop;
}

ModelSource& modelSource()
{
    static FileCheckModelSource fileCheck;
    return services().models ? *services().models : fileCheck;
}

void endProgram()
{
    if (services().endProgram)
        services().endProgram();
    else
        QCoreApplication::exit(0);
}

QString chosenPrinterName()
{
    return chosenPrinter();
}

void printerSetup(QWidget* owner)
{
    if (services().printerSetup)
        services().printerSetup(owner);
    else
        toolkitPrinterSetup(owner);
}

} // namespace tarvello

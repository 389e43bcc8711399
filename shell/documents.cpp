#include "shell/documents.h"

#include "platform/document_file.h"
#include "platform/shell_open.h"
#include "shell/app_state.h"
#include "shell/message_sink.h"
#include "shell/open_failure.h"
#include "shell/shell_services.h"

namespace tarvello {

namespace {

const QString kConfiguratorFileName = QStringLiteral("pinvale");

void reportOpenFailure(int code, const QString& path)
{
    reportDocumentNotOpened(code, path);
}

} // namespace

QString documentPath(const QString& name, const QString& where)
{
    // AppDir always ends with its separator, so none is added between folder and name.
    return where == kInProgramFolder ? AppDir + name : name;
}

int ApriDocumento(const QString& name, const QString& where)
{
    const QString path = documentPath(name, where);
    const int code = shellLauncher().openDocument(path);
    if (!shellOpenSucceeded(code))
        reportOpenFailure(code, path);
    return code;
}

bool isSafeLanguageCode(const QString& code)
{
    return !code.contains(u'/') && !code.contains(u'\\') && !code.contains(QStringLiteral(".."));
}

QString productInformationName(const QString& langCode)
{
    return QStringLiteral("DTB") + langCode + QStringLiteral("04-7.pdf");
}

void openProductInformation()
{
    const QString name = productInformationName(LangCode);
    // The settings file is the user's to edit: a code such as "../../x" must not make
    // the program open a file outside its folder, nor may a link or a script by the
    // document's name be handed to the desktop. A missing file is the shell's to report.
    if (!isSafeLanguageCode(LangCode)
        || checkPdfDocument(AppDir, name) == DocumentFile::NotADocument) {
        reportOpenFailure(kShellFileNotFound, documentPath(name, kInProgramFolder));
        return;
    }
    ApriDocumento(name, kInProgramFolder);
}

QString configuratorProgram()
{
    return AppDir + kConfiguratorFileName;
}

void startConfigurator()
{
    // Nothing is shown when the configurator cannot be started.
    static_cast<void>(shellLauncher().startProgram(configuratorProgram(), AppDir));
}

} // namespace tarvello

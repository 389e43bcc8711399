#pragma once
// Opening the documents that lie beside the program (the product information in the
// current language) and starting the configurator Pinvale, both through the shell
// (ShellLauncher). The program never reads the documents itself.

#include <QString>

namespace tarvello {

// The `where` of ApriDocumento that means "a file name in the program folder".
inline const QString kInProgramFolder = QStringLiteral("D");

// The full path of a document: `name` in the program folder when `where` is "D", else
// `name` itself, unchanged.
QString documentPath(const QString& name, const QString& where);

// Opens the document with its associated viewer and answers the classic shell result
// code. Success is silent; a failure tells the user in plain words what happened (no
// viewer, a viewer that cannot start, a missing or unreadable file) with the shell's text,
// and offers to open the folder that holds the document or to copy its path.
int ApriDocumento(const QString& name, const QString& where);

// True when a language code read from the settings file can be part of a file name in
// the program folder: no path separator and no "..", so the name cannot lead outside it.
bool isSafeLanguageCode(const QString& code);

// The file name of the product information in a language: "DTB" + code + "04-7.pdf".
QString productInformationName(const QString& langCode);

// The tool button SSdescr: the product information of the current `LangCode`. A code
// that would leave the program folder, or a file by the document's name that is not a
// PDF document inside the program folder once its links are resolved, is refused as
// "File not found".
void openProductInformation();

// The configurator program file in the program folder.
QString configuratorProgram();

// The tool button SSCommand1: starts the configurator as a separate process, without
// waiting and without arguments; a failure to start it is ignored.
void startConfigurator();

} // namespace tarvello

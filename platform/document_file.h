#pragma once
// Whether a file the program is about to hand to the desktop's viewer is what it claims
// to be: a PDF document inside the folder it was named in. Names come from files the
// user can edit (the configurator database, the settings file), so a name could lead
// to a script, a program or a file outside the folder, which the desktop might run.

#include <QString>

namespace tarvello {

enum class DocumentFile {
    Missing,     // nothing at all by that name: the shell reports it as it does
    Document,    // a PDF document inside the folder
    NotADocument // anything else, which must not be opened
};

// `name` in `folder`. A Document is a name ending in ".pdf" (any case) that, after every
// symbolic link is resolved, is a regular file inside the folder (itself resolved) and
// starts with the PDF signature "%PDF-". A name with a path separator, a trailing
// blank or dot, or no ".pdf" ending is NotADocument; so is a link to nowhere.
DocumentFile checkPdfDocument(const QString& folder, const QString& name);

} // namespace tarvello

#pragma once
// The project file: JSON, versioned, human-readable (docs/project-format.md). Saving writes
// a temporary file beside the project, makes it durable and renames it over the project,
// keeping the previous version as "<name>.bak"; at every moment the project's name holds
// either the old or the new complete file. Opening refuses, with a message naming the
// file and what is wrong, a file that is damaged, not a project or from a newer format.

#include "project/project.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace tarvello {

// The format version this program writes; it reads every version up to it.
constexpr int kProjectFormatVersion = 1;
// The value of "format" that marks a project file.
constexpr const char* kProjectFormatName = "tarvello-project";

// A project file that cannot be read or written; the message names the file.
class ProjectFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The project as the text of its file (ends with a newline).
std::string projectToText(const Project& project);
// The project of a file's text; `fileName` names the file in the message of the
// ProjectFileError thrown for a damaged text, one that is not a project, or a newer format.
Project projectFromText(const std::string& text, const std::string& fileName);

// The steps of a save, for observers that must see a save stopped half-way (tests).
enum class SaveStep {
    TemporaryStarted,   // the temporary file is open and half of the text written
    TemporaryWritten,   // the whole text is in the temporary file, made durable
    BackupWritten,      // the previous version is kept as the backup
    Renamed,            // the new file has the project's name
};
using SaveObserver = std::function<void(SaveStep)>;

// Saves `project` as `path` (see above). Throws ProjectFileError; the file at `path` is
// then unchanged.
void saveProject(const Project& project, const std::string& path, const SaveObserver& observer = {});

// Opens the project file `path`. Throws ProjectFileError.
Project openProject(const std::string& path);

// The backup a save keeps of the previous version.
std::string backupPathOf(const std::string& path);

} // namespace tarvello

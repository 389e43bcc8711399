#pragma once
// The text offsets of the project windows, all after the selection windows' "Add to
// project" command (the first text of the range).

#include "selection_ui/project_command.h"

namespace tarvello::project_texts {

constexpr int kFirst = kAddToProjectText;
constexpr int kNewProject = kFirst + 2;
constexpr int kOpenProject = kFirst + 3;
constexpr int kSaveProject = kFirst + 4;
constexpr int kSaveProjectAs = kFirst + 5;
constexpr int kRecentProjects = kFirst + 6;
constexpr int kImportRooms = kFirst + 7;
constexpr int kExportSchedule = kFirst + 8;
constexpr int kExportExcel = kFirst + 9;
constexpr int kExportCsv = kFirst + 10;
constexpr int kExportPdf = kFirst + 11;
constexpr int kScheduleTitle = kFirst + 12;
constexpr int kUnsavedChanges = kFirst + 13; // %1: the project's name
constexpr int kSave = kFirst + 14;
constexpr int kDiscard = kFirst + 15;
constexpr int kCancel = kFirst + 16;
constexpr int kUntitled = kFirst + 17;
constexpr int kTag = kFirst + 18;
constexpr int kRoom = kFirst + 19;
constexpr int kQuantity = kFirst + 20;
constexpr int kItemTitle = kFirst + 21;
constexpr int kLine = kFirst + 22;
constexpr int kFlags = kFirst + 23;
constexpr int kDataChanged = kFirst + 24;
constexpr int kModelMissing = kFirst + 25;
constexpr int kDutyNotMet = kFirst + 26;
constexpr int kEdit = kFirst + 27;
constexpr int kDuplicate = kFirst + 28;
constexpr int kDelete = kFirst + 29;
constexpr int kMoveUp = kFirst + 30;
constexpr int kMoveDown = kFirst + 31;
constexpr int kTotalsPerModel = kFirst + 32;
constexpr int kRoomsWithoutFit = kFirst + 33;
constexpr int kReason = kFirst + 34;
constexpr int kDutyMet = kFirst + 35;      // %1 model, %2 rated, %3 required
constexpr int kDutyShort = kFirst + 36;    // the same, not met
constexpr int kOpenFailed = kFirst + 37;
constexpr int kSaveFailed = kFirst + 38;
constexpr int kImportFailed = kFirst + 39;
constexpr int kExportFailed = kFirst + 40;
constexpr int kTagRequired = kFirst + 41;
constexpr int kProjectFiles = kFirst + 42;
constexpr int kRoomLists = kFirst + 43;
constexpr int kUnits = kFirst + 44;
constexpr int kRoomsWithoutFitCount = kFirst + 45; // %1 rooms of %2
constexpr int kNoModel = kFirst + 46;
constexpr int kOtherLine = kFirst + 47;    // %1 tag, %2 line
constexpr int kModelRated = kFirst + 48;   // %1 model, %2 rated (no duty typed)
constexpr int kTagInProject = kFirst + 49; // %1 tag
constexpr int kLast = kTagInProject;

} // namespace tarvello::project_texts

#include "project_ui/project_session.h"

#include "engine/arithmetic.h"
#include "project/best_fit.h"
#include "project/project_file.h"
#include "project/rerating.h"
#include "project/room_list.h"
#include "project_ui/project_texts.h"
#include "schedule_export/schedule.h"
#include "selection/selection_run.h"
#include "selection_ui/result_grid.h"
#include "shell/language.h"
#include "shell/message_sink.h"
#include "shell/settings.h"
#include "shell/units.h"

#include <QFileInfo>

#include <algorithm>
#include <exception>

namespace tarvello {

namespace {

using namespace project_texts;

const QString kTitle = QStringLiteral("Tarvello");
const QString kProjectSuffix = QStringLiteral(".tarvello");

QString recentKey(int i)
{
    return QStringLiteral("Recente%1").arg(i + 1);
}

// A failure told as its text followed by what went wrong.
void tellFailure(int text, const std::exception& error)
{
    messages().critical(Testo(text) + QLatin1Char('\n') + QString::fromStdString(error.what()), kTitle);
}

// Rates `coil` of `line` at `request`; empty when the line has no such coil or the rating
// fails.
std::optional<ModelOutcome> rateCoil(LineLibrary& lines, const RunRequest& request, const std::string& coil)
{
    try {
        const std::optional<int> model = lines.modelIndex(request.line, coil);
        if (!model)
            return std::nullopt;
        CoilState state;
        setRunConditions(request, state);
        return rateModel(request, lines.table(request.line), lines.constants(request.line), *model, state);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The request a project keeps: the run's conditions without its capacity band, so that
// re-rating lists the model whatever it gives.
RunRequest storedRequest(RunRequest request)
{
    request.band = CapacityBand{};
    return request;
}

std::optional<DutyRecord>& dutyOfMode(ProjectItem& item, int mode)
{
    return mode == ModeHeating ? item.heating : item.cooling;
}

QString dialogFilter(int text, const QString& patterns)
{
    return Testo(text).trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

const QString kProjectPatterns = QStringLiteral("*.tarvello *.tarvello.json *.json");

// Tells what a coil gives for a duty and, when one is asked, whether it meets it (a coil
// that cannot be rated there gives nothing).
void tellDutyRating(const QString& coil, const DutyRecord& duty, int mode)
{
    const QString unit = QLatin1Char(' ') + powerUnitForMode(mode).trimmed();
    const float rated = duty.rated ? duty.rated->rating.Capacity : 0.0f;
    const QString ratedText = UnitPt.format(rated).trimmed() + unit;
    if (duty.required_W <= 0 && duty.rated) {
        messages().information(Testo(kModelRated).arg(coil, ratedText), kTitle);
        return;
    }
    const bool met = duty.rated && rated >= duty.required_W;
    const QString text = Testo(met ? kDutyMet : kDutyShort).arg(coil, ratedText, UnitPt.format(duty.required_W).trimmed() + unit);
    if (met)
        messages().information(text, kTitle);
    else
        messages().exclamation(text, kTitle);
}

} // namespace

std::string unitOfCoil(const std::string& coil, const RunRequest& request)
{
    if (request.mode == ModeHeating && request.fourPipe && nameEndsWith(coil, " 4P"))
        return coil.substr(0, coil.size() - 3) + "+4P";
    return coil;
}

std::pair<std::string, bool> coilOfUnit(const std::string& unit, int mode)
{
    if (mode == ModeHeating) {
        if (std::string coil = fourPipeHeatingCoilOf(unit); !coil.empty())
            return {coil, true};
    }
    return {unit, false};
}

bool meetsDuties(const ProjectItem& item)
{
    if (!item.chosen())
        return false;
    for (const std::optional<DutyRecord>* duty : {&item.cooling, &item.heating}) {
        if (!*duty)
            continue;
        const DutyRecord& d = **duty;
        if (!d.rated || !d.rated->listed() || d.rated->rating.Capacity < d.required_W)
            return false;
        if (d.requiredSensible_W && d.rated->rating.SensibleCapacity < *d.requiredSensible_W)
            return false;
    }
    return true;
}

ProjectSession::ProjectSession(LineLoader loader, QObject* parent) : QObject(parent)
{
    setLineLoader(std::move(loader));
}

void ProjectSession::setLineLoader(LineLoader loader)
{
    loader_ = std::move(loader);
    lines_ = std::make_unique<LineLibrary>(loader_);
    emit changed();
}

QString ProjectSession::displayName() const
{
    if (!project_.info.name.empty())
        return QString::fromStdString(project_.info.name);
    if (!path_.isEmpty())
        return QFileInfo(path_).fileName();
    return Testo(kUntitled).trimmed();
}

QString ProjectSession::titleText() const
{
    return displayName() + (modified_ ? QStringLiteral(" *") : QString());
}

void ProjectSession::touch()
{
    modified_ = true;
    emit changed();
}

void ProjectSession::setProject(Project project, const QString& path)
{
    project_ = std::move(project);
    path_ = path;
    modified_ = false;
    lastImportWithoutFit_.clear();
    emit changed();
}

// --- files ------------------------------------------------------------------------------

bool ProjectSession::maybeSave(QWidget* owner)
{
    if (!modified_)
        return true;
    switch (projectPrompts().askToSave(owner, displayName())) {
    case SaveAnswer::Save: return save(owner);
    case SaveAnswer::Discard: return true;
    case SaveAnswer::Cancel: return false;
    }
    return false;
}

bool ProjectSession::newProject(QWidget* owner)
{
    if (!maybeSave(owner))
        return false;
    setProject(Project{}, QString());
    return true;
}

bool ProjectSession::openFile(QWidget* owner)
{
    if (!maybeSave(owner))
        return false;
    const QString path =
        projectPrompts().openFileName(owner, Testo(kOpenProject).trimmed(), dialogFilter(kProjectFiles, kProjectPatterns));
    return !path.isEmpty() && openAsked(path);
}

bool ProjectSession::openPath(QWidget* owner, const QString& path)
{
    return maybeSave(owner) && openAsked(path);
}

bool ProjectSession::openAsked(const QString& path)
{
    try {
        Project opened = openProject(path.toStdString());
        setProject(std::move(opened), path);
        rememberRecent(path);
        return true;
    } catch (const std::exception& error) {
        tellFailure(kOpenFailed, error);
        if (!QFileInfo::exists(path))
            forgetRecent(path);
        return false;
    }
}

bool ProjectSession::writeTo(QWidget*, const QString& path)
{
    try {
        saveProject(project_, path.toStdString());
    } catch (const std::exception& error) {
        tellFailure(kSaveFailed, error);
        return false;
    }
    path_ = path;
    modified_ = false;
    rememberRecent(path);
    emit changed();
    return true;
}

bool ProjectSession::save(QWidget* owner)
{
    return path_.isEmpty() ? saveAs(owner) : writeTo(owner, path_);
}

bool ProjectSession::saveAs(QWidget* owner)
{
    const QString suggested = path_.isEmpty() ? displayName() + kProjectSuffix : path_;
    QString path = projectPrompts().saveFileName(owner, Testo(kSaveProjectAs).trimmed(),
                                                 dialogFilter(kProjectFiles, kProjectPatterns), suggested);
    if (path.isEmpty())
        return false;
    const QString name = QFileInfo(path).fileName();
    if (!name.contains(QLatin1Char('.')))
        path += kProjectSuffix;
    return writeTo(owner, path);
}

// --- recent projects --------------------------------------------------------------------

QStringList ProjectSession::recentProjects() const
{
    QStringList paths;
    for (int i = 0; i < kRecentCount; ++i)
        if (const QString path = LeggiIni(kRecentSection, recentKey(i)); !path.isEmpty() && !paths.contains(path))
            paths << path;
    return paths;
}

void ProjectSession::rememberRecent(const QString& path)
{
    QStringList paths = recentProjects();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    QList<QPair<QString, QString>> keys;
    for (int i = 0; i < kRecentCount; ++i)
        keys.append({recentKey(i), i < paths.size() ? paths[i] : QString()});
    writeSettings(kRecentSection, keys);
}

void ProjectSession::forgetRecent(const QString& path)
{
    QStringList paths = recentProjects();
    if (paths.removeAll(QFileInfo(path).absoluteFilePath()) == 0 && paths.removeAll(path) == 0)
        return;
    QList<QPair<QString, QString>> keys;
    for (int i = 0; i < kRecentCount; ++i)
        keys.append({recentKey(i), i < paths.size() ? paths[i] : QString()});
    writeSettings(kRecentSection, keys);
}

// --- room lists and schedules -----------------------------------------------------------

bool ProjectSession::importRoomList(QWidget* owner)
{
    const QString path = projectPrompts().openFileName(owner, Testo(kImportRooms).trimmed(),
                                                       dialogFilter(kRoomLists, QStringLiteral("*.csv")));
    return !path.isEmpty() && importRoomListFrom(owner, path);
}

bool ProjectSession::importRoomListFrom(QWidget*, const QString& path)
{
    std::vector<ProjectItem> selected;
    try {
        const std::vector<RoomRow> rooms = readRoomList(path.toStdString());
        // The whole list or nothing: a tag the project has already refuses it.
        for (const RoomRow& room : rooms) {
            if (itemOfTag(room.tag)) {
                messages().critical(Testo(kImportFailed) + QLatin1Char('\n') +
                                        Testo(kTagInProject).arg(QString::fromStdString(room.tag)),
                                    kTitle);
                return false;
            }
        }
        selected = selectRooms(rooms, project_.defaults, *lines_);
    } catch (const std::exception& error) {
        tellFailure(kImportFailed, error);
        return false;
    }
    lastImportWithoutFit_.clear();
    lastImportCount_ = selected.size();
    for (ProjectItem& item : selected) {
        if (!item.chosen())
            lastImportWithoutFit_.push_back(project_.items.size());
        project_.items.push_back(std::move(item));
    }
    touch();
    emit imported();
    return true;
}

bool ProjectSession::exportSchedule(QWidget* owner, ScheduleFormat format)
{
    static const char* const kSuffixes[] = {".xlsx", ".csv", ".pdf"};
    static const int kTexts[] = {kExportExcel, kExportCsv, kExportPdf};
    const int f = int(format);
    const QString suffix = QString::fromLatin1(kSuffixes[f]);
    const QString base = path_.isEmpty() ? displayName() : path_.left(path_.size() - QFileInfo(path_).suffix().size() - 1);
    const QString stem = base.endsWith(kProjectSuffix) ? base.chopped(kProjectSuffix.size()) : base;
    QString path = projectPrompts().saveFileName(owner, Testo(kTexts[f]).trimmed().remove(QStringLiteral("...")),
                                                 QStringLiteral("(*%1)").arg(suffix), stem + suffix);
    if (path.isEmpty())
        return false;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    return exportScheduleTo(owner, path);
}

bool ProjectSession::exportScheduleTo(QWidget*, const QString& path)
{
    try {
        tarvello::exportSchedule(project_, path.toStdString(), currentScheduleStyle());
        return true;
    } catch (const std::exception& error) {
        tellFailure(kExportFailed, error);
        return false;
    }
}

// --- items ------------------------------------------------------------------------------

std::optional<size_t> ProjectSession::itemOfTag(const std::string& tag) const
{
    for (size_t i = 0; i < project_.items.size(); ++i)
        if (project_.items[i].tag == tag)
            return i;
    return std::nullopt;
}

DutyRecord ProjectSession::rateOtherDuty(const ProjectItem& item, const ChosenSelection& chosen)
{
    const int mode = chosen.request.mode;
    const auto [coil, fourPipe] = coilOfUnit(item.model, mode);
    DutyRecord duty;
    duty.required_W = chosen.required_W;
    duty.request = storedRequest(chosen.request);
    duty.request.fourPipe = mode == ModeHeating && fourPipe;
    const std::optional<ModelOutcome> outcome = rateCoil(*lines_, duty.request, coil);
    if (outcome && outcome->listed())
        duty.rated = outcome;
    tellDutyRating(QString::fromStdString(coil), duty, mode);
    return duty;
}

bool ProjectSession::addChosen(const ChosenSelection& chosen, const ItemEntry& entry)
{
    const int mode = chosen.request.mode;
    const std::string tag = entry.tag.trimmed().toStdString();
    if (tag.empty()) {
        messages().exclamation(Testo(kTagRequired), kTitle);
        return false;
    }
    DutyRecord duty{chosen.required_W, std::nullopt, storedRequest(chosen.request), chosen.model};
    const std::optional<size_t> existing = itemOfTag(tag);
    if (!existing) {
        ProjectItem item;
        item.tag = tag;
        item.room = entry.room.trimmed().toStdString();
        item.quantity = std::max(entry.quantity, 1);
        item.line = chosen.request.line;
        item.speed = chosen.request.speed;
        item.model = unitOfCoil(chosen.model.name, chosen.request);
        dutyOfMode(item, mode) = duty;
        project_.items.push_back(std::move(item));
        touch();
        return true;
    }
    ProjectItem& item = project_.items[*existing];
    if (item.line != chosen.request.line) {
        messages().exclamation(Testo(kOtherLine).arg(QString::fromStdString(tag), QString::fromLatin1(lineCode(item.line))),
                               kTitle);
        return false;
    }
    if (!item.chosen() || dutyOfMode(item, mode))
        return replaceModel(*existing, chosen); // the chosen model takes the item over
    dutyOfMode(item, mode) = rateOtherDuty(item, chosen);
    item.noFit.reset();
    touch();
    return true;
}

void ProjectSession::rerateDuty(ProjectItem& item, std::optional<DutyRecord>& duty, int mode)
{
    if (!duty)
        return;
    const auto [coil, fourPipe] = coilOfUnit(item.model, mode);
    duty->request.fourPipe = mode == ModeHeating && fourPipe;
    duty->request.line = item.line;
    const std::optional<ModelOutcome> outcome = rateCoil(*lines_, duty->request, coil);
    duty->rated = outcome && outcome->listed() ? outcome : std::nullopt;
}

bool ProjectSession::replaceModel(size_t index, const ChosenSelection& chosen)
{
    if (index >= project_.items.size())
        return false;
    ProjectItem& item = project_.items[index];
    const int mode = chosen.request.mode;
    std::optional<DutyRecord>& duty = dutyOfMode(item, mode);
    const float required = chosen.required_W > 0 ? chosen.required_W : (duty ? duty->required_W : 0.0f);
    const std::optional<float> sensible = duty ? duty->requiredSensible_W : std::nullopt;
    duty = DutyRecord{required, sensible, storedRequest(chosen.request), chosen.model};
    item.line = chosen.request.line;
    item.speed = chosen.request.speed;
    item.model = unitOfCoil(chosen.model.name, chosen.request);
    item.noFit.reset();
    rerateDuty(item, dutyOfMode(item, mode == ModeHeating ? ModeCooling : ModeHeating),
               mode == ModeHeating ? ModeCooling : ModeHeating);
    touch();
    return true;
}

void ProjectSession::removeItem(size_t item)
{
    if (item >= project_.items.size())
        return;
    project_.items.erase(project_.items.begin() + std::ptrdiff_t(item));
    lastImportWithoutFit_.clear();
    touch();
}

void ProjectSession::duplicateItem(size_t item)
{
    if (item >= project_.items.size())
        return;
    ProjectItem copy = project_.items[item];
    // A fresh tag: the first "<tag>-n" the project does not have.
    for (int n = 2;; ++n) {
        const std::string tag = copy.tag + "-" + std::to_string(n);
        if (!itemOfTag(tag)) {
            copy.tag = tag;
            break;
        }
    }
    project_.items.insert(project_.items.begin() + std::ptrdiff_t(item) + 1, std::move(copy));
    lastImportWithoutFit_.clear();
    touch();
}

void ProjectSession::moveItem(size_t item, int delta)
{
    const long target = long(item) + delta;
    if (item >= project_.items.size() || target < 0 || target >= long(project_.items.size()))
        return;
    std::swap(project_.items[item], project_.items[size_t(target)]);
    lastImportWithoutFit_.clear();
    touch();
}

std::vector<ItemFlags> ProjectSession::itemFlags()
{
    std::vector<ItemFlags> flags(project_.items.size());
    for (size_t i = 0; i < flags.size(); ++i)
        flags[i].dutyNotMet = !meetsDuties(project_.items[i]);
    RerateReport report;
    try {
        report = rerateProject(project_, *lines_);
    } catch (const std::exception&) {
        return flags; // no model data to compare with: the stored values stand
    }
    for (const ItemRerating& rerating : report.items) {
        for (const DutyRerating& duty : rerating.duties) {
            if (!duty.flag)
                continue;
            if (*duty.flag == RerateFlag::ModelMissing)
                flags[rerating.item].modelMissing = true;
            else
                flags[rerating.item].dataChanged = true;
        }
    }
    return flags;
}

} // namespace tarvello

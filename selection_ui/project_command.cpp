#include "selection_ui/project_command.h"

#include "selection_ui/details_follower.h"
#include "selection_ui/grid_view.h"
#include "selection_ui/selection_window.h"
#include "shell/language.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QPushButton>

namespace tarvello {

namespace {

ProjectLink*& installedLink()
{
    static ProjectLink* link = nullptr;
    return link;
}

constexpr int kFirstDataRow = 2; // row 0 the headings, row 1 the units

} // namespace

ProjectLink* projectLink()
{
    return installedLink();
}

void setProjectLink(ProjectLink* link)
{
    installedLink() = link;
}

ProjectCommand::ProjectCommand(SelectionWindow* window, GridView* grid, QPushButton* command,
                               std::function<float()> requiredCapacity, std::function<void(const EditedRun&)> present)
    : QObject(window), window_(window), grid_(grid), command_(command), requiredCapacity_(std::move(requiredCapacity)),
      present_(std::move(present))
{
    command_->setEnabled(false); // until a run lists a model
    command_->setVisible(projectLink() != nullptr);
    setCaption();
    connect(command_, &QPushButton::clicked, this, [this] { addCurrentRow(); });
    window_->installEventFilter(this);
}

void ProjectCommand::setCaption()
{
    const ProjectLink* link = projectLink();
    command_->setText(Testo(link && link->editing() ? kReplaceInProjectText : kAddToProjectText));
}

// When the window shows while the project edits an item of its line, the item's run is
// shown again.
bool ProjectCommand::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::Show) {
        ProjectLink* link = projectLink();
        command_->setVisible(link != nullptr);
        setCaption();
        if (link) {
            if (std::optional<EditedRun> edited = link->takeEditedRun()) {
                highlight_ = edited->model;
                present_(*edited);
            }
        }
    }
    if (watched == window_ && event->type() == QEvent::Hide) {
        if (ProjectLink* link = projectLink())
            link->selectionClosed();
    }
    return QObject::eventFilter(watched, event);
}

int ProjectCommand::rowOf(const QString& model) const
{
    const std::vector<const ModelOutcome*> listed = window_->lastRun().listed();
    for (size_t i = 0; i < listed.size(); ++i)
        if (QString::fromStdString(listed[i]->name) == model)
            return int(i) + kFirstDataRow;
    return -1;
}

void ProjectCommand::runChanged()
{
    command_->setEnabled(window_->lastRun().listedCount() > 0);
    if (highlight_.isEmpty())
        return;
    if (const int row = rowOf(highlight_); row >= 0) {
        grid_->setCurrentIndex(grid_->model()->index(row, 1));
        grid_->scrollTo(grid_->currentIndex());
    }
    highlight_.clear();
}

void ProjectCommand::runGone()
{
    command_->setEnabled(false);
}

void ProjectCommand::addCurrentRow()
{
    ProjectLink* link = projectLink();
    if (!link || !command_->isEnabled())
        return;
    const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : kFirstDataRow;
    const ModelOutcome* model = DetailsFollower::modelOnRow(window_->lastRun(), row);
    if (!model)
        return;
    ChosenSelection chosen{window_->lastRequest(), *model, requiredCapacity_(), window_};
    if (link->addToProject(chosen))
        setCaption();
}

} // namespace tarvello

#include "selection_ui/details_follower.h"

#include "chart_view/chart_texts.h"
#include "chart_view/details_panel.h"
#include "engine/model_table.h"
#include "selection_ui/grid_view.h"
#include "shell/language.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QShortcut>

namespace tarvello {

namespace {

const QKeySequence kDetailsKey(Qt::Key_F8);
constexpr int kFirstDataRow = 2; // row 0 the headings, row 1 the units

} // namespace

DetailsFollower::DetailsFollower(QWidget* window, GridView* grid, QPushButton* command, std::function<Run()> run)
    : QObject(window), window_(window), grid_(grid), command_(command), run_(std::move(run))
{
    command_->setText(Testo(chart_texts::kDetailsTitle));
    command_->setToolTip(Testo(chart_texts::kDetailsTitle) + QStringLiteral(" (") +
                         kDetailsKey.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    command_->setEnabled(false); // until a run lists a model
    connect(command_, &QPushButton::clicked, this, [this] { showDetails(); });
    auto* key = new QShortcut(kDetailsKey, window_);
    connect(key, &QShortcut::activated, this, [this] { showDetails(); });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { follow(current.row()); });
}

const ModelOutcome* DetailsFollower::modelOnRow(const RunResult& result, int row)
{
    const std::vector<const ModelOutcome*> listed = result.listed();
    const int index = row - kFirstDataRow;
    return index >= 0 && index < int(listed.size()) ? listed[size_t(index)] : nullptr;
}

void DetailsFollower::showDetails()
{
    if (!command_->isEnabled())
        return;
    if (!panel_)
        panel_ = new FDettagli(window_);
    const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : kFirstDataRow;
    follow(row);
    if (!panel_->hasResult())
        follow(kFirstDataRow); // no data row current yet: the first listed model
    panel_->show();
    panel_->raise();
}

void DetailsFollower::runChanged()
{
    const Run run = run_();
    runShown_ = true;
    command_->setEnabled(run.result->listedCount() > 0);
    if (panel_ && panel_->isVisible())
        follow(grid_->currentIndex().isValid() ? grid_->currentIndex().row() : kFirstDataRow);
}

void DetailsFollower::runGone()
{
    runShown_ = false;
    command_->setEnabled(false);
    if (panel_)
        panel_->clearResult();
}

void DetailsFollower::follow(int row)
{
    if (!panel_)
        return;
    const Run run = run_();
    const ModelOutcome* model = runShown_ ? modelOnRow(*run.result, row) : nullptr;
    if (model)
        panel_->showResult(run.caption, *run.request, *model, modelTable());
    else
        panel_->clearResult();
}

} // namespace tarvello

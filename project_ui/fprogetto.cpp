#include "project_ui/fprogetto.h"

#include "project_ui/project_link.h"
#include "project_ui/project_texts.h"
#include "schedule_export/schedule.h"
#include "selection_ui/left_out_tally.h"
#include "selection_ui/not_listed_texts.h"
#include "selection_ui/result_grid.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/units.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace tarvello {

namespace {

using namespace project_texts;

constexpr int kTotalCoolingText = 55;
constexpr int kSensibleCoolingText = 52;
constexpr int kHeatingCapacityText = 54;
constexpr int kRunErrorText = 113;
constexpr int kEndText = 30; // "Fine"

const QColor kFlaggedColour(0xff, 0xe0, 0xd8);

QPushButton* makeCommand(QWidget* parent, const char* name)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QTableView* makeTable(QWidget* parent, const char* name)
{
    auto* view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->setVisible(false);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter | Qt::AlignVCenter);
    return view;
}

// A cell as the window shows it: numbers with the locale's decimal separator.
QString shownText(const ScheduleCell& cell)
{
    QString text = QString::fromStdString(cell.text);
    if (cell.number && !DecimalSep.isEmpty())
        text.replace(QLatin1Char('.'), DecimalSep);
    return text + QString::fromStdString(cell.mark == "> " ? std::string() : cell.mark);
}

QStandardItem* cellItem(const ScheduleCell& cell, bool numeric)
{
    auto* item = new QStandardItem(shownText(cell));
    if (cell.number)
        item->setData(*cell.number, kSortRole);
    else
        item->setData(QString::fromStdString(cell.text), kSortRole);
    if (numeric)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// A heading with its group and unit on lines of their own, so that the columns stay narrow.
QString headingText(const ScheduleColumn& column)
{
    QString text = QString::fromStdString(column.heading);
    if (!column.group.empty())
        text.prepend(QString::fromStdString(column.group).trimmed() + QLatin1Char('\n'));
    if (!column.unit.empty())
        text += QLatin1Char('\n') + QString::fromStdString(column.unit);
    return text;
}

// The window's own words for the columns a schedule names in English only.
QString windowHeading(const ScheduleColumn& column)
{
    static const std::pair<const char*, int> kOwnWords[] = {
        {"tag", kTag}, {"room", kRoom}, {"quantity", kQuantity}, {"line", kLine}, {"note", kReason}};
    for (const auto& [key, text] : kOwnWords)
        if (column.key == key)
            return Testo(text).trimmed();
    return headingText(column);
}

QString flagText(const ItemFlags& flags)
{
    QStringList parts;
    if (flags.modelMissing)
        parts << Testo(kModelMissing).trimmed();
    if (flags.dataChanged)
        parts << Testo(kDataChanged).trimmed();
    if (flags.dutyNotMet)
        parts << Testo(kDutyNotMet).trimmed();
    return parts.join(QStringLiteral(", "));
}

} // namespace

QString noFitText(const ProjectItem& item)
{
    if (!item.noFit)
        return {};
    const NoFit& fit = *item.noFit;
    if (fit.runError != 0)
        return Testo(kRunErrorText).trimmed() + QStringLiteral(": ") + QString::number(fit.runError);
    const int dutyText = fit.duty == Duty::Heating ? kHeatingCapacityText
                         : fit.duty == Duty::SensibleCooling ? kSensibleCoolingText
                                                             : kTotalCoolingText;
    const int mode = fit.duty == Duty::Heating ? ModeHeating : ModeCooling;
    const QString powerUnit = powerUnitForMode(mode).trimmed();
    const float required = fit.duty == Duty::Heating           ? (item.heating ? item.heating->required_W : 0.0f)
                           : fit.duty == Duty::SensibleCooling ? (item.cooling ? item.cooling->requiredSensible_W.value_or(0) : 0.0f)
                                                               : (item.cooling ? item.cooling->required_W : 0.0f);
    QString text = Testo(kNoModel).trimmed() + QStringLiteral(" (") + Testo(dutyText).trimmed() + QLatin1Char(' ') +
                   UnitPt.format(required).trimmed() + QLatin1Char(' ') + powerUnit + QStringLiteral(")");
    if (fit.reason) {
        text += QStringLiteral(": ") + leftOutReasonText(leftOutCase(*fit.reason, mode, false), LangBase).trimmed();
        if (*fit.reason == NotListedReason::OutsideCapacityBand)
            text += QStringLiteral(", ") + Testo(kLargestCapacityText).trimmed().arg(
                                               UnitPt.format(fit.bestCapacity_W).trimmed() + QLatin1Char(' ') + powerUnit);
    }
    return text;
}

// --- FProgetto --------------------------------------------------------------------------

FProgetto::FProgetto(QWidget* parent, ProjectSession& session, SessionProjectLink& link,
                     std::function<void(int)> edit)
    : QDialog(parent, Qt::Window), session_(session), link_(link), edit_(std::move(edit))
{
    setObjectName(QStringLiteral("FProgetto"));
    auto* layout = new QVBoxLayout(this);
    GrdVoci = makeTable(this, "GrdVoci");
    itemModel_ = new QStandardItemModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(itemModel_);
    sorted_->setSortRole(kSortRole);
    GrdVoci->setModel(sorted_);
    GrdVoci->setSortingEnabled(true);
    GrdVoci->sortByColumn(-1, Qt::AscendingOrder); // the project's order until a heading is clicked
    layout->addWidget(GrdVoci, 3);

    auto* commands = new QHBoxLayout;
    cmdModifica = makeCommand(this, "cmdModifica");
    cmdDuplica = makeCommand(this, "cmdDuplica");
    cmdElimina = makeCommand(this, "cmdElimina");
    cmdSu = makeCommand(this, "cmdSu");
    cmdGiu = makeCommand(this, "cmdGiu");
    cmdChiudi = makeCommand(this, "cmdChiudi");
    for (QPushButton* button : {cmdModifica, cmdDuplica, cmdElimina, cmdSu, cmdGiu})
        commands->addWidget(button);
    commands->addStretch(1);
    commands->addWidget(cmdChiudi);
    layout->addLayout(commands);

    lblTotali = new QLabel(this);
    lblTotali->setObjectName(QStringLiteral("lblTotali"));
    layout->addWidget(lblTotali);
    GrdTotali = makeTable(this, "GrdTotali");
    totalModel_ = new QStandardItemModel(this);
    GrdTotali->setModel(totalModel_);
    layout->addWidget(GrdTotali, 1);

    connect(cmdModifica, &QPushButton::clicked, this, &FProgetto::cmdModifica_Click);
    connect(cmdDuplica, &QPushButton::clicked, this, &FProgetto::cmdDuplica_Click);
    connect(cmdElimina, &QPushButton::clicked, this, &FProgetto::cmdElimina_Click);
    connect(cmdSu, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    connect(cmdGiu, &QPushButton::clicked, this, [this] { moveCurrent(+1); });
    connect(cmdChiudi, &QPushButton::clicked, this, &FProgetto::close);
    connect(GrdVoci, &QTableView::doubleClicked, this, &FProgetto::cmdModifica_Click);
    connect(GrdVoci->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FProgetto::updateCommands);
    connect(&session_, &ProjectSession::changed, this, &FProgetto::refresh);
    setCaptions();
    refresh();
    resize(1000, 640);
}

void FProgetto::setCaptions()
{
    setWindowTitle(Testo(kScheduleTitle).trimmed() + QStringLiteral(" - ") + session_.displayName());
    cmdModifica->setText(Testo(kEdit).trimmed());
    cmdDuplica->setText(Testo(kDuplicate).trimmed());
    cmdElimina->setText(Testo(kDelete).trimmed());
    cmdSu->setText(Testo(kMoveUp).trimmed());
    cmdGiu->setText(Testo(kMoveDown).trimmed());
    cmdChiudi->setText(Testo(kEndText).trimmed());
    lblTotali->setText(Testo(kTotalsPerModel).trimmed());
}

void FProgetto::refresh()
{
    const int current = currentItem();
    setCaptions();
    // One schedule for both tables: building it formats every item of the project.
    const Schedule schedule = buildSchedule(session_.project(), currentScheduleStyle());
    fillItems(schedule);
    fillTotals(schedule);
    if (current >= 0)
        selectItem(std::min(current, int(session_.project().items.size()) - 1));
    updateCommands();
}

void FProgetto::fillItems(const Schedule& schedule)
{
    const Project& project = session_.project();
    const std::vector<ItemFlags> flags = session_.itemFlags();
    const ScheduleSheet& sheet = schedule.items;
    itemModel_->clear();
    QStringList headings{Testo(kFlags).trimmed()};
    for (const ScheduleColumn& column : sheet.columns)
        headings << windowHeading(column);
    itemModel_->setHorizontalHeaderLabels(headings);
    for (size_t r = 0; r < sheet.rows.size() && r < project.items.size(); ++r) {
        QList<QStandardItem*> row;
        const QString flagged = r < flags.size() ? flagText(flags[r]) : QString();
        auto* flagItem = new QStandardItem(flagged);
        flagItem->setData(flagged, kSortRole);
        row << flagItem;
        for (size_t c = 0; c < sheet.columns.size() && c < sheet.rows[r].size(); ++c) {
            if (sheet.columns[c].key == "note") {
                const QString reason = noFitText(project.items[r]);
                auto* note = new QStandardItem(reason);
                note->setData(reason, kSortRole);
                row << note;
            } else {
                row << cellItem(sheet.rows[r][c], sheet.columns[c].numeric);
            }
        }
        for (QStandardItem* cell : row) {
            cell->setData(int(r), kItemIndexRole);
            if (!flagged.isEmpty())
                cell->setBackground(QBrush(kFlaggedColour));
        }
        itemModel_->appendRow(row);
    }
    GrdVoci->resizeColumnsToContents();
    GrdVoci->resizeRowsToContents();
}

void FProgetto::fillTotals(const Schedule& schedule)
{
    const ScheduleSheet& sheet = schedule.summary;
    totalModel_->clear();
    QStringList headings;
    for (const ScheduleColumn& column : sheet.columns)
        headings << (column.key == "quantity" ? Testo(kUnits).trimmed() : windowHeading(column));
    totalModel_->setHorizontalHeaderLabels(headings);
    for (const std::vector<ScheduleCell>& cells : sheet.rows) {
        QList<QStandardItem*> row;
        for (size_t c = 0; c < sheet.columns.size() && c < cells.size(); ++c)
            row << cellItem(cells[c], sheet.columns[c].numeric);
        totalModel_->appendRow(row);
    }
    GrdTotali->resizeColumnsToContents();
    GrdTotali->resizeRowsToContents();
}

int FProgetto::itemOnRow(int row) const
{
    const QModelIndex index = sorted_->index(row, 0);
    return index.isValid() ? index.data(kItemIndexRole).toInt() : -1;
}

int FProgetto::currentItem() const
{
    const QModelIndex current = GrdVoci->currentIndex();
    return current.isValid() ? itemOnRow(current.row()) : -1;
}

void FProgetto::selectItem(int index)
{
    for (int row = 0; row < sorted_->rowCount(); ++row) {
        if (itemOnRow(row) == index) {
            GrdVoci->selectRow(row);
            GrdVoci->setCurrentIndex(sorted_->index(row, 0));
            return;
        }
    }
}

QString FProgetto::flagsText(int row) const
{
    return sorted_->index(row, 0).data().toString();
}

void FProgetto::updateCommands()
{
    const int item = currentItem();
    const bool any = item >= 0 && item < int(session_.project().items.size());
    cmdModifica->setEnabled(any && SessionProjectLink::editedRunOf(session_.project().items[size_t(item)]));
    cmdDuplica->setEnabled(any);
    cmdElimina->setEnabled(any);
    cmdSu->setEnabled(any && item > 0);
    cmdGiu->setEnabled(any && item + 1 < int(session_.project().items.size()));
}

void FProgetto::cmdModifica_Click()
{
    const int item = currentItem();
    if (item < 0 || !link_.beginEdit(size_t(item)))
        return;
    if (edit_)
        edit_(session_.project().items[size_t(item)].line);
}

void FProgetto::cmdDuplica_Click()
{
    const int item = currentItem();
    if (item < 0)
        return;
    session_.duplicateItem(size_t(item));
    selectItem(item + 1);
}

void FProgetto::cmdElimina_Click()
{
    const int item = currentItem();
    if (item >= 0)
        session_.removeItem(size_t(item));
}

void FProgetto::moveCurrent(int delta)
{
    const int item = currentItem();
    if (item < 0)
        return;
    // Moving works on the project's order, which the view then shows.
    GrdVoci->sortByColumn(-1, Qt::AscendingOrder);
    sorted_->sort(-1);
    session_.moveItem(size_t(item), delta);
    selectItem(std::clamp(item + delta, 0, int(session_.project().items.size()) - 1));
}

// --- FSenzaScelta -----------------------------------------------------------------------

FSenzaScelta::FSenzaScelta(QWidget* parent, const Project& project, const std::vector<size_t>& items,
                           size_t imported)
    : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FSenzaScelta"));
    setWindowTitle(Testo(kRoomsWithoutFit).trimmed());
    auto* layout = new QVBoxLayout(this);
    auto* count = new QLabel(Testo(kRoomsWithoutFitCount).arg(items.size()).arg(imported), this);
    count->setObjectName(QStringLiteral("lblConteggio"));
    count->setWordWrap(true);
    layout->addWidget(count);
    GrdSenzaScelta = makeTable(this, "GrdSenzaScelta");
    auto* model = new QStandardItemModel(this);
    model->setHorizontalHeaderLabels({Testo(kTag).trimmed(), Testo(kRoom).trimmed(), Testo(kReason).trimmed()});
    for (size_t index : items) {
        if (index >= project.items.size())
            continue;
        const ProjectItem& item = project.items[index];
        model->appendRow({new QStandardItem(QString::fromStdString(item.tag)),
                          new QStandardItem(QString::fromStdString(item.room)), new QStandardItem(noFitText(item))});
    }
    GrdSenzaScelta->setModel(model);
    GrdSenzaScelta->horizontalHeader()->setStretchLastSection(true);
    GrdSenzaScelta->resizeColumnsToContents();
    GrdSenzaScelta->setWordWrap(true);
    layout->addWidget(GrdSenzaScelta);
    auto* close = new QPushButton(Testo(kEndText).trimmed(), this);
    close->setObjectName(QStringLiteral("cmdChiudi"));
    connect(close, &QPushButton::clicked, this, &FSenzaScelta::close);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(760, 420);
}

} // namespace tarvello

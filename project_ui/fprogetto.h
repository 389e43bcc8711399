#pragma once
// FProgetto: the schedule of the open project. One row per item (tag, room, quantity,
// line, model, speed, the duties asked and the rated values in the user's units, the
// flags), sortable by any column; the selected item can be edited in its selection
// window, duplicated, deleted and moved; the totals per model below. FSenzaScelta lists
// the rooms a room-list import left without a fit, with the reasons.

#include "project_ui/project_session.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace tarvello {

struct Schedule;

class SessionProjectLink;

// The data role that keeps an item's index in the project on every cell of its row.
constexpr int kItemIndexRole = Qt::UserRole + 1;
// The data role a column sorts by (the number of a numeric cell, the text otherwise).
constexpr int kSortRole = Qt::UserRole + 2;

class FProgetto : public QDialog {
    Q_OBJECT
public:
    // `edit` opens an item's selection window (the program's line chooser).
    FProgetto(QWidget* parent, ProjectSession& session, SessionProjectLink& link, std::function<void(int line)> edit);

    // Rebuilds the rows, flags and totals from the project (re-rating it).
    void refresh();
    void setCaptions();

    QTableView* items() const { return GrdVoci; }
    QTableView* totals() const { return GrdTotali; }
    // The project index of the item on the view's `row` (after sorting), or -1.
    int itemOnRow(int row) const;
    // The project index of the current row's item, or -1.
    int currentItem() const;
    // Selects the row of project item `index`.
    void selectItem(int index);
    // The text of the flag column of view row `row`.
    QString flagsText(int row) const;

    void cmdModifica_Click();
    void cmdDuplica_Click();
    void cmdElimina_Click();
    void moveCurrent(int delta); // cmdSu, cmdGiu

private:
    void fillItems(const Schedule& schedule);
    void fillTotals(const Schedule& schedule);
    void updateCommands();

    ProjectSession& session_;
    SessionProjectLink& link_;
    std::function<void(int)> edit_;
    QTableView* GrdVoci = nullptr;
    QTableView* GrdTotali = nullptr;
    QStandardItemModel* itemModel_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QStandardItemModel* totalModel_ = nullptr;
    QLabel* lblTotali = nullptr;
    QPushButton* cmdModifica = nullptr;
    QPushButton* cmdDuplica = nullptr;
    QPushButton* cmdElimina = nullptr;
    QPushButton* cmdSu = nullptr;
    QPushButton* cmdGiu = nullptr;
    QPushButton* cmdChiudi = nullptr;
};

class FSenzaScelta : public QDialog {
    Q_OBJECT
public:
    // `items`: the rooms without a fit among the `imported` ones.
    FSenzaScelta(QWidget* parent, const Project& project, const std::vector<size_t>& items, size_t imported);
    QTableView* rooms() const { return GrdSenzaScelta; }

private:
    QTableView* GrdSenzaScelta = nullptr;
};

// Why no model fits an item, in the current language: the duty and the reason.
QString noFitText(const ProjectItem& item);

} // namespace tarvello

#pragma once
// FNonElencati: the small panel of a selection window that lists each model of the line
// the last run did not show, in table order, with its reason and the figure behind it. Its
// text can be copied (the Copy button or Ctrl+C) as tab-separated lines with headings.

#include "selection_ui/not_listed_texts.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTableWidget;

namespace tarvello {

class FNonElencati : public QDialog {
    Q_OBJECT
public:
    // A panel owned by the selection window `owner`.
    explicit FNonElencati(QWidget* owner);

    // Shows `rows` with captions and headings in the language `langBase`.
    void showRows(std::vector<NotListedRow> rows, qint16 langBase);

    // The panel as tab-separated text.
    QString copyText() const;
    // Puts the panel's text on the clipboard; returns it.
    QString copyToClipboard();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* grdNonElencati = nullptr;
    QPushButton* cmdCopia = nullptr;
    QPushButton* cmdChiudi = nullptr;
    std::vector<NotListedRow> rows_;
    qint16 langBase_ = 100;
};

} // namespace tarvello

#pragma once
// FDettagli: the details panel of a selection window. It follows the selected result row:
// the details of the unit (air states, capacities, condensate, water and air side, sound),
// its psychrometric chart and its fan curves on three tabs, and the datasheet PDF of the
// unit. Its text can be copied (Copy or Ctrl+C) as tab-separated lines.

#include "chart_view/details_rows.h"
#include "engine/model_table.h"
#include "selection/run_request.h"
#include "selection/run_result.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace tarvello {

class ChartWidget;

class FDettagli : public QDialog {
    Q_OBJECT
public:
    // A panel owned by the selection window `owner`; `caption` names the product line.
    explicit FDettagli(QWidget* owner);

    // Shows the details of `model`, listed in the run of `request` on `table` (which must
    // outlive the panel's showing of it).
    void showResult(const QString& caption, const RunRequest& request, const ModelOutcome& model,
                    const ModelTable& table);
    // No row selected: the panel asks for one.
    void clearResult();
    bool hasResult() const { return model_.has_value(); }

    // The details as tab-separated text.
    QString copyText() const;
    QString copyToClipboard();

    // Asks for a file and writes the datasheet of the unit shown there; the message of a
    // failure is shown. Returns the path written, empty when nothing was.
    QString saveDatasheet();

    QTabWidget* tabs() const { return tabDettagli; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setCaptions();

    QTabWidget* tabDettagli = nullptr;
    QTableWidget* grdDettagli = nullptr;
    ChartWidget* picPsicro = nullptr;
    ChartWidget* picVentilatore = nullptr;
    QPushButton* cmdScheda = nullptr;
    QPushButton* cmdCopia = nullptr;
    QPushButton* cmdChiudi = nullptr;

    QString caption_;
    RunRequest request_;
    std::optional<ModelOutcome> model_;
    const ModelTable* table_ = nullptr;
    QList<DetailsRow> rows_;
};

} // namespace tarvello

#include "chart_view/details_panel.h"

#include "chart_view/chart_painter.h"
#include "chart_view/chart_texts.h"
#include "chart_view/chart_widget.h"
#include "chart_view/datasheet.h"
#include "charts/fan_chart.h"
#include "charts/psychro_chart.h"
#include "printing/pdf_file_chooser.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/message_sink.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvello {

namespace {

namespace tx = chart_texts;

constexpr int kCopyText = 19;
constexpr int kReturnText = 68;
constexpr int kPdfFilterText = 132;
constexpr int kPanelWidth = 640;  // pixels: a chart legible beside the selection window
constexpr int kPanelHeight = 520; // pixels

QTableWidgetItem* readOnlyItem(const QString& text, bool bold = false)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (bold) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    return item;
}

QPushButton* makeButton(QWidget* parent, const QString& name)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

FDettagli::FDettagli(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FDettagli"));
    setModal(false);
    tabDettagli = new QTabWidget(this);
    tabDettagli->setObjectName(QStringLiteral("tabDettagli"));
    grdDettagli = new QTableWidget(0, 3, this);
    grdDettagli->setObjectName(QStringLiteral("grdDettagli"));
    grdDettagli->verticalHeader()->setVisible(false);
    grdDettagli->horizontalHeader()->setVisible(false);
    grdDettagli->horizontalHeader()->setStretchLastSection(true);
    grdDettagli->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdDettagli->setWordWrap(false);
    grdDettagli->verticalHeader()->setDefaultSectionSize(grdDettagli->fontMetrics().height() + 6); // compact rows
    picPsicro = new ChartWidget(this);
    picPsicro->setObjectName(QStringLiteral("picPsicro"));
    picVentilatore = new ChartWidget(this);
    picVentilatore->setObjectName(QStringLiteral("picVentilatore"));
    tabDettagli->addTab(grdDettagli, QString());
    tabDettagli->addTab(picPsicro, QString());
    tabDettagli->addTab(picVentilatore, QString());

    cmdScheda = makeButton(this, QStringLiteral("cmdScheda"));
    cmdCopia = makeButton(this, QStringLiteral("cmdCopia"));
    cmdChiudi = makeButton(this, QStringLiteral("cmdChiudi"));
    connect(cmdScheda, &QPushButton::clicked, this, [this] { saveDatasheet(); });
    connect(cmdCopia, &QPushButton::clicked, this, [this] { copyToClipboard(); });
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdScheda);
    buttons->addStretch(1);
    buttons->addWidget(cmdCopia);
    buttons->addWidget(cmdChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabDettagli, 1);
    layout->addLayout(buttons);
    resize(kPanelWidth, kPanelHeight);
    setCaptions();
    clearResult();
}

void FDettagli::setCaptions()
{
    setWindowTitle(Testo(tx::kDetailsTitle));
    tabDettagli->setTabText(0, Testo(tx::kDetailsTitle));
    tabDettagli->setTabText(1, Testo(tx::kPsychroChart));
    tabDettagli->setTabText(2, Testo(tx::kFanCurves));
    cmdScheda->setText(Testo(tx::kDatasheet) + QStringLiteral(" (PDF)"));
    cmdScheda->setToolTip(Testo(tx::kSaveDatasheet));
    cmdCopia->setText(Testo(kCopyText));
    cmdChiudi->setText(Testo(kReturnText).trimmed());
}

void FDettagli::clearResult()
{
    model_.reset();
    table_ = nullptr;
    rows_.clear();
    grdDettagli->setRowCount(1);
    grdDettagli->setItem(0, 0, readOnlyItem(Testo(tx::kSelectARow)));
    grdDettagli->setItem(0, 1, readOnlyItem({}));
    grdDettagli->setItem(0, 2, readOnlyItem({}));
    grdDettagli->resizeColumnsToContents();
    picPsicro->setChart({});
    picPsicro->setPlaceholder(Testo(tx::kSelectARow));
    picVentilatore->setChart({});
    picVentilatore->setPlaceholder(Testo(tx::kSelectARow));
    cmdScheda->setEnabled(false);
    cmdCopia->setEnabled(false);
}

void FDettagli::showResult(const QString& caption, const RunRequest& request, const ModelOutcome& model,
                           const ModelTable& table)
{
    setCaptions();
    caption_ = caption;
    request_ = request;
    model_ = model;
    table_ = &table;
    const SelectionDetails details = selectionDetails(request, model, table);
    rows_ = detailsRows(details);
    grdDettagli->setRowCount(int(rows_.size()));
    for (int i = 0; i < rows_.size(); ++i) {
        const DetailsRow& row = rows_[i];
        grdDettagli->setItem(i, 0, readOnlyItem(row.label, row.heading));
        auto* value = readOnlyItem(row.value.trimmed());
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdDettagli->setItem(i, 1, value);
        grdDettagli->setItem(i, 2, readOnlyItem(row.unit));
    }
    grdDettagli->resizeColumnsToContents();

    const PsychroChart psychro = psychroChartOf(details);
    const PsychroChartTexts psychroTexts = psychroChartTexts(details.returnAir.has_value());
    picPsicro->setChart([psychro, psychroTexts](QPainter& painter, const QRectF& area) {
        paintPsychroChart(painter, area, psychro, psychroTexts);
    });
    const FanChart fan = fanChartOf(request, model, table);
    const FanChartTexts fanTexts = fanChartTexts();
    picVentilatore->setChart(
        [fan, fanTexts](QPainter& painter, const QRectF& area) { paintFanChart(painter, area, fan, fanTexts); });
    cmdScheda->setEnabled(true);
    cmdCopia->setEnabled(true);
}

QString FDettagli::copyText() const
{
    return detailsText(rows_);
}

QString FDettagli::copyToClipboard()
{
    const QString text = copyText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
    return text;
}

QString FDettagli::saveDatasheet()
{
    if (!model_ || !table_)
        return {};
    const QDate today = QDate::currentDate();
    const QString suggested =
        QDir(AppDir).filePath(suggestedDatasheetName(QString::fromStdString(model_->name), today));
    QString path = pdfFileChooser().chooseFile(this, Testo(tx::kSaveDatasheet), suggested, Testo(kPdfFilterText));
    if (path.isEmpty())
        return {};
    path = withPdfSuffix(path);
    try {
        saveDatasheetPdf(path, {caption_, request_, *model_, table_, today, std::nullopt});
    } catch (const PrintError& error) {
        messages().exclamation(Testo(tx::kDatasheetNotWritten) + QLatin1Char('\n') + QDir::toNativeSeparators(path) +
                                   QStringLiteral("\n(") + QString::number(error.number) + QLatin1Char(')'),
                               QString::fromLatin1(kProgramTitle));
        return {};
    }
    return path;
}

void FDettagli::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tarvello

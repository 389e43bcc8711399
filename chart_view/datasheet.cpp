#include "chart_view/datasheet.h"

#include "chart_view/chart_painter.h"
#include "chart_view/chart_texts.h"
#include "chart_view/details_rows.h"
#include "charts/fan_chart.h"
#include "charts/psychro_chart.h"
#include "charts/selection_details.h"
#include "energy/energy_texts.h"
#include "energy/unit_data.h"
#include "engine/product_lines.h"
#include "shell/display_mask.h"
#include "shell/language.h"
#include "shell/units.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace tarvello {

namespace {

namespace tx = chart_texts;
namespace etx = energy_texts;

constexpr double kMarginMm = 10.0;
constexpr int kPdfResolution = 600;
constexpr double kMmPerInch = 25.4;
constexpr double kTitlePoints = 14.0;
constexpr double kSectionPoints = 11.0;
constexpr double kBodyPoints = 9.0;
constexpr double kColumnGapMm = 8.0;
constexpr double kValueColumnMm = 62.0; // a row's value ends here, from the column's left
constexpr double kSectionGapMm = 3.0;

// A column of label, value and unit rows on the canvas, at its own left edge.
class RowColumn {
public:
    RowColumn(ReportCanvas& canvas, double left) : canvas_(canvas), left_(left) {}

    void row(const DetailsRow& row)
    {
        if (row.heading) {
            canvas_.setFont(true, kBodyPoints);
            canvas_.printAt(left_, row.label);
        } else {
            canvas_.setFont(false, kBodyPoints);
            canvas_.printAt(left_ + 2, row.label);
            const QString value = row.value.trimmed();
            canvas_.printAt(left_ + kValueColumnMm - canvas_.textWidth(value), value);
            canvas_.printAt(left_ + kValueColumnMm + 1.5, row.unit);
        }
        canvas_.newLine();
    }

private:
    ReportCanvas& canvas_;
    double left_;
};

void section(ReportCanvas& canvas, const QString& title)
{
    canvas.setCurrentY(canvas.currentY() + kSectionGapMm);
    canvas.setFont(true, kSectionPoints);
    canvas.printAt(0, title);
    canvas.newLine();
    canvas.rule(0, canvas.pageWidth());
    canvas.setCurrentY(canvas.currentY() + 1);
}

// Rows in two columns side by side, split at a heading near the middle.
void twoColumns(ReportCanvas& canvas, const QList<DetailsRow>& rows)
{
    qsizetype split = rows.size() / 2;
    while (split < rows.size() && !rows[split].heading)
        ++split;
    const double top = canvas.currentY();
    const double half = (canvas.pageWidth() - kColumnGapMm) / 2;
    RowColumn left(canvas, 0), right(canvas, half + kColumnGapMm);
    for (qsizetype i = 0; i < split; ++i)
        left.row(rows[i]);
    const double leftEnd = canvas.currentY();
    canvas.setCurrentY(top);
    for (qsizetype i = split; i < rows.size(); ++i)
        right.row(rows[i]);
    canvas.setCurrentY(std::max(leftEnd, canvas.currentY()));
}

DetailsRow valueRow(int text, const QString& value, const QString& unit = {})
{
    return {Testo(text).trimmed(), value, unit, false};
}

QList<DetailsRow> designConditions(const DatasheetSource& s)
{
    const RunRequest& r = s.request;
    QList<DetailsRow> rows;
    rows.append({Testo(r.cooling() ? tx::kCooling : tx::kHeating).trimmed(), {}, {}, true});
    rows.append(valueRow(tx::kOperatingSpeed, QString::number(r.speed)));
    rows.append(valueRow(tx::kDryBulbTemperature, UnitT.format(r.air.dryBulb), UnitT.name()));
    if (r.cooling())
        rows.append(valueRow(tx::kRelativeHumidity, wholeNumber(r.air.relativeHumidity), QStringLiteral("%")));
    rows.append(valueRow(tx::kWaterInletTemperature, UnitT.format(r.waterIn), UnitT.name()));
    if (r.leavingWaterGiven)
        rows.append(valueRow(tx::kWaterOutletTemperature, UnitT.format(r.waterOut), UnitT.name()));
    else
        rows.append(valueRow(tx::kWaterFlow, UnitQw.format(r.waterFlow), UnitQw.name()));
    rows.append(valueRow(tx::kGlycol, wholeNumber(r.glycolPercent)));
    if (productLine(s.table->line).ducted() && r.airFlowGiven())
        rows.append(valueRow(tx::kAirFlow, UnitQa.format(r.totalAirFlow), UnitQa.name()));
    else
        rows.append(valueRow(tx::kPressure, UnitDpA.format(r.staticPressure), UnitDpA.name()));
    return rows;
}

QList<DetailsRow> modelData(const DatasheetSource& s)
{
    const ModelTable& t = *s.table;
    const int m = s.model.model;
    const QString mm = QStringLiteral("mm");
    QList<DetailsRow> rows;
    rows.append({QString::fromStdString(s.model.name), {}, {}, true});
    rows.append(valueRow(tx::kRows, wholeNumber(t.NR[m])));
    // The equivalent number of parallel circuits need not be whole (circuits of unequal length).
    const bool wholeCircuits = t.NC[m] == std::round(t.NC[m]);
    rows.append(valueRow(tx::kCircuits, wholeCircuits ? wholeNumber(t.NC[m]) : FormatMask(t.NC[m], QStringLiteral("0.00"))));
    rows.append(valueRow(tx::kFinnedLength, wholeNumber(t.LunBat[m]), mm));
    rows.append(valueRow(tx::kCoilHeight, wholeNumber(t.AltBAt[m]), mm));
    rows.append(valueRow(tx::kFaceArea, FormatMask(double(t.LunBat[m]) * t.AltBAt[m] / 1.0e6, QStringLiteral("0.000")),
                         QStringLiteral("m²")));
    return rows;
}

// The unit around the coil, from the model database's technical data when it has the model.
QList<DetailsRow> unitData(const DatasheetSource& s)
{
    QList<DetailsRow> rows;
    const energy::UnitData* u = energy::unitDataTable().find(s.model.name);
    if (!u)
        return rows;
    const QString times = QStringLiteral(" × ");
    rows.append(valueRow(etx::kDimensions, wholeNumber(u->width_mm).trimmed() + times + wholeNumber(u->height_mm).trimmed()
                                               + times + wholeNumber(u->depth_mm).trimmed(),
                         QStringLiteral("mm")));
    rows.append(valueRow(etx::kWeight, oneDecimal(u->weight_kg).trimmed(), QStringLiteral("kg")));
    rows.append(valueRow(etx::kWaterConnections, QString::fromStdString(u->waterConnection)));
    if (!u->heatingConnection.empty())
        rows.append(valueRow(etx::kHeatingCoilConnections, QString::fromStdString(u->heatingConnection)));
    rows.append(valueRow(etx::kCoilWaterContent, FormatMask(u->waterContent_l, QStringLiteral("0.00")), QStringLiteral("l")));
    rows.append(valueRow(etx::kPowerSupply, QString::fromStdString(u->supply)));
    return rows;
}

// The fan power input and motor current of every speed.
QList<DetailsRow> fanPowerPerSpeed(const DatasheetSource& s)
{
    QList<DetailsRow> rows;
    const energy::UnitData* u = energy::unitDataTable().find(s.model.name);
    if (!u)
        return rows;
    rows.append({Testo(etx::kFanPowerPerSpeed), {}, {}, true});
    for (size_t i = 0; i < u->fanPower_W.size(); ++i) {
        QString value = oneDecimal(u->fanPower_W[i]).trimmed() + QStringLiteral(" W");
        if (i < u->motorCurrent_A.size())
            value += QStringLiteral(" / ") + FormatMask(u->motorCurrent_A[i], QStringLiteral("0.00")) + QStringLiteral(" A");
        rows.append({Testo(tx::kOperatingSpeed).trimmed() + QLatin1Char(' ') + QString::number(i + 1), value, {}, false});
    }
    rows.append({Testo(etx::kFanPowerInput).trimmed() + QStringLiteral(" / ") + Testo(etx::kMotorCurrent).trimmed(),
                 {}, {}, false});
    return rows;
}

// The sound of every speed: speed, sound power and (fan coils) sound pressure.
QList<DetailsRow> soundPerSpeed(const DatasheetSource& s)
{
    const ModelTable& t = *s.table;
    const int m = s.model.model;
    const bool ducted = productLine(t.line).ducted();
    QList<DetailsRow> rows;
    rows.append({Testo(tx::kSoundPerSpeed), {}, {}, true});
    for (int speed = 1; speed <= productLine(t.line).speeds; ++speed) {
        QString value = wholeNumber(t.LWA[m][speed]).trimmed();
        if (!ducted)
            value += QStringLiteral(" / ") + wholeNumber(t.LPA[m][speed]).trimmed();
        rows.append({Testo(tx::kOperatingSpeed).trimmed() + QLatin1Char(' ') + QString::number(speed), value,
                     QStringLiteral("dB(A)"), false});
    }
    rows.append({ducted ? Testo(tx::kSoundPower).trimmed()
                        : Testo(tx::kSoundPower).trimmed() + QStringLiteral(" / ") + Testo(tx::kSoundPressure).trimmed(),
                 {}, {}, false});
    return rows;
}

void header(ReportCanvas& canvas, const DatasheetSource& s)
{
    canvas.setCurrentY(0);
    canvas.setFont(true, kTitlePoints);
    canvas.printAt(0, Testo(tx::kDatasheet) + QStringLiteral("  ") + QString::fromStdString(s.model.name));
    canvas.newLine();
    canvas.setFont(false, kBodyPoints + 1);
    canvas.printAt(0, s.caption);
    const QString date = s.date.toString(QStringLiteral("dd/MM/yyyy"));
    canvas.printAt(canvas.pageWidth() - canvas.textWidth(date), date);
    canvas.newLine();
    if (s.project) {
        canvas.printAt(0, s.project->project + QStringLiteral("  -  ") + s.project->item);
        canvas.newLine();
    }
    canvas.rule(0, canvas.pageWidth());
}

void footer(ReportCanvas& canvas, int page)
{
    canvas.setFont(false, kBodyPoints);
    const QString text = Testo(tx::kPageOf).arg(page).arg(kDatasheetPages);
    canvas.setCurrentY(canvas.pageHeight() - canvas.lineHeight());
    canvas.printAt(canvas.pageWidth() - canvas.textWidth(text), text);
}

QRectF deviceRect(const QPagedPaintDevice& device, double x, double y, double w, double h)
{
    const double k = device.logicalDpiX() / kMmPerInch;
    return {x * k, y * k, w * k, h * k};
}

} // namespace

void drawDatasheet(QPainter& painter, QPagedPaintDevice& device, const DatasheetSource& s, QList<DrawnText>* drawn)
{
    const SelectionDetails details = selectionDetails(s.request, s.model, *s.table);
    ReportCanvas canvas(painter, device);
    canvas.recordDrawnTexts(drawn);

    header(canvas, s);
    section(canvas, Testo(tx::kDesignConditions));
    QList<DetailsRow> conditions = designConditions(s);
    twoColumns(canvas, conditions);
    section(canvas, Testo(tx::kPerformance));
    twoColumns(canvas, detailsRows(details));
    section(canvas, Testo(tx::kModelData));
    QList<DetailsRow> data = modelData(s);
    data += unitData(s);
    data += soundPerSpeed(s);
    data += fanPowerPerSpeed(s);
    twoColumns(canvas, data);
    footer(canvas, 1);

    canvas.newPage();
    header(canvas, s);
    const double top = canvas.currentY() + kSectionGapMm;
    const double chartHeight = (canvas.pageHeight() - top - 2 * canvas.lineHeight()) / 2;
    const double width = canvas.pageWidth();
    paintPsychroChart(painter, deviceRect(device, 0, top, width, chartHeight - kSectionGapMm),
                      psychroChartOf(details), psychroChartTexts(details.returnAir.has_value()));
    paintFanChart(painter, deviceRect(device, 0, top + chartHeight, width, chartHeight - kSectionGapMm),
                  fanChartOf(s.request, s.model, *s.table), fanChartTexts());
    footer(canvas, 2);
}

void saveDatasheetPdf(const QString& path, const DatasheetSource& source)
{
    {
        // QPdfWriter does not report a file it cannot open: try it first.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            throw PrintError{kFileAccessErrorNumber};
    }
    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    writer.setCreator(QStringLiteral("Tarvello"));
    writer.setTitle(Testo(tx::kDatasheet) + QLatin1Char(' ') + QString::fromStdString(source.model.name));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&writer))
        throw PrintError{kFileAccessErrorNumber};
    try {
        drawDatasheet(painter, writer, source);
    } catch (...) {
        painter.end();
        throw;
    }
    if (!painter.end())
        throw PrintError{kFileAccessErrorNumber};
}

QString suggestedDatasheetName(const QString& model, const QDate& date)
{
    QString name = Testo(tx::kDatasheet) + QLatin1Char(' ') + model.trimmed() + QLatin1Char(' ') +
                   date.toString(Qt::ISODate);
    static const QString kRefused = QStringLiteral("<>:\"/\\|?*");
    for (QChar& c : name)
        if (kRefused.contains(c) || c.unicode() < 32)
            c = QLatin1Char('_');
    return name + QStringLiteral(".pdf");
}

} // namespace tarvello

#pragma once
// The psychrometric chart and the fan curve chart painted into a rectangle of any paint
// device (a widget, a printer, a PDF page): the same code for all three. Sizes are physical
// (points and millimetres at the device's resolution), so a chart reads the same on screen
// and on paper.

#include "charts/fan_chart.h"
#include "charts/psychro_chart.h"

#include <QRectF>
#include <QString>

class QPainter;

namespace tarvello {

// The captions a chart draws, in the current language.
struct PsychroChartTexts {
    QString title;
    QString dryBulbAxis;    // "Dry bulb temperature  °C"
    QString humidityAxis;   // "Humidity ratio  g/kg"
    QString wetBulb;        // legend of the wet bulb lines
    QString returnAir, freshAir, entering, leaving, dewPoint;
};

struct FanChartTexts {
    QString title;
    QString airFlowAxis;  // "Air flow  m3/h"
    QString pressureAxis; // "Pressure  Pa"
    QString speed;        // before a speed's number
    QString workingPoint;
    QString systemCurve;
};

// The captions in the current language (Testo).
PsychroChartTexts psychroChartTexts(bool ducted);
FanChartTexts fanChartTexts();

void paintPsychroChart(QPainter& painter, const QRectF& area, const PsychroChart& chart, const PsychroChartTexts& texts);
void paintFanChart(QPainter& painter, const QRectF& area, const FanChart& chart, const FanChartTexts& texts);

} // namespace tarvello

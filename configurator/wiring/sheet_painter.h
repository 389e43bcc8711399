#pragma once
// Drawing on a wiring diagram sheet in millimetres, whatever the device resolution, with a
// record of what was drawn (texts, wires, symbols) kept in a DrawnSheet. The symbol shapes
// live here once, so the diagram and its legend draw the same thing.

#include "configurator/wiring/drawn_sheet.h"

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QString>

#include <initializer_list>

namespace pinvale::wiring {

class SheetPainter {
public:
    SheetPainter(QPainter& painter, DrawnSheet& content);

    double px(double mm) const { return mm * pxPerMm_; }
    QPointF at(double x, double y) const { return {px(x), px(y)}; }

    void solid(double width_mm = 0.3) { pen(Qt::SolidLine, width_mm); }
    void dashed(double width_mm = 0.3) { pen(Qt::DashLine, width_mm); }
    void pen(Qt::PenStyle style, double width_mm);
    // Solid for factory wiring, dashed for the installer's wiring or a part where fitted.
    void wiring(bool dashedLine) { dashedLine ? dashed() : solid(); }

    void line(double x1, double y1, double x2, double y2);
    void polyline(std::initializer_list<QPointF> mmPoints);
    void rect(double x, double y, double w, double h);
    void fillRect(double x, double y, double w, double h, const QColor& colour);
    void circle(double cx, double cy, double r);
    void dot(double cx, double cy, double r = 0.6);

    // Text of cap height about `size_mm`, anchored by `align` at (x, y); recorded.
    void text(double x, double y, const QString& text, double size_mm = 2.5,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false);
    void boldText(double x, double y, const QString& text, double size_mm,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
    {
        this->text(x, y, text, size_mm, align, true);
    }

    // A wire drawn in the current pen between two named ends; recorded.
    void wire(std::initializer_list<QPointF> mmPoints, const QString& from, const QString& to);
    // A connection made without a line of its own (a wire that continues one already drawn).
    void connect(const QString& from, const QString& to) { content_.wires.emplace_back(from, to); }
    void place(const DrawnSymbol& symbol) { content_.symbols.push_back(symbol); }

    // Draws what `draw` draws, scaled by `factor` about (cx, cy): the legend's small symbols.
    template <typename Draw>
    void scaledAbout(double cx, double cy, double factor, Draw draw)
    {
        p_.save();
        p_.translate(at(cx, cy));
        p_.scale(factor, factor);
        p_.translate(-at(cx, cy));
        draw();
        p_.restore();
    }

    QPainter& painter() { return p_; }
    DrawnSheet& content() { return content_; }

private:
    QPainter& p_;
    DrawnSheet& content_;
    double pxPerMm_;
};

// The symbol shapes, vertical between yTop and yBottom on the line x unless said otherwise.
namespace shapes {

// A normally open contact, drawn open (IEC 60617 make contact).
void normallyOpenContact(SheetPainter& s, double x, double yTop, double yBottom);
// A normally closed contact, drawn closed: the blade rests on the fixed contact's hook
// (IEC 60617 break contact); `thermal` adds the temperature sign of a thermostat.
void normallyClosedContact(SheetPainter& s, double x, double yTop, double yBottom, bool thermal);
void capacitor(SheetPainter& s, double x, double yTop, double yBottom);
void resistor(SheetPainter& s, double x, double yTop, double yBottom);
// A resistor lying across, from xLeft to xRight on the line y.
void resistorAcross(SheetPainter& s, double xLeft, double xRight, double y);
void heaterElement(SheetPainter& s, double x, double yTop, double yBottom);
// Protective earth hanging from (x, y).
void protectiveEarth(SheetPainter& s, double x, double y);
// Motor of radius r centred at (cx, cy).
void motor(SheetPainter& s, double cx, double cy, double r);
// Valve actuator and body, top at yTop, 13 mm high.
void valve(SheetPainter& s, double x, double yTop);
void temperatureSensor(SheetPainter& s, double cx, double cy, double r);

} // namespace shapes

} // namespace pinvale::wiring

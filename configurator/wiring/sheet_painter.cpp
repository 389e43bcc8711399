#include "configurator/wiring/sheet_painter.h"

#include <QFont>
#include <QPaintDevice>
#include <QPen>
#include <QPolygonF>
#include <QRectF>

namespace pinvale::wiring {

SheetPainter::SheetPainter(QPainter& painter, DrawnSheet& content)
    : p_(painter), content_(content), pxPerMm_(painter.device()->logicalDpiX() / 25.4)
{
    p_.setRenderHint(QPainter::Antialiasing);
    solid();
}

void SheetPainter::pen(Qt::PenStyle style, double width_mm)
{
    QPen pen(Qt::black, px(width_mm), style, Qt::SquareCap, Qt::MiterJoin);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
}

void SheetPainter::line(double x1, double y1, double x2, double y2)
{
    p_.drawLine(at(x1, y1), at(x2, y2));
}

void SheetPainter::polyline(std::initializer_list<QPointF> mmPoints)
{
    QPolygonF points;
    for (const QPointF& point : mmPoints)
        points << at(point.x(), point.y());
    p_.drawPolyline(points);
}

void SheetPainter::rect(double x, double y, double w, double h)
{
    p_.drawRect(QRectF(at(x, y), at(x + w, y + h)));
}

void SheetPainter::fillRect(double x, double y, double w, double h, const QColor& colour)
{
    p_.fillRect(QRectF(at(x, y), at(x + w, y + h)), colour);
}

void SheetPainter::circle(double cx, double cy, double r)
{
    p_.drawEllipse(at(cx, cy), px(r), px(r));
}

void SheetPainter::dot(double cx, double cy, double r)
{
    p_.save();
    p_.setBrush(p_.pen().color());
    p_.setPen(QPen(p_.pen().color(), 0));
    p_.drawEllipse(at(cx, cy), px(r), px(r));
    p_.restore();
}

void SheetPainter::text(double x, double y, const QString& text, double size_mm, Qt::Alignment align,
                        bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(size_mm * 72.0 / 25.4);
    font.setBold(bold);
    p_.setFont(font);
    const double w = 200, h = size_mm * 2;
    double left = x;
    if (align & Qt::AlignHCenter)
        left = x - w / 2;
    else if (align & Qt::AlignRight)
        left = x - w;
    double top = y - h / 2;
    if (align & Qt::AlignTop)
        top = y;
    else if (align & Qt::AlignBottom)
        top = y - h;
    p_.drawText(QRectF(at(left, top), at(left + w, top + h)), static_cast<int>(align), text);
    content_.texts << text;
}

void SheetPainter::wire(std::initializer_list<QPointF> mmPoints, const QString& from, const QString& to)
{
    polyline(mmPoints);
    connect(from, to);
}

namespace shapes {

void normallyOpenContact(SheetPainter& s, double x, double yTop, double yBottom)
{
    const double length = yBottom - yTop, fixedEnd = yTop + length * 0.3, pivot = yBottom - length * 0.3;
    s.line(x, yTop, x, fixedEnd);
    s.line(x, pivot, x, yBottom);
    // The blade stops short of the fixed contact: open at rest.
    s.line(x, pivot, x - length * 0.32, fixedEnd + length * 0.04);
}

void normallyClosedContact(SheetPainter& s, double x, double yTop, double yBottom, bool thermal)
{
    const double length = yBottom - yTop, fixedEnd = yTop + length * 0.3, pivot = yBottom - length * 0.3;
    const double hook = length * 0.3;
    s.polyline({{x, yTop}, {x, fixedEnd}, {x + hook, fixedEnd}});
    s.line(x, pivot, x, yBottom);
    // The blade reaches past the hook: closed at rest.
    s.line(x, pivot, x + hook * 1.25, fixedEnd - length * 0.06);
    if (thermal)
        s.text(x - 0.8, (fixedEnd + pivot) / 2, QStringLiteral("θ"), 2.2, Qt::AlignRight | Qt::AlignVCenter);
}

void capacitor(SheetPainter& s, double x, double yTop, double yBottom)
{
    const double middle = (yTop + yBottom) / 2, gap = 0.7, half = 2.2;
    s.line(x, yTop, x, middle - gap);
    s.line(x - half, middle - gap, x + half, middle - gap);
    s.line(x - half, middle + gap, x + half, middle + gap);
    s.line(x, middle + gap, x, yBottom);
}

void resistor(SheetPainter& s, double x, double yTop, double yBottom)
{
    const double length = yBottom - yTop, body = length * 0.5;
    s.line(x, yTop, x, yTop + (length - body) / 2);
    s.rect(x - 0.9, yTop + (length - body) / 2, 1.8, body);
    s.line(x, yBottom - (length - body) / 2, x, yBottom);
}

void resistorAcross(SheetPainter& s, double xLeft, double xRight, double y)
{
    const double length = xRight - xLeft, body = length * 0.5;
    s.line(xLeft, y, xLeft + (length - body) / 2, y);
    s.rect(xLeft + (length - body) / 2, y - 0.9, body, 1.8);
    s.line(xRight - (length - body) / 2, y, xRight, y);
}

void heaterElement(SheetPainter& s, double x, double yTop, double yBottom)
{
    s.rect(x - 2.2, yTop, 4.4, yBottom - yTop);
    for (double y = yTop + 2; y < yBottom - 1; y += 2.5)
        s.line(x - 2.2, y, x + 2.2, y);
}

void protectiveEarth(SheetPainter& s, double x, double y)
{
    s.line(x, y, x, y + 2);
    s.line(x - 2, y + 2, x + 2, y + 2);
    s.line(x - 1.3, y + 2.8, x + 1.3, y + 2.8);
    s.line(x - 0.6, y + 3.6, x + 0.6, y + 3.6);
}

void motor(SheetPainter& s, double cx, double cy, double r)
{
    s.circle(cx, cy, r);
    s.boldText(cx, cy - r * 0.2, QStringLiteral("M"), r * 0.57, Qt::AlignCenter);
    s.text(cx, cy + r * 0.45, QStringLiteral("1~"), r * 0.32, Qt::AlignCenter);
}

void valve(SheetPainter& s, double x, double yTop)
{
    s.rect(x - 2.8, yTop, 5.6, 6);
    s.boldText(x, yTop + 3, QStringLiteral("M"), 2.6, Qt::AlignCenter);
    s.line(x, yTop + 6, x, yTop + 9);
    // The valve body: two triangles point to point.
    s.polyline({{x - 2.8, yTop + 9}, {x + 2.8, yTop + 13}, {x + 2.8, yTop + 9}, {x - 2.8, yTop + 13},
                {x - 2.8, yTop + 9}});
}

void temperatureSensor(SheetPainter& s, double cx, double cy, double r)
{
    s.circle(cx, cy, r);
    s.text(cx, cy, QStringLiteral("t°"), r * 0.65, Qt::AlignCenter);
}

} // namespace shapes

} // namespace pinvale::wiring

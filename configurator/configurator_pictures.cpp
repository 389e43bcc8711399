#include "configurator/configurator_pictures.h"

#include <QPainter>
#include <QSvgRenderer>

// The resources of a static library must be registered by hand.
static void registerPinvaleResources() { Q_INIT_RESOURCE(pinvale); }

namespace pinvale {

namespace {

QPixmap renderSvg(const QString& resource, QSize size)
{
    registerPinvaleResources();
    QSvgRenderer renderer(resource);
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    if (!renderer.isValid())
        return picture;
    QSize drawn = renderer.defaultSize();
    drawn.scale(size, Qt::KeepAspectRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, (size.height() - drawn.height()) / 2.0), drawn));
    return picture;
}

} // namespace

QPixmap velmoraLogo(QSize size)
{
    return renderSvg(QStringLiteral(":/pinvale/images/velmora_logo.svg"), size);
}

QIcon showWiringPicture()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48})
        icon.addPixmap(renderSvg(QStringLiteral(":/pinvale/images/show_wiring.svg"), {side, side}));
    return icon;
}

PaintedBlock::PaintedBlock(QColor face, QWidget* parent) : QWidget(parent), face_(face) {}

void PaintedBlock::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(area, face_);
    // A raised edge: light on the top and left, dark on the bottom and right.
    painter.setPen(face_.lighter(150));
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.setPen(face_.darker(190));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());
}

ColumnNumbers::ColumnNumbers(int columns, double firstCentre, double pitch, QWidget* parent)
    : QLabel(parent), columns_(columns), firstCentre_(firstCentre), pitch_(pitch)
{
    QStringList numbers;
    for (int n = 1; n <= columns; ++n)
        numbers << QString::number(n);
    setText(numbers.join(QLatin1Char(' ')));
}

void ColumnNumbers::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int digitWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int n = 1; n <= columns_; ++n) {
        const double centre = firstCentre_ + pitch_ * (n - 1);
        const QRectF cell(centre - digitWidth, 0, 2.0 * digitWidth, height());
        painter.drawText(cell, Qt::AlignCenter, QString::number(n));
    }
}

} // namespace pinvale

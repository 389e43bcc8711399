#include "chart_view/chart_widget.h"

#include <QPainter>

namespace tarvello {

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartWidget::setChart(Paint paint)
{
    paint_ = std::move(paint);
    update();
}

void ChartWidget::setPlaceholder(const QString& text)
{
    placeholder_ = text;
    update();
}

QSize ChartWidget::sizeHint() const
{
    return {560, 380};
}

QSize ChartWidget::minimumSizeHint() const
{
    return {320, 220};
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (paint_)
        paint_(painter, QRectF(rect()));
    else
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, placeholder_);
}

} // namespace tarvello

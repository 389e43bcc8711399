#pragma once
// A widget that shows one chart, painted by the same routine as the datasheet's.

#include <QWidget>

#include <functional>

namespace tarvello {

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    // Paints the chart into the given rectangle of the painter's device.
    using Paint = std::function<void(QPainter&, const QRectF&)>;

    explicit ChartWidget(QWidget* parent = nullptr);

    // The chart to show; an empty one shows `placeholder`.
    void setChart(Paint paint);
    void setPlaceholder(const QString& text);
    bool hasChart() const { return bool(paint_); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Paint paint_;
    QString placeholder_;
};

} // namespace tarvello

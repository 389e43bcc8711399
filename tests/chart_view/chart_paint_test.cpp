// The charts painted on an image as on a widget: the curves and the process points are there
// in their colours, inside the picture, for a table of runs. With TARVELLO_CHART_PNG_DIR set
// the pictures are written there to be looked at.

#include "chart_view/chart_painter.h"
#include "tests/charts/chart_runs.h"
#include "tests/selection_kx/selection_test_support.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace tarvello {
namespace {

using testing::ChartRun;

// Pixels of roughly `colour` in `image`.
int pixelsLike(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 30 && std::abs(c.green() - colour.green()) < 30 &&
                std::abs(c.blue() - colour.blue()) < 30)
                ++count;
        }
    return count;
}

QImage blank()
{
    QImage image(900, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void keep(const QImage& image, const std::string& name)
{
    const QByteArray dir = qgetenv("TARVELLO_CHART_PNG_DIR");
    if (!dir.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromStdString(name) + QStringLiteral(".png")));
}

class PaintedCharts : public testing::SelectionEnvironment, public ::testing::WithParamInterface<ChartRun> {};

TEST_P(PaintedCharts, ShowTheCurvesAndThePoints)
{
    const ChartRun& run = GetParam();
    LangBase = 300;
    const RunResult result = run.run();
    ASSERT_FALSE(result.listed().empty());
    const ModelOutcome& model = *result.listed().front();
    const SelectionDetails details = selectionDetails(run.request, model, run.table);

    QImage psychro = blank();
    {
        QPainter painter(&psychro);
        paintPsychroChart(painter, QRectF(0, 0, 900, 600), psychroChartOf(details), psychroChartTexts(details.returnAir.has_value()));
    }
    keep(psychro, "psychro_" + testing::runName({run, 0}));
    EXPECT_GT(pixelsLike(psychro, QColor(20, 60, 160)), 200) << "the saturation curve";
    EXPECT_GT(pixelsLike(psychro, QColor(90, 130, 200)), 500) << "the humidity lines";
    EXPECT_GT(pixelsLike(psychro, QColor(200, 30, 30)), run.request.cooling() ? 150 : 50) << "the process";

    QImage fan = blank();
    {
        QPainter painter(&fan);
        paintFanChart(painter, QRectF(0, 0, 900, 600), fanChartOf(run.request, model, run.table), fanChartTexts());
    }
    keep(fan, "fan_" + testing::runName({run, 0}));
    EXPECT_GT(pixelsLike(fan, QColor(30, 90, 180)), 40) << "speed 1";
    EXPECT_GT(pixelsLike(fan, QColor(200, 110, 20)), 40) << "speed 2";
    EXPECT_GT(pixelsLike(fan, QColor(200, 30, 30)), 20) << "the working point";
}

INSTANTIATE_TEST_SUITE_P(Runs, PaintedCharts, ::testing::ValuesIn(testing::chartRuns()), testing::runName);

} // namespace
} // namespace tarvello

// Both selection windows on a small screen and in every language: every control inside
// the visible area or reachable by scrolling at 1024x768, the ducted window shrinking back
// when fields hide, the grid's headings following a change of mode at once, a run-time
// error told in the current language, and the printed report of real runs keeping every
// text inside the printable area without overlap (measured on the drawn text boxes).
//
// TARVELLO_FIT_PICTURES=<folder> also writes the windows (PNG) and the reports (PDF) there.

#include "engine/model_table.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "printing/report.h"
#include "selection_ducted/fdatimrz.h"
#include "selection_kx/fdati.h"
#include "selection_ui/print_request.h"
#include "shell/language.h"
#include "shell/recording_message_sink.h"
#include "tests/selection_kx/selection_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

#include <memory>
#include <optional>
#include <vector>

namespace tarvello {
namespace {

using testing::SelectionEnvironment;

constexpr qint16 kLanguages[] = {100, 300, 500, 700, 900, 1100};
const QSize kSmallScreen(1024, 768 - 40); // a 1024x768 screen less a panel
using Fields = std::vector<std::pair<const char*, const char*>>;

// A run as the user makes it in one of the windows.
struct Case {
    const char* name;
    int line;
    int mode;
    bool airFlowGiven;
    Fields fields;
};

const std::vector<Case>& cases()
{
    static const std::vector<Case> all{
        {"kx-cooling", LineKX, ModeCooling, false,
         {{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}}},
        {"kx-heating", LineKX, ModeHeating, false, {{"txtTsa1(1)", "20"}, {"txtTw1(1)", "45"}, {"txtTw2(1)", "40"}}},
        {"mrz-cooling-fresh-air", LineMRZ, ModeCooling, true,
         {{"txtqatot(0)", "400"}, {"txtpqaric(0)", "80"}, {"txtTsa1ric(0)", "26"}, {"txtUrric", "50"},
          {"txtpqarin(0)", "20"}, {"txtTsa1rin(0)", "32"}, {"txturrin", "50"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}}},
        {"mrz-heating-pressure", LineMRZ, ModeHeating, false,
         {{"txtpsu(1)", "120"}, {"txtTsa1ric(1)", "20"}, {"txtTw1(1)", "45"}, {"txtTw2(1)", "40"}}},
        {"hjq-cooling-fresh-air", LineHJQ, ModeCooling, true,
         {{"txtqatot(0)", "400"}, {"txtpqaric(0)", "80"}, {"txtTsa1ric(0)", "26"}, {"txtUrric", "50"},
          {"txtpqarin(0)", "20"}, {"txtTsa1rin(0)", "32"}, {"txturrin", "50"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}}},
    };
    return all;
}

QString languageName(qint16 base)
{
    switch (base) {
    case 100: return QStringLiteral("it");
    case 300: return QStringLiteral("en");
    case 500: return QStringLiteral("fr");
    case 700: return QStringLiteral("de");
    case 900: return QStringLiteral("es");
    default: return QStringLiteral("pl");
    }
}

// The controls a user works with.
QList<QWidget*> userControls(QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (!child->isVisibleTo(window) || child->window() != window)
            continue;
        if (qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child) || qobject_cast<QAbstractButton*>(child)
            || qobject_cast<QLabel*>(child) || qobject_cast<GridView*>(child))
            controls << child;
    }
    return controls;
}

class WindowFit : public SelectionEnvironment {
protected:
    void SetUp() override
    {
        SelectionEnvironment::SetUp();
        if (!QFile::exists(QStringLiteral(TARVELLO_APP_DIR "/tarvello.mdb")))
            GTEST_SKIP() << "the program folder has no model database: build the databases first";
        static bool opened = false;
        if (!opened) {
            openModelDb(TARVELLO_APP_DIR);
            opened = true;
        }
        pictures = qEnvironmentVariable("TARVELLO_FIT_PICTURES");
    }
    void TearDown() override
    {
        kx.reset();
        delete ducted.data();
        printOptionsOpener() = nullptr;
        SelectionEnvironment::TearDown();
    }

    SelectionWindow* openWindow(int line, qint16 langBase)
    {
        LangBase = langBase;
        modelTable().SeriesCode = line == LineHJQ ? "HJQ" : line == LineMRZ ? "MRZ" : "";
        CaricaLinea(line);
        kx.reset();
        delete ducted.data();
        SelectionWindow* window = nullptr;
        if (line == LineKX) {
            kx = std::make_unique<FDati>();
            window = kx.get();
        } else {
            ducted = new FDatiMRZ;
            ducted->fillSpeedList();
            window = ducted.data();
        }
        window->show();
        return window;
    }

    template <typename T> T* control(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Types the case into its window (without running it).
    void enter(SelectionWindow* window, const Case& c)
    {
        control<QComboBox>(window, "cbofunz")->setCurrentIndex(c.mode);
        if (c.line != LineKX) {
            const QString given = QStringLiteral("%1(%2)")
                                      .arg(c.airFlowGiven ? QStringLiteral("optPortata") : QStringLiteral("optpressione"))
                                      .arg(c.mode);
            control<QRadioButton>(window, given.toLatin1().constData())->click();
        }
        for (QLineEdit* box : window->textBoxes())
            box->clear();
        for (const auto& [name, value] : c.fields)
            control<QLineEdit>(window, name)->setText(QString::fromUtf8(value));
        if (c.line != LineKX && c.airFlowGiven) {
            // Leaving the return-air share shows the fresh-air fields, as for a user.
            window->activateWindow();
            QCoreApplication::processEvents();
            const QString share = QStringLiteral("txtpqaric(%1)").arg(c.mode);
            const QString next = QStringLiteral("txtTsa1ric(%1)").arg(c.mode);
            control<QLineEdit>(window, share.toLatin1().constData())->setFocus();
            QCoreApplication::processEvents();
            control<QLineEdit>(window, next.toLatin1().constData())->setFocus();
            QCoreApplication::processEvents();
        }
    }

    std::optional<ReportSource> runAndReport(SelectionWindow* window, const Case& c)
    {
        enter(window, c);
        control<QPushButton>(window, "cmdCalcola")->click();
        std::optional<ReportSource> report;
        printOptionsOpener() = [&](QWidget*, const ReportSource& source) { report = source; };
        control<QPushButton>(window, "cmdStampa")->click();
        return report;
    }

    RecordingMessageSink sink;
    std::unique_ptr<FDati> kx;
    QPointer<FDatiMRZ> ducted;
    QString pictures;
};

// Every control the user needs is in sight or reachable through the input area's scroll
// bars; the window itself is no larger than the screen.
void expectUsable(SelectionWindow* window, const QString& where)
{
    const QRect inside(QPoint(0, 0), window->size());
    EXPECT_LE(window->width(), kSmallScreen.width()) << where.toStdString();
    EXPECT_LE(window->height(), kSmallScreen.height()) << where.toStdString();
    QScrollArea* inputs = window->inputScrollArea();
    ASSERT_NE(inputs, nullptr);
    const QRect viewport(inputs->viewport()->mapTo(window, QPoint(0, 0)), inputs->viewport()->size());
    EXPECT_TRUE(inside.contains(viewport)) << where.toStdString() << ": the input area runs off the window";
    QWidget* content = inputs->widget();
    // Scrolling reaches the whole of the input area.
    EXPECT_GE(inputs->viewport()->width() + inputs->horizontalScrollBar()->maximum(), content->width() - 1)
        << where.toStdString();
    EXPECT_GE(inputs->viewport()->height() + inputs->verticalScrollBar()->maximum(), content->height() - 1)
        << where.toStdString();
    for (QWidget* control : userControls(window)) {
        const QString name = where + QStringLiteral(" / ") + control->objectName() + QStringLiteral(" ")
                             + QString::fromLatin1(control->metaObject()->className());
        if (content->isAncestorOf(control)) {
            const QRect inContent(control->mapTo(content, QPoint(0, 0)), control->size());
            EXPECT_TRUE(QRect(QPoint(0, 0), content->size()).contains(inContent))
                << name.toStdString() << " lies outside the scrolled input area";
        } else if (!inputs->isAncestorOf(control)) {
            const QRect inWindow(control->mapTo(window, QPoint(0, 0)), control->size());
            EXPECT_TRUE(inside.contains(inWindow)) << name.toStdString() << " runs off the window at "
                                                   << inWindow.x() << "," << inWindow.y() << " "
                                                   << inWindow.width() << "x" << inWindow.height();
        }
    }
}

TEST_F(WindowFit, EveryControlIsInSightOrReachableAt1024x768InEveryLanguage)
{
    for (qint16 language : kLanguages) {
        for (const Case& c : cases()) {
            const QString where = QStringLiteral("%1 %2").arg(languageName(language), QString::fromLatin1(c.name));
            SCOPED_TRACE(where.toStdString());
            SelectionWindow* window = openWindow(c.line, language);
            enter(window, c);
            window->fitWithin(kSmallScreen);
            QCoreApplication::processEvents();
            expectUsable(window, where);
            if (!pictures.isEmpty())
                window->grab().save(QDir(pictures).filePath(QStringLiteral("window-%1-%2.png").arg(languageName(language), QString::fromLatin1(c.name))));
        }
    }
}

TEST_F(WindowFit, InUsUnitsEveryControlIsInSightOrReachableAt1024x768InEveryLanguage)
{
    applyUnits(imperialUnits()); // the longest unit names: GPM (US), in. wg, Btu/h
    for (qint16 language : kLanguages) {
        for (const Case& c : cases()) {
            const QString where = QStringLiteral("US units %1 %2").arg(languageName(language), QString::fromLatin1(c.name));
            SCOPED_TRACE(where.toStdString());
            SelectionWindow* window = openWindow(c.line, language);
            enter(window, c);
            window->fitWithin(kSmallScreen);
            QCoreApplication::processEvents();
            expectUsable(window, where);
        }
    }
}

TEST_F(WindowFit, TheDuctedWindowShrinksBackWhenTheFreshAirFieldsHide)
{
    const QSize largeScreen(1280, 1024 - 40);
    SelectionWindow* window = openWindow(LineMRZ, 700);
    enter(window, cases().at(2));
    window->fitWithin(largeScreen);
    const int withFreshAir = window->height();
    control<QRadioButton>(window, "optpressione(0)")->click(); // hides the flow and fresh-air fields
    window->fitWithin(largeScreen);
    EXPECT_LT(window->height(), withFreshAir);
    EXPECT_LE(withFreshAir, largeScreen.height());
}

TEST_F(WindowFit, TheGridHeadingsFollowTheModeAtOnce)
{
    for (qint16 language : kLanguages) {
        SCOPED_TRACE(languageName(language).toStdString());
        SelectionWindow* window = openWindow(LineMRZ, language);
        // Headings of a heating run in the pressure mode, as the run sets them.
        runAndReport(window, cases().at(3));
        QStringList heatingHeadings;
        for (int col = 0; col < window->Grd->grid().cols(); ++col)
            heatingHeadings << window->Grd->grid().text(0, col);
        // A cooling run with the air flow given, then the switch back to heating.
        runAndReport(window, cases().at(2));
        control<QComboBox>(window, "cbofunz")->setCurrentIndex(ModeHeating);
        QStringList afterSwitch;
        for (int col = 0; col < window->Grd->grid().cols(); ++col)
            afterSwitch << window->Grd->grid().text(0, col);
        EXPECT_EQ(afterSwitch, heatingHeadings);
    }
}

TEST_F(WindowFit, ARunTimeErrorIsToldInTheCurrentLanguageWithItsNumber)
{
    for (qint16 language : kLanguages) {
        SCOPED_TRACE(languageName(language).toStdString());
        SelectionWindow* window = openWindow(LineKX, language);
        Case c = cases().at(0);
        c.fields.push_back({"txtPotric", "12x"});
        sink.messages.clear();
        runAndReport(window, c);
        ASSERT_FALSE(sink.messages.isEmpty());
        const RecordingMessageSink::Message& shown = sink.messages.first();
        EXPECT_EQ(shown.kind, RecordingMessageSink::Kind::Exclamation);
        EXPECT_EQ(shown.text, Testo(113) + QStringLiteral(": 13"));
        if (language != 100) {
            EXPECT_FALSE(shown.text.contains(QStringLiteral("Errore"))) << shown.text.toStdString();
        }
    }
}

// The report drawn into a PDF file, every text recorded with its box.
struct DrawnReport {
    QList<DrawnText> texts;
    double pageWidth = 0;
    double pageHeight = 0;
};

DrawnReport drawReport(const ReportSource& source, QPageLayout::Orientation orientation, const QString& pdfPath)
{
    QPdfWriter writer(pdfPath);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(orientation);
    writer.setPageMargins(QMarginsF(kReportMarginMm, kReportMarginMm, kReportMarginMm, kReportMarginMm),
                          QPageLayout::Millimeter);
    writer.setResolution(300);
    QPainter painter(&writer);
    ReportCanvas canvas(painter, writer);
    DrawnReport drawn;
    canvas.recordDrawnTexts(&drawn.texts);
    ReportChoices choices;
    choices.date = QDate(2026, 1, 2);
    choices.logo = reportLogo();
    printReport(canvas, source, choices);
    drawn.pageWidth = canvas.pageWidth();
    drawn.pageHeight = canvas.pageHeight();
    painter.end();
    return drawn;
}

void expectInsideWithoutOverlap(const DrawnReport& drawn, const QString& where)
{
    constexpr double kTolerance = 0.05; // mm
    ASSERT_FALSE(drawn.texts.isEmpty()) << where.toStdString();
    for (qsizetype i = 0; i < drawn.texts.size(); ++i) {
        const DrawnText& a = drawn.texts.at(i);
        EXPECT_GE(a.box.left(), -kTolerance) << where.toStdString() << ": " << a.text.toStdString();
        EXPECT_LE(a.box.right(), drawn.pageWidth + kTolerance)
            << where.toStdString() << ": \"" << a.text.toStdString() << "\" ends at " << a.box.right()
            << " mm of " << drawn.pageWidth;
        EXPECT_LE(a.box.bottom(), drawn.pageHeight + kTolerance) << where.toStdString() << ": " << a.text.toStdString();
        for (qsizetype j = i + 1; j < drawn.texts.size(); ++j) {
            const DrawnText& b = drawn.texts.at(j);
            if (a.page != b.page)
                continue;
            const QRectF overlap = a.box.adjusted(kTolerance, kTolerance, -kTolerance, -kTolerance)
                                       .intersected(b.box.adjusted(kTolerance, kTolerance, -kTolerance, -kTolerance));
            EXPECT_TRUE(overlap.isEmpty()) << where.toStdString() << ": \"" << a.text.toStdString()
                                           << "\" overlaps \"" << b.text.toStdString() << "\"";
        }
    }
}

TEST_F(WindowFit, EveryReportKeepsItsTextsInsideThePageWithoutOverlapInEveryLanguage)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString folder = pictures.isEmpty() ? out.path() : pictures;
    for (qint16 language : kLanguages) {
        for (const Case& c : cases()) {
            const QString where = QStringLiteral("%1 %2").arg(languageName(language), QString::fromLatin1(c.name));
            SCOPED_TRACE(where.toStdString());
            SelectionWindow* window = openWindow(c.line, language);
            const std::optional<ReportSource> source = runAndReport(window, c);
            ASSERT_TRUE(source.has_value());
            ASSERT_GT(source->gridRows.size(), 2) << "the run lists no model";
            // The orientation the print options start with, and portrait chosen anyway.
            const auto chosen = reportNeedsLandscape(*source, PrintChoice::AllModels) ? QPageLayout::Landscape
                                                                                       : QPageLayout::Portrait;
            for (const auto orientation : {chosen, QPageLayout::Portrait}) {
                const QString name = QStringLiteral("report-%1-%2-%3.pdf")
                                         .arg(languageName(language), QString::fromLatin1(c.name),
                                              orientation == QPageLayout::Landscape ? QStringLiteral("landscape")
                                                                                    : QStringLiteral("portrait"));
                expectInsideWithoutOverlap(drawReport(*source, orientation, QDir(folder).filePath(name)),
                                           where + QLatin1Char(' ') + name);
            }
        }
    }
}

} // namespace
} // namespace tarvello

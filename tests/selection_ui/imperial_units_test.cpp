// The selection windows in the units used in North America: the same runs typed in metric
// and in US units list the same models with the same figures (within the rounding of what
// is shown), the range checks speak °F, and typed values follow a change of units in an
// open window and on reopening.

#include "chart_view/chart_painter.h"
#include "chart_view/details_rows.h"
#include "engine/model_table.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "selection_ducted/ducted_inputs.h"
#include "selection_ducted/fdatimrz.h"
#include "selection_kx/fdati.h"
#include "selection_ui/kx_inputs.h"
#include "shell/language.h"
#include "shell/recording_message_sink.h"
#include "shell/settings.h"
#include "shell/unit_change.h"
#include "tests/selection_kx/selection_test_support.h"
#include "tests/shell/qt_print.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <memory>
#include <vector>

namespace tarvello {
namespace {

using testing::SelectionEnvironment;
using Fields = std::vector<std::pair<const char*, const char*>>;

// --- range checks and messages in °F ----------------------------------------------------------

struct RangeCase {
    const char* label;
    RangeRule rule;     // as the window makes it in °F
    float minimum, maximum; // °F
};

class FahrenheitRanges : public SelectionEnvironment {};

TEST_F(FahrenheitRanges, KeepTheirMeaningInTheOtherScale)
{
    UnitT.choose(TempFahrenheit);
    // °F = °C × 1.8 + 32: 18-33 °C is 64.4-91.4 °F, and so on.
    const RangeCase cases[] = {
        {"KX cooling air", kxRangeRule(KxField::Tsa1, ModeCooling), 64.4f, 91.4f},
        {"KX heating air", kxRangeRule(KxField::Tsa1, ModeHeating), 5.0f, 86.0f},
        {"KX cooling water", kxRangeRule(KxField::Tw1, ModeCooling), 41.0f, 68.0f},
        {"KX heating water", kxRangeRule(KxField::Tw1, ModeHeating), 86.0f, 203.0f},
        {"ducted cooling return air", ductedRangeRule(DuctedField::Tsa1ric, ModeCooling), 60.8f, 95.0f},
        {"ducted heating fresh air", ductedRangeRule(DuctedField::Tsa1rin, ModeHeating), 14.0f, 86.0f},
    };
    for (const RangeCase& c : cases) {
        EXPECT_NEAR(c.rule.minimum, c.minimum, 1e-4) << c.label;
        EXPECT_NEAR(c.rule.maximum, c.maximum, 1e-4) << c.label;
        EXPECT_EQ(c.rule.unit, "°F") << c.label;
    }
}

TEST_F(FahrenheitRanges, TheMessageShowsTheLimitsInFahrenheit)
{
    UnitT.choose(TempFahrenheit);
    LangBase = 300;
    const RangeVerdict low = checkRangeText(QStringLiteral("60"), kxRangeRule(KxField::Tsa1, ModeCooling));
    EXPECT_TRUE(low.outOfRange);
    EXPECT_TRUE(low.message.contains(QStringLiteral("64.4 °F -> 91.4 °F"))) << low.message.toStdString();
    EXPECT_EQ(low.text, "64.4");
    EXPECT_FALSE(checkRangeText(QStringLiteral("80"), kxRangeRule(KxField::Tsa1, ModeCooling)).outOfRange);
    // 80 °C would pass a °C check; as °F it is only 26.7 °C.
    EXPECT_TRUE(checkRangeText(QStringLiteral("25"), kxRangeRule(KxField::Tw1, ModeCooling)).outOfRange);
}

TEST_F(FahrenheitRanges, TheWaterDifferenceIsToldInFahrenheitDegrees)
{
    UnitT.choose(TempFahrenheit);
    // 45 °F in, 65 °F out: 11.1 K, more than the 10 K (18 °F) a cooling coil may take.
    const KxFieldTexts texts{"80", "45", "65", "", "", "", "50"};
    const KxConditions c = readKxConditions(texts, UnitQw.factor(), UnitDpA.factor());
    EXPECT_NEAR(c.AirIn, 26.6667f, 1e-3);
    EXPECT_NEAR(c.WaterIn, 7.2222f, 1e-3);
    const std::optional<MissingInput> missing = firstMissingInput(c, ModeCooling);
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->message.endsWith(QStringLiteral(" > 18 °F"))) << missing->message.toStdString();
}

TEST_F(FahrenheitRanges, ZeroStaysNotGiven)
{
    UnitT.choose(TempFahrenheit);
    const KxFieldTexts texts{"80", "", "0", "", "", "", "50"};
    const KxConditions c = readKxConditions(texts, UnitQw.factor(), UnitDpA.factor());
    EXPECT_EQ(c.WaterIn, 0);
    EXPECT_FALSE(c.leavingWaterGiven());
}

// --- details and charts -----------------------------------------------------------------------

TEST_F(FahrenheitRanges, DetailsAndChartAxisFollowTheTemperatureUnit)
{
    UnitT.choose(TempFahrenheit);
    SelectionDetails d;
    d.entering.dryBulb = 27;   // 80.6 °F
    d.entering.wetBulb = 19;   // 66.2 °F
    d.leaving.dryBulb = 12.5;  // 54.5 °F
    d.leaving.wetBulb = 11.5;  // 52.7 °F
    d.humidityKnown = true;
    d.waterIn = 7;             // 44.6 °F
    d.waterOut = 12;           // 53.6 °F
    QStringList temperatures;
    for (const DetailsRow& row : detailsRows(d))
        if (row.unit == QStringLiteral("°F"))
            temperatures << row.value.trimmed();
    EXPECT_EQ(temperatures, QStringList({"80.6", "66.2", "54.5", "52.7", "44.6", "53.6"}));
    EXPECT_TRUE(psychroChartTexts(false).dryBulbAxis.endsWith(QStringLiteral("°F")));
}

// --- runs through the windows -----------------------------------------------------------------

class ImperialRuns : public SelectionEnvironment {
protected:
    void SetUp() override
    {
        SelectionEnvironment::SetUp();
        if (!QFile::exists(QStringLiteral(TARVELLO_APP_DIR "/tarvello.mdb")))
            GTEST_SKIP() << "the program folder has no model database: build the databases first";
    }
    void TearDown() override
    {
        kx.reset();
        delete ducted.data();
        SelectionEnvironment::TearDown();
    }

    void useLine(int line)
    {
        static bool opened = false;
        if (!opened) {
            openModelDb(TARVELLO_APP_DIR);
            opened = true;
        }
        modelTable().SeriesCode = line == LineHJQ ? "HJQ" : line == LineMRZ ? "MRZ" : "";
        CaricaLinea(line);
    }

    template <typename T> T* control(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    SelectionWindow* open(int line)
    {
        useLine(line);
        if (line == LineKX) {
            kx = std::make_unique<FDati>();
            kx->show();
            return kx.get();
        }
        ducted = fdatiMRZ();
        ducted->show();
        ducted->fillSpeedList();
        return ducted;
    }

    // The grid after "Calcola" as copied: one list of cells per row (headings, units, then a
    // row a model: its name, then its figures).
    std::vector<QStringList> run(SelectionWindow* window, const Fields& fields, bool airFlowGiven = false)
    {
        if (window != kx.get()) {
            control<QRadioButton>(window, airFlowGiven ? "optPortata(0)" : "optpressione(0)")->click();
        }
        for (QLineEdit* box : window->textBoxes())
            box->clear();
        for (const auto& [name, value] : fields)
            control<QLineEdit>(window, name)->setText(QString::fromUtf8(value));
        sink.messages.clear();
        control<QPushButton>(window, "cmdCalcola")->click();
        EXPECT_TRUE(sink.messages.empty()) << (sink.messages.empty() ? "" : sink.messages[0].text.toStdString());
        window->Grd->selectAll();
        std::vector<QStringList> rows;
        for (const QString& line : window->Grd->copySelection().split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            rows.push_back(line.split(QLatin1Char('\t')));
        return rows;
    }

    RecordingMessageSink sink;
    std::unique_ptr<FDati> kx;
    QPointer<FDatiMRZ> ducted;
};

// The quantity of a column by its unit in US units; none for sound levels.
std::optional<ColumnQuantity> quantityOfImperialUnit(const QString& unit)
{
    for (ColumnQuantity q : {ColumnQuantity::Power, ColumnQuantity::AirFlow, ColumnQuantity::WaterFlow,
                             ColumnQuantity::WaterPressureDrop, ColumnQuantity::AirPressure, ColumnQuantity::Temperature})
        if (userUnitOf(q)->with(unitIndexOf(imperialUnits(), q)).name() == unit.trimmed())
            return q;
    return std::nullopt;
}

double maskStep(const QString& mask)
{
    const qsizetype point = mask.indexOf(u'.');
    return point < 0 ? 1.0 : std::pow(10.0, -double(mask.size() - point - 1));
}

double cellNumber(QString text)
{
    text.remove(QStringLiteral("> ")).remove(QStringLiteral(" *"));
    return text.trimmed().toDouble();
}

// Every imperial cell equals the metric one converted, within half a shown step of each.
void expectSameRows(const std::vector<QStringList>& metric, const std::vector<QStringList>& imperial)
{
    ASSERT_EQ(metric.size(), imperial.size());
    ASSERT_GT(metric.size(), 2u) << "the run listed no model";
    const QStringList& units = imperial[1];
    for (size_t row = 2; row < metric.size(); ++row) {
        ASSERT_EQ(metric[row].size(), imperial[row].size());
        EXPECT_EQ(metric[row][0], imperial[row][0]) << "model of row " << row;
        for (qsizetype col = 1; col < metric[row].size(); ++col) {
            const std::optional<ColumnQuantity> q = quantityOfImperialUnit(units.value(col));
            if (!q) {
                EXPECT_EQ(metric[row][col], imperial[row][col]) << "row " << row << " col " << col;
                continue;
            }
            const UnitChoice metricUnit = userUnitOf(*q)->with(unitIndexOf(metricUnits(), *q));
            const UnitChoice imperialUnit = userUnitOf(*q)->with(unitIndexOf(imperialUnits(), *q));
            const double ratio = double(imperialUnit.factor()) / double(metricUnit.factor());
            const double expected = convertShown(cellNumber(metric[row][col]), *q, metricUnits(), imperialUnits());
            const double tolerance = maskStep(imperialUnit.mask()) / 2 + maskStep(metricUnit.mask()) * ratio / 2
                                     + std::fabs(expected) * 1e-4;
            EXPECT_NEAR(cellNumber(imperial[row][col]), expected, tolerance)
                << "row " << row << " col " << col << " " << units.value(col).toStdString() << ": metric "
                << metric[row][col].toStdString() << ", US " << imperial[row][col].toStdString();
        }
    }
}

TEST_F(ImperialRuns, KxCoolingGivesTheSameRows)
{
    SelectionWindow* window = open(LineKX);
    const auto metric = run(window, {{"txtTsa1(0)", "27"}, {"txtUr", "50"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}});
    applyUnits(imperialUnits());
    // The same conditions in °F.
    const auto imperial = run(window, {{"txtTsa1(0)", "80.6"}, {"txtUr", "50"}, {"txtTw1(0)", "44.6"}, {"txtTw2(0)", "53.6"}});
    EXPECT_EQ(imperial[1].value(1), "Btu/h");
    expectSameRows(metric, imperial);
}

TEST_F(ImperialRuns, KxWithWaterFlowGivesTheSameRows)
{
    SelectionWindow* window = open(LineKX);
    const auto metric = run(window, {{"txtTsa1(0)", "27"}, {"txtUr", "50"}, {"txtTw1(0)", "7"}, {"txtQw(0)", "0.15"}});
    applyUnits(imperialUnits());
    // 0.15 l/s = 2.377549 GPM (US).
    const auto imperial = run(window, {{"txtTsa1(0)", "80.6"}, {"txtUr", "50"}, {"txtTw1(0)", "44.6"}, {"txtQw(0)", "2.377549"}});
    expectSameRows(metric, imperial);
}

TEST_F(ImperialRuns, DuctedMixedAirGivesTheSameRows)
{
    SelectionWindow* window = open(LineMRZ);
    const Fields metricFields{{"txtqatot(0)", "400"}, {"txtpqaric(0)", "80"}, {"txtTsa1ric(0)", "26"}, {"txtUrric", "50"},
                              {"txtpqarin(0)", "20"}, {"txtTsa1rin(0)", "32"}, {"txturrin", "50"}, {"txtTw1(0)", "7"},
                              {"txtTw2(0)", "12"}};
    const auto metric = run(window, metricFields, true);
    applyUnits(imperialUnits());
    // 400 l/s = 847.5520 CFM; 26, 32, 7 and 12 °C = 78.8, 89.6, 44.6 and 53.6 °F.
    const Fields imperialFields{{"txtqatot(0)", "847.552"}, {"txtpqaric(0)", "80"}, {"txtTsa1ric(0)", "78.8"},
                                {"txtUrric", "50"},          {"txtpqarin(0)", "20"}, {"txtTsa1rin(0)", "89.6"},
                                {"txturrin", "50"},          {"txtTw1(0)", "44.6"},  {"txtTw2(0)", "53.6"}};
    const auto imperial = run(window, imperialFields, true);
    expectSameRows(metric, imperial);
}

TEST_F(ImperialRuns, DuctedWithStaticPressureGivesTheSameRows)
{
    SelectionWindow* window = open(LineMRZ);
    const auto metric = run(window, {{"txtpsu(0)", "50"}, {"txtTsa1ric(0)", "27"}, {"txtUrric", "47"},
                                     {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}});
    applyUnits(imperialUnits());
    // 50 Pa = 0.200737 in. wg.
    const auto imperial = run(window, {{"txtpsu(0)", "0.200737"}, {"txtTsa1ric(0)", "80.6"}, {"txtUrric", "47"},
                                       {"txtTw1(0)", "44.6"}, {"txtTw2(0)", "53.6"}});
    expectSameRows(metric, imperial);
}

// --- typed values follow a change of units ---------------------------------------------------

TEST_F(ImperialRuns, AnOpenWindowConvertsItsFieldsAndReopensInTheNewUnits)
{
    SelectionWindow* window = open(LineKX);
    const Fields typed{{"txtTsa1(0)", "27"}, {"txtTbu", "19"}, {"txtUr", "50"}, {"txtTw1(0)", "7"},
                       {"txtQw(0)", "0.15"}, {"txtpsu(0)", "30"}, {"txtPotric", "2000"}};
    for (const auto& [name, value] : typed)
        control<QLineEdit>(window, name)->setText(QString::fromUtf8(value));
    changeUnits(imperialUnits());
    const std::pair<const char*, const char*> shown[] = {{"txtTsa1(0)", "80.6"}, {"txtTbu", "66.2"}, {"txtUr", "50"},
                                                         {"txtTw1(0)", "44.6"},  {"txtQw(0)", "2.38"},  {"txtpsu(0)", "0.12"},
                                                         {"txtPotric", "6824"}};
    for (const auto& [name, value] : shown)
        EXPECT_EQ(control<QLineEdit>(window, name)->text(), QString::fromUtf8(value)) << name;
    EXPECT_EQ(control<QLabel>(window, "lblumTsa1(0)")->text(), "°F");
    EXPECT_EQ(control<QLabel>(window, "lblumQw(0)")->text(), "GPM (US)");
    EXPECT_EQ(control<QLabel>(window, "lblumDpa(0)")->text(), "in. wg");
    EXPECT_EQ(control<QLabel>(window, "lblUmPt")->text(), "Btu/h");

    kx->done(0); // saves the fields in °F and deletes the window later
    kx.release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    changeUnits(metricUnits()); // no window open: the saved fields are converted
    EXPECT_EQ(LeggiIni(QStringLiteral("Data1"), QStringLiteral("txtTsa1(0)")), "27");
    window = open(LineKX);
    EXPECT_EQ(control<QLineEdit>(window, "txtTsa1(0)")->text(), "27");
    EXPECT_EQ(control<QLineEdit>(window, "txtTw1(0)")->text(), "7");
    EXPECT_EQ(control<QLineEdit>(window, "txtPotric")->text(), "2000");
    EXPECT_EQ(control<QLabel>(window, "lblumTsa1(0)")->text(), "°C");
}

TEST_F(ImperialRuns, StaticPressureTypedInMillimetresReopensInPascals)
{
    UnitDpA.choose(AirMmH2O);
    SelectionWindow* window = open(LineMRZ);
    control<QLineEdit>(window, "txtpsu(0)")->setText(QStringLiteral("3"));
    ducted->done(0);
    changeUnits(metricUnits());
    window = open(LineMRZ);
    EXPECT_EQ(control<QLineEdit>(window, "txtpsu(0)")->text(), "29") << "3 mmH2O is 29 Pa, never 3 Pa";
}

} // namespace
} // namespace tarvello

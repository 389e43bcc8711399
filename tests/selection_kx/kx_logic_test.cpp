// The rules of the KX window without the window: reading numbers, the field ranges and
// their messages, the completeness checks in order, the capacity window, the name
// filters, the grid layout and the text of a result row.
#include "engine/arithmetic.h"
#include "selection_ui/field_checks.h"
#include "selection_kx/kx_grid.h"
#include "selection_ui/kx_inputs.h"
#include "selection/selection_run.h"
#include "selection_ui/result_grid.h"

#include "selection_test_support.h"

#include <cmath>
#include <optional>

using namespace tarvello;
using tarvello::testing::SelectionEnvironment;

namespace {

class KxRules : public SelectionEnvironment {};

TEST_F(KxRules, FieldNumbersReadEitherSeparatorAndRefuseGarbage)
{
    struct Case {
        const char* text;
        std::optional<float> expected;
    } cases[] = {
        {"27", 27.0f},       {"27.5", 27.5f}, {"27,5", 27.5f}, {" 7 ", 7.0f}, {"-0", 0.0f},
        {"1e30", 1e30f},     {"", std::nullopt}, {",", std::nullopt}, {"abc", std::nullopt},
        {"12x", std::nullopt}, {"1e39", std::nullopt}, {"1,000.5", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(fieldNumber(QString::fromLatin1(c.text)), c.expected);
    }
    useLocale(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(fieldNumber(QStringLiteral("27,5")), 27.5f);
    EXPECT_EQ(fieldNumber(QStringLiteral("27.5")), 27.5f);
}

TEST_F(KxRules, LeadingNumberReadsAsFarAsTheTextFormsANumber)
{
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"", 0}, {"abc", 0}, {"12x", 12}, {"  -3.5e2kg", -350}, {"0,5", 0.5}, {",", 0}, {"7e", 7}, {"-0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromLatin1(c.text)), c.expected);
    }
    EXPECT_DOUBLE_EQ(leadingNumber(QString(300, QLatin1Char('9'))), 1e300);
    EXPECT_GT(leadingNumber(QString(400, QLatin1Char('9'))), 1e308) << "beyond a double: the largest one";
}

TEST_F(KxRules, RangeChecksPerModeWithTheirMessages)
{
    // Limits, unit and zero rule of each field; the message names the limits and the
    // minimum the field is reset to.
    struct Case {
        KxField field;
        int mode;
        const char* typed;
        bool outOfRange;
        const char* textAfter;
        const char* message;
    } cases[] = {
        {KxField::Tsa1, 0, "17", true, "18",
         "Il valore deve essere compreso tra 18 °C -> 33 °C\nviene impostato a 18"},
        {KxField::Tsa1, 0, "40", true, "18",
         "Il valore deve essere compreso tra 18 °C -> 33 °C\nviene impostato a 18"},
        {KxField::Tsa1, 0, "33", false, "33", ""},
        {KxField::Tsa1, 1, "0", false, "0", ""},
        {KxField::Tsa1, 1, "", false, "", ""},
        {KxField::Tsa1, 1, "-16", true, "-15",
         "Il valore deve essere compreso tra -15 °C -> 30 °C\nviene impostato a -15"},
        {KxField::Tw1, 0, "4", true, "5", "Il valore deve essere compreso tra 5 °C -> 20 °C\nviene impostato a 5"},
        {KxField::Tw1, 1, "25", true, "30",
         "Il valore deve essere compreso tra 30 °C -> 95 °C\nviene impostato a 30"},
        {KxField::Tw1, 0, "abc", true, "5", "Il valore deve essere compreso tra 5 °C -> 20 °C\nviene impostato a 5"},
        {KxField::Glic, 0, "70", true, "0", "Il valore deve essere compreso tra 0 % -> 60 %\nviene impostato a 0"},
        {KxField::Glic, 1, "", false, "", ""},
        {KxField::Psu, 0, "100", true, "0", "Il valore deve essere compreso tra 0 Pa -> 80 Pa\nviene impostato a 0"},
        {KxField::Ur, 0, "10", true, "20", "Il valore deve essere compreso tra 20 % -> 98 %\nviene impostato a 20"},
        {KxField::Ur, 0, "1e30", true, "20", "Il valore deve essere compreso tra 20 % -> 98 %\nviene impostato a 20"},
        {KxField::Ur, 0, ",", false, ",", ""}, // reads as 0: not given
        {KxField::Tw1, 0, "-0", true, "5", "Il valore deve essere compreso tra 5 °C -> 20 °C\nviene impostato a 5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const RangeVerdict verdict = checkRangeText(QString::fromUtf8(c.typed), kxRangeRule(c.field, c.mode));
        EXPECT_EQ(verdict.outOfRange, c.outOfRange);
        EXPECT_EQ(verdict.text, QString::fromUtf8(c.textAfter));
        EXPECT_EQ(verdict.message, QString::fromUtf8(c.message));
    }
}

TEST_F(KxRules, StaticPressureLimitFollowsTheAirPressureUnit)
{
    UnitDpA.choose(1); // mmH2O, factor 0.102
    const RangeVerdict verdict = checkRangeText(QStringLiteral("9"), kxRangeRule(KxField::Psu, 0));
    EXPECT_TRUE(verdict.outOfRange);
    EXPECT_EQ(verdict.message,
              QStringLiteral("Il valore deve essere compreso tra 0 mmH2O -> 8.16 mmH2O\nviene impostato a 0"));
    EXPECT_FALSE(checkRangeText(QStringLiteral("8.1"), kxRangeRule(KxField::Psu, 0)).outOfRange);
}

KxConditions conditions(float airIn, float waterIn, float waterOut, float flow, float rh)
{
    KxConditions c;
    c.AirIn = airIn;
    c.WaterIn = waterIn;
    c.WaterOutGiven = waterOut;
    c.WaterFlowGiven = flow;
    c.AirInRh = rh;
    return c;
}

// One case of a completeness check and the message it gives (empty: complete).
struct CompletenessCase {
    const char* what;
    int mode;
    KxConditions c;
    const char* message;
    const char* focus;
};

template <std::size_t N>
void expectCompleteness(const CompletenessCase (&cases)[N],
                        std::optional<MissingInput> (*check)(const KxConditions&, int))
{
    for (const CompletenessCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<MissingInput> missing = check(c.c, c.mode);
        if (*c.message == 0) {
            EXPECT_FALSE(missing.has_value()) << missing->message.toStdString();
            continue;
        }
        ASSERT_TRUE(missing.has_value());
        EXPECT_EQ(missing->message, QString::fromUtf8(c.message));
        EXPECT_EQ(missing->focusField, QString::fromLatin1(c.focus));
    }
}

TEST_F(KxRules, CompletenessChecksInTheirOrder)
{
    const CompletenessCase cases[] = {
        {"nothing", 0, conditions(0, 0, 0, 0, 0), "Manca la temperatura entrata aria", "txtTsa1(0)"},
        {"air only", 0, conditions(27, 0, 0, 0, 0), "Manca la temperatura entrata acqua", "txtTw1(0)"},
        {"no humidity", 0, conditions(27, 7, 0, 0, 0), "Manca la percentuale di umidità", ""},
        {"no water out", 0, conditions(27, 7, 0, 0, 50), "Occorre immettere la temp. uscita o la portata acqua",
         "txtTw2(0)"},
        {"rise 11", 0, conditions(27, 7, 18, 0, 50), "Il salto termico non può essere  > 10 °C", "txtTw2(0)"},
        {"rise exactly 10", 0, conditions(27, 7, 17, 0, 50), "", ""},
        {"rise with a flow", 0, conditions(27, 7, 0, 0.0001f, 50), "", ""},
        {"heating, no air", 1, conditions(0, 45, 40, 0, 0), "", ""},
        {"heating, no water", 1, conditions(20, 0, 40, 0, 0), "Manca la temperatura entrata acqua", "txtTw1(1)"},
        {"heating, no water out", 1, conditions(20, 45, 0, 0, 0),
         "Occorre immettere la temp. uscita o la portata acqua", "txtTw2(1)"},
        {"drop 40.1", 1, conditions(20, 45, 4.9f, 0, 0), "Il salto termico non può essere  > 40 °C", "txtTw2(1)"},
        {"drop exactly 40", 1, conditions(0, 45, 5, 0, 0), "", ""},
        // Heating water that would leave no warmer than the air it heats.
        {"heating out = air", 1, conditions(20, 45, 20, 0, 0),
         "La temp. uscita acqua deve essere > di quella di ingresso aria", "txtTw2(1)"},
        {"heating out below air", 1, conditions(25, 35, 24, 0, 0),
         "La temp. uscita acqua deve essere > di quella di ingresso aria", "txtTw2(1)"},
        {"heating out just above air", 1, conditions(20, 45, 20.5f, 0, 0), "", ""},
        {"heating flow given, warm air", 1, conditions(25, 35, 0, 0.0004f, 0), "", ""},
        // A leaving water temperature on the wrong side of the entering one.
        {"cooling out = in", 0, conditions(27, 7, 7, 0, 50), "La temp. Uscita deve essere > di quella di ingresso",
         "txtTw2(0)"},
        {"cooling out < in, flow too", 0, conditions(27, 7, 5, 0.0001f, 50),
         "La temp. Uscita deve essere > di quella di ingresso", "txtTw2(0)"},
        {"heating out > in", 1, conditions(20, 45, 50, 0, 0), "La temp. Uscita deve essere < di quella di ingresso",
         "txtTw2(1)"},
    };
    expectCompleteness(cases, firstMissingInput);
}

TEST_F(KxRules, WaterChecksAloneIgnoreTheEnteringAir)
{
    // No entering air and no humidity: only the water steps speak, in their order.
    const CompletenessCase cases[] = {
        {"nothing", 0, conditions(0, 0, 0, 0, 0), "Manca la temperatura entrata acqua", "txtTw1(0)"},
        {"heating, nothing", 1, conditions(0, 0, 0, 0, 0), "Manca la temperatura entrata acqua", "txtTw1(1)"},
        {"no water out", 0, conditions(0, 7, 0, 0, 0), "Occorre immettere la temp. uscita o la portata acqua",
         "txtTw2(0)"},
        {"rise 11", 0, conditions(0, 7, 18, 0, 0), "Il salto termico non può essere  > 10 °C", "txtTw2(0)"},
        {"rise exactly 10", 0, conditions(0, 7, 17, 0, 0), "", ""},
        {"flow given", 0, conditions(0, 7, 0, 0.0001f, 0), "", ""},
        {"drop 40.1", 1, conditions(0, 45, 4.9f, 0, 0), "Il salto termico non può essere  > 40 °C", "txtTw2(1)"},
        {"cooling out = in", 0, conditions(0, 7, 7, 0, 0), "La temp. Uscita deve essere > di quella di ingresso",
         "txtTw2(0)"},
        {"heating out > in", 1, conditions(0, 45, 50, 0, 0), "La temp. Uscita deve essere < di quella di ingresso",
         "txtTw2(1)"},
    };
    expectCompleteness(cases, firstMissingWaterInput);
}

TEST_F(KxRules, ReadingConvertsUnitsAndReadsGarbageAsZero)
{
    UnitDpA.choose(1); // mmH2O
    const KxConditions c = readKxConditions({QStringLiteral("27"), QStringLiteral("7"), QStringLiteral("abc"),
                                             QStringLiteral("0.123"), QString(), QStringLiteral("5.1"),
                                             QStringLiteral("1e39")},
                                            UnitQw.factor(), UnitDpA.factor());
    EXPECT_FLOAT_EQ(c.AirIn, 27);
    EXPECT_FLOAT_EQ(c.WaterIn, 7);
    EXPECT_FLOAT_EQ(c.WaterOutGiven, 0);
    EXPECT_NEAR(c.WaterFlowGiven, 0.000123, 1e-9); // l/s to m³/s
    EXPECT_FLOAT_EQ(c.GlycolPercent, 0);
    EXPECT_NEAR(c.StaticPressure, 50.0, 1e-3); // 5.1 mmH2O
    EXPECT_FLOAT_EQ(c.AirInRh, 0);
}

TEST_F(KxRules, ShownValuesToInternalAndFieldsWithoutANumber)
{
    EXPECT_NEAR(shownToInternal(5.1f, 0.102f), 50.0, 1e-4); // mmH2O to Pa
    EXPECT_NEAR(shownToInternal(0.123f, 1000.0f), 0.000123, 1e-9); // l/s to m³/s
    EXPECT_EQ(shownToInternal(7.0f, 0.0f), 0.0f) << "a unit without a factor gives 0, not infinity";
    struct Case {
        const char* text;
        float number;
    } cases[] = {{"12.5", 12.5f}, {"", 0}, {"abc", 0}, {"1e39", 0}, {"-3", -3}, {" 4 ", 4}};
    for (const Case& c : cases)
        EXPECT_EQ(fieldNumberOrZero(QString::fromLatin1(c.text)), c.number) << c.text;
}

TEST_F(KxRules, WaterFlowCountsAsGivenOnlyWithoutALeavingTemperature)
{
    EXPECT_TRUE(conditions(27, 7, 0, 0.0001f, 50).waterFlowGiven());
    EXPECT_FALSE(conditions(27, 7, 12, 0.0001f, 50).waterFlowGiven());
    EXPECT_TRUE(conditions(27, 7, 12, 0.0001f, 50).leavingWaterGiven());
    EXPECT_FALSE(conditions(27, 7, 12, 0, 50).waterFlowGiven());
}

TEST_F(KxRules, NameEndings)
{
    struct Case {
        const char* name;
        const char* suffix;
        bool ends;
    } cases[] = {
        {"KXH 60 4P", "4P", true}, {"KXH 60 4P", " 4P", true}, {"KXH 60+4P", " 4P", false},
        {"KXR 40 DF", "DF", true}, {"P", "4P", false},         {"", "4P", false},
        {"4P", "4P", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nameEndsWith(c.name, c.suffix), c.ends) << c.name << " / " << c.suffix;
}

TEST_F(KxRules, CapacityWindow)
{
    struct Case {
        const char* required;
        float approx;
        float factor;
        float min;
        float max;
    } cases[] = {
        {"", 10, 1, 0, 9999999},         {"0", 10, 1, 0, 9999999},      {"x12", 10, 1, 0, 9999999},
        {"-5", 10, 1, 0, 9999999},       {"2000", 10, 1, 1800, 2200},   {"2000", 70, 1, 600, 3400},
        // 2000 Frig/h with a factor of 0.86: about 2093 to 2558 W.
        {"2000", 10, 0.86f, 2093.0233f, 2558.1396f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.required);
        const CapacityBand w = capacityBandFor(QString::fromLatin1(c.required), c.approx, c.factor);
        EXPECT_NEAR(w.minimum, c.min, 0.01);
        EXPECT_NEAR(w.maximum, c.max, 0.01);
    }
}

TEST_F(KxRules, RequiredCapacityThatIsNoNumberEndsTheRun)
{
    struct Case {
        const char* required;
        int number;
    } cases[] = {{"12x", 13}, {"1.2.3", 13}, {"1e39", 6}, {"9999999999999999999999999999999999999999x", 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.required);
        try {
            capacityBandFor(QString::fromLatin1(c.required), 10, 1);
            ADD_FAILURE() << "no error";
        } catch (const RunError& error) {
            EXPECT_EQ(error.number(), c.number);
        }
    }
}

TEST_F(KxRules, NameFilters)
{
    struct Case {
        const char* name;
        int mode;
        bool fourPipe;
        bool rated;
    } cases[] = {
        {"KXH 60 4P", 0, false, false}, {"KXH 60+4P", 0, false, true}, {"KXA 20", 0, false, true},
        {"KXH 60 4P", 0, true, false},  {"KXH 60+4P", 1, false, false}, {"KXH 60+4P", 1, true, false},
        {"KXH 60 4P", 1, false, false}, {"KXH 60 4P", 1, true, true},  {"KXA 20", 1, false, true},
        {"KXA 20", 1, true, false},     {"KXH 604P", 1, true, true},   {"", 1, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " mode " + std::to_string(c.mode) + (c.fourPipe ? " 4P" : ""));
        EXPECT_EQ(!nameFilterReason(c.name, c.mode, c.fourPipe, false), c.rated);
    }
}

QStringList rowOf(const TextGrid& grid, int row)
{
    QStringList cells;
    for (int col = 0; col < grid.cols(); ++col)
        cells << grid.text(row, col);
    return cells;
}

TEST_F(KxRules, CoolingLayout)
{
    TextGrid grid;
    layoutKxGrid(grid, 0, false, 100);
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.fixedRows(), 2);
    EXPECT_EQ(rowOf(grid, 0), (QStringList{"", "Modello", "Potenza totale ", "Potenza sensibile", "Portata acqua",
                                           "Perdita di carico acqua", "Portata aria", "Temp.uscita aria",
                                           "Potenza sonora", "Pressione sonora"}));
    EXPECT_EQ(rowOf(grid, 1), (QStringList{"", "", "W", "W", "l/s", "kPa", "l/s", "°C", "dB(A)", "dB(A)"}));
    EXPECT_EQ(rowOf(grid, 2), QStringList(10, QString()));
    EXPECT_EQ(grid.rowHeight(0), 700);
    const int widths[] = {200, 1200, 850, 850, 850, 850, 850, 850, 850, 850};
    for (int col = 0; col < 10; ++col) {
        EXPECT_EQ(grid.colWidth(col), widths[col]) << col;
        EXPECT_EQ(grid.rightAligned(col), col >= 2) << col;
    }
    layoutKxGrid(grid, 0, false, 700);
    EXPECT_EQ(grid.colWidth(9), 1300) << "German cooling columns";
    EXPECT_EQ(grid.colWidth(1), 1200);
}

TEST_F(KxRules, HeatingLayoutWithWaterFlowGivenAndCalories)
{
    UnitPt.choose(1); // "Cal/h - Frig/h"
    TextGrid grid;
    layoutKxGrid(grid, 1, true, 700);
    EXPECT_EQ(grid.cols(), 9);
    EXPECT_EQ(rowOf(grid, 0), (QStringList{"", "Modello", "Potenza temica", "Temp.uscita acqua",
                                           "Perdita di carico acqua", "Portata aria", "Temp.uscita aria",
                                           "Potenza sonora", "Pressione sonora"}));
    EXPECT_EQ(rowOf(grid, 1), (QStringList{"", "", "Cal/h ", "°C", "kPa", "l/s", "°C", "dB(A)", "dB(A)"}));
    EXPECT_EQ(grid.colWidth(1), 800);
    EXPECT_EQ(grid.colWidth(8), 900) << "heating stays 900 in German";
    layoutKxGrid(grid, 0, false, 100);
    EXPECT_EQ(grid.text(1, 2), "Frig/h");
    EXPECT_EQ(grid.text(1, 3), "Frig/h");
}

RatingResult sampleResult()
{
    RatingResult r;
    r.model = 1;
    r.Capacity = 2350;
    r.SensibleCapacity = 1800;
    r.WaterFlow = 0.000123;
    r.WaterOut = 11.96f;
    r.WaterPressureDrop = 12.34f;
    r.Reynolds = 2000;
    r.AirFlow = 0.1f;
    r.AirOut = 14.26f;
    return r;
}

// A listed fan coil as the run gives it, at speed 3.
ModelOutcome sampleOutcome()
{
    ModelOutcome m;
    m.model = 1;
    m.name = "KXA 20";
    m.rating = sampleResult();
    m.soundPower = 50;
    m.soundPressure = 41.5f;
    return m;
}

TEST_F(KxRules, ResultRowsInTheUnitsAndMasks)
{
    ModelOutcome m = sampleOutcome();
    const auto row = [&](int mode, bool waterFlowGiven) { return resultRowText(kxColumns(mode, waterFlowGiven), m); };
    EXPECT_EQ(row(0, false), "\tKXA 20\t2350\t1800\t0.123\t12.34 *\t100.0\t14.3\t50\t41.5");
    EXPECT_EQ(row(0, true), "\tKXA 20\t2350\t1800\t12.0\t12.34 *\t100.0\t14.3\t50\t41.5");
    m.rating.Reynolds = 2300;
    EXPECT_EQ(row(1, true), "\tKXA 20\t2350\t12.0\t12.34\t100.0\t14.3\t50\t41.5");
    UnitPt.choose(1);
    UnitQw.choose(1); // l/h
    UnitQa.choose(2); // m3/h
    EXPECT_EQ(row(0, false), "\tKXA 20\t2021\t1548\t443\t12.34\t360\t14.3\t50\t41.5");
    useLocale(QLocale(QLocale::Italian, QLocale::Italy));
    UnitQw.choose(0);
    EXPECT_EQ(row(0, false), "\tKXA 20\t2021\t1548\t0,123\t12,34\t360\t14,3\t50\t41,5");
}

// Every heading of a grid sits over the cells of its own descriptor, in every layout.
TEST_F(KxRules, HeadingsAndCellsComeFromOneColumnList)
{
    const ModelOutcome m = sampleOutcome();
    for (int mode : {0, 1}) {
        for (bool waterFlowGiven : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "mode " << mode << (waterFlowGiven ? " flow given" : ""));
            TextGrid grid;
            layoutKxGrid(grid, mode, waterFlowGiven, 100);
            const std::vector<ResultColumn> columns = kxColumns(mode, waterFlowGiven);
            grid.addItem(resultRowText(columns, m));
            ASSERT_EQ(grid.cols(), int(columns.size()) + 2);
            for (size_t c = 0; c < columns.size(); ++c) {
                EXPECT_EQ(grid.text(0, int(c) + 2), columnHeading(columns[c]));
                EXPECT_EQ(grid.text(1, int(c) + 2), columnUnit(columns[c], mode));
                EXPECT_EQ(grid.text(3, int(c) + 2), columnCell(columns[c], m));
            }
        }
    }
}

TEST_F(KxRules, SummaryGridHoldsTheRowsAsGiven)
{
    TextGrid grid;
    fillSummaryGrid(grid, {{"Temp.ingresso aria", "°C", "27"}, {"Velocità funzionamento", "", "Max"}});
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_EQ(grid.cols(), 3);
    EXPECT_EQ(rowOf(grid, 0), (QStringList{"Temp.ingresso aria", "°C", "27"}));
    EXPECT_EQ(rowOf(grid, 1), (QStringList{"Velocità funzionamento", "", "Max"}));
    EXPECT_EQ(grid.colWidth(0), 3000);
    EXPECT_EQ(grid.colWidth(1), 700);
    EXPECT_EQ(grid.colWidth(2), 1500);
}

} // namespace

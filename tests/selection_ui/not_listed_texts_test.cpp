// What the user reads about the models a run left out, without a window: each case's reason
// and the figure behind it in all six languages and in the user's units, the count by case
// with the capacities next to the band, and the message after a run that listed nothing.

#include "selection_ui/left_out_tally.h"
#include "selection_ui/not_listed_texts.h"
#include "shell/text_table.h"
#include "tests/selection_kx/selection_test_support.h"

#include <QRegularExpression>

#include <string>
#include <vector>

namespace tarvello {
namespace {

using testing::SelectionEnvironment;

class NotListedTexts : public SelectionEnvironment {};

constexpr qint16 kItalian = 100;
constexpr qint16 kEnglish = 300;
constexpr qint16 kLanguages[] = {100, 300, 500, 700, 900, 1100};

ModelOutcome leftOut(const char* name, NotListedReason reason)
{
    ModelOutcome model;
    model.name = name;
    model.reason = reason;
    return model;
}

ModelOutcome withAir(ModelOutcome model, float airFlow, float referenceFlow, float pressure = 0)
{
    model.air.airFlow = airFlow;
    model.air.referenceFlow = referenceFlow;
    model.air.availablePressure = pressure;
    return model;
}

// A rating with a water pressure drop beyond any coil's (damaged model data).
ModelOutcome withImplausibleDrop(ModelOutcome model, float drop_kPa)
{
    model.rating.WaterPressureDrop = drop_kPa;
    model.implausibleColumn = ColumnId::WaterPressureDrop;
    return model;
}

ModelOutcome withCapacity(ModelOutcome model, float capacity)
{
    model.capacity = capacity;
    return model;
}

RunRequest requestFor(int mode, bool fourPipe = false, CapacityBand band = {})
{
    RunRequest request;
    request.mode = mode;
    request.fourPipe = fourPipe;
    request.band = band;
    return request;
}

const CapacityBand kBand2000{1800, 2200}; // 2000 W required, approximation 10 %

// --- one model: its reason and figure ---------------------------------------------------

struct FigureCase {
    const char* label;
    ModelOutcome model;
    RunRequest request;
    LeftOutCase expectedCase;
    int reasonOffset;
    const char* english[2];  // reason, figure: written by hand from the case's numbers
    const char* italian[2];
    std::vector<const char*> figures; // the numbers every language shows, in W, l/s, Pa
};

const FigureCase kFigureCases[] = {
    {"FourPipeCoilInCooling", leftOut("KXH 60 4P", NotListedReason::OtherMode), requestFor(ModeCooling),
     LeftOutCase::FourPipeCoilInCooling, 138,
     {"Heating coil for 4-pipe systems", "rated in heating only"},
     {"Batteria di riscaldamento per impianti a 4 tubi", "calcolato solo in riscaldamento"},
     {}},
    {"FourPipeUnitInHeating", leftOut("KXH 60+4P", NotListedReason::OtherMode), requestFor(ModeHeating),
     LeftOutCase::FourPipeUnitInHeating, 139,
     {"4-pipe unit: its heating is rated on its 4P coil", "rated in cooling only"},
     {"Unità a 4 tubi: il riscaldamento è calcolato sulla sua batteria 4P", "calcolato solo in raffreddamento"},
     {"4P"}},
    {"HeatingOnlyUnit", leftOut("KXR 300 DF", NotListedReason::HeatingOnly), requestFor(ModeCooling),
     LeftOutCase::HeatingOnlyUnit, 140,
     {"Heating-only unit", "rated in heating only"},
     {"Unità di solo riscaldamento", "calcolato solo in riscaldamento"},
     {}},
    {"FourPipeCoilWithoutOption", leftOut("KXH 60 4P", NotListedReason::FourPipeChoice), requestFor(ModeHeating),
     LeftOutCase::FourPipeCoilWithoutOption, 141,
     {"4-pipe heating coil (4-pipe option not ticked)", "rated with the 4-pipe option"},
     {"Batteria 4 tubi (opzione 4 tubi non selezionata)", "calcolato con l'opzione 4 tubi"},
     {"4"}},
    {"NotFourPipeWithOption", leftOut("KXA 20", NotListedReason::FourPipeChoice), requestFor(ModeHeating, true),
     LeftOutCase::NotFourPipeWithOption, 142,
     {"Not a 4-pipe heating coil (4-pipe option ticked)", "rated without the 4-pipe option"},
     {"Non è una batteria 4 tubi (opzione 4 tubi selezionata)", "calcolato senza l'opzione 4 tubi"},
     {"4"}},
    // 45 l/s at the static pressure against 300 l/s free blow: 45 <= 300 / 6 = 50.
    {"FanCoilFreeBlow", withAir(leftOut("KXA 20", NotListedReason::FreeBlow), 0.045f, 0.3f), requestFor(ModeCooling),
     LeftOutCase::FanCoilFreeBlow, 143,
     {"Air flow too low for this fan", "45.0 l/s: 1/6 or less of the free-blow air flow at speed 1 (300.0 l/s)"},
     {"Portata d'aria troppo bassa per questo ventilatore",
      "45.0 l/s: non oltre 1/6 della portata a bocca libera in velocità 1 (300.0 l/s)"},
     {"45.0 l/s", "300.0 l/s", "1/6"}},
    // 50 l/s against a free delivery of 250 l/s: 50 <= 250 / 4.
    {"DuctedFreeDelivery", withAir(leftOut("KXR 100", NotListedReason::QuarterFreeDelivery), 0.05f, 0.25f),
     requestFor(ModeCooling), LeftOutCase::DuctedFreeDelivery, 143,
     {"Air flow too low for this fan", "50.0 l/s: 1/4 or less of the free delivery at speed 1 (250.0 l/s)"},
     {"Portata d'aria troppo bassa per questo ventilatore",
      "50.0 l/s: non oltre 1/4 della portata libera in velocità 1 (250.0 l/s)"},
     {"50.0 l/s", "250.0 l/s", "1/4"}},
    {"FanPressureTooLow", withAir(leftOut("KXR 100", NotListedReason::NegativePressure), 0.111f, 0.2f, -35.0f),
     requestFor(ModeHeating), LeftOutCase::FanPressureTooLow, 144,
     {"Fan pressure too low for this air flow", "-35 Pa available at 111.0 l/s"},
     {"Pressione del ventilatore insufficiente per questa portata", "-35 Pa disponibili a 111.0 l/s"},
     {"-35 Pa", "111.0 l/s"}},
    {"NoCoolingLaw", leftOut("KXE 40", NotListedReason::NoCoolingLaw), requestFor(ModeCooling),
     LeftOutCase::NoCoolingLaw, 145,
     {"No cooling rating for this coil geometry", "rated in heating only"},
     {"Nessun calcolo in raffreddamento per questa geometria di batteria", "calcolato solo in riscaldamento"},
     {}},
    {"OutsideCapacityBand", withCapacity(leftOut("KXA 20", NotListedReason::OutsideCapacityBand), 1650),
     requestFor(ModeCooling, false, kBand2000), LeftOutCase::OutsideCapacityBand, 146,
     {"Outside the required capacity band", "1650 W, required 1800 – 2200 W"},
     {"Fuori dal campo di potenza richiesto", "1650 W, richiesta 1800 – 2200 W"},
     {"1650 W", "1800 – 2200 W"}},
    {"NoOperatingPoint", leftOut("KXA 20", NotListedReason::NoOperatingPoint), requestFor(ModeCooling),
     LeftOutCase::NoOperatingPoint, 147,
     {"No operating point at these conditions", ""},
     {"Nessun punto di funzionamento in queste condizioni", ""},
     {}},
    {"ImplausibleResult", withImplausibleDrop(leftOut("KXA 20", NotListedReason::ImplausibleResult), 20000),
     requestFor(ModeCooling), LeftOutCase::ImplausibleResult, 159,
     {"Implausible rating (damaged model data)", "Water pressure drop 20000 kPa: outside its physical range"},
     {"Risultato non plausibile (dati del modello danneggiati)",
      "Perdita di carico acqua 20000 kPa: fuori dal campo fisico"},
     {"20000 kPa"}},
};

class NotListedFigure : public SelectionEnvironment, public ::testing::WithParamInterface<FigureCase> {};

TEST_P(NotListedFigure, ReadsAsWrittenInItalianAndEnglish)
{
    const FigureCase& c = GetParam();
    EXPECT_EQ(leftOutCase(*c.model.reason, c.request.mode, c.request.fourPipe), c.expectedCase);
    const struct {
        qint16 base;
        const char* const* expected;
    } languages[] = {{kEnglish, c.english}, {kItalian, c.italian}};
    for (const auto& language : languages) {
        const std::vector<NotListedRow> rows = notListedRows(RunResult{{c.model}, {}}, c.request, language.base);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].model, QString::fromStdString(c.model.name));
        EXPECT_EQ(rows[0].reason, QString::fromUtf8(language.expected[0])) << language.base;
        EXPECT_EQ(rows[0].figure, QString::fromUtf8(language.expected[1])) << language.base;
    }
}

TEST_P(NotListedFigure, EveryLanguageGivesItsOwnReasonAndTheSameFigures)
{
    const FigureCase& c = GetParam();
    for (qint16 base : kLanguages) {
        const QString reason = leftOutReasonText(c.expectedCase, base);
        const QString figure = leftOutFigureText(c.model, c.request, base);
        EXPECT_EQ(reason, textForLanguage(base, c.reasonOffset).trimmed()) << base;
        EXPECT_FALSE(reason.isEmpty()) << base;
        if (base != kEnglish) {
            EXPECT_NE(reason, QString::fromUtf8(c.english[0])) << base;
        }
        EXPECT_EQ(figure.isEmpty(), QString::fromUtf8(c.english[1]).isEmpty()) << base;
        EXPECT_FALSE(figure.contains(QRegularExpression(QStringLiteral("%\\d")))) << base << " " << figure.toStdString();
        for (const char* shown : c.figures)
            EXPECT_TRUE(figure.contains(QString::fromUtf8(shown)) || reason.contains(QString::fromUtf8(shown)))
                << base << " lacks " << shown << ": " << figure.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCase, NotListedFigure, ::testing::ValuesIn(kFigureCases),
                         [](const ::testing::TestParamInfo<FigureCase>& info) { return info.param.label; });

// The figures follow the user's units and the locale's decimal comma.
TEST_F(NotListedTexts, NotListedFiguresTakeTheUsersUnits)
{
    useLocale(QLocale(QLocale::Italian, QLocale::Italy));
    UnitPt.choose(1);  // Cal/h - Frig/h, factor 0.86
    UnitQa.choose(2);  // m3/h
    UnitDpA.choose(1); // mmH2O, factor 0.102
    struct Case {
        ModelOutcome model;
        RunRequest request;
        const char* figure;
    };
    const Case cases[] = {
        // 1650 W × 0.86 = 1419 Frig/h against 1548 – 1892 Frig/h.
        {withCapacity(leftOut("KXA 20", NotListedReason::OutsideCapacityBand), 1650),
         requestFor(ModeCooling, false, kBand2000), "1419 Frig/h, required 1548 – 1892 Frig/h"},
        // In heating the power unit is "Cal/h".
        {withCapacity(leftOut("KXA 20", NotListedReason::OutsideCapacityBand), 2500),
         requestFor(ModeHeating, false, kBand2000), "2150 Cal/h, required 1548 – 1892 Cal/h"},
        // 0.045 m³/s = 162 m³/h; 0.3 m³/s = 1080 m³/h.
        {withAir(leftOut("KXA 20", NotListedReason::FreeBlow), 0.045f, 0.3f), requestFor(ModeCooling),
         "162 m3/h: 1/6 or less of the free-blow air flow at speed 1 (1080 m3/h)"},
        // -35 Pa × 0.102 = -3.57 mmH2O, shown with one decimal and a comma.
        {withAir(leftOut("KXR 100", NotListedReason::NegativePressure), 0.111f, 0.2f, -35.0f),
         requestFor(ModeCooling), "-3,6 mmH2O available at 400 m3/h"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(leftOutFigureText(c.model, c.request, kEnglish), QString::fromUtf8(c.figure));
}

// --- the count by case and the empty-run message ---------------------------------------

struct SummaryCase {
    const char* label;
    std::vector<ModelOutcome> models;
    RunRequest request;
    std::vector<std::pair<LeftOutCase, int>> counts; // most frequent first
    std::optional<float> largestBelow, smallestAbove;
    const char* english; // the summary lines
};

const SummaryCase kSummaryCases[] = {
    {"BelowTheBandAndOthers",
     {withCapacity(leftOut("A", NotListedReason::OutsideCapacityBand), 1650),
      leftOut("B", NotListedReason::HeatingOnly),
      withCapacity(leftOut("C", NotListedReason::OutsideCapacityBand), 1720),
      leftOut("D", NotListedReason::NoOperatingPoint),
      withCapacity(leftOut("E", NotListedReason::OutsideCapacityBand), 1100),
      leftOut("F", NotListedReason::HeatingOnly)},
     requestFor(ModeCooling, false, kBand2000),
     {{LeftOutCase::OutsideCapacityBand, 3}, {LeftOutCase::HeatingOnlyUnit, 2}, {LeftOutCase::NoOperatingPoint, 1}},
     1720.0f, std::nullopt,
     "3 × Outside the required capacity band (1800 – 2200 W), largest 1720 W\n"
     "2 × Heating-only unit\n"
     "1 × No operating point at these conditions"},
    {"BothSidesOfTheBand",
     {withCapacity(leftOut("A", NotListedReason::OutsideCapacityBand), 2900),
      withCapacity(leftOut("B", NotListedReason::OutsideCapacityBand), 1500),
      withCapacity(leftOut("C", NotListedReason::OutsideCapacityBand), 2500)},
     requestFor(ModeCooling, false, kBand2000),
     {{LeftOutCase::OutsideCapacityBand, 3}},
     1500.0f, 2500.0f,
     "3 × Outside the required capacity band (1800 – 2200 W), largest 1500 W, smallest 2500 W"},
    // "3.000" read as 3 W with 10 %: every model lies above the band.
    {"ThreeWattsRequired",
     {withCapacity(leftOut("A", NotListedReason::OutsideCapacityBand), 1260),
      withCapacity(leftOut("B", NotListedReason::OutsideCapacityBand), 2400),
      leftOut("C 4P", NotListedReason::OtherMode)},
     requestFor(ModeCooling, false, {2.7f, 3.3f}),
     {{LeftOutCase::OutsideCapacityBand, 2}, {LeftOutCase::FourPipeCoilInCooling, 1}},
     std::nullopt, 1260.0f,
     "2 × Outside the required capacity band (2.7 – 3.3 W), smallest 1260 W\n"
     "1 × Heating coil for 4-pipe systems"},
    // Equal counts keep the order of the cases; listed models are not counted.
    {"TiesInCaseOrder",
     {leftOut("A", NotListedReason::NoOperatingPoint), ModelOutcome{}, leftOut("B", NotListedReason::FourPipeChoice),
      leftOut("C", NotListedReason::NoOperatingPoint), leftOut("D", NotListedReason::FourPipeChoice)},
     requestFor(ModeHeating, true),
     {{LeftOutCase::NotFourPipeWithOption, 2}, {LeftOutCase::NoOperatingPoint, 2}},
     std::nullopt, std::nullopt,
     "2 × Not a 4-pipe heating coil (4-pipe option ticked)\n"
     "2 × No operating point at these conditions"},
    {"NothingLeftOut", {ModelOutcome{}, ModelOutcome{}}, requestFor(ModeCooling), {}, std::nullopt,
     std::nullopt, ""},
};

class LeftOutSummary : public SelectionEnvironment, public ::testing::WithParamInterface<SummaryCase> {};

TEST_P(LeftOutSummary, CountsEachCaseWithTheCapacitiesNextToTheBand)
{
    const SummaryCase& c = GetParam();
    const RunResult result{c.models, {}};
    const LeftOutTally tally = tallyLeftOut(result, c.request);
    ASSERT_EQ(tally.counts.size(), c.counts.size());
    for (size_t i = 0; i < c.counts.size(); ++i) {
        EXPECT_EQ(tally.counts[i].which, c.counts[i].first) << i;
        EXPECT_EQ(tally.counts[i].count, c.counts[i].second) << i;
    }
    EXPECT_EQ(tally.largestBelowBand, c.largestBelow);
    EXPECT_EQ(tally.smallestAboveBand, c.smallestAbove);
    EXPECT_EQ(leftModelsOut(result), !c.counts.empty());
    EXPECT_EQ(leftOutSummary(result, c.request, kEnglish), QString::fromUtf8(c.english));
}

TEST_P(LeftOutSummary, TheEmptyRunMessageStartsWithText104)
{
    const SummaryCase& c = GetParam();
    const RunResult result{c.models, {}};
    for (qint16 base : kLanguages) {
        const QString message = emptyRunMessage(result, c.request, base);
        const QString summary = leftOutSummary(result, c.request, base);
        const QString noUnit = textForLanguage(base, 104).trimmed();
        if (summary.isEmpty()) {
            EXPECT_EQ(message, noUnit) << base;
            continue;
        }
        EXPECT_EQ(message, noUnit + QStringLiteral("\n\n") + textForLanguage(base, kSummaryHeadingText) +
                               QLatin1Char('\n') + summary)
            << base;
        EXPECT_EQ(summary.count(QLatin1Char('\n')) + 1, qsizetype(c.counts.size())) << base;
        EXPECT_FALSE(summary.contains(QRegularExpression(QStringLiteral("%\\d")))) << base;
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, LeftOutSummary, ::testing::ValuesIn(kSummaryCases),
                         [](const ::testing::TestParamInfo<SummaryCase>& info) { return info.param.label; });

TEST_F(NotListedTexts, TheEmptyRunMessageInItalian)
{
    const RunResult result{{withCapacity(leftOut("A", NotListedReason::OutsideCapacityBand), 1650),
                            leftOut("B", NotListedReason::NoOperatingPoint)},
                           {}};
    EXPECT_EQ(emptyRunMessage(result, requestFor(ModeCooling, false, kBand2000), kItalian),
              QString::fromUtf8("Nessun apparecchio soddisfa i dati richiesti\n\n"
                                "Modelli non elencati, per motivo:\n"
                                "1 × Fuori dal campo di potenza richiesto (1800 – 2200 W), resa massima 1650 W\n"
                                "1 × Nessun punto di funzionamento in queste condizioni"));
}

// The panel's copy text: headings, then model, reason and figure, tab-separated.
TEST_F(NotListedTexts, NotListedCopyTextIsTabSeparatedWithHeadings)
{
    const RunResult result{{withCapacity(leftOut("KXA 20", NotListedReason::OutsideCapacityBand), 1650),
                            ModelOutcome{}, leftOut("KXH 60 4P", NotListedReason::OtherMode)},
                           {}};
    const struct {
        qint16 base;
        const char* expected;
    } cases[] = {
        {kEnglish, "Model\tReason\tDetails\n"
                   "KXA 20\tOutside the required capacity band\t1650 W, required 1800 – 2200 W\n"
                   "KXH 60 4P\tHeating coil for 4-pipe systems\trated in heating only\n"},
        {700, "Modell\tGrund\tAngaben\n"
              "KXA 20\tAußerhalb des geforderten Leistungsbereichs\t1650 W, gefordert 1800 – 2200 W\n"
              "KXH 60 4P\tHeizregister für 4-Leiter-Anlagen\tnur im Heizbetrieb berechnet\n"},
    };
    for (const auto& c : cases) {
        const auto rows = notListedRows(result, requestFor(ModeCooling, false, kBand2000), c.base);
        EXPECT_EQ(notListedCopyText(rows, c.base), QString::fromUtf8(c.expected)) << c.base;
    }
}

} // namespace
} // namespace tarvello

// The units engineers outside Italy work in: the conversion of every unit against factors
// from their sources, the masks, the conversion of typed fields and of the saved ones, the
// temperature key of the settings file and the metric / US switch of the units window.
#include "engine/coil_state.h"
#include "shell/app_state.h"
#include "shell/forms.h"
#include "shell/funmis.h"
#include "shell/language.h"
#include "shell/settings.h"
#include "shell/unit_change.h"
#include "shell/units.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qt_print.h"

#include <cctype>
#include <cmath>
#include <memory>
#include <vector>

using namespace tarvello;

namespace {

// A test name of letters, digits and underscores.
std::string testName(const char* label)
{
    std::string name(label);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

// Exact or published factors, independent of the program's tables:
// NIST SP 811 (2008) Appendix B.8/B.9: 1 Btu_IT/h = 0.29307107 W; 1 ton of refrigeration =
// 12000 Btu_IT/h; 1 gallon (US) = 3.785411784 L (exact); 1 ft³ = 0.028316846592 m³ (exact);
// 1 inch of water (39.2 °F) = 249.082 Pa; 1 foot of water (39.2 °F) = 2.98898 kPa;
// 1 psi = 6.894757 kPa. The conventional water column at 4 °C is the one used throughout.
constexpr double kBtuH_W = 0.29307107;
constexpr double kTon_W = 12000 * kBtuH_W;
constexpr double kGpm_m3s = 3.785411784e-3 / 60;
constexpr double kCfm_m3s = 0.028316846592 / 60;
constexpr double kInWg_Pa = 249.082;
constexpr double kFtWg_kPa = 2.98898;
constexpr double kPsi_kPa = 6.894757;

struct ConversionCase {
    const char* label;
    ColumnQuantity quantity;
    int index;
    double internal;       // W, m³/s, kPa, Pa, °C
    const char* name;      // as listed in the units window
    double shown;          // the exact shown value
    const char* formatted; // with the unit's mask, "." as separator
};

const ConversionCase kConversions[] = {
    {"kW", ColumnQuantity::Power, PowerKW, 3516.85284, "kW", 3.51685284, "3.52"},
    {"kW rounds half away from zero", ColumnQuantity::Power, PowerKW, 1235, "kW", 1.235, "1.24"},
    {"Btu/h one ton", ColumnQuantity::Power, PowerBtuH, kTon_W, "Btu/h", 12000, "12000"},
    {"Btu/h of 1 kW", ColumnQuantity::Power, PowerBtuH, 1000, "Btu/h", 1000 / kBtuH_W, "3412"},
    {"MBH one ton", ColumnQuantity::Power, PowerMBH, kTon_W, "MBH", 12, "12.0"},
    {"MBH of 2.5 kW", ColumnQuantity::Power, PowerMBH, 2500, "MBH", 2.5 / kBtuH_W, "8.5"},
    {"tons one ton", ColumnQuantity::Power, PowerTons, kTon_W, "tons", 1, "1.00"},
    {"tons of 5 kW", ColumnQuantity::Power, PowerTons, 5000, "tons", 5000 / kTon_W, "1.42"},
    {"CFM of 1000 CFM", ColumnQuantity::AirFlow, AirFlowCFM, 1000 * kCfm_m3s, "CFM", 1000, "1000"},
    {"CFM of 0.25 m3/s", ColumnQuantity::AirFlow, AirFlowCFM, 0.25, "CFM", 0.25 / kCfm_m3s, "530"},
    {"GPM of 1 GPM", ColumnQuantity::WaterFlow, WaterFlowGPM, kGpm_m3s, "GPM (US)", 1, "1.00"},
    {"GPM of 0.1 l/s", ColumnQuantity::WaterFlow, WaterFlowGPM, 1e-4, "GPM (US)", 1e-4 / kGpm_m3s, "1.59"},
    {"ft wg of 1 ft", ColumnQuantity::WaterPressureDrop, WaterFtWg, kFtWg_kPa, "ft wg", 1, "1.00"},
    {"ft wg of 25 kPa", ColumnQuantity::WaterPressureDrop, WaterFtWg, 25, "ft wg", 25 / kFtWg_kPa, "8.36"},
    {"psi of 1 psi", ColumnQuantity::WaterPressureDrop, WaterPsi, kPsi_kPa, "psi", 1, "1.00"},
    {"psi of 25 kPa", ColumnQuantity::WaterPressureDrop, WaterPsi, 25, "psi", 25 / kPsi_kPa, "3.63"},
    {"in. wg of 1 in", ColumnQuantity::AirPressure, AirInWg, kInWg_Pa, "in. wg", 1, "1.00"},
    {"in. wg of 80 Pa", ColumnQuantity::AirPressure, AirInWg, 80, "in. wg", 80 / kInWg_Pa, "0.32"},
    {"in. wg of 10 Pa", ColumnQuantity::AirPressure, AirInWg, 10, "in. wg", 10 / kInWg_Pa, "0.04"},
    {"°F of 18 °C", ColumnQuantity::Temperature, TempFahrenheit, 18, "°F", 64.4, "64.4"},
    {"°F of 33 °C", ColumnQuantity::Temperature, TempFahrenheit, 33, "°F", 91.4, "91.4"},
    {"°F of -15 °C", ColumnQuantity::Temperature, TempFahrenheit, -15, "°F", 5, "5.0"},
    {"°F of 7 °C", ColumnQuantity::Temperature, TempFahrenheit, 7, "°F", 44.6, "44.6"},
    {"°F of -20 °C", ColumnQuantity::Temperature, TempFahrenheit, -20, "°F", -4, "-4.0"},
    {"°C stays", ColumnQuantity::Temperature, TempCelsius, 26.65, "°C", 26.65, "26.7"},
};

class UnitConversion : public ::testing::TestWithParam<ConversionCase> {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        fillUnitTables();
    }
};

TEST_P(UnitConversion, ShowsTheExactValueWithItsMask)
{
    const ConversionCase& c = GetParam();
    const UnitChoice unit = userUnitOf(c.quantity)->with(c.index);
    EXPECT_EQ(unit.name(), QString::fromUtf8(c.name));
    // The factors are single precision: a few parts in ten million.
    const double tolerance = (std::fabs(c.shown) + std::fabs(c.internal * unit.factor())) * 2e-7 + 1e-9;
    EXPECT_NEAR(unit.toShown(c.internal), c.shown, tolerance);
    EXPECT_NEAR(unit.toShown(unit.toInternal(c.shown)), c.shown, tolerance);
    EXPECT_EQ(unit.format(c.internal), QString::fromUtf8(c.formatted));
}

INSTANTIATE_TEST_SUITE_P(EveryNewUnit, UnitConversion, ::testing::ValuesIn(kConversions),
                         [](const auto& info) { return testName(info.param.label); });

TEST(UnitTables, TheMetricUnitsKeepTheirPlaces)
{
    fillUnitTables();
    EXPECT_EQ(UnitPt.names.mid(0, 2), QStringList({"W", "Cal/h - Frig/h"}));
    EXPECT_EQ(UnitQa.names.mid(0, 3), QStringList({"l/s", "m3/s", "m3/h"}));
    EXPECT_EQ(UnitQw.names.mid(0, 2), QStringList({"l/s", "l/h"}));
    EXPECT_EQ(UnitDpW.names.mid(0, 2), QStringList({"kPa", "mH2O"}));
    EXPECT_EQ(UnitDpA.names.mid(0, 2), QStringList({"Pa", "mmH2O"}));
    for (const UnitChoice* unit : {&UnitPt, &UnitQa, &UnitQw, &UnitDpW, &UnitDpA, &UnitT}) {
        EXPECT_EQ(unit->names.size(), unit->factors.size());
        EXPECT_EQ(unit->names.size(), unit->masks.size());
    }
}

TEST(UnitTables, PowerUnitOfAModeCutsOnlyTheTwoPartName)
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"Cal/h - Frig/h", ModeCooling, "Frig/h"}, {"Cal/h - Frig/h", ModeHeating, "Cal/h "},
        {"Btu/h", ModeCooling, "Btu/h"},           {"Btu/h", ModeHeating, "Btu/h"},
        {"tons", ModeCooling, "tons"},             {"kW", ModeHeating, "kW"}};
    for (const auto& [name, mode, expected] : cases)
        EXPECT_EQ(powerUnitNameForMode(QString::fromUtf8(name), mode), QString::fromUtf8(expected)) << name << mode;
}

TEST(UnitTables, TemperatureDifferencesHaveNoOffset)
{
    fillUnitTables();
    UnitT.choose(TempFahrenheit);
    EXPECT_NEAR(temperatureDifferenceToShown(10), 18, 1e-5);
    UnitT.choose(TempCelsius);
    EXPECT_EQ(temperatureDifferenceToShown(10), 10);
}

// --- typed fields ---------------------------------------------------------------------------

struct FieldCase {
    const char* label;
    const char* text;
    ColumnQuantity quantity;
    UnitSelection from;
    UnitSelection to;
    const char* expected;
};

UnitSelection with(ColumnQuantity quantity, int index)
{
    UnitSelection units;
    switch (quantity) {
    case ColumnQuantity::Power: units.power = qint16(index); break;
    case ColumnQuantity::AirFlow: units.airFlow = qint16(index); break;
    case ColumnQuantity::WaterFlow: units.waterFlow = qint16(index); break;
    case ColumnQuantity::WaterPressureDrop: units.waterPressure = qint16(index); break;
    case ColumnQuantity::AirPressure: units.airPressure = qint16(index); break;
    case ColumnQuantity::Temperature: units.temperature = qint16(index); break;
    case ColumnQuantity::SoundLevel: break;
    }
    return units;
}

constexpr auto T = ColumnQuantity::Temperature;
constexpr auto P = ColumnQuantity::Power;
constexpr auto A = ColumnQuantity::AirPressure;
constexpr auto W = ColumnQuantity::WaterFlow;
constexpr auto Q = ColumnQuantity::AirFlow;

const FieldCase kFields[] = {
    // 80 °F = 26.67 °C; back: 26.7 °C = 80.06 °F, within a step of the °F mask of 80.
    {"fahrenheit to celsius", "80", T, with(T, 1), with(T, 0), "26.7"},
    {"celsius back to fahrenheit", "26.7", T, with(T, 0), with(T, 1), "80"},
    {"wet bulb 67 F", "67", T, with(T, 1), with(T, 0), "19.4"},
    {"water 45 F", "45", T, with(T, 1), with(T, 0), "7.2"},
    // 7 °C = 44.6 °F: "45" would be 0.4 °F away, more than the mask's step.
    {"water 7 C keeps its tenth", "7", T, with(T, 0), with(T, 1), "44.6"},
    {"negative heating air", "-5", T, with(T, 0), with(T, 1), "23"},
    {"zero is not given", "0", T, with(T, 0), with(T, 1), "0"},
    {"empty stays empty", "", T, with(T, 0), with(T, 1), ""},
    {"no number stays", "abc", T, with(T, 0), with(T, 1), "abc"},
    {"same unit unchanged", "12,5", T, with(T, 1), with(T, 1), "12,5"},
    {"comma typed", "26,7", T, with(T, 0), with(T, 1), "80"},
    // The case of the old program: 3 mmH2O reopened as 3 Pa; 3 / 0.102 = 29.4 Pa.
    {"mmH2O to Pa", "3", A, with(A, 1), with(A, 0), "29"},
    {"Pa to mmH2O", "29", A, with(A, 0), with(A, 1), "3"},
    {"Pa to in wg", "50", A, with(A, 0), with(A, 2), "0.2"},
    // 3517 W would read back as 12001 Btu/h: a tenth is kept.
    {"Btu/h to W", "12000", P, with(P, 3), with(P, 0), "3516.9"},
    {"W back to Btu/h", "3516.9", P, with(P, 0), with(P, 3), "12000"},
    {"tons to kW", "1", P, with(P, 5), with(P, 2), "3.52"},
    {"l/s to GPM", "0.15", W, with(W, 0), with(W, 2), "2.38"},
    {"m3/h to CFM", "1000", Q, with(Q, 2), with(Q, 3), "588.6"},
};

class FieldConversion : public ::testing::TestWithParam<FieldCase> {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        savedSep = DecimalSep;
        DecimalSep = ".";
        fillUnitTables();
    }
    void TearDown() override { DecimalSep = savedSep; }
    QString savedSep;
};

TEST_P(FieldConversion, KeepsTheValueInTheNewUnit)
{
    const FieldCase& c = GetParam();
    EXPECT_EQ(convertedFieldText(QString::fromUtf8(c.text), c.quantity, c.from, c.to), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(TypedValues, FieldConversion, ::testing::ValuesIn(kFields),
                         [](const auto& info) { return testName(info.param.label); });

TEST(FieldConversionWithDecimalComma, ReadsAndWritesTheLocalesSeparator)
{
    fillUnitTables();
    const QString savedSep = DecimalSep;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    DecimalSep = ",";
    const UnitSelection celsius = with(T, 0), fahrenheit = with(T, 1);
    EXPECT_EQ(convertedFieldText("80", T, fahrenheit, celsius), "26,7");
    EXPECT_EQ(convertedFieldText("26,7", T, celsius, fahrenheit), "80");
    EXPECT_EQ(convertedFieldText("26.7", T, celsius, fahrenheit), "80") << "the other separator is read too";
    // 1.23 kW would read back as 1230 W: the typed watt is kept.
    EXPECT_EQ(convertedFieldText("1234", P, with(P, 0), with(P, 2)), "1,234") << "no group separator";
    QLocale::setDefault(QLocale::c());
    DecimalSep = savedSep;
}

TEST(FieldQuantity, ByTheNameOfTheField)
{
    const std::pair<const char*, std::optional<ColumnQuantity>> cases[] = {
        {"txtTsa1(0)", T},   {"txtTbu", T},        {"txtTw2(1)", T},   {"txttburin", T},
        {"txtQw(1)", W},     {"txtpsu(0)", A},     {"txtqatot(1)", Q}, {"txtPotric", P},
        {"txtUr", std::nullopt}, {"txtGlic(0)", std::nullopt}, {"txtpqaric(0)", std::nullopt}};
    for (const auto& [name, quantity] : cases)
        EXPECT_EQ(fieldQuantity(QString::fromLatin1(name)), quantity) << name;
}

TEST(UnitSelectionText, RoundTripsAndRefusesWhatIsNotSixIndexes)
{
    EXPECT_EQ(unitSelectionText(imperialUnits()), "3,3,2,2,2,1");
    EXPECT_EQ(parseUnitSelection("3,3,2,2,2,1"), imperialUnits());
    for (const char* bad : {"", "1,2,3", "a,0,0,0,0,0", "0,0,0,0,0,-1", "0,0,0,0,0,0,0"})
        EXPECT_FALSE(parseUnitSelection(QString::fromLatin1(bad))) << bad;
}

// --- the settings file and the units window ----------------------------------------------------

class UnitSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        saved = {AppDir, DecimalSep, LangBase};
        AppDir = withTrailingSeparator(dir.path());
        DecimalSep = ".";
        LangBase = 300;
        QLocale::setDefault(QLocale::c());
        fillUnitTables();
        applyUnits(metricUnits());
    }
    void TearDown() override
    {
        Forms::unloadAllExcept({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        applyUnits(metricUnits());
        AppDir = saved.appDir;
        DecimalSep = saved.sep;
        LangBase = saved.base;
    }
    void writeFile(const QByteArray& text) const
    {
        QFile file(settingsFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    static QLineEdit* box(std::vector<std::unique_ptr<QLineEdit>>& owned, const char* name, const char* text = "")
    {
        owned.push_back(std::make_unique<QLineEdit>());
        owned.back()->setObjectName(QString::fromLatin1(name));
        owned.back()->setText(QString::fromUtf8(text));
        return owned.back().get();
    }
    template <typename T> static T* control(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTemporaryDir dir;
    struct {
        QString appDir, sep;
        qint16 base;
    } saved;
};

TEST_F(UnitSettings, AnOlderFileWithoutTheTemperatureKeyStartsInMetric)
{
    writeFile("[Unmis]\nPt= 0\nQa= 0\nQw= 0\nDpW= 0\nDpA= 0\n");
    UnitT.choose(TempFahrenheit);
    CaricaUnita();
    EXPECT_EQ(currentUnits(), metricUnits());
    EXPECT_EQ(UnitT.name(), "°C");
}

TEST_F(UnitSettings, TheTemperatureKeyIsReadAndAnUnknownOneGivesCelsius)
{
    const std::pair<QByteArray, const char*> cases[] = {{"T= 1", "°F"}, {"T= 0", "°C"}, {"T= 7", "°C"}, {"T=x", "°C"}};
    for (const auto& [line, expected] : cases) {
        writeFile("[Unmis]\nPt= 3\nQa= 3\nQw= 2\nDpW= 2\nDpA= 2\n" + line + "\n");
        CaricaUnita();
        EXPECT_EQ(UnitT.name(), QString::fromUtf8(expected)) << line.constData();
        EXPECT_EQ(UnitPt.name(), "Btu/h");
    }
}

TEST_F(UnitSettings, ImperialSwitchSetsEveryListAndOkSavesThem)
{
    Funmis* window = Forms::funmis();
    window->show();
    auto* metric = control<QRadioButton>(window, "optSistema(0)");
    auto* imperial = control<QRadioButton>(window, "optSistema(1)");
    EXPECT_TRUE(metric->isChecked());
    EXPECT_FALSE(imperial->isChecked());
    imperial->click();
    EXPECT_EQ(control<QComboBox>(window, "cboPotenz")->currentText(), "Btu/h");
    EXPECT_EQ(control<QComboBox>(window, "cboDpw")->currentText(), "ft wg");
    EXPECT_EQ(control<QComboBox>(window, "cboqw")->currentText(), "GPM (US)");
    EXPECT_EQ(control<QComboBox>(window, "cboqa")->currentText(), "CFM");
    EXPECT_EQ(control<QComboBox>(window, "cboDpA")->currentText(), "in. wg");
    EXPECT_EQ(control<QComboBox>(window, "cboTemperatura")->currentText(), "°F");
    EXPECT_TRUE(imperial->isChecked());
    EXPECT_FALSE(metric->isChecked());
    // A single change makes a mix: neither system is shown.
    control<QComboBox>(window, "cboqa")->setCurrentIndex(AirFlowM3h);
    EXPECT_FALSE(imperial->isChecked());
    EXPECT_FALSE(metric->isChecked());
    imperial->click();
    window->cmdOK_Click();
    EXPECT_EQ(currentUnits(), imperialUnits());
    EXPECT_EQ(LeggiIni("Unmis", "T"), "1");
    EXPECT_EQ(LeggiIni("Unmis", "Pt"), "3");
    applyUnits(metricUnits());
    CaricaUnita();
    EXPECT_EQ(currentUnits(), imperialUnits());
}

TEST_F(UnitSettings, PowerAndWaterPressureDropStayInOneSystem)
{
    Funmis* window = Forms::funmis();
    window->show();
    auto* power = control<QComboBox>(window, "cboPotenz");
    auto* drop = control<QComboBox>(window, "cboDpw");
    const std::tuple<QComboBox*, int, const char*, const char*> steps[] = {
        {power, PowerBtuH, "Btu/h", "ft wg"}, {drop, WaterPsi, "Btu/h", "psi"},   {power, PowerTons, "tons", "psi"},
        {power, PowerKW, "kW", "kPa"},        {drop, WaterFtWg, "Btu/h", "ft wg"}, {power, PowerKcal, "Cal/h - Frig/h", "mH2O"},
        {drop, WaterKPa, "W", "kPa"},         {power, PowerMBH, "MBH", "ft wg"}};
    for (const auto& [list, index, expectedPower, expectedDrop] : steps) {
        list->setCurrentIndex(index);
        EXPECT_EQ(power->currentText(), QString::fromUtf8(expectedPower)) << index;
        EXPECT_EQ(drop->currentText(), QString::fromUtf8(expectedDrop)) << index;
    }
}

TEST_F(UnitSettings, SavedFieldsFollowAUnitChange)
{
    writeFile("[Data1]\ntxtTsa1(0)=27\ntxtTw1(0)=7\ntxtUr=50\ntxtpsu(0)=3\ntxtPotric=2000\n");
    UnitSelection typed = metricUnits();
    typed.airPressure = AirMmH2O;
    applyUnits(typed);
    changeUnits(metricUnits());
    EXPECT_EQ(LeggiIni("Data1", "txtpsu(0)"), "29") << "3 mmH2O is 29 Pa, not 3 Pa";
    changeUnits(imperialUnits());
    EXPECT_EQ(LeggiIni("Data1", "txtTsa1(0)"), "80.6");
    EXPECT_EQ(LeggiIni("Data1", "txtTw1(0)"), "44.6");
    EXPECT_EQ(LeggiIni("Data1", "txtUr"), "50");
    EXPECT_EQ(LeggiIni("Data1", "txtPotric"), "6824");
    EXPECT_EQ(LeggiIni("Data1", kFieldUnitsKey), unitSelectionText(imperialUnits()));
    changeUnits(metricUnits());
    EXPECT_EQ(LeggiIni("Data1", "txtTsa1(0)"), "27");
    EXPECT_EQ(LeggiIni("Data1", "txtTw1(0)"), "7");
    EXPECT_EQ(LeggiIni("Data1", "txtPotric"), "2000");
}

TEST_F(UnitSettings, ReopenedFieldsAreShownInTheCurrentUnits)
{
    std::vector<std::unique_ptr<QLineEdit>> owned;
    const QList<QLineEdit*> boxes = {box(owned, "txtTsa1(0)", "80"), box(owned, "txtpsu(0)", "0.2"),
                                     box(owned, "txtUr", "50")};
    applyUnits(imperialUnits());
    saveFieldsWithUnits(boxes, "Data2");
    // Units changed for this session only (the close box): the file keeps its fields in °F.
    applyUnits(metricUnits());
    restoreFieldsInUnits(boxes, "Data2");
    EXPECT_EQ(boxes[0]->text(), "26.7");
    EXPECT_EQ(boxes[1]->text(), "50");
    EXPECT_EQ(boxes[2]->text(), "50");
}

TEST_F(UnitSettings, FieldsSavedByAnOlderProgramAreTakenInTheCurrentUnits)
{
    writeFile("[Data2]\ntxtTsa1ric(0)=27\n");
    std::vector<std::unique_ptr<QLineEdit>> owned;
    QLineEdit* dryBulb = box(owned, "txtTsa1ric(0)");
    restoreFieldsInUnits({dryBulb}, "Data2");
    EXPECT_EQ(dryBulb->text(), "27");
}

TEST_F(UnitSettings, OpenWindowsAreToldOnceAndOnlyOfARealChange)
{
    std::vector<std::pair<UnitSelection, UnitSelection>> told;
    QObject listener;
    QObject::connect(&unitChanges(), &UnitChangeNotifier::unitsChanged, &listener,
                     [&](const UnitSelection& from, const UnitSelection& to) { told.push_back({from, to}); });
    changeUnits(metricUnits());
    EXPECT_TRUE(told.empty());
    changeUnits(imperialUnits());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].first, metricUnits());
    EXPECT_EQ(told[0].second, imperialUnits());
}

} // namespace

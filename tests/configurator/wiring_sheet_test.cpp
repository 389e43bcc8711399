// What every shipped wiring diagram draws, read from the sheet's own record of its drawing:
// the sheet agrees with its configuration code, and an electrician finds on it the heater's
// supply and earth, a closed safety thermostat, SELV terminals apart from mains, the motor's
// run capacitor and, on multiple-control sheets, the bus chain to units 2 to 4.
#include "configurator/wiring/diagram_table.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <ostream>
#include <set>

namespace pinvale::wiring {

// A failing case names its document rather than dumping its bytes.
void PrintTo(const DiagramDocument& document, std::ostream* out)
{
    *out << document.fileName.toStdString();
}

namespace {

std::vector<DiagramDocument> shippedDocuments()
{
    return readDiagramTable(QStringLiteral(TARVELLO_SOURCE_DIR "/data/dip.csv"), nullptr);
}

DrawnSheet drawn(const DiagramDocument& document)
{
    QImage page(297 * 4, 210 * 4, QImage::Format_RGB32);
    page.setDotsPerMeterX(4000);  // 4 pixels a millimetre
    page.setDotsPerMeterY(4000);
    QPainter painter(&page);
    return drawWiringDiagram(painter, document.features, QFileInfo(document.fileName).completeBaseName());
}

// The code's seven digits, read here from the code itself rather than from the features.
struct Code {
    explicit Code(const QString& digits) : d(digits) {}
    bool on(int position) const { return d[position - 1] == QLatin1Char('1'); }
    bool kxa() const { return on(1); }
    bool multiple() const { return !on(2); }
    bool twoPipe() const { return on(3); }
    bool builtIn() const { return on(4); }
    bool heater() const { return on(5); }
    bool valves() const { return on(6); }
    bool centralised() const { return on(7); }
    QString d;
};

class WiringSheet : public testing::TestWithParam<DiagramDocument> {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetParam().features.codes.size(), 1) << "each shipped document serves one code";
        sheet = drawn(GetParam());
    }
    Code code() const { return Code(GetParam().features.codes.front()); }
    bool hasText(const QString& text) const { return sheet.texts.contains(text); }
    bool anyTextContains(const QString& part) const
    {
        return std::any_of(sheet.texts.begin(), sheet.texts.end(), [&](const QString& t) { return t.contains(part); });
    }
    bool notesContain(const QString& part) const
    {
        return std::any_of(sheet.notes.begin(), sheet.notes.end(), [&](const QString& n) { return n.contains(part); });
    }

    // The checks, one per thing the electrician looks for.
    void TitleBlockAgreesWithTheCode();
    void SwitchTableAgreesWithTheCode();
    void ComponentListAgreesWithTheCode();
    void HeaterTakesItsLineThroughTheRelayAndHasNeutralAndEarth();
    void SafetyThermostatIsDrawnClosedWithItsType();
    void SelvTerminalsStayOffTheMainsStrip();
    void EveryTerminalGroupHasItsConductorAndCable();
    void FanMotorHasItsRunCapacitor();
    void MultipleControlSheetsShowTheBusChain();
    void EverySymbolDrawnHasALegendEntry();

    DrawnSheet sheet;
};

void WiringSheet::TitleBlockAgreesWithTheCode()
{
    const Code c = code();
    EXPECT_TRUE(hasText("Configuration code: " + c.d));
    EXPECT_TRUE(hasText(c.kxa() ? "Model: KXA, KXH, KXE fan coil" : "Model: KXR ducted unit"));
    EXPECT_TRUE(hasText(c.multiple() ? "Application: multiple control (up to 4 FCU)" : "Application: single control"));
    EXPECT_TRUE(hasText(c.twoPipe() ? "Mode: 2-pipe" : "Mode: 4-pipe"));
    EXPECT_TRUE(hasText(c.builtIn() ? "Controller: built in (QNTB2)" : "Controller: remote (QNTR2)"));
    EXPECT_TRUE(hasText(c.heater() ? "Electric heater: yes" : "Electric heater: no"));
    EXPECT_TRUE(hasText(c.valves() ? "Valves: yes" : "Valves: no"));
    EXPECT_TRUE(hasText(c.centralised() ? "Centralised changeover: yes" : "Centralised changeover: no"));
}

void WiringSheet::SwitchTableAgreesWithTheCode()
{
    const Code c = code();
    ASSERT_FALSE(sheet.units.empty());
    const auto& switches = sheet.units.front().dipSwitches;
    ASSERT_EQ(switches.size(), 7u);
    EXPECT_EQ(switches[0], std::optional(c.centralised()));
    for (int chosenInPinvale : {1, 2, 3})
        EXPECT_EQ(switches[chosenInPinvale], std::nullopt) << "switch " << chosenInPinvale + 1;
    EXPECT_EQ(switches[4], std::optional(c.valves()));
    EXPECT_EQ(switches[5], std::optional(c.heater()));
    EXPECT_EQ(switches[6], std::optional(!c.twoPipe()));
}

void WiringSheet::ComponentListAgreesWithTheCode()
{
    const Code c = code();
    const bool waterSensor = c.twoPipe() && !c.heater() && !c.centralised();
    const std::pair<const char*, bool> expected[] = {
        {"Q1", true},
        {"M1", true},
        {"C1", true},
        {"Y1", c.valves()},
        {"Y2", c.valves() && !c.twoPipe()},
        {"K1", c.heater()},
        {"TS", c.heater()},
        {"E1", c.heater()},
        {"B2", waterSensor},
        {"S1", c.centralised()},
        {"W1", c.multiple()},
    };
    for (const auto& [item, listed] : expected)
        EXPECT_EQ(!sheet.component(item).isEmpty(), listed) << item;
}

void WiringSheet::HeaterTakesItsLineThroughTheRelayAndHasNeutralAndEarth()
{
    if (!code().heater()) {
        EXPECT_EQ(sheet.symbol("E1"), nullptr);
        EXPECT_EQ(sheet.symbol("K1"), nullptr);
        return;
    }
    const DrawnSymbol* relay = sheet.symbol("K1");
    ASSERT_NE(relay, nullptr);
    EXPECT_EQ(relay->symbol, Symbol::RelayContact);
    EXPECT_FALSE(relay->contactClosed) << "the relay is drawn at rest";
    // Line: A1's L, the relay, A1's E1 terminal, X1:E1, the thermostat, the element.
    const std::pair<const char*, const char*> chain[] = {
        {"A1:L", "K1"}, {"K1", "A1:E1"}, {"A1:E1", "X1:E1"}, {"X1:E1", "TS"}, {"TS", "E1"},
        {"E1", "N"},    {"X1:N", "N"},   {"E1", "PE"},      {"X1:PE", "PE"},
    };
    for (const auto& [from, to] : chain)
        EXPECT_TRUE(sheet.hasWire(from, to)) << from << " - " << to;
    EXPECT_TRUE(sheet.component("K1").contains("16 A")) << "the contact rating the heater needs";
    EXPECT_TRUE(anyTextContains("16 A AC-1")) << "the rating stands at the relay too";
}

void WiringSheet::SafetyThermostatIsDrawnClosedWithItsType()
{
    const DrawnSymbol* thermostat = sheet.symbol("TS");
    if (!code().heater()) {
        EXPECT_EQ(thermostat, nullptr);
        return;
    }
    ASSERT_NE(thermostat, nullptr);
    EXPECT_EQ(thermostat->symbol, Symbol::SafetyThermostat);
    EXPECT_TRUE(thermostat->contactClosed);
    const LegendEntry* legend = sheet.legendFor(Symbol::SafetyThermostat);
    ASSERT_NE(legend, nullptr);
    EXPECT_TRUE(legend->text.contains("normally closed")) << legend->text.toStdString();
    EXPECT_TRUE(legend->text.contains("manual reset")) << legend->text.toStdString();
}

void WiringSheet::SelvTerminalsStayOffTheMainsStrip()
{
    const std::set<QString> selvLabels = {"A", "B", "GND", "B2", "S1"};
    int selvTerminals = 0;
    for (const DrawnStrip& strip : sheet.strips) {
        for (const DrawnTerminal& terminal : strip.terminals) {
            const bool selv = selvLabels.count(terminal.label) > 0;
            EXPECT_EQ(strip.circuit == Circuit::Selv, selv) << strip.name.toStdString() << " "
                                                            << terminal.label.toStdString();
            selvTerminals += selv;
        }
    }
    const Code c = code();
    EXPECT_EQ(selvTerminals > 0, c.multiple() || c.centralised() || (c.twoPipe() && !c.heater()));
    EXPECT_FALSE(anyTextContains("2.5 mm², 230 V~")) << "no one label for all terminals";
    if (selvTerminals > 0) {
        EXPECT_TRUE(notesContain("apart")) << "the note on keeping SELV and mains apart";
        EXPECT_NE(sheet.strip("X2"), nullptr);
    }
}

void WiringSheet::EveryTerminalGroupHasItsConductorAndCable()
{
    for (const DrawnStrip& strip : sheet.strips) {
        for (const DrawnTerminal& terminal : strip.terminals) {
            const auto row = std::find_if(sheet.cables.begin(), sheet.cables.end(), [&](const CableRow& r) {
                return r.terminals.startsWith(strip.name + ' ')
                       && r.terminals.mid(strip.name.size() + 1).split(", ").contains(terminal.label);
            });
            ASSERT_NE(row, sheet.cables.end()) << strip.name.toStdString() << " " << terminal.label.toStdString();
            EXPECT_EQ(row->circuit, strip.circuit) << row->group.toStdString();
            EXPECT_TRUE(row->conductor.endsWith("mm²")) << row->group.toStdString();
            EXPECT_FALSE(row->cable.isEmpty()) << row->group.toStdString();
        }
    }
}

void WiringSheet::FanMotorHasItsRunCapacitor()
{
    const DrawnSymbol* capacitor = sheet.symbol("C1");
    ASSERT_NE(capacitor, nullptr);
    EXPECT_EQ(capacitor->symbol, Symbol::RunCapacitor);
    const auto motorWires = std::count_if(sheet.wires.begin(), sheet.wires.end(), [](const auto& wire) {
        return (wire.first == "M1" && wire.second == "C1") || (wire.first == "C1" && wire.second == "M1");
    });
    EXPECT_EQ(motorWires, 2) << "both leads of the capacitor go to the motor";
    const LegendEntry* legend = sheet.legendFor(Symbol::RunCapacitor);
    ASSERT_NE(legend, nullptr);
    EXPECT_TRUE(legend->text.contains("__ µF")) << "a field for the capacitor's value";
}

// The chain's ends: "X2:A" on this unit, "U3:GND" on unit 3.
bool isChainEnd(const QString& end)
{
    return end.startsWith("X2:") || (end.startsWith('U') && end.contains(':'));
}

void WiringSheet::MultipleControlSheetsShowTheBusChain()
{
    if (!code().multiple()) {
        EXPECT_EQ(sheet.units.size(), 1u);
        EXPECT_FALSE(sheet.hasWire("X2:A", "U2:A"));
        return;
    }
    for (const char* conductor : {"A", "B", "GND"}) {
        const QString c = conductor;
        EXPECT_TRUE(sheet.hasWire("X2:" + c, "U2:" + c)) << conductor;
        EXPECT_TRUE(sheet.hasWire("U2:" + c, "U3:" + c)) << conductor;
        EXPECT_TRUE(sheet.hasWire("U3:" + c, "U4:" + c)) << conductor;
    }
    // Polarity: a chain wire always joins terminals of the same name.
    for (const auto& [from, to] : sheet.wires) {
        if (isChainEnd(from) && isChainEnd(to)) {
            EXPECT_EQ(from.section(':', 1), to.section(':', 1)) << from.toStdString() << " - " << to.toStdString();
        }
    }
    // Terminated across A and B at both ends.
    EXPECT_TRUE(sheet.hasWire("X2:A", "R1") && sheet.hasWire("R1", "X2:B"));
    EXPECT_TRUE(sheet.hasWire("U4:A", "R2") && sheet.hasWire("R2", "U4:B"));
    EXPECT_TRUE(anyTextContains("R2 120 Ω"));
    EXPECT_TRUE(notesContain("At most 4 units"));
    EXPECT_TRUE(notesContain("at most 30 m"));
    EXPECT_TRUE(notesContain("A to A, B to B, GND to GND"));
    // Units 2 to 4 are set as unit 1; the far one is terminated.
    ASSERT_EQ(sheet.units.size(), 4u);
    for (std::size_t i = 1; i < sheet.units.size(); ++i) {
        EXPECT_EQ(sheet.units[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(sheet.units[i].dipSwitches, sheet.units[0].dipSwitches) << "unit " << i + 1;
    }
    EXPECT_TRUE(sheet.units[0].terminated);
    EXPECT_FALSE(sheet.units[1].terminated);
    EXPECT_FALSE(sheet.units[2].terminated);
    EXPECT_TRUE(sheet.units[3].terminated);
    EXPECT_TRUE(hasText("Units 2–4"));
}

void WiringSheet::EverySymbolDrawnHasALegendEntry()
{
    for (const DrawnSymbol& symbol : sheet.symbols)
        EXPECT_NE(sheet.legendFor(symbol.symbol), nullptr) << symbol.item.toStdString();
}

// One case per sheet (each a process of its own under ctest), every check traced by name.
TEST_P(WiringSheet, ShowsWhatTheInstallerNeeds)
{
    {
        SCOPED_TRACE("TitleBlockAgreesWithTheCode");
        TitleBlockAgreesWithTheCode();
    }
    {
        SCOPED_TRACE("SwitchTableAgreesWithTheCode");
        SwitchTableAgreesWithTheCode();
    }
    {
        SCOPED_TRACE("ComponentListAgreesWithTheCode");
        ComponentListAgreesWithTheCode();
    }
    {
        SCOPED_TRACE("HeaterTakesItsLineThroughTheRelayAndHasNeutralAndEarth");
        HeaterTakesItsLineThroughTheRelayAndHasNeutralAndEarth();
    }
    {
        SCOPED_TRACE("SafetyThermostatIsDrawnClosedWithItsType");
        SafetyThermostatIsDrawnClosedWithItsType();
    }
    {
        SCOPED_TRACE("SelvTerminalsStayOffTheMainsStrip");
        SelvTerminalsStayOffTheMainsStrip();
    }
    {
        SCOPED_TRACE("EveryTerminalGroupHasItsConductorAndCable");
        EveryTerminalGroupHasItsConductorAndCable();
    }
    {
        SCOPED_TRACE("FanMotorHasItsRunCapacitor");
        FanMotorHasItsRunCapacitor();
    }
    {
        SCOPED_TRACE("MultipleControlSheetsShowTheBusChain");
        MultipleControlSheetsShowTheBusChain();
    }
    {
        SCOPED_TRACE("EverySymbolDrawnHasALegendEntry");
        EverySymbolDrawnHasALegendEntry();
    }
}

std::string documentName(const testing::TestParamInfo<DiagramDocument>& info)
{
    return QFileInfo(info.param.fileName).completeBaseName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(ShippedTable, WiringSheet, testing::ValuesIn(shippedDocuments()), documentName);

TEST(WiringSheetTable, ShipsADocumentForEveryPossibleConfiguration)
{
    // 2 models x 2 applications x (2-pipe: 2 x 2 x 2 options, 4-pipe: no heater, 2 x 2)
    // x 2 controller places for KXA (KXR is remote only): 48 + 24.
    EXPECT_EQ(shippedDocuments().size(), 72u);
}

// A document shared by codes that differ in heater and changeover draws those parts as where
// fitted, still with the heater's earth and with every SELV terminal on X2.
TEST(WiringSheetShared, WhereFittedPartsKeepTheirEarthAndTheirStrip)
{
    const DiagramDocument shared{"shared.pdf",
                                 featuresOfCodes({*featuresOfCode("1010000"), *featuresOfCode("1011101")})};
    const DrawnSheet sheet = drawn(shared);
    for (const char* item : {"TS", "E1", "S1"}) {
        ASSERT_NE(sheet.symbol(item), nullptr) << item;
        EXPECT_TRUE(sheet.symbol(item)->whereFitted) << item;
    }
    EXPECT_TRUE(sheet.symbol("TS")->contactClosed);
    EXPECT_TRUE(sheet.hasWire("E1", "N"));
    EXPECT_TRUE(sheet.hasWire("E1", "PE"));
    ASSERT_EQ(sheet.strips.size(), 2u);
    QStringList selvLabels;
    for (const DrawnTerminal& terminal : sheet.strip("X2")->terminals)
        selvLabels << terminal.label;
    EXPECT_EQ(selvLabels, QStringList({"B2", "B2", "S1", "S1", "A", "B", "GND"}));
    EXPECT_TRUE(sheet.component("E1").contains("where fitted"));
}

// Three sheets as the PDF reader sees them, where poppler's pdftotext is there.
struct PdfCase {
    const char* code;
    std::vector<const char*> texts;
};

void PrintTo(const PdfCase& example, std::ostream* out)
{
    *out << example.code;
}

class WiringSheetPdf : public testing::TestWithParam<PdfCase> {};

TEST_P(WiringSheetPdf, ShowsTheInstallersInformation)
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString code = GetParam().code;
    QTemporaryDir dir;
    const QString path = dir.filePath("w" + code + ".pdf");
    ASSERT_TRUE(writeDiagramPdf(path, {"w" + code + ".pdf", *featuresOfCode(code)}));
    QProcess reader;
    reader.start(pdftotext, {path, "-"});
    ASSERT_TRUE(reader.waitForFinished(30000));
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    for (const char* expected : GetParam().texts)
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WiringSheetPdf,
    testing::Values(
        // 2-pipe with heater
        PdfCase{"1111100",
                {"K1", "16 A AC-1, 250 V~", "safety thermostat, normally closed", "manual reset",
                 "PE, unit frame", "µF", "Heater: line through K1"}},
        // 4-pipe, centralised changeover
        PdfCase{"1101011", {"X2", "SELV", "Changeover contact", "0.75 mm²", "Keep SELV (X2) apart from mains"}},
        // multiple control
        PdfCase{"1010010", {"Unit 2", "Unit 4", "R2 120 Ω", "Units 2–4", "as unit 1", "At most 4 units",
                            "LiYCY 2 × 2 × 0.5"}}),
    [](const testing::TestParamInfo<PdfCase>& info) { return std::string("w") + info.param.code; });

} // namespace
} // namespace pinvale::wiring

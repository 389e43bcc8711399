#include "configurator/wiring/wiring_diagram.h"

#include "configurator/wiring/sheet_painter.h"

#include <algorithm>
#include <cmath>

namespace pinvale::wiring {

namespace {

// Page layout, mm. The diagram fills the left of the A4 landscape page up to the right
// column (legend, switch table, title block); the tables and notes sit under the unit.
constexpr double kPageWidth = 297, kPageHeight = 210, kBorder = 8;
constexpr double kRightColumnX = 205, kRightColumnWidth = 76;
constexpr double kUnitLeft = 12;
constexpr double kFirstTerminalX = 30, kTerminalPitch = 8.5, kGroupGap = 3.5;
constexpr double kStripGap = 9;  // more between the mains strip X1 and the SELV strip X2
constexpr double kControllerTop = 14, kControllerBottom = 40;
constexpr double kStripY = 56;    // centre line of the terminal strips
constexpr double kStripTop = kStripY - 4, kStripBottom = kStripY + 4;
constexpr double kNeutralRailY = 103, kEarthRailY = 107;
constexpr double kUnitBottom = 112;
constexpr double kBottomAreaY = 120;  // cable table, notes and component list

// The chain of units 2 to 4 stands right of the unit: its conductors, then the units' boxes.
constexpr double kChainOffset = 4, kChainBoxOffset = 13, kChainBoxWidth = 24;
constexpr double kUnitRightMargin = 8;  // from the last terminal to the unit's outline
constexpr double kChainLastTerminalX_max =
    kRightColumnX - 5 - kChainBoxWidth - kChainBoxOffset - kUnitRightMargin;

// Ratings the installer needs on the sheet: the controller's heater relay and the bus.
const QString kHeaterRelayRating = QStringLiteral("16 A AC-1, 250 V~");
const QString kBusTermination = QStringLiteral("120 Ω");
constexpr int kBusMaxUnits = 4;
constexpr int kBusMaxLength_m = 30;

enum class Part { Supply, Fan, Valves, Heater, Sensor, Contact, Bus };

struct Terminal {
    QString label;
    bool toController;  // wired to the controller above the strip
    double x = 0;
};

struct Group {
    Part part;
    int first = 0, count = 0;  // into Layout::terminals
    bool whereFitted = false;
};

// The item codes under the components and their descriptions in the list of components.
using ComponentList = std::vector<std::pair<QString, QString>>;

bool isSelv(Part part) { return part == Part::Sensor || part == Part::Contact || part == Part::Bus; }

// The two strips, group by group, with each terminal's position across the page.
struct Layout {
    std::vector<Terminal> terminals;
    std::vector<Group> groups;
    int mainsCount = 0;  // X1 holds terminals [0, mainsCount), X2 the rest

    double x(const Group& g, int i) const { return terminals[g.first + i].x; }
    double lastX() const { return terminals.back().x; }
    bool hasSelv() const { return mainsCount < static_cast<int>(terminals.size()); }
    double x2First() const { return terminals[mainsCount].x; }
    QString stripOf(int index) const { return index < mainsCount ? QStringLiteral("X1") : QStringLiteral("X2"); }
    QString end(int index) const { return stripOf(index) + QLatin1Char(':') + terminals[index].label; }
    const Group* find(Part part) const
    {
        const auto found = std::find_if(groups.begin(), groups.end(), [&](const Group& g) { return g.part == part; });
        return found == groups.end() ? nullptr : &*found;
    }

    double pitch = kTerminalPitch;

    // Mains groups must come before the SELV ones.
    void add(Part part, std::initializer_list<const char*> labels, bool whereFitted = false)
    {
        groups.push_back({part, static_cast<int>(terminals.size()), static_cast<int>(labels.size()), whereFitted});
        for (const char* label : labels)
            terminals.push_back({QString::fromUtf8(label), true});
        if (!isSelv(part))
            mainsCount = static_cast<int>(terminals.size());
    }

    // Places the terminals from kFirstTerminalX, closer together where the last would pass
    // `lastX_max`.
    void place(double lastX_max)
    {
        const double natural = placeWith(kTerminalPitch, 1);
        if (natural > lastX_max) {
            const double scale = (lastX_max - kFirstTerminalX) / (natural - kFirstTerminalX);
            pitch = kTerminalPitch * scale;
            placeWith(pitch, scale);
        }
    }

private:
    // Gives the last terminal's position.
    double placeWith(double terminalPitch, double gapScale)
    {
        double x = kFirstTerminalX;
        for (const Group& g : groups) {
            if (g.first > 0)
                x += (g.first == mainsCount ? kStripGap : kGroupGap) * gapScale;
            for (int i = 0; i < g.count; ++i, x += terminalPitch)
                terminals[g.first + i].x = x;
        }
        return terminals.back().x;
    }
};

bool has(Fit fit) { return fit != Fit::Absent; }

// A water changeover sensor can serve only where Water sensing can be chosen: 2-pipe,
// no electric heater, changeover not centralised.
bool waterSensorPossible(const WiringFeatures& f)
{
    return f.twoPipe && f.heater != Fit::Present && f.centralised != Fit::Present;
}

// Mains groups first, on X1; the safety extra-low-voltage groups after them, on X2.
Layout layoutOf(const WiringFeatures& f)
{
    Layout layout;
    layout.add(Part::Supply, {"L", "N", "PE"});
    layout.terminals[2].toController = false;
    layout.add(Part::Fan, {"V1", "V2", "V3"});
    if (has(f.valves)) {
        if (f.twoPipe)
            layout.add(Part::Valves, {"Y1"}, f.valves == Fit::WhereFitted);
        else
            layout.add(Part::Valves, {"Y1", "Y2"}, f.valves == Fit::WhereFitted);
    }
    if (has(f.heater))
        layout.add(Part::Heater, {"E1"}, f.heater == Fit::WhereFitted);
    if (waterSensorPossible(f))
        layout.add(Part::Sensor, {"B2", "B2"}, true);
    if (has(f.centralised))
        layout.add(Part::Contact, {"S1", "S1"}, f.centralised == Fit::WhereFitted);
    if (!f.singleControl)
        layout.add(Part::Bus, {"A", "B", "GND"});
    // A multiple-control sheet keeps room on the right for the chain of units 2 to 4.
    layout.place(f.singleControl ? kRightColumnX - 14 : kChainLastTerminalX_max);
    return layout;
}

QString whereFittedSuffix(bool whereFitted)
{
    return whereFitted ? QStringLiteral(" (where fitted)") : QString();
}

void itemCode(SheetPainter& s, double x, double y, const QString& code,
              Qt::Alignment align = Qt::AlignHCenter | Qt::AlignTop)
{
    s.boldText(x, y, code, 2.3, align);
}

// A component's return to the neutral rail, straight down from (x, y).
void toNeutral(SheetPainter& s, double x, double y, const QString& item)
{
    s.wire({{x, y}, {x, kNeutralRailY}}, item, QStringLiteral("N"));
    s.dot(x, kNeutralRailY);
}

// The controller's end of each wire to the strips, and the strips themselves.
void drawStrips(SheetPainter& s, const Layout& layout, bool builtIn)
{
    DrawnStrip x1{QStringLiteral("X1"), Circuit::Mains, {}};
    DrawnStrip x2{QStringLiteral("X2"), Circuit::Selv, {}};
    for (int i = 0; i < static_cast<int>(layout.terminals.size()); ++i) {
        const Terminal& t = layout.terminals[i];
        const bool selv = i >= layout.mainsCount;
        DrawnStrip& strip = selv ? x2 : x1;
        strip.terminals.push_back({static_cast<int>(strip.terminals.size()) + 1, t.label});
        if (t.toController) {
            s.wiring(!builtIn);
            s.wire({{t.x, kControllerBottom}, {t.x, kStripTop}}, QStringLiteral("A1:") + t.label, layout.end(i));
            s.solid();
            s.rect(t.x - 1.2, kControllerBottom - 2.4, 2.4, 2.4);
            s.text(t.x + 1.6, kControllerBottom - 3.6, t.label, 1.8);
        }
        s.solid(0.35);
        const double width = std::min(7.5, layout.pitch - 0.8);
        s.fillRect(t.x - width / 2, kStripTop, width, 8, selv ? QColor(226, 226, 226) : QColor(Qt::white));
        s.rect(t.x - width / 2, kStripTop, width, 8);
        s.text(t.x, kStripY - 1.9, QString::number(strip.terminals.size()), 1.7, Qt::AlignCenter);
        s.boldText(t.x, kStripY + 1.6, t.label, 2.0, Qt::AlignCenter);
    }
    s.boldText(kUnitLeft + 3, kStripY - 1.5, QStringLiteral("X1"), 3);
    s.text(kUnitLeft + 3, kStripY + 2.5, QStringLiteral("230 V~"), 1.7);
    s.content().strips.push_back(x1);
    if (!layout.hasSelv())
        return;
    // The SELV strip stands apart, behind a barrier, shaded.
    const double barrierX = layout.x2First() - 11.5;
    s.solid(0.5);
    s.line(barrierX - 0.5, kStripTop - 3, barrierX - 0.5, kStripBottom + 3);
    s.line(barrierX + 0.5, kStripTop - 3, barrierX + 0.5, kStripBottom + 3);
    s.boldText(layout.x2First() - 9.5, kStripY - 1.5, QStringLiteral("X2"), 3);
    s.text(layout.x2First() - 9.5, kStripY + 2.5, QStringLiteral("SELV"), 1.7);
    s.content().strips.push_back(x2);
}

// The neutral rail from N and the protective earth conductor from PE, under the components.
void drawRails(SheetPainter& s, const Layout& layout, double neutralEnd, double earthEnd)
{
    const double xn = layout.terminals[1].x, xpe = layout.terminals[2].x;
    s.solid();
    s.wire({{xn, kStripBottom}, {xn, kNeutralRailY}, {neutralEnd, kNeutralRailY}}, QStringLiteral("X1:N"),
           QStringLiteral("N"));
    s.dot(xn, kNeutralRailY);
    s.boldText(xn + 1.5, kNeutralRailY - 1.6, QStringLiteral("N"), 1.9);
    s.solid(0.45);
    s.wire({{xpe, kStripBottom}, {xpe, kEarthRailY}, {earthEnd, kEarthRailY}}, QStringLiteral("X1:PE"),
           QStringLiteral("PE"));
    s.dot(xpe, kEarthRailY);
    s.boldText(xpe + 1.5, kEarthRailY - 1.6, QStringLiteral("PE"), 1.9);
    s.solid();
    shapes::protectiveEarth(s, earthEnd, kEarthRailY);
    s.text(earthEnd + 2.5, kEarthRailY + 2.5, QStringLiteral("PE, unit frame"), 1.8);
    s.place({QStringLiteral("PE"), Symbol::ProtectiveEarth, false, false});
}

void drawFanMotor(SheetPainter& s, const Layout& layout, const Group& g, ComponentList& items)
{
    constexpr double r = 6, cy = 79;
    const double cx = layout.x(g, 1);
    s.solid();
    for (int speed = 0; speed < 3; ++speed) {
        const double dx = (speed - 1) * 4.0;
        const double x = layout.x(g, speed);
        s.wire({{x, kStripBottom}, {x, 66}, {cx + dx, cy - std::sqrt(r * r - dx * dx)}}, layout.end(g.first + speed),
               QStringLiteral("M1"));
    }
    shapes::motor(s, cx, cy, r);
    s.place({QStringLiteral("M1"), Symbol::FanMotor, false, false});
    itemCode(s, cx - r - 1.5, cy + 1, QStringLiteral("M1"), Qt::AlignRight | Qt::AlignVCenter);
    // The run capacitor between the main and the auxiliary winding.
    const double capX = cx + 9.5, top = cy - 3.5, bottom = cy + 3.5;
    const double rimX = cx + std::sqrt(r * r - 3.5 * 3.5);
    s.wire({{rimX, top}, {capX, top}}, QStringLiteral("M1"), QStringLiteral("C1"));
    shapes::capacitor(s, capX, top, bottom);
    s.wire({{capX, bottom}, {rimX, bottom}}, QStringLiteral("C1"), QStringLiteral("M1"));
    s.place({QStringLiteral("C1"), Symbol::RunCapacitor, false, false});
    itemCode(s, capX, bottom + 1.2, QStringLiteral("C1"));
    toNeutral(s, cx, cy + r, QStringLiteral("M1"));
    items.emplace_back(QStringLiteral("M1"), QStringLiteral("fan motor 230 V~, speeds V1 low, V2 mid, V3 high"));
    items.emplace_back(QStringLiteral("C1"), QStringLiteral("motor run capacitor, µF as on the motor plate"));
}

void drawValves(SheetPainter& s, const Layout& layout, const Group& g, ComponentList& items)
{
    const QString fitted = whereFittedSuffix(g.whereFitted);
    const QString codes[] = {QStringLiteral("Y1"), QStringLiteral("Y2")};
    for (int i = 0; i < g.count; ++i) {
        const double x = layout.x(g, i), top = 66;
        s.wiring(g.whereFitted);
        s.wire({{x, kStripBottom}, {x, top}}, layout.end(g.first + i), codes[i]);
        shapes::valve(s, x, top);
        s.line(x + 2.8, top + 3, x + 4.25, top + 3);
        toNeutral(s, x + 4.25, top + 3, codes[i]);
        s.place({codes[i], Symbol::ValveActuator, false, g.whereFitted});
        itemCode(s, x, top + 15, codes[i]);
    }
    if (g.count == 1) {
        items.emplace_back(codes[0], QStringLiteral("water valve actuator 230 V~") + fitted);
    } else {
        items.emplace_back(codes[0], QStringLiteral("cooling valve actuator 230 V~") + fitted);
        items.emplace_back(codes[1], QStringLiteral("heating valve actuator 230 V~") + fitted);
    }
}

// The heater's line comes from the controller's relay K1 (drawn in the controller) through
// the safety thermostat to the element; the element returns on N and its frame is on PE.
void drawHeater(SheetPainter& s, const Layout& layout, const Group& g, ComponentList& items)
{
    const double x = layout.x(g, 0);
    constexpr double contactTop = 63, contactBottom = 72, elementTop = 75, elementBottom = 87;
    s.wiring(g.whereFitted);
    s.wire({{x, kStripBottom}, {x, contactTop}}, layout.end(g.first), QStringLiteral("TS"));
    shapes::normallyClosedContact(s, x, contactTop, contactBottom, true);
    s.place({QStringLiteral("TS"), Symbol::SafetyThermostat, true, g.whereFitted});
    itemCode(s, x + 3.8, contactTop + 1.5, QStringLiteral("TS"), Qt::AlignLeft | Qt::AlignVCenter);
    s.wire({{x, contactBottom}, {x, elementTop}}, QStringLiteral("TS"), QStringLiteral("E1"));
    shapes::heaterElement(s, x, elementTop, elementBottom);
    s.place({QStringLiteral("E1"), Symbol::HeaterElement, false, g.whereFitted});
    toNeutral(s, x, elementBottom, QStringLiteral("E1"));
    const double frameY = (elementTop + elementBottom) / 2, earthX = x + 4.5;
    s.solid(0.45);
    s.wire({{x + 2.2, frameY}, {earthX, frameY}, {earthX, kEarthRailY}}, QStringLiteral("E1"), QStringLiteral("PE"));
    s.dot(earthX, kEarthRailY);
    s.solid();
    itemCode(s, earthX + 1.2, frameY + 3, QStringLiteral("E1"), Qt::AlignLeft | Qt::AlignVCenter);
    const QString fitted = whereFittedSuffix(g.whereFitted);
    items.emplace_back(QStringLiteral("K1"), QStringLiteral("heater relay in A1, contact ") + kHeaterRelayRating);
    items.emplace_back(QStringLiteral("TS"),
                       QStringLiteral("safety thermostat, normally closed, manual reset") + fitted);
    items.emplace_back(QStringLiteral("E1"), QStringLiteral("electric heater 230 V~, Class I: frame to PE") + fitted);
}

// K1 inside the controller: the line from A1's L terminal, switched to its E1 terminal.
void drawHeaterRelay(SheetPainter& s, const Layout& layout, const Group& g)
{
    const double xl = layout.terminals[0].x, xe = layout.x(g, 0), busY = 31;
    const double terminalTop = kControllerBottom - 2.4;
    s.solid();
    s.wire({{xl, terminalTop}, {xl, busY}, {xe, busY}}, QStringLiteral("A1:L"), QStringLiteral("K1"));
    shapes::normallyOpenContact(s, xe, busY, terminalTop);
    s.connect(QStringLiteral("K1"), QStringLiteral("A1:E1"));
    s.place({QStringLiteral("K1"), Symbol::RelayContact, false, g.whereFitted});
    s.boldText(xe + 1.6, busY + 1.6, QStringLiteral("K1"), 1.9);
    s.text(xe + 5.4, busY + 1.6, kHeaterRelayRating, 1.6);
}

void drawWaterSensor(SheetPainter& s, const Layout& layout, const Group& g, ComponentList& items)
{
    const double x0 = layout.x(g, 0), x1 = layout.x(g, 1), cx = (x0 + x1) / 2, cy = 74;
    s.dashed();
    s.wire({{x0, kStripBottom}, {x0, 66}, {cx - 2, cy - 2.9}}, layout.end(g.first), QStringLiteral("B2"));
    s.wire({{x1, kStripBottom}, {x1, 66}, {cx + 2, cy - 2.9}}, layout.end(g.first + 1), QStringLiteral("B2"));
    s.solid();
    shapes::temperatureSensor(s, cx, cy, 3.5);
    s.place({QStringLiteral("B2"), Symbol::WaterSensor, false, true});
    itemCode(s, cx, cy + 5, QStringLiteral("B2"));
    items.emplace_back(QStringLiteral("B2"), QStringLiteral("water changeover sensor, SELV (option)"));
}

void drawChangeoverContact(SheetPainter& s, const Layout& layout, const Group& g, ComponentList& items)
{
    const double xa = layout.x(g, 0), xb = layout.x(g, 1);
    constexpr double top = 64, bottom = 73;
    s.dashed();
    s.wire({{xa, kStripBottom}, {xa, top}}, layout.end(g.first), QStringLiteral("S1"));
    s.wire({{xa, bottom}, {xa, bottom + 3}, {xb, bottom + 3}, {xb, kStripBottom}}, QStringLiteral("S1"),
           layout.end(g.first + 1));
    s.solid();
    shapes::normallyOpenContact(s, xa, top, bottom);
    s.place({QStringLiteral("S1"), Symbol::ChangeoverContact, false, g.whereFitted});
    itemCode(s, (xa + xb) / 2, top + 3, QStringLiteral("S1"));
    items.emplace_back(QStringLiteral("S1"),
                       QStringLiteral("changeover contact, volt-free, closed = heating")
                           + (g.whereFitted ? QStringLiteral(" (centralised only)") : QString()));
}

// One unit further along the bus: its A, B and GND on the left edge, tapped from the chain.
struct ChainColumn {
    double gndX, bX, aX;  // the three conductors, left to right
    double boxX;
};

// Units 2 to 4 stand from the bottom up, so the chain ends at unit 4 at the top.
double chainUnitTop(int unit) { return 14 + 20.0 * (kBusMaxUnits - unit); }
constexpr double kChainA = 7, kChainB = 10.5, kChainGnd = 14;  // below a unit's top

void drawChainUnit(SheetPainter& s, const ChainColumn& c, int unit, double top, bool last)
{
    const QString name = QStringLiteral("U%1:").arg(unit);
    const QString previous = unit == 2 ? QStringLiteral("X2:") : QStringLiteral("U%1:").arg(unit - 1);
    s.solid();
    s.rect(c.boxX, top, kChainBoxWidth, 16);
    s.boldText(c.boxX + 1.2, top + 2.8, QStringLiteral("Unit %1").arg(unit), 2.0);
    const struct {
        const char* label;
        double lineX;
        double y;
    } ends[] = {{"A", c.aX, top + kChainA}, {"B", c.bX, top + kChainB}, {"GND", c.gndX, top + kChainGnd}};
    for (const auto& end : ends) {
        const QString label = QString::fromUtf8(end.label);
        s.dashed();
        s.wire({{end.lineX, end.y}, {c.boxX - 0.9, end.y}}, previous + label, name + label);
        s.solid();
        s.dot(end.lineX, end.y, 0.45);
        s.rect(c.boxX - 0.9, end.y - 0.9, 1.8, 1.8);
        s.text(c.boxX - 1.2, end.y - 1.3, label, 1.5, Qt::AlignRight | Qt::AlignVCenter);
    }
    s.text(c.boxX + 9, top + kChainA, QStringLiteral("DIP: as unit 1"), 1.6);
    if (!last)
        return;
    // The far end of the chain is terminated across A and B.
    const double rx = c.boxX + 4;
    s.wire({{c.boxX + 0.9, top + kChainA}, {rx, top + kChainA}}, name + QStringLiteral("A"), QStringLiteral("R2"));
    shapes::resistor(s, rx, top + kChainA, top + kChainB);
    s.wire({{rx, top + kChainB}, {c.boxX + 0.9, top + kChainB}}, QStringLiteral("R2"), name + QStringLiteral("B"));
    s.place({QStringLiteral("R2"), Symbol::TerminationResistor, false, false});
    s.text(c.boxX + 9, top + 11.5, QStringLiteral("R2 ") + kBusTermination, 1.6);
}

// The bus leaves X2, is terminated at this unit (R1) and runs up the chain to units 2 to 4.
void drawBus(SheetPainter& s, const Layout& layout, const Group& g, double unitRight, ComponentList& items)
{
    const double xa = layout.x(g, 0), xb = layout.x(g, 1), xg = layout.x(g, 2);
    const ChainColumn c{unitRight + kChainOffset, unitRight + kChainOffset + 2.5, unitRight + kChainOffset + 5,
                        unitRight + kChainBoxOffset};
    constexpr double termY = 65, gndTurn = 71, bTurn = 73.5, aTurn = 76;
    const double farTop = chainUnitTop(kBusMaxUnits);
    s.dashed();
    s.polyline({{xa, kStripBottom}, {xa, aTurn}, {c.aX, aTurn}, {c.aX, farTop + kChainA}});
    s.polyline({{xb, kStripBottom}, {xb, bTurn}, {c.bX, bTurn}, {c.bX, farTop + kChainB}});
    s.polyline({{xg, kStripBottom}, {xg, gndTurn}, {c.gndX, gndTurn}, {c.gndX, farTop + kChainGnd}});
    s.solid();
    s.dot(xa, termY, 0.45);
    s.dot(xb, termY, 0.45);
    shapes::resistorAcross(s, xa, xb, termY);
    s.connect(QStringLiteral("X2:A"), QStringLiteral("R1"));
    s.connect(QStringLiteral("R1"), QStringLiteral("X2:B"));
    s.place({QStringLiteral("R1"), Symbol::TerminationResistor, false, false});
    itemCode(s, (xa + xb) / 2, termY + 1.6, QStringLiteral("R1"));
    s.boldText(xg + 3, gndTurn - 2, QStringLiteral("W1"), 2.3);
    for (int unit = 2; unit <= kBusMaxUnits; ++unit)
        drawChainUnit(s, c, unit, chainUnitTop(unit), unit == kBusMaxUnits);
    items.emplace_back(QStringLiteral("R1, R2"), QStringLiteral("bus termination ") + kBusTermination
                                                     + QStringLiteral(", this unit and the last"));
    items.emplace_back(QStringLiteral("W1"), QStringLiteral("bus to units 2 to 4, shielded twisted pair"));
}

void drawSupply(SheetPainter& s, const Layout& layout, bool heater, ComponentList& items)
{
    const double xl = layout.terminals[0].x, xn = layout.terminals[1].x, xpe = layout.terminals[2].x;
    constexpr double q1Top = 119, bottom = 131;
    s.dashed();
    s.wire({{xl, kStripBottom}, {xl, bottom}}, QStringLiteral("X1:L"), QStringLiteral("Q1"));
    s.wire({{xn, kNeutralRailY}, {xn, bottom}}, QStringLiteral("X1:N"), QStringLiteral("Q1"));
    s.wire({{xpe, kEarthRailY}, {xpe, bottom}}, QStringLiteral("X1:PE"), QStringLiteral("supply PE"));
    s.solid();
    s.fillRect(xl - 3, q1Top, xn - xl + 6, 5, Qt::white);
    s.rect(xl - 3, q1Top, xn - xl + 6, 5);
    s.boldText((xl + xn) / 2, q1Top + 2.5, QStringLiteral("Q1"), 2.2, Qt::AlignCenter);
    s.text(xl - 2, bottom + 4, QStringLiteral("Supply 230 V~ 50 Hz"), 2.2);
    items.emplace_back(QStringLiteral("Q1"), heater ? QStringLiteral("2-pole isolator and fuse, for fan + heater")
                                                    : QStringLiteral("2-pole isolator and fuse (installer)"));
}

// The conductor and cable of each group of terminals.
CableRow cableRowOf(const Layout& layout, const Group& g)
{
    QStringList labels;
    for (int i = 0; i < g.count; ++i)
        labels << layout.terminals[g.first + i].label;
    const QString terminals = layout.stripOf(g.first) + QLatin1Char(' ') + labels.join(QStringLiteral(", "));
    const auto row = [&](const char* group, const char* conductor, const char* cable) {
        return CableRow{QString::fromUtf8(group), terminals, isSelv(g.part) ? Circuit::Selv : Circuit::Mains,
                        QString::fromUtf8(conductor), QString::fromUtf8(cable)};
    };
    switch (g.part) {
    case Part::Supply: return row("Supply", "2.5 mm²", "H05VV-F 3G2.5");
    case Part::Fan: return row("Fan speeds", "1.5 mm²", "H05VV-F");
    case Part::Valves: return row("Valves", "1.5 mm²", "H05VV-F");
    case Part::Heater: return row("Heater", "2.5 mm²", "H05VV-F; in the unit H05V2-V, 90 °C");
    case Part::Sensor: return row("Water sensor", "0.5 mm²", "shielded pair, LiYCY 2 × 0.5");
    case Part::Contact: return row("Changeover contact", "0.75 mm²", "2-core, LiYY 2 × 0.75");
    case Part::Bus: return row("Bus", "0.5 mm²", "shielded twisted pair + GND, LiYCY 2 × 2 × 0.5");
    }
    return {};
}

// Gives the height taken.
double drawCableTable(SheetPainter& s, const Layout& layout, double x, double y)
{
    const double columns[] = {x, x + 27, x + 52, x + 70, x + 87};
    s.boldText(columns[0], y, QStringLiteral("Cables per terminal group"), 2.4);
    const QString headings[] = {QStringLiteral("Group"), QStringLiteral("Terminals"), QStringLiteral("Circuit"),
                                QStringLiteral("Conductor"), QStringLiteral("Cable")};
    for (int i = 0; i < 5; ++i)
        s.boldText(columns[i], y + 4.5, headings[i], 1.9);
    s.line(x, y + 6.6, x + 136, y + 6.6);
    double rowY = y + 9;
    for (const Group& g : layout.groups) {
        const CableRow row = cableRowOf(layout, g);
        const QString texts[] = {row.group, row.terminals,
                                 row.circuit == Circuit::Selv ? QStringLiteral("SELV") : QStringLiteral("230 V~"),
                                 row.conductor, row.cable};
        for (int i = 0; i < 5; ++i)
            s.text(columns[i], rowY, texts[i], 1.9);
        s.content().cables.push_back(row);
        rowY += 3.4;
    }
    return rowY - y;
}

QStringList notesOf(const WiringFeatures& f, const Layout& layout)
{
    QStringList notes;
    if (layout.hasSelv()) {
        notes << QStringLiteral("Keep SELV (X2) apart from mains (X1): own cables, own cable entries and routes "
                                "or a partition;")
              << QStringLiteral("never mains and SELV conductors in one cable or under one clamp.");
    }
    if (has(f.heater)) {
        notes << QStringLiteral("Heater: line through K1, neutral from N, frame to PE; after a TS trip find the "
                                "cause before the reset.");
    }
    if (!f.singleControl) {
        notes << QStringLiteral("Bus W1: A to A, B to B, GND to GND at every unit, one chain without branches; "
                                "shield to GND at this unit only.")
              << QStringLiteral("%1 across A and B at both ends: R1 at this unit, R2 at unit 4 or the last unit "
                                "fitted.").arg(kBusTermination)
              << QStringLiteral("At most %1 units, this one and units 2 to 4; bus cable at most %2 m in all. "
                                "Each unit its own supply.")
                     .arg(kBusMaxUnits)
                     .arg(kBusMaxLength_m);
    }
    return notes;
}

void drawNotes(SheetPainter& s, const QStringList& notes, double x, double y)
{
    if (!notes.isEmpty())
        s.boldText(x, y, QStringLiteral("Installation notes"), 2.4);
    y += 4.5;
    for (const QString& note : notes) {
        s.text(x, y, note, 1.9);
        y += 3.3;
    }
    s.content().notes = notes;
}

// Columns of four rows along the foot of the diagram.
void drawComponentList(SheetPainter& s, const ComponentList& items, double x, double y)
{
    constexpr int kRowsPerColumn = 4;
    constexpr double kColumnWidth = 62, kRowHeight = 3.3;
    s.boldText(x, y, QStringLiteral("Components"), 2.4);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const double left = x + kColumnWidth * static_cast<double>(i / kRowsPerColumn);
        const double rowY = y + 4.2 + kRowHeight * static_cast<double>(i % kRowsPerColumn);
        s.boldText(left, rowY, items[i].first, 1.9);
        s.text(left + 8, rowY, items[i].second, 1.9);
    }
    s.content().components = items;
}

// Switches 1 to 7 as drawn: fixed by the configuration, or nullopt where Pinvale chooses.
std::vector<std::optional<bool>> dipPositions(const WiringFeatures& f)
{
    const auto fixed = [](Fit fit) {
        return fit == Fit::WhereFitted ? std::nullopt : std::optional(fit == Fit::Present);
    };
    return {fixed(f.centralised), std::nullopt, std::nullopt, std::nullopt, fixed(f.valves), fixed(f.heater),
            std::optional(!f.twoPipe)};
}

QString dipState(bool on) { return on ? QStringLiteral("ON") : QStringLiteral("OFF"); }

// The switch table: unit 1, and on a multiple-control sheet units 2 to 4, which are set alike.
void drawDipSwitchTable(SheetPainter& s, const WiringFeatures& f, double x, double y)
{
    constexpr double kHeight = 48;
    s.solid();
    s.rect(x, y, kRightColumnWidth, kHeight);
    s.boldText(x + 3, y + 4, QStringLiteral("Controller DIP switches"), 2.6);
    const bool chain = !f.singleControl;
    const double unit1X = chain ? x + 58 : x + 73, othersX = x + 73;
    if (chain) {
        s.boldText(unit1X, y + 9, QStringLiteral("Unit 1"), 1.8, Qt::AlignRight | Qt::AlignVCenter);
        s.boldText(othersX, y + 9, QStringLiteral("Units 2–4"), 1.8, Qt::AlignRight | Qt::AlignVCenter);
    }
    const auto fixed = [](Fit fit, const QString& fitted) {
        return fit == Fit::WhereFitted ? fitted : dipState(fit == Fit::Present);
    };
    const std::pair<QString, QString> rows[] = {
        {QStringLiteral("centralised changeover"), fixed(f.centralised, QStringLiteral("ON with S1"))},
        {QStringLiteral("automatic changeover"), QStringLiteral("as set")},
        {QStringLiteral("changeover sensed on water"), QStringLiteral("as set")},
        {QStringLiteral("neutral zone 2°C (OFF: 5°C)"), QStringLiteral("as set")},
        {QStringLiteral("valves"), fixed(f.valves, QStringLiteral("ON with Y1"))},
        {QStringLiteral("electric heater"), fixed(f.heater, QStringLiteral("ON with E1"))},
        {QStringLiteral("4-pipe (OFF: 2-pipe)"), dipState(!f.twoPipe)},
    };
    double rowY = chain ? y + 13.5 : y + 11;
    int n = 1;
    for (const auto& [meaning, position] : rows) {
        s.boldText(x + 3, rowY, QString::number(n++), 2.1);
        s.text(x + 8, rowY, meaning, 2.0);
        s.boldText(unit1X, rowY, position, 2.0, Qt::AlignRight | Qt::AlignVCenter);
        if (chain) {
            const bool chosen = position == QLatin1String("as set");
            s.boldText(othersX, rowY, chosen ? QStringLiteral("as unit 1") : position, 2.0,
                       Qt::AlignRight | Qt::AlignVCenter);
        }
        rowY += 4.4;
    }
    s.text(x + 3, y + kHeight - 3.5, QStringLiteral("\"as set\": the positions Pinvale shows"), 1.8);
    std::vector<DrawnUnit>& units = s.content().units;
    units.push_back({1, dipPositions(f), chain});
    if (chain) {
        for (int unit = 2; unit <= kBusMaxUnits; ++unit)
            units.push_back({unit, dipPositions(f), unit == kBusMaxUnits});
    }
}

void drawControllerDipSwitch(SheetPainter& s, const WiringFeatures& f, double x, double y)
{
    // A small picture of the switch block: ON up, OFF down, unknown positions grey.
    s.fillRect(x, y, 31, 10, QColor(200, 24, 32));
    const std::vector<std::optional<bool>> positions = dipPositions(f);
    for (int n = 0; n < 7; ++n) {
        const double kx = x + 2 + 4 * n;
        const QColor knob = positions[n] ? QColor(244, 241, 232) : QColor(170, 170, 170);
        s.fillRect(kx, positions[n] && *positions[n] ? y + 1.5 : y + 5, 3, 3.5, knob);
        s.text(kx + 1.5, y + 12.5, QString::number(n + 1), 1.8, Qt::AlignCenter);
    }
    s.text(x - 1, y + 2.5, QStringLiteral("ON"), 1.8, Qt::AlignRight | Qt::AlignVCenter);
}

void drawController(SheetPainter& s, const WiringFeatures& f, const Layout& layout)
{
    const double left = kFirstTerminalX - 6, right = std::max(layout.lastX() + 6, 150.0);
    s.solid(0.45);
    s.rect(left, kControllerTop, right - left, kControllerBottom - kControllerTop);
    s.boldText(left + 3, kControllerTop + 4,
               f.builtIn ? QStringLiteral("A1 controller QNTB2, built in the unit")
                         : QStringLiteral("A1 controller QNTR2, on the wall"),
               2.7);
    const QString remoteCables = layout.hasSelv() ? QStringLiteral("; cables to X1 and X2 by the installer")
                                                  : QStringLiteral("; cable to X1 by the installer");
    s.text(left + 3, kControllerTop + 9.5,
           QStringLiteral("B1 room air sensor built in") + (f.builtIn ? QString() : remoteCables), 2.1);
    drawControllerDipSwitch(s, f, right - 36, kControllerTop + 3);
}

void drawLegendIcon(SheetPainter& s, Symbol symbol, double cx, double cy)
{
    switch (symbol) {
    case Symbol::ProtectiveEarth: shapes::protectiveEarth(s, cx, cy - 1.8); break;
    case Symbol::FanMotor: shapes::motor(s, cx, cy, 1.8); break;
    case Symbol::RunCapacitor: shapes::capacitor(s, cx, cy - 1.6, cy + 1.6); break;
    case Symbol::ValveActuator:
        s.scaledAbout(cx, cy, 0.26, [&] { shapes::valve(s, cx, cy - 6.5); });
        break;
    case Symbol::RelayContact:
    case Symbol::ChangeoverContact:
        s.scaledAbout(cx, cy, 0.42, [&] { shapes::normallyOpenContact(s, cx, cy - 4, cy + 4); });
        break;
    case Symbol::SafetyThermostat:
        s.scaledAbout(cx, cy, 0.42, [&] { shapes::normallyClosedContact(s, cx, cy - 4, cy + 4, true); });
        break;
    case Symbol::HeaterElement: shapes::heaterElement(s, cx, cy - 1.6, cy + 1.6); break;
    case Symbol::WaterSensor: shapes::temperatureSensor(s, cx, cy, 1.6); break;
    case Symbol::TerminationResistor: shapes::resistor(s, cx, cy - 1.6, cy + 1.6); break;
    }
}

enum class LineStyle { Factory, Installer, Outline, SelvTerminal };

void drawLineStyleIcon(SheetPainter& s, LineStyle style, double x, double y)
{
    switch (style) {
    case LineStyle::Factory: s.solid(); break;
    case LineStyle::Installer: s.dashed(); break;
    case LineStyle::Outline: s.pen(Qt::DashDotLine, 0.35); break;
    case LineStyle::SelvTerminal:
        s.solid(0.35);
        s.fillRect(x + 3.5, y - 1.6, 5, 3.2, QColor(226, 226, 226));
        s.rect(x + 3.5, y - 1.6, 5, 3.2);
        return;
    }
    s.line(x, y, x + 12, y);
}

// The legend: the line styles, then every symbol drawn on this sheet, each on one row (the
// thermostat's type on a second).
void drawLegend(SheetPainter& s, double x, double y)
{
    struct Row {
        std::optional<Symbol> symbol;
        LineStyle style;
        QString text, more;
    };
    const Row lineRows[] = {
        {std::nullopt, LineStyle::Factory, QStringLiteral("factory wiring"), {}},
        {std::nullopt, LineStyle::Installer, QStringLiteral("wiring by the installer / where fitted"), {}},
        {std::nullopt, LineStyle::Outline, QStringLiteral("outline of the unit"), {}},
        {std::nullopt, LineStyle::SelvTerminal, QStringLiteral("SELV terminal, kept apart from mains"), {}},
    };
    const Row symbolRows[] = {
        {Symbol::ProtectiveEarth, {}, QStringLiteral("protective earth PE, to the unit's frame"), {}},
        {Symbol::FanMotor, {}, QStringLiteral("fan motor, permanent split capacitor, 1~"), {}},
        {Symbol::RunCapacitor, {}, QStringLiteral("run capacitor C1: ______ µF, 450 V~"), {}},
        {Symbol::ValveActuator, {}, QStringLiteral("valve actuator 230 V~"), {}},
        {Symbol::RelayContact, {}, QStringLiteral("relay contact, normally open, drawn open"), {}},
        {Symbol::SafetyThermostat, {}, QStringLiteral("safety thermostat, normally closed,"),
         QStringLiteral("drawn closed; manual reset, opens when hot")},
        {Symbol::HeaterElement, {}, QStringLiteral("electric heater element, Class I"), {}},
        {Symbol::WaterSensor, {}, QStringLiteral("water temperature sensor, SELV"), {}},
        {Symbol::ChangeoverContact, {}, QStringLiteral("volt-free contact, normally open, SELV"), {}},
        {Symbol::TerminationResistor, {}, QStringLiteral("bus termination resistor ") + kBusTermination, {}},
    };
    const auto& symbols = s.content().symbols;
    const auto drawn = [&](Symbol symbol) {
        return std::any_of(symbols.begin(), symbols.end(), [&](const DrawnSymbol& d) { return d.symbol == symbol; });
    };
    std::vector<Row> rows(std::begin(lineRows), std::end(lineRows));
    int lines = static_cast<int>(rows.size());
    for (const Row& row : symbolRows) {
        if (drawn(*row.symbol)) {
            rows.push_back(row);
            lines += row.more.isEmpty() ? 1 : 2;
        }
    }
    constexpr double kRowHeight = 4.4;
    s.solid();
    s.rect(x, y, kRightColumnWidth, 8.5 + kRowHeight * lines);
    s.boldText(x + 3, y + 4, QStringLiteral("Legend"), 2.6);
    double rowY = y + 9.5;
    for (const Row& row : rows) {
        if (row.symbol) {
            s.solid();
            drawLegendIcon(s, *row.symbol, x + 9, rowY);
        } else {
            drawLineStyleIcon(s, row.style, x + 3, rowY);
        }
        s.text(x + 18, rowY, row.text, 2.0);
        if (!row.more.isEmpty()) {
            rowY += kRowHeight;
            s.text(x + 18, rowY, row.more, 2.0);
        }
        const QString whole = row.more.isEmpty() ? row.text : row.text + QLatin1Char(' ') + row.more;
        s.content().legend.push_back({row.symbol, whole});
        rowY += kRowHeight;
    }
}

void drawTitleBlock(SheetPainter& s, const WiringFeatures& f, const Layout& layout, const QString& title, double x,
                    double y)
{
    const double bottom = kPageHeight - kBorder - 4;
    s.solid(0.5);
    s.rect(x, y, kRightColumnWidth, bottom - y);
    s.fillRect(x, y, kRightColumnWidth, 10, QColor(11, 92, 149));
    s.painter().setPen(Qt::white);
    s.boldText(x + 3, y + 5, QStringLiteral("VELMORA"), 4.5);
    s.text(x + 73, y + 5, QStringLiteral("CLIMATE SYSTEMS"), 2.2, Qt::AlignRight | Qt::AlignVCenter);
    s.solid();
    s.boldText(x + 3, y + 15, QStringLiteral("Wiring diagram ") + title, 3);
    double rowY = y + 20;
    for (const QString& line : configurationLines(f)) {
        s.text(x + 3, rowY, line, 2.2);
        rowY += 3.8;
    }
    s.line(x, bottom - 14, x + kRightColumnWidth, bottom - 14);
    s.text(x + 3, bottom - 10.5, QStringLiteral("Configuration code: ") + f.codes.join(QStringLiteral(", ")), 2.1);
    s.text(x + 3, bottom - 6.5,
           layout.hasSelv() ? QStringLiteral("Terminals: X1 mains 230 V~ 50 Hz, X2 SELV")
                            : QStringLiteral("Terminals: X1 mains 230 V~ 50 Hz"),
           2.1);
    s.text(x + 3, bottom - 2.5, QStringLiteral("Not to scale. Sheet 1 of 1"), 2.1);
}

// Where the rails end: past the last component that returns on N, the last earthed one.
double neutralRailEnd(const Layout& layout)
{
    double end = layout.terminals[4].x + 2;
    for (const Group& g : layout.groups) {
        if (g.part == Part::Valves)
            end = std::max(end, layout.x(g, g.count - 1) + 4.25);
        if (g.part == Part::Heater)
            end = std::max(end, layout.x(g, 0));
    }
    return end + 2;
}

double earthRailEnd(const Layout& layout)
{
    const Group* heater = layout.find(Part::Heater);
    return heater ? layout.x(*heater, 0) + 4.5 + 3 : layout.terminals[2].x + 6;
}

} // namespace

std::optional<WiringFeatures> featuresOfCode(const QString& code)
{
    if (code.size() != 7)
        return std::nullopt;
    for (QChar c : code) {
        if (c != QLatin1Char('0') && c != QLatin1Char('1'))
            return std::nullopt;
    }
    const auto flag = [&](int i) { return code[i] == QLatin1Char('1'); };
    const auto fit = [](bool present) { return present ? Fit::Present : Fit::Absent; };
    WiringFeatures f;
    f.kxa = flag(0);
    f.singleControl = flag(1);
    f.twoPipe = flag(2);
    f.builtIn = flag(3);
    f.heater = fit(flag(4));
    f.valves = fit(flag(5));
    f.centralised = fit(flag(6));
    f.codes = {code};
    return f;
}

WiringFeatures featuresOfCodes(const std::vector<WiringFeatures>& codes)
{
    WiringFeatures merged = codes.front();
    merged.codes.clear();
    const auto merge = [](Fit a, Fit b) { return a == b ? a : Fit::WhereFitted; };
    for (const WiringFeatures& f : codes) {
        merged.heater = merge(merged.heater, f.heater);
        merged.valves = merge(merged.valves, f.valves);
        merged.centralised = merge(merged.centralised, f.centralised);
        merged.codes << f.codes;
    }
    return merged;
}

QStringList configurationLines(const WiringFeatures& f)
{
    const auto option = [](Fit fit) {
        switch (fit) {
        case Fit::Present: return QStringLiteral("yes");
        case Fit::WhereFitted: return QStringLiteral("where fitted");
        case Fit::Absent: break;
        }
        return QStringLiteral("no");
    };
    return {
        QStringLiteral("Model: ") + (f.kxa ? QStringLiteral("KXA, KXH, KXE fan coil")
                                           : QStringLiteral("KXR ducted unit")),
        QStringLiteral("Application: ") + (f.singleControl ? QStringLiteral("single control")
                                                           : QStringLiteral("multiple control (up to 4 FCU)")),
        QStringLiteral("Mode: ") + (f.twoPipe ? QStringLiteral("2-pipe") : QStringLiteral("4-pipe")),
        QStringLiteral("Controller: ") + (f.builtIn ? QStringLiteral("built in (QNTB2)")
                                                    : QStringLiteral("remote (QNTR2)")),
        QStringLiteral("Electric heater: ") + option(f.heater),
        QStringLiteral("Valves: ") + option(f.valves),
        QStringLiteral("Centralised changeover: ") + option(f.centralised),
    };
}


DrawnSheet drawWiringDiagram(QPainter& painter, const WiringFeatures& f, const QString& title)
{
    DrawnSheet content;
    SheetPainter s(painter, content);
    const Layout layout = layoutOf(f);

    // Sheet border and the unit's outline; a wall controller sits outside it.
    s.solid(0.5);
    s.rect(kBorder, kBorder, kPageWidth - 2 * kBorder, kPageHeight - 2 * kBorder);
    const double unitRight = std::max(layout.lastX() + kUnitRightMargin, 156.0);
    const double unitTop = f.builtIn ? kControllerTop - 4 : kControllerBottom + 5;
    s.pen(Qt::DashDotLine, 0.35);
    s.rect(kUnitLeft, unitTop, unitRight - kUnitLeft, kUnitBottom - unitTop);
    s.boldText(unitRight, kUnitBottom + 2.6,
               f.kxa ? QStringLiteral("KXA / KXH / KXE fan coil unit") : QStringLiteral("KXR ducted unit"), 2.6,
               Qt::AlignRight | Qt::AlignVCenter);

    drawController(s, f, layout);
    drawStrips(s, layout, f.builtIn);
    drawRails(s, layout, neutralRailEnd(layout), earthRailEnd(layout));

    ComponentList items;
    drawSupply(s, layout, has(f.heater), items);
    for (const Group& g : layout.groups) {
        switch (g.part) {
        case Part::Supply: break;
        case Part::Fan: drawFanMotor(s, layout, g, items); break;
        case Part::Valves: drawValves(s, layout, g, items); break;
        case Part::Heater:
            drawHeaterRelay(s, layout, g);
            drawHeater(s, layout, g, items);
            break;
        case Part::Sensor: drawWaterSensor(s, layout, g, items); break;
        case Part::Contact: drawChangeoverContact(s, layout, g, items); break;
        case Part::Bus: drawBus(s, layout, g, unitRight, items); break;
        }
    }

    const double tableHeight = drawCableTable(s, layout, 62, kBottomAreaY);
    drawNotes(s, notesOf(f, layout), 62, kBottomAreaY + tableHeight + 2);
    drawComponentList(s, items, kUnitLeft, 176);

    // Right column: legend, switch settings, title block.
    drawLegend(s, kRightColumnX, 12);
    drawDipSwitchTable(s, f, kRightColumnX, 88);
    drawTitleBlock(s, f, layout, title, kRightColumnX, 139);
    return content;
}

} // namespace pinvale::wiring

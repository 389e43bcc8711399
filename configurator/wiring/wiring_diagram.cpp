#include "configurator/wiring/wiring_diagram.h"

#include <QPaintDevice>
#include <QPainterPath>

#include <cmath>

namespace pinvale::wiring {

namespace {

// Drawing in millimetres on the page, whatever the device resolution.
class Sheet {
public:
    explicit Sheet(QPainter& painter)
        : p_(painter), pxPerMm_(painter.device()->logicalDpiX() / 25.4)
    {
        p_.setRenderHint(QPainter::Antialiasing);
        solid();
    }

    double px(double mm) const { return mm * pxPerMm_; }
    QPointF at(double x, double y) const { return {px(x), px(y)}; }

    void solid(double width_mm = 0.3) { pen(Qt::SolidLine, width_mm); }
    void dashed(double width_mm = 0.3) { pen(Qt::DashLine, width_mm); }
    void pen(Qt::PenStyle style, double width_mm)
    {
        QPen pen(Qt::black, px(width_mm), style, Qt::SquareCap, Qt::MiterJoin);
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
    }

    void line(double x1, double y1, double x2, double y2) { p_.drawLine(at(x1, y1), at(x2, y2)); }
    void polyline(std::initializer_list<QPointF> mmPoints)
    {
        QPolygonF points;
        for (const QPointF& point : mmPoints)
            points << at(point.x(), point.y());
        p_.drawPolyline(points);
    }
    void rect(double x, double y, double w, double h) { p_.drawRect(QRectF(at(x, y), at(x + w, y + h))); }
    void fillRect(double x, double y, double w, double h, const QColor& colour)
    {
        p_.fillRect(QRectF(at(x, y), at(x + w, y + h)), colour);
    }
    void circle(double cx, double cy, double r) { p_.drawEllipse(at(cx, cy), px(r), px(r)); }
    void dot(double cx, double cy, double r = 0.6)
    {
        p_.save();
        p_.setBrush(Qt::black);
        p_.drawEllipse(at(cx, cy), px(r), px(r));
        p_.restore();
    }

    // Text of cap height about `size_mm`, anchored by `align` at (x, y).
    void text(double x, double y, const QString& text, double size_mm = 2.5,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false)
    {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(size_mm * 72.0 / 25.4);
        font.setBold(bold);
        p_.setFont(font);
        const double w = 200, h = size_mm * 2;
        double left = x;
        if (align & Qt::AlignHCenter)
            left = x - w / 2;
        else if (align & Qt::AlignRight)
            left = x - w;
        double top = y - h / 2;
        if (align & Qt::AlignTop)
            top = y;
        else if (align & Qt::AlignBottom)
            top = y - h;
        p_.drawText(QRectF(at(left, top), at(left + w, top + h)), static_cast<int>(align), text);
    }

    QPainter& painter() { return p_; }

private:
    QPainter& p_;
    double pxPerMm_;
};

// Page layout, mm.
constexpr double kPageWidth = 297, kPageHeight = 210, kBorder = 8;
constexpr double kFirstTerminalX = 32, kTerminalPitch = 9.5, kGroupGap = 4;
constexpr double kStripY = 106;       // centre line of the terminal strip X1
constexpr double kControllerTop = 40, kControllerBottom = 80;
constexpr double kNeutralRailY = 121;
constexpr double kComponentY = 150;   // centre line of the components below the strip

struct Terminal {
    QString label;
    bool toController; // wired to the controller above the strip
    double x = 0;
};

struct Group {
    QString kind;  // "supply", "fan", "valves", "heater", "sensor", "contact", "bus"
    int first = 0, count = 0;
    bool whereFitted = false;
};

// The item codes under the components and their descriptions in the list of components.
using ComponentList = std::vector<std::pair<QString, QString>>;

bool has(Fit fit) { return fit != Fit::Absent; }

// A water changeover sensor can serve only where Water sensing can be chosen: 2-pipe,
// no electric heater, changeover not centralised.
bool waterSensorPossible(const WiringFeatures& f)
{
    return f.twoPipe && f.heater != Fit::Present && f.centralised != Fit::Present;
}

void addGroup(std::vector<Terminal>& strip, std::vector<Group>& groups, const QString& kind,
              std::initializer_list<Terminal> terminals, bool whereFitted = false)
{
    double x = strip.empty() ? kFirstTerminalX : strip.back().x + kTerminalPitch + kGroupGap;
    groups.push_back({kind, static_cast<int>(strip.size()), static_cast<int>(terminals.size()),
                      whereFitted});
    for (Terminal terminal : terminals) {
        terminal.x = x;
        strip.push_back(terminal);
        x += kTerminalPitch;
    }
}

void itemCode(Sheet& s, double x, double y, const QString& code)
{
    s.text(x, y, code, 2.4, Qt::AlignHCenter | Qt::AlignTop, true);
}

void returnToNeutral(Sheet& s, double fromX, double fromY, double railX)
{
    s.polyline({{fromX, fromY}, {railX, fromY}, {railX, kNeutralRailY}});
    s.dot(railX, kNeutralRailY);
}

void drawFanMotor(Sheet& s, const double* x, ComponentList& items)
{
    const double cx = x[1], cy = kComponentY;
    s.solid();
    for (int speed = 0; speed < 3; ++speed)
        s.polyline({{x[speed], kStripY + 4}, {x[speed], cy - 14}, {cx + (speed - 1) * 4.0, cy - 6.2}});
    s.circle(cx, cy, 7);
    s.text(cx, cy - 1.5, QStringLiteral("M"), 4, Qt::AlignCenter, true);
    s.text(cx, cy + 3, QStringLiteral("1~"), 2.2, Qt::AlignCenter);
    returnToNeutral(s, cx + 7, cy, x[2] + 4);
    itemCode(s, cx, cy + 9, QStringLiteral("M1"));
    items.emplace_back(QStringLiteral("M1"), QStringLiteral("fan motor, speeds V1 low, V2 mid, V3 high"));
}

void drawValve(Sheet& s, double x, const QString& code, bool whereFitted)
{
    const double cy = kComponentY;
    whereFitted ? s.dashed() : s.solid();
    s.line(x, kStripY + 4, x, cy - 8);
    s.rect(x - 3.5, cy - 8, 7, 6);
    s.text(x, cy - 5, QStringLiteral("M"), 2.8, Qt::AlignCenter, true);
    s.line(x, cy - 2, x, cy + 1);
    // The valve body: two triangles point to point.
    s.polyline({{x - 3.5, cy + 1}, {x + 3.5, cy + 5}, {x + 3.5, cy + 1}, {x - 3.5, cy + 5}, {x - 3.5, cy + 1}});
    returnToNeutral(s, x + 3.5, cy - 5, x + 5);
    itemCode(s, x, cy + 8, code);
}

void drawHeater(Sheet& s, const double* x, bool whereFitted, ComponentList& items)
{
    const double xSupply = x[0], xReturn = x[1], cy = kComponentY;
    whereFitted ? s.dashed() : s.solid();
    // E1 from the controller's heater relay, through the element and the safety thermostat.
    s.line(xSupply, kStripY + 4, xSupply, cy - 6);
    s.rect(xSupply - 2.5, cy - 6, 5, 12);
    s.line(xSupply - 2.5, cy - 6, xSupply + 2.5, cy + 6);
    s.polyline({{xSupply, cy + 6}, {xSupply, cy + 9}, {xReturn, cy + 9}, {xReturn, cy + 5}});
    s.dot(xReturn, cy + 5);
    s.line(xReturn, cy + 5, xReturn + 2.5, cy - 1);  // the thermostat's contact, closed when cool
    s.dot(xReturn, cy - 2);
    s.line(xReturn, cy - 2, xReturn, kStripY + 4);
    itemCode(s, xSupply, cy + 11, QStringLiteral("E1"));
    itemCode(s, xReturn + 1, cy + 11, QStringLiteral("TS"));
    const QString fitted = whereFitted ? QStringLiteral(" (where fitted)") : QString();
    items.emplace_back(QStringLiteral("E1"), QStringLiteral("electric heater") + fitted);
    items.emplace_back(QStringLiteral("TS"), QStringLiteral("heater safety thermostat"));
}

void drawWaterSensor(Sheet& s, const double* x, ComponentList& items)
{
    const double cx = (x[0] + x[1]) / 2, cy = kComponentY;
    s.dashed();
    s.polyline({{x[0], kStripY + 4}, {x[0], cy - 8}, {cx - 2, cy - 3.5}});
    s.polyline({{x[1], kStripY + 4}, {x[1], cy - 8}, {cx + 2, cy - 3.5}});
    s.solid();
    s.circle(cx, cy, 4);
    s.text(cx, cy, QStringLiteral("t°"), 2.6, Qt::AlignCenter);
    itemCode(s, cx, cy + 6, QStringLiteral("B2"));
    items.emplace_back(QStringLiteral("B2"),
                       QStringLiteral("water changeover sensor (option)"));
}

void drawChangeoverContact(Sheet& s, const double* x, bool whereFitted, ComponentList& items)
{
    const double xa = x[0], xb = x[1], cy = kComponentY;
    s.dashed();
    s.polyline({{xa, kStripY + 4}, {xa, cy}, {xa + 2, cy}});
    s.polyline({{xb, kStripY + 4}, {xb, cy}, {xb - 2, cy}});
    s.solid();
    s.dot(xa + 2, cy);
    s.dot(xb - 2, cy);
    s.line(xa + 2, cy, xb - 2.5, cy - 3.5);
    itemCode(s, (xa + xb) / 2, cy + 4, QStringLiteral("S1"));
    items.emplace_back(QStringLiteral("S1"),
                       QStringLiteral("changeover contact, closed = heating")
                           + (whereFitted ? QStringLiteral(" (centralised only)") : QString()));
}

void drawBus(Sheet& s, const double* x, ComponentList& items)
{
    s.dashed();
    for (int i = 0; i < 3; ++i)
        s.line(x[i], kStripY + 4, x[i], kComponentY + 4);
    s.solid();
    s.polyline({{x[0] - 2, kComponentY + 4}, {x[2] + 9, kComponentY + 4}});
    s.polyline({{x[2] + 6, kComponentY + 2}, {x[2] + 9, kComponentY + 4}, {x[2] + 6, kComponentY + 6}});
    itemCode(s, x[1], kComponentY + 7, QStringLiteral("W1"));
    items.emplace_back(QStringLiteral("W1"),
                       QStringLiteral("link to units 2 to 4, shielded pair"));
}

void drawSupply(Sheet& s, const std::vector<Terminal>& strip, ComponentList& items)
{
    const double xl = strip[0].x, xn = strip[1].x, xpe = strip[2].x;
    s.dashed();
    for (double x : {xl, xn, xpe})
        s.line(x, kStripY + 4, x, 186);
    s.solid();
    s.fillRect(xl - 3, 176, xn - xl + 6, 5, Qt::white);
    s.rect(xl - 3, 176, xn - xl + 6, 5);
    s.text((xl + xn) / 2, 178.5, QStringLiteral("Q1"), 2.2, Qt::AlignCenter, true);
    s.text(xl - 2, 190, QStringLiteral("Supply 230 V~ 50 Hz"), 2.2, Qt::AlignLeft | Qt::AlignVCenter);
    // Protective earth to the unit's frame.
    s.polyline({{xpe, kStripY + 10}, {xpe + 4, kStripY + 10}});
    s.dot(xpe, kStripY + 10);
    s.line(xpe + 4, kStripY + 8, xpe + 4, kStripY + 12);
    s.line(xpe + 5, kStripY + 8.8, xpe + 5, kStripY + 11.2);
    s.line(xpe + 6, kStripY + 9.5, xpe + 6, kStripY + 10.5);
    items.emplace_back(QStringLiteral("Q1"), QStringLiteral("isolator and fuse (installer)"));
}

// Two columns of at most five rows under the unit's outline.
void drawComponentList(Sheet& s, const ComponentList& items, double x, double y)
{
    constexpr int kRowsPerColumn = 5;
    constexpr double kColumnWidth = 66, kRowHeight = 3.4;
    s.text(x, y, QStringLiteral("Components"), 2.4, Qt::AlignLeft | Qt::AlignVCenter, true);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const double left = x + kColumnWidth * static_cast<double>(i / kRowsPerColumn);
        const double rowY = y + 4.2 + kRowHeight * static_cast<double>(i % kRowsPerColumn);
        s.text(left, rowY, items[i].first, 2.0, Qt::AlignLeft | Qt::AlignVCenter, true);
        s.text(left + 6, rowY, items[i].second, 2.0);
    }
}

QString dipState(bool on) { return on ? QStringLiteral("ON") : QStringLiteral("OFF"); }

void drawDipSwitchNote(Sheet& s, const WiringFeatures& f, double x, double y)
{
    s.solid();
    s.rect(x, y, 76, 58);
    s.text(x + 3, y + 4, QStringLiteral("Controller DIP switches"), 2.6, Qt::AlignLeft | Qt::AlignVCenter, true);
    struct Row {
        int n;
        QString meaning;
        QString position;
    };
    const auto fixed = [](Fit fit, const QString& fitted) {
        return fit == Fit::WhereFitted ? fitted : dipState(fit == Fit::Present);
    };
    const Row rows[] = {
        {1, QStringLiteral("centralised changeover"),
         fixed(f.centralised, QStringLiteral("ON with S1"))},
        {2, QStringLiteral("automatic changeover"), QStringLiteral("as set")},
        {3, QStringLiteral("changeover sensed on water"), QStringLiteral("as set")},
        {4, QStringLiteral("neutral zone 2°C (OFF: 5°C)"), QStringLiteral("as set")},
        {5, QStringLiteral("valves"), fixed(f.valves, QStringLiteral("ON with Y1"))},
        {6, QStringLiteral("electric heater"), fixed(f.heater, QStringLiteral("ON with E1"))},
        {7, QStringLiteral("4-pipe (OFF: 2-pipe)"), dipState(!f.twoPipe)},
    };
    double rowY = y + 11;
    for (const Row& row : rows) {
        s.text(x + 3, rowY, QString::number(row.n), 2.3, Qt::AlignLeft | Qt::AlignVCenter, true);
        s.text(x + 8, rowY, row.meaning, 2.2);
        s.text(x + 73, rowY, row.position, 2.2, Qt::AlignRight | Qt::AlignVCenter, true);
        rowY += 5.5;
    }
    s.text(x + 3, y + 53, QStringLiteral("\"as set\": the positions Pinvale shows"), 1.9);
}

void drawControllerDipSwitch(Sheet& s, const WiringFeatures& f, double x, double y)
{
    // A small picture of the switch block: ON up, OFF down, unknown positions grey.
    s.fillRect(x, y, 31, 10, QColor(200, 24, 32));
    const std::optional<bool> positions[] = {
        f.centralised == Fit::WhereFitted ? std::nullopt : std::optional(f.centralised == Fit::Present),
        std::nullopt, std::nullopt, std::nullopt,
        f.valves == Fit::WhereFitted ? std::nullopt : std::optional(f.valves == Fit::Present),
        f.heater == Fit::WhereFitted ? std::nullopt : std::optional(f.heater == Fit::Present),
        std::optional(!f.twoPipe),
    };
    for (int n = 0; n < 7; ++n) {
        const double kx = x + 2 + 4 * n;
        const QColor knob = positions[n] ? QColor(244, 241, 232) : QColor(170, 170, 170);
        s.fillRect(kx, positions[n] && *positions[n] ? y + 1.5 : y + 5, 3, 3.5, knob);
        s.text(kx + 1.5, y + 12.5, QString::number(n + 1), 1.8, Qt::AlignCenter);
    }
    s.text(x - 1, y + 2.5, QStringLiteral("ON"), 1.8, Qt::AlignRight | Qt::AlignVCenter);
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

void drawWiringDiagram(QPainter& painter, const WiringFeatures& f, const QString& title)
{
    Sheet s(painter);

    // The terminal strip X1, group by group.
    std::vector<Terminal> strip;
    std::vector<Group> groups;
    addGroup(strip, groups, QStringLiteral("supply"), {{"L", true}, {"N", true}, {"PE", false}});
    addGroup(strip, groups, QStringLiteral("fan"), {{"V1", true}, {"V2", true}, {"V3", true}});
    if (has(f.valves)) {
        if (f.twoPipe)
            addGroup(strip, groups, QStringLiteral("valves"), {{"Y1", true}}, f.valves == Fit::WhereFitted);
        else
            addGroup(strip, groups, QStringLiteral("valves"), {{"Y1", true}, {"Y2", true}},
                     f.valves == Fit::WhereFitted);
    }
    if (has(f.heater))
        addGroup(strip, groups, QStringLiteral("heater"), {{"E1", true}, {"TS", true}},
                 f.heater == Fit::WhereFitted);
    if (waterSensorPossible(f))
        addGroup(strip, groups, QStringLiteral("sensor"), {{"B2", true}, {"B2", true}}, true);
    if (has(f.centralised))
        addGroup(strip, groups, QStringLiteral("contact"), {{"S1", true}, {"S1", true}},
                 f.centralised == Fit::WhereFitted);
    if (!f.singleControl)
        addGroup(strip, groups, QStringLiteral("bus"), {{"A", true}, {"B", true}, {"GND", true}});
    const double lastX = strip.back().x;

    // Sheet border and the unit's outline.
    s.solid(0.5);
    s.rect(kBorder, kBorder, kPageWidth - 2 * kBorder, kPageHeight - 2 * kBorder);
    const double unitLeft = kFirstTerminalX - 14, unitRight = std::max(lastX + 16, 150.0);
    const double unitTop = f.builtIn ? kControllerTop - 12 : kControllerBottom + 9;
    s.pen(Qt::DashDotLine, 0.35);
    s.rect(unitLeft, unitTop, unitRight - unitLeft, 172 - unitTop);
    s.text(unitLeft + 2, unitTop + 3.5,
           f.kxa ? QStringLiteral("KXA / KXH / KXE fan coil unit") : QStringLiteral("KXR ducted unit"),
           2.6, Qt::AlignLeft | Qt::AlignVCenter, true);

    // The controller, its wires to the strip, and its own switch block.
    const double ctrlLeft = kFirstTerminalX - 6, ctrlRight = lastX + 6;
    s.solid(0.45);
    s.rect(ctrlLeft, kControllerTop, ctrlRight - ctrlLeft, kControllerBottom - kControllerTop);
    s.text(ctrlLeft + 3, kControllerTop + 4,
           f.builtIn ? QStringLiteral("A1 controller QNTB2, built in the unit")
                     : QStringLiteral("A1 controller QNTR2, on the wall"),
           2.7, Qt::AlignLeft | Qt::AlignVCenter, true);
    s.text(ctrlLeft + 3, kControllerTop + 9,
           f.builtIn ? QStringLiteral("B1 room air sensor built in")
                     : QStringLiteral("B1 room air sensor built in; cable to X1 by the installer"),
           2.1);
    drawControllerDipSwitch(s, f, ctrlLeft + 8, kControllerTop + 15);
    for (const Terminal& terminal : strip) {
        if (!terminal.toController)
            continue;
        f.builtIn ? s.solid() : s.dashed();
        s.line(terminal.x, kControllerBottom, terminal.x, kStripY - 4);
        s.solid();
        s.rect(terminal.x - 1.2, kControllerBottom - 2.4, 2.4, 2.4);
        s.text(terminal.x, kControllerBottom - 4, terminal.label, 1.8, Qt::AlignHCenter | Qt::AlignBottom);
    }

    // The terminal strip: number on top, name below, inside each terminal.
    s.solid(0.35);
    for (std::size_t i = 0; i < strip.size(); ++i) {
        const double x = strip[i].x;
        s.fillRect(x - 4, kStripY - 4, 8, 8, Qt::white);
        s.rect(x - 4, kStripY - 4, 8, 8);
        s.text(x, kStripY - 1.9, QString::number(i + 1), 1.7, Qt::AlignCenter);
        s.text(x, kStripY + 1.6, strip[i].label, 2.0, Qt::AlignCenter, true);
    }
    s.text(kFirstTerminalX - 12, kStripY, QStringLiteral("X1"), 3, Qt::AlignLeft | Qt::AlignVCenter, true);

    // The neutral rail under the strip, from N to the last component that returns on it.
    ComponentList items;
    double railEnd = strip[5].x + 4;
    for (const Group& g : groups) {
        if (g.kind == QLatin1String("valves") || g.kind == QLatin1String("fan"))
            railEnd = std::max(railEnd, strip[g.first + g.count - 1].x + 5);
    }
    s.solid();
    s.polyline({{strip[1].x, kStripY + 4}, {strip[1].x, kNeutralRailY}, {railEnd, kNeutralRailY}});
    s.dot(strip[1].x, kNeutralRailY);

    drawSupply(s, strip, items);
    for (const Group& g : groups) {
        double x[3] = {};
        for (int i = 0; i < g.count; ++i)
            x[i] = strip[g.first + i].x;
        if (g.kind == QLatin1String("fan")) {
            drawFanMotor(s, x, items);
        } else if (g.kind == QLatin1String("valves")) {
            const QString fitted = g.whereFitted ? QStringLiteral(" (where fitted)") : QString();
            if (g.count == 1) {
                drawValve(s, x[0], QStringLiteral("Y1"), g.whereFitted);
                items.emplace_back(QStringLiteral("Y1"), QStringLiteral("water valve actuator") + fitted);
            } else {
                drawValve(s, x[0], QStringLiteral("Y1"), g.whereFitted);
                drawValve(s, x[1], QStringLiteral("Y2"), g.whereFitted);
                items.emplace_back(QStringLiteral("Y1"), QStringLiteral("cooling valve actuator") + fitted);
                items.emplace_back(QStringLiteral("Y2"), QStringLiteral("heating valve actuator") + fitted);
            }
        } else if (g.kind == QLatin1String("heater")) {
            drawHeater(s, x, g.whereFitted, items);
        } else if (g.kind == QLatin1String("sensor")) {
            drawWaterSensor(s, x, items);
        } else if (g.kind == QLatin1String("contact")) {
            drawChangeoverContact(s, x, g.whereFitted, items);
        } else if (g.kind == QLatin1String("bus")) {
            drawBus(s, x, items);
        }
    }
    drawComponentList(s, items, 68, 176);

    // Right column: legend, switch settings, title block.
    const double right = 205;
    s.solid();
    s.rect(right, 16, 76, 26);
    s.text(right + 3, 20, QStringLiteral("Legend"), 2.6, Qt::AlignLeft | Qt::AlignVCenter, true);
    s.line(right + 3, 26, right + 15, 26);
    s.text(right + 18, 26, QStringLiteral("factory wiring"), 2.2);
    s.dashed();
    s.line(right + 3, 31, right + 15, 31);
    s.text(right + 18, 31, QStringLiteral("wiring by the installer / where fitted"), 2.2);
    s.pen(Qt::DashDotLine, 0.35);
    s.line(right + 3, 36, right + 15, 36);
    s.text(right + 18, 36, QStringLiteral("outline of the unit"), 2.2);

    drawDipSwitchNote(s, f, right, 48);

    s.solid(0.5);
    s.rect(right, 112, 76, 82);
    s.fillRect(right, 112, 76, 12, QColor(11, 92, 149));
    s.painter().setPen(Qt::white);
    s.text(right + 3, 118, QStringLiteral("VELMORA"), 5, Qt::AlignLeft | Qt::AlignVCenter, true);
    s.text(right + 73, 118, QStringLiteral("CLIMATE SYSTEMS"), 2.2, Qt::AlignRight | Qt::AlignVCenter);
    s.solid();
    s.text(right + 3, 129, QStringLiteral("Wiring diagram ") + title, 3, Qt::AlignLeft | Qt::AlignVCenter, true);
    double y = 136;
    for (const QString& line : configurationLines(f)) {
        s.text(right + 3, y, line, 2.3);
        y += 5;
    }
    s.line(right, 172, right + 76, 172);
    s.text(right + 3, 176, QStringLiteral("Configuration code: ") + f.codes.join(QStringLiteral(", ")), 2.1);
    s.text(right + 3, 181, QStringLiteral("Terminals X1: 2.5 mm², 230 V~ 50 Hz"), 2.1);
    s.text(right + 3, 186, QStringLiteral("Not to scale. Sheet 1 of 1"), 2.1);
}

} // namespace pinvale::wiring

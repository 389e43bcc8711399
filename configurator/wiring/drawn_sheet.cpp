#include "configurator/wiring/drawn_sheet.h"

#include <algorithm>

namespace pinvale::wiring {

bool DrawnSheet::hasWire(const QString& a, const QString& b) const
{
    return std::any_of(wires.begin(), wires.end(), [&](const auto& wire) {
        return (wire.first == a && wire.second == b) || (wire.first == b && wire.second == a);
    });
}

const DrawnSymbol* DrawnSheet::symbol(const QString& item) const
{
    const auto found = std::find_if(symbols.begin(), symbols.end(),
                                    [&](const DrawnSymbol& s) { return s.item == item; });
    return found == symbols.end() ? nullptr : &*found;
}

const DrawnStrip* DrawnSheet::strip(const QString& name) const
{
    const auto found = std::find_if(strips.begin(), strips.end(),
                                    [&](const DrawnStrip& s) { return s.name == name; });
    return found == strips.end() ? nullptr : &*found;
}

const LegendEntry* DrawnSheet::legendFor(Symbol kind) const
{
    const auto found = std::find_if(legend.begin(), legend.end(),
                                    [&](const LegendEntry& e) { return e.symbol == kind; });
    return found == legend.end() ? nullptr : &*found;
}

QString DrawnSheet::component(const QString& item) const
{
    for (const auto& [code, description] : components) {
        if (code == item)
            return description;
    }
    return {};
}

} // namespace pinvale::wiring

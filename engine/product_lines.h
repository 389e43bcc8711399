#pragma once
// The three product lines in one table: what identifies a line (its index, series code and
// database tables), its limits (models, fan speeds) and how the program presents it
// (caption text, picture, selection window). Every part of the program reads a line's
// facts here instead of testing the index or the series code itself.

#include <array>
#include <string_view>

namespace tarvello {

// Product lines: 0 the KX fan coils, 1 the KXR ducted units, 2 the KXN ducted units.
enum ProductLine : int { LineKX = 0, LineMRZ = 1, LineHJQ = 2 };

// Which selection window serves a line.
enum class SelectionWindowKind { FanCoil, Ducted };

struct ProductLineInfo {
    ProductLine id;
    const char* modelTable;     // table of the model database
    const char* accessoryTable; // nullptr: the line has no accessories
    const char* seriesCode;     // "" for the fan coils, "MRZ" or "HJQ"
    int maxModels;              // rows the data model holds
    int speeds;                 // fan speeds 1..speeds
    int captionText;            // text offset of the line's caption
    const char* picture;        // the line's picture in the chooser (a program resource)
    SelectionWindowKind window;

    constexpr bool ducted() const { return window == SelectionWindowKind::Ducted; }
};

inline constexpr std::array<ProductLineInfo, 3> kProductLines{{
    {LineKX, "DatiKORVE", nullptr, "", 45, 3, 11, ":/shell/images/line_kx.svg", SelectionWindowKind::FanCoil},
    {LineMRZ, "DatiMRZ", "DPAcc", "MRZ", 24, 3, 88, ":/shell/images/line_kxr.svg", SelectionWindowKind::Ducted},
    {LineHJQ, "DatiHJQ", "DPAccHJQ", "HJQ", 18, 7, 128, ":/shell/images/line_kxn.svg", SelectionWindowKind::Ducted},
}};

constexpr bool isProductLine(int line) { return line >= 0 && line < int(kProductLines.size()); }

// The facts of `line`; an index outside the table gives the fan coils' (callers check
// isProductLine where the index comes from outside).
constexpr const ProductLineInfo& productLine(int line)
{
    return kProductLines[isProductLine(line) ? size_t(line) : 0];
}

// The line with series code `code` ("MRZ", "HJQ"); the fan coils for any other code.
constexpr const ProductLineInfo& productLineOfSeries(std::string_view code)
{
    for (const ProductLineInfo& line : kProductLines)
        if (!code.empty() && code == line.seriesCode)
            return line;
    return kProductLines[0];
}

// The largest line and speed count, for the fixed-size arrays of the model table.
constexpr int largestLineModels()
{
    int most = 0;
    for (const ProductLineInfo& line : kProductLines)
        most = line.maxModels > most ? line.maxModels : most;
    return most;
}
constexpr int mostSpeeds()
{
    int most = 0;
    for (const ProductLineInfo& line : kProductLines)
        most = line.speeds > most ? line.speeds : most;
    return most;
}

} // namespace tarvello

// Display masks and unit conversion: what the windows and the report show for a value.
#include "shell/display_mask.h"
#include "shell/units.h"

#include <QLocale>
#include <gtest/gtest.h>

#include "qt_print.h"

#include <cmath>
#include <limits>

using namespace tarvello;

namespace {

struct MaskCase {
    double value;
    const char* mask;
    const char* expected;
    const char* why;
};

// Expected texts follow the classic Format rules: '#' shows nothing for an insignificant
// zero, '0' always shows a digit, rounding half away from zero on the decimal form.
const MaskCase kMaskCases[] = {
    {0, "######", "", "zero has no significant digit"},
    {0, "##.0", ".0", "forced fraction digit only"},
    {0, "###0.0", "0.0", "forced units digit"},
    {0, "0.000", "0.000", ""},
    {0.04, "##.0", ".0", "rounds to zero, no integer digit"},
    {0.05, "##.0", ".1", "half rounds up"},
    {0.4, "######", "", "rounds to zero"},
    {0.5, "######", "1", "half away from zero"},
    {2.5, "###", "3", "not to even"},
    {-2.5, "###", "-3", "negative half away from zero"},
    {-0.04, "#0.0", "0.0", "no minus before a shown zero"},
    {1.005, "0.00", "1.01", "decimal form 1.005, not the binary 1.00499.."},
    {12.345, "##0.00", "12.35", ""},
    {0.125, "##0.00", "0.13", ""},
    {9.995, "#0.00", "10.00", "carry into a new integer digit"},
    {99999.6, "#####", "100000", "more digits than places are all shown"},
    {123456789, "###", "123456789", ""},
    {250, "###0.0", "250.0", "0.25 m3/s in l/s"},
    {0.25, "0.000", "0.250", "0.25 m3/s in m3/s"},
    {900, "#####", "900", "0.25 m3/s in m3/h"},
    {1000, "######", "1000", "1 kW in W"},
    {860.0000143051147, "######", "860", "1 kW times the single-precision 0.86"},
    {3.3, "#0.00", "3.30", ""},
    {27.04, "##0.0", "27.0", "leaving air temperature"},
    {-5.25, "##0.0", "-5.3", ""},
    {1e-20, "0.000", "0.000", "tiny value"},
    {1.5e17, "#####", "150000000000000000", "large value without exponent"},
};

TEST(FormatMask, TableOfCasesWithPoint)
{
    for (const MaskCase& c : kMaskCases)
        EXPECT_EQ(FormatMask(c.value, QString::fromLatin1(c.mask), QStringLiteral(".")),
                  QString::fromLatin1(c.expected))
            << c.value << " with " << c.mask << " (" << c.why << ")";
}

TEST(FormatMask, CommaSeparatorReplacesThePoint)
{
    EXPECT_EQ(FormatMask(250, QStringLiteral("###0.0"), QStringLiteral(",")), QStringLiteral("250,0"));
    EXPECT_EQ(FormatMask(0, QStringLiteral("##.0"), QStringLiteral(",")), QStringLiteral(",0"));
    EXPECT_EQ(FormatMask(1234.5, QStringLiteral("######"), QStringLiteral(",")), QStringLiteral("1235"));
}

TEST(FormatMask, DefaultLocaleGivesItsSeparator)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(FormatMask(0.25, QStringLiteral("0.000")), QStringLiteral("0,250"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FormatMask(0.25, QStringLiteral("0.000")), QStringLiteral("0.250"));
    QLocale::setDefault(saved);
}

TEST(FormatMask, NotANumberShowsNothing)
{
    EXPECT_EQ(FormatMask(std::numeric_limits<double>::quiet_NaN(), QStringLiteral("0.000"), QStringLiteral(".")), QString());
    EXPECT_EQ(FormatMask(std::numeric_limits<double>::infinity(), QStringLiteral("###"), QStringLiteral(".")), QString());
}

struct UnitCase {
    UnitChoice* unit;
    int index;
    double internal;
    const char* expected;
};

TEST(UnitChoice, ShownValuesOfEveryUnit)
{
    fillUnitTables();
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const UnitCase cases[] = {
        {&UnitPt, 0, 1000, "1000"},      {&UnitPt, 1, 1000, "860"},      // 1 kW in W, Cal/h
        {&UnitQa, 0, 0.25, "250.0"},     {&UnitQa, 1, 0.25, "0.250"},    // 0.25 m3/s of air
        {&UnitQa, 2, 0.25, "900"},       {&UnitQw, 0, 0.0002, "0.200"},  // 0.2 l/s of water
        {&UnitQw, 1, 0.0002, "720"},     {&UnitDpW, 0, 12.5, "12.50"},   // 720 l/h
        {&UnitDpW, 1, 12.5, "1.27"},     {&UnitDpA, 0, 50, "50"},        // single 0.102: 1.2749999..
        {&UnitDpA, 1, 50, "5.1"},        {&UnitPt, 7, 1000, "1000"},     // out of range: unit 0
    };
    for (const UnitCase& c : cases) {
        c.unit->index = static_cast<qint16>(c.index);
        EXPECT_EQ(c.unit->format(c.internal), QString::fromLatin1(c.expected))
            << c.unit->names.join(u'|').toStdString() << " index " << c.index;
    }
    QLocale::setDefault(saved);
}

TEST(UnitChoice, EnteredValueReturnsToInternalUnits)
{
    fillUnitTables();
    UnitQa.index = 2; // m3/h
    EXPECT_NEAR(UnitQa.toInternal(900), 0.25, 1e-9);
    UnitQw.index = 1; // l/h
    EXPECT_NEAR(UnitQw.toInternal(UnitQw.toShown(0.0003)), 0.0003, 1e-12);
    UnitPt.index = 1;
    EXPECT_NEAR(UnitPt.toInternal(860), 1000, 1e-3);
}

TEST(UnitChoice, NamesAsListedInTheUnitsWindow)
{
    fillUnitTables();
    EXPECT_EQ(UnitPt.names, QStringList({"W", "Cal/h - Frig/h", "kW", "Btu/h", "MBH", "tons"}));
    EXPECT_EQ(UnitQa.names, QStringList({"l/s", "m3/s", "m3/h", "CFM"}));
    EXPECT_EQ(UnitQw.names, QStringList({"l/s", "l/h", "GPM (US)"}));
    EXPECT_EQ(UnitDpW.names, QStringList({"kPa", "mH2O", "ft wg", "psi"}));
    EXPECT_EQ(UnitDpA.names, QStringList({"Pa", "mmH2O", "in. wg"}));
    EXPECT_EQ(UnitT.names, QStringList({"°C", "°F"}));
}

TEST(UnitChoice, ChooseFallsBackToTheFirstUnit)
{
    fillUnitTables();
    const int candidates[] = {-1, 4, 100};
    for (int candidate : candidates) {
        UnitQa.index = 1;
        UnitQa.choose(candidate);
        EXPECT_EQ(UnitQa.index, 0) << candidate;
    }
    UnitQa.choose(2);
    EXPECT_EQ(UnitQa.index, 2);
}

} // namespace

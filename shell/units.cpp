#include "shell/units.h"

#include "shell/display_mask.h"
#include "shell/language.h"
#include "shell/settings.h"

namespace tarvello {

UnitChoice UnitPt;
UnitChoice UnitQa;
UnitChoice UnitQw;
UnitChoice UnitDpW;
UnitChoice UnitDpA;

int UnitChoice::safeIndex() const
{
    return index >= 0 && index < names.size() ? index : 0;
}

QString UnitChoice::name() const
{
    return names.value(safeIndex());
}

float UnitChoice::factor() const
{
    return factors.value(safeIndex(), 1.0f);
}

QString UnitChoice::mask() const
{
    return masks.value(safeIndex());
}

QString UnitChoice::format(double internal) const
{
    return FormatMask(toShown(internal), mask());
}

void UnitChoice::choose(int candidate)
{
    index = static_cast<qint16>(candidate >= 0 && candidate < names.size() ? candidate : 0);
}

void fillUnitTables()
{
    UnitPt.names = {QStringLiteral("W"), QStringLiteral("Cal/h - Frig/h")};
    UnitPt.factors = {1.0f, 0.86f};
    UnitPt.masks = {QStringLiteral("######"), QStringLiteral("######")};

    UnitQa.names = {QStringLiteral("l/s"), QStringLiteral("m3/s"), QStringLiteral("m3/h")};
    UnitQa.factors = {1000.0f, 1.0f, 3600.0f};
    UnitQa.masks = {QStringLiteral("###0.0"), QStringLiteral("0.000"), QStringLiteral("#####")};

    UnitQw.names = {QStringLiteral("l/s"), QStringLiteral("l/h")};
    UnitQw.factors = {1000.0f, 3600000.0f};
    UnitQw.masks = {QStringLiteral("0.000"), QStringLiteral("#####")};

    UnitDpW.names = {QStringLiteral("kPa"), QStringLiteral("mH2O")};
    UnitDpW.factors = {1.0f, 0.102f};
    UnitDpW.masks = {QStringLiteral("##0.00"), QStringLiteral("#0.00")};

    UnitDpA.names = {QStringLiteral("Pa"), QStringLiteral("mmH2O")};
    UnitDpA.factors = {1.0f, 0.102f};
    UnitDpA.masks = {QStringLiteral("###"), QStringLiteral("#0.0")};
}

namespace {

void readUnitIndex(UnitChoice& unit, const QString& key)
{
    unit.choose(profileInteger(LeggiIni(QStringLiteral("Unmis"), key)).value_or(0));
}

} // namespace

void CaricaUnita()
{
    fillUnitTables();
    readUnitIndex(UnitPt, QStringLiteral("Pt"));
    readUnitIndex(UnitQa, QStringLiteral("Qa"));
    readUnitIndex(UnitQw, QStringLiteral("Qw"));
    readUnitIndex(UnitDpW, QStringLiteral("DpW"));
    readUnitIndex(UnitDpA, QStringLiteral("DpA"));
    readLanguageSettings();
}

} // namespace tarvello

#include "shell/units.h"

#include "engine/coil_state.h"
#include "platform/private_profile.h"
#include "shell/app_state.h"
#include "shell/display_mask.h"
#include "shell/language.h"
#include "shell/settings.h"

#include <QLineEdit>
#include <QLocale>

#include <cmath>

namespace tarvello {

UnitChoice UnitPt;
UnitChoice UnitQa;
UnitChoice UnitQw;
UnitChoice UnitDpW;
UnitChoice UnitDpA;
UnitChoice UnitT;

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

float UnitChoice::offset() const
{
    return offsets.value(safeIndex(), 0.0f);
}

QString UnitChoice::format(double internal) const
{
    return FormatMask(toShown(internal), mask());
}

void UnitChoice::choose(int candidate)
{
    index = static_cast<qint16>(candidate >= 0 && candidate < names.size() ? candidate : 0);
}

UnitChoice UnitChoice::with(int candidate) const
{
    UnitChoice other = *this;
    other.choose(candidate);
    return other;
}

namespace {

// Conversion factors, exact or as NIST SP 811 (2008) Appendix B gives them:
//  1 Btu_IT/h = 0.29307107 W; 1 ton of refrigeration = 12000 Btu_IT/h;
//  1 US gallon = 3.785411784 L (exact); 1 ft³ = 0.028316846592 m³ (exact);
//  1 inch of water, conventional (39.2 °F / 4 °C) = 249.082 Pa;
//  1 foot of water, conventional (39.2 °F / 4 °C) = 2.98898 kPa;
//  1 psi = 6.894757 kPa; °F = °C × 1.8 + 32 (exact).
constexpr double kWattsPerBtuH = 0.29307107;
constexpr double kBtuHPerTon = 12000.0;
constexpr double kCubicMetresPerUsGallon = 3.785411784e-3;
constexpr double kCubicMetresPerCubicFoot = 0.028316846592;
constexpr double kPascalsPerInchOfWater = 249.082;
constexpr double kKilopascalsPerFootOfWater = 2.98898;
constexpr double kKilopascalsPerPsi = 6.894757;
constexpr double kSecondsPerMinute = 60.0;

float perInternal(double internalPerShown)
{
    return float(1.0 / internalPerShown);
}

} // namespace

void fillUnitTables()
{
    UnitPt.names = {QStringLiteral("W"), QStringLiteral("Cal/h - Frig/h"), QStringLiteral("kW"),
                    QStringLiteral("Btu/h"), QStringLiteral("MBH"), QStringLiteral("tons")};
    UnitPt.factors = {1.0f, 0.86f, 0.001f, perInternal(kWattsPerBtuH), perInternal(kWattsPerBtuH * 1000.0),
                      perInternal(kWattsPerBtuH * kBtuHPerTon)};
    UnitPt.masks = {QStringLiteral("######"), QStringLiteral("######"), QStringLiteral("##0.00"),
                    QStringLiteral("######"), QStringLiteral("##0.0"), QStringLiteral("#0.00")};

    UnitQa.names = {QStringLiteral("l/s"), QStringLiteral("m3/s"), QStringLiteral("m3/h"), QStringLiteral("CFM")};
    UnitQa.factors = {1000.0f, 1.0f, 3600.0f, perInternal(kCubicMetresPerCubicFoot / kSecondsPerMinute)};
    UnitQa.masks = {QStringLiteral("###0.0"), QStringLiteral("0.000"), QStringLiteral("#####"), QStringLiteral("#####")};

    UnitQw.names = {QStringLiteral("l/s"), QStringLiteral("l/h"), QStringLiteral("GPM (US)")};
    UnitQw.factors = {1000.0f, 3600000.0f, perInternal(kCubicMetresPerUsGallon / kSecondsPerMinute)};
    UnitQw.masks = {QStringLiteral("0.000"), QStringLiteral("#####"), QStringLiteral("##0.00")};

    UnitDpW.names = {QStringLiteral("kPa"), QStringLiteral("mH2O"), QStringLiteral("ft wg"), QStringLiteral("psi")};
    UnitDpW.factors = {1.0f, 0.102f, perInternal(kKilopascalsPerFootOfWater), perInternal(kKilopascalsPerPsi)};
    UnitDpW.masks = {QStringLiteral("##0.00"), QStringLiteral("#0.00"), QStringLiteral("#0.00"), QStringLiteral("#0.00")};

    UnitDpA.names = {QStringLiteral("Pa"), QStringLiteral("mmH2O"), QStringLiteral("in. wg")};
    UnitDpA.factors = {1.0f, 0.102f, perInternal(kPascalsPerInchOfWater)};
    UnitDpA.masks = {QStringLiteral("###"), QStringLiteral("#0.0"), QStringLiteral("0.00")};

    UnitT.names = {QStringLiteral("°C"), QStringLiteral("°F")};
    UnitT.factors = {1.0f, 1.8f};
    UnitT.offsets = {0.0f, 32.0f};
    UnitT.masks = {kLeavingAirMask, kLeavingAirMask};
}

namespace {

const QString kUnitsSection = QStringLiteral("Unmis");

void readUnitIndex(UnitChoice& unit, const QString& key)
{
    unit.choose(profileInteger(LeggiIni(kUnitsSection, key)).value_or(0));
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
    readUnitIndex(UnitT, QStringLiteral("T"));
    readLanguageSettings();
}

const UnitChoice* userUnitOf(ColumnQuantity quantity)
{
    switch (quantity) {
    case ColumnQuantity::Power: return &UnitPt;
    case ColumnQuantity::WaterFlow: return &UnitQw;
    case ColumnQuantity::WaterPressureDrop: return &UnitDpW;
    case ColumnQuantity::AirFlow: return &UnitQa;
    case ColumnQuantity::AirPressure: return &UnitDpA;
    case ColumnQuantity::Temperature: return &UnitT;
    case ColumnQuantity::SoundLevel: return nullptr;
    }
    return nullptr;
}

QString powerUnitNameForMode(const QString& name, int mode)
{
    return mode == ModeHeating ? name.left(6) : name.right(6);
}

QString userUnitName(ColumnQuantity quantity, int mode)
{
    if (quantity == ColumnQuantity::Power)
        return powerUnitNameForMode(UnitPt.name(), mode);
    if (const UnitChoice* unit = userUnitOf(quantity))
        return unit->name();
    return QStringLiteral("dB(A)");
}

double temperatureDifferenceToShown(double kelvin)
{
    return kelvin * double(UnitT.factor());
}

// --- the six choices at once -------------------------------------------------------------

UnitSelection currentUnits()
{
    return {UnitPt.index, UnitQa.index, UnitQw.index, UnitDpW.index, UnitDpA.index, UnitT.index};
}

void applyUnits(const UnitSelection& units)
{
    UnitPt.choose(units.power);
    UnitQa.choose(units.airFlow);
    UnitQw.choose(units.waterFlow);
    UnitDpW.choose(units.waterPressure);
    UnitDpA.choose(units.airPressure);
    UnitT.choose(units.temperature);
}

UnitSelection metricUnits()
{
    return {};
}

UnitSelection imperialUnits()
{
    return {PowerBtuH, AirFlowCFM, WaterFlowGPM, WaterFtWg, AirInWg, TempFahrenheit};
}

int unitIndexOf(const UnitSelection& units, ColumnQuantity quantity)
{
    switch (quantity) {
    case ColumnQuantity::Power: return units.power;
    case ColumnQuantity::WaterFlow: return units.waterFlow;
    case ColumnQuantity::WaterPressureDrop: return units.waterPressure;
    case ColumnQuantity::AirFlow: return units.airFlow;
    case ColumnQuantity::AirPressure: return units.airPressure;
    case ColumnQuantity::Temperature: return units.temperature;
    case ColumnQuantity::SoundLevel: return 0;
    }
    return 0;
}

QString unitSelectionText(const UnitSelection& units)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6")
        .arg(units.power)
        .arg(units.airFlow)
        .arg(units.waterFlow)
        .arg(units.waterPressure)
        .arg(units.airPressure)
        .arg(units.temperature);
}

std::optional<UnitSelection> parseUnitSelection(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 6)
        return std::nullopt;
    qint16 indexes[6];
    for (int i = 0; i < 6; ++i) {
        const std::optional<qint16> index = profileInteger(parts[i]);
        if (!index || *index < 0)
            return std::nullopt;
        indexes[i] = *index;
    }
    return UnitSelection{indexes[0], indexes[1], indexes[2], indexes[3], indexes[4], indexes[5]};
}

double convertShown(double shown, ColumnQuantity quantity, const UnitSelection& from, const UnitSelection& to)
{
    const UnitChoice* table = userUnitOf(quantity);
    if (!table)
        return shown;
    const double internal = table->with(unitIndexOf(from, quantity)).toInternal(shown);
    return table->with(unitIndexOf(to, quantity)).toShown(internal);
}

// --- typed fields ------------------------------------------------------------------------

namespace {

// A typed number with either decimal separator, and how many decimals it was typed with.
struct TypedNumber {
    double value = 0;
    int decimals = 0;
};

std::optional<TypedNumber> typedNumber(const QString& text)
{
    QString plain = text.trimmed();
    plain.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const qsizetype point = plain.indexOf(u'.');
    const bool exponent = plain.contains(u'e', Qt::CaseInsensitive);
    return TypedNumber{value, point < 0 || exponent ? 0 : int(plain.size() - point - 1)};
}

double roundedTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

int maskDecimals(const QString& mask)
{
    const qsizetype point = mask.indexOf(u'.');
    return point < 0 ? 0 : int(mask.size() - point - 1);
}

// The decimals beyond which a converted field stops looking for a shorter text.
constexpr int kMostFieldDecimals = 6;

QString numberText(double value, int decimals)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, 'f', decimals);
    return DecimalSep.isEmpty() ? text : matchDecimalSeparator(text, DecimalSep);
}

} // namespace

QString convertedFieldText(const QString& text, ColumnQuantity quantity, const UnitSelection& from,
                           const UnitSelection& to)
{
    if (unitIndexOf(from, quantity) == unitIndexOf(to, quantity))
        return text;
    const std::optional<TypedNumber> typed = typedNumber(text);
    // A zero or empty field means "not given" in every unit.
    if (!typed || typed->value == 0)
        return text;
    const double converted = convertShown(typed->value, quantity, from, to);
    const double typedValue = roundedTo(typed->value, typed->decimals);
    // Within one step of the new unit's mask, and back to the typed value in its precision.
    const double step = std::pow(10.0, -maskDecimals(userUnitOf(quantity)->with(unitIndexOf(to, quantity)).mask()));
    for (int decimals = 0; decimals < kMostFieldDecimals; ++decimals) {
        const double candidate = roundedTo(converted, decimals);
        const bool close = std::fabs(candidate - converted) <= step;
        if (close && roundedTo(convertShown(candidate, quantity, to, from), typed->decimals) == typedValue)
            return numberText(candidate, decimals);
    }
    return numberText(converted, kMostFieldDecimals);
}

namespace {

struct FieldFamily {
    const char* name;
    ColumnQuantity quantity;
};

// The fields of both selection windows that hold a value in one of the user's units.
constexpr FieldFamily kUnitFields[] = {
    {"txtTsa1", ColumnQuantity::Temperature},    {"txtTbu", ColumnQuantity::Temperature},
    {"txtTw1", ColumnQuantity::Temperature},     {"txtTw2", ColumnQuantity::Temperature},
    {"txtTsa1ric", ColumnQuantity::Temperature}, {"txtTburic", ColumnQuantity::Temperature},
    {"txtTsa1rin", ColumnQuantity::Temperature}, {"txttburin", ColumnQuantity::Temperature},
    {"txtQw", ColumnQuantity::WaterFlow},        {"txtpsu", ColumnQuantity::AirPressure},
    {"txtqatot", ColumnQuantity::AirFlow},       {"txtPotric", ColumnQuantity::Power},
};

// The field names a section may hold: each name bare and as element 0 and 1.
QStringList savedFieldNames()
{
    QStringList names;
    for (const FieldFamily& field : kUnitFields) {
        const QString base = QString::fromLatin1(field.name);
        names << base << base + QStringLiteral("(0)") << base + QStringLiteral("(1)");
    }
    return names;
}

UnitSelection savedUnitsOf(const QString& section, const UnitSelection& fallback)
{
    return parseUnitSelection(LeggiIni(section, kFieldUnitsKey)).value_or(fallback);
}

} // namespace

std::optional<ColumnQuantity> fieldQuantity(const QString& fieldName)
{
    const qsizetype bracket = fieldName.indexOf(u'(');
    const QString base = bracket < 0 ? fieldName : fieldName.left(bracket);
    for (const FieldFamily& field : kUnitFields)
        if (base == QLatin1String(field.name))
            return field.quantity;
    return std::nullopt;
}

void convertFields(const QList<QLineEdit*>& boxes, const UnitSelection& from, const UnitSelection& to)
{
    for (QLineEdit* box : boxes) {
        if (!box)
            continue;
        if (const std::optional<ColumnQuantity> quantity = fieldQuantity(box->objectName()))
            box->setText(convertedFieldText(box->text(), *quantity, from, to));
    }
}

void saveFieldsWithUnits(const QList<QLineEdit*>& boxes, const QString& section)
{
    QList<QPair<QString, QString>> keysAndValues;
    for (const QLineEdit* box : boxes) {
        if (box && !box->objectName().isEmpty())
            keysAndValues.append({box->objectName(), box->text()});
    }
    if (keysAndValues.isEmpty())
        return;
    // One write: the fields and their units can never disagree in the file.
    keysAndValues.append({kFieldUnitsKey, unitSelectionText(currentUnits())});
    writeSettings(section, keysAndValues);
}

void restoreFieldsInUnits(const QList<QLineEdit*>& boxes, const QString& section)
{
    RipristinaCampi(boxes, section);
    convertFields(boxes, savedUnitsOf(section, currentUnits()), currentUnits());
}

void convertSavedFields(const QString& section, const UnitSelection& from, const UnitSelection& to)
{
    const UnitSelection saved = savedUnitsOf(section, from);
    if (saved == to)
        return;
    QList<QPair<QString, QString>> keysAndValues;
    for (const QString& key : savedFieldNames()) {
        const QString text = LeggiIni(section, key);
        if (!text.isEmpty())
            keysAndValues.append({key, convertedFieldText(text, *fieldQuantity(key), saved, to)});
    }
    if (keysAndValues.isEmpty())
        return;
    // Written without a message of its own: the change of units tells the user once when
    // the settings cannot be saved, and fields left unconverted still name their units.
    QList<ProfileEntry> entries;
    for (const auto& [key, value] : keysAndValues)
        entries.append({key, value});
    entries.append({kFieldUnitsKey, unitSelectionText(to)});
    WritePrivateProfileSection(section, entries, settingsFilePath());
}

} // namespace tarvello

#include "modeldata/model_loaders.h"

#include "engine/coil_constants.h"
#include "modeldata/model_db.h"

#include <charconv>
#include <cmath>
#include <string>
#include <type_traits>

namespace tarvello {
namespace {

PendingEventsHook& programHook()
{
    static PendingEventsHook hook;
    return hook;
}

// The range of values a column can physically hold, in the unit the model table keeps
// it in. `aboveLowest`: the lowest value itself is excluded (a length, a section).
struct PhysicalRange {
    double lowest;
    double highest;
    bool aboveLowest;
    const char* unit;

    bool holds(double value) const
    {
        return (aboveLowest ? value > lowest : value >= lowest) && value <= highest;
    }
    std::string text() const
    {
        return (aboveLowest ? "above " + number(lowest) + " and up to " : "from " + number(lowest) + " to ")
               + number(highest) + (*unit ? std::string(" ") + unit : std::string());
    }
    static std::string number(double value)
    {
        char buffer[32];
        return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    }
};

// ---- The physical bounds of every loaded column ----
// Wide enough for any unit the range could hold, narrow enough that a damaged number
// (a flipped byte turns 0.2 into 1e17) cannot pass. The codes are the indexes of the
// coil constant tables (Geom 0..3, Passo 0..7).
constexpr PhysicalRange kGeometryCode{0, 3, false, "(coil geometry code)"};
constexpr PhysicalRange kFinPitchCode{0, 7, false, "(fin pitch code)"};
constexpr PhysicalRange kCoilLength_mm{0, 10000, true, "mm"};
constexpr PhysicalRange kCoilHeight_mm{0, 5000, true, "mm"};
constexpr PhysicalRange kRows{1, 20, false, "rows"};
constexpr PhysicalRange kCircuits{1, 200, false, "circuits"};
// Fan curve p = A*Q^2 + B*Q + C (Pa, Q in m3/h); the curve as a whole is checked by
// checkFanCurve.
constexpr PhysicalRange kFanCurveA{-1, 0, false, "Pa/(m3/h)^2"};
constexpr PhysicalRange kFanCurveB{-100, 100, false, "Pa/(m3/h)"};
constexpr PhysicalRange kFanShutOffPressure_Pa{0, 5000, true, "Pa"};
constexpr PhysicalRange kBypassCoefficient{0, 1, true, ""};
constexpr PhysicalRange kAirSideCoefficient{0, 1000, true, ""};
constexpr PhysicalRange kCircuitLengthCoefficient{0, 10, false, ""};
constexpr PhysicalRange kSoundLevel_dBA{0, 120, false, "dB(A)"};
constexpr PhysicalRange kFreeAirSection_m2{0, 10, true, "m2"};
constexpr PhysicalRange kOutlets{1, 100, false, "outlets"};
constexpr PhysicalRange kAccessoryCoefficient{0, 1000, false, ""};
constexpr PhysicalRange kAccessoryExponent{0, 4, true, ""};
// The flow at which a fan curve reaches zero pressure (free delivery), m3/h.
constexpr double kMaxFreeDelivery_m3h = 100000;

// Reads the fields of the current row of `rs`, reporting every value the model table
// cannot hold with the table, the row and the column.
class RowReader {
public:
    RowReader(const Recordset& rs, const char* table, int row) : rs_(rs), table_(table), row_(row) {}

    std::string text(const std::string& column) const
    {
        const FieldValue& value = present(column);
        return convert(column, [&] { return value.toText(); });
    }

    // 16-bit fields are rounded to the nearest whole number (half to even).
    int16_t integer(const std::string& column, const PhysicalRange& range) const
    {
        const FieldValue& value = present(column);
        const int16_t result = convert(column, [&] { return value.toInteger(); });
        checkRange(column, result, range);
        return result;
    }

    float single(const std::string& column, const PhysicalRange& range) const
    {
        const FieldValue& value = present(column);
        const float result = convert(column, [&] { return value.toSingle(); });
        if (!std::isfinite(result))
            fail(column, "the value is not a finite number.");
        checkRange(column, result, range);
        return result;
    }

    [[noreturn]] void fail(const std::string& column, const std::string& reason) const
    {
        throw ModelDataError("Table " + std::string(table_) + ", row " + std::to_string(row_) + ", column "
                             + column + ": " + reason);
    }

private:
    // The field, or an error when it is Null (a missing column gives the engine's error).
    const FieldValue& present(const std::string& column) const
    {
        const FieldValue& value = rs_.field(column);
        if (value.isNull())
            fail(column, "the value is empty (Null).");
        return value;
    }

    template <typename Conversion>
    std::invoke_result_t<Conversion> convert(const std::string& column, Conversion conversion) const
    {
        try {
            return conversion();
        } catch (const DatabaseError& e) {
            if (e.number() == dberr::Overflow)
                fail(column, "the value is outside the range of its field (" + rs_.field(column).toText() + ").");
            fail(column, e.what());
        }
    }

    void checkRange(const std::string& column, double value, const PhysicalRange& range) const
    {
        if (!range.holds(value))
            fail(column, "the value " + rs_.field(column).toText() + " is outside the physical range of the column ("
                             + range.text() + "); the database may be damaged.");
    }

    const Recordset& rs_;
    const char* table_;
    int row_;
};

// A fan curve must end: its pressure falls to zero at a positive flow no larger than
// kMaxFreeDelivery_m3h, falling as the flow rises towards that point. (A short rise at
// low flow, before the curve's peak, is what real fans do.)
void checkFanCurve(const RowReader& row, int speed, double a, double b, double c)
{
    double freeDelivery = -1; // the positive root of a*Q^2 + b*Q + c, c > 0
    if (a < 0)
        freeDelivery = (b + std::sqrt(b * b - 4 * a * c)) / (-2 * a);
    else if (b < 0)
        freeDelivery = c / -b;
    if (freeDelivery > 0 && freeDelivery <= kMaxFreeDelivery_m3h)
        return;
    const std::string s = std::to_string(speed);
    row.fail("V" + s + "A, V" + s + "B, V" + s + "C",
             "the fan curve of speed " + s + " does not fall to zero pressure at a flow up to "
                 + PhysicalRange::number(kMaxFreeDelivery_m3h) + " m3/h; the database may be damaged.");
}

// What differs between the three lines: their tables, limits and series code.
using LineLayout = ProductLineInfo;

constexpr const LineLayout& kKX = kProductLines[LineKX];
constexpr const LineLayout& kMRZ = kProductLines[LineMRZ];
constexpr const LineLayout& kHJQ = kProductLines[LineHJQ];

std::string speedColumn(const char* prefix, int speed, const char* suffix = "")
{
    return prefix + std::to_string(speed) + suffix;
}

// Re-dimensioning: the arrays the line has columns for lose their contents; the others
// keep theirs (line 0 keeps CCC50, Sezione, Bocche and the accessories; the ducted
// lines keep the per-speed coefficients and LPA of line 0).
void clearLineArrays(ModelTable& t, ProductLine line)
{
    t.Modello = {};
    t.Geom = {};
    t.Passo = {};
    t.LunBat = {};
    t.AltBAt = {};
    t.NR = {};
    t.NC = {};
    t.VelA = {};
    t.VelB = {};
    t.VelC = {};
    t.C100 = {};
    t.FC30 = {};
    t.CC30 = {};
    t.FCC50 = {};
    t.LWA = {};
    if (line == LineKX) {
        t.F2C100 = {};
        t.F2C30 = {};
        t.C2C30 = {};
        t.F3C100 = {};
        t.F3C30 = {};
        t.C3C30 = {};
        t.LPA = {};
    } else {
        t.CCC50 = {};
        t.Sezione = {};
        t.Bocche = {};
        t.Cost = {};
        t.Espo = {};
        t.OPZBoc = {};
        t.NumAccessories = 0;
    }
    t.NumModels = 0;
}

// The column lists of the three lines, each column with its bounds (above).
void readCommonFields(ModelTable& t, int m, const RowReader& row)
{
    t.Modello[m] = row.text("Modello");
    t.Geom[m] = row.integer("Geom", kGeometryCode);
    t.Passo[m] = row.integer("Passo", kFinPitchCode);
    t.LunBat[m] = row.single("LunBat", kCoilLength_mm);
    t.AltBAt[m] = row.single("AltBAt", kCoilHeight_mm);
    t.NR[m] = row.single("NR", kRows);
    t.NC[m] = row.single("NC", kCircuits);
    for (int s = 1; s <= speedCountOf(t.line); ++s) {
        t.VelA[m][s] = row.single(speedColumn("V", s, "A"), kFanCurveA);
        t.VelB[m][s] = row.single(speedColumn("V", s, "B"), kFanCurveB);
        t.VelC[m][s] = row.single(speedColumn("V", s, "C"), kFanShutOffPressure_Pa);
        checkFanCurve(row, s, t.VelA[m][s], t.VelB[m][s], t.VelC[m][s]);
        t.LWA[m][s] = row.single(speedColumn("LWA", s), kSoundLevel_dBA);
    }
}

void readKXFields(ModelTable& t, int m, const RowReader& row)
{
    t.C100[m] = row.single("F1C100", kBypassCoefficient);
    t.FC30[m] = row.single("F1C30", kAirSideCoefficient);
    t.CC30[m] = row.single("C1C30", kAirSideCoefficient);
    t.F2C100[m] = row.single("F2C100", kBypassCoefficient);
    t.F2C30[m] = row.single("F2C30", kAirSideCoefficient);
    t.C2C30[m] = row.single("C2C30", kAirSideCoefficient);
    t.F3C100[m] = row.single("F3C100", kBypassCoefficient);
    t.F3C30[m] = row.single("F3C30", kAirSideCoefficient);
    t.C3C30[m] = row.single("C3C30", kAirSideCoefficient);
    t.FCC50[m] = row.single("CC50", kCircuitLengthCoefficient);
    for (int s = 1; s <= speedCountOf(LineKX); ++s)
        t.LPA[m][s] = row.single(speedColumn("LPA", s), kSoundLevel_dBA);
}

void readDuctedFields(ModelTable& t, int m, const RowReader& row)
{
    t.C100[m] = row.single("C100", kBypassCoefficient);
    t.FC30[m] = row.single("FC30", kAirSideCoefficient);
    t.CC30[m] = row.single("CC30", kAirSideCoefficient);
    t.FCC50[m] = row.single("FCC50", kCircuitLengthCoefficient);
    t.CCC50[m] = row.single("CCC50", kCircuitLengthCoefficient);
    t.Sezione[m] = row.single("Sezione", kFreeAirSection_m2);
    t.Bocche[m] = row.integer("Bocche", kOutlets);
}

void readAccessoryFields(ModelTable& t, int a, const RowReader& row)
{
    t.Cost[a] = row.single("Cost", kAccessoryCoefficient);
    t.Espo[a] = row.single("Espo", kAccessoryExponent);
    t.OPZBoc[a] = row.text("OPZBoc");
}

[[noreturn]] void failTable(const char* table, const std::string& reason)
{
    throw ModelDataError("Table " + std::string(table) + ": " + reason);
}

// Runs `readRow(element, reader)` for every row of `table`, at most `limit` rows.
template <typename ReadRow>
int16_t readRows(const AccessDatabase& db, const char* table, int limit, const PendingEventsHook& onRow,
                 ReadRow readRow)
{
    Recordset rs = db.openRecordset(std::string("select * from ") + table);
    rs.moveFirst();
    int count = 0;
    while (!rs.eof()) {
        ++count;
        if (count > limit)
            failTable(table, "row " + std::to_string(count) + " is more than the " + std::to_string(limit)
                                 + " rows the program can hold.");
        readRow(count, RowReader(rs, table, count));
        rs.moveNext();
        if (onRow)
            onRow();
    }
    rs.close();
    if (count == 0)
        failTable(table, "the table holds no rows.");
    return int16_t(count);
}

void loadLine(ModelTable& t, const AccessDatabase& db, const LineLayout& layout, const PendingEventsHook& onRow)
{
    t.line = layout.id;
    // The fan coils keep the series code the ducted window last used (the chooser never
    // sets one for them).
    if (layout.ducted())
        t.SeriesCode = layout.seriesCode;
    clearLineArrays(t, layout.id);
    ImpostaCoefficienti(layout.id);

    t.NumModels = readRows(db, layout.modelTable, maxModelsOf(layout.id), onRow,
                           [&](int m, const RowReader& row) {
                               readCommonFields(t, m, row);
                               if (layout.id == LineKX)
                                   readKXFields(t, m, row);
                               else
                                   readDuctedFields(t, m, row);
                           });
    if (!layout.accessoryTable)
        return;
    t.NumAccessories = readRows(db, layout.accessoryTable, kMaxAccessories, onRow,
                                [&](int a, const RowReader& row) { readAccessoryFields(t, a, row); });
}

} // namespace

void setPendingEventsHook(PendingEventsHook hook)
{
    programHook() = std::move(hook);
}

void CaricaDatiKORVE(ModelTable& table, const AccessDatabase& db, const PendingEventsHook& onRow)
{
    loadLine(table, db, kKX, onRow);
}

void CaricaDatiMRZ(ModelTable& table, const AccessDatabase& db, const PendingEventsHook& onRow)
{
    loadLine(table, db, kMRZ, onRow);
}

void CaricaDatiHJQ(ModelTable& table, const AccessDatabase& db, const PendingEventsHook& onRow)
{
    loadLine(table, db, kHJQ, onRow);
}

void CaricaDatiKORVE() { CaricaDatiKORVE(modelTable(), ModelDb(), programHook()); }
void CaricaDatiMRZ() { CaricaDatiMRZ(modelTable(), ModelDb(), programHook()); }
void CaricaDatiHJQ() { CaricaDatiHJQ(modelTable(), ModelDb(), programHook()); }

void CaricaLinea(int line)
{
    switch (line) {
    case LineKX: CaricaDatiKORVE(); break;
    case LineMRZ: CaricaDatiMRZ(); break;
    case LineHJQ: CaricaDatiHJQ(); break;
    default: break; // no such line: nothing to load
    }
}

} // namespace tarvello

#include "modeldata/model_loaders.h"

#include "engine/coil_constants.h"
#include "modeldata/model_db.h"

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
    int16_t integer(const std::string& column) const
    {
        const FieldValue& value = present(column);
        return convert(column, [&] { return value.toInteger(); });
    }

    float single(const std::string& column) const
    {
        const FieldValue& value = present(column);
        const float result = convert(column, [&] { return value.toSingle(); });
        if (!std::isfinite(result))
            fail(column, "the value is not a finite number.");
        return result;
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

    [[noreturn]] void fail(const std::string& column, const std::string& reason) const
    {
        throw ModelDataError("Table " + std::string(table_) + ", row " + std::to_string(row_) + ", column "
                             + column + ": " + reason);
    }

    const Recordset& rs_;
    const char* table_;
    int row_;
};

// What differs between the three lines.
struct LineLayout {
    ProductLine line;
    const char* modelTable;
    const char* accessoryTable; // nullptr: the line has none
};

constexpr LineLayout kKX{LineKX, "DatiKORVE", nullptr};
constexpr LineLayout kMRZ{LineMRZ, "DatiMRZ", "DPAcc"};
constexpr LineLayout kHJQ{LineHJQ, "DatiHJQ", "DPAccHJQ"};

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

void readCommonFields(ModelTable& t, int m, const RowReader& row)
{
    t.Modello[m] = row.text("Modello");
    t.Geom[m] = row.integer("Geom");
    t.Passo[m] = row.integer("Passo");
    t.LunBat[m] = row.single("LunBat");
    t.AltBAt[m] = row.single("AltBAt");
    t.NR[m] = row.single("NR");
    t.NC[m] = row.single("NC");
    for (int s = 1; s <= speedCountOf(t.line); ++s) {
        t.VelA[m][s] = row.single(speedColumn("V", s, "A"));
        t.VelB[m][s] = row.single(speedColumn("V", s, "B"));
        t.VelC[m][s] = row.single(speedColumn("V", s, "C"));
        t.LWA[m][s] = row.single(speedColumn("LWA", s));
    }
}

void readKXFields(ModelTable& t, int m, const RowReader& row)
{
    t.C100[m] = row.single("F1C100");
    t.FC30[m] = row.single("F1C30");
    t.CC30[m] = row.single("C1C30");
    t.F2C100[m] = row.single("F2C100");
    t.F2C30[m] = row.single("F2C30");
    t.C2C30[m] = row.single("C2C30");
    t.F3C100[m] = row.single("F3C100");
    t.F3C30[m] = row.single("F3C30");
    t.C3C30[m] = row.single("C3C30");
    t.FCC50[m] = row.single("CC50");
    for (int s = 1; s <= speedCountOf(LineKX); ++s)
        t.LPA[m][s] = row.single(speedColumn("LPA", s));
}

void readDuctedFields(ModelTable& t, int m, const RowReader& row)
{
    t.C100[m] = row.single("C100");
    t.FC30[m] = row.single("FC30");
    t.CC30[m] = row.single("CC30");
    t.FCC50[m] = row.single("FCC50");
    t.CCC50[m] = row.single("CCC50");
    t.Sezione[m] = row.single("Sezione");
    t.Bocche[m] = row.integer("Bocche");
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
    t.line = layout.line;
    clearLineArrays(t, layout.line);
    ImpostaCoefficienti(layout.line);

    t.NumModels = readRows(db, layout.modelTable, maxModelsOf(layout.line), onRow,
                           [&](int m, const RowReader& row) {
                               readCommonFields(t, m, row);
                               if (layout.line == LineKX)
                                   readKXFields(t, m, row);
                               else
                                   readDuctedFields(t, m, row);
                           });
    if (!layout.accessoryTable)
        return;
    t.NumAccessories = readRows(db, layout.accessoryTable, kMaxAccessories, onRow,
                                [&](int a, const RowReader& row) {
                                    t.Cost[a] = row.single("Cost");
                                    t.Espo[a] = row.single("Espo");
                                    t.OPZBoc[a] = row.text("OPZBoc");
                                });
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

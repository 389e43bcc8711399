#include "modeldata/unit_data_loader.h"

#include "modeldata/model_loaders.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace tarvello {

namespace {

constexpr int kMaxSpeeds = 7;

struct Bounds {
    double lowest, highest;
};
// Wide enough for any unit of the range, narrow enough that a damaged number cannot pass.
constexpr Bounds kDimension_mm{50, 5000};
constexpr Bounds kWeight_kg{1, 2000};
constexpr Bounds kWaterContent_l{0.01, 200};
constexpr Bounds kSpeeds{1, kMaxSpeeds};
constexpr Bounds kFanPower_W{0.5, 20000};
constexpr Bounds kMotorCurrent_A{0.001, 100};
constexpr Bounds kEnergyIndex{1, 2000};

bool sameName(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower((unsigned char)x) == std::tolower((unsigned char)y); });
}

class UnitRow {
public:
    UnitRow(const Recordset& rs, int row) : rs_(rs), row_(row) {}

    std::string text(const char* column) const
    {
        const FieldValue& value = rs_.field(column);
        return value.isNull() ? std::string() : value.toText();
    }

    double number(const std::string& column, const Bounds& bounds) const
    {
        const FieldValue& value = rs_.field(column);
        if (value.isNull())
            fail(column, "the value is empty (Null).");
        double result = 0;
        try {
            result = value.toDouble();
        } catch (const DatabaseError& e) {
            fail(column, e.what());
        }
        if (!std::isfinite(result) || result < bounds.lowest || result > bounds.highest)
            fail(column, "the value " + value.toText() + " is outside the physical range of the column; the "
                                                            "database may be damaged.");
        return result;
    }

    std::optional<double> optionalNumber(const char* column, const Bounds& bounds) const
    {
        if (rs_.field(column).isNull())
            return std::nullopt;
        return number(column, bounds);
    }

    [[noreturn]] void fail(const std::string& column, const std::string& reason) const
    {
        throw ModelDataError("Table " + std::string(kUnitDataTable) + ", row " + std::to_string(row_) + ", column "
                             + column + ": " + reason);
    }

private:
    const Recordset& rs_;
    int row_;
};

energy::UnitData readUnit(const UnitRow& row)
{
    energy::UnitData u;
    u.model = row.text("Modello");
    if (u.model.empty())
        row.fail("Modello", "the model name is empty.");
    u.width_mm = row.number("Larghezza", kDimension_mm);
    u.height_mm = row.number("Altezza", kDimension_mm);
    u.depth_mm = row.number("Profondita", kDimension_mm);
    u.weight_kg = row.number("Peso", kWeight_kg);
    u.waterConnection = row.text("Attacco");
    u.heatingConnection = row.text("Attacco4P");
    u.waterContent_l = row.number("Contenuto", kWaterContent_l);
    const int speeds = static_cast<int>(row.number("Velocita", kSpeeds));
    for (int s = 1; s <= speeds; ++s) {
        u.fanPower_W.push_back(row.number("P" + std::to_string(s), kFanPower_W));
        u.motorCurrent_A.push_back(row.number("I" + std::to_string(s), kMotorCurrent_A));
    }
    u.supply = row.text("Tensione");
    u.energy.fceer = row.optionalNumber("FCEER", kEnergyIndex);
    u.energy.fccop = row.optionalNumber("FCCOP", kEnergyIndex);
    return u;
}

} // namespace

energy::UnitDataTable loadUnitData(const AccessDatabase& db)
{
    energy::UnitDataTable table;
    const std::vector<std::string> names = db.tableNames();
    if (std::none_of(names.begin(), names.end(), [](const std::string& n) { return sameName(n, kUnitDataTable); }))
        return table;
    Recordset rs = db.openRecordset(std::string("select * from ") + kUnitDataTable);
    rs.moveFirst();
    int row = 0;
    while (!rs.eof()) {
        table.add(readUnit(UnitRow(rs, ++row)));
        rs.moveNext();
    }
    return table;
}

void loadProgramUnitData(const AccessDatabase& db)
{
    energy::unitDataTable().clear();
    energy::unitDataTable() = loadUnitData(db);
}

} // namespace tarvello

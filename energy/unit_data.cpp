#include "energy/unit_data.h"

namespace tarvello::energy {

std::optional<double> UnitData::fanPowerAt(int speed) const
{
    if (speed < 1 || speed > static_cast<int>(fanPower_W.size()))
        return std::nullopt;
    return fanPower_W[static_cast<size_t>(speed - 1)];
}

void UnitDataTable::add(UnitData data)
{
    std::string name = data.model;
    units_.insert_or_assign(std::move(name), std::move(data));
}

const UnitData* UnitDataTable::find(const std::string& model) const
{
    const auto it = units_.find(model);
    return it == units_.end() ? nullptr : &it->second;
}

UnitDataTable& unitDataTable()
{
    static UnitDataTable table;
    return table;
}

} // namespace tarvello::energy

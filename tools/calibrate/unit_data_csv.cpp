#include "tools/calibrate/unit_data_csv.h"

#include "engine/product_lines.h"
#include "tools/calibrate/product_csv.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace tarvello::catalogue {

namespace {

std::filesystem::path unitDataFile(const std::filesystem::path& dataDir)
{
    return dataDir / (std::string(kUnitDataTableName) + ".csv");
}

class Columns {
public:
    Columns(const CsvText& csv, std::string file) : file_(std::move(file))
    {
        for (const std::string& cell : csv.header)
            names_.push_back(columnName(cell));
    }

    size_t index(const std::string& name) const
    {
        for (size_t i = 0; i < names_.size(); ++i)
            if (names_[i] == name)
                return i;
        throw ProductCsvError(file_ + ": no column " + name);
    }

    double number(const std::vector<std::string>& row, const std::string& name, int rowNumber) const
    {
        const std::string& text = row.at(index(name));
        try {
            size_t used = 0;
            const double value = std::stod(text, &used);
            if (used == text.size() && std::isfinite(value))
                return value;
        } catch (const std::exception&) {
        }
        throw ProductCsvError(file_ + " row " + std::to_string(rowNumber) + ", column " + name + ": \"" + text
                              + "\" is not a number");
    }

    bool has(const std::string& name) const
    {
        for (const std::string& n : names_)
            if (n == name)
                return true;
        return false;
    }

private:
    std::string file_;
    std::vector<std::string> names_;
};

std::string indexCell(const std::optional<double>& index)
{
    if (!index)
        return {};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", *index);
    return buffer;
}

std::vector<energy::SpeedFigures> speedFigures(const CatalogueRuns& runs, int model, const energy::UnitData& unit,
                                               bool cooling)
{
    std::vector<energy::SpeedFigures> out;
    for (int s = 1; s <= runs.speeds(); ++s) {
        const ModelOutcome& outcome = cooling ? runs.cooling(model, s) : runs.heating(model, s);
        energy::SpeedFigures f;
        if (outcome.listed())
            f.capacity_W = outcome.rating.Capacity;
        f.fanPower_W = unit.fanPowerAt(s).value_or(0);
        out.push_back(f);
    }
    return out;
}

} // namespace

energy::UnitDataTable readUnitData(const std::filesystem::path& dataDir)
{
    const std::filesystem::path file = unitDataFile(dataDir);
    const CsvText csv = readCsvText(file);
    const Columns c(csv, file.filename().string());
    energy::UnitDataTable table;
    int rowNumber = 1;
    for (const auto& row : csv.rows) {
        ++rowNumber;
        energy::UnitData u;
        u.model = row.at(c.index("Modello"));
        u.width_mm = c.number(row, "Larghezza", rowNumber);
        u.height_mm = c.number(row, "Altezza", rowNumber);
        u.depth_mm = c.number(row, "Profondita", rowNumber);
        u.weight_kg = c.number(row, "Peso", rowNumber);
        u.waterConnection = row.at(c.index("Attacco"));
        u.heatingConnection = row.at(c.index("Attacco4P"));
        u.waterContent_l = c.number(row, "Contenuto", rowNumber);
        const int speeds = static_cast<int>(c.number(row, "Velocita", rowNumber));
        for (int s = 1; s <= speeds; ++s) {
            u.fanPower_W.push_back(c.number(row, "P" + std::to_string(s), rowNumber));
            u.motorCurrent_A.push_back(c.number(row, "I" + std::to_string(s), rowNumber));
        }
        u.supply = row.at(c.index("Tensione"));
        if (c.has("FCEER") && !row.at(c.index("FCEER")).empty())
            u.energy.fceer = c.number(row, "FCEER", rowNumber);
        if (c.has("FCCOP") && !row.at(c.index("FCCOP")).empty())
            u.energy.fccop = c.number(row, "FCCOP", rowNumber);
        table.add(std::move(u));
    }
    return table;
}

energy::EnergyFigures catalogueEnergy(const CatalogueRuns& runs, int model, const energy::UnitData& unit)
{
    const std::string& name = runs.modelName(model);
    energy::EnergyFigures figures;
    if (!isHeatingOnly(name))
        figures.fceer = energy::energyIndex(speedFigures(runs, model, unit, true));
    if (!isCoolingOnly(name))
        figures.fccop = energy::energyIndex(speedFigures(runs, model, unit, false));
    return figures;
}

void writeEnergyIndexes(const std::vector<const ModelTable*>& tables, const std::filesystem::path& dataDir)
{
    const std::filesystem::path file = unitDataFile(dataDir);
    CsvText csv = readCsvText(file);
    const Columns c(csv, file.filename().string());
    const energy::UnitDataTable units = readUnitData(dataDir);
    for (const ModelTable* table : tables) {
        const CatalogueRuns runs(*table);
        for (int m = 1; m <= table->NumModels; ++m)
            for (auto& row : csv.rows) {
                if (row.at(0) != table->Modello[m])
                    continue;
                const energy::EnergyFigures figures = catalogueEnergy(runs, m, *units.find(row.at(0)));
                row.at(c.index("FCEER")) = indexCell(figures.fceer);
                row.at(c.index("FCCOP")) = indexCell(figures.fccop);
            }
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << formatCsvText(csv);
    if (!out)
        throw ProductCsvError(file.string() + ": cannot be written");
}

} // namespace tarvello::catalogue

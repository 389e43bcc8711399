#include "project/line_library.h"

#include <stdexcept>

namespace tarvello {

LineLibrary::LineLibrary(LineLoader loader) : loader_(std::move(loader)) {}

LineLibrary::Loaded& LineLibrary::loaded(int line)
{
    if (!isProductLine(line))
        throw std::invalid_argument("no product line " + std::to_string(line));
    std::unique_ptr<Loaded>& slot = lines_[size_t(line)];
    if (!slot) {
        auto fresh = std::make_unique<Loaded>();
        // The ducted run picks its accessory law by the series code.
        fresh->table.SeriesCode = productLine(line).seriesCode;
        loader_(fresh->table, line);
        fresh->table.line = line;
        ImpostaCoefficienti(line, fresh->constants);
        slot = std::move(fresh);
    }
    return *slot;
}

const ModelTable& LineLibrary::table(int line)
{
    return loaded(line).table;
}

const CoilConstants& LineLibrary::constants(int line)
{
    return loaded(line).constants;
}

std::optional<int> LineLibrary::modelIndex(int line, const std::string& name)
{
    const ModelTable& t = table(line);
    for (int m = 1; m <= t.NumModels && m <= kMaxModels; ++m)
        if (t.Modello[m] == name)
            return m;
    return std::nullopt;
}

} // namespace tarvello

#pragma once
// The model tables of the product lines a project uses, each loaded once on first use with
// its own coil constant set (as loading the line writes it on a fresh set).

#include "engine/coil_constants.h"
#include "engine/model_table.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tarvello {

// Fills a model table with a line's models (the model database's loaders, or a test's).
using LineLoader = std::function<void(ModelTable& table, int line)>;

class LineLibrary {
public:
    explicit LineLibrary(LineLoader loader);

    // The loaded line; the loader runs on the first call for a line (and its exceptions
    // propagate).
    const ModelTable& table(int line);
    const CoilConstants& constants(int line);

    // The 1-based index of model `name` in `line`; empty when the line has no such model.
    std::optional<int> modelIndex(int line, const std::string& name);

private:
    struct Loaded {
        ModelTable table;
        CoilConstants constants;
    };
    Loaded& loaded(int line);

    LineLoader loader_;
    std::array<std::unique_ptr<Loaded>, 3> lines_;
};

} // namespace tarvello

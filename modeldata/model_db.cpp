#include "modeldata/model_db.h"

#include "modeldata/unit_data_loader.h"

namespace tarvello {

AccessDatabase& ModelDb()
{
    static AccessDatabase connection;
    return connection;
}

void openModelDb(const std::string& appDir)
{
    std::string path = appDir;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += kModelDbFileName;
    try {
        ModelDb().open(path, kModelDbConnect);
    } catch (const DatabaseError& e) {
        throw DatabaseError(e.number(), "Cannot open the model database '" + path + "': " + e.what());
    }
    // The technical data beside the line tables; a database of the original layout has none.
    loadProgramUnitData(ModelDb());
}

void closeModelDb() noexcept
{
    ModelDb().close();
}

} // namespace tarvello

#include "modeldata/model_db.h"

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
}

void closeModelDb() noexcept
{
    ModelDb().close();
}

} // namespace tarvello

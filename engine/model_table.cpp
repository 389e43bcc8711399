#include "engine/model_table.h"

namespace tarvello {

ModelTable& modelTable()
{
    static ModelTable table;
    return table;
}

} // namespace tarvello

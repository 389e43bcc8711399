#include "engine/coil_state.h"

namespace tarvello {

CoilState& coilState()
{
    static CoilState state;
    return state;
}

PendingEventsHook& pendingEventsHook()
{
    static PendingEventsHook hook;
    return hook;
}

} // namespace tarvello

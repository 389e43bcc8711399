#include "shell/unit_change.h"

namespace tarvello {

UnitChangeNotifier& unitChanges()
{
    static UnitChangeNotifier notifier;
    return notifier;
}

void changeUnits(const UnitSelection& to)
{
    const UnitSelection from = currentUnits();
    applyUnits(to);
    const UnitSelection applied = currentUnits();
    if (applied == from)
        return;
    for (const QString& section : kSelectionFieldSections)
        convertSavedFields(section, from, applied);
    emit unitChanges().unitsChanged(from, applied);
}

} // namespace tarvello

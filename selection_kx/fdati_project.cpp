// FDati's fields filled from a project item's run, so that an edit shows the item's
// conditions as the user would have typed them.
#include "selection_kx/fdati.h"

#include "selection_ui/field_checks.h"
#include "shell/units.h"

#include <QLineEdit>

namespace tarvello {

void FDati::presentConditions(const RunRequest& request)
{
    const int i = request.mode == ModeHeating ? ModeHeating : ModeCooling;
    txtTsa1[i]->setText(temperatureValue(request.air.dryBulb));
    txtTw1[i]->setText(temperatureValue(request.waterIn));
    txtTw2[i]->setText(request.leavingWaterGiven ? temperatureValue(request.waterOut) : QString());
    txtQw[i]->setText(request.leavingWaterGiven ? QString() : fieldValue(UnitQw.toShown(request.waterFlow), 4));
    txtGlic[i]->setText(fieldValue(request.glycolPercent, 1));
    txtpsu[i]->setText(request.staticPressure > 0 ? fieldValue(UnitDpA.toShown(request.staticPressure), 2) : QString());
    if (i == ModeCooling) {
        txtUr->setText(fieldValue(request.air.relativeHumidity, 1));
        txtTbu->setText(temperatureValue(request.air.wetBulb));
    }
}

} // namespace tarvello

// FDatiMRZ's fields filled from a project item's run: the given quantity, the air streams
// (one return stream when the request has none), the water side.
#include "selection_ducted/fdatimrz.h"

#include "selection_ui/field_checks.h"
#include "shell/units.h"

#include <QLineEdit>
#include <QRadioButton>

namespace tarvello {

void FDatiMRZ::presentConditions(const RunRequest& request)
{
    const int i = request.mode == ModeHeating ? ModeHeating : ModeCooling;
    const bool cooling = i == ModeCooling;
    const AirStreams streams = request.streams.value_or(
        AirStreams{100, request.air.dryBulb, request.air.relativeHumidity, 0, 0, 0});
    if (request.airFlowGiven()) {
        optPortata[i]->setChecked(true);
        optPortata_Click(i);
        txtqatot[i]->setText(fieldValue(UnitQa.toShown(request.totalAirFlow), 4));
    } else {
        optpressione[i]->setChecked(true);
        optpressione_Click(i);
        txtpsu[i]->setText(fieldValue(UnitDpA.toShown(request.staticPressure), 2));
    }
    txtpqaric[i]->setText(fieldValue(streams.returnShare, 1));
    txtTsa1ric[i]->setText(temperatureValue(streams.returnDryBulb));
    if (cooling)
        txtUrric->setText(fieldValue(streams.returnHumidity, 1));
    const bool fresh = request.airFlowGiven() && streams.freshShare > 0;
    showFreshAir(i, fresh);
    if (fresh) {
        txtpqarin[i]->setText(fieldValue(streams.freshShare, 1));
        txtTsa1rin[i]->setText(temperatureValue(streams.freshDryBulb));
        if (cooling)
            txturrin->setText(fieldValue(streams.freshHumidity, 1));
    }
    txtTw1[i]->setText(temperatureValue(request.waterIn));
    txtTw2[i]->setText(request.leavingWaterGiven ? temperatureValue(request.waterOut) : QString());
    txtQw[i]->setText(request.leavingWaterGiven ? QString() : fieldValue(UnitQw.toShown(request.waterFlow), 4));
    txtGlic[i]->setText(fieldValue(request.glycolPercent, 1));
}

} // namespace tarvello

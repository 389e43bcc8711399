// The parts of a selection window that serve the project: the required capacity the
// "Add to project" command hands over, and a project item's run shown again for an edit.
#include "selection_ui/project_command.h"
#include "selection_ui/selection_window.h"

#include "selection_ui/field_checks.h"
#include "shell/app_state.h"
#include "shell/units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace tarvello {

namespace {

// The approximation that takes a capacity `rated_W` into the band around `required_W`:
// the first of the list that does, else the widest.
int approximationFor(const QComboBox& list, float required_W, float rated_W)
{
    if (required_W <= 0 || rated_W <= 0)
        return 0;
    const double off = 100.0 * std::fabs(double(rated_W) - double(required_W)) / double(required_W);
    for (int i = 0; i < list.count(); ++i)
        if (fieldNumberOrZero(list.itemText(i)) >= off)
            return i;
    return list.count() - 1;
}

} // namespace

float SelectionWindow::requiredCapacity_W() const
{
    const float shown = fieldNumberOrZero(txtPotric->text());
    return shown > 0 ? float(UnitPt.toInternal(shown)) : 0.0f;
}

void SelectionWindow::presentRun(const EditedRun& run)
{
    const RunRequest& request = run.request;
    cbofunz->setCurrentIndex(request.mode == ModeHeating ? ModeHeating : ModeCooling);
    cboVel->setCurrentIndex(std::clamp(request.speed - 1, 0, std::max(cboVel->count() - 1, 0)));
    chkDF->setChecked(request.fourPipe);
    txtPotric->setText(run.required_W > 0 ? generalNumber(std::round(UnitPt.toShown(run.required_W))) : QString());
    cboApprox->setCurrentIndex(approximationFor(*cboApprox, run.required_W, run.rated_W));
    presentConditions(request);
    cmdCalcola->click();
}

} // namespace tarvello

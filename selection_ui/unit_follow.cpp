#include "selection_ui/unit_follow.h"

#include "shell/unit_change.h"

#include <QLabel>
#include <QWidget>

namespace tarvello {

void followUnitChanges(QWidget* window, const UnitChangeHandler& handler)
{
    QObject::connect(&unitChanges(), &UnitChangeNotifier::unitsChanged, window, handler);
}

void showTemperatureUnit(QWidget* window)
{
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->objectName().startsWith(QStringLiteral("lblumT"), Qt::CaseInsensitive))
            label->setText(UnitT.name());
    }
}

} // namespace tarvello

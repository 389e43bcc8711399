#include "configurator/configurator_data.h"

namespace pinvale {

QString wiringQuery(const QString& configurationCode)
{
    return QStringLiteral("select * from dip where codice =") + configurationCode;
}

} // namespace pinvale

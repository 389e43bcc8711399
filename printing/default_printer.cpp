// Apart from StampanteDisponibile, so that each is linked only where it is used.
#include "printing/printer_check.h"

#include <QPrinterInfo>

namespace tarvello {

bool hasDefaultPrinter()
{
    return !QPrinterInfo::defaultPrinter().isNull();
}

} // namespace tarvello

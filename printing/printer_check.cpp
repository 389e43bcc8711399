#include "printing/printer_check.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace tarvello {

bool StampanteDisponibile()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    QPrinter printer(info);
    if (!printer.isValid())
        return false;
    return printer.setPageOrientation(QPageLayout::Portrait)
           && printer.pageLayout().orientation() == QPageLayout::Portrait;
}

} // namespace tarvello

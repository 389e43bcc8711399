#include "selection_kx/print_request.h"

#include "shell/app_state.h"
#include "shell/message_sink.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace tarvello {

bool StampanteDisponibile()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    QPrinter printer(info);
    return printer.isValid() && printer.setPageOrientation(QPageLayout::Portrait);
}

PrintOptionsOpener& printOptionsOpener()
{
    static PrintOptionsOpener opener;
    return opener;
}

QString printingNotAvailableText()
{
    return QStringLiteral("Printing is not available yet in this version of Tarvello.");
}

void requestPrint(QWidget* owner, const TextGrid& results, const TextGrid& inputs)
{
    const bool orientationAvailable = StampanteDisponibile();
    if (!printOptionsOpener()) {
        messages().information(printingNotAvailableText(), QString::fromLatin1(kProgramTitle));
        return;
    }
    printOptionsOpener()(owner, orientationAvailable, results, inputs);
}

} // namespace tarvello

#pragma once
// The print buttons of the selection windows: the report's view of a window (its caption,
// input summary Grdrif, results grid Grd and an image of it) and the print options window
// that the printing part opens for it.

#include "printing/report_source.h"

#include <QImage>
#include <QString>

#include <functional>

class QWidget;

namespace tarvello {

class TextGrid;

// The snapshot the report reads: the rows of both grids as shown, the widths and the
// alignment values of the results columns.
ReportSource reportSourceOf(ReportRoutine routine, const QString& caption, const TextGrid& results,
                            const TextGrid& inputs, const QImage& windowImage);

// Opens the print options window modally over `owner` for `source`; the printing part's
// by default (it checks the printer first). Tests put their own.
using PrintOptionsOpener = std::function<void(QWidget* owner, const ReportSource& source)>;
PrintOptionsOpener& printOptionsOpener();

// cmdStampa_Click of both selection windows.
void requestPrint(QWidget* owner, const ReportSource& source);

} // namespace tarvello

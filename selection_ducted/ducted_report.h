#pragma once
// What the printed report reads from a selection window: a snapshot of its grids, caption
// and picture. Written over the grids alone, so that either selection window can use it.

#include "printing/report_source.h"
#include "selection_kx/text_grid.h"

#include <QImage>
#include <QString>

namespace tarvello {

// The report source of a window with the results grid `results` (Grd) and the input summary
// `inputs` (Grdrif): every row of both, the widths of Grd and its right-aligned columns.
ReportSource reportSourceFrom(const TextGrid& results, const TextGrid& inputs, ReportRoutine routine,
                              const QString& caption, const QImage& windowImage);

} // namespace tarvello

#pragma once
// The details of a result as rows of text in the user's units and language: a heading row
// per group (entering, return, fresh, leaving air, capacities, water side, air side, sound)
// and a row per value with its label, its value and its unit. The panel, its copy and the
// datasheet show the same rows.

#include "charts/selection_details.h"

#include <QList>
#include <QString>

namespace tarvello {

struct DetailsRow {
    QString label;
    QString value; // empty on a heading row
    QString unit;
    bool heading = false;
};

// The rows of `details`, texts in the current language and values in the user's units.
QList<DetailsRow> detailsRows(const SelectionDetails& details);

// The rows as tab-separated text, one line each (the panel's copy).
QString detailsText(const QList<DetailsRow>& rows);

// Number formats of the details that have no unit choice.
QString oneDecimal(double value);
QString wholeNumber(double value);

} // namespace tarvello

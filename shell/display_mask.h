#pragma once
// Display masks of the classic Format function, as the windows and the report use them:
// a mask is '#' and '0' digit places with at most one '.' ("######", "###0.0", "0.000").
//  - '0' is a forced digit: it shows "0" where the number has no digit;
//  - '#' is an optional digit: it shows nothing for a zero that is not significant, so 0
//    with "######" gives "" and 0.04 with "##.0" gives ".0";
//  - the integer part shows all its digits, however many places the mask has;
//  - the number is rounded half away from zero to the places after '.', working on its
//    decimal form (15 significant digits), so 1.005 with "0.00" gives "1.01";
//  - the '.' of the mask becomes the given decimal separator and is always shown;
//  - a negative number gets "-" unless it rounds to zero (no "-0.0");
//  - a value that is not a finite number gives the empty text.

#include <QString>

namespace tarvello {

// The mask of the leaving air temperature in the results grids, °C.
inline const QString kLeavingAirMask = QStringLiteral("##0.0");

QString FormatMask(double value, const QString& mask, const QString& decimalSeparator);

// The same with the decimal separator of the default locale.
QString FormatMask(double value, const QString& mask);

} // namespace tarvello

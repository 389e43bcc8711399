#include "shell/display_mask.h"

#include <QLocale>

#include <cmath>
#include <cstdio>

namespace tarvello {

namespace {

struct MaskShape {
    int forcedIntegerDigits = 0;  // '0' places from the first '0' up to the '.'
    int fractionDigits = 0;       // places after the '.'
    int forcedFractionDigits = 0; // places after the '.' up to the last '0'
    bool hasPoint = false;
};

MaskShape shapeOf(const QString& mask)
{
    MaskShape shape;
    const qsizetype point = mask.indexOf(u'.');
    const QString integerPart = point < 0 ? mask : mask.left(point);
    const QString fractionPart = point < 0 ? QString() : mask.mid(point + 1);
    const qsizetype firstZero = integerPart.indexOf(u'0');
    shape.forcedIntegerDigits = firstZero < 0 ? 0 : int(integerPart.size() - firstZero);
    shape.fractionDigits = int(fractionPart.size());
    shape.forcedFractionDigits = int(fractionPart.lastIndexOf(u'0') + 1);
    shape.hasPoint = point >= 0;
    return shape;
}

// The magnitude as plain decimal digits: `integer` without leading zeros (may be empty)
// and `fraction` with every digit the 15 significant digits give.
struct DecimalDigits {
    QString integer;
    QString fraction;
};

DecimalDigits decimalDigitsOf(double magnitude)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    const QString text = QString::fromLatin1(buffer); // d.dddddddddddddde±x
    const qsizetype e = text.indexOf(u'e');
    const QString digits = text.left(1) + text.mid(2, e - 2);
    const int exponent = text.mid(e + 1).toInt();
    const int integerCount = exponent + 1;
    DecimalDigits out;
    if (integerCount <= 0) {
        out.fraction = QString(-integerCount, u'0') + digits;
    } else if (integerCount >= digits.size()) {
        out.integer = digits + QString(integerCount - digits.size(), u'0');
    } else {
        out.integer = digits.left(integerCount);
        out.fraction = digits.mid(integerCount);
    }
    while (out.integer.startsWith(u'0'))
        out.integer.remove(0, 1);
    return out;
}

// Adds one unit in the last place of a digit string; a carry out of the first digit
// prepends "1".
QString incremented(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
        digits[i] = u'0';
    }
    return u'1' + digits;
}

// Rounds half away from zero to `places` digits after the point.
DecimalDigits rounded(DecimalDigits number, int places)
{
    const QString padded = number.fraction + QString(qMax(0, places + 1 - int(number.fraction.size())), u'0');
    const bool roundUp = padded[places] >= u'5';
    QString kept = number.integer + padded.left(places);
    if (roundUp)
        kept = incremented(kept.isEmpty() ? QStringLiteral("0") : kept);
    // A carry may have added one digit in front.
    const qsizetype newIntegerCount = kept.size() - places;
    DecimalDigits out;
    out.integer = kept.left(newIntegerCount);
    out.fraction = kept.mid(newIntegerCount);
    while (out.integer.startsWith(u'0'))
        out.integer.remove(0, 1);
    return out;
}

bool isZero(const DecimalDigits& number)
{
    const auto allZero = [](const QString& s) {
        for (QChar c : s)
            if (c != u'0')
                return false;
        return true;
    };
    return allZero(number.integer) && allZero(number.fraction);
}

} // namespace

QString FormatMask(double value, const QString& mask, const QString& decimalSeparator)
{
    if (!std::isfinite(value))
        return {};
    const MaskShape shape = shapeOf(mask);
    const DecimalDigits number = rounded(decimalDigitsOf(std::fabs(value)), shape.fractionDigits);

    QString integer = number.integer;
    if (integer.size() < shape.forcedIntegerDigits)
        integer.prepend(QString(shape.forcedIntegerDigits - integer.size(), u'0'));
    QString fraction = number.fraction;
    while (fraction.size() > shape.forcedFractionDigits && fraction.endsWith(u'0'))
        fraction.chop(1);

    QString text = integer;
    if (shape.hasPoint)
        text += decimalSeparator + fraction;
    if (value < 0 && !isZero(number))
        text.prepend(u'-');
    return text;
}

QString FormatMask(double value, const QString& mask)
{
    return FormatMask(value, mask, QLocale().decimalPoint());
}

} // namespace tarvello

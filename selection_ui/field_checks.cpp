#include "selection_ui/field_checks.h"

#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/message_sink.h"
#include "shell/units.h"

#include <QPushButton>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>

#include <cmath>
#include <limits>

namespace tarvello {

namespace {

std::optional<double> parseWith(const QLocale& locale, const QString& text)
{
    QLocale strict = locale;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<float> fieldNumber(const QString& text)
{
    std::optional<double> value = parseWith(QLocale(), text);
    if (!value) {
        // The other separator: "." for a comma locale, "," for a point locale.
        QString swapped = text;
        const QChar separator = QLocale().decimalPoint().at(0);
        swapped.replace(separator == u',' ? u'.' : u',', separator);
        value = parseWith(QLocale(), swapped);
    }
    if (!value || std::fabs(*value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(*value);
}

float fieldNumberOrZero(const QString& text)
{
    return fieldNumber(text).value_or(0.0f);
}

double leadingNumber(const QString& text)
{
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    QString number;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        number += text[i++];
    bool digits = false;
    while (i < text.size() && text[i].isDigit()) {
        number += text[i++];
        digits = true;
    }
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        number += u'.';
        ++i;
        while (i < text.size() && text[i].isDigit()) {
            number += text[i++];
            digits = true;
        }
    }
    if (!digits)
        return 0;
    // An exponent only when digits follow it.
    if (i + 1 < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        int j = i + 1;
        QString exponent = QStringLiteral("e");
        if (text[j] == u'-' || text[j] == u'+')
            exponent += text[j++];
        bool exponentDigits = false;
        while (j < text.size() && text[j].isDigit()) {
            exponent += text[j++];
            exponentDigits = true;
        }
        if (exponentDigits)
            number += exponent;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (ok && std::isfinite(value))
        return value;
    // Digits that do not fit a double: the largest number of the sign, so that the caller
    // sees an overflow rather than an empty field.
    return number.startsWith(u'-') ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
}

QString generalNumber(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 7);
}

QString rangeMessage(const RangeRule& rule)
{
    const QString unit = QLatin1Char(' ') + rule.unit;
    return Testo(108) + generalNumber(rule.minimum) + unit + QStringLiteral(" -> ") + generalNumber(rule.maximum)
           + unit + QLatin1Char('\n') + Testo(109) + generalNumber(rule.minimum);
}

RangeVerdict checkRangeText(const QString& text, const RangeRule& rule)
{
    RangeVerdict verdict{false, text, {}};
    if (rule.zeroAllowed && leadingNumber(text) == 0)
        return verdict;
    std::optional<float> value = fieldNumber(text);
    if (!value) {
        verdict.text = QStringLiteral("0");
        value = 0.0f;
    }
    if (*value >= rule.minimum && *value <= rule.maximum)
        return verdict;
    verdict.outOfRange = true;
    verdict.message = rangeMessage(rule);
    verdict.text = generalNumber(rule.minimum);
    return verdict;
}

QString indexedName(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

bool isCommandButton(const QWidget* control)
{
    return qobject_cast<const QPushButton*>(control) != nullptr;
}

bool skipsFieldChecks(const QWidget* receivingFocus)
{
    if (!receivingFocus)
        return false;
    return isCommandButton(receivingFocus)
           || receivingFocus->objectName() == QStringLiteral("cbofunz");
}

bool CheckRange(QLineEdit* box, const RangeRule& rule, const QWidget* receivingFocus)
{
    if (!box || skipsFieldChecks(receivingFocus))
        return false;
    const RangeVerdict verdict = checkRangeText(box->text(), rule);
    if (verdict.text != box->text())
        box->setText(verdict.text);
    if (!verdict.outOfRange)
        return false;
    messages().critical(verdict.message, QString::fromLatin1(kProgramTitle));
    box->setFocus();
    return true;
}

bool CheckRange(QLineEdit* box, float minimum, float maximum, const QString& unit, bool zeroAllowed,
                const QWidget* receivingFocus)
{
    return CheckRange(box, RangeRule{minimum, maximum, unit, zeroAllowed}, receivingFocus);
}

void SelectAllText(QWidget* box)
{
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->selectAll();
    else if (auto* list = qobject_cast<QComboBox*>(box); list && list->lineEdit())
        list->lineEdit()->selectAll();
}

QString fieldValue(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return generalNumber(std::round(value * scale) / scale);
}

QString temperatureValue(double celsius)
{
    return fieldValue(UnitT.toShown(celsius), 2);
}

} // namespace tarvello

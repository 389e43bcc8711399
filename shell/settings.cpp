#include "shell/settings.h"

#include "platform/private_profile.h"
#include "shell/app_state.h"

#include <QLineEdit>

#include <limits>

namespace tarvello {

QString LeggiIni(const QString& section, const QString& key)
{
    return GetPrivateProfileString(section, key, QString(), settingsFilePath(), kProfileBufferSize);
}

bool ScriviIni(const QString& section, const QString& key, const QString& value)
{
    return WritePrivateProfileString(section, key, value, settingsFilePath());
}

QString matchDecimalSeparator(const QString& text, const QString& decimalSep)
{
    // An unknown separator would turn "12,5" into "125": keep the text instead.
    if (decimalSep.isEmpty())
        return text;
    const QChar wrong = decimalSep == QStringLiteral(",") ? u'.' : u',';
    QString fixed = text;
    const qsizetype at = fixed.indexOf(wrong);
    if (at >= 0)
        fixed.replace(at, 1, decimalSep);
    return fixed;
}

void SalvaCampi(const QList<QLineEdit*>& textBoxes, const QString& section)
{
    for (const QLineEdit* box : textBoxes) {
        if (box && !box->objectName().isEmpty())
            ScriviIni(section, box->objectName(), box->text());
    }
}

void RipristinaCampi(const QList<QLineEdit*>& textBoxes, const QString& section)
{
    for (QLineEdit* box : textBoxes) {
        if (!box || box->objectName().isEmpty())
            continue;
        box->setText(matchDecimalSeparator(LeggiIni(section, box->objectName()), DecimalSep));
    }
}

std::optional<qint16> profileInteger(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(value);
}

} // namespace tarvello

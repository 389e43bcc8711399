#include "shell/settings.h"

#include "platform/private_profile.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/message_sink.h"

#include <QDir>
#include <QLineEdit>

#include <limits>

namespace tarvello {

namespace {
// The text "The settings could not be saved in" (followed by the path).
constexpr int kSettingsNotSavedText = 133;
} // namespace

QString LeggiIni(const QString& section, const QString& key)
{
    return GetPrivateProfileString(section, key, QString(), settingsFilePath(), kProfileBufferSize);
}

bool ScriviIni(const QString& section, const QString& key, const QString& value)
{
    return writeSettings(section, {{key, value}});
}

bool writeSettings(const QString& section, const QList<QPair<QString, QString>>& keysAndValues)
{
    QList<ProfileEntry> entries;
    for (const auto& [key, value] : keysAndValues)
        entries.append({key, value});
    const QString path = settingsFilePath();
    if (WritePrivateProfileSection(section, entries, path))
        return true;
    // A setting the user changed must not vanish without a word.
    messages().exclamation(settingsNotSavedMessage(path), QString::fromLatin1(kProgramTitle));
    return false;
}

QString settingsNotSavedMessage(const QString& path)
{
    return Testo(kSettingsNotSavedText) + u' ' + QDir::toNativeSeparators(path);
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
    QList<QPair<QString, QString>> keysAndValues;
    for (const QLineEdit* box : textBoxes) {
        if (box && !box->objectName().isEmpty())
            keysAndValues.append({box->objectName(), box->text()});
    }
    if (!keysAndValues.isEmpty())
        writeSettings(section, keysAndValues);
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

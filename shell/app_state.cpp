#include "shell/app_state.h"

namespace tarvello {

QString AppDir;
QString DecimalSep;
qint16 LangBase = 300;
QString LangCode;

QString decimalSepOf(const QLocale& locale)
{
    const QString text = locale.toString(10.0 / 3.0);
    // Positions count from 1 as in the classic string functions: "." at 2 or later.
    if (text.indexOf(u'.') >= 1)
        return QStringLiteral(".");
    if (text.indexOf(u',') >= 1)
        return QStringLiteral(",");
    return {};
}

QString withTrailingSeparator(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString settingsFilePath()
{
    return AppDir + QStringLiteral("Tarvello.ini");
}

} // namespace tarvello

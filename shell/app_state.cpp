#include "shell/app_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

namespace {
const QString kSettingsFileName = QStringLiteral("Tarvello.ini");
} // namespace

QString settingsFileFor(const QString& programFolder, bool programFolderWritable, const QString& userFolder)
{
    // A folder that does not exist is no installed program: its path stays as given.
    if (programFolderWritable || programFolder.isEmpty() || !QFileInfo::exists(programFolder))
        return programFolder + kSettingsFileName;
    return withTrailingSeparator(userFolder) + kSettingsFileName;
}

QString userConfigFolder()
{
    // The XDG rule: a relative XDG_CONFIG_HOME is ignored.
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString base = QDir::isAbsolutePath(configHome) ? configHome : QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base + QStringLiteral("/tarvello"));
}

bool ensureUserSettingsFile(const QString& shippedFile, const QString& userFile)
{
    if (QFileInfo::exists(userFile))
        return true;
    if (!QDir().mkpath(QFileInfo(userFile).absolutePath()) || !QFile::copy(shippedFile, userFile))
        return QFileInfo::exists(userFile); // another instance may have made it meanwhile
    // The copy keeps the shipped file's permissions, which may be read-only.
    QFile::setPermissions(userFile, QFile::permissions(userFile) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

QString settingsFilePath()
{
    const bool writable = QFileInfo(AppDir).isWritable();
    const QString path = settingsFileFor(AppDir, writable, userConfigFolder());
    if (path != AppDir + kSettingsFileName)
        ensureUserSettingsFile(AppDir + kSettingsFileName, path);
    return path;
}

} // namespace tarvello

#include "platform/private_profile.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace tarvello {

namespace {

// One line of the file as the layer understands it. The raw bytes stay as read so that
// a rewrite reproduces every untouched line exactly.
struct ProfileLine {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    QString name;  // section or key name, blanks around it removed
    QString value; // key lines: the value, blanks around it removed
};

ProfileLine parseLine(const QByteArray& raw)
{
    const QString text = QString::fromUtf8(raw).trimmed();
    ProfileLine line;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        line.kind = ProfileLine::Kind::Section;
        line.name = text.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return line;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals > 0) {
        line.kind = ProfileLine::Kind::Key;
        line.name = text.left(equals).trimmed();
        line.value = text.mid(equals + 1).trimmed();
    }
    return line;
}

bool sameName(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The file split into lines without their '\n' (a '\r' before it stays in the line).
struct ProfileText {
    QList<QByteArray> lines;
    bool endsWithNewline = false;
    QByteArray newline = "\n"; // for lines we add: "\r\n" when the file already uses it
};

// Reads the file; a missing file is an empty text, an unreadable one is no text at all.
std::optional<ProfileText> readProfile(const QString& path)
{
    ProfileText profile;
    QFile file(path);
    if (!file.exists())
        return profile;
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.readAll();
    if (data.isEmpty())
        return profile;
    profile.lines = data.split('\n');
    profile.endsWithNewline = data.endsWith('\n');
    if (profile.endsWithNewline)
        profile.lines.removeLast();
    if (data.contains("\r\n"))
        profile.newline = "\r\n";
    return profile;
}

QByteArray joinProfile(const ProfileText& profile)
{
    QByteArray out;
    for (qsizetype i = 0; i < profile.lines.size(); ++i) {
        out += profile.lines[i];
        if (i + 1 < profile.lines.size() || profile.endsWithNewline)
            out += '\n';
    }
    return out;
}

// Index of the first "[section]" line, or -1.
qsizetype findSection(const ProfileText& profile, const QString& section)
{
    for (qsizetype i = 0; i < profile.lines.size(); ++i) {
        const ProfileLine line = parseLine(profile.lines[i]);
        if (line.kind == ProfileLine::Kind::Section && sameName(line.name, section))
            return i;
    }
    return -1;
}

// One past the last line that belongs to the section whose header is at `header`.
qsizetype sectionEnd(const ProfileText& profile, qsizetype header)
{
    qsizetype i = header + 1;
    while (i < profile.lines.size()
           && parseLine(profile.lines[i]).kind != ProfileLine::Kind::Section)
        ++i;
    return i;
}

QByteArray keyLine(const QString& key, const QString& value, const QByteArray& newline)
{
    QByteArray line = (key + u'=' + value).toUtf8();
    if (newline == "\r\n")
        line += '\r';
    return line;
}

// Writes all of `data` at the start of the open file; false on any failure.
bool writeAt(int fd, const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pwrite(fd, data.constData() + done, std::size_t(data.size() - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Writes `data` over the file through its own descriptor, for a folder that refuses the
// temporary file. Room for the new contents is secured first (a full disk fails here,
// with the old file whole); should the write still fail, the old contents are put
// back. The file is cut to the new length only after the whole new contents are
// written, and read back before success is reported.
bool rewriteInPlace(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    const int fd = file.handle();
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const QByteArray old = file.readAll();
    const off_t newSize = off_t(data.size());
    if (newSize > info.st_size) {
        const int reserved = ::posix_fallocate(fd, 0, newSize);
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL)
            return false;
    }
    if (!writeAt(fd, data) || ::ftruncate(fd, newSize) != 0) {
        if (writeAt(fd, old))
            static_cast<void>(::ftruncate(fd, off_t(old.size())));
        return false;
    }
    if (::fsync(fd) != 0)
        return false;
    QFile check(path);
    return check.open(QIODevice::ReadOnly) && check.readAll() == data;
}

bool saveProfile(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // No temporary file beside the settings (a read-only folder), but the settings
        // file itself may still be writable.
        return QFileInfo(path).isFile() && rewriteInPlace(path, data);
    }
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// Appends a line at the end, giving the previous last line its line end first.
void appendLine(ProfileText& profile, const QByteArray& line)
{
    if (!profile.lines.isEmpty() && !profile.endsWithNewline && profile.newline == "\r\n"
        && !profile.lines.last().endsWith('\r'))
        profile.lines.last() += '\r';
    profile.lines.append(line);
    profile.endsWithNewline = true;
}

// Sets `key` of `section` to `value` in the text: the first matching key keeps its
// spelling and only its value changes; a missing key goes after the section's last
// non-blank line, a missing section at the end.
void setKey(ProfileText& profile, const QString& section, const QString& key, const QString& value)
{
    const qsizetype header = findSection(profile, section);
    if (header < 0) {
        QByteArray sectionLine = (u'[' + section + u']').toUtf8();
        if (profile.newline == "\r\n")
            sectionLine += '\r';
        appendLine(profile, sectionLine);
        appendLine(profile, keyLine(key, value, profile.newline));
        return;
    }
    const qsizetype end = sectionEnd(profile, header);
    qsizetype lastContent = header;
    for (qsizetype i = header + 1; i < end; ++i) {
        QByteArray& raw = profile.lines[i];
        const ProfileLine line = parseLine(raw);
        if (line.kind == ProfileLine::Kind::Key && sameName(line.name, key)) {
            const bool crlf = raw.endsWith('\r');
            raw = raw.left(raw.indexOf('=') + 1) + value.toUtf8() + (crlf ? "\r" : "");
            return;
        }
        if (!QString::fromUtf8(raw).trimmed().isEmpty())
            lastContent = i;
    }
    const QByteArray newKey = keyLine(key, value, profile.newline);
    if (lastContent + 1 == profile.lines.size())
        appendLine(profile, newKey);
    else
        profile.lines.insert(lastContent + 1, newKey);
}

bool isLineBreakOrNul(QChar c)
{
    switch (c.unicode()) {
    case 0x0000: case 0x000A: case 0x000B: case 0x000C: case 0x000D:
    case 0x0085: case 0x2028: case 0x2029:
        return true;
    default:
        return false;
    }
}

} // namespace

QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, const QString& path,
                                int bufferSize)
{
    if (bufferSize <= 0)
        return {};
    const auto cut = [bufferSize](const QString& text) { return text.left(bufferSize - 1); };

    const std::optional<ProfileText> profile = readProfile(path);
    if (!profile)
        return cut(defaultValue);
    const qsizetype header = findSection(*profile, section);
    if (header < 0)
        return cut(defaultValue);
    const qsizetype end = sectionEnd(*profile, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const ProfileLine line = parseLine(profile->lines[i]);
        if (line.kind == ProfileLine::Kind::Key && sameName(line.name, key))
            return cut(line.value);
    }
    return cut(defaultValue);
}

bool WritePrivateProfileString(const QString& section, const QString& key,
                               const QString& value, const QString& path)
{
    return WritePrivateProfileSection(section, {{key, value}}, path);
}

bool WritePrivateProfileSection(const QString& section, const QList<ProfileEntry>& entries,
                                const QString& path)
{
    if (!isValidProfileName(section, true))
        return false;
    for (const ProfileEntry& entry : entries) {
        if (!isValidProfileName(entry.key, false))
            return false;
    }
    std::optional<ProfileText> profile = readProfile(path);
    if (!profile)
        return false;
    for (const ProfileEntry& entry : entries)
        setKey(*profile, section, entry.key, singleLine(entry.value));
    return saveProfile(path, joinProfile(*profile));
}

QString singleLine(const QString& text)
{
    QString result = text;
    result.removeIf(isLineBreakOrNul);
    return result;
}

bool isValidProfileName(const QString& name, bool isSection)
{
    // A key line starting with "[" would read back as a section.
    if (name.trimmed().isEmpty() || (!isSection && name.trimmed().startsWith(u'[')))
        return false;
    const QChar ender = isSection ? u']' : u'=';
    return std::none_of(name.begin(), name.end(), [ender](QChar c) { return isLineBreakOrNul(c) || c == ender; });
}

int removeStaleProfileTemporaries(const QString& path, int minimumAgeSeconds)
{
    const QFileInfo settings(path);
    const QRegularExpression ours(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(settings.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime oldest = QDateTime::currentDateTime().addSecs(-minimumAgeSeconds);
    int removed = 0;
    const QFileInfoList candidates =
        QDir(settings.absolutePath()).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& candidate : candidates) {
        // Only regular files of our own naming, never what a link points to.
        if (candidate.isSymLink() || !ours.match(candidate.fileName()).hasMatch())
            continue;
        if (candidate.lastModified() > oldest)
            continue;
        if (QFile::remove(candidate.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

QString profileNumberText(int value)
{
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

} // namespace tarvello

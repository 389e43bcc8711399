#include "platform/private_profile.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QSaveFile>

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

bool saveProfile(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
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
    std::optional<ProfileText> profile = readProfile(path);
    if (!profile)
        return false;

    const qsizetype header = findSection(*profile, section);
    if (header < 0) {
        QByteArray sectionLine = (u'[' + section + u']').toUtf8();
        if (profile->newline == "\r\n")
            sectionLine += '\r';
        appendLine(*profile, sectionLine);
        appendLine(*profile, keyLine(key, value, profile->newline));
        return saveProfile(path, joinProfile(*profile));
    }

    const qsizetype end = sectionEnd(*profile, header);
    qsizetype lastContent = header;
    for (qsizetype i = header + 1; i < end; ++i) {
        QByteArray& raw = profile->lines[i];
        const ProfileLine line = parseLine(raw);
        if (line.kind == ProfileLine::Kind::Key && sameName(line.name, key)) {
            // Keep the key as it is spelled in the file; only the value changes.
            const bool crlf = raw.endsWith('\r');
            raw = raw.left(raw.indexOf('=') + 1) + value.toUtf8() + (crlf ? "\r" : "");
            return saveProfile(path, joinProfile(*profile));
        }
        if (!QString::fromUtf8(raw).trimmed().isEmpty())
            lastContent = i;
    }
    const QByteArray newKey = keyLine(key, value, profile->newline);
    if (lastContent + 1 == profile->lines.size())
        appendLine(*profile, newKey);
    else
        profile->lines.insert(lastContent + 1, newKey);
    return saveProfile(path, joinProfile(*profile));
}

QString profileNumberText(int value)
{
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

} // namespace tarvello

#include "shell/text_table.h"

#include <QFile>
#include <QStringList>
#include <QtDebug>

#include <array>
#include <optional>

// The texts live in a resource of the static shell library; the linker keeps its object
// only when something names its initialiser. Q_INIT_RESOURCE declares that initialiser,
// which must happen outside any namespace.
static void initTextsResource()
{
    Q_INIT_RESOURCE(texts);
}

namespace tarvello {
namespace {

constexpr int kLanguageCount = 6;
constexpr int kEnglishIndex = 1;
const char* const kTextsResourcePath = ":/texts/texts.tsv";

// Language codes of the resource file, in the order of kLanguageBases.
constexpr std::array<const char*, kLanguageCount> kLanguageCodes = {"it", "en", "fr",
                                                                    "de", "es", "pl"};

// Index 0 is unused so that a text is found at its offset. An empty optional means the
// language has no text for that offset (which is not the same as an empty text).
using LanguageTexts = std::array<std::optional<QString>, kTextOffsets + 1>;
using TextTable = std::array<LanguageTexts, kLanguageCount>;

int languageIndexOfBase(int langBase)
{
    for (int i = 0; i < kLanguageCount; ++i) {
        if (kLanguageBases[i] == langBase)
            return i;
    }
    return -1;
}

int languageIndexOfCode(const QString& code)
{
    for (int i = 0; i < kLanguageCount; ++i) {
        if (code == QLatin1String(kLanguageCodes[i]))
            return i;
    }
    return -1;
}

bool isValidOffset(int offset)
{
    return offset >= 1 && offset <= kTextOffsets;
}

// The text between the bounding quotes of `field`, with doubled quotes made single.
// Nothing when the field is not quoted or holds a lone quote.
std::optional<QString> unquote(const QString& field)
{
    if (field.size() < 2 || !field.startsWith(u'"') || !field.endsWith(u'"'))
        return std::nullopt;
    QString text;
    const qsizetype last = field.size() - 1;
    for (qsizetype i = 1; i < last; ++i) {
        const QChar c = field.at(i);
        if (c == u'"') {
            if (i + 1 >= last || field.at(i + 1) != u'"')
                return std::nullopt;
            ++i;
        }
        text.append(c);
    }
    return text;
}

// Adds one "offset <TAB> language <TAB> "text"" line to `table`; gives the reason when
// the line is refused (the table is then unchanged).
QString addTextLine(TextTable& table, const QString& line)
{
    const QStringList fields = line.split(u'\t');
    if (fields.size() != 3)
        return QStringLiteral("expected offset, language and text separated by tabs");
    bool isNumber = false;
    const int offset = fields[0].toInt(&isNumber);
    if (!isNumber || !isValidOffset(offset))
        return QStringLiteral("offset is not a number from 1 to %1").arg(kTextOffsets);
    const int language = languageIndexOfCode(fields[1]);
    if (language < 0)
        return QStringLiteral("unknown language code \"%1\"").arg(fields[1]);
    const std::optional<QString> text = unquote(fields[2]);
    if (!text)
        return QStringLiteral("text is not enclosed in quotes");
    std::optional<QString>& slot = table[language][offset];
    if (slot)
        return QStringLiteral("text given twice");
    slot = *text;
    return {};
}

bool isCommentOrBlank(const QString& line)
{
    return line.isEmpty() || line.startsWith(u'#');
}

TextTable loadTextTable()
{
    initTextsResource();
    TextTable table;
    QFile file(QString::fromLatin1(kTextsResourcePath));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Text table: resource %s is missing", kTextsResourcePath);
        return table;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        // Only a line end written by an editor as CR LF is dropped: trailing blanks are
        // part of the texts.
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (isCommentOrBlank(line))
            continue;
        const QString problem = addTextLine(table, line);
        if (!problem.isEmpty())
            qWarning().noquote() << "Text table: line" << i + 1 << "skipped:" << problem;
    }
    return table;
}

// Read once on first use and never changed afterwards, so every window sees the same texts.
const TextTable& textTable()
{
    static const TextTable table = loadTextTable();
    return table;
}

} // namespace

bool isLanguageBase(int langBase)
{
    return languageIndexOfBase(langBase) >= 0;
}

QString textForLanguage(int langBase, int offset)
{
    const int language = languageIndexOfBase(langBase);
    if (language < 0 || !isValidOffset(offset))
        return {};
    const TextTable& table = textTable();
    if (const std::optional<QString>& text = table[language][offset])
        return *text;
    // Spanish and Polish lack a few texts; English is understood where they are used.
    return table[kEnglishIndex][offset].value_or(QString());
}

} // namespace tarvello

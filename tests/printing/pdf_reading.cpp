#include "pdf_reading.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <numeric>

namespace tarvello::testing {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Page by page, line by line from the top, words from the left; words whose tops lie
// within a millimetre of each other share a line.
QList<PdfWord> inReadingOrder(QList<PdfWord> words)
{
    std::stable_sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
        return a.page != b.page ? a.page < b.page : a.top < b.top;
    });
    QList<int> lineOf;
    int line = 0;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (i > 0 && (words[i].page != words[i - 1].page || words[i].top - words[i - 1].top > 1.0))
            ++line;
        lineOf << line;
    }
    QList<qsizetype> order(words.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return lineOf[a] != lineOf[b] ? lineOf[a] < lineOf[b] : words[a].left < words[b].left;
    });
    QList<PdfWord> sorted;
    for (qsizetype i : order)
        sorted << words[i];
    return sorted;
}

} // namespace

QString pdfLayoutText(const QString& pdfPath)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
}

QList<PdfWord> pdfWords(const QString& pdfPath)
{
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    static const QRegularExpression pagePattern(QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                                                               "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    int page = 0;
    for (auto it = pagePattern.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        PdfWord word;
        word.page = page;
        word.left = match.captured(1).toDouble() * kMmPerPoint;
        word.top = match.captured(2).toDouble() * kMmPerPoint;
        word.right = match.captured(3).toDouble() * kMmPerPoint;
        word.bottom = match.captured(4).toDouble() * kMmPerPoint;
        word.text = match.captured(5)
                        .replace(QStringLiteral("&amp;"), QStringLiteral("&"))
                        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                        .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        words << word;
    }
    return inReadingOrder(words);
}

QList<PdfWord> wordsNamed(const QList<PdfWord>& words, const QString& text)
{
    QList<PdfWord> found;
    for (const PdfWord& word : words)
        if (word.text == text)
            found << word;
    return found;
}

int pdfPageCount(const QString& pdfPath)
{
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const QRegularExpressionMatch match = pages.match(run(QStringLiteral("pdfinfo"), {pdfPath}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

int pdfImageCount(const QString& pdfPath)
{
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfPath})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return std::max(0, int(lines.size()) - 2); // two heading lines
}

bool popplerAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

} // namespace tarvello::testing

#include "printing/pdf_file_chooser.h"

#include <QDate>
#include <QFileDialog>

namespace tarvello {

namespace {

PdfFileChooser* installedChooser = nullptr;

bool isSafeFileNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('_')
           || c == QLatin1Char('.') || c == QLatin1Char('+');
}

} // namespace

QString QtPdfFileChooser::chooseFile(QWidget* parent, const QString& title, const QString& suggestedPath,
                                     const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggestedPath, filter);
}

PdfFileChooser& pdfFileChooser()
{
    static QtPdfFileChooser toolkitChooser;
    return installedChooser ? *installedChooser : toolkitChooser;
}

void setPdfFileChooser(PdfFileChooser* chooser)
{
    installedChooser = chooser;
}

QString suggestedPdfName(const QString& caption, const QDate& date)
{
    QString line;
    for (const QChar c : caption.simplified())
        line += isSafeFileNameChar(c) ? c : QLatin1Char('_');
    while (line.startsWith(QLatin1Char('.')))
        line.remove(0, 1); // no hidden file
    line = line.trimmed();
    if (line.isEmpty())
        line = QStringLiteral("Tarvello");
    return line + QLatin1Char(' ') + date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".pdf");
}

QString withPdfSuffix(const QString& path)
{
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return path;
    return path + QStringLiteral(".pdf");
}

} // namespace tarvello

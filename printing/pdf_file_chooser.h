#pragma once
// Asking the user where to save a report as PDF, behind a small interface so that tests
// answer in place of the file dialog.

#include <QDate>
#include <QString>

class QWidget;

namespace tarvello {

class PdfFileChooser {
public:
    virtual ~PdfFileChooser() = default;
    // The chosen file, or empty when the user cancelled.
    virtual QString chooseFile(QWidget* parent, const QString& title, const QString& suggestedPath,
                               const QString& filter) = 0;
};

// The toolkit's save dialog.
class QtPdfFileChooser : public PdfFileChooser {
public:
    QString chooseFile(QWidget* parent, const QString& title, const QString& suggestedPath,
                       const QString& filter) override;
};

// The process-wide chooser: the toolkit's unless a test put its own.
PdfFileChooser& pdfFileChooser();
// Replaces the process-wide chooser (nullptr restores the toolkit's); the caller keeps
// ownership and must restore it before `chooser` dies.
void setPdfFileChooser(PdfFileChooser* chooser);

// The suggested file name of a report: the product line and the date, such as
// "KXR 2026-12-07.pdf". Characters that file systems refuse become "_"; an empty caption
// gives "Tarvello".
QString suggestedPdfName(const QString& caption, const QDate& date);

// A chosen name with ".pdf" added when it has no extension of that kind.
QString withPdfSuffix(const QString& path);

} // namespace tarvello

#include "platform/document_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace tarvello {

namespace {

constexpr char kPdfSignature[] = "%PDF-";

bool hasPdfName(const QString& name)
{
    // A trailing blank or dot ("evil.sh ", "evil.sh.") cannot end in ".pdf" either.
    return name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) && !name.contains(u'/')
           && !name.contains(u'\\');
}

// True when there is no directory entry at all (not even a link to nowhere).
bool nothingThere(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) != 0;
}

// A regular file: a folder, device or pipe (whose read would wait) is no document.
bool isRegularFile(const QString& resolvedPath)
{
    struct stat info {};
    return ::stat(QFile::encodeName(resolvedPath).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

bool startsWithPdfSignature(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qsizetype length = qsizetype(sizeof kPdfSignature - 1);
    return file.read(length) == QByteArray(kPdfSignature, length);
}

} // namespace

DocumentFile checkPdfDocument(const QString& folder, const QString& name)
{
    if (!hasPdfName(name))
        return DocumentFile::NotADocument;
    const QString path = QDir(folder).filePath(name);
    if (nothingThere(path))
        return DocumentFile::Missing;
    const QString resolvedFolder = QFileInfo(folder).canonicalFilePath();
    const QFileInfo resolved(QFileInfo(path).canonicalFilePath());
    if (resolvedFolder.isEmpty() || resolved.filePath().isEmpty())
        return DocumentFile::NotADocument; // a link to nowhere
    const QString inside = resolvedFolder.endsWith(u'/') ? resolvedFolder : resolvedFolder + u'/';
    if (!resolved.filePath().startsWith(inside) || !isRegularFile(resolved.filePath()))
        return DocumentFile::NotADocument;
    return startsWithPdfSignature(resolved.filePath()) ? DocumentFile::Document : DocumentFile::NotADocument;
}

} // namespace tarvello

// Build-time writer of the wiring diagram documents: one PDF per name in the diagram table.
// Usage: pinvale_wiring_writer <dip.csv> <output folder>
#include "configurator/wiring/diagram_table.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    // Fonts need a GUI application; the build machine may have no display.
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: pinvale_wiring_writer <dip.csv> <output folder>\n");
        return 2;
    }
    QString error;
    const auto documents = pinvale::wiring::readDiagramTable(QString::fromLocal8Bit(argv[1]), &error);
    if (documents.empty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error.isEmpty() ? QStringLiteral("no diagrams") : error));
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }
    for (const auto& document : documents) {
        const QString path = folder.filePath(document.fileName);
        if (!pinvale::wiring::writeDiagramPdf(path, document)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

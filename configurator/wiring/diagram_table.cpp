#include "configurator/wiring/diagram_table.h"

#include "configurator/module1.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextStream>

#include <map>

namespace pinvale::wiring {

namespace {

// PDF resolution: fine enough for hairlines, small enough for small files.
constexpr int kPdfResolution_dpi = 600;

} // namespace

std::vector<DiagramDocument> readDiagramTable(const QString& csvPath, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = csvPath + QStringLiteral(": ") + why;
        return std::vector<DiagramDocument>();
    };
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(QStringLiteral("cannot be read"));
    QTextStream in(&file);
    in.readLine();  // column header
    std::vector<QString> order;
    std::map<QString, std::vector<WiringFeatures>> codesByName;
    for (int lineNumber = 2; !in.atEnd(); ++lineNumber) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty())
            continue;
        const QString code = line.section(QLatin1Char(','), 0, 0).trimmed();
        const QString name = line.section(QLatin1Char(','), 1).trimmed();
        const auto features =
            code.size() <= 7 ? featuresOfCode(code.rightJustified(7, QLatin1Char('0'))) : std::nullopt;
        if (!features)
            return fail(QStringLiteral("line %1: \"%2\" is no configuration code").arg(lineNumber).arg(code));
        if (!isSafeWiringName(name))
            return fail(QStringLiteral("line %1: \"%2\" is no document name").arg(lineNumber).arg(name));
        if (!codesByName.count(name))
            order.push_back(name);
        codesByName[name].push_back(*features);
    }
    std::vector<DiagramDocument> documents;
    for (const QString& name : order)
        documents.push_back({name, featuresOfCodes(codesByName[name])});
    return documents;
}

bool writeDiagramPdf(const QString& path, const DiagramDocument& document)
{
    QPdfWriter pdf(path);
    pdf.setResolution(kPdfResolution_dpi);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    const QString title = QFileInfo(document.fileName).completeBaseName();
    pdf.setTitle(QStringLiteral("Wiring diagram ") + title);
    pdf.setCreator(QStringLiteral("Velmora"));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    drawWiringDiagram(painter, document.features, title);
    return painter.end();
}

} // namespace pinvale::wiring

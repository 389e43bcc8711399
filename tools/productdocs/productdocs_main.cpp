// productdocs: writes the product information documents DTB<code>04-7.pdf into the
// program folder, one per language code of the shipped settings file, from the shipped
// model database rated by the engine. Run by the build:
//   productdocs --database <program folder>/tarvello.mdb --settings data/Tarvello.ini
//               --output <program folder>
#include "engine/product_lines.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "modeldata/unit_data_loader.h"
#include "platform/private_profile.h"
#include "shell/app_state.h"
#include "shell/text_table.h"
#include "tools/productdocs/document_texts.h"
#include "tools/productdocs/product_document.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <iterator>

namespace {

using namespace tarvello;
using namespace tarvello::productdocs;

// The program's text of the documents' title (the lines' captions are in the line table).
constexpr int kProductInformationText = 1;

void fail(const QString& message)
{
    std::fprintf(stderr, "productdocs: %s\n", qPrintable(message));
}

std::array<LineRatings, 3> rateShippedLines(const QString& databasePath)
{
    AccessDatabase db;
    db.open(QFile::encodeName(databasePath).toStdString(), kModelDbConnect);
    std::array<LineRatings, 3> lines;
    using Loader = void (*)(ModelTable&, const AccessDatabase&, const PendingEventsHook&);
    const Loader loaders[3] = {CaricaDatiKORVE, CaricaDatiMRZ, CaricaDatiHJQ};
    static_assert(std::size(loaders) == kProductLines.size());
    const energy::UnitDataTable units = loadUnitData(db);
    for (const ProductLineInfo& line : kProductLines) {
        ModelTable table;
        table.SeriesCode = line.seriesCode;
        loaders[line.id](table, db, {});
        lines[line.id] = rateLine(table, units);
    }
    return lines;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption database(QStringLiteral("database"), QStringLiteral("The model database."),
                                      QStringLiteral("file"));
    const QCommandLineOption settings(QStringLiteral("settings"),
                                      QStringLiteral("The shipped settings file with the language codes."),
                                      QStringLiteral("file"));
    const QCommandLineOption output(QStringLiteral("output"), QStringLiteral("The folder of the documents."),
                                    QStringLiteral("folder"));
    parser.addOptions({database, settings, output});
    parser.process(app);
    if (!parser.isSet(database) || !parser.isSet(settings) || !parser.isSet(output)) {
        fail(QStringLiteral("--database, --settings and --output are required"));
        return 2;
    }
    if (!QFileInfo::exists(parser.value(settings))) {
        fail(QStringLiteral("the settings file %1 does not exist").arg(parser.value(settings)));
        return 1;
    }

    std::array<LineRatings, 3> lines;
    try {
        lines = rateShippedLines(parser.value(database));
    } catch (const std::exception& error) {
        fail(QString::fromStdString(error.what()));
        return 1;
    }

    const QDir folder(parser.value(output));
    int written = 0;
    for (const int base : kLanguageBases) {
        const QString code =
            GetPrivateProfileString(QStringLiteral("Common"), QString::number(base), QString(), parser.value(settings));
        if (code.isEmpty())
            continue; // a language the settings ship no document code for
        // The program refuses such a code when it builds the file name; so do we.
        if (code.contains(u'/') || code.contains(u'\\') || code.contains(QStringLiteral(".."))) {
            fail(QStringLiteral("the language code \"%1\" of %2 would leave the program folder")
                     .arg(code, parser.value(settings)));
            return 1;
        }
        DocumentContent content;
        content.code = code;
        content.texts = textsForLanguage(base);
        content.title = textForLanguage(base, kProductInformationText).trimmed();
        for (const ProductLineInfo& line : kProductLines)
            content.lineTitles[line.id] = textForLanguage(base, line.captionText).trimmed();
        content.lines = lines;
        content.version = QString::fromLatin1(kVersionText);
        const QString error = writeProductDocument(folder.filePath(productDocumentFileName(code)), content);
        if (!error.isEmpty()) {
            fail(error);
            return 1;
        }
        ++written;
    }
    if (written == 0) {
        fail(QStringLiteral("the settings file %1 names no language code").arg(parser.value(settings)));
        return 1;
    }
    return 0;
}

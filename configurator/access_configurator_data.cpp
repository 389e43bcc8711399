#include "configurator/access_configurator_data.h"

#include <QDir>

namespace pinvale {

namespace {

std::string describe(const tarvello::DatabaseError& error)
{
    return "Error " + std::to_string(error.number()) + ": " + error.what();
}

} // namespace

AccessConfiguratorData::AccessConfiguratorData(const QString& path) : path_(path)
{
    const std::string shownPath = QDir::toNativeSeparators(path).toStdString();
    try {
        database_.open(path.toStdString());
        // Both tables are needed by every run: refuse a file without them now, while the
        // message can still name the file.
        database_.openRecordset("select * from Version").close();
        database_.openRecordset("select * from dip").close();
    } catch (const tarvello::DatabaseError& error) {
        database_.close();
        throw ConfiguratorDataError("Cannot open the configurator database " + shownPath + ".\n"
                                    + describe(error));
    }
}

std::optional<QString> AccessConfiguratorData::firstText(const QString& query, const char* column)
{
    try {
        if (!database_.isOpen())
            throw tarvello::DatabaseError(tarvello::dberr::ObjectClosed,
                                          "Object invalid or no longer set.");
        lastQuery_ = database_.openRecordset(query.toStdString());
        if (lastQuery_.eof())
            return std::nullopt;
        const tarvello::FieldValue& value = lastQuery_.field(column);
        if (value.isNull())
            return QString();
        return QString::fromStdString(value.toText());
    } catch (const tarvello::DatabaseError& error) {
        throw ConfiguratorDataError(describe(error) + "\n(" + query.toStdString() + " in "
                                    + QDir::toNativeSeparators(path_).toStdString() + ")");
    }
}

std::optional<QString> AccessConfiguratorData::versionText()
{
    auto version = firstText(QStringLiteral("select * from Version"), "Version");
    lastQuery_.close();
    return version;
}

std::optional<QString> AccessConfiguratorData::wiringFor(const QString& query)
{
    return firstText(query, "Wiring");
}

void AccessConfiguratorData::close()
{
    lastQuery_.close();
    database_.close();
}

} // namespace pinvale

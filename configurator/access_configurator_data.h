#pragma once
// The configurator's data read from `pinvale.mdb` with our Access reader.

#include "configurator/configurator_data.h"
#include "platform/access_database.h"

namespace pinvale {

class AccessConfiguratorData : public ConfiguratorData {
public:
    // Opens the file without a password; a missing, unreadable or damaged file, or one
    // without the tables `Version` and `dip`, gives a ConfiguratorDataError naming it.
    explicit AccessConfiguratorData(const QString& path);

    std::optional<QString> versionText() override;
    std::optional<QString> wiringFor(const QString& query) override;
    void close() override;

private:
    // The first row's `column` of `query`; nullopt without rows, "" for a Null value.
    std::optional<QString> firstText(const QString& query, const char* column);

    QString path_;
    tarvello::AccessDatabase database_;
    tarvello::Recordset lastQuery_;  // stays open until the next query replaces it
};

} // namespace pinvale

#pragma once
// What the configurator reads from its database `pinvale.mdb`: the data version text
// (table `Version`) and the wiring diagram name of a configuration (table `dip`). The
// window and its tests see only this interface; AccessConfiguratorData reads the file.

#include <QString>

#include <optional>
#include <stdexcept>
#include <string>

namespace pinvale {

// A database failure that the configurator cannot recover from; what() names the error.
class ConfiguratorDataError : public std::runtime_error {
public:
    explicit ConfiguratorDataError(const std::string& message) : std::runtime_error(message) {}
};

class ConfiguratorData {
public:
    virtual ~ConfiguratorData() = default;

    // `Version` of the first row of "select * from Version"; nullopt when the table is
    // empty. A Null value reads as an empty text.
    virtual std::optional<QString> versionText() = 0;

    // Runs `query` (a "select * from dip where codice =<digits>") and gives the `Wiring`
    // value of its first row; nullopt when no row matches. A Null value reads as empty.
    virtual std::optional<QString> wiringFor(const QString& query) = 0;

    // Closes the database; later reads fail with ConfiguratorDataError.
    virtual void close() = 0;
};

// The query that finds the row of a configuration code: the seven digits follow the
// "=" directly, as a bare number, so the database compares numerically (0000011 finds 11).
QString wiringQuery(const QString& configurationCode);

} // namespace pinvale

#pragma once
// Test stand-ins for what the configurator asks of the outside: the database, the message
// boxes and the shell. They record what was asked.

#include "configurator/configurator_data.h"
#include "configurator/module1.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

#include <map>

namespace pinvale::testing {

class FakeConfiguratorData : public ConfiguratorData {
public:
    // Rows of `dip` by numeric codice; the default holds the default configuration's row.
    std::map<long long, QString> wiringByCode{{1111000, QStringLiteral("w1111000.pdf")}};
    std::optional<QString> version = QStringLiteral("2.3 fake");
    QStringList queries;
    bool closed = false;
    bool failQueries = false;

    std::optional<QString> versionText() override
    {
        queries << QStringLiteral("select * from Version");
        return version;
    }

    std::optional<QString> wiringFor(const QString& query) override
    {
        queries << query;
        if (failQueries)
            throw ConfiguratorDataError("Error 3078: cannot find the input table 'dip'");
        static const QRegularExpression form(QStringLiteral("^select \\* from dip where codice =(\\d+)$"));
        const auto match = form.match(query);
        if (!match.hasMatch()) {
            ADD_FAILURE() << "unexpected query: " << query.toStdString();
            return std::nullopt;
        }
        const auto row = wiringByCode.find(match.captured(1).toLongLong());
        if (row == wiringByCode.end())
            return std::nullopt;
        return row->second;
    }

    void close() override { closed = true; }

    QString lastQuery() const { return queries.isEmpty() ? QString() : queries.last(); }
};

class RecordingMessages : public MessageSink {
public:
    QStringList shown;
    void show(const QString& text) override { shown << text; }
};

class RecordingOpener : public DocumentOpener {
public:
    int result = 42;
    QStringList opened;
    int open(const QString& path) override
    {
        opened << path;
        return result;
    }
};

} // namespace pinvale::testing

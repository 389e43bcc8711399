#pragma once
// Common ground of the project window tests: the selection windows' environment (Italian
// texts, first units, a settings file of their own), the shipped model database, an open
// project with the program's link, and prompts answered from a script.

#include "engine/model_table.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "project_ui/project_link.h"
#include "project_ui/project_prompts.h"
#include "project_ui/project_session.h"
#include "selection_ducted/fdatimrz.h"
#include "selection_kx/fdati.h"
#include "selection_ui/grid_view.h"
#include "shell/recording_message_sink.h"
#include "tests/selection_kx/selection_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <deque>
#include <functional>
#include <memory>

namespace tarvello::testing {

// Prompts answered in order from queues; what was asked is counted.
class ScriptedPrompts : public ProjectPrompts {
public:
    QString openFileName(QWidget*, const QString&, const QString&) override { return next(openNames); }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString& suggested) override
    {
        lastSuggested = suggested;
        return next(saveNames);
    }
    SaveAnswer askToSave(QWidget*, const QString& name) override
    {
        ++saveQuestions;
        askedName = name;
        if (saveAnswers.empty())
            return SaveAnswer::Cancel;
        const SaveAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    std::optional<ItemEntry> askItem(QWidget*, const QStringList& tags, const ItemEntry& suggested) override
    {
        offeredTags = tags;
        suggestedItem = suggested;
        if (items.empty())
            return std::nullopt;
        const ItemEntry entry = items.front();
        items.pop_front();
        return entry;
    }

    std::deque<QString> openNames, saveNames;
    std::deque<SaveAnswer> saveAnswers;
    std::deque<ItemEntry> items;
    int saveQuestions = 0;
    QString askedName, lastSuggested;
    QStringList offeredTags;
    ItemEntry suggestedItem;

private:
    static QString next(std::deque<QString>& queue)
    {
        if (queue.empty())
            return {};
        QString name = queue.front();
        queue.pop_front();
        return name;
    }
};

// The project's lines from the shipped database, as the program loads them.
inline void loadShippedProjectLine(ModelTable& table, int line)
{
    switch (line) {
    case LineKX: CaricaDatiKORVE(table, ModelDb()); break;
    case LineMRZ: CaricaDatiMRZ(table, ModelDb()); break;
    default: CaricaDatiHJQ(table, ModelDb()); break;
    }
}

inline bool shippedDatabaseAvailable()
{
    return QFile::exists(QStringLiteral(TARVELLO_APP_DIR "/") + QString::fromLatin1(kModelDbFileName));
}

class ProjectWindowTest : public SelectionEnvironment {
protected:
    void SetUp() override
    {
        SelectionEnvironment::SetUp();
        if (!shippedDatabaseAvailable())
            GTEST_SKIP() << "the program folder has no tarvello.mdb (build tarvello_databases)";
        if (!ModelDb().isOpen())
            openModelDb(TARVELLO_APP_DIR "/");
        session = std::make_unique<ProjectSession>(loadShippedProjectLine);
        link = std::make_unique<SessionProjectLink>(*session);
        setProjectLink(link.get());
        setProjectPrompts(&prompts);
    }
    void TearDown() override
    {
        kx.reset();
        ducted.reset();
        setProjectLink(nullptr);
        setProjectPrompts(nullptr);
        link.reset();
        session.reset();
        SelectionEnvironment::TearDown();
    }

    // The line's selection window, shown, with the line in the model table.
    SelectionWindow* openWindow(int line)
    {
        modelTable().SeriesCode = line == LineHJQ ? "HJQ" : line == LineMRZ ? "MRZ" : "";
        CaricaLinea(line);
        if (line == LineKX) {
            if (!kx)
                kx = std::make_unique<FDati>();
            kx->show();
            return kx.get();
        }
        if (!ducted)
            ducted = std::make_unique<FDatiMRZ>();
        ducted->fillSpeedList();
        ducted->show();
        return ducted.get();
    }

    template <typename T> static T* control(QWidget* window, const QString& name)
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    // Types the fields of one mode and runs the selection.
    static void runWith(SelectionWindow* window, int mode, bool airFlowGiven,
                        const std::vector<std::pair<QString, QString>>& fields)
    {
        control<QComboBox>(window, QStringLiteral("cbofunz"))->setCurrentIndex(mode);
        if (auto* given = window->findChild<QRadioButton*>(
                QStringLiteral("%1(%2)").arg(airFlowGiven ? "optPortata" : "optpressione").arg(mode)))
            given->click();
        for (QLineEdit* box : window->textBoxes())
            box->clear();
        for (const auto& [name, value] : fields)
            control<QLineEdit>(window, name)->setText(value);
        control<QPushButton>(window, QStringLiteral("cmdCalcola"))->click();
    }

    // The listed model on grid row `row` (data rows from 2).
    static QString modelOnRow(SelectionWindow* window, int row)
    {
        return window->Grd->grid().text(row, 1).trimmed();
    }
    // The first data row whose model passes `test`, or -1.
    static int rowWhere(SelectionWindow* window, const std::function<bool(const QString&)>& test)
    {
        for (int row = 2; row < window->Grd->grid().rows(); ++row)
            if (test(modelOnRow(window, row)))
                return row;
        return -1;
    }
    // Makes `row` current and presses the project command.
    static void addRow(SelectionWindow* window, int row)
    {
        window->Grd->setCurrentIndex(window->Grd->model()->index(row, 1));
        control<QPushButton>(window, QStringLiteral("cmdProgetto"))->click();
    }

    ScriptedPrompts prompts;
    RecordingMessageSink sink;
    std::unique_ptr<ProjectSession> session;
    std::unique_ptr<SessionProjectLink> link;
    std::unique_ptr<FDati> kx;
    std::unique_ptr<FDatiMRZ> ducted;
};

} // namespace tarvello::testing

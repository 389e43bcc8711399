// The project in the selection windows and the schedule window, driven as the user would:
// "Add to project" from both selection windows, both duties on one item, the edit round
// trip, deleting, duplicating and moving items, and the flags after the model data
// changed. The runs rate the shipped models.

#include "project_ui/fprogetto.h"
#include "selection_ui/project_command.h"
#include "shell/language.h"
#include "shell/units.h"

#include "project_ui_support.h"

#include <QTableView>

namespace tarvello {
namespace {

using testing::ProjectWindowTest;
using Fields = std::vector<std::pair<QString, QString>>;

const Fields kKxCooling{{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}, {"txtPotric", "2000"}};
const Fields kKxCoolingAnyCapacity{{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}};
const Fields kKxHeating{{"txtTsa1(1)", "20"}, {"txtTw1(1)", "45"}, {"txtTw2(1)", "40"}, {"txtPotric", "2000"}};

// A run in one of the windows and the item it adds.
struct AddCase {
    const char* name;
    int line;
    int mode;
    bool airFlowGiven;
    Fields fields;
    float required_W; // what txtPotric asks, W
};

const AddCase kAddCases[] = {
    {"KxCooling", LineKX, ModeCooling, false, kKxCooling, 2000},
    {"KxHeating", LineKX, ModeHeating, false, kKxHeating, 2000},
    {"KxrCoolingWithFreshAir", LineMRZ, ModeCooling, true,
     {{"txtqatot(0)", "400"}, {"txtpqaric(0)", "100"}, {"txtTsa1ric(0)", "26"}, {"txtUrric", "50"}, {"txtTw1(0)", "7"},
      {"txtTw2(0)", "12"}},
     0},
    {"KxrHeatingAtPressure", LineMRZ, ModeHeating, false,
     {{"txtpsu(1)", "120"}, {"txtTsa1ric(1)", "20"}, {"txtTw1(1)", "45"}, {"txtTw2(1)", "40"}},
     0},
    {"KxnCooling", LineHJQ, ModeCooling, false,
     {{"txtpsu(0)", "50"}, {"txtTsa1ric(0)", "27"}, {"txtUrric", "50"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}},
     0},
};

class AddFromWindow : public ProjectWindowTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddFromWindow, TheChosenRowBecomesAnItemWithTheRunsDuty)
{
    const AddCase& c = GetParam();
    SelectionWindow* window = openWindow(c.line);
    runWith(window, c.mode, c.airFlowGiven, c.fields);
    ASSERT_GT(window->lastRun().listedCount(), 0) << "the run lists models";
    const int row = window->Grd->grid().rows() > 3 ? 3 : 2; // the second listed model when there is one
    const QString chosen = modelOnRow(window, row);
    prompts.items.push_back({"FC-9", "Office 9", 2});
    addRow(window, row);

    ASSERT_EQ(session->project().items.size(), 1u);
    const ProjectItem& item = session->project().items.front();
    EXPECT_EQ(item.tag, "FC-9");
    EXPECT_EQ(item.room, "Office 9");
    EXPECT_EQ(item.quantity, 2);
    EXPECT_EQ(item.line, c.line);
    EXPECT_EQ(item.model, unitOfCoil(chosen.toStdString(), window->lastRequest()));
    const std::optional<DutyRecord>& duty = c.mode == ModeCooling ? item.cooling : item.heating;
    const std::optional<DutyRecord>& other = c.mode == ModeCooling ? item.heating : item.cooling;
    ASSERT_TRUE(duty.has_value());
    EXPECT_FALSE(other.has_value());
    ASSERT_TRUE(duty->rated.has_value());
    EXPECT_EQ(duty->rated->name, chosen.toStdString());
    EXPECT_EQ(duty->request.mode, c.mode);
    EXPECT_FLOAT_EQ(duty->required_W, c.required_W);
    EXPECT_EQ(duty->request.band.maximum, kNoCapacityLimit_W) << "the project keeps no capacity band";
    EXPECT_TRUE(session->modified());
    EXPECT_EQ(prompts.suggestedItem.tag, QStringLiteral("FC-01"));
}

INSTANTIATE_TEST_SUITE_P(Runs, AddFromWindow, ::testing::ValuesIn(kAddCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectWindowTest, WithoutAnswerNothingIsAdded)
{
    SelectionWindow* window = openWindow(LineKX);
    runWith(window, ModeCooling, false, kKxCooling);
    addRow(window, 2); // the user cancels the item's question
    EXPECT_TRUE(session->project().items.empty());
    EXPECT_FALSE(session->modified());
}

// --- both duties on one item --------------------------------------------------------------

struct BothDutiesCase {
    const char* name;
    bool fourPipe;          // choose a "+4P" unit in cooling
    const char* heatingRequired;
    bool met;
};

const BothDutiesCase kBothDuties[] = {
    {"TwoPipeMet", false, "500", true},
    {"TwoPipeShort", false, "90000", false},
    {"FourPipeHeatsWithItsCoil", true, "500", true},
    {"FourPipeShort", true, "90000", false},
};

class BothDuties : public ProjectWindowTest, public ::testing::WithParamInterface<BothDutiesCase> {};

TEST_P(BothDuties, TheHeatingRunRatesTheItemsModel)
{
    const BothDutiesCase& c = GetParam();
    SelectionWindow* window = openWindow(LineKX);
    runWith(window, ModeCooling, false, kKxCoolingAnyCapacity);
    const int row = rowWhere(window, [&](const QString& model) { return model.endsWith(QLatin1String("+4P")) == c.fourPipe; });
    ASSERT_GE(row, 0);
    const std::string unit = modelOnRow(window, row).toStdString();
    prompts.items.push_back({"FC-1", "Office", 1});
    addRow(window, row);

    // Heating: any row; the tag of the existing item adds the duty to it.
    runWith(window, ModeHeating, false,
            {{"txtTsa1(1)", "20"}, {"txtTw1(1)", "45"}, {"txtTw2(1)", "40"}, {"txtPotric", c.heatingRequired}});
    if (window->lastRun().listedCount() == 0) // nothing meets a large duty: widen the run to list models
        runWith(window, ModeHeating, false, {{"txtTsa1(1)", "20"}, {"txtTw1(1)", "45"}, {"txtTw2(1)", "40"}});
    ASSERT_GT(window->lastRun().listedCount(), 0);
    window->findChild<QLineEdit*>(QStringLiteral("txtPotric"))->setText(QString::fromLatin1(c.heatingRequired));
    sink.messages.clear();
    prompts.items.push_back({"FC-1", "", 1});
    addRow(window, 2);

    ASSERT_EQ(session->project().items.size(), 1u);
    const ProjectItem& item = session->project().items.front();
    EXPECT_EQ(item.model, unit) << "the item keeps its model";
    ASSERT_TRUE(item.heating.has_value());
    ASSERT_TRUE(item.heating->rated.has_value());
    EXPECT_EQ(item.heating->rated->name, c.fourPipe ? fourPipeHeatingCoilOf(unit) : unit);
    EXPECT_EQ(item.heating->request.fourPipe, c.fourPipe);
    EXPECT_FLOAT_EQ(item.heating->required_W, std::stof(c.heatingRequired));
    EXPECT_EQ(meetsDuties(item), c.met);
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages.front().kind, c.met ? RecordingMessageSink::Kind::Information
                                                : RecordingMessageSink::Kind::Exclamation);
    EXPECT_TRUE(sink.messages.front().text.startsWith(QString::fromStdString(item.heating->rated->name)))
        << sink.messages.front().text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, BothDuties, ::testing::ValuesIn(kBothDuties),
                         [](const auto& info) { return std::string(info.param.name); });

// --- the schedule window ------------------------------------------------------------------

class ScheduleWindow : public ProjectWindowTest {
protected:
    void SetUp() override
    {
        ProjectWindowTest::SetUp();
        if (IsSkipped())
            return;
        schedule = std::make_unique<FProgetto>(nullptr, *session, *link, [this](int line) { openWindow(line); });
    }
    void TearDown() override
    {
        schedule.reset();
        ProjectWindowTest::TearDown();
    }
    // Items A, B, C added from KX cooling runs on the first three rows.
    void addThree()
    {
        SelectionWindow* window = openWindow(LineKX);
        runWith(window, ModeCooling, false, kKxCooling);
        for (const char* tag : {"A", "B", "C"}) {
            prompts.items.push_back({tag, "", 1});
            addRow(window, 2);
        }
        window->hide();
    }
    QStringList tags() const
    {
        QStringList all;
        for (const ProjectItem& item : session->project().items)
            all << QString::fromStdString(item.tag);
        return all;
    }
    std::unique_ptr<FProgetto> schedule;
};

// A command on the current item and the order afterwards.
struct OrderCase {
    const char* name;
    int current; // the item made current
    std::function<void(FProgetto&)> command;
    QStringList tags;
};

const OrderCase kOrderCases[] = {
    {"DeleteFirst", 0, [](FProgetto& s) { s.cmdElimina_Click(); }, {"B", "C"}},
    {"DeleteLast", 2, [](FProgetto& s) { s.cmdElimina_Click(); }, {"A", "B"}},
    {"MoveUp", 2, [](FProgetto& s) { s.moveCurrent(-1); }, {"A", "C", "B"}},
    {"MoveDown", 0, [](FProgetto& s) { s.moveCurrent(+1); }, {"B", "A", "C"}},
    {"MoveFirstUpStays", 0, [](FProgetto& s) { s.moveCurrent(-1); }, {"A", "B", "C"}},
    {"DuplicateGetsAFreshTag", 1, [](FProgetto& s) { s.cmdDuplica_Click(); }, {"A", "B", "B-2", "C"}},
};

class ItemOrder : public ScheduleWindow, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(ItemOrder, CommandsChangeTheProjectsItems)
{
    const OrderCase& c = GetParam();
    addThree();
    ASSERT_EQ(tags(), QStringList({"A", "B", "C"}));
    schedule->selectItem(c.current);
    c.command(*schedule);
    EXPECT_EQ(tags(), c.tags);
    EXPECT_EQ(schedule->items()->model()->rowCount(), c.tags.size()) << "the window follows";
}

INSTANTIATE_TEST_SUITE_P(Cases, ItemOrder, ::testing::ValuesIn(kOrderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScheduleWindow, SortingByAColumnKeepsTheItemOfEachRow)
{
    addThree();
    schedule->items()->sortByColumn(1, Qt::DescendingOrder); // the tag column, after the flags
    EXPECT_EQ(schedule->itemOnRow(0), 2);
    EXPECT_EQ(schedule->itemOnRow(2), 0);
    schedule->selectItem(2);
    schedule->moveCurrent(-1); // moving goes back to the project's order
    EXPECT_EQ(tags(), QStringList({"A", "C", "B"}));
    EXPECT_EQ(schedule->itemOnRow(1), 1);
}

TEST_F(ScheduleWindow, TotalsPerModelCountTheUnits)
{
    addThree(); // three items of one model
    QAbstractItemModel* totals = schedule->totals()->model();
    ASSERT_GE(totals->rowCount(), 2); // the model, then the total
    int unitsColumn = -1;
    for (int c = 0; c < totals->columnCount(); ++c)
        if (totals->data(totals->index(0, c)).toString() == QLatin1String("3"))
            unitsColumn = c;
    EXPECT_GE(unitsColumn, 0) << "three units of the one model";
}

// The temperature unit the fields show an edited item's run in.
struct EditCase {
    const char* name;
    int temperatureUnit;
    const char* waterIn;  // txtTw1(0) for 7 °C
    const char* waterOut; // txtTw2(0) for 12 °C
};

const EditCase kEditCases[] = {
    {"Celsius", TempCelsius, "7", "12"},
    {"Fahrenheit", TempFahrenheit, "44.6", "53.6"},
};

class EditRoundTrip : public ScheduleWindow, public ::testing::WithParamInterface<EditCase> {
protected:
    void TearDown() override
    {
        UnitT.choose(TempCelsius);
        ScheduleWindow::TearDown();
    }
};

TEST_P(EditRoundTrip, TheItemsRunIsShownAndAnotherRowReplacesItsModel)
{
    const EditCase& c = GetParam();
    addThree(); // typed in °C
    UnitT.choose(c.temperatureUnit);
    const std::string before = session->project().items[1].model;
    schedule->selectItem(1);
    schedule->cmdModifica_Click(); // shows the KX window with B's run
    ASSERT_TRUE(kx && kx->isVisible());
    EXPECT_TRUE(link->editing());
    EXPECT_EQ(kx->findChild<QLineEdit*>(QStringLiteral("txtTw1(0)"))->text(), QString::fromLatin1(c.waterIn));
    EXPECT_EQ(kx->findChild<QLineEdit*>(QStringLiteral("txtTw2(0)"))->text(), QString::fromLatin1(c.waterOut));
    EXPECT_EQ(kx->findChild<QLineEdit*>(QStringLiteral("txtPotric"))->text(), QStringLiteral("2000"));
    EXPECT_EQ(kx->findChild<QPushButton*>(QStringLiteral("cmdProgetto"))->text(), Testo(kReplaceInProjectText));
    const int highlighted = kx->Grd->currentIndex().row();
    EXPECT_EQ(modelOnRow(kx.get(), highlighted).toStdString(), before) << "the item's model is highlighted";
    EXPECT_FLOAT_EQ(kx->lastRequest().waterIn, 7.0f) << "the same conditions rated again";

    const int other = highlighted == 2 ? 3 : 2;
    ASSERT_LT(other, kx->Grd->grid().rows());
    const QString replacement = modelOnRow(kx.get(), other);
    addRow(kx.get(), other);
    kx->hide();
    EXPECT_FALSE(link->editing());
    ASSERT_EQ(tags(), QStringList({"A", "B", "C"})) << "no item added";
    EXPECT_EQ(session->project().items[1].model, replacement.toStdString());
    EXPECT_EQ(session->project().items[1].cooling->rated->name, replacement.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Units, EditRoundTrip, ::testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A ducted item's run shown again: the given quantity, the air streams and the water.
struct DuctedEditCase {
    const char* name;
    int line;
    bool airFlowGiven;
    Fields fields;   // typed when the item was added
    Fields expected; // what the fields show for the edit
    bool freshAirShown;
};

const DuctedEditCase kDuctedEdits[] = {
    {"KxrFlowWithFreshAir", LineMRZ, true,
     {{"txtqatot(0)", "400"}, {"txtpqaric(0)", "80"}, {"txtTsa1ric(0)", "26"}, {"txtUrric", "50"}, {"txtpqarin(0)", "20"},
      {"txtTsa1rin(0)", "32"}, {"txturrin", "40"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}},
     {{"txtqatot(0)", "400"}, {"txtpqaric(0)", "80"}, {"txtpqarin(0)", "20"}, {"txtTsa1rin(0)", "32"}, {"txturrin", "40"},
      {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}},
     true},
    {"KxnPressure", LineHJQ, false,
     {{"txtpsu(0)", "60"}, {"txtTsa1ric(0)", "27"}, {"txtUrric", "50"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}},
     {{"txtpsu(0)", "60"}, {"txtTsa1ric(0)", "27"}, {"txtUrric", "50"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}},
     false},
};

class DuctedEdit : public ScheduleWindow, public ::testing::WithParamInterface<DuctedEditCase> {};

TEST_P(DuctedEdit, TheFieldsShowTheItemsRun)
{
    const DuctedEditCase& c = GetParam();
    SelectionWindow* window = openWindow(c.line);
    runWith(window, ModeCooling, c.airFlowGiven, c.fields);
    if (c.airFlowGiven) { // leaving the return share shows the fresh-air fields, as for a user
        runWith(window, ModeCooling, c.airFlowGiven, c.fields);
    }
    ASSERT_GT(window->lastRun().listedCount(), 0);
    const RunRequest added = window->lastRequest();
    prompts.items.push_back({"D-1", "", 1});
    addRow(window, 2);
    window->hide();
    for (QLineEdit* box : window->textBoxes())
        box->clear(); // the fields forget the run

    schedule->selectItem(0);
    schedule->cmdModifica_Click();
    ASSERT_TRUE(ducted && ducted->isVisible());
    for (const auto& [name, text] : c.expected)
        EXPECT_EQ(ducted->findChild<QLineEdit*>(name)->text(), text) << name.toStdString();
    EXPECT_EQ(ducted->findChild<QLineEdit*>(QStringLiteral("txtpqarin(0)"))->isVisibleTo(ducted.get()), c.freshAirShown);
    EXPECT_EQ(modelOnRow(ducted.get(), ducted->Grd->currentIndex().row()).toStdString(),
              session->project().items[0].model);
    EXPECT_NEAR(ducted->lastRequest().air.dryBulb, added.air.dryBulb, 0.01);
    EXPECT_NEAR(ducted->lastRequest().air.wetBulb, added.air.wetBulb, 0.01);
    EXPECT_EQ(ducted->lastRequest().airFlowGiven(), added.airFlowGiven());
    ducted->hide();
}

INSTANTIATE_TEST_SUITE_P(Cases, DuctedEdit, ::testing::ValuesIn(kDuctedEdits),
                         [](const auto& info) { return std::string(info.param.name); });

// --- flags --------------------------------------------------------------------------------

// A change of the model data and the flag it raises on every item of the changed model.
struct FlagCase {
    const char* name;
    std::function<void(ModelTable&, int model)> change;
    int flag; // text offset
};

const FlagCase kFlagCases[] = {
    {"ModelRenamed", [](ModelTable& t, int m) { t.Modello[m] += " II"; }, kAddToProjectText + 25},
    {"CoilShorter", [](ModelTable& t, int m) { t.LunBat[m] *= 0.8f; }, kAddToProjectText + 24},
};

class FlagsAfterDataChange : public ScheduleWindow, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(FlagsAfterDataChange, TheScheduleFlagsTheChangedItems)
{
    addThree();
    schedule->refresh();
    for (int row = 0; row < 3; ++row)
        EXPECT_TRUE(schedule->flagsText(row).isEmpty()) << "nothing changed yet";
    const std::string model = session->project().items[0].model;
    const FlagCase& c = GetParam();
    session->setLineLoader([&](ModelTable& table, int line) {
        testing::loadShippedProjectLine(table, line);
        for (int m = 1; m <= table.NumModels; ++m)
            if (table.Modello[m] == model)
                c.change(table, m);
    });
    schedule->refresh();
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(schedule->flagsText(row), Testo(c.flag).trimmed()) << "row " << row;
}

INSTANTIATE_TEST_SUITE_P(Cases, FlagsAfterDataChange, ::testing::ValuesIn(kFlagCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvello

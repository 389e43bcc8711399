// The details panel in both selection windows, headless: "Details" opens it on the current
// row, it follows the grid's current row (by the keys, a click, the selection model) while
// a click still toggles exactly that row's print mark, a new run refreshes it, and a change
// of mode empties it. The ducted window shows the return, fresh and mixed air.

#include "chart_view/chart_texts.h"
#include "chart_view/details_panel.h"
#include "printing/pdf_file_chooser.h"
#include "selection_ducted/fdatimrz.h"
#include "selection_ui/details_follower.h"
#include "shell/language.h"
#include "tests/selection_ducted/ducted_test_support.h"
#include "tests/selection_kx/fdati_test_support.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace tarvello {
namespace {

using testing::FDatiTest;

// The model name at the top of the panel's copy text.
QString panelModel(const FDettagli* panel)
{
    return panel->copyText().section(QStringLiteral("\r\n"), 0, 0);
}

QStringList printMarks(const TextGrid& grid)
{
    QStringList marks;
    for (int r = 2; r < grid.rows(); ++r)
        marks << grid.text(r, 0);
    return marks;
}

class DetailsInTheKxWindow : public FDatiTest {
protected:
    FDettagli* openDetails()
    {
        window->findChild<QPushButton*>(QStringLiteral("cmdDettagli"))->click();
        return window->details()->panel();
    }
    void setCurrentRow(int row)
    {
        window->Grd->selectionModel()->setCurrentIndex(window->Grd->grid().index(row, 1),
                                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
};

TEST_F(DetailsInTheKxWindow, CommandWaitsForARunThatListsModels)
{
    QPushButton* command = button("cmdDettagli");
    ASSERT_NE(command, nullptr);
    EXPECT_FALSE(command->isEnabled());
    coolingExample();
    calcola();
    ASSERT_FALSE(listedModels().isEmpty());
    EXPECT_TRUE(command->isEnabled());
    setMode(1); // the grid is emptied
    EXPECT_FALSE(command->isEnabled());
}

TEST_F(DetailsInTheKxWindow, PanelFollowsTheCurrentRowAndLeavesThePrintMarksAlone)
{
    coolingExample();
    calcola();
    const QStringList models = listedModels();
    ASSERT_GE(models.size(), 3);
    const QStringList marksBefore = printMarks(grd());
    FDettagli* panel = openDetails();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panelModel(panel), models[0]) << "no row current yet: the first listed model";
    for (int i : {2, 1, 0}) {
        setCurrentRow(2 + i);
        EXPECT_EQ(panelModel(panel), models[i]);
    }
    EXPECT_EQ(printMarks(grd()), marksBefore) << "following the row marks nothing";
    // A click toggles the mark of its row only, and the panel follows it.
    window->Grd->clickRow(3);
    EXPECT_EQ(panelModel(panel), models[1]);
    const QStringList marksAfter = printMarks(grd());
    EXPECT_NE(marksAfter[1], marksBefore[1]) << "the clicked row's mark toggled";
    for (int r = 0; r < marksAfter.size(); ++r) {
        if (r != 1) {
            EXPECT_EQ(marksAfter[r], marksBefore[r]) << r;
        }
    }
    // With TARVELLO_CHART_PNG_DIR set, the window and the panel's tabs are kept to be looked at.
    if (const QByteArray dir = qgetenv("TARVELLO_CHART_PNG_DIR"); !dir.isEmpty()) {
        window->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/kx_window.png"));
        for (int tab = 0; tab < panel->tabs()->count(); ++tab) {
            panel->tabs()->setCurrentIndex(tab);
            panel->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/kx_panel_%1.png").arg(tab));
        }
        panel->tabs()->setCurrentIndex(0);
    }
    // The panel's values are the grid's.
    const QString copy = panel->copyText();
    EXPECT_TRUE(copy.contains(row(3)[2].trimmed())) << "total capacity " << row(3)[2].toStdString();
    EXPECT_EQ(panel->tabs()->count(), 3);
}

TEST_F(DetailsInTheKxWindow, ANewRunRefreshesAndAChangeOfModeEmptiesThePanel)
{
    coolingExample();
    calcola();
    FDettagli* panel = openDetails();
    setCurrentRow(3);
    const QString cooled = panel->copyText();
    box("txtTw1(0)")->setText(QStringLiteral("8"));
    calcola();
    EXPECT_TRUE(panel->hasResult());
    EXPECT_NE(panel->copyText(), cooled) << "the new run's values";
    setMode(1);
    EXPECT_FALSE(panel->hasResult());
    EXPECT_TRUE(panel->copyText().isEmpty());
    heatingExample();
    calcola();
    EXPECT_TRUE(panel->hasResult());
    EXPECT_TRUE(panel->copyText().contains(Testo(chart_texts::kHeatingCapacity).trimmed()));
}

TEST_F(DetailsInTheKxWindow, DatasheetIsWrittenWhereTheUserChooses)
{
    struct Chooser : PdfFileChooser {
        QString path;
        QString chooseFile(QWidget*, const QString&, const QString&, const QString&) override { return path; }
    } chooser;
    QTemporaryDir dir;
    chooser.path = dir.filePath(QStringLiteral("unit"));
    setPdfFileChooser(&chooser);
    coolingExample();
    calcola();
    FDettagli* panel = openDetails();
    const QString written = panel->saveDatasheet();
    setPdfFileChooser(nullptr);
    EXPECT_EQ(written, chooser.path + QStringLiteral(".pdf"));
    EXPECT_TRUE(QFile::exists(written));
    EXPECT_GT(QFile(written).size(), 10000);
}

class DetailsInTheDuctedWindow : public testing::SelectionEnvironment {
protected:
    void TearDown() override
    {
        delete window.data();
        SelectionEnvironment::TearDown();
    }
    QPointer<FDatiMRZ> window;
};

TEST_F(DetailsInTheDuctedWindow, ShowsTheReturnFreshAndMixedAir)
{
    if (!QFile::exists(QStringLiteral(TARVELLO_APP_DIR "/") + QString::fromLatin1(kModelDbFileName)))
        GTEST_SKIP() << "the model database is not built";
    modelTable().SeriesCode = "MRZ";
    setFDatiMRZCaption(Testo(88));
    testing::loadShippedLine(LineMRZ, modelTable());
    ImpostaCoefficienti(LineMRZ);
    window = fdatiMRZ();
    window->show();
    const auto set = [this](const char* name, const char* text) {
        window->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    };
    set("txtpqaric(0)", "70");
    set("txtTsa1ric(0)", "26");
    set("txtUrric", "50");
    set("txtpqarin(0)", "30");
    set("txtTsa1rin(0)", "34");
    set("txturrin", "45");
    set("txtTw1(0)", "7");
    set("txtTw2(0)", "12");
    window->findChild<QRadioButton*>(QStringLiteral("optPortata(0)"))->click();
    set("txtqatot(0)", "150"); // l/s: the streams mix by their shares of the total flow
    window->findChild<QPushButton*>(QStringLiteral("cmdCalcola"))->click();
    ASSERT_GT(window->lastRun().listedCount(), 0) << "the run lists models";
    window->findChild<QPushButton*>(QStringLiteral("cmdDettagli"))->click();
    FDettagli* panel = window->details()->panel();
    ASSERT_NE(panel, nullptr);
    const QString copy = panel->copyText();
    for (int text : {chart_texts::kReturnAir, chart_texts::kFreshAir, chart_texts::kMixedAir, chart_texts::kLeavingAir,
                     chart_texts::kCondensate, chart_texts::kUsefulStaticPressure})
        EXPECT_TRUE(copy.contains(Testo(text).trimmed())) << Testo(text).toStdString();
    EXPECT_EQ(panelModel(panel), QString::fromStdString(window->lastRun().listed().front()->name));
    if (const QByteArray dir = qgetenv("TARVELLO_CHART_PNG_DIR"); !dir.isEmpty()) {
        for (int tab = 0; tab < panel->tabs()->count(); ++tab) {
            panel->tabs()->setCurrentIndex(tab);
            panel->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/mrz_panel_%1.png").arg(tab));
        }
    }
}

} // namespace
} // namespace tarvello

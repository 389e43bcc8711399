#pragma once
// Common ground of the ducted window tests: Italian texts, the first unit of every
// quantity, a pinned locale, a program folder of its own for the settings file, and the
// shipped ducted lines or a hand-made one.

#include "engine/coil_constants.h"
#include "engine/model_table.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "platform/access_database.h"
#include "shell/app_state.h"
#include "shell/units.h"

#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarvello::testing {

class DuctedEnvironment : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        saved = {AppDir, DecimalSep, LangBase};
        AppDir = withTrailingSeparator(folder.path());
        LangBase = 100;
        fillUnitTables();
        resetUnits();
        useLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override
    {
        AppDir = saved.appDir;
        DecimalSep = saved.decimalSep;
        LangBase = saved.langBase;
        QLocale::setDefault(QLocale::c());
        resetUnits();
    }
    static void resetUnits()
    {
        for (UnitChoice* unit : {&UnitPt, &UnitQa, &UnitQw, &UnitDpW, &UnitDpA})
            unit->choose(0);
    }
    static void useLocale(const QLocale& locale)
    {
        QLocale::setDefault(locale);
        DecimalSep = decimalSepOf(locale);
    }

    QTemporaryDir folder;
    struct {
        QString appDir;
        QString decimalSep;
        qint16 langBase;
    } saved;
};

// Loads the shipped line 1 ("MRZ") or 2 ("HJQ") into `table`, as the chooser does.
inline void loadShippedLine(int line, ModelTable& table)
{
    AccessDatabase db;
    db.open(std::string(TARVELLO_APP_DIR) + "/" + kModelDbFileName, kModelDbConnect);
    table.SeriesCode = line == LineHJQ ? "HJQ" : "MRZ";
    if (line == LineHJQ)
        CaricaDatiHJQ(table, db);
    else
        CaricaDatiMRZ(table, db);
}

} // namespace tarvello::testing

#pragma once
// Common ground of the tests of both selection windows (KX and ducted): Italian texts, the
// first unit of every quantity, a pinned locale, and a program folder of its own for the
// settings file.

#include "shell/app_state.h"
#include "shell/units.h"

#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarvello::testing {

class SelectionEnvironment : public ::testing::Test {
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
        for (UnitChoice* unit : {&UnitPt, &UnitQa, &UnitQw, &UnitDpW, &UnitDpA, &UnitT})
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

} // namespace tarvello::testing

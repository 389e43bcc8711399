#pragma once
// Driving the real KX window headless: the shipped line 0 loaded into the model table, a
// window shown and active so that the focus moves as the user's would, and a recording
// message sink.

#include "engine/model_table.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "selection_kx/fdati.h"
#include "shell/recording_message_sink.h"

#include "kx_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace tarvello::testing {

// The shipped line 0, loaded once.
inline void loadShippedLine0()
{
    static bool loaded = false;
    if (!loaded) {
        openModelDb(TARVELLO_APP_DIR);
        loaded = true;
    }
    CaricaDatiKORVE(modelTable(), ModelDb());
}

class FDatiTest : public KxEnvironment {
protected:
    void SetUp() override
    {
        KxEnvironment::SetUp();
        loadShippedLine0();
        openWindow();
    }
    void TearDown() override
    {
        window.reset();
        KxEnvironment::TearDown();
    }
    void openWindow()
    {
        window = std::make_unique<FDati>();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Closes the window as the user does (its fields are saved) and loads a new one.
    void reopenWindow()
    {
        window->close();
        window.reset();
        openWindow();
    }

    QLineEdit* box(const char* name) const { return window->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QComboBox* list(const char* name) const { return window->findChild<QComboBox*>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) const
    {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QWidget* focused() const { return QApplication::focusWidget(); }

    // Types `text` into a field as the user would: the field gets the focus, its text is
    // replaced.
    void type(const char* name, const QString& text)
    {
        QLineEdit* field = box(name);
        field->setFocus();
        field->setText(text);
    }
    // Moves the focus to a control (a field, a list, a button) as a click or Tab would.
    void focusOn(QWidget* control) { control->setFocus(); }
    void focusOn(const char* name) { focusOn(window->findChild<QWidget*>(QString::fromLatin1(name))); }

    // The user picks the mode in its list (leaving a field for the list checks nothing).
    void setMode(int mode)
    {
        focusOn("cbofunz");
        list("cbofunz")->setCurrentIndex(mode);
    }
    void setSpeed(const char* speed) { list("cboVel")->setCurrentText(QString::fromLatin1(speed)); }
    void calcola() { button("cmdCalcola")->click(); }

    // Fills the cooling fields of the design example: air 27 °C with 19 °C wet bulb
    // (humidity typed as the window computes it), water 7/12 °C, speed Max.
    void coolingExample()
    {
        setMode(0);
        box("txtTsa1(0)")->setText(QStringLiteral("27"));
        box("txtTbu")->setText(QStringLiteral("19"));
        box("txtUr")->setText(QStringLiteral("47.0"));
        box("txtTw1(0)")->setText(QStringLiteral("7"));
        box("txtTw2(0)")->setText(QStringLiteral("12"));
        box("txtQw(0)")->clear();
        box("txtPotric")->clear();
        setSpeed("Max");
    }
    void heatingExample()
    {
        setMode(1);
        box("txtTsa1(1)")->setText(QStringLiteral("20"));
        box("txtTw1(1)")->setText(QStringLiteral("45"));
        box("txtTw2(1)")->setText(QStringLiteral("40"));
        box("txtQw(1)")->clear();
        box("txtPotric")->clear();
        setSpeed("Max");
    }

    const TextGrid& grd() const { return window->Grd->grid(); }
    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < grd().cols(); ++c)
            cells << grd().text(r, c);
        return cells;
    }
    // The model names of the result rows.
    QStringList listedModels() const
    {
        QStringList names;
        for (int r = 2; r < grd().rows(); ++r)
            if (!grd().text(r, 1).isEmpty())
                names << grd().text(r, 1);
        return names;
    }
    // A shown number of the grid, read in the pinned locale.
    double number(int r, int c) const
    {
        QString text = grd().text(r, c);
        text.remove(QStringLiteral(" *"));
        return QLocale().toDouble(text);
    }

    RecordingMessageSink sink;
    std::unique_ptr<FDati> window;
};

} // namespace tarvello::testing

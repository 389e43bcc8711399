#pragma once
// Driving the real KX window headless: the shipped line 0 loaded into the model table, a
// window shown and active so that the focus moves as the user's would, and a recording
// message sink.

#include "engine/coil_constants.h"
#include "engine/model_table.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "selection_kx/fdati.h"
#include "shell/recording_message_sink.h"

#include "selection_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace tarvello::testing {

// A small hand-made KX line in the form of the model database, so that the tests do not
// follow changes of the shipped range: three geometries, a "+4P" unit and its " 4P" coil.
inline constexpr const char* kSampleLine0[] = {
    // Modello, Geom, Passo, LunBat, AltBAt, NR, NC, V1A, V1B, V1C, V2A, V2B, V2C, V3A, V3B, V3C,
    // F1C100, F1C30, C1C30, F2C100, F2C30, C2C30, F3C100, F3C30, C3C30, CC50, LWA1..3, LPA1..3
    "KXA 20,1,2,500,200,3,2,-0.0005207,0.02,30,-0.0003875,0.02,38,-0.0002953,0.02,46,"
    "0.18,33.8,31,0.15,34.9,32,0.12,36,33,1.5,36,43,50,27,34,41",
    "KXA 30,1,3,700,200,3,2,-0.0003025,0.02,32,-0.0002153,0.02,40,-0.0001672,0.02,50,"
    "0.18,35.7,32.9,0.15,36.9,33.9,0.12,38,35,1.6,39,46,53,30,37,44",
    "KXE 40,2,2,900,250,3,3,-0.0001505,0.02,36,-0.0001137,0.02,46,-8.79e-05,0.02,56,"
    "0.18,8.1,7.5,0.15,8.3,7.8,0.12,8.6,8,1.7,42,49,56,33,40,47",
    "KXH 50,3,3,1100,300,3,4,-8.75e-05,0.02,40,-6.621e-05,0.02,52,-4.993e-05,0.02,64,"
    "0.18,48.9,45.1,0.15,50.4,46.6,0.12,52,48,1.8,45,52,59,36,43,50",
    "KXH 60+4P,3,2,1300,350,3,5,-5.537e-05,0.02,45,-4.138e-05,0.02,58,-3.185e-05,0.02,72,"
    "0.18,50.8,47,0.15,52.4,48.5,0.12,54,50,1.9,48,55,62,39,46,53",
    "KXH 60 4P,1,3,1300,350,1,1,-5.537e-05,0.02,45,-4.138e-05,0.02,58,-3.185e-05,0.02,72,"
    "0.18,41.4,39.5,0.15,42.7,40.7,0.12,44,42,2,48,55,62,39,46,53",
};

// Fills the process-wide model table with the sample line and sets the line's constants.
inline void loadSampleLine0()
{
    ModelTable& t = modelTable();
    t = ModelTable{};
    int m = 0;
    for (const char* line : kSampleLine0) {
        const QStringList f = QString::fromLatin1(line).split(QLatin1Char(','));
        ++m;
        t.Modello[m] = f[0].toStdString();
        t.Geom[m] = static_cast<int16_t>(f[1].toInt());
        t.Passo[m] = static_cast<int16_t>(f[2].toInt());
        t.LunBat[m] = f[3].toFloat();
        t.AltBAt[m] = f[4].toFloat();
        t.NR[m] = f[5].toFloat();
        t.NC[m] = f[6].toFloat();
        for (int speed = 1; speed <= 3; ++speed) {
            t.VelA[m][speed] = f[7 + 3 * (speed - 1)].toFloat();
            t.VelB[m][speed] = f[8 + 3 * (speed - 1)].toFloat();
            t.VelC[m][speed] = f[9 + 3 * (speed - 1)].toFloat();
            t.LWA[m][speed] = f[25 + speed].toFloat();
            t.LPA[m][speed] = f[28 + speed].toFloat();
        }
        t.C100[m] = f[16].toFloat();
        t.FC30[m] = f[17].toFloat();
        t.CC30[m] = f[18].toFloat();
        t.F2C100[m] = f[19].toFloat();
        t.F2C30[m] = f[20].toFloat();
        t.C2C30[m] = f[21].toFloat();
        t.F3C100[m] = f[22].toFloat();
        t.F3C30[m] = f[23].toFloat();
        t.C3C30[m] = f[24].toFloat();
        t.FCC50[m] = f[25].toFloat();
    }
    t.NumModels = static_cast<int16_t>(m);
    t.line = LineKX;
    ImpostaCoefficienti(LineKX);
}

// The shipped line 0 from the program folder's database.
inline void loadShippedLine0()
{
    static bool opened = false;
    if (!opened) {
        openModelDb(TARVELLO_APP_DIR);
        opened = true;
    }
    CaricaDatiKORVE(modelTable(), ModelDb());
}

class FDatiTest : public SelectionEnvironment {
protected:
    void SetUp() override
    {
        SelectionEnvironment::SetUp();
        loadSampleLine0();
        openWindow();
    }
    void TearDown() override
    {
        window.reset();
        SelectionEnvironment::TearDown();
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

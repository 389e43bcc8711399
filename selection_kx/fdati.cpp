#include "selection_kx/fdati.h"

#include "engine/product_lines.h"
#include "selection_kx/kx_grid.h"
#include "selection_ui/result_grid.h"
#include "selection_ui/paired_fields.h"
#include "selection_ui/print_request.h"
#include "selection_ui/unit_follow.h"
#include "shell/app_state.h"
#include "shell/forms.h"
#include "shell/language.h"
#include "shell/settings.h"
#include "shell/units.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include <algorithm>

namespace tarvello {

namespace {

const QString kSettingsSection = QStringLiteral("Data1");
const QStringList kSpeeds{QStringLiteral("Min"), QStringLiteral("Med"), QStringLiteral("Max")};

QPointer<FDati>& instance()
{
    static QPointer<FDati> window;
    return window;
}

} // namespace

FDati::FDati(QWidget* parent) : SelectionWindow(parent)
{
    setObjectName(QStringLiteral("FDati"));
    buildControls();
    setCaptions();
    fillLists();
    connectSharedHandlers();
    cbofunz_Click();
    coilState().Mode = ModeCooling;
    setPowerUnitLabel();
    restoreFieldsInUnits(textBoxes(), kSettingsSection);
    followUnitChanges(this, [this](const UnitSelection& from, const UnitSelection& to) {
        convertFields(textBoxes(), from, to);
        setCaptions();
        showTemperatureUnit(this);
        setPowerUnitLabel();
        ImpostaGriglia(); // headings in the new units; rows of the old ones are dropped
    });
    ImpostaGriglia();
    fitToScreen();
    CentraForm(this);
    Forms::loaded(this);
}

void FDati::buildModeFrames()
{
    QGroupBox* frames[2];
    for (int i = 0; i < 2; ++i) {
        auto* frame = new QGroupBox(this);
        frame->setObjectName(i == 0 ? QStringLiteral("frmCooling") : QStringLiteral("frmHeating"));
        frames[i] = frame;
        auto* grid = new QGridLayout(frame);
        int row = 0;
        auto addRow = [&](QLabel* label, QWidget* box, QLabel* unit) {
            grid->addWidget(label, row, 0);
            grid->addWidget(box, row, 1);
            if (unit)
                grid->addWidget(unit, row, 2);
            ++row;
        };
        lblTbs[i] = makeFieldLabel(frame, indexedName("lblTbs", i));
        txtTsa1[i] = makeFieldBox(frame, indexedName("txtTsa1", i));
        addRow(lblTbs[i], txtTsa1[i], makeFieldLabel(frame, indexedName("lblumTsa1", i), UnitT.name()));
        if (i == 0) {
            lbltbu = makeFieldLabel(frame, QStringLiteral("lbltbu"));
            txtTbu = makeFieldBox(frame, QStringLiteral("txtTbu"));
            addRow(lbltbu, txtTbu, makeFieldLabel(frame, QStringLiteral("lblumTbu"), UnitT.name()));
            lblUr = makeFieldLabel(frame, QStringLiteral("lblUr"));
            txtUr = makeFieldBox(frame, QStringLiteral("txtUr"));
            addRow(lblUr, txtUr, makeFieldLabel(frame, QStringLiteral("lblumUr"), QStringLiteral("%")));
        }
        lblTw1[i] = makeFieldLabel(frame, indexedName("lblTw1", i));
        txtTw1[i] = makeFieldBox(frame, indexedName("txtTw1", i));
        addRow(lblTw1[i], txtTw1[i], makeFieldLabel(frame, indexedName("lblumTw1", i), UnitT.name()));
        lblTw2[i] = makeFieldLabel(frame, indexedName("lblTw2", i));
        txtTw2[i] = makeFieldBox(frame, indexedName("txtTw2", i));
        addRow(lblTw2[i], txtTw2[i], makeFieldLabel(frame, indexedName("lblumTw2", i), UnitT.name()));
        lblQw[i] = makeFieldLabel(frame, indexedName("lblQw", i));
        txtQw[i] = makeFieldBox(frame, indexedName("txtQw", i));
        lblumQw[i] = makeFieldLabel(frame, indexedName("lblumQw", i));
        addRow(lblQw[i], txtQw[i], lblumQw[i]);
        lblglic[i] = makeFieldLabel(frame, indexedName("lblglic", i));
        txtGlic[i] = makeFieldBox(frame, indexedName("txtGlic", i));
        addRow(lblglic[i], txtGlic[i], makeFieldLabel(frame, indexedName("lblumGlic", i), QStringLiteral("%")));
        lbldpa[i] = makeFieldLabel(frame, indexedName("lbldpa", i));
        txtpsu[i] = makeFieldBox(frame, indexedName("txtpsu", i));
        lblumDpa[i] = makeFieldLabel(frame, indexedName("lblumDpa", i));
        addRow(lbldpa[i], txtpsu[i], lblumDpa[i]);
        if (i == 1) {
            chkDF = new QCheckBox(frame);
            chkDF->setObjectName(QStringLiteral("chkDF"));
            grid->addWidget(chkDF, row++, 0, 1, 3);
        }
        grid->setRowStretch(row, 1);
    }
    frmCooling = frames[0];
    frmHeating = frames[1];
}

void FDati::setCaptions()
{
    setSharedCaptions();
    for (int i = 0; i < 2; ++i) {
        lblTbs[i]->setText(Testo(83));
        lblTw1[i]->setText(Testo(82));
        lblTw2[i]->setText(Testo(94));
        lblTw2[i]->setToolTip(Testo(22));
        txtTw2[i]->setToolTip(Testo(22));
        lblQw[i]->setText(Testo(48));
        lblQw[i]->setToolTip(Testo(23));
        txtQw[i]->setToolTip(Testo(23));
        lblumQw[i]->setText(UnitQw.name());
        lblglic[i]->setText(Testo(95));
        lbldpa[i]->setText(Testo(58));
        lbldpa[i]->setToolTip(Testo(63));
        txtpsu[i]->setToolTip(Testo(63));
        lblumDpa[i]->setText(UnitDpA.name());
    }
    lbltbu->setText(Testo(81));
    lblUr->setText(Testo(85));
}

void FDati::fillLists()
{
    fillSharedLists();
    cboVel->addItems(kSpeeds);
    cboVel->setCurrentIndex(1);
}

QList<QLineEdit*> FDati::textBoxes() const
{
    QList<QLineEdit*> boxes;
    for (int i = 0; i < 2; ++i) {
        boxes << txtTsa1[i];
        if (i == 0)
            boxes << txtTbu << txtUr;
        boxes << txtTw1[i] << txtTw2[i] << txtQw[i] << txtGlic[i] << txtpsu[i];
    }
    boxes << txtPotric;
    return boxes;
}

void FDati::cbofunz_Click()
{
    showModeFrame();
    ImpostaGriglia();
}

// --- leaving a field ------------------------------------------------------------------

void FDati::leaveField(QLineEdit* box, QWidget* now)
{
    for (int i = 0; i < 2; ++i) {
        if (box == txtTsa1[i])
            return checkRange(box, kxRangeRule(KxField::Tsa1, i), now);
        if (box == txtTw1[i])
            return checkRange(box, kxRangeRule(KxField::Tw1, i), now);
        if (box == txtGlic[i])
            return checkRange(box, kxRangeRule(KxField::Glic, i), now);
        if (box == txtpsu[i])
            return checkRange(box, kxRangeRule(KxField::Psu, i), now);
        if (box == txtTw2[i])
            return txtTw2_LostFocus(i, now);
        if (box == txtQw[i])
            return txtQw_LostFocus(i);
    }
    if (box == txtTbu)
        return txtTbu_LostFocus(now);
    if (box == txtUr)
        return txtUr_LostFocus(now);
}

void FDati::txtQw_LostFocus(int i)
{
    leaveWaterFlow({txtTw1[i], txtTw2[i], txtQw[i]});
}

void FDati::txtTw2_LostFocus(int i, QWidget* now)
{
    leaveWaterOut({txtTw1[i], txtTw2[i], txtQw[i]}, i, now);
}

void FDati::txtTbu_LostFocus(QWidget* now)
{
    leaveWetBulb({txtTsa1[0], txtTbu, txtUr}, now);
}

void FDati::txtUr_LostFocus(QWidget* now)
{
    inputOutOfRange_ = leaveHumidity({txtTsa1[0], txtTbu, txtUr}, kxRangeRule(KxField::Ur, 0), now);
}

// --- the run --------------------------------------------------------------------------

bool FDati::LeggiDatiKX()
{
    const int i = mode();
    const KxFieldTexts texts{txtTsa1[i]->text(), txtTw1[i]->text(), txtTw2[i]->text(), txtQw[i]->text(),
                             txtGlic[i]->text(),  txtpsu[i]->text(), txtUr->text()};
    conditions_ = readKxConditions(texts, UnitQw.factor(), UnitDpA.factor());
    ImpostaGriglia();
    return !reportMissing(firstMissingInput(conditions_, i));
}

void FDati::CalcolaKX()
{
    runSelection([this] {
        const int i = mode();
        if (!LeggiDatiKX())
            return;
        RiepilogoDati();
        RunRequest request = kxRunRequest(conditions_, i);
        request.line = LineKX;
        request.speed = std::clamp(cboVel->currentIndex() + 1, 1, 3);
        request.fourPipe = chkDF->isChecked();
        rateAndList(request, kxColumns(i, conditions_.waterFlowGiven()));
    });
}

void FDati::ImpostaGriglia()
{
    RiepilogoDati();
    layoutKxGrid(Grd->grid(), mode(), conditions_.waterFlowGiven(), LangBase);
    Grd->applyGeometry();
}

void FDati::RiepilogoDati()
{
    const int i = mode();
    QList<SummaryRow> rows;
    rows << SummaryRow{lblTbs[i]->text(), UnitT.name(), txtTsa1[i]->text()};
    if (i == ModeCooling) {
        rows << SummaryRow{lbltbu->text(), UnitT.name(), txtTbu->text()};
        rows << SummaryRow{lblUr->text(), QStringLiteral("%"), txtUr->text()};
    }
    rows << SummaryRow{lblTw1[i]->text(), UnitT.name(), txtTw1[i]->text()};
    if (conditions_.waterFlowGiven())
        rows << SummaryRow{lblQw[i]->text(), lblumQw[i]->text(), txtQw[i]->text()};
    else
        rows << SummaryRow{lblTw2[i]->text(), UnitT.name(), txtTw2[i]->text()};
    rows << SummaryRow{lbldpa[i]->text(), lblumDpa[i]->text(), txtpsu[i]->text()};
    rows << SummaryRow{lblglic[i]->text(), QStringLiteral("%"), txtGlic[i]->text()};
    rows << SummaryRow{lblVel->text(), QString(), cboVel->currentText()};
    rows << SummaryRow{lblPotric->text(), lblUmPt->text(), txtPotric->text()};
    fillSummaryGrid(Grdrif->grid(), rows);
}

void FDati::cmdStampa_Click()
{
    requestPrint(this, reportSourceOf(ReportRoutine::StampaKX, windowTitle(), Grd->grid(), Grdrif->grid(),
                                      grab().toImage()));
}

// --- unloading ------------------------------------------------------------------------

void FDati::saveFields()
{
    if (saved_)
        return;
    saved_ = true;
    saveFieldsWithUnits(textBoxes(), kSettingsSection);
}

void FDati::done(int result)
{
    handlingFocus_ = true; // closing checks no field
    saveFields();
    QDialog::done(result);
    Forms::forget(this);
    if (instance() == this)
        instance() = nullptr;
    deleteLater();
}

FDati* fdati(QWidget* parent)
{
    if (!instance())
        instance() = new FDati(parent ? parent : QApplication::activeWindow());
    return instance();
}

void setFDatiCaption(const QString& caption)
{
    fdati()->setWindowTitle(caption);
}

void showFDati(QWidget* parent)
{
    FDati* window = fdati(parent);
    window->exec();
}

} // namespace tarvello

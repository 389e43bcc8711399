#include "selection_ducted/fdatimrz.h"

#include "engine/model_table.h"
#include "selection_ducted/ducted_grid.h"
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
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

#include <algorithm>

namespace tarvello {

namespace {

const QString kSettingsSection = QStringLiteral("Data2");
const QString kPercent = QStringLiteral("%");
const QString kAllReturnAir = QStringLiteral("100");
const QStringList kMrzSpeeds{QStringLiteral("Min"), QStringLiteral("Med"), QStringLiteral("Max")};
const QStringList kHjqSpeeds{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                             QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")};
constexpr int kFirstSpeedShown = 2; // the third entry

// The hourglass for as long as a run lasts, whichever way it ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QPointer<FDatiMRZ>& instance()
{
    static QPointer<FDatiMRZ> window;
    return window;
}

} // namespace

FDatiMRZ::FDatiMRZ(QWidget* parent) : SelectionWindow(parent)
{
    setObjectName(QStringLiteral("FDatiMRZ"));
    buildControls();
    connectHandlers();
    followUnitChanges(this, [this](const UnitSelection& from, const UnitSelection& to) {
        convertFields(textBoxes(), from, to);
        setCaptions();
        showTemperatureUnit(this);
        setPowerUnitLabel();
        IntestazioniMRZ(); // headings in the new units; rows of the old ones are dropped
    });
    load();
}

void FDatiMRZ::load()
{
    handlingFocus_ = true; // loading checks no field
    setCaptions();
    fillLists();
    cbofunz_Click();
    coilState().Mode = ModeCooling;
    setPowerUnitLabel();
    restoreFieldsInUnits(textBoxes(), kSettingsSection);
    chooseGivenQuantities();
    conditions_ = {};
    lblLaminare->setVisible(false);
    IntestazioniMRZ();
    fitToScreen();
    CentraForm(this);
    Forms::loaded(this);
    loaded_ = true;
    handlingFocus_ = false;
}

// --- controls ---------------------------------------------------------------------------

void FDatiMRZ::buildModeFrames()
{
    // Captions shared by both mode frames (the frame shown holds them) and the cooling-only
    // captions of the wet-bulb and humidity fields.
    lblqaTot = makeFieldLabel(this, QStringLiteral("lblqaTot"));
    lblpqaric = makeFieldLabel(this, QStringLiteral("lblpqaric"));
    lblTbsric = makeFieldLabel(this, QStringLiteral("lblTbsric"));
    lbltburic = makeFieldLabel(this, QStringLiteral("lbltburic"));
    lblUrric = makeFieldLabel(this, QStringLiteral("lblUrric"));
    lblpqarin = makeFieldLabel(this, QStringLiteral("lblpqarin"));
    lblTbsrin = makeFieldLabel(this, QStringLiteral("lblTbsrin"));
    lbltburin = makeFieldLabel(this, QStringLiteral("lbltburin"));
    lblurrin = makeFieldLabel(this, QStringLiteral("lblurrin"));
    lbldpa = makeFieldLabel(this, QStringLiteral("lbldpa"));
    lblTw1 = makeFieldLabel(this, QStringLiteral("lblTw1"));
    lblTw2 = makeFieldLabel(this, QStringLiteral("lblTw2"));
    lblQw = makeFieldLabel(this, QStringLiteral("lblQw"));
    lblglic = makeFieldLabel(this, QStringLiteral("lblglic"));
    buildModeFrame(ModeCooling);
    buildModeFrame(ModeHeating);
}
void FDatiMRZ::buildModeFrame(int i)
{
    const bool cooling = i == ModeCooling;
    auto* frame = new QGroupBox(this);
    frame->setObjectName(cooling ? QStringLiteral("frmCooling") : QStringLiteral("frmHeating"));
    (cooling ? frmCooling : frmHeating) = frame;
    auto* grid = new QGridLayout(frame);
    frameGrids[i] = grid;

    auto* given = new QWidget(frame);
    auto* givenRow = new QHBoxLayout(given);
    givenRow->setContentsMargins(0, 0, 0, 0);
    optPortata[i] = new QRadioButton(given);
    optPortata[i]->setObjectName(indexedName("optPortata", i));
    optpressione[i] = new QRadioButton(given);
    optpressione[i]->setObjectName(indexedName("optpressione", i));
    givenRow->addWidget(optPortata[i]);
    givenRow->addWidget(optpressione[i]);
    givenRow->addStretch(1);
    grid->addWidget(given, 0, 0, 1, 3);

    int row = 1;
    // A row whose caption is shared finds the row the other frame made for it.
    auto addRow = [&](QLabel* caption, QLineEdit* box, QLabel* unit) {
        auto found = std::find_if(fieldRows_.begin(), fieldRows_.end(),
                                  [caption](const FieldRow& r) { return r.caption == caption; });
        if (found == fieldRows_.end()) {
            fieldRows_.append(FieldRow{caption, {}, {}, {-1, -1}});
            found = fieldRows_.end() - 1;
        }
        found->boxes[i] = box;
        found->units[i] = unit;
        found->gridRow[i] = row;
        grid->addWidget(box, row, 1);
        if (unit)
            grid->addWidget(unit, row, 2);
        if (cooling)
            grid->addWidget(caption, row, 0);
        ++row;
    };
    auto fixedUnit = [&](const char* name, const QString& text) {
        return makeFieldLabel(frame, indexedName(name, i), text);
    };

    txtqatot[i] = makeFieldBox(frame, indexedName("txtqatot", i));
    lblumQa[i] = makeFieldLabel(frame, indexedName("lblumQa", i));
    addRow(lblqaTot, txtqatot[i], lblumQa[i]);
    txtpqaric[i] = makeFieldBox(frame, indexedName("txtpqaric", i));
    addRow(lblpqaric, txtpqaric[i], nullptr);
    txtTsa1ric[i] = makeFieldBox(frame, indexedName("txtTsa1ric", i));
    addRow(lblTbsric, txtTsa1ric[i], fixedUnit("lblumTsa1ric", UnitT.name()));
    if (cooling) {
        txtTburic = makeFieldBox(frame, QStringLiteral("txtTburic"));
        addRow(lbltburic, txtTburic, makeFieldLabel(frame, QStringLiteral("lblumTburic"), UnitT.name()));
        txtUrric = makeFieldBox(frame, QStringLiteral("txtUrric"));
        addRow(lblUrric, txtUrric, makeFieldLabel(frame, QStringLiteral("lblumUrric"), kPercent));
    }
    txtpqarin[i] = makeFieldBox(frame, indexedName("txtpqarin", i));
    addRow(lblpqarin, txtpqarin[i], nullptr);
    txtTsa1rin[i] = makeFieldBox(frame, indexedName("txtTsa1rin", i));
    addRow(lblTbsrin, txtTsa1rin[i], fixedUnit("lblumTsa1rin", UnitT.name()));
    if (cooling) {
        txttburin = makeFieldBox(frame, QStringLiteral("txttburin"));
        addRow(lbltburin, txttburin, makeFieldLabel(frame, QStringLiteral("lblumtburin"), UnitT.name()));
        txturrin = makeFieldBox(frame, QStringLiteral("txturrin"));
        addRow(lblurrin, txturrin, makeFieldLabel(frame, QStringLiteral("lblumurrin"), kPercent));
    }
    txtpsu[i] = makeFieldBox(frame, indexedName("txtpsu", i));
    lblumDpa[i] = makeFieldLabel(frame, indexedName("lblumDpa", i));
    addRow(lbldpa, txtpsu[i], lblumDpa[i]);
    txtTw1[i] = makeFieldBox(frame, indexedName("txtTw1", i));
    addRow(lblTw1, txtTw1[i], fixedUnit("lblumTw1", UnitT.name()));
    txtTw2[i] = makeFieldBox(frame, indexedName("txtTw2", i));
    addRow(lblTw2, txtTw2[i], fixedUnit("lblumTw2", UnitT.name()));
    txtQw[i] = makeFieldBox(frame, indexedName("txtQw", i));
    lblumQw[i] = makeFieldLabel(frame, indexedName("lblumQw", i));
    addRow(lblQw, txtQw[i], lblumQw[i]);
    txtGlic[i] = makeFieldBox(frame, indexedName("txtGlic", i));
    addRow(lblglic, txtGlic[i], fixedUnit("lblumGlic", kPercent));
    if (!cooling) {
        chkDF = new QCheckBox(frame);
        chkDF->setObjectName(QStringLiteral("chkDF"));
        grid->addWidget(chkDF, row++, 0, 1, 3);
    }
    grid->setRowStretch(row, 1);
}

void FDatiMRZ::setCaptions()
{
    setSharedCaptions();
    for (int i = 0; i < 2; ++i) {
        optPortata[i]->setText(Testo(49));
        optpressione[i]->setText(Testo(56));
        lblumQa[i]->setText(UnitQa.name());
        lblumDpa[i]->setText(UnitDpA.name());
        lblumQw[i]->setText(UnitQw.name());
        txtpsu[i]->setToolTip(Testo(63));
        txtTw2[i]->setToolTip(Testo(22));
        txtQw[i]->setToolTip(Testo(23));
    }
    lblqaTot->setText(Testo(115));
    lblpqaric->setText(Testo(116));
    lblTbsric->setText(Testo(117));
    lbltburic->setText(Testo(118));
    lblUrric->setText(Testo(119));
    lblpqarin->setText(Testo(120));
    lblTbsrin->setText(Testo(121));
    lbltburin->setText(Testo(122));
    lblurrin->setText(Testo(123));
    lbldpa->setText(Testo(58));
    lbldpa->setToolTip(Testo(63));
    lblTw1->setText(Testo(82));
    lblTw2->setText(Testo(94));
    lblTw2->setToolTip(Testo(22));
    lblQw->setText(Testo(48));
    lblQw->setToolTip(Testo(23));
    lblglic->setText(Testo(95));
}

void FDatiMRZ::fillLists()
{
    fillSharedLists();
    fillSpeedList();
}

void FDatiMRZ::fillSpeedList()
{
    speedSeries_ = QString::fromStdString(modelTable().SeriesCode);
    cboVel->clear();
    cboVel->addItems(productLineOfSeries(modelTable().SeriesCode).speeds > int(kMrzSpeeds.size()) ? kHjqSpeeds
                                                                                                   : kMrzSpeeds);
    cboVel->setCurrentIndex(kFirstSpeedShown);
}

void FDatiMRZ::connectHandlers()
{
    connectSharedHandlers();
    for (int i = 0; i < 2; ++i) {
        connect(optPortata[i], &QRadioButton::clicked, this, [this, i] { optPortata_Click(i); });
        connect(optpressione[i], &QRadioButton::clicked, this, [this, i] { optpressione_Click(i); });
    }
}

QList<QLineEdit*> FDatiMRZ::textBoxes() const
{
    QList<QLineEdit*> boxes;
    for (int i = 0; i < 2; ++i) {
        boxes << txtqatot[i] << txtpqaric[i] << txtTsa1ric[i];
        if (i == ModeCooling)
            boxes << txtTburic << txtUrric;
        boxes << txtpqarin[i] << txtTsa1rin[i];
        if (i == ModeCooling)
            boxes << txttburin << txturrin;
        boxes << txtpsu[i] << txtTw1[i] << txtTw2[i] << txtQw[i] << txtGlic[i];
    }
    boxes << txtPotric;
    return boxes;
}

// --- shown and hidden fields ------------------------------------------------------------

void FDatiMRZ::placeSharedLabels(int i)
{
    QWidget* frame = i == ModeCooling ? frmCooling : frmHeating;
    for (const FieldRow& row : fieldRows_) {
        if (!row.boxes[i] || row.caption->parentWidget() == frame)
            continue; // a cooling-only caption stays in the cooling frame
        const int other = 1 - i;
        if (row.gridRow[other] >= 0)
            frameGrids[other]->removeWidget(row.caption);
        frameGrids[i]->addWidget(row.caption, row.gridRow[i], 0);
    }
}

// A caption and a unit label show while their field shows.
void FDatiMRZ::syncLabels()
{
    const int i = mode();
    for (const FieldRow& row : fieldRows_) {
        const int owner = row.boxes[i] ? i : ModeCooling;
        const bool shown = !row.boxes[owner]->isHidden();
        row.caption->setVisible(shown);
        for (int frame = 0; frame < 2; ++frame)
            if (row.units[frame] && row.boxes[frame])
                row.units[frame]->setVisible(!row.boxes[frame]->isHidden());
    }
    if (loaded_)
        fitToScreen(); // grows with shown fields, shrinks back when they hide
}

void FDatiMRZ::showFreshAir(int i, bool show)
{
    QList<QLineEdit*> fresh{txtpqarin[i], txtTsa1rin[i]};
    if (i == ModeCooling)
        fresh << txttburin << txturrin;
    for (QLineEdit* box : fresh) {
        if (!show)
            box->clear();
        box->setVisible(show);
    }
    syncLabels();
}

void FDatiMRZ::optpressione_Click(int i)
{
    txtpsu[i]->setVisible(true);
    txtqatot[i]->clear();
    txtpqaric[i]->setText(kAllReturnAir);
    txtpqarin[i]->clear();
    txtTsa1rin[i]->clear();
    for (QLineEdit* box : {txtqatot[i], txtpqaric[i], txtpqarin[i], txtTsa1rin[i]})
        box->setVisible(false);
    if (i == ModeCooling) {
        for (QLineEdit* box : {txttburin, txturrin}) {
            box->clear();
            box->setVisible(false);
        }
    }
    syncLabels();
}

void FDatiMRZ::optPortata_Click(int i)
{
    txtpsu[i]->setVisible(false);
    txtpsu[i]->clear();
    txtpqaric[i]->setVisible(true);
    txtqatot[i]->setVisible(true);
    if (txtpqaric[i]->text() != kAllReturnAir) {
        txtpqarin[i]->setVisible(true);
        txtTsa1rin[i]->setVisible(true);
        if (i == ModeCooling) {
            txttburin->setVisible(true);
            txturrin->setVisible(true);
        }
    }
    syncLabels();
}

// Each mode's given quantity follows from whether its total air flow holds a number.
void FDatiMRZ::chooseGivenQuantities()
{
    for (int i = 0; i < 2; ++i) {
        if (!(fieldNumberOrZero(txtqatot[i]->text()) > 0)) {
            optpressione[i]->setChecked(true);
            optpressione_Click(i);
        } else {
            optPortata[i]->setChecked(true);
            optPortata_Click(i);
        }
    }
}

void FDatiMRZ::txtpqaric_LostFocus(int i, QWidget* now)
{
    if (skipsFieldChecks(now))
        return;
    if (isAllReturnAir(txtpqaric[i]->text())) {
        showFreshAir(i, false);
        return;
    }
    txtpqarin[i]->setText(complementShare(txtpqaric[i]->text()));
    showFreshAir(i, true);
}

void FDatiMRZ::txtpqarin_LostFocus(int i)
{
    if (!txtpqarin[i]->isHidden())
        txtpqaric[i]->setText(complementShare(txtpqarin[i]->text()));
    if (isAllReturnAir(txtpqaric[i]->text()))
        showFreshAir(i, false);
}

// --- mode -------------------------------------------------------------------------------

void FDatiMRZ::cbofunz_Click()
{
    showModeFrame();
    placeSharedLabels(mode());
    syncLabels();
    // The emptied grid takes the headings of the mode now shown, as its fields give them:
    // the last run's reading belongs to the other mode.
    const int i = mode();
    const bool leavingWaterGiven = fieldNumberOrZero(txtTw2[i]->text()) > 0;
    const DuctedColumns shown{!leavingWaterGiven && fieldNumberOrZero(txtQw[i]->text()) != 0,
                              fieldNumberOrZero(txtqatot[i]->text()) > 0};
    layoutDuctedGrid(Grd->grid(), i, shown, LangBase);
    Grd->applyGeometry();
}

// --- leaving a field --------------------------------------------------------------------

void FDatiMRZ::leaveField(QLineEdit* box, QWidget* now)
{
    for (int i = 0; i < 2; ++i) {
        if (box == txtTsa1ric[i]) {
            if (dryBulbChecked(DuctedField::Tsa1ric, i, txtpqaric[ModeCooling]->text()))
                checkRange(box, ductedRangeRule(DuctedField::Tsa1ric, i), now);
            return;
        }
        if (box == txtTsa1rin[i]) {
            if (dryBulbChecked(DuctedField::Tsa1rin, i, txtpqarin[ModeCooling]->text()))
                checkRange(box, ductedRangeRule(DuctedField::Tsa1rin, i), now);
            return;
        }
        if (box == txtpsu[i])
            return checkRange(box, ductedRangeRule(DuctedField::Psu, i), now);
        if (box == txtTw1[i])
            return checkRange(box, ductedRangeRule(DuctedField::Tw1, i), now);
        if (box == txtGlic[i])
            return checkRange(box, ductedRangeRule(DuctedField::Glic, i), now);
        if (box == txtTw2[i]) {
            leaveWaterOut({txtTw1[i], txtTw2[i], txtQw[i]}, i, now);
            return;
        }
        if (box == txtQw[i])
            return leaveWaterFlow({txtTw1[i], txtTw2[i], txtQw[i]});
        if (box == txtpqaric[i])
            return txtpqaric_LostFocus(i, now);
        if (box == txtpqarin[i])
            return txtpqarin_LostFocus(i);
    }
    const AirStateFields returnAir{txtTsa1ric[ModeCooling], txtTburic, txtUrric};
    const AirStateFields freshAir{txtTsa1rin[ModeCooling], txttburin, txturrin};
    const RangeRule humidity = ductedRangeRule(DuctedField::Humidity, ModeCooling);
    if (box == txtTburic)
        leaveWetBulb(returnAir, now);
    else if (box == txttburin)
        leaveWetBulb(freshAir, now);
    else if (box == txtUrric)
        inputOutOfRange_ = leaveHumidity(returnAir, humidity, now);
    else if (box == txturrin)
        inputOutOfRange_ = leaveHumidity(freshAir, humidity, now);
}

// --- the run ----------------------------------------------------------------------------

bool FDatiMRZ::LeggiDatiMRZ()
{
    const int i = mode();
    const bool cooling = i == ModeCooling;
    DuctedFieldTexts texts;
    texts.totalAirFlow = txtqatot[i]->text();
    texts.returnShare = txtpqaric[i]->text();
    texts.returnDry = txtTsa1ric[i]->text();
    texts.returnRh = cooling ? txtUrric->text() : QString();
    texts.freshShare = txtpqarin[i]->text();
    texts.freshDry = txtTsa1rin[i]->text();
    texts.freshRh = cooling ? txturrin->text() : QString();
    texts.waterIn = txtTw1[i]->text();
    texts.waterOut = txtTw2[i]->text();
    texts.waterFlow = txtQw[i]->text();
    texts.glycol = txtGlic[i]->text();
    texts.pressure = txtpsu[i]->text();
    const DuctedReading reading = readDuctedInputs(texts, i, {UnitQa.factor(), UnitQw.factor(), UnitDpA.factor(), &UnitT});
    conditions_ = reading.conditions;
    return !reportMissing(reading.missing);
}

void FDatiMRZ::CalcolaMRZ()
{
    runSelection([this] {
        const int i = mode();
        if (!LeggiDatiMRZ())
            return;
        const WaitCursor hourglass;
        IntestazioniMRZ();
        RiferimentiMRZ();
        RunRequest request = ductedRunRequest(conditions_, i);
        request.line = productLineOfSeries(modelTable().SeriesCode).id;
        request.speed = std::clamp(cboVel->currentIndex() + 1, 1, cboVel->count());
        request.fourPipe = chkDF->isChecked();
        const DuctedColumns columns{conditions_.water.waterFlowGiven(), conditions_.airFlowGiven()};
        rateAndList(request, ductedColumns(i, columns));
    });
}

void FDatiMRZ::IntestazioniMRZ()
{
    const DuctedColumns columns{conditions_.water.waterFlowGiven(), conditions_.airFlowGiven()};
    layoutDuctedGrid(Grd->grid(), mode(), columns, LangBase);
    Grd->applyGeometry();
}

void FDatiMRZ::RiferimentiMRZ()
{
    const int i = mode();
    const bool cooling = i == ModeCooling;
    QList<SummaryRow> rows;
    if (conditions_.airFlowGiven())
        rows << SummaryRow{lblqaTot->text(), lblumQa[i]->text(), txtqatot[i]->text()};
    else
        rows << SummaryRow{lbldpa->text(), lblumDpa[i]->text(), txtpsu[i]->text()};
    rows << SummaryRow{lblpqaric->text(), kPercent, txtpqaric[i]->text()};
    rows << SummaryRow{lblTbsric->text(), UnitT.name(), txtTsa1ric[i]->text()};
    if (cooling) {
        rows << SummaryRow{lbltburic->text(), UnitT.name(), txtTburic->text()};
        rows << SummaryRow{lblUrric->text(), kPercent, txtUrric->text()};
    }
    rows << SummaryRow{lblpqarin->text(), kPercent, txtpqarin[i]->text()};
    rows << SummaryRow{lblTbsrin->text(), UnitT.name(), txtTsa1rin[i]->text()};
    if (cooling) {
        rows << SummaryRow{lbltburin->text(), UnitT.name(), txttburin->text()};
        rows << SummaryRow{lblurrin->text(), kPercent, txturrin->text()};
    }
    rows << SummaryRow{lblTw1->text(), UnitT.name(), txtTw1[i]->text()};
    if (conditions_.water.waterFlowGiven())
        rows << SummaryRow{lblQw->text(), lblumQw[i]->text(), txtQw[i]->text()};
    else
        rows << SummaryRow{lblTw2->text(), UnitT.name(), txtTw2[i]->text()};
    rows << SummaryRow{lblglic->text(), kPercent, txtGlic[i]->text()};
    rows << SummaryRow{lblVel->text(), QString(), cboVel->currentText()};
    rows << SummaryRow{lblPotric->text(), lblUmPt->text(), txtPotric->text()};
    fillSummaryGrid(Grdrif->grid(), rows);
}

void FDatiMRZ::cmdStampa_Click()
{
    requestPrint(this, reportSource());
}

ReportSource FDatiMRZ::reportSource()
{
    return reportSourceOf(ReportRoutine::StampaMRZ, windowTitle(), Grd->grid(), Grdrif->grid(), grab().toImage());
}

// --- closing ----------------------------------------------------------------------------

void FDatiMRZ::saveFields()
{
    saveFieldsWithUnits(textBoxes(), kSettingsSection);
}

void FDatiMRZ::done(int result)
{
    handlingFocus_ = true; // closing checks no field
    if (loaded_)
        saveFields();
    QDialog::done(result);
    Forms::forget(this);
    loaded_ = false;
    handlingFocus_ = false;
}

FDatiMRZ* fdatiMRZ(QWidget* parent)
{
    if (!instance())
        instance() = new FDatiMRZ(parent);
    else if (!instance()->isLoaded())
        instance()->load();
    return instance();
}

void setFDatiMRZCaption(const QString& caption)
{
    fdatiMRZ()->setWindowTitle(caption);
}

void showFDatiMRZ(int line, QWidget* parent)
{
    FDatiMRZ* window = fdatiMRZ(parent);
    // The chooser sets the series code before the caption; a window shown without a new
    // caption still gets the speeds of its line.
    const char* series = productLine(line).seriesCode;
    if (modelTable().SeriesCode != series)
        modelTable().SeriesCode = series;
    if (window->speedSeries() != QLatin1String(series))
        window->fillSpeedList();
    window->exec();
}

} // namespace tarvello

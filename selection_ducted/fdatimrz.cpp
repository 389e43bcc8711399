#include "selection_ducted/fdatimrz.h"

#include "engine/arithmetic.h"
#include "engine/model_table.h"
#include "engine/psychrometrics.h"
#include "selection_ducted/ducted_grid.h"
#include "selection_ducted/ducted_report.h"
#include "selection_ducted/ducted_run.h"
#include "selection_kx/field_checks.h"
#include "selection_kx/form_keys.h"
#include "selection_kx/kx_grid.h"
#include "selection_kx/kx_run.h"
#include "selection_kx/paired_fields.h"
#include "selection_kx/print_request.h"
#include "shell/app_state.h"
#include "shell/forms.h"
#include "shell/language.h"
#include "shell/message_sink.h"
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
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace tarvello {

namespace {

const QString kSettingsSection = QStringLiteral("Data2");
const QString kLaminarWarning = QStringLiteral("*  warning :  laminar flow");
const QString kRunErrorText = QStringLiteral("Errore generico : ");
const QString kDegrees = QStringLiteral("°C");
const QString kPercent = QStringLiteral("%");
const QString kAllReturnAir = QStringLiteral("100");
// Reported for a failure that has no classic number of its own ("internal error").
constexpr int kInternalError = 51;
const QStringList kApproxPercents{QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"),
                                  QStringLiteral("40"), QStringLiteral("50"), QStringLiteral("60"),
                                  QStringLiteral("70")};
const QStringList kMrzSpeeds{QStringLiteral("Min"), QStringLiteral("Med"), QStringLiteral("Max")};
const QStringList kHjqSpeeds{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                             QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")};
constexpr int kFirstSpeedShown = 2; // the third entry

QString indexedName(const char* name, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

QLineEdit* makeBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaximumWidth(90);
    return box;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

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

FDatiMRZ::FDatiMRZ(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FDatiMRZ"));
    setModal(true);
    buildControls();
    connectHandlers();
    keys_ = new FormKeyPress(this);
    load();
}

FDatiMRZ::~FDatiMRZ()
{
    Forms::forget(this);
}

void FDatiMRZ::load()
{
    handlingFocus_ = true; // loading checks no field
    setCaptions();
    fillLists();
    cbofunz_Click();
    coilState().Mode = ModeCooling;
    setPowerUnitLabel();
    RipristinaCampi(textBoxes(), kSettingsSection);
    chooseGivenQuantities();
    conditions_ = {};
    lblLaminare->setVisible(false);
    IntestazioniMRZ();
    adjustSize();
    CentraForm(this);
    Forms::loaded(this);
    loaded_ = true;
    handlingFocus_ = false;
}

// --- controls ---------------------------------------------------------------------------

void FDatiMRZ::buildControls()
{
    auto* menuBar = new QMenuBar(this);
    mnufile = menuBar->addMenu(QString());
    mnufile->setObjectName(QStringLiteral("mnufile"));
    mnuExit = mnufile->addAction(QString());
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    auto* top = new QVBoxLayout(this);
    top->setMenuBar(menuBar);

    // Mode, required capacity, approximation, speed and the two commands.
    frmselection = new QGroupBox(this);
    frmselection->setObjectName(QStringLiteral("frmselection"));
    auto* sel = new QGridLayout(frmselection);
    cbofunz = new QComboBox(frmselection);
    cbofunz->setObjectName(QStringLiteral("cbofunz"));
    sel->addWidget(cbofunz, 0, 0, 1, 3);
    lblPotric = makeLabel(frmselection, QStringLiteral("lblPotric"));
    txtPotric = makeBox(frmselection, QStringLiteral("txtPotric"));
    lblUmPt = makeLabel(frmselection, QStringLiteral("lblUmPt"));
    sel->addWidget(lblPotric, 1, 0);
    sel->addWidget(txtPotric, 1, 1);
    sel->addWidget(lblUmPt, 1, 2);
    lblRange = makeLabel(frmselection, QStringLiteral("lblRange"));
    cboApprox = new QComboBox(frmselection);
    cboApprox->setObjectName(QStringLiteral("cboApprox"));
    sel->addWidget(lblRange, 2, 0);
    sel->addWidget(cboApprox, 2, 1);
    sel->addWidget(makeLabel(frmselection, QStringLiteral("lblRangeUnit"), kPercent), 2, 2);
    lblVel = makeLabel(frmselection, QStringLiteral("lblVel"));
    cboVel = new QComboBox(frmselection);
    cboVel->setObjectName(QStringLiteral("cboVel"));
    sel->addWidget(lblVel, 3, 0);
    sel->addWidget(cboVel, 3, 1);
    cmdCalcola = new QPushButton(frmselection);
    cmdCalcola->setObjectName(QStringLiteral("cmdCalcola"));
    cmdCalcola->setAutoDefault(false);
    cmdStampa = new QPushButton(frmselection);
    cmdStampa->setObjectName(QStringLiteral("cmdStampa"));
    cmdStampa->setAutoDefault(false);
    sel->addWidget(cmdCalcola, 4, 0);
    sel->addWidget(cmdStampa, 4, 1, 1, 2);
    sel->setRowStretch(5, 1);

    // Captions shared by both mode frames (the frame shown holds them) and the cooling-only
    // captions of the wet-bulb and humidity fields.
    lblqaTot = makeLabel(this, QStringLiteral("lblqaTot"));
    lblpqaric = makeLabel(this, QStringLiteral("lblpqaric"));
    lblTbsric = makeLabel(this, QStringLiteral("lblTbsric"));
    lbltburic = makeLabel(this, QStringLiteral("lbltburic"));
    lblUrric = makeLabel(this, QStringLiteral("lblUrric"));
    lblpqarin = makeLabel(this, QStringLiteral("lblpqarin"));
    lblTbsrin = makeLabel(this, QStringLiteral("lblTbsrin"));
    lbltburin = makeLabel(this, QStringLiteral("lbltburin"));
    lblurrin = makeLabel(this, QStringLiteral("lblurrin"));
    lbldpa = makeLabel(this, QStringLiteral("lbldpa"));
    lblTw1 = makeLabel(this, QStringLiteral("lblTw1"));
    lblTw2 = makeLabel(this, QStringLiteral("lblTw2"));
    lblQw = makeLabel(this, QStringLiteral("lblQw"));
    lblglic = makeLabel(this, QStringLiteral("lblglic"));
    buildModeFrame(ModeCooling);
    buildModeFrame(ModeHeating);

    auto* upper = new QGridLayout;
    upper->addWidget(frmselection, 0, 0);
    upper->addWidget(frmCooling, 0, 1);
    upper->addWidget(frmHeating, 0, 1);
    upper->setColumnStretch(1, 1);
    top->addLayout(upper);

    frmSolutions = new QGroupBox(this);
    frmSolutions->setObjectName(QStringLiteral("frmSolutions"));
    auto* solutions = new QVBoxLayout(frmSolutions);
    Grd = new GridView(frmSolutions);
    Grd->setObjectName(QStringLiteral("Grd"));
    Grd->setMinimumSize(twipsToPixels(9800), twipsToPixels(3000));
    solutions->addWidget(Grd);
    lblLaminare = makeLabel(frmSolutions, QStringLiteral("lblLaminare"), kLaminarWarning);
    lblLaminare->setVisible(false);
    solutions->addWidget(lblLaminare);
    top->addWidget(frmSolutions, 1);

    // The input summary is read by the print report only.
    Grdrif = new GridView(this);
    Grdrif->setObjectName(QStringLiteral("Grdrif"));
    Grdrif->setVisible(false);
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
        return makeLabel(frame, indexedName(name, i), text);
    };

    txtqatot[i] = makeBox(frame, indexedName("txtqatot", i));
    lblumQa[i] = makeLabel(frame, indexedName("lblumQa", i));
    addRow(lblqaTot, txtqatot[i], lblumQa[i]);
    txtpqaric[i] = makeBox(frame, indexedName("txtpqaric", i));
    addRow(lblpqaric, txtpqaric[i], nullptr);
    txtTsa1ric[i] = makeBox(frame, indexedName("txtTsa1ric", i));
    addRow(lblTbsric, txtTsa1ric[i], fixedUnit("lblumTsa1ric", kDegrees));
    if (cooling) {
        txtTburic = makeBox(frame, QStringLiteral("txtTburic"));
        addRow(lbltburic, txtTburic, makeLabel(frame, QStringLiteral("lblumTburic"), kDegrees));
        txtUrric = makeBox(frame, QStringLiteral("txtUrric"));
        addRow(lblUrric, txtUrric, makeLabel(frame, QStringLiteral("lblumUrric"), kPercent));
    }
    txtpqarin[i] = makeBox(frame, indexedName("txtpqarin", i));
    addRow(lblpqarin, txtpqarin[i], nullptr);
    txtTsa1rin[i] = makeBox(frame, indexedName("txtTsa1rin", i));
    addRow(lblTbsrin, txtTsa1rin[i], fixedUnit("lblumTsa1rin", kDegrees));
    if (cooling) {
        txttburin = makeBox(frame, QStringLiteral("txttburin"));
        addRow(lbltburin, txttburin, makeLabel(frame, QStringLiteral("lblumtburin"), kDegrees));
        txturrin = makeBox(frame, QStringLiteral("txturrin"));
        addRow(lblurrin, txturrin, makeLabel(frame, QStringLiteral("lblumurrin"), kPercent));
    }
    txtpsu[i] = makeBox(frame, indexedName("txtpsu", i));
    lblumDpa[i] = makeLabel(frame, indexedName("lblumDpa", i));
    addRow(lbldpa, txtpsu[i], lblumDpa[i]);
    txtTw1[i] = makeBox(frame, indexedName("txtTw1", i));
    addRow(lblTw1, txtTw1[i], fixedUnit("lblumTw1", kDegrees));
    txtTw2[i] = makeBox(frame, indexedName("txtTw2", i));
    addRow(lblTw2, txtTw2[i], fixedUnit("lblumTw2", kDegrees));
    txtQw[i] = makeBox(frame, indexedName("txtQw", i));
    lblumQw[i] = makeLabel(frame, indexedName("lblumQw", i));
    addRow(lblQw, txtQw[i], lblumQw[i]);
    txtGlic[i] = makeBox(frame, indexedName("txtGlic", i));
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
    frmselection->setTitle(Testo(8));
    frmCooling->setTitle(Testo(62));
    frmHeating->setTitle(Testo(65));
    frmSolutions->setTitle(Testo(7));
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
    lblPotric->setText(Testo(51));
    lblRange->setText(Testo(37));
    lblVel->setText(Testo(86));
    chkDF->setText(Testo(14));
    chkDF->setToolTip(QStringLiteral("Per Impianti a 4 tubi"));
    cmdCalcola->setText(Testo(15));
    cmdStampa->setText(Testo(74));
    cmdStampa->setToolTip(Testo(74));
    mnufile->setTitle(Testo(2));
    mnuExit->setText(Testo(3));
}

void FDatiMRZ::fillLists()
{
    const QSignalBlocker blockMode(cbofunz);
    cbofunz->clear();
    cbofunz->addItems({Testo(62), Testo(65)});
    cbofunz->setCurrentIndex(ModeCooling);
    cboApprox->clear();
    cboApprox->addItems(kApproxPercents);
    cboApprox->setCurrentIndex(0);
    fillSpeedList();
    chkDF->setChecked(false);
}

void FDatiMRZ::fillSpeedList()
{
    speedSeries_ = QString::fromStdString(modelTable().SeriesCode);
    cboVel->clear();
    cboVel->addItems(speedSeries_ == QStringLiteral("HJQ") ? kHjqSpeeds : kMrzSpeeds);
    cboVel->setCurrentIndex(kFirstSpeedShown);
}

void FDatiMRZ::connectHandlers()
{
    connect(cbofunz, &QComboBox::currentIndexChanged, this, [this] { cbofunz_Click(); });
    connect(cmdCalcola, &QPushButton::clicked, this, [this] { cmdCalcola_Click(); });
    connect(cmdStampa, &QPushButton::clicked, this, [this] { cmdStampa_Click(); });
    connect(mnuExit, &QAction::triggered, this, [this] { close(); });
    for (int i = 0; i < 2; ++i) {
        connect(optPortata[i], &QRadioButton::clicked, this, [this, i] { optPortata_Click(i); });
        connect(optpressione[i], &QRadioButton::clicked, this, [this, i] { optpressione_Click(i); });
    }
    connect(qApp, &QApplication::focusChanged, this, &FDatiMRZ::onFocusChanged);
}

int FDatiMRZ::mode() const
{
    return std::max(cbofunz->currentIndex(), 0) == ModeHeating ? ModeHeating : ModeCooling;
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
        if (!(fieldNumber(txtqatot[i]->text()).value_or(0.0f) > 0)) {
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

void FDatiMRZ::setPowerUnitLabel()
{
    lblUmPt->setText(powerUnitForMode(mode()));
}

void FDatiMRZ::cbofunz_Click()
{
    const int i = mode();
    frmCooling->setVisible(i == ModeCooling);
    frmHeating->setVisible(i == ModeHeating);
    coilState().Mode = static_cast<int16_t>(i);
    setPowerUnitLabel();
    placeSharedLabels(i);
    syncLabels();
    IntestazioniMRZ();
}

// --- leaving a field --------------------------------------------------------------------

void FDatiMRZ::onFocusChanged(QWidget* old, QWidget* now)
{
    if (auto* box = qobject_cast<QLineEdit*>(old); box && !handlingFocus_ && textBoxes().contains(box)) {
        // Focus that leaves the window (another program, a closing window) checks nothing.
        if (now && now->window() == this) {
            handlingFocus_ = true;
            try {
                leaveField(box, now);
            } catch (const ArithmeticError& error) {
                reportRunError(error.number());
            } catch (const std::exception&) {
                reportRunError(kInternalError);
            }
            handlingFocus_ = false;
        }
    }
    if (now && now->window() == this && (textBoxes().contains(qobject_cast<QLineEdit*>(now)) || now == cboVel))
        SelectAllText(now);
}

void FDatiMRZ::checkRange(QLineEdit* box, DuctedField field, int i, QWidget* now)
{
    inputOutOfRange_ = CheckRange(box, ductedRangeRule(field, i), now);
}

void FDatiMRZ::leaveField(QLineEdit* box, QWidget* now)
{
    for (int i = 0; i < 2; ++i) {
        if (box == txtTsa1ric[i]) {
            if (dryBulbChecked(DuctedField::Tsa1ric, i, txtpqaric[ModeCooling]->text()))
                checkRange(box, DuctedField::Tsa1ric, i, now);
            return;
        }
        if (box == txtTsa1rin[i]) {
            if (dryBulbChecked(DuctedField::Tsa1rin, i, txtpqarin[ModeCooling]->text()))
                checkRange(box, DuctedField::Tsa1rin, i, now);
            return;
        }
        if (box == txtpsu[i])
            return checkRange(box, DuctedField::Psu, i, now);
        if (box == txtTw1[i])
            return checkRange(box, DuctedField::Tw1, i, now);
        if (box == txtGlic[i])
            return checkRange(box, DuctedField::Glic, i, now);
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
    // Leaving a wet bulb for the mode list works out nothing either.
    if (box == txtTburic || box == txttburin) {
        if (!skipsFieldChecks(now))
            leaveWetBulb(box == txtTburic ? returnAir : freshAir, now);
        return;
    }
    if (box == txtUrric)
        inputOutOfRange_ = leaveHumidity(returnAir, humidity, now);
    else if (box == txturrin)
        inputOutOfRange_ = leaveHumidity(freshAir, humidity, now);
}

// --- the run ----------------------------------------------------------------------------

void FDatiMRZ::setFocusTo(const QString& objectName)
{
    if (auto* box = findChild<QLineEdit*>(objectName))
        box->setFocus();
}

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
    const DuctedReading reading = readDuctedInputs(texts, i, {UnitQa.factor(), UnitQw.factor(), UnitDpA.factor()});
    conditions_ = reading.conditions;
    if (reading.missing) {
        messages().critical(reading.missing->message, QString::fromLatin1(kProgramTitle));
        if (!reading.missing->focusField.isEmpty())
            setFocusTo(reading.missing->focusField);
        return false;
    }
    applyDuctedConditions(conditions_, i, coilState());
    return true;
}

void FDatiMRZ::reportRunError(int number)
{
    messages().exclamation(kRunErrorText + QString::number(number), QString::fromLatin1(kProgramTitle));
}

void FDatiMRZ::cmdCalcola_Click()
{
    lblLaminare->setVisible(false);
    CalcolaMRZ();
}

void FDatiMRZ::CalcolaMRZ()
{
    if (running_)
        return;
    running_ = true;
    handlingFocus_ = true;
    TextGrid& grid = Grd->grid();
    try {
        const int i = mode();
        grid.setRows(2);
        grid.setRows(3);
        grid.setFixedRows(2);
        if (LeggiDatiMRZ()) {
            const WaitCursor hourglass;
            IntestazioniMRZ();
            RiferimentiMRZ();
            CoilState& s = coilState();
            s.AirDensity = MoistAirDensity(s.AirIn, s.AirInRh);
            s.AirCp = AirSpecificHeat(s.AirIn);
            const CapacityWindow window = capacityWindowFor(
                txtPotric->text(), fieldNumber(cboApprox->currentText()).value_or(0.0f), UnitPt.factor());
            s.CapacityMin = window.minimum;
            s.CapacityMax = window.maximum;

            DuctedRunChoices choices;
            choices.mode = i;
            choices.speed = std::clamp(cboVel->currentIndex() + 1, 1, cboVel->count());
            choices.fourPipe = chkDF->isChecked();
            choices.leavingWaterGiven = conditions_.water.leavingWaterGiven();
            choices.waterOutGiven = conditions_.water.WaterOutGiven;
            choices.waterFlowGiven = conditions_.water.WaterFlowGiven;
            choices.staticPressure = conditions_.water.StaticPressure;
            choices.totalAirFlow = conditions_.TotalAirFlow;
            const bool airFlowGiven = conditions_.airFlowGiven();
            const auto addRow = [&](const RatingResult& result, const DuctedAirSide& air) {
                grid.addItem(ductedResultRow(result, air, modelTable(), choices.speed, i,
                                             choices.leavingWaterGiven, airFlowGiven));
                if (isLaminar(result))
                    lblLaminare->setVisible(true);
            };
            // Repaint while the run proceeds; the user's input waits for its end.
            const PendingEventsHook letWindowsPaint = [] {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            };
            rateDuctedModels(choices, s, modelTable(), coilConstants(), addRow, letWindowsPaint);
            if (grid.rows() > 3)
                grid.removeItem(2);
        }
    } catch (const ArithmeticError& error) {
        reportRunError(error.number());
    } catch (const RunError& error) {
        reportRunError(error.number());
    } catch (const std::exception&) {
        reportRunError(kInternalError);
    }
    Grd->applyGeometry();
    handlingFocus_ = false;
    running_ = false;
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
    rows << SummaryRow{lblTbsric->text(), kDegrees, txtTsa1ric[i]->text()};
    if (cooling) {
        rows << SummaryRow{lbltburic->text(), kDegrees, txtTburic->text()};
        rows << SummaryRow{lblUrric->text(), kPercent, txtUrric->text()};
    }
    rows << SummaryRow{lblpqarin->text(), kPercent, txtpqarin[i]->text()};
    rows << SummaryRow{lblTbsrin->text(), kDegrees, txtTsa1rin[i]->text()};
    if (cooling) {
        rows << SummaryRow{lbltburin->text(), kDegrees, txttburin->text()};
        rows << SummaryRow{lblurrin->text(), kPercent, txturrin->text()};
    }
    rows << SummaryRow{lblTw1->text(), kDegrees, txtTw1[i]->text()};
    if (conditions_.water.waterFlowGiven())
        rows << SummaryRow{lblQw->text(), lblumQw[i]->text(), txtQw[i]->text()};
    else
        rows << SummaryRow{lblTw2->text(), kDegrees, txtTw2[i]->text()};
    rows << SummaryRow{lblglic->text(), kPercent, txtGlic[i]->text()};
    rows << SummaryRow{lblVel->text(), QString(), cboVel->currentText()};
    rows << SummaryRow{lblPotric->text(), lblUmPt->text(), txtPotric->text()};
    fillSummaryGrid(Grdrif->grid(), rows);
}

void FDatiMRZ::cmdStampa_Click()
{
    requestPrint(this, Grd->grid(), Grdrif->grid());
}

ReportSource FDatiMRZ::reportSource()
{
    return reportSourceFrom(Grd->grid(), Grdrif->grid(), ReportRoutine::StampaMRZ, windowTitle(), grab().toImage());
}

// --- closing ----------------------------------------------------------------------------

void FDatiMRZ::saveFields()
{
    SalvaCampi(textBoxes(), kSettingsSection);
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
    const char* series = line == LineHJQ ? "HJQ" : "MRZ";
    if (modelTable().SeriesCode != series)
        modelTable().SeriesCode = series;
    if (window->speedSeries() != QLatin1String(series))
        window->fillSpeedList();
    window->exec();
}

} // namespace tarvello

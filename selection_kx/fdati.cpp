#include "selection_kx/fdati.h"

#include "engine/arithmetic.h"
#include "engine/psychrometrics.h"
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
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace tarvello {

namespace {

const QString kSettingsSection = QStringLiteral("Data1");
const QString kLaminarWarning = QStringLiteral("*  warning :  laminar flow");
const QString kRunErrorText = QStringLiteral("Errore generico : ");
// Reported for a failure that has no classic number of its own ("internal error").
constexpr int kInternalError = 51;
const QStringList kApproxPercents{QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"),
                                  QStringLiteral("40"), QStringLiteral("50"), QStringLiteral("60"),
                                  QStringLiteral("70")};
const QStringList kSpeeds{QStringLiteral("Min"), QStringLiteral("Med"), QStringLiteral("Max")};

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

QPointer<FDati>& instance()
{
    static QPointer<FDati> window;
    return window;
}

} // namespace

FDati::FDati(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FDati"));
    setModal(true);
    buildControls();
    setCaptions();
    fillLists();
    connectHandlers();
    keys_ = new FormKeyPress(this);
    cbofunz->setCurrentIndex(0);
    cbofunz_Click();
    coilState().Mode = ModeCooling;
    setPowerUnitLabel();
    RipristinaCampi(textBoxes(), kSettingsSection);
    ImpostaGriglia();
    adjustSize();
    CentraForm(this);
    Forms::loaded(this);
}

FDati::~FDati()
{
    // The controls leave while the window is destroyed: no more focus handling.
    disconnect(qApp, nullptr, this, nullptr);
    Forms::forget(this);
}

void FDati::buildControls()
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
    sel->addWidget(makeLabel(frmselection, QStringLiteral("lblRangeUnit"), QStringLiteral("%")), 2, 2);
    lblVel = makeLabel(frmselection, QStringLiteral("lblVel"));
    cboVel = new QComboBox(frmselection);
    cboVel->setObjectName(QStringLiteral("cboVel"));
    sel->addWidget(lblVel, 3, 0);
    sel->addWidget(cboVel, 3, 1);
    cmdCalcola = new QPushButton(frmselection);
    cmdCalcola->setObjectName(QStringLiteral("cmdCalcola"));
    cmdCalcola->setAutoDefault(true); // Enter on a focused button presses it
    cmdStampa = new QPushButton(frmselection);
    cmdStampa->setObjectName(QStringLiteral("cmdStampa"));
    cmdStampa->setAutoDefault(true);
    sel->addWidget(cmdCalcola, 4, 0);
    sel->addWidget(cmdStampa, 4, 1, 1, 2);

    // The two mode frames share one place; exactly one is visible.
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
        lblTbs[i] = makeLabel(frame, indexedName("lblTbs", i));
        txtTsa1[i] = makeBox(frame, indexedName("txtTsa1", i));
        addRow(lblTbs[i], txtTsa1[i], makeLabel(frame, indexedName("lblumTsa1", i), QStringLiteral("°C")));
        if (i == 0) {
            lbltbu = makeLabel(frame, QStringLiteral("lbltbu"));
            txtTbu = makeBox(frame, QStringLiteral("txtTbu"));
            addRow(lbltbu, txtTbu, makeLabel(frame, QStringLiteral("lblumTbu"), QStringLiteral("°C")));
            lblUr = makeLabel(frame, QStringLiteral("lblUr"));
            txtUr = makeBox(frame, QStringLiteral("txtUr"));
            addRow(lblUr, txtUr, makeLabel(frame, QStringLiteral("lblumUr"), QStringLiteral("%")));
        }
        lblTw1[i] = makeLabel(frame, indexedName("lblTw1", i));
        txtTw1[i] = makeBox(frame, indexedName("txtTw1", i));
        addRow(lblTw1[i], txtTw1[i], makeLabel(frame, indexedName("lblumTw1", i), QStringLiteral("°C")));
        lblTw2[i] = makeLabel(frame, indexedName("lblTw2", i));
        txtTw2[i] = makeBox(frame, indexedName("txtTw2", i));
        addRow(lblTw2[i], txtTw2[i], makeLabel(frame, indexedName("lblumTw2", i), QStringLiteral("°C")));
        lblQw[i] = makeLabel(frame, indexedName("lblQw", i));
        txtQw[i] = makeBox(frame, indexedName("txtQw", i));
        lblumQw[i] = makeLabel(frame, indexedName("lblumQw", i));
        addRow(lblQw[i], txtQw[i], lblumQw[i]);
        lblglic[i] = makeLabel(frame, indexedName("lblglic", i));
        txtGlic[i] = makeBox(frame, indexedName("txtGlic", i));
        addRow(lblglic[i], txtGlic[i], makeLabel(frame, indexedName("lblumGlic", i), QStringLiteral("%")));
        lbldpa[i] = makeLabel(frame, indexedName("lbldpa", i));
        txtpsu[i] = makeBox(frame, indexedName("txtpsu", i));
        lblumDpa[i] = makeLabel(frame, indexedName("lblumDpa", i));
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

void FDati::setCaptions()
{
    frmselection->setTitle(Testo(8));
    frmCooling->setTitle(Testo(62));
    frmHeating->setTitle(Testo(65));
    frmSolutions->setTitle(Testo(7));
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

void FDati::fillLists()
{
    cbofunz->addItems({Testo(62), Testo(65)});
    cboApprox->addItems(kApproxPercents);
    cboApprox->setCurrentIndex(0);
    cboVel->addItems(kSpeeds);
    cboVel->setCurrentIndex(1);
    chkDF->setChecked(false);
}

void FDati::connectHandlers()
{
    connect(cbofunz, &QComboBox::currentIndexChanged, this, [this] { cbofunz_Click(); });
    connect(cmdCalcola, &QPushButton::clicked, this, [this] { cmdCalcola_Click(); });
    connect(cmdStampa, &QPushButton::clicked, this, [this] { cmdStampa_Click(); });
    connect(mnuExit, &QAction::triggered, this, [this] { close(); });
    connect(qApp, &QApplication::focusChanged, this, &FDati::onFocusChanged);
}

int FDati::mode() const
{
    return std::max(cbofunz->currentIndex(), 0) == ModeHeating ? ModeHeating : ModeCooling;
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

void FDati::setPowerUnitLabel()
{
    lblUmPt->setText(powerUnitForMode(mode()));
}

void FDati::cbofunz_Click()
{
    const int i = mode();
    frmCooling->setVisible(i == ModeCooling);
    frmHeating->setVisible(i == ModeHeating);
    coilState().Mode = static_cast<int16_t>(i);
    setPowerUnitLabel();
    ImpostaGriglia();
}

// --- leaving a field ------------------------------------------------------------------

void FDati::onFocusChanged(QWidget* old, QWidget* now)
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

void FDati::checkRange(QLineEdit* box, KxField field, int i, QWidget* now)
{
    inputOutOfRange_ = CheckRange(box, kxRangeRule(field, i), now);
}

void FDati::leaveField(QLineEdit* box, QWidget* now)
{
    for (int i = 0; i < 2; ++i) {
        if (box == txtTsa1[i])
            return checkRange(box, KxField::Tsa1, i, now);
        if (box == txtTw1[i])
            return checkRange(box, KxField::Tw1, i, now);
        if (box == txtGlic[i])
            return checkRange(box, KxField::Glic, i, now);
        if (box == txtpsu[i])
            return checkRange(box, KxField::Psu, i, now);
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

void FDati::setFocusTo(const QString& objectName)
{
    if (auto* box = findChild<QLineEdit*>(objectName))
        box->setFocus();
}

bool FDati::LeggiDatiKX()
{
    const int i = mode();
    const KxFieldTexts texts{txtTsa1[i]->text(), txtTw1[i]->text(), txtTw2[i]->text(), txtQw[i]->text(),
                             txtGlic[i]->text(),  txtpsu[i]->text(), txtUr->text()};
    conditions_ = readKxConditions(texts, UnitQw.factor(), UnitDpA.factor());
    ImpostaGriglia();
    if (const std::optional<MissingInput> missing = firstMissingInput(conditions_, i)) {
        messages().critical(missing->message, QString::fromLatin1(kProgramTitle));
        if (!missing->focusField.isEmpty())
            setFocusTo(missing->focusField);
        return false;
    }
    applyKxConditions(conditions_, i, coilState());
    return true;
}

void FDati::reportRunError(int number)
{
    messages().exclamation(kRunErrorText + QString::number(number), QString::fromLatin1(kProgramTitle));
}

void FDati::cmdCalcola_Click()
{
    lblLaminare->setVisible(false);
    CalcolaKX();
}

void FDati::CalcolaKX()
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
        if (LeggiDatiKX()) {
            RiepilogoDati();
            CoilState& s = coilState();
            s.AirDensity = MoistAirDensity(s.AirIn, s.AirInRh);
            s.AirCp = AirSpecificHeat(s.AirIn);
            const CapacityWindow window = capacityWindowFor(
                txtPotric->text(), fieldNumber(cboApprox->currentText()).value_or(0.0f), UnitPt.factor());
            s.CapacityMin = window.minimum;
            s.CapacityMax = window.maximum;

            KxRunChoices choices;
            choices.mode = i;
            choices.speed = std::clamp(cboVel->currentIndex() + 1, 1, 3);
            choices.fourPipe = chkDF->isChecked();
            choices.leavingWaterGiven = conditions_.leavingWaterGiven();
            choices.waterOutGiven = conditions_.WaterOutGiven;
            choices.waterFlowGiven = conditions_.WaterFlowGiven;
            choices.staticPressure = conditions_.StaticPressure;
            const auto addRow = [&](const RatingResult& result, bool leavingWaterGiven) {
                grid.addItem(kxResultRow(result, modelTable(), choices.speed, i, leavingWaterGiven));
                if (isLaminar(result))
                    lblLaminare->setVisible(true);
            };
            // Repaint while the run proceeds; the user's input waits for its end.
            const PendingEventsHook letWindowsPaint = [] {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            };
            rateKxModels(choices, s, modelTable(), coilConstants(), addRow, letWindowsPaint);
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
    rows << SummaryRow{lblTbs[i]->text(), QStringLiteral("°C"), txtTsa1[i]->text()};
    if (i == ModeCooling) {
        rows << SummaryRow{lbltbu->text(), QStringLiteral("°C"), txtTbu->text()};
        rows << SummaryRow{lblUr->text(), QStringLiteral("%"), txtUr->text()};
    }
    rows << SummaryRow{lblTw1[i]->text(), QStringLiteral("°C"), txtTw1[i]->text()};
    if (conditions_.waterFlowGiven())
        rows << SummaryRow{lblQw[i]->text(), lblumQw[i]->text(), txtQw[i]->text()};
    else
        rows << SummaryRow{lblTw2[i]->text(), QStringLiteral("°C"), txtTw2[i]->text()};
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
    SalvaCampi(textBoxes(), kSettingsSection);
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

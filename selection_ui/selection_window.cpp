#include "selection_ui/selection_window.h"

#include "engine/arithmetic.h"
#include "engine/model_table.h"
#include "selection/selection_run.h"
#include "selection_ui/details_follower.h"
#include "selection_ui/form_keys.h"
#include "selection_ui/left_out_tally.h"
#include "selection_ui/not_listed_panel.h"
#include "selection_ui/not_listed_texts.h"
#include "selection_ui/project_command.h"
#include "selection_ui/result_grid.h"
#include "shell/app_state.h"
#include "shell/forms.h"
#include "shell/language.h"
#include "shell/message_sink.h"
#include "shell/single_line_field.h"
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
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace tarvello {

namespace {

const QString kLaminarWarning = QStringLiteral("*  warning :  laminar flow");
// Reported for a failure that has no classic number of its own ("internal error").
constexpr int kInternalError = 51;
constexpr int kRunErrorText = 113; // "Generic error"
const QStringList kApproxPercents{QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"),
                                  QStringLiteral("40"), QStringLiteral("50"), QStringLiteral("60"),
                                  QStringLiteral("70")};
constexpr int kFieldBoxWidth = 90; // pixels
const QKeySequence kNotListedKey(Qt::Key_F7);

QPushButton* makeCommand(QWidget* parent, const QString& name)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(true); // Enter on a focused button presses it
    return button;
}

} // namespace

// The scroll area around the inputs asks for all of their room, not the toolkit's
// default cap, and can shrink to a few rows when the screen is small.
QSize InputScrollArea::sizeHint() const
{
    const int frame = 2 * frameWidth();
    const QSize inner = widget() ? widget()->sizeHint() : QSize();
    return inner + QSize(frame, frame);
}

QSize InputScrollArea::minimumSizeHint() const
{
    constexpr QSize kSmallest(320, 140); // pixels: a few rows of fields stay in sight
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return sizeHint().boundedTo(kSmallest + QSize(scrollBar, scrollBar));
}

QLineEdit* makeFieldBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    keepSingleLine(box); // a pasted line break never reaches the settings file
    box->setMaximumWidth(kFieldBoxWidth);
    return box;
}

QLabel* makeFieldLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

SelectionWindow::SelectionWindow(QWidget* parent) : QDialog(parent)
{
    setModal(true);
}

SelectionWindow::~SelectionWindow()
{
    // The controls leave while the window is destroyed: no more focus handling.
    disconnect(qApp, nullptr, this, nullptr);
    Forms::forget(this);
}

// --- controls ---------------------------------------------------------------------------

void SelectionWindow::buildControls()
{
    auto* menuBar = new QMenuBar(this);
    mnufile = menuBar->addMenu(QString());
    mnufile->setObjectName(QStringLiteral("mnufile"));
    mnuExit = mnufile->addAction(QString());
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    auto* top = new QVBoxLayout(this);
    top->setMenuBar(menuBar);

    buildSelectionFrame();
    // The two mode frames share one place; exactly one is visible. The input area scrolls
    // when the screen is too small for it, so that the grid keeps its room.
    buildModeFrames();
    inputArea = new InputScrollArea(this);
    inputArea->setObjectName(QStringLiteral("inputArea"));
    auto* inputs = new QWidget(inputArea);
    inputs->setObjectName(QStringLiteral("inputs"));
    auto* upper = new QGridLayout(inputs);
    upper->setContentsMargins(0, 0, 0, 0);
    upper->addWidget(frmselection, 0, 0);
    upper->addWidget(frmCooling, 0, 1);
    upper->addWidget(frmHeating, 0, 1);
    upper->setColumnStretch(1, 1);
    inputArea->setWidget(inputs);
    top->addWidget(inputArea);

    frmSolutions = new QGroupBox(this);
    frmSolutions->setObjectName(QStringLiteral("frmSolutions"));
    auto* solutions = new QVBoxLayout(frmSolutions);
    Grd = new GridView(frmSolutions);
    Grd->setObjectName(QStringLiteral("Grd"));
    Grd->setMinimumHeight(twipsToPixels(6000));
    Grd->setMinimumWidthFloor(twipsToPixels(9800));
    solutions->addWidget(Grd);
    lblLaminare = makeFieldLabel(frmSolutions, QStringLiteral("lblLaminare"), kLaminarWarning);
    lblLaminare->setVisible(false);
    solutions->addWidget(lblLaminare);
    top->addWidget(frmSolutions, 1);

    // The input summary is read by the print report only.
    Grdrif = new GridView(this);
    Grdrif->setObjectName(QStringLiteral("Grdrif"));
    Grdrif->setVisible(false);

    keys_ = new FormKeyPress(this);
}

// Mode, required capacity, approximation, speed and the two commands.
void SelectionWindow::buildSelectionFrame()
{
    frmselection = new QGroupBox(this);
    frmselection->setObjectName(QStringLiteral("frmselection"));
    auto* sel = new QGridLayout(frmselection);
    cbofunz = new QComboBox(frmselection);
    cbofunz->setObjectName(QStringLiteral("cbofunz"));
    sel->addWidget(cbofunz, 0, 0, 1, 3);
    lblPotric = makeFieldLabel(frmselection, QStringLiteral("lblPotric"));
    txtPotric = makeFieldBox(frmselection, QStringLiteral("txtPotric"));
    lblUmPt = makeFieldLabel(frmselection, QStringLiteral("lblUmPt"));
    sel->addWidget(lblPotric, 1, 0);
    sel->addWidget(txtPotric, 1, 1);
    sel->addWidget(lblUmPt, 1, 2);
    lblRange = makeFieldLabel(frmselection, QStringLiteral("lblRange"));
    cboApprox = new QComboBox(frmselection);
    cboApprox->setObjectName(QStringLiteral("cboApprox"));
    sel->addWidget(lblRange, 2, 0);
    sel->addWidget(cboApprox, 2, 1);
    sel->addWidget(makeFieldLabel(frmselection, QStringLiteral("lblRangeUnit"), QStringLiteral("%")), 2, 2);
    lblVel = makeFieldLabel(frmselection, QStringLiteral("lblVel"));
    cboVel = new QComboBox(frmselection);
    cboVel->setObjectName(QStringLiteral("cboVel"));
    sel->addWidget(lblVel, 3, 0);
    sel->addWidget(cboVel, 3, 1);
    cmdCalcola = makeCommand(frmselection, QStringLiteral("cmdCalcola"));
    cmdStampa = makeCommand(frmselection, QStringLiteral("cmdStampa"));
    sel->addWidget(cmdCalcola, 4, 0);
    sel->addWidget(cmdStampa, 4, 1, 1, 2);
    cmdNonElencati = makeCommand(frmselection, QStringLiteral("cmdNonElencati"));
    cmdNonElencati->setEnabled(false); // until a run leaves models out
    sel->addWidget(cmdNonElencati, 5, 0, 1, 3);
    cmdDettagli = makeCommand(frmselection, QStringLiteral("cmdDettagli"));
    sel->addWidget(cmdDettagli, 6, 0, 1, 3);
    cmdProgetto = makeCommand(frmselection, QStringLiteral("cmdProgetto"));
    sel->addWidget(cmdProgetto, 7, 0, 1, 3);
    sel->setRowStretch(8, 1);
}

void SelectionWindow::setSharedCaptions()
{
    frmselection->setTitle(Testo(8));
    frmCooling->setTitle(Testo(62));
    frmHeating->setTitle(Testo(65));
    frmSolutions->setTitle(Testo(7));
    lblPotric->setText(Testo(51));
    lblRange->setText(Testo(37));
    lblVel->setText(Testo(86));
    chkDF->setText(Testo(14));
    chkDF->setToolTip(QStringLiteral("Per Impianti a 4 tubi"));
    cmdCalcola->setText(Testo(15));
    cmdStampa->setText(Testo(74));
    cmdStampa->setToolTip(Testo(74));
    cmdNonElencati->setText(Testo(kNotListedButtonText));
    cmdNonElencati->setToolTip(Testo(kNotListedTitleText) + QStringLiteral(" (") +
                               kNotListedKey.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    mnufile->setTitle(Testo(2));
    mnuExit->setText(Testo(3));
}

void SelectionWindow::fillSharedLists()
{
    {
        const QSignalBlocker blockMode(cbofunz);
        cbofunz->clear();
        cbofunz->addItems({Testo(62), Testo(65)});
        cbofunz->setCurrentIndex(ModeCooling);
    }
    cboApprox->clear();
    cboApprox->addItems(kApproxPercents);
    cboApprox->setCurrentIndex(0);
    chkDF->setChecked(false);
}

void SelectionWindow::connectSharedHandlers()
{
    connect(cbofunz, &QComboBox::currentIndexChanged, this, [this] {
        closeNotListed(); // the grid of the other mode is emptied: its run is gone
        cbofunz_Click();
    });
    connect(cmdCalcola, &QPushButton::clicked, this, [this] { cmdCalcola_Click(); });
    connect(cmdStampa, &QPushButton::clicked, this, [this] { cmdStampa_Click(); });
    connect(cmdNonElencati, &QPushButton::clicked, this, [this] { showNotListed(); });
    auto* notListedKey = new QShortcut(kNotListedKey, this);
    connect(notListedKey, &QShortcut::activated, this, [this] { showNotListed(); });
    connect(mnuExit, &QAction::triggered, this, [this] { close(); });
    connect(qApp, &QApplication::focusChanged, this, &SelectionWindow::onFocusChanged);
    details_ = new DetailsFollower(this, Grd, cmdDettagli, [this] {
        return DetailsFollower::Run{&lastRun_, &lastRequest_, windowTitle()};
    });
    projectCommand_ = new ProjectCommand(this, Grd, cmdProgetto, [this] { return requiredCapacity_W(); },
                                         [this](const EditedRun& run) { presentRun(run); });
}

// --- size -------------------------------------------------------------------------------

void SelectionWindow::fitToScreen()
{
    if (const QScreen* where = screen())
        fitWithin(where->availableGeometry().size());
}

void SelectionWindow::fitWithin(const QSize& available)
{
    // The decoration of a shown window takes part of the room.
    const QSize decoration = isVisible() ? frameGeometry().size() - geometry().size() : QSize();
    const QSize room = available - decoration;
    inputArea->widget()->adjustSize();
    inputArea->updateGeometry();
    layout()->activate();
    setMaximumSize(room.expandedTo(minimumSize()));
    if (isMaximized() || isFullScreen())
        return; // the user's choice of size stays
    resize(sizeHint().boundedTo(room).expandedTo(minimumSizeHint()));
}

// --- mode -------------------------------------------------------------------------------

int SelectionWindow::mode() const
{
    return std::max(cbofunz->currentIndex(), 0) == ModeHeating ? ModeHeating : ModeCooling;
}

void SelectionWindow::setPowerUnitLabel()
{
    lblUmPt->setText(powerUnitForMode(mode()));
}

void SelectionWindow::showModeFrame()
{
    const int i = mode();
    frmCooling->setVisible(i == ModeCooling);
    frmHeating->setVisible(i == ModeHeating);
    coilState().Mode = static_cast<int16_t>(i);
    setPowerUnitLabel();
}

// --- leaving a field --------------------------------------------------------------------

void SelectionWindow::onFocusChanged(QWidget* old, QWidget* now)
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

void SelectionWindow::checkRange(QLineEdit* box, const RangeRule& rule, QWidget* now)
{
    inputOutOfRange_ = CheckRange(box, rule, now);
}

// --- messages ---------------------------------------------------------------------------

void SelectionWindow::setFocusTo(const QString& objectName)
{
    if (auto* box = findChild<QLineEdit*>(objectName))
        box->setFocus();
}

bool SelectionWindow::reportMissing(const std::optional<MissingInput>& missing)
{
    if (!missing)
        return false;
    messages().critical(missing->message, QString::fromLatin1(kProgramTitle));
    if (!missing->focusField.isEmpty())
        setFocusTo(missing->focusField);
    return true;
}

void SelectionWindow::reportRunError(int number)
{
    // "Generic error" in the current language, then the classic number.
    messages().exclamation(Testo(kRunErrorText) + QStringLiteral(": ") + QString::number(number),
                           QString::fromLatin1(kProgramTitle));
}

// --- the run ----------------------------------------------------------------------------

void SelectionWindow::cmdCalcola_Click()
{
    lblLaminare->setVisible(false);
    runCalcola();
}

void SelectionWindow::runSelection(const std::function<void()>& readAndRate)
{
    if (running_)
        return;
    running_ = true;
    handlingFocus_ = true;
    TextGrid& grid = Grd->grid();
    lastRun_ = {};
    ratedToTheEnd_ = false;
    try {
        grid.setRows(2);
        grid.setRows(3);
        grid.setFixedRows(2);
        readAndRate();
        if (grid.rows() > 3)
            grid.removeItem(2);
    } catch (const ArithmeticError& error) {
        reportRunError(error.number());
    } catch (const RunError& error) {
        reportRunError(error.number());
    } catch (const std::exception&) {
        reportRunError(kInternalError);
    }
    Grd->applyGeometry();
    tellRunOutcome();
    handlingFocus_ = false;
    running_ = false;
}

void SelectionWindow::tellRunOutcome()
{
    const bool leftOut = leftModelsOut(lastRun_);
    cmdNonElencati->setEnabled(leftOut);
    details_->runChanged();
    projectCommand_->runChanged();
    if (notListedPanel_ && notListedPanel_->isVisible()) {
        if (leftOut)
            notListedPanel_->showRows(notListedRows(lastRun_, lastRequest_, LangBase), LangBase);
        else
            notListedPanel_->hide();
    }
    if (ratedToTheEnd_ && lastRun_.listedCount() == 0)
        messages().information(emptyRunMessage(lastRun_, lastRequest_, LangBase), QString::fromLatin1(kProgramTitle));
}

void SelectionWindow::showNotListed()
{
    if (!cmdNonElencati->isEnabled())
        return;
    if (!notListedPanel_)
        notListedPanel_ = new FNonElencati(this);
    notListedPanel_->showRows(notListedRows(lastRun_, lastRequest_, LangBase), LangBase);
    notListedPanel_->show();
    notListedPanel_->raise();
    notListedPanel_->activateWindow();
}

void SelectionWindow::closeNotListed()
{
    cmdNonElencati->setEnabled(false);
    if (notListedPanel_)
        notListedPanel_->hide();
    details_->runGone();
    projectCommand_->runGone();
}

void SelectionWindow::rateAndList(RunRequest request, const std::vector<ResultColumn>& columns)
{
    request.band = capacityBandFor(txtPotric->text(), fieldNumberOrZero(cboApprox->currentText()), UnitPt.factor());
    lastRequest_ = request;
    lastRun_ = rateModels(request, modelTable(), coilConstants(), coilState(), letWindowsPaint());
    ratedToTheEnd_ = !lastRun_.failure;
    appendResultRows(Grd->grid(), columns, lastRun_);
    for (const ModelOutcome* model : lastRun_.listed())
        if (isLaminar(model->rating))
            lblLaminare->setVisible(true);
    if (lastRun_.failure)
        throw RunError(lastRun_.failure->number);
}

PendingEventsHook SelectionWindow::letWindowsPaint()
{
    return [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
}

} // namespace tarvello

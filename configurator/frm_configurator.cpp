#include "configurator/frm_configurator.h"

#include "configurator/configurator_pictures.h"
#include "configurator/module1.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace pinvale {

namespace {

// Client area of the window, in points.
constexpr double kClientWidth_pt = 469;
constexpr double kClientHeight_pt = 315;
// Height of a frame's caption band and width of an uncaptioned frame's border, in points:
// the positions of controls inside a frame count from below them.
constexpr double kCaptionBand_pt = 9;
constexpr double kFrameBorder_pt = 1.5;
constexpr double kChoiceHeight_pt = 18;

struct ChoiceLayout {
    Choice choice;
    const char* caption;
    const char* tip;
    double x, y, w;  // points, inside the frame
};

// Captions, tips and positions of the choices inside their frames.
constexpr ChoiceLayout kChoiceLayout[] = {
    {Choice::Opt_KXA, "KXA, KXH, KXE", "", 12, 6, 86},
    {Choice::Opt_KXR, "KXR", "", 102, 6, 126},
    {Choice::Opt_SingleControl, "Single Control", "", 12, 6, 86},
    {Choice::Opt_MultipleControl, "Multiple Control (up to 4 FCU)", "", 102, 6, 128},
    {Choice::Opt_2pipe, "2-pipe", "", 12, 6, 86},
    {Choice::Opt_4pipe, "4-pipe", "", 102, 6, 126},
    {Choice::Opt_Manual, "Manual", "", 12, 6, 84},
    {Choice::Opt_Automatic, "Automatic", "", 12, 24, 84},
    {Choice::Opt_Centralised, "Centralised", "Via external contact", 12, 84, 84},
    {Choice::Opt_Air, "Air", "", 6, 6, 50},
    {Choice::Opt_Water, "Water", "", 6, 30, 50},
    {Choice::Opt_5C, "5°C", "", 6, 6, 50},
    {Choice::Opt_2C, "2°C", "", 6, 30, 50},
    {Choice::Opt_BuiltIn, "Built in (QNTB2)", "Built in the fancoil", 6, 3, 104},
    {Choice::Opt_Remote, "Remote (QNTR2)", "Built on the wall", 6, 24, 104},
    {Choice::chk_heater, "Electric heater", "", 6, 3, 104},
    {Choice::Chk_valves, "Valves", "", 6, 24, 104},
};

// Switch display, in points inside Pnl_DipSwitches.
constexpr double kKnobSide_pt = 11;
constexpr double kFirstKnobX_pt = 60;
constexpr double kKnobPitch_pt = 18;
constexpr double kOnRowY_pt = 24;
constexpr double kOffRowY_pt = 42;

const QColor kSwitchBodyRed(200, 24, 32);
const QColor kKnobFace(244, 241, 232);

double pixelsPerPoint()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return (dpi > 0 ? dpi : 96.0) / 72.0;
}

int px(double points) { return qRound(points * pixelsPerPoint()); }

QString frameNameOf(Choice choice)
{
    switch (frameOf(choice)) {
    case Frame::Pnl_Model: return QStringLiteral("Pnl_Model");
    case Frame::Pnl_Application: return QStringLiteral("Pnl_Application");
    case Frame::Pnl_mode: return QStringLiteral("Pnl_mode");
    case Frame::Pnl_ChangeOver: return QStringLiteral("Pnl_ChangeOver");
    case Frame::Pnl_AirWater: return QStringLiteral("Pnl_AirWater");
    case Frame::Pnl_NeutralZone: return QStringLiteral("Pnl_NeutralZone");
    case Frame::Pnl_Control: return QStringLiteral("Pnl_Control");
    case Frame::None: break;
    }
    return QStringLiteral("Pnl_Options");
}

} // namespace

Frm_configurator::Frm_configurator(ConfiguratorData& data, DocumentOpener& opener,
                                   MessageSink& messages, QString programDir, QWidget* parent)
    : QWidget(parent), data_(data), opener_(opener), messages_(messages),
      programDir_(std::move(programDir)), choices_(data)
{
    setObjectName(QStringLiteral("Frm_configurator"));
    setWindowTitle(QStringLiteral("Velmora Controller Configurator"));
    QFont formFont(QStringLiteral("Arial"));
    formFont.setPointSizeF(8);
    setFont(formFont);
    setFixedSize(px(kClientWidth_pt), px(kClientHeight_pt));

    buildFrames();
    buildChoices();
    buildSwitchDisplay();
    buildOtherControls();
    showChoices();

    choices_.initialise();
    showChoices();
}

void Frm_configurator::setTrace(std::function<void(const QString&)> trace)
{
    choices_.setTrace(std::move(trace));
}

QAbstractButton* Frm_configurator::choiceButton(Choice choice) const
{
    return choiceButtons_[static_cast<int>(choice)];
}

QWidget* Frm_configurator::knob(int n, bool onRow) const
{
    return onRow ? onKnobs_.at(n - 1) : offKnobs_.at(n - 1);
}

void Frm_configurator::place(QWidget* control, double x, double y, double w, double h)
{
    control->setGeometry(px(x), px(y), px(w), px(h));
}

// Positions inside a frame count from the top left of its client area.
void Frm_configurator::placeInFrame(QWidget* control, double x, double y, double w, double h)
{
    const auto* frame = qobject_cast<QGroupBox*>(control->parentWidget());
    const double top = frame && !frame->title().isEmpty() ? kCaptionBand_pt : kFrameBorder_pt;
    place(control, kFrameBorder_pt + x, top + y, w, h);
}

QGroupBox* Frm_configurator::addFrame(const char* name, const QString& caption, QWidget* parent,
                                      double x, double y, double w, double h)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    if (parent == this)
        place(frame, x, y, w, h);
    else
        placeInFrame(frame, x, y, w, h);
    return frame;
}

void Frm_configurator::buildFrames()
{
    addFrame("Pnl_Model", QStringLiteral("Model"), this, 6, 6, 234, 36);
    addFrame("Pnl_Application", QStringLiteral("Application"), this, 6, 48, 234, 36);
    addFrame("Pnl_mode", QStringLiteral("Mode"), this, 6, 90, 234, 36);
    QGroupBox* changeOver =
        addFrame("Pnl_ChangeOver", QStringLiteral("Changeover"), this, 6, 132, 234, 114);
    addFrame("Pnl_AirWater", QString(), changeOver, 102, 30, 60, 54);
    addFrame("Pnl_NeutralZone", QString(), changeOver, 168, 30, 60, 54);
    addFrame("Pnl_Control", QStringLiteral("Controller"), this, 6, 252, 114, 54);
    addFrame("Pnl_Options", QStringLiteral("Options"), this, 126, 252, 114, 54);
    addFrame("Pnl_DipSwitches", QStringLiteral("Dip switch settings "), this, 252, 132, 198, 114);
}

void Frm_configurator::buildChoices()
{
    for (const ChoiceLayout& layout : kChoiceLayout) {
        auto* frame = findChild<QGroupBox*>(frameNameOf(layout.choice));
        const QString caption = QString::fromUtf8(layout.caption);
        QAbstractButton* button = nullptr;
        if (isCheckBox(layout.choice)) {
            button = new QCheckBox(caption, frame);
        } else {
            auto* option = new QRadioButton(caption, frame);
            // Exclusion within a frame is kept by ConfiguratorChoices, which also decides
            // whose handler runs; Qt's own group logic would fight it.
            option->setAutoExclusive(false);
            button = option;
        }
        button->setObjectName(controlName(layout.choice));
        if (*layout.tip)
            button->setToolTip(QString::fromUtf8(layout.tip));
        placeInFrame(button, layout.x, layout.y, layout.w, kChoiceHeight_pt);
        choiceButtons_[static_cast<int>(layout.choice)] = button;
        const Choice choice = layout.choice;
        connect(button, &QAbstractButton::clicked, this,
                [this, choice] { runGuarded([this, choice] { choices_.click(choice); }); });
    }
}

void Frm_configurator::buildSwitchDisplay()
{
    auto* panel = findChild<QGroupBox*>(QStringLiteral("Pnl_DipSwitches"));

    auto* body = new PaintedBlock(kSwitchBodyRed, panel);
    body->setObjectName(QStringLiteral("Tgl_DipSwitches"));
    body->setEnabled(false);
    placeInFrame(body, 48, 18, 142, 43);

    auto* numbers = new ColumnNumbers(kSwitchCount, px(kKnobSide_pt / 2), px(kKnobPitch_pt), panel);
    numbers->setObjectName(QStringLiteral("Lbl_DipSwitches"));
    placeInFrame(numbers, kFirstKnobX_pt, 6, kKnobPitch_pt * kSwitchCount, 11);

    auto* onLabel = new QLabel(QStringLiteral("ON"), panel);
    onLabel->setObjectName(QStringLiteral("Lbl_On"));
    placeInFrame(onLabel, 18, kOnRowY_pt - 1, 28, 13);
    auto* offLabel = new QLabel(QStringLiteral("OFF"), panel);
    offLabel->setObjectName(QStringLiteral("Lbl_Off"));
    placeInFrame(offLabel, 18, kOffRowY_pt - 1, 28, 13);

    for (int n = 1; n <= kSwitchCount; ++n) {
        const double x = kFirstKnobX_pt + kKnobPitch_pt * (n - 1);
        for (bool onRow : {true, false}) {
            auto* knob = new PaintedBlock(kKnobFace, panel);
            knob->setObjectName(QStringLiteral("Tgl_%1%2").arg(n).arg(onRow ? "ON" : "OFF"));
            knob->setEnabled(false);  // display only
            placeInFrame(knob, x, onRow ? kOnRowY_pt : kOffRowY_pt, kKnobSide_pt, kKnobSide_pt);
            knob->raise();
            (onRow ? onKnobs_ : offKnobs_)[n - 1] = knob;
        }
    }

    auto* wiringLabel = new QLabel(QStringLiteral("Wiring diagram"), panel);
    wiringLabel->setObjectName(QStringLiteral("Lbl_Wiring"));
    placeInFrame(wiringLabel, 12, 74, 78, 14);

    Txt_Wiring = new QLineEdit(panel);
    Txt_Wiring->setObjectName(QStringLiteral("Txt_Wiring"));
    Txt_Wiring->setEnabled(false);
    placeInFrame(Txt_Wiring, 90, 72, 72, 18);

    auto* show = new QPushButton(panel);
    show->setObjectName(QStringLiteral("Btn_ShowWiring"));
    show->setIcon(showWiringPicture());
    show->setIconSize(QSize(px(13), px(13)));
    placeInFrame(show, 168, 70, 22, 22);
    connect(show, &QPushButton::clicked, this,
            [this] { runGuarded([this] { Btn_ShowWiring_Click(); }); });
}

void Frm_configurator::buildOtherControls()
{
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Img_VelmoraLogo"));
    place(logo, 258, 12, 192, 66);
    logo->setPixmap(velmoraLogo(logo->size()));

    Label1 = new QLabel(QStringLiteral("Version ..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    place(Label1, 282, 84, 156, 18);

    auto* restore = new QPushButton(QStringLiteral("Restore Settings"), this);
    restore->setObjectName(QStringLiteral("Btn_Initialise"));
    place(restore, 276, 258, 72, 24);
    connect(restore, &QPushButton::clicked, this,
            [this] { runGuarded([this] { Btn_Initialise_Click(); }); });

    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("Btn_Close"));
    place(closeButton, 366, 258, 72, 24);
    connect(closeButton, &QPushButton::clicked, this,
            [this] { runGuarded([this] { Btn_Close_Click(); }); });
}

void Frm_configurator::showChoices()
{
    for (int i = 0; i < kChoiceCount; ++i) {
        const auto choice = static_cast<Choice>(i);
        QAbstractButton* button = choiceButtons_[i];
        button->setChecked(choices_.isSelected(choice));
        button->setEnabled(choices_.isEnabled(choice));
    }
    for (int n = 1; n <= kSwitchCount; ++n) {
        const bool on = choices_.switchIsOn(n);
        onKnobs_[n - 1]->setVisible(on);
        offKnobs_[n - 1]->setVisible(!on);
    }
    Txt_Wiring->setText(choices_.wiringText());
    Label1->setText(choices_.versionText());
}

void Frm_configurator::runGuarded(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        showChoices();
        endAfterDatabaseError(QString::fromUtf8(error.what()));
        return;
    }
    showChoices();
}

// The configurator has no way on without its database: report, then end the program.
void Frm_configurator::endAfterDatabaseError(const QString& message)
{
    messages_.show(message);
    QCoreApplication::exit(1);  // before the window goes, so the program ends with 1
    close();
    data_.close();
}

void Frm_configurator::Btn_Initialise_Click() { choices_.initialise(); }

void Frm_configurator::Btn_Close_Click()
{
    close();
    data_.close();
}

void Frm_configurator::Btn_ShowWiring_Click()
{
    choices_.RefreshConfiguration();
    showChoices();
    OpenWiringDocument(choices_.WiringFileName(), programDir_, opener_, messages_);
}

} // namespace pinvale

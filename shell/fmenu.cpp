#include "shell/fmenu.h"

#include "engine/glycol_properties.h"
#include "shell/app_state.h"
#include "shell/documents.h"
#include "shell/finfo.h"
#include "shell/flingua.h"
#include "shell/forms.h"
#include "shell/fscelta.h"
#include "shell/funmis.h"
#include "shell/language.h"
#include "shell/message_sink.h"
#include "shell/shell_services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QSysInfo>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

// The pictures of the product information and configurator buttons, registered by name
// as every resource of a static library must be.
static void registerLauncherPictures()
{
    Q_INIT_RESOURCE(documents_images);
}

namespace tarvello {

namespace {

const bool launcherPicturesRegistered = (registerLauncherPictures(), true);

QAction* namedAction(QMenu* menu, const char* name)
{
    QAction* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QToolButton* namedToolButton(QToolBar* bar, const char* name, const char* icon)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(QIcon(QString::fromLatin1(icon)));
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

// The locale's long time format without the time zone, which the clock does not show.
QString longTimeFormat(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    return format.trimmed();
}

} // namespace

Fmenu::Fmenu()
{
    setObjectName(QStringLiteral("Fmenu"));
    setAttribute(Qt::WA_DeleteOnClose);
    Forms::loaded(this);

    mdi = new QMdiArea(this);
    mdi->setObjectName(QStringLiteral("MDIClient"));
    mdi->setBackground(QColor(0x5b, 0x6e, 0x80));
    setCentralWidget(mdi);
    buildMenus();
    buildToolBar();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Fmenu::Timer1_Timer);
    resize(1024, 740);
}

void Fmenu::buildMenus()
{
    mnufile = menuBar()->addMenu(QString());
    mnufile->setObjectName(QStringLiteral("mnufile"));
    mnuDefprt = namedAction(mnufile, "mnuDefprt");
    QAction* mnu2 = mnufile->addSeparator();
    mnu2->setObjectName(QStringLiteral("mnu2"));
    mnufine = namedAction(mnufile, "mnufine");

    mnuOpzioni = menuBar()->addMenu(QString());
    mnuOpzioni->setObjectName(QStringLiteral("mnuOpzioni"));
    mnulingua = namedAction(mnuOpzioni, "mnulingua");
    mnuUnmis = namedAction(mnuOpzioni, "mnuUnmis");

    mnuinfo = menuBar()->addMenu(QStringLiteral("&Info"));
    mnuinfo->setObjectName(QStringLiteral("mnuinfo"));
    mnuInfotarvello = namedAction(mnuinfo, "mnuInfotarvello");
    mnuinfosistema = namedAction(mnuinfo, "mnuinfosistema");

    connect(mnuDefprt, &QAction::triggered, this, [this] { printerSetup(this); });
    connect(mnufine, &QAction::triggered, this, [this] { close(); });
    connect(mnulingua, &QAction::triggered, this, [] { Forms::bringForward(Forms::flingua()); });
    connect(mnuUnmis, &QAction::triggered, this, [] { Forms::bringForward(Forms::funmis()); });
    connect(mnuInfotarvello, &QAction::triggered, this, &Fmenu::mnuInfotarvello_Click);
    connect(mnuinfosistema, &QAction::triggered, this, &Fmenu::mnuinfosistema_Click);
}

void Fmenu::buildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Tools"));
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setMovable(false);
    SSdefprt = namedToolButton(bar, "SSdefprt", ":/shell/images/printer.svg");
    SSunmis = namedToolButton(bar, "SSunmis", ":/shell/images/units.svg");
    SSlingua = namedToolButton(bar, "SSlingua", ":/shell/images/languages.svg");
    connect(SSdefprt, &QToolButton::clicked, mnuDefprt, &QAction::trigger);
    connect(SSunmis, &QToolButton::clicked, mnuUnmis, &QAction::trigger);
    connect(SSlingua, &QToolButton::clicked, mnulingua, &QAction::trigger);
    SSdescr = namedToolButton(bar, "SSdescr", ":/shell/images/product_information.svg");
    SSCommand1 = namedToolButton(bar, "SSCommand1", ":/shell/images/configurator.svg");
    connect(SSdescr, &QToolButton::clicked, this, [] { openProductInformation(); });
    connect(SSCommand1, &QToolButton::clicked, this, [] { startConfigurator(); });

    auto* spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    lblOra = new QLabel(bar);
    lblOra->setObjectName(QStringLiteral("lblOra"));
    bar->addWidget(lblOra);
    auto* gap = new QWidget(bar);
    gap->setFixedWidth(24);
    bar->addWidget(gap);
    lblVer = new QLabel(bar);
    lblVer->setObjectName(QStringLiteral("lblVer"));
    bar->addWidget(lblVer);
}

QString Fmenu::clockText(const QDateTime& now, const QLocale& locale)
{
    return locale.toString(now.date(), QLocale::LongFormat) + QStringLiteral("  ")
           + locale.toString(now.time(), longTimeFormat(locale));
}

void Fmenu::load()
{
    Timer1_Timer();
    Timer1->start();
    lblVer->setText(QStringLiteral("Ver. ") + QString::fromLatin1(kVersionText));
    InitPropertyTables();
    ImpostaLingua();
    // The work area takes the whole screen; a desktop without a window manager keeps
    // this geometry, one with a manager maximises the window.
    if (const QScreen* where = screen())
        setGeometry(where->availableGeometry());
    showMaximized();
    Forms::fscelta()->show();
    QApplication::processEvents();
}

void Fmenu::setCaptions()
{
    applyTitle();
    mnufile->setTitle(Testo(2));
    mnuDefprt->setText(Testo(33));
    mnufine->setText(Testo(3));
    mnuOpzioni->setTitle(Testo(6));
    mnulingua->setText(Testo(69));
    mnuUnmis->setText(Testo(4));
    mnuInfotarvello->setText(Testo(34));
    mnuinfosistema->setText(Testo(35));
    SSdefprt->setToolTip(Testo(33));
    SSunmis->setToolTip(Testo(4));
    SSlingua->setToolTip(Testo(69));
    SSdescr->setToolTip(Testo(1));
    emit captionsChanged();
}

void Fmenu::setProjectTitle(const QString& title)
{
    projectTitle_ = title;
    applyTitle();
}

void Fmenu::applyTitle()
{
    const QString programTitle = QStringLiteral("Tarvello - ") + Testo(60);
    setWindowTitle(projectTitle_.isEmpty() ? programTitle : projectTitle_ + QStringLiteral(" - ") + programTitle);
}

Fscelta* Fmenu::addChooser()
{
    auto* chooser = new Fscelta;
    QMdiSubWindow* frame = mdi->addSubWindow(chooser, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    chooser->load();
    return chooser;
}

void Fmenu::Timer1_Timer()
{
    lblOra->setText(clockText(QDateTime::currentDateTime(), QLocale()));
}

void Fmenu::mnuInfotarvello_Click()
{
    FInfo* info = Forms::finfo();
    info->showCloseButton(true);
    info->exec();
}

void Fmenu::mnuinfosistema_Click()
{
    const QString text = QStringLiteral("Tarvello - %1\n\n%2\n%3 %4\nQt %5")
                             .arg(Testo(60).trimmed(), QSysInfo::prettyProductName(),
                                  QSysInfo::kernelType(), QSysInfo::kernelVersion(),
                                  QString::fromLatin1(qVersion()));
    messages().about(text, Testo(35));
}

void Fmenu::closeEvent(QCloseEvent* event)
{
    if (!unloading && closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    event->accept();
    if (unloading)
        return;
    unloading = true;
    Timer1->stop();
    modelSource().close();
    // Unload as many windows as are open now, always the first of the list.
    const qsizetype count = Forms::openWindows().size();
    for (qsizetype i = 0; i < count && !Forms::openWindows().isEmpty(); ++i)
        Forms::unload(Forms::openWindows().first());
    endProgram();
}

} // namespace tarvello

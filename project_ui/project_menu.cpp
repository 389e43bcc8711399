#include "project_ui/project_menu.h"

#include "project_ui/fprogetto.h"
#include "project_ui/project_texts.h"
#include "shell/fmenu.h"
#include "shell/language.h"

#include <QFileInfo>
#include <QMenu>

namespace tarvello {

namespace {

using namespace project_texts;

} // namespace

ProjectMenu::ProjectMenu(Fmenu* main, ProjectSession& session, SessionProjectLink& link,
                         std::function<void(int)> edit)
    : QObject(main), main_(main), session_(session), link_(link), edit_(std::move(edit))
{
    setObjectName(QStringLiteral("ProjectMenu"));
    QMenu* file = main_->fileMenu();
    QAction* before = main_->printerSetupEntry();
    mnuNuovoProgetto = addEntry(file, before, "mnuNuovoProgetto");
    mnuApriProgetto = addEntry(file, before, "mnuApriProgetto");
    mnuSalvaProgetto = addEntry(file, before, "mnuSalvaProgetto");
    mnuSalvaProgettoCome = addEntry(file, before, "mnuSalvaProgettoCome");
    mnuRecenti = new QMenu(main_);
    mnuRecenti->setObjectName(QStringLiteral("mnuRecenti"));
    file->insertMenu(before, mnuRecenti);
    file->insertSeparator(before);
    mnuImportaLocali = addEntry(file, before, "mnuImportaLocali");
    mnuEsporta = new QMenu(main_);
    mnuEsporta->setObjectName(QStringLiteral("mnuEsporta"));
    file->insertMenu(before, mnuEsporta);
    mnuEsportaExcel = addEntry(mnuEsporta, nullptr, "mnuEsportaExcel");
    mnuEsportaCsv = addEntry(mnuEsporta, nullptr, "mnuEsportaCsv");
    mnuEsportaPdf = addEntry(mnuEsporta, nullptr, "mnuEsportaPdf");
    mnuTabella = addEntry(file, before, "mnuTabella");
    file->insertSeparator(before);

    connect(mnuNuovoProgetto, &QAction::triggered, this, [this] { session_.newProject(main_); });
    connect(mnuApriProgetto, &QAction::triggered, this, [this] {
        if (session_.openFile(main_))
            showSchedule();
    });
    connect(mnuSalvaProgetto, &QAction::triggered, this, [this] { session_.save(main_); });
    connect(mnuSalvaProgettoCome, &QAction::triggered, this, [this] { session_.saveAs(main_); });
    connect(mnuImportaLocali, &QAction::triggered, this, [this] { session_.importRoomList(main_); });
    connect(mnuEsportaExcel, &QAction::triggered, this, [this] { session_.exportSchedule(main_, ScheduleFormat::Excel); });
    connect(mnuEsportaCsv, &QAction::triggered, this, [this] { session_.exportSchedule(main_, ScheduleFormat::Csv); });
    connect(mnuEsportaPdf, &QAction::triggered, this, [this] { session_.exportSchedule(main_, ScheduleFormat::Pdf); });
    connect(mnuTabella, &QAction::triggered, this, [this] { showSchedule(); });
    connect(mnuRecenti, &QMenu::aboutToShow, this, &ProjectMenu::fillRecent);
    connect(&session_, &ProjectSession::changed, this, [this] {
        main_->setProjectTitle(session_.titleText());
        fillRecent();
    });
    connect(&session_, &ProjectSession::imported, this, [this] {
        showSchedule();
        showRoomsWithoutFit();
    });
    connect(main_, &Fmenu::captionsChanged, this, &ProjectMenu::setCaptions);
    main_->setCloseGuard([this] { return session_.maybeSave(main_); });
    setCaptions();
    fillRecent();
}

QAction* ProjectMenu::addEntry(QMenu* menu, QAction* before, const char* name)
{
    auto* action = new QAction(menu);
    action->setObjectName(QString::fromLatin1(name));
    menu->insertAction(before, action);
    return action;
}

void ProjectMenu::setCaptions()
{
    mnuNuovoProgetto->setText(Testo(kNewProject).trimmed());
    mnuApriProgetto->setText(Testo(kOpenProject).trimmed());
    mnuSalvaProgetto->setText(Testo(kSaveProject).trimmed());
    mnuSalvaProgettoCome->setText(Testo(kSaveProjectAs).trimmed());
    mnuRecenti->setTitle(Testo(kRecentProjects).trimmed());
    mnuImportaLocali->setText(Testo(kImportRooms).trimmed());
    mnuEsporta->setTitle(Testo(kExportSchedule).trimmed());
    mnuEsportaExcel->setText(Testo(kExportExcel).trimmed());
    mnuEsportaCsv->setText(Testo(kExportCsv).trimmed());
    mnuEsportaPdf->setText(Testo(kExportPdf).trimmed());
    mnuTabella->setText(Testo(kScheduleTitle).trimmed());
    mnuNuovoProgetto->setShortcut(QKeySequence::New);
    mnuApriProgetto->setShortcut(QKeySequence::Open);
    mnuSalvaProgetto->setShortcut(QKeySequence::Save);
    main_->setProjectTitle(session_.titleText());
    if (schedule_)
        schedule_->refresh();
}

void ProjectMenu::fillRecent()
{
    mnuRecenti->clear();
    const QStringList paths = session_.recentProjects();
    for (int i = 0; i < paths.size(); ++i) {
        QAction* entry = mnuRecenti->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(paths[i]).fileName()));
        entry->setObjectName(QStringLiteral("mnuRecente(%1)").arg(i));
        entry->setToolTip(paths[i]);
        entry->setStatusTip(paths[i]);
        const QString path = paths[i];
        connect(entry, &QAction::triggered, this, [this, path] {
            if (session_.openPath(main_, path))
                showSchedule();
        });
    }
    mnuRecenti->setEnabled(!paths.isEmpty());
}

FProgetto* ProjectMenu::showSchedule()
{
    if (!schedule_)
        schedule_ = new FProgetto(main_, session_, link_, edit_);
    else
        schedule_->refresh();
    schedule_->show();
    schedule_->raise();
    schedule_->activateWindow();
    return schedule_;
}

void ProjectMenu::showRoomsWithoutFit()
{
    if (withoutFit_)
        withoutFit_->deleteLater();
    withoutFit_ = nullptr;
    if (session_.lastImportWithoutFit().empty())
        return;
    withoutFit_ = new FSenzaScelta(main_, session_.project(), session_.lastImportWithoutFit(),
                                   session_.lastImportCount());
    withoutFit_->setAttribute(Qt::WA_DeleteOnClose);
    withoutFit_->show();
    withoutFit_->raise();
}

} // namespace tarvello

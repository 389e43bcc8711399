#include "project_ui/project_link.h"

#include "project_ui/project_prompts.h"

namespace tarvello {

QString SessionProjectLink::freeTag(const Project& project)
{
    for (int n = int(project.items.size()) + 1;; ++n) {
        const QString tag = QStringLiteral("FC-%1").arg(n, 2, 10, QLatin1Char('0'));
        bool used = false;
        for (const ProjectItem& item : project.items)
            used = used || item.tag == tag.toStdString();
        if (!used)
            return tag;
    }
}

bool SessionProjectLink::addToProject(const ChosenSelection& chosen)
{
    if (edited_)
        return session_.replaceModel(*edited_, chosen);
    QStringList tags;
    for (const ProjectItem& item : session_.project().items)
        tags << QString::fromStdString(item.tag);
    const std::optional<ItemEntry> entry =
        projectPrompts().askItem(chosen.window, tags, ItemEntry{freeTag(session_.project()), QString(), 1});
    return entry && session_.addChosen(chosen, *entry);
}

std::optional<EditedRun> SessionProjectLink::editedRunOf(const ProjectItem& item)
{
    const std::optional<DutyRecord>& duty = item.cooling ? item.cooling : item.heating;
    if (!duty)
        return std::nullopt;
    EditedRun run;
    run.request = duty->request;
    run.request.line = item.line;
    run.required_W = duty->required_W;
    if (duty->rated) {
        run.model = QString::fromStdString(duty->rated->name);
        run.rated_W = duty->rated->rating.Capacity;
    }
    return run;
}

bool SessionProjectLink::beginEdit(size_t index)
{
    if (index >= session_.project().items.size())
        return false;
    pending_ = editedRunOf(session_.project().items[index]);
    if (!pending_)
        return false;
    edited_ = index;
    return true;
}

std::optional<EditedRun> SessionProjectLink::takeEditedRun()
{
    std::optional<EditedRun> run = std::move(pending_);
    pending_.reset();
    return run;
}

void SessionProjectLink::selectionClosed()
{
    edited_.reset();
    pending_.reset();
}

} // namespace tarvello

#pragma once
// The questions the project windows ask the user: file names, whether to save unsaved
// changes, the tag, room and quantity of an item. Behind a small interface so that tests
// answer them; the program's answers come from the toolkit's dialogs.

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace tarvello {

enum class SaveAnswer { Save, Discard, Cancel };

// What the user gives an item added from a selection window. A tag of an existing item
// adds the run's duty to that item.
struct ItemEntry {
    QString tag;
    QString room;
    int quantity = 1;
};

class ProjectPrompts {
public:
    virtual ~ProjectPrompts() = default;
    // A file to open; empty when the user cancels. `filter` as QFileDialog takes it.
    virtual QString openFileName(QWidget* owner, const QString& title, const QString& filter) = 0;
    // A file to write, starting from `suggested`; empty when the user cancels.
    virtual QString saveFileName(QWidget* owner, const QString& title, const QString& filter,
                                 const QString& suggested) = 0;
    // Unsaved changes of the project `name`: save, discard or cancel.
    virtual SaveAnswer askToSave(QWidget* owner, const QString& name) = 0;
    // The item for a chosen model, `existingTags` offered; empty when the user cancels.
    virtual std::optional<ItemEntry> askItem(QWidget* owner, const QStringList& existingTags,
                                             const ItemEntry& suggested) = 0;
};

// The toolkit's dialogs.
class QtProjectPrompts : public ProjectPrompts {
public:
    QString openFileName(QWidget* owner, const QString& title, const QString& filter) override;
    QString saveFileName(QWidget* owner, const QString& title, const QString& filter,
                         const QString& suggested) override;
    SaveAnswer askToSave(QWidget* owner, const QString& name) override;
    std::optional<ItemEntry> askItem(QWidget* owner, const QStringList& existingTags,
                                     const ItemEntry& suggested) override;
};

// The process-wide prompts: the toolkit's unless a test put its own.
ProjectPrompts& projectPrompts();
// Replaces them (nullptr restores the toolkit's); the caller keeps ownership.
void setProjectPrompts(ProjectPrompts* prompts);

} // namespace tarvello

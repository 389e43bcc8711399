#pragma once
// FVoce: the tag, room and quantity of an item added from a selection window. The tag
// list offers the project's tags: picking one adds the run's duty to that item.

#include "project_ui/project_prompts.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace tarvello {

class FVoce : public QDialog {
    Q_OBJECT
public:
    FVoce(QWidget* parent, const QStringList& existingTags, const ItemEntry& suggested);

    // What the fields hold; empty when the tag is blank.
    std::optional<ItemEntry> entry() const;

    void accept() override; // refuses a blank tag with a message

private:
    void tagChosen(const QString& tag);

    QComboBox* cboSigla = nullptr;
    QLineEdit* txtLocale = nullptr;
    QSpinBox* txtQuantita = nullptr;
};

} // namespace tarvello

#include "project_ui/project_prompts.h"

#include "project_ui/item_dialog.h"
#include "project_ui/project_texts.h"
#include "shell/language.h"
#include "shell/message_sink.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

namespace tarvello {

namespace {

using namespace project_texts;

ProjectPrompts*& installedPrompts()
{
    static ProjectPrompts* prompts = nullptr;
    return prompts;
}

constexpr int kMaxQuantity = 9999; // as a room list allows

} // namespace

ProjectPrompts& projectPrompts()
{
    static QtProjectPrompts toolkit;
    return installedPrompts() ? *installedPrompts() : toolkit;
}

void setProjectPrompts(ProjectPrompts* prompts)
{
    installedPrompts() = prompts;
}

QString QtProjectPrompts::openFileName(QWidget* owner, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(owner, title, QString(), filter);
}

QString QtProjectPrompts::saveFileName(QWidget* owner, const QString& title, const QString& filter,
                                       const QString& suggested)
{
    return QFileDialog::getSaveFileName(owner, title, suggested, filter);
}

SaveAnswer QtProjectPrompts::askToSave(QWidget* owner, const QString& name)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarvello"), Testo(kUnsavedChanges).arg(name),
                    QMessageBox::NoButton, owner);
    box.setObjectName(QStringLiteral("msgSalva"));
    QPushButton* save = box.addButton(Testo(kSave), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(Testo(kDiscard), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(Testo(kCancel), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

std::optional<ItemEntry> QtProjectPrompts::askItem(QWidget* owner, const QStringList& existingTags,
                                                   const ItemEntry& suggested)
{
    FVoce dialog(owner, existingTags, suggested);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.entry();
}

// --- FVoce ------------------------------------------------------------------------------

FVoce::FVoce(QWidget* parent, const QStringList& existingTags, const ItemEntry& suggested) : QDialog(parent)
{
    setObjectName(QStringLiteral("FVoce"));
    setWindowTitle(Testo(kItemTitle));
    auto* form = new QFormLayout(this);
    cboSigla = new QComboBox(this);
    cboSigla->setObjectName(QStringLiteral("cboSigla"));
    cboSigla->setEditable(true);
    cboSigla->setInsertPolicy(QComboBox::NoInsert);
    cboSigla->addItems(existingTags);
    cboSigla->setEditText(suggested.tag);
    txtLocale = new QLineEdit(suggested.room, this);
    txtLocale->setObjectName(QStringLiteral("txtLocale"));
    txtQuantita = new QSpinBox(this);
    txtQuantita->setObjectName(QStringLiteral("txtQuantita"));
    txtQuantita->setRange(1, kMaxQuantity);
    txtQuantita->setValue(std::clamp(suggested.quantity, 1, kMaxQuantity));
    form->addRow(Testo(kTag), cboSigla);
    form->addRow(Testo(kRoom), txtLocale);
    form->addRow(Testo(kQuantity), txtQuantita);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("cmdOK"));
    QPushButton* cancel = buttons->addButton(Testo(kCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdAnnulla"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &FVoce::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FVoce::reject);
    connect(cboSigla, &QComboBox::textActivated, this, &FVoce::tagChosen);
}

void FVoce::tagChosen(const QString& tag)
{
    // An existing item keeps its room and quantity: the fields show that the duty joins it.
    static_cast<void>(tag);
    txtLocale->setEnabled(cboSigla->findText(cboSigla->currentText()) < 0);
    txtQuantita->setEnabled(txtLocale->isEnabled());
}

std::optional<ItemEntry> FVoce::entry() const
{
    const QString tag = cboSigla->currentText().trimmed();
    if (tag.isEmpty())
        return std::nullopt;
    return ItemEntry{tag, txtLocale->text().trimmed(), txtQuantita->value()};
}

void FVoce::accept()
{
    if (!entry()) {
        messages().exclamation(Testo(kTagRequired), QStringLiteral("Tarvello"));
        cboSigla->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace tarvello

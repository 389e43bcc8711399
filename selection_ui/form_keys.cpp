#include "selection_ui/form_keys.h"

#include "shell/app_state.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace tarvello {

FormKeyPress::FormKeyPress(QWidget* window) : QObject(window), window_(window)
{
    watchControls();
}

void FormKeyPress::watchControls()
{
    for (QWidget* control : window_->findChildren<QWidget*>()) {
        control->removeEventFilter(this);
        control->installEventFilter(this);
    }
}

QString separatorKeyText(const QString& typed, const QString& decimalSep)
{
    const bool separatorKey = typed == QStringLiteral(".") || typed == QStringLiteral(",");
    if (separatorKey && (decimalSep == QStringLiteral(".") || decimalSep == QStringLiteral(",")))
        return decimalSep;
    return typed;
}

bool FormKeyPress::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control)
        return false;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    // A button keeps Enter for itself (it presses the button).
    if (enter && !qobject_cast<QAbstractButton*>(control) && key->modifiers() == Qt::NoModifier) {
        QWidget* next = control->nextInFocusChain();
        while (next && next != control && !(next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus)))
            next = next->nextInFocusChain();
        if (next && next != control)
            next->setFocus(Qt::TabFocusReason);
        return true;
    }
    const QString replaced = separatorKeyText(key->text(), DecimalSep);
    if (replaced != key->text()) {
        auto* edit = qobject_cast<QLineEdit*>(control);
        if (!edit) {
            if (auto* list = qobject_cast<QComboBox*>(control))
                edit = list->lineEdit();
        }
        if (edit && !edit->isReadOnly()) {
            edit->insert(replaced);
            return true;
        }
    }
    return false;
}

} // namespace tarvello

#include "shell/message_sink.h"

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace tarvello {

namespace {

MessageSink* currentSink = nullptr;

void showBox(QMessageBox::Icon icon, const QString& text, const QString& title)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace

void QtMessageSink::critical(const QString& text, const QString& title)
{
    showBox(QMessageBox::Critical, text, title);
}

void QtMessageSink::exclamation(const QString& text, const QString& title)
{
    showBox(QMessageBox::Warning, text, title);
}

void QtMessageSink::information(const QString& text, const QString& title)
{
    showBox(QMessageBox::Information, text, title);
}

void QtMessageSink::plain(const QString& text, const QString& title)
{
    showBox(QMessageBox::NoIcon, text, title);
}

void QtMessageSink::about(const QString& text, const QString& title)
{
    QMessageBox::about(QApplication::activeWindow(), title, text);
}

int QtMessageSink::choose(const QString& text, const QString& title, const QStringList& choices)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Close, QApplication::activeWindow());
    QList<QAbstractButton*> offered;
    for (const QString& choice : choices)
        offered << box.addButton(choice, QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Close);
    box.exec();
    return static_cast<int>(offered.indexOf(box.clickedButton()));
}

MessageSink& messages()
{
    static QtMessageSink toolkit;
    return currentSink ? *currentSink : toolkit;
}

void setMessageSink(MessageSink* sink)
{
    currentSink = sink;
}

} // namespace tarvello

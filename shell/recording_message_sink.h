#pragma once
// A message sink for tests: records every message instead of showing it, and puts
// itself in place of the process-wide sink for its lifetime.

#include "shell/message_sink.h"

#include <QList>

namespace tarvello {

class RecordingMessageSink : public MessageSink {
public:
    enum class Kind { Critical, Exclamation, Information, Plain, About, Choice };
    struct Message {
        Kind kind;
        QString text;
        QString title;
        QStringList choices = {}; // what a Choice offered
    };

    RecordingMessageSink() { setMessageSink(this); }
    ~RecordingMessageSink() override { setMessageSink(nullptr); }
    RecordingMessageSink(const RecordingMessageSink&) = delete;
    RecordingMessageSink& operator=(const RecordingMessageSink&) = delete;

    void critical(const QString& text, const QString& title) override { add(Kind::Critical, text, title); }
    void exclamation(const QString& text, const QString& title) override { add(Kind::Exclamation, text, title); }
    void information(const QString& text, const QString& title) override { add(Kind::Information, text, title); }
    void plain(const QString& text, const QString& title) override { add(Kind::Plain, text, title); }
    void about(const QString& text, const QString& title) override { add(Kind::About, text, title); }
    int choose(const QString& text, const QString& title, const QStringList& choices) override
    {
        messages.append({Kind::Choice, text, title, choices});
        return choiceToPick;
    }

    QList<Message> messages;
    int choiceToPick = -1; // what the user picks in the next offers (-1: closes the box)

private:
    void add(Kind kind, const QString& text, const QString& title) { messages.append({kind, text, title}); }
};

} // namespace tarvello

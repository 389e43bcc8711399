#pragma once
// Message boxes behind a small interface, so that window logic can be driven by tests
// that record what the user would have been told. Every window of the program reports
// through `messages()`.

#include <QString>
#include <QStringList>

#include <memory>

namespace tarvello {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void critical(const QString& text, const QString& title) = 0;    // stop icon
    virtual void exclamation(const QString& text, const QString& title) = 0; // warning icon
    virtual void information(const QString& text, const QString& title) = 0; // info icon
    virtual void plain(const QString& text, const QString& title) = 0;       // no icon
    virtual void about(const QString& text, const QString& title) = 0;       // the about box
    // A warning that offers the user `choices` besides closing it: the index of the one
    // picked, or -1 when none was. A sink that cannot offer choices shows the text alone.
    virtual int choose(const QString& text, const QString& title, const QStringList& choices)
    {
        static_cast<void>(choices);
        exclamation(text, title);
        return -1;
    }
};

// Message boxes of the window toolkit, owned by the active window.
class QtMessageSink : public MessageSink {
public:
    void critical(const QString& text, const QString& title) override;
    void exclamation(const QString& text, const QString& title) override;
    void information(const QString& text, const QString& title) override;
    void plain(const QString& text, const QString& title) override;
    void about(const QString& text, const QString& title) override;
    int choose(const QString& text, const QString& title, const QStringList& choices) override;
};

// The process-wide sink: the toolkit's message boxes unless a test put its own.
MessageSink& messages();
// Replaces the process-wide sink (nullptr restores the toolkit's); the caller keeps
// ownership and must restore it before `sink` dies.
void setMessageSink(MessageSink* sink);

} // namespace tarvello

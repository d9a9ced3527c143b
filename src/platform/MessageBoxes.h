#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace scontrix::platform {

enum class MessageType { Warning, Error, Information };

// The answer of a confirmation that Enter gives: No where Yes cannot be undone.
enum class DefaultAnswer { Yes, No };

// The kinds of modal message the program shows. Every message of every window
// goes through here, so tests can read them instead of clicking them.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Icon of its type, the text, OK and Cancel; either button goes on the same way.
    virtual void typed(QWidget* owner, MessageType type, const QString& text) = 0;
    // The text alone with a single OK button.
    virtual void plain(QWidget* owner, const QString& text) = 0;
    // A question with Yes and No; true for Yes. `answer` is the default button.
    virtual bool confirm(QWidget* owner, const QString& text, DefaultAnswer answer) = 0;
    bool confirm(QWidget* owner, const QString& text) {
        return confirm(owner, text, DefaultAnswer::Yes);
    }
    // Icon of its type, the text and a single OK: the report engine's own boxes.
    virtual void alert(QWidget* owner, MessageType type, const QString& text) = 0;

    static MessageBoxes& current();
    static std::unique_ptr<MessageBoxes> makeReal();
};

} // namespace scontrix::platform

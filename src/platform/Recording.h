#pragma once

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"
#include "platform/Seam.h"
#include "platform/Shell.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Recording stand-ins for the desktop services. Tests install them with
// ScopedSeam: nothing modal appears, and every request is kept for checking.
namespace scontrix::platform {

class RecordingMessageBoxes final : public MessageBoxes {
public:
    enum class Kind { Typed, Plain, Confirm, Alert };
    struct Message {
        Kind kind;
        MessageType type; // meaningful for Kind::Typed and Kind::Alert
        QString text;
        QWidget* owner;
        DefaultAnswer defaultAnswer = DefaultAnswer::Yes; // meaningful for Kind::Confirm
    };

    void typed(QWidget* owner, MessageType type, const QString& text) override;
    void plain(QWidget* owner, const QString& text) override;
    using MessageBoxes::confirm;
    bool confirm(QWidget* owner, const QString& text, DefaultAnswer answer) override;
    void alert(QWidget* owner, MessageType type, const QString& text) override;

    // Answers for the next confirmations, in order; Yes once they run out.
    std::deque<bool> confirmAnswers;
    // Called while a message is "on screen", e.g. to look at the window beneath.
    std::function<void(const Message&)> onMessage;

    std::vector<Message> messages;
    QStringList texts() const;
    void clear() { messages.clear(); }
};

class RecordingFileDialogs final : public FileDialogs {
public:
    struct Request {
        bool save;
        QString title;
        QString filters;
        QString suggestedPath;
    };

    QString openFile(QWidget* owner, const QString& title, const QString& filters) override;
    QString saveFile(QWidget* owner, const QString& title, const QString& filters,
                     const QString& suggestedPath) override;

    // Answers for the next dialogs, in order; cancel (empty) once they run out.
    std::deque<QString> answers;
    std::vector<Request> requests;

private:
    QString nextAnswer();
};

class RecordingShell final : public Shell {
public:
    void open(const QString& target) override { opened << target; }
    QStringList opened;
};

class FixedProgramFolder final : public ProgramFolder {
public:
    explicit FixedProgramFolder(QString folderWithSeparator)
        : path_(std::move(folderWithSeparator)) {}
    QString path() const override { return path_; }

private:
    QString path_;
};

} // namespace scontrix::platform

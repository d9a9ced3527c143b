#include "platform/Recording.h"

namespace scontrix::platform {

void RecordingMessageBoxes::typed(QWidget* owner, MessageType type, const QString& text) {
    messages.push_back({Kind::Typed, type, text, owner});
    if (onMessage)
        onMessage(messages.back());
}

void RecordingMessageBoxes::plain(QWidget* owner, const QString& text) {
    messages.push_back({Kind::Plain, MessageType::Information, text, owner});
    if (onMessage)
        onMessage(messages.back());
}

bool RecordingMessageBoxes::confirm(QWidget* owner, const QString& text, DefaultAnswer byDefault) {
    messages.push_back({Kind::Confirm, MessageType::Information, text, owner, byDefault});
    if (onMessage)
        onMessage(messages.back());
    if (confirmAnswers.empty())
        return true;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

void RecordingMessageBoxes::alert(QWidget* owner, MessageType type, const QString& text) {
    messages.push_back({Kind::Alert, type, text, owner});
    if (onMessage)
        onMessage(messages.back());
}

QStringList RecordingMessageBoxes::texts() const {
    QStringList list;
    for (const Message& m : messages)
        list << m.text;
    return list;
}

QString RecordingFileDialogs::nextAnswer() {
    if (answers.empty())
        return {};
    QString a = answers.front();
    answers.pop_front();
    return a;
}

QString RecordingFileDialogs::openFile(QWidget*, const QString& title, const QString& filters) {
    requests.push_back({false, title, filters, {}});
    return nextAnswer();
}

QString RecordingFileDialogs::saveFile(QWidget*, const QString& title, const QString& filters,
                                       const QString& suggestedPath) {
    requests.push_back({true, title, filters, suggestedPath});
    return nextAnswer();
}

} // namespace scontrix::platform

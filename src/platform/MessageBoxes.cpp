#include "platform/MessageBoxes.h"

#include "platform/Seam.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace scontrix::platform {

namespace {

QString applicationCaption() {
    return QStringLiteral(" Scontrix");
}

// The program speaks Italian whatever language the desktop's toolkit has.
void nameButtons(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> names[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Cancel, "Annulla"},
        {QMessageBox::Yes, "Sì"},
        {QMessageBox::No, "No"}};
    for (const auto& [which, text] : names) {
        if (QAbstractButton* button = box.button(which))
            button->setText(QString::fromUtf8(text));
    }
}

QMessageBox::Icon iconOf(MessageType type) {
    switch (type) {
    case MessageType::Warning:
        return QMessageBox::Warning;
    case MessageType::Error:
        return QMessageBox::Critical;
    case MessageType::Information:
        break;
    }
    return QMessageBox::Information;
}

class DesktopMessageBoxes final : public MessageBoxes {
public:
    void typed(QWidget* owner, MessageType type, const QString& text) override {
        QMessageBox box(iconOf(type), applicationCaption(), text,
                        QMessageBox::Ok | QMessageBox::Cancel, owner);
        nameButtons(box);
        box.exec();
    }

    void plain(QWidget* owner, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, applicationCaption(), text, QMessageBox::Ok, owner);
        nameButtons(box);
        box.exec();
    }

    using MessageBoxes::confirm;
    bool confirm(QWidget* owner, const QString& text, DefaultAnswer answer) override {
        QMessageBox box(QMessageBox::Question, applicationCaption(), text,
                        QMessageBox::Yes | QMessageBox::No, owner);
        box.setDefaultButton(answer == DefaultAnswer::No ? QMessageBox::No : QMessageBox::Yes);
        nameButtons(box);
        return box.exec() != QMessageBox::No;
    }

    void alert(QWidget* owner, MessageType type, const QString& text) override {
        QMessageBox box(iconOf(type), applicationCaption(), text, QMessageBox::Ok, owner);
        nameButtons(box);
        box.exec();
    }
};

} // namespace

MessageBoxes& MessageBoxes::current() {
    return Seam<MessageBoxes>::current();
}

std::unique_ptr<MessageBoxes> MessageBoxes::makeReal() {
    return std::make_unique<DesktopMessageBoxes>();
}

} // namespace scontrix::platform

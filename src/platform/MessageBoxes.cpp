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
        {QMessageBox::Ok, "OK"}, {QMessageBox::Cancel, "Annulla"},
        {QMessageBox::Yes, "Sì"}, {QMessageBox::No, "No"}};
    for (const auto& [which, text] : names) {
        if (QAbstractButton* button = box.button(which))
            button->setText(QString::fromUtf8(text));
    }
}

class DesktopMessageBoxes final : public MessageBoxes {
public:
    void typed(QWidget* owner, MessageType type, const QString& text) override {
        QMessageBox::Icon icon = QMessageBox::Information;
        switch (type) {
        case MessageType::Warning:
            icon = QMessageBox::Warning;
            break;
        case MessageType::Error:
            icon = QMessageBox::Critical;
            break;
        case MessageType::Information:
            icon = QMessageBox::Information;
            break;
        }
        QMessageBox box(icon, applicationCaption(), text, QMessageBox::Ok | QMessageBox::Cancel,
                        owner);
        nameButtons(box);
        box.exec();
    }

    void plain(QWidget* owner, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, applicationCaption(), text, QMessageBox::Ok, owner);
        nameButtons(box);
        box.exec();
    }

    bool confirm(QWidget* owner, const QString& text) override {
        QMessageBox box(QMessageBox::Question, applicationCaption(), text,
                        QMessageBox::Yes | QMessageBox::No, owner);
        box.setDefaultButton(QMessageBox::Yes);
        nameButtons(box);
        return box.exec() != QMessageBox::No;
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

#include "platform/MessageBoxes.h"

#include "platform/Seam.h"

#include <QApplication>
#include <QMessageBox>

namespace scontrix::platform {

namespace {

QString applicationCaption() {
    return QStringLiteral(" Scontrix");
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
        box.exec();
    }

    void plain(QWidget* owner, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, applicationCaption(), text, QMessageBox::Ok, owner);
        box.exec();
    }

    bool confirm(QWidget* owner, const QString& text) override {
        QMessageBox box(QMessageBox::Question, applicationCaption(), text,
                        QMessageBox::Yes | QMessageBox::No, owner);
        box.setDefaultButton(QMessageBox::Yes);
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

#include "access/PasswordField.h"

#include "ui/Style.h"

namespace scontrix::access {

QLineEdit* makePasswordField(QWidget* parent, const char* name, QRect geometry) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(geometry);
    field->setEchoMode(QLineEdit::Password);
    field->setFrame(false);
    ui::setDesignFont(field, QStringLiteral("Verdana"), 14, true, Qt::black);
    field->setStyleSheet(QStringLiteral(
        "QLineEdit { background: white; border: 1px solid #7DA9CD; padding: 0 3px; }"));
    return field;
}

} // namespace scontrix::access

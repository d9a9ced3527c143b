#pragma once

#include <QLineEdit>

namespace scontrix::access {

// The masked field of the two password windows, in their shared look.
QLineEdit* makePasswordField(QWidget* parent, const char* name, QRect geometry);

} // namespace scontrix::access

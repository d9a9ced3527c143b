#pragma once

#include <QString>

// Who makes Scontrix and where to reach them.
namespace scontrix::app::maker {

inline const QString WebSite = QStringLiteral("https://www.scontrix.example/");
inline const QString Email = QStringLiteral("assistenza@scontrix.example");

} // namespace scontrix::app::maker

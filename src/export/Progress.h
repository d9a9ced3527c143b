#pragma once

#include <QtGlobal>
#include <functional>

namespace scontrix::exporting {

// Told now and then how far a long piece of work has come (`done` of `total`
// steps); answering false stops the work where it is.
using Progress = std::function<bool(qint64 done, qint64 total)>;

} // namespace scontrix::exporting

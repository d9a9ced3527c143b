#include "guide/Misc.h"

#include "platform/Shell.h"

namespace scontrix::guide::TMisc {

void Open(const QString& command) {
    platform::Shell::current().open(command);
}

} // namespace scontrix::guide::TMisc

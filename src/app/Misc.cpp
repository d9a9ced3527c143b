#include "app/Misc.h"

#include "platform/Shell.h"

namespace scontrix::app::TMisc {

void Open(const QString& command) {
    platform::Shell::current().open(command);
}

} // namespace scontrix::app::TMisc

#pragma once

#include "app/GuideTopic.h"

namespace scontrix::catalogue {

// The help topic of both catalogue windows.
app::GuideTopic archivesTopic();

} // namespace scontrix::catalogue

#pragma once

#include "app/GuideTopic.h"

namespace scontrix::exporting {

// The export window's help topic.
app::GuideTopic exportTopic();

} // namespace scontrix::exporting

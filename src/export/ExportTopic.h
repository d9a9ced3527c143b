#pragma once

#include "guide/GuideTopic.h"

namespace scontrix::exporting {

// The export window's help topic.
guide::GuideTopic exportTopic();

} // namespace scontrix::exporting

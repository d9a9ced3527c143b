#pragma once

#include "guide/GuideTopic.h"

namespace scontrix::catalogue {

// The help topic of both catalogue windows.
guide::GuideTopic archivesTopic();

} // namespace scontrix::catalogue

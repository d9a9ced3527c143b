#pragma once

#include "guide/GuideTopic.h"

namespace scontrix::editor {

// The help topic of the voucher editor.
guide::GuideTopic editorTopic();

} // namespace scontrix::editor

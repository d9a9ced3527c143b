#pragma once

#include "app/GuideTopic.h"

namespace scontrix::editor {

// The help topic of the voucher editor.
app::GuideTopic editorTopic();

} // namespace scontrix::editor

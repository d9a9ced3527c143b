#pragma once

#include "TempFolder.h"
#include "platform/Recording.h"

#include <optional>

namespace scontrix::test {

// A fresh, empty program folder for one test, installed as the program folder
// for the test's lifetime.
class TempProgramFolder : public TempFolder {
public:
    TempProgramFolder();

private:
    platform::FixedProgramFolder folder_;
    std::optional<platform::ScopedSeam<platform::ProgramFolder>> guard_;
};

// Recording stand-ins for every desktop service, installed together.
struct RecordingDesktop {
    platform::RecordingMessageBoxes messages;
    platform::RecordingFileDialogs files;
    platform::RecordingShell shell;
    platform::ScopedSeam<platform::MessageBoxes> messagesGuard{messages};
    platform::ScopedSeam<platform::FileDialogs> filesGuard{files};
    platform::ScopedSeam<platform::Shell> shellGuard{shell};
};

} // namespace scontrix::test

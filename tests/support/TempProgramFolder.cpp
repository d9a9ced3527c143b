#include "TempProgramFolder.h"

namespace scontrix::test {

TempProgramFolder::TempProgramFolder() : folder_(path()) {
    guard_.emplace(folder_);
}

} // namespace scontrix::test

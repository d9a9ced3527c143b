#pragma once

#include <QString>
#include <memory>

namespace scontrix::platform {

// Hands a file, an https address or a mailto link to the desktop, which opens
// it with the program associated with it. A file path may come wrapped in
// double quotes (as a path with blanks is handed to a shell). The result is
// not reported: a target the desktop cannot open simply does nothing.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QString& target) = 0;

    static Shell& current();
    static std::unique_ptr<Shell> makeReal();
};

} // namespace scontrix::platform

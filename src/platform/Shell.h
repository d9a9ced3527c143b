#pragma once

#include <QString>
#include <QUrl>
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

    // The address the desktop is asked to open for `target`: quotes around a
    // path are dropped, and the blanks and other characters a link carries
    // unencoded (the subject and body of a mail, a message text) are
    // percent-encoded so the link is a valid URL. Invalid when it cannot be one.
    static QUrl urlFor(const QString& target);

    static Shell& current();
    static std::unique_ptr<Shell> makeReal();
};

} // namespace scontrix::platform

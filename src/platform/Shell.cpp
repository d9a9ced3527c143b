#include "platform/Shell.h"

#include "platform/Seam.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace scontrix::platform {

namespace {

class DesktopShell final : public Shell {
public:
    void open(const QString& target) override {
        const QUrl url = urlFor(target);
        if (!url.isValid())
            return;
        // Some desktops answer a missing file with an error window of their
        // own; a target that cannot be opened must leave no trace.
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
            return;
        QDesktopServices::openUrl(url);
    }
};

} // namespace

QUrl Shell::urlFor(const QString& target) {
    QString t = target.trimmed();
    if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"'))
        t = t.mid(1, t.size() - 2);
    const QString lower = t.toLower();
    if (lower.startsWith(u"https://") || lower.startsWith(u"http://") ||
        lower.startsWith(u"mailto:")) {
        // Links are written by the program with their texts as the user reads
        // them (blanks, commas, accents); the tolerant parse encodes those
        // instead of refusing the whole link.
        return QUrl(t, QUrl::TolerantMode);
    }
    return QUrl::fromLocalFile(t);
}

Shell& Shell::current() {
    return Seam<Shell>::current();
}

std::unique_ptr<Shell> Shell::makeReal() {
    return std::make_unique<DesktopShell>();
}

} // namespace scontrix::platform

#include "platform/Shell.h"

#include "platform/Seam.h"

#include <QDesktopServices>
#include <QUrl>

namespace scontrix::platform {

namespace {

QUrl targetToUrl(const QString& target) {
    QString t = target.trimmed();
    if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"'))
        t = t.mid(1, t.size() - 2);
    const QString lower = t.toLower();
    if (lower.startsWith(u"https://") || lower.startsWith(u"http://") ||
        lower.startsWith(u"mailto:"))
        return QUrl(t, QUrl::StrictMode);
    return QUrl::fromLocalFile(t);
}

class DesktopShell final : public Shell {
public:
    void open(const QString& target) override {
        const QUrl url = targetToUrl(target);
        if (url.isValid())
            QDesktopServices::openUrl(url);
    }
};

} // namespace

Shell& Shell::current() {
    return Seam<Shell>::current();
}

std::unique_ptr<Shell> Shell::makeReal() {
    return std::make_unique<DesktopShell>();
}

} // namespace scontrix::platform

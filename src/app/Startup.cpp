#include "app/Startup.h"

#include "app/Formats.h"

#include <QCoreApplication>
#include <QFont>

namespace scontrix::app {

void prepareBeforeApplication() {
    // Windows are drawn by the processor, never through the graphics hardware.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
}

void prepareProcess() {
    Formats::apply();
    // The windows name the faces of the shop's usual desktop; these free faces
    // stand in for them with the same or close metrics.
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans Condensed"),
                                QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono")});
}

} // namespace scontrix::app

#include "app/Startup.h"

#include "access/PasswordStore.h"
#include "voucher/Formats.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace scontrix::app {

void prepareBeforeApplication() {
    // Windows are drawn by the processor, never through the graphics hardware.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
}

void prepareProcess() {
    voucher::Formats::apply();
    // The desktop's own dialogs (choosing a file, a printer's settings) in
    // Italian, like the rest of the program.
    static QTranslator toolkitItalian;
    if (toolkitItalian.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkitItalian);
    // The windows name the faces of the shop's usual desktop; these free faces
    // stand in for them with the same or close metrics.
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans Condensed"),
                                                          QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono")});
    // Every window, dialogs included, takes the application's icon unless it
    // sets its own; the desktop entry of the same name gives the task list
    // the same icon and name.
    QGuiApplication::setWindowIcon(QIcon(QString::fromLatin1(ProgramIcon)));
    QGuiApplication::setDesktopFileName(QStringLiteral("scontrix"));
}

void placeFirstAccessStore(const QString& programFolder) {
    // A failure leaves the folder without a store, which the login window
    // answers as the missing store it is; there is nobody else to tell.
    static_cast<void>(access::PasswordStore::placeShipped(programFolder));
}

} // namespace scontrix::app

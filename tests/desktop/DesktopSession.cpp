#include "DesktopSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace scontrix::test {

namespace {

const QString AccessibilityLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");

QString firstLine(QProcess& process, int ms) {
    QDeadlineTimer deadline(ms);
    QByteArray out;
    while (!out.contains('\n') && !deadline.hasExpired()) {
        if (!process.waitForReadyRead(100) && process.state() == QProcess::NotRunning)
            break;
        out += process.readAllStandardOutput();
    }
    return QString::fromLocal8Bit(out.left(out.indexOf('\n'))).trimmed();
}

} // namespace

bool waitUntil(const std::function<bool()>& condition, int ms) {
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(50);
    }
    return true;
}

DesktopSession::DesktopSession(QSize screen) {
    // Servers started side by side by other tests now and then meet on one
    // display; a fresh start takes another.
    for (int attempt = 0; attempt < 5; ++attempt) {
        missing_.clear();
        setUp(screen);
        if (missing_.isEmpty() || missing_.contains(QStringLiteral("installed")))
            return;
        stopAll();
    }
}

void DesktopSession::setUp(QSize screen) {
    for (const char* tool : {"Xvfb", "openbox", "dbus-daemon", "xprop", "xdotool"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            missing_ = QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool));
            return;
        }
    }
    if (!QFileInfo::exists(AccessibilityLauncher)) {
        missing_ = QStringLiteral("the accessibility bus (at-spi2-core) is not installed");
        return;
    }

    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    env_.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
    env_.remove(QStringLiteral("WAYLAND_DISPLAY"));

    // The X server picks a free display and says which.
    xvfb_.setProcessEnvironment(env_);
    if (!start(xvfb_, QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height())}))
        return;
    const QString number = firstLine(xvfb_, 10000);
    if (number.isEmpty()) {
        missing_ = QStringLiteral("Xvfb did not start");
        return;
    }
    env_.insert(QStringLiteral("DISPLAY"), u':' + number);

    bus_.setProcessEnvironment(env_);
    if (!start(bus_, QStringLiteral("dbus-daemon"),
               {QStringLiteral("--session"), QStringLiteral("--nofork"),
                QStringLiteral("--print-address=1")}))
        return;
    const QString address = firstLine(bus_, 10000);
    if (address.isEmpty()) {
        missing_ = QStringLiteral("the D-Bus session bus did not start");
        return;
    }
    env_.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);

    accessibility_.setProcessEnvironment(env_);
    if (!start(accessibility_, AccessibilityLauncher, {QStringLiteral("--launch-immediately")}))
        return;
    const bool busUp = waitUntil([this] {
        return !run(QStringLiteral("dbus-send"),
                    {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                     QStringLiteral("--dest=org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                     QStringLiteral("org.a11y.Bus.GetAddress")})
                    .isEmpty();
    });
    if (!busUp) {
        missing_ = QStringLiteral("the accessibility bus did not start");
        return;
    }

    windowManager_.setProcessEnvironment(env_);
    if (!start(windowManager_, QStringLiteral("openbox"), {}))
        return;
    // openbox leaves at once where the display is not its own.
    const bool managed = waitUntil(
        [this] {
            return windowManager_.state() == QProcess::NotRunning ||
                   run(QStringLiteral("xprop"),
                       {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                       .contains(QStringLiteral("window id"));
        },
        30000);
    if (!managed || windowManager_.state() == QProcess::NotRunning)
        missing_ = QStringLiteral("openbox did not start");
}

DesktopSession::~DesktopSession() {
    stopAll();
}

void DesktopSession::stopAll() {
    stop(program_);
    stop(windowManager_);
    stop(accessibility_);
    stop(bus_);
    stop(xvfb_);
}

bool DesktopSession::start(QProcess& process, const QString& program,
                           const QStringList& arguments) {
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) {
        missing_ = QStringLiteral("%1 could not be started").arg(program);
        return false;
    }
    return true;
}

void DesktopSession::stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

bool DesktopSession::startProgram() {
    folder_ = std::make_unique<QTemporaryDir>();
    const QDir staged(QStringLiteral(SCONTRIX_STAGE_DIR));
    // As a fresh installation: the program puts the first-access store in
    // place from its shipped copy when it starts.
    for (const QString& name : {QStringLiteral("scontrix"), QStringLiteral("unins000.dll.dist"),
                                QStringLiteral("Guida.pdf")}) {
        if (!QFile::copy(staged.filePath(name), folder_->filePath(name))) {
            missing_ = QStringLiteral("the staged program has no %1").arg(name);
            return false;
        }
    }
    QFile::setPermissions(folder_->filePath(QStringLiteral("scontrix")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = env_;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    // An Italian desktop, as the shops have; the locale itself comes from the
    // test locales' folder (LOCPATH), which the test runs with.
    for (const QString& name : env.keys()) {
        if (name.startsWith(QStringLiteral("LC_")) || name == QStringLiteral("LANGUAGE"))
            env.remove(name);
    }
    env.insert(QStringLiteral("LANG"), QStringLiteral("it_IT.UTF-8"));
    program_.setProcessEnvironment(env);
    program_.setWorkingDirectory(folder_->path());
    return start(program_, folder_->filePath(QStringLiteral("scontrix")), {});
}

void DesktopSession::stopProgram() {
    stop(program_);
}

qint64 DesktopSession::programId() const {
    return program_.processId();
}

QString DesktopSession::programFolder() const {
    return folder_ ? folder_->path() : QString();
}

QString DesktopSession::run(const QString& tool, const QStringList& arguments) const {
    QProcess process;
    process.setProcessEnvironment(env_);
    process.start(tool, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return process.exitCode() == 0 ? QString::fromLocal8Bit(process.readAllStandardOutput())
                                   : QString();
}

} // namespace scontrix::test

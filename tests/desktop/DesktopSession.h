#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace scontrix::test {

// A private desktop for the real program, as a shop's machine has one: an X
// server (Xvfb) of a given size with a window manager (openbox), a D-Bus
// session bus and the accessibility bus on it. Everything it starts it stops
// again, each process by its own handle.
class DesktopSession {
public:
    explicit DesktopSession(QSize screen);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Why the desktop could not be set up (a tool missing, a server that did
    // not start), or empty when it runs.
    const QString& missing() const { return missing_; }

    // The environment a program needs to live on this desktop.
    QProcessEnvironment environment() const { return env_; }
    QString display() const { return env_.value(QStringLiteral("DISPLAY")); }

    // Starts the staged program from a fresh copy of its folder, with
    // accessibility always on, on an Italian desktop (LANG=it_IT.UTF-8). Returns false (and says
    // why in missing()) if it did not start.
    bool startProgram();
    void stopProgram();
    qint64 programId() const;
    QString programFolder() const;

    // Runs a desktop tool (xprop, xdotool…) on this display; its output.
    QString run(const QString& tool, const QStringList& arguments) const;

private:
    void setUp(QSize screen);
    void stopAll();
    bool start(QProcess& process, const QString& program, const QStringList& arguments);
    void stop(QProcess& process);

    QString missing_;
    QProcessEnvironment env_;
    QTemporaryDir runtime_;
    std::unique_ptr<QTemporaryDir> folder_;
    QProcess xvfb_;
    QProcess bus_;
    QProcess accessibility_;
    QProcess windowManager_;
    QProcess program_;
};

// Waits up to `ms` milliseconds for `condition`, letting events run.
bool waitUntil(const std::function<bool()>& condition, int ms = 10000);

} // namespace scontrix::test

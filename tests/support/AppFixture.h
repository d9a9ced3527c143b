#pragma once

#include "QtPrinters.h"
#include "TempProgramFolder.h"
#include "app/WindowSet.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace scontrix::editor {
class TfrmBiglietti;
}

namespace scontrix::test {

// The whole program, offscreen, on a temporary program folder with the shipped
// password store, with every desktop service recorded and the end of the
// program observed instead of carried out.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The windows of the six persistent ones that are visible now; none is
    // built by asking.
    QList<QWidget*> visiblePersistent() const;
    // The top-level window of that object name if it was built, else null.
    static QWidget* builtWindow(const char* objectName);

    // Finds a control of `window` by its object name; fails the test if missing.
    template <typename T> T* control(QWidget* window, const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            ADD_FAILURE() << "no control " << name << " in " << window->objectName().toStdString();
        return found;
    }

    // Logs in with the first-access password and reaches the start screen.
    void logIn();

    // One fresh instance of each of the nine dialog windows, owned by the
    // editor (which opens most of them), in the order of the window table.
    static std::vector<std::unique_ptr<QWidget>> makeDialogs(editor::TfrmBiglietti* owner);

    TempProgramFolder folder;
    RecordingDesktop desktop;
    std::unique_ptr<app::WindowSet> windows;
    int ends = 0;
};

// Gives the keyboard focus to `widget` the way a click would.
void focus(QWidget* widget);

} // namespace scontrix::test

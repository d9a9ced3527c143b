#pragma once

#include "../report_core/RecordingTarget.h"
#include "../report_core/ReportFixtures.h"
#include "TempProgramFolder.h"
#include "report/PrintSystem.h"
#include "report/TPrinterList.h"

#include <QApplication>
#include <QMap>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace scontrix::test {

// A print system with made-up printers; every job goes to a recording target.
class RecordingPrintSystem final : public report::PrintSystem {
public:
    struct Job {
        QString printer;
        std::shared_ptr<RecordingTarget> target;
    };

    QList<report::PrinterDescription> installed;
    QString defaultName;
    QStringList unusable;
    // The driver options of each printer, by printer name.
    QMap<QString, QList<report::PrinterOption>> options;
    QStringList optionsAskedFor;
    std::vector<Job> jobs;

    QList<report::PrinterDescription> printers() override { return installed; }
    QString defaultPrinter() override { return defaultName; }
    bool isUsable(const QString& name) override { return !unusable.contains(name); }
    std::unique_ptr<report::PrintTarget> printerTarget(const QString& name) override {
        jobs.push_back({name, std::make_shared<RecordingTarget>()});
        return std::make_unique<Forwarding>(jobs.back().target);
    }
    QList<report::PrinterOption> printerOptions(const QString& name) override {
        optionsAskedFor << name;
        return options.value(name);
    }

private:
    // Hands everything on to a target that outlives the print.
    class Forwarding final : public report::PrintTarget {
    public:
        explicit Forwarding(std::shared_ptr<RecordingTarget> t) : t_(std::move(t)) {}
        bool makesCopies() const override { return t_->makesCopies(); }
        bool beginDocument(const report::PrintJobSettings& j,
                           const report::PaperSettings& p) override {
            return t_->beginDocument(j, p);
        }
        void setPaper(const report::PaperSettings& p) override { t_->setPaper(p); }
        bool beginPage(int n, bool first) override { return t_->beginPage(n, first); }
        QPainter& painter() override { return t_->painter(); }
        report::RenderTransform pageTransform() const override { return t_->pageTransform(); }
        bool endDocument() override { return t_->endDocument(); }

    private:
        std::shared_ptr<RecordingTarget> t_;
    };
};

// Every desktop service and the print system recorded; two printers, the
// second of them the system's default.
class ReportWindows : public ::testing::Test {
protected:
    ReportWindows() {
        printSystem.installed = {{QStringLiteral("Office"), QStringLiteral("Room 1")},
                                 {QStringLiteral("Laser"), QStringLiteral("Hall")}};
        printSystem.defaultName = QStringLiteral("Laser");
        report::TPrinterList::reload();
    }
    ~ReportWindows() override { report::TPrinterList::reload(); }

    // Runs `step` on the modal window that opens next, once it is up.
    template <typename Window> static void whenModal(std::function<void(Window*)> step) {
        QTimer::singleShot(0, [step] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            if (!window) {
                ADD_FAILURE() << "no modal window of the expected kind";
                if (QWidget* other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            step(window);
        });
    }

    RecordingDesktop desktop;
    RecordingPrintSystem printSystem;
    platform::ScopedSeam<report::PrintSystem> printGuard{printSystem};
};

} // namespace scontrix::test

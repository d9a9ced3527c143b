#include "report/CupsOptions.h"

#include <QFile>
#include <QLibrary>
#include <QPrintEngine>
#include <QPrinter>
#include <memory>

// The PPD interface is the only one that names a driver's options and their
// choices as the driver itself does (InputSlot, MediaType, Resolution...),
// which is what a job takes; CUPS marks it deprecated in favour of the IPP
// attributes, which know only the standard few.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/cups.h>
#include <cups/ppd.h>

namespace scontrix::report::cups {

namespace {

// Qt's CUPS print engine takes the options of a job, as a list of name and
// value in turn, under this key of its own.
const auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The print system's library is opened the first time a printer's options are
// asked for, not at start: linked to the program, it and the nineteen
// libraries it brings (encryption, Kerberos, service discovery) would be
// loaded and bound before the login window could show. Qt's own print engine
// loads it too, when the first job is printed.
struct CupsLibrary {
    decltype(&::cupsGetPPD) getPPD = nullptr;
    decltype(&::ppdOpenFile) openFile = nullptr;
    decltype(&::ppdClose) close = nullptr;

    bool loaded() const { return getPPD && openFile && close; }
};

const CupsLibrary& cupsLibrary() {
    static const CupsLibrary library = [] {
        QLibrary file(QStringLiteral("cups"), 2);
        CupsLibrary found;
        if (!file.load())
            return found;
        found.getPPD = reinterpret_cast<decltype(&::cupsGetPPD)>(file.resolve("cupsGetPPD"));
        found.openFile = reinterpret_cast<decltype(&::ppdOpenFile)>(file.resolve("ppdOpenFile"));
        found.close = reinterpret_cast<decltype(&::ppdClose)>(file.resolve("ppdClose"));
        return found;
    }();
    return library;
}

bool setsPaperSize(const char* keyword) {
    return qstrcmp(keyword, "PageSize") == 0 || qstrcmp(keyword, "PageRegion") == 0;
}

void addOptions(const ppd_group_t& group, QList<PrinterOption>& options) {
    if (qstrcmp(group.name, "InstallableOptions") == 0)
        return; // what the printer has fitted, not a choice for a job
    for (int i = 0; i < group.num_options; ++i) {
        const ppd_option_t& option = group.options[i];
        if (setsPaperSize(option.keyword) || option.num_choices < 1)
            continue;
        PrinterOption entry;
        entry.name = QString::fromUtf8(option.keyword);
        entry.text = QString::fromUtf8(option.text[0] ? option.text : option.keyword);
        for (int c = 0; c < option.num_choices; ++c) {
            const ppd_choice_t& choice = option.choices[c];
            entry.choices.push_back(
                {QString::fromUtf8(choice.choice),
                 QString::fromUtf8(choice.text[0] ? choice.text : choice.choice)});
        }
        entry.defaultChoice = QString::fromUtf8(option.defchoice);
        options.push_back(std::move(entry));
    }
    for (int i = 0; i < group.num_subgroups; ++i)
        addOptions(group.subgroups[i], options);
}

} // namespace

QList<PrinterOption> printerOptions(const QString& printerName) {
    // A printer's instance ("queue/instance") shares the queue's driver.
    const QByteArray queue = printerName.section(u'/', 0, 0).toLocal8Bit();
    const CupsLibrary& library = cupsLibrary();
    if (queue.isEmpty() || !library.loaded())
        return {};
    const char* copied = library.getPPD(queue.constData());
    if (!copied)
        return {};
    const QByteArray file(copied);
    const std::unique_ptr<ppd_file_t, void (*)(ppd_file_t*)> ppd(library.openFile(file.constData()),
                                                                 library.close);
    QFile::remove(QString::fromLocal8Bit(file)); // a temporary copy made for us
    if (!ppd)
        return {};
    QList<PrinterOption> options;
    for (int g = 0; g < ppd->num_groups; ++g)
        addOptions(ppd->groups[g], options);
    return options;
}

void applySettings(QPrinter& printer, const QList<TPrinterSetting>& settings) {
    if (settings.isEmpty() || printer.outputFormat() != QPrinter::NativeFormat)
        return;
    QStringList pairs = printer.printEngine()->property(CupsOptionsKey).toStringList();
    for (const TPrinterSetting& setting : settings)
        pairs << setting.Option << setting.Choice;
    printer.printEngine()->setProperty(CupsOptionsKey, pairs);
}

} // namespace scontrix::report::cups

#pragma GCC diagnostic pop

// The PDF writer when the disk gives out: the input's first four bytes choose
// after how many bytes every write into a file starts to fail (a file size
// limit, so the writes fail as on a full disk, part of the last one included),
// the rest is the text of a list report, one line per input line. The report
// is exported over a PDF already there. The export says it wrote the file
// exactly when the whole PDF fitted; a PDF that fitted is the whole one, the
// same bytes as written without a limit but for its creation date; one that
// did not fit leaves the previous PDF as it was and nothing beside it.
#include "FuzzCheck.h"
#include "report/PdfTarget.h"
#include "report/TMemoView.h"
#include "report/TReport.h"
#include "report/TReportBand.h"
#include "report/TReportPage.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <csignal>
#include <cstdint>
#include <sys/resource.h>

using namespace scontrix;
using namespace scontrix::report;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// Writes into any file fail past `bytes` while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        FUZZ_CHECK(::getrlimit(RLIMIT_FSIZE, &saved_) == 0);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        FUZZ_CHECK(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
};

// The dates a PDF carries are the only bytes that differ from one writing of
// the same report to the next.
QByteArray withoutDates(QByteArray pdf) {
    for (qsizetype at = 0; (at = pdf.indexOf("(D:", at)) >= 0; ++at) {
        const qsizetype end = pdf.indexOf(')', at);
        FUZZ_CHECK(end > at);
        pdf.replace(at, end - at, QByteArray(end - at, 'D'));
    }
    return pdf;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    static int argc = 1;
    static char name[] = "pdf_output";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
        return new QGuiApplication(argc, argv);
    }();
    static_cast<void>(application);
    static QTemporaryDir folder;

    TReport report;
    report.ReportOptions.Name = QStringLiteral("Riepilogo");
    TReportPage* page = report.reportPage();
    page->setPaperSize(9);
    TMasterData* band = page->add<TMasterData>(QStringLiteral("MasterData"));
    band->AllowSplit = true;
    band->RowCount = 1;
    TMemoView* body = band->add<TMemoView>(QStringLiteral("txtRiepilogo"));
    body->WordWrap = false;
    body->AllowExpressions = false; // the lines print as they are, as a list's do
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 4),
                          static_cast<qsizetype>(std::min<std::size_t>(size - 4, 2000)));
    for (const QString& line : text.split(u'\n'))
        body->addLine(line);
    body->setBounds(10, 0, 700, body->Memo.size() * 13);
    band->Height = body->Height + 10;
    FUZZ_CHECK(report.prepare());

    const QString whole = folder.filePath(QStringLiteral("intero.pdf"));
    FUZZ_CHECK(exportToPdf(report.prepared(), whole, report.ReportOptions.Name));
    const QByteArray expected = readAll(whole);
    FUZZ_CHECK(QFile::remove(whole));

    const QString target = folder.filePath(QStringLiteral("Riepilogo.pdf"));
    const QByteArray previous = "%PDF-1.4 the shop's previous list\n%%EOF\n";
    {
        QFile file(target);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(previous) == previous.size());
    }

    const std::uint32_t chosen = std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8 |
                                 std::uint32_t(data[2]) << 16 | std::uint32_t(data[3]) << 24;
    const qint64 limit = qint64(chosen % std::uint32_t(expected.size() + 256));
    bool written = false;
    {
        const FileSizeLimit failingAfter{static_cast<rlim_t>(limit)};
        written = exportToPdf(report.prepared(), target, report.ReportOptions.Name);
    }

    const QByteArray after = readAll(target);
    FUZZ_CHECK(written == (limit >= expected.size()));
    if (written)
        FUZZ_CHECK(withoutDates(after) == withoutDates(expected));
    else
        FUZZ_CHECK(after == previous);
    FUZZ_CHECK(
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) ==
        QStringList{QStringLiteral("Riepilogo.pdf")});
    return 0;
}

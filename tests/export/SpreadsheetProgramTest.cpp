// A real spreadsheet program reads the exported file: LibreOffice Calc,
// without its windows, converts it to CSV, and the sheet must hold what the
// grid showed.
#include "ExportFixture.h"
#include "export/VoucherTable.h"
#include "ui/Picture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace scontrix;

namespace {

// A CSV text (comma, double quotes, fields with quotes doubled) as rows of cells.
QList<QStringList> parseCsv(const QString& text) {
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << cell;
            cell.clear();
        } else if (c == u'\n') {
            row << cell;
            rows << row;
            row.clear();
            cell.clear();
        } else if (c != u'\r') {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !row.isEmpty())
        rows << (row << cell);
    return rows;
}

// Runs under each locale, LibreOffice with it: an Italian one reads "30,00" as
// a number, every one reads "007" so, unless the file says the cells are text.
class SpreadsheetProgramAnyLocale : public test::ExportFixture {};

TEST_F(SpreadsheetProgramAnyLocale, ReadsTheHeaderRowAndEveryCellAsTheGridShowedIt) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice is not installed (Debian package libreoffice-calc-nogui, which "
                        "make test installs as root): the exported file was not opened by a "
                        "spreadsheet program";

    // Texts a spreadsheet program likes to take for numbers or formulas.
    QList<storage::VoucherRecord> vouchers = test::threeVouchers();
    vouchers[0].num = QStringLiteral("007");
    vouchers[1].cel = QStringLiteral("00393331234567");
    writeArchive(vouchers);
    openExport();
    const QString typedNote = QStringLiteral("Bar & Caffè <b>5 €</b> </table> \"ok\"");
    const QString longNumber = QStringLiteral("12345678901234567890");
    typeInto(2, "colNote", typedNote, true);
    typeInto(0, "colPosto", QStringLiteral("30,00"), true);
    typeInto(1, "colNote", longNumber, true);
    typeInto(1, "colScritta", QStringLiteral("=1+1"), true);
    typeInto(2, "colLuogo", QStringLiteral("1.5"), true);
    // Longer than the mobile field holds: typed into a free column instead.
    typeInto(0, "colNote", QStringLiteral("0039 333 1234567"), true);
    desktop.messages.confirmAnswers = {true, false};
    click(exp()->cmdEsporta);
    ASSERT_TRUE(QFile::exists(exported()));

    // A private user profile: nothing of a desktop's own LibreOffice is used or changed.
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    QProcess office;
    office.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), work.path());
    office.setProcessEnvironment(env);
    office.start(soffice,
                 {QStringLiteral("-env:UserInstallation=") +
                      QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString(),
                  QStringLiteral("--headless"), QStringLiteral("--norestore"),
                  QStringLiteral("--convert-to"),
                  // comma, double quotes, UTF-8
                  QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                  QStringLiteral("--outdir"), work.path(), exported()});
    ASSERT_TRUE(office.waitForFinished(180000)) << "soffice did not finish";
    const QByteArray log = office.readAll();
    ASSERT_EQ(office.exitCode(), 0) << log.toStdString();

    QFile csv(work.filePath(QStringLiteral("Buoni_Acquisto.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << log.toStdString();
    const QList<QStringList> sheet = parseCsv(QString::fromUtf8(csv.readAll()));

    const auto* table = exp()->records();
    QList<QStringList> expected;
    QStringList header;
    for (int c = 1; c < exporting::VoucherTable::ColumnCount; ++c)
        header << table->headerData(c, Qt::Horizontal).toString();
    header[0] = QStringLiteral("Buono n."); // the file's own name for the number column
    expected << header;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList row;
        for (int c = 1; c < exporting::VoucherTable::ColumnCount; ++c)
            row << table->text(r, c);
        expected << row;
    }
    EXPECT_EQ(expected[3][11], typedNote) << "the grid shows the note as typed";
    EXPECT_EQ(expected[1][8], QStringLiteral("30,00"));
    ASSERT_EQ(sheet.size(), 4);
    ASSERT_EQ(sheet[1].size(), 13);
    ASSERT_EQ(sheet[2].size(), 13);
    EXPECT_EQ(sheet[1][0], QStringLiteral("007"));
    EXPECT_EQ(sheet[1][11], QStringLiteral("0039 333 1234567"));
    EXPECT_EQ(sheet[1][8], QStringLiteral("30,00"));
    EXPECT_EQ(sheet[2][4], QStringLiteral("00393331234567"));
    EXPECT_EQ(sheet[2][11], longNumber);
    EXPECT_EQ(sheet[2][9], QStringLiteral("=1+1")) << "a formula typed in the grid stays its text";
    ASSERT_EQ(sheet.size(), expected.size());
    for (qsizetype r = 0; r < expected.size(); ++r)
        EXPECT_EQ(sheet[r], expected[r]) << "row " << r;
}

} // namespace

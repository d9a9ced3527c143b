// The spreadsheet's bytes and the grid's table, without the window.
#include "export/SpreadsheetFile.h"

#include "ExportData.h"
#include "TableRows.h"
#include "TempFolder.h"
#include "WriteFailure.h"
#include "export/VoucherTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace scontrix;
using exporting::VoucherTable;
using exporting::WriteEnd;

namespace {

// A program folder with an archive, its grid table, and the file path.
struct Sheet {
    test::TempFolder folder;
    VoucherTable table;

    QString archive() const { return folder.file(QStringLiteral("Negozio.eur")); }
    QString file() const { return folder.file(QStringLiteral("Buoni_Acquisto.xls")); }

    void fill(const QList<storage::VoucherRecord>& records) {
        QByteArray bytes;
        for (const auto& r : records)
            bytes += r.toBytes();
        folder.write(QStringLiteral("Negozio.eur"), bytes);
        EXPECT_EQ(table.fill(archive()), VoucherTable::Fill::Complete);
    }
    storage::Result<WriteEnd> write(const exporting::Progress& progress = {}) {
        return exporting::writeSpreadsheet(file(), table, progress);
    }
    QByteArray bytes() const { return folder.read(QStringLiteral("Buoni_Acquisto.xls")); }
    // Everything in the folder but the archive and the file: nothing may be left behind.
    QStringList strays() const {
        QStringList names =
            QDir(folder.path())
                .entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
        names.removeAll(QStringLiteral("Negozio.eur"));
        names.removeAll(QStringLiteral("Buoni_Acquisto.xls"));
        return names;
    }
};

QByteArray cellOf(const QByteArray& rowBytes) {
    return R"(<td style="text-align: left;" sdnum="1040;0;@">)" + rowBytes + "</td>";
}

TEST(SpreadsheetFile, ThreeVouchersGiveTheHeadThreeRowsOfThirteenCellsAndTheTailOnOneLine) {
    Sheet sheet;
    sheet.fill(test::threeVouchers());
    ASSERT_EQ(sheet.write(), WriteEnd::Written);

    QByteArray expected = test::expectedHead();
    for (const auto& cells : test::threeVoucherCells())
        expected += test::expectedRow(cells);
    expected += test::expectedTail();
    const QByteArray bytes = sheet.bytes();
    EXPECT_EQ(bytes, expected);
    EXPECT_FALSE(bytes.contains('\n') || bytes.contains('\r')) << "one line, no line end";
    EXPECT_TRUE(bytes.startsWith("<html ")) << "no byte order mark";
    EXPECT_TRUE(sheet.strays().isEmpty()) << sheet.strays().join(u' ').toStdString();
}

TEST(SpreadsheetFile, AnEmptyArchiveGivesTheHeaderRowOnly) {
    Sheet sheet;
    sheet.fill({});
    EXPECT_EQ(sheet.table.rowCount(), 0);
    ASSERT_EQ(sheet.write(), WriteEnd::Written);
    EXPECT_EQ(sheet.bytes(), test::expectedHead() + test::expectedTail());
}

TEST(SpreadsheetFile, AMissingArchiveIsCreatedEmptyAndGivesNoRows) {
    Sheet sheet;
    EXPECT_EQ(sheet.table.fill(sheet.archive()), VoucherTable::Fill::Complete);
    EXPECT_EQ(sheet.table.rowCount(), 0);
    EXPECT_TRUE(QFile::exists(sheet.archive()));
    EXPECT_EQ(QFileInfo(sheet.archive()).size(), 0);
}

TEST(SpreadsheetFile, EachExportReplacesThePreviousFileWhole) {
    Sheet sheet;
    sheet.folder.write(QStringLiteral("Buoni_Acquisto.xls"), QByteArray(100000, 'x'));
    sheet.fill({test::numbered(1)});
    ASSERT_EQ(sheet.write(), WriteEnd::Written);
    EXPECT_TRUE(sheet.bytes().startsWith(test::expectedHead()));
    EXPECT_TRUE(sheet.bytes().endsWith(test::expectedTail())) << "nothing of the old file after it";
}

// The new file is written under another name and renamed into place: it must
// still come out as any file the user makes (the desktop's spreadsheet
// program, or a colleague's account, opens it), and a previous export that
// the shopkeeper made private stays private.
TEST(SpreadsheetFile, ANewExportTakesTheUsersPermissionsAndAReplacedOneKeepsItsOwn) {
    Sheet sheet;
    sheet.fill({test::numbered(1)});
    const mode_t saved = ::umask(022);
    const auto mode = [&] {
        struct stat info {};
        ::stat(QFile::encodeName(sheet.file()).constData(), &info);
        return info.st_mode & 07777;
    };
    ASSERT_EQ(sheet.write(), WriteEnd::Written);
    EXPECT_EQ(mode(), 0644u);
    ::chmod(QFile::encodeName(sheet.file()).constData(), 0600);
    ASSERT_EQ(sheet.write(), WriteEnd::Written);
    EXPECT_EQ(mode(), 0600u);
    ::umask(saved);
}

// ------------------------------------------------------------------ cell texts

struct CellCase {
    const char* name;
    const char* typed; // UTF-8
    QByteArray cell;   // as the file holds it
};

void PrintTo(const CellCase& c, std::ostream* os) {
    *os << c.name;
}

class CellText : public ::testing::TestWithParam<CellCase> {};

// A text typed into a grid cell reaches the file trimmed, one byte per
// character in Windows-1252, with markup escaped.
TEST_P(CellText, IsWrittenAsTheSheetExpectsIt) {
    Sheet sheet;
    sheet.fill({test::numbered(1)});
    const int note = VoucherTable::columnNamed(QStringLiteral("colNote"));
    ASSERT_TRUE(
        sheet.table.setData(sheet.table.index(0, note), QString::fromUtf8(GetParam().typed)));
    ASSERT_EQ(sheet.write(), WriteEnd::Written);
    QList<QByteArray> cells = {
        "1",          "Cliente 1",    "Via Roma 1",          "Citt\xE0 1",
        "3330000001", "01/03/2024",   "31/03/2024",          "Beneficiario 1",
        "6,00",       "Bar Centrale", "Spesa minima 1 euro", GetParam().cell,
        "No"};
    EXPECT_EQ(sheet.bytes(),
              test::expectedHead() + test::expectedRow(cells) + test::expectedTail());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CellText,
    ::testing::Values(CellCase{"a_grave_is_one_byte_E0", "Città", "Citt\xE0"},
                      CellCase{"euro_is_one_byte_80", "5 €", "5 \x80"},
                      CellCase{"outside_the_code_page_is_a_question_mark", "Łódź",
                               "?\xF3"
                               "d?"},
                      CellCase{"beyond_the_basic_plane_is_one_question_mark", "ok 😀!", "ok ?!"},
                      CellCase{"ampersand", "Bar & Caffè", "Bar &amp; Caff\xE8"},
                      CellCase{"markup_typed_in_a_note", "<b>grassetto</b>",
                               "&lt;b&gt;grassetto&lt;/b&gt;"},
                      CellCase{"a_stray_end_of_table", "fine</table>", "fine&lt;/table&gt;"},
                      CellCase{"a_reference_typed_stays_as_typed", "&amp;", "&amp;amp;"},
                      CellCase{"quotes_are_plain_text", "\"Da Gino\"", "\"Da Gino\""},
                      CellCase{"blanks_and_controls_around_are_trimmed", " \t Nota\r\n ", "Nota"},
                      CellCase{"emptied", "", ""}),
    test::RowName());

// Stored texts are copied eight bytes at a time: markup must be found at every
// place in a text, and nothing past a text's end may leak into the cell.
TEST(SpreadsheetFile, StoredMarkupIsEscapedWhereverItFallsInTheText) {
    QList<storage::VoucherRecord> records;
    QList<QByteArray> notes;
    for (int length = 1; length <= 19; ++length) {
        for (int at = 0; at < length; ++at) {
            QByteArray text(length, 'n');
            text[at] = "&<>"[(length + at) % 3];
            storage::VoucherRecord r = test::numbered(int(records.size()) + 1);
            r.note = QString::fromLatin1(text);
            r.pagato = false;
            records << r;
            notes << text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;");
        }
    }
    Sheet sheet;
    sheet.fill(records);
    ASSERT_EQ(sheet.write(), WriteEnd::Written);
    QByteArray expected = test::expectedHead();
    for (int i = 0; i < records.size(); ++i) {
        const int n = i + 1;
        expected += test::expectedRow(
            {QByteArray::number(n), "Cliente " + QByteArray::number(n),
             "Via Roma " + QByteArray::number(n), "Citt\xE0 " + QByteArray::number(n),
             "333" + QByteArray::number(n).rightJustified(7, '0'), "01/03/2024", "31/03/2024",
             "Beneficiario " + QByteArray::number(n), QByteArray::number(n % 100 + 5) + ",00",
             "Bar Centrale", "Spesa minima " + QByteArray::number(n % 50) + " euro", notes[i],
             "No"});
    }
    expected += test::expectedTail();
    EXPECT_EQ(sheet.bytes(), expected);
}

// An export of many write blocks (1 MiB each, written by a second thread while
// the next fills) from a table of several blocks (4 MiB), compared byte for
// byte with what the test makes of the fields itself.
TEST(SpreadsheetFile, AnExportOfManyBlocksIsByteForByteTheArchive) {
    QList<storage::VoucherRecord> records;
    QByteArray expected = test::expectedHead();
    for (int n = 1; n <= 12000; ++n) {
        storage::VoucherRecord r = test::numbered(n);
        // Long notes, now and then with markup across where blocks may cut.
        QByteArray note = "Nota " + QByteArray::number(n) + ' ' + QByteArray(150 + n % 60, 'x');
        if (n % 7 == 0)
            note.insert(n % 150, "<b>&</b>");
        r.note = QString::fromLatin1(note);
        records << r;
        QByteArray escaped = note;
        escaped.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;");
        expected += test::expectedRow(
            {QByteArray::number(n), "Cliente " + QByteArray::number(n),
             "Via Roma " + QByteArray::number(n), "Citt\xE0 " + QByteArray::number(n),
             "333" + QByteArray::number(n).rightJustified(7, '0'), "01/03/2024", "31/03/2024",
             "Beneficiario " + QByteArray::number(n), QByteArray::number(n % 100 + 5) + ",00",
             "Bar Centrale", "Spesa minima " + QByteArray::number(n % 50) + " euro", escaped,
             n % 2 == 0 ? "S\xEC" : "No"});
    }
    expected += test::expectedTail();
    ASSERT_GT(expected.size(), 8 << 20) << "the file must span several write blocks";

    Sheet sheet;
    sheet.fill(records);
    ASSERT_EQ(sheet.table.rowCount(), 12000);
    ASSERT_EQ(sheet.write(), WriteEnd::Written);
    const QByteArray written = sheet.bytes();
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected) << "the file differs from the archive's bytes";
    EXPECT_TRUE(sheet.strays().isEmpty());
}

// A previous export the user made read-only stays so, and the export says it
// failed, as it did when the file was written in place.
TEST(SpreadsheetFile, AReadOnlyPreviousExportGivesTheFailureAndStays) {
    Sheet sheet;
    const QByteArray previous = "<html>da conservare</html>";
    sheet.folder.write(QStringLiteral("Buoni_Acquisto.xls"), previous);
    ASSERT_TRUE(QFile::setPermissions(sheet.file(),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    sheet.fill({test::numbered(1)});
    EXPECT_FALSE(sheet.write()) << "a read-only export is not replaced";
    EXPECT_EQ(sheet.bytes(), previous);
    EXPECT_EQ(QFileInfo(sheet.file()).permissions() & QFile::WriteOwner, 0);
    EXPECT_TRUE(sheet.strays().isEmpty());
}

// The sheet kept elsewhere and linked into the program folder: the file the
// link names gets the export, the link stays a link.
TEST(SpreadsheetFile, ALinkedExportIsWrittenThroughItsLink) {
    Sheet sheet;
    ASSERT_TRUE(QDir(sheet.folder.path()).mkdir(QStringLiteral("Fogli")));
    const QString target = sheet.folder.file(QStringLiteral("Fogli/Buoni.xls"));
    sheet.folder.write(QStringLiteral("Fogli/Buoni.xls"), "<html>vecchio</html>");
    ASSERT_EQ(::symlink("Fogli/Buoni.xls", QFile::encodeName(sheet.file()).constData()), 0);
    sheet.fill(test::threeVouchers());
    ASSERT_EQ(sheet.write(), WriteEnd::Written);

    EXPECT_TRUE(QFileInfo(sheet.file()).isSymLink());
    QByteArray expected = test::expectedHead();
    for (const auto& cells : test::threeVoucherCells())
        expected += test::expectedRow(cells);
    expected += test::expectedTail();
    EXPECT_EQ(sheet.folder.read(QStringLiteral("Fogli/Buoni.xls")), expected);
    EXPECT_EQ(
        QDir(sheet.folder.file(QStringLiteral("Fogli"))).entryList(QDir::Files | QDir::Hidden),
        QStringList{QStringLiteral("Buoni.xls")});
    EXPECT_TRUE(sheet.strays() == QStringList{QStringLiteral("Fogli")});
}

// What an export killed half-way left behind goes with the next export; what
// a live export holds, and every other file, stays.
TEST(SpreadsheetFile, TheNextExportRemovesWhatAKilledOneLeftAndNothingElse) {
    Sheet sheet;
    const QStringList left = {QStringLiteral("Buoni_Acquisto.xls.1x2y3z.tmp"),
                              QStringLiteral("Buoni_Acquisto.xls.q.tmp")};
    const QStringList kept = {
        QStringLiteral("Buoni_Acquisto.xls.bak"), QStringLiteral("Buoni_Acquisto.xls.ABC.tmp"),
        QStringLiteral("Buoni_Acquisto.xls..tmp"), QStringLiteral("Altro.xls.1x2y3z.tmp"),
        QStringLiteral("Buoni_Acquisto.xls.live1.tmp")};
    for (const QString& name : left + kept)
        sheet.folder.write(name, "<html>mezzo foglio");
    // A live export of another copy of the program holds its temporary.
    const int live =
        ::open(QFile::encodeName(sheet.folder.file(kept.last())).constData(), O_RDONLY);
    ASSERT_GE(live, 0);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);

    sheet.fill({test::numbered(1)});
    ASSERT_EQ(sheet.write(), WriteEnd::Written);
    ::close(live);
    for (const QString& name : left)
        EXPECT_FALSE(QFile::exists(sheet.folder.file(name))) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_EQ(sheet.folder.read(name), "<html>mezzo foglio") << name.toStdString();
    EXPECT_TRUE(sheet.bytes().startsWith(test::expectedHead()));
}

// ------------------------------------------------------------------ the grid's table

TEST(VoucherTableColumns, EachColumnShowsItsFieldTrimmed) {
    storage::VoucherRecord r;
    r.num = QStringLiteral("N7");
    r.acquirente = QStringLiteral("acquirente");
    r.via = QStringLiteral("via");
    r.citta = QStringLiteral("citta");
    r.cel = QStringLiteral("cel");
    r.prezzo = QStringLiteral("inizio");
    r.spettatore = QStringLiteral("fine");
    r.posto = QStringLiteral("beneficiario");
    r.evento = QStringLiteral("valore");
    r.luogo = QStringLiteral("luogo");
    r.scritta = QStringLiteral("condizioni");
    r.note = QStringLiteral("note");
    r.pagato = true;
    QByteArray bytes = storage::VoucherRecord().toBytes() + r.toBytes();
    // Blanks and control characters a foreign program left inside the length.
    const auto via = storage::VoucherRecord::slot(storage::VoucherRecord::Field::Via);
    bytes[storage::VoucherRecord::Size + via.offset] = 7;
    bytes.replace(storage::VoucherRecord::Size + via.offset + 1, 7, " \tvia\0 ", 7);

    Sheet sheet;
    sheet.folder.write(QStringLiteral("Negozio.eur"), bytes);
    ASSERT_EQ(sheet.table.fill(sheet.archive()), VoucherTable::Fill::Complete);
    ASSERT_EQ(sheet.table.rowCount(), 2);
    const std::pair<const char*, const char*> expected[] = {
        {"colNum", "2"},         {"colNumX", "N7"},        {"colAcquirente", "acquirente"},
        {"colVia", "via"},       {"colCitta", "citta"},    {"colCel", "cel"},
        {"colEvento", "inizio"}, {"colLuogo", "fine"},     {"coSpettatore", "beneficiario"},
        {"colPosto", "valore"},  {"colScritta", "luogo"},  {"colPrezzo", "condizioni"},
        {"colNote", "note"},     {"colPagato", "S\u00ec"},
    };
    for (const auto& [name, text] : expected) {
        const int c = VoucherTable::columnNamed(QString::fromLatin1(name));
        ASSERT_GE(c, 0) << name;
        EXPECT_EQ(sheet.table.data(sheet.table.index(1, c)).toString(), QString::fromUtf8(text))
            << name;
    }
    EXPECT_EQ(sheet.table.text(0, 0), QStringLiteral("1"));
    EXPECT_EQ(sheet.table.text(0, VoucherTable::columnNamed(QStringLiteral("colPagato"))),
              QStringLiteral("No"));
}

TEST(VoucherTableColumns, HeadersWidthsAndWhichColumnsTakeEdits) {
    const struct {
        const char* name;
        const char* header;
        int width;
        bool editable;
    } expected[] = {
        {"colNum", "N.", 60, false},
        {"colNumX", "Buono n.", 150, false},
        {"colAcquirente", "Cliente", 220, false},
        {"colVia", "Via e numero civico", 250, false},
        {"colCitta", "Città", 200, false},
        {"colCel", "Cellulare", 180, false},
        {"colEvento", "Inizio validità", 120, true},
        {"colLuogo", "Fine validità", 120, true},
        {"coSpettatore", "Beneficiario", 220, true},
        {"colPosto", "Valore", 120, true},
        {"colScritta", "Luogo utilizzo", 300, true},
        {"colPrezzo", "Condizioni utilizzo", 300, true},
        {"colNote", "Note", 300, true},
        {"colPagato", "Incassato", 150, true},
    };
    Sheet sheet;
    sheet.fill({test::numbered(1)});
    ASSERT_EQ(sheet.table.columnCount(), int(std::size(expected)));
    for (int c = 0; c < sheet.table.columnCount(); ++c) {
        const auto& e = expected[c];
        EXPECT_EQ(VoucherTable::columns()[std::size_t(c)].name, std::string(e.name));
        EXPECT_EQ(sheet.table.headerData(c, Qt::Horizontal).toString(),
                  QString::fromUtf8(e.header));
        EXPECT_EQ(VoucherTable::columns()[std::size_t(c)].width, e.width) << e.name;
        const QModelIndex index = sheet.table.index(0, c);
        const QString before = sheet.table.text(0, c);
        EXPECT_EQ(bool(sheet.table.flags(index) & Qt::ItemIsEditable), e.editable) << e.name;
        EXPECT_EQ(sheet.table.setData(index, QStringLiteral("X")), e.editable) << e.name;
        EXPECT_EQ(sheet.table.text(0, c), e.editable ? QStringLiteral("X") : before) << e.name;
    }
}

TEST(VoucherTableEdits, ChangeOnlyTheExportNeverTheArchive) {
    Sheet sheet;
    sheet.fill(test::threeVouchers());
    const QByteArray archiveBefore = sheet.folder.read(QStringLiteral("Negozio.eur"));
    const int value = VoucherTable::columnNamed(QStringLiteral("colPosto"));
    ASSERT_TRUE(sheet.table.setData(sheet.table.index(1, value), QStringLiteral(" 12,00 ")));
    ASSERT_EQ(sheet.write(), WriteEnd::Written);

    EXPECT_EQ(sheet.folder.read(QStringLiteral("Negozio.eur")), archiveBefore);
    EXPECT_TRUE(sheet.table.isEdited(1, value));
    EXPECT_FALSE(sheet.table.isEdited(0, value)) << "only the cell edited";
    const QByteArray bytes = sheet.bytes();
    EXPECT_TRUE(bytes.contains(cellOf("12,00"))) << "written trimmed";
    EXPECT_FALSE(bytes.contains(cellOf("10,50"))) << "the stored value is not written";
    EXPECT_TRUE(bytes.contains(cellOf("25,00"))) << "the other rows keep theirs";

    // Typing back the stored text is no edit at all.
    ASSERT_TRUE(sheet.table.setData(sheet.table.index(1, value), QStringLiteral("10,50")));
    EXPECT_FALSE(sheet.table.isEdited(1, value));
}

TEST(VoucherTableFill, ReadsWhatAForeignProgramLeftWithoutInventingRows) {
    // A length byte beyond its field's capacity counts as the capacity; the
    // bytes of an incomplete last record are no row.
    QByteArray bytes = test::numbered(1).toBytes();
    const auto num = storage::VoucherRecord::slot(storage::VoucherRecord::Field::Num);
    bytes[num.offset] = char(200);
    bytes.replace(num.offset + 1, num.capacity, QByteArray(num.capacity, '7'));
    bytes += test::numbered(2).toBytes().left(600);

    Sheet sheet;
    sheet.folder.write(QStringLiteral("Negozio.eur"), bytes);
    ASSERT_EQ(sheet.table.fill(sheet.archive()), VoucherTable::Fill::Complete);
    ASSERT_EQ(sheet.table.rowCount(), 1);
    EXPECT_EQ(sheet.table.text(0, VoucherTable::columnNamed(QStringLiteral("colNumX"))),
              QString(num.capacity, u'7'));
    EXPECT_EQ(sheet.table.text(0, VoucherTable::columnNamed(QStringLiteral("colAcquirente"))),
              QStringLiteral("Cliente 1"));
}

TEST(VoucherTableFill, StopsWhenAskedAndKeepsTheRowsReadSoFar) {
    Sheet sheet;
    QByteArray bytes;
    for (int i = 1; i <= 10000; ++i)
        bytes += test::numbered(i).toBytes();
    sheet.folder.write(QStringLiteral("Negozio.eur"), bytes);
    int calls = 0;
    const auto end = sheet.table.fill(sheet.archive(), [&](qint64 done, qint64 total) {
        EXPECT_EQ(total, 10000);
        EXPECT_GT(done, 0);
        return ++calls < 2;
    });
    EXPECT_EQ(end, VoucherTable::Fill::Stopped);
    ASSERT_GT(sheet.table.rowCount(), 0);
    ASSERT_LT(sheet.table.rowCount(), 10000);
    const int last = sheet.table.rowCount() - 1;
    EXPECT_EQ(sheet.table.text(last, VoucherTable::columnNamed(QStringLiteral("colNote"))),
              QStringLiteral("Nota %1").arg(last + 1));
}

TEST(VoucherTableFill, AnArchiveThatCannotBeOpenedGivesNoRows) {
    Sheet sheet;
    sheet.fill({test::numbered(1)});
    ASSERT_TRUE(QDir().mkdir(sheet.folder.file(QStringLiteral("Cartella.eur"))));
    EXPECT_EQ(sheet.table.fill(sheet.folder.file(QStringLiteral("Cartella.eur"))),
              VoucherTable::Fill::Failed);
    EXPECT_EQ(sheet.table.rowCount(), 0) << "no rows of the archive shown before";
}

// ------------------------------------------------------------------ failures

// Writes the sheet in a forked child that has given up root (root ignores file
// permissions) and hands back what the child's write returned, its message
// included, through a pipe. A failure saying "could not give up root" when the
// child could not.
storage::Result<WriteEnd> writeAsOrdinaryUser(Sheet& sheet) {
    constexpr uid_t Nobody = 65534;
    int pipe[2];
    if (::pipe(pipe) != 0)
        return storage::Failure{QStringLiteral("no pipe")};
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipe[0]);
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
            ::_exit(125);
        const storage::Result<WriteEnd> written = sheet.write();
        const QByteArray told =
            written ? QByteArray("written") : QByteArray("failed:") + written.error().toUtf8();
        const bool sent = ::write(pipe[1], told.constData(), size_t(told.size())) == told.size();
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipe[1]);
    QByteArray told;
    char chunk[512];
    for (ssize_t n; (n = ::read(pipe[0], chunk, sizeof chunk)) > 0;)
        told.append(chunk, n);
    ::close(pipe[0]);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return storage::Failure{QStringLiteral("the child did not end")};
    if (WEXITSTATUS(status) == 125)
        return storage::Failure{QStringLiteral("could not give up root")};
    if (told == "written")
        return WriteEnd::Written;
    EXPECT_TRUE(told.startsWith("failed:")) << told.toStdString();
    return storage::Failure{QString::fromUtf8(told.mid(int(sizeof "failed:") - 1))};
}

struct FailureCase {
    const char* name;
    // Makes the write fail and runs it; the outcome's result.
    std::function<storage::Result<WriteEnd>(Sheet&)> writeFailing;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(WriteFailures, ReportFailureAndLeaveThePreviousExportUntouched) {
    Sheet sheet;
    sheet.fill(test::threeVouchers());
    const QByteArray previous = "<html>la precedente esportazione</html>";
    if (std::string(GetParam().name) != "a_folder_in_the_way")
        sheet.folder.write(QStringLiteral("Buoni_Acquisto.xls"), previous);

    const storage::Result<WriteEnd> written = GetParam().writeFailing(sheet);
    EXPECT_FALSE(written.has_value());
    EXPECT_FALSE(written.error().isEmpty()) << "says why";
    if (std::string(GetParam().name) != "a_folder_in_the_way") {
        EXPECT_EQ(sheet.bytes(), previous);
    }
    EXPECT_TRUE(sheet.strays().isEmpty()) << sheet.strays().join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WriteFailures,
    ::testing::Values(FailureCase{"a_full_disk",
                                  [](Sheet& s) {
                                      const test::WriteFailure full(512);
                                      return s.write();
                                  }},
                      FailureCase{"a_folder_in_the_way",
                                  [](Sheet& s) {
                                      QDir().mkdir(s.file());
                                      const auto result = s.write();
                                      EXPECT_TRUE(QFileInfo(s.file()).isDir());
                                      return result;
                                  }},
                      FailureCase{"a_read_only_folder",
                                  [](Sheet& s) {
                                      // The previous export writable by anyone, its folder by
                                      // no one: only the folder can be what stops the export.
                                      const QByteArray dir = QFile::encodeName(s.folder.path());
                                      ::chmod(QFile::encodeName(s.file()).constData(), 0666);
                                      ::chmod(dir.constData(), 0555);
                                      const auto result = writeAsOrdinaryUser(s);
                                      ::chmod(dir.constData(), 0700);
                                      if (!result) {
                                          EXPECT_NE(result.error(),
                                                    QStringLiteral("could not give up root"));
                                          EXPECT_TRUE(result.error().contains(
                                              QString::fromLocal8Bit(std::strerror(EACCES))))
                                              << result.error().toStdString();
                                      }
                                      return result;
                                  }}),
    test::RowName());

TEST(SpreadsheetFile, ACancelledExportLeavesThePreviousFileUntouched) {
    Sheet sheet;
    QList<storage::VoucherRecord> records;
    for (int i = 1; i <= 3000; ++i)
        records << test::numbered(i);
    sheet.fill(records);
    const QByteArray previous = "<html>la precedente esportazione</html>";
    sheet.folder.write(QStringLiteral("Buoni_Acquisto.xls"), previous);

    qint64 lastDone = 0;
    const storage::Result<WriteEnd> outcome = sheet.write([&](qint64 done, qint64 total) {
        EXPECT_EQ(total, 3000);
        EXPECT_GT(done, lastDone);
        lastDone = done;
        return done < 2000;
    });
    EXPECT_EQ(outcome, WriteEnd::Cancelled);
    EXPECT_EQ(sheet.bytes(), previous);
    EXPECT_TRUE(sheet.strays().isEmpty()) << sheet.strays().join(u' ').toStdString();
}

} // namespace

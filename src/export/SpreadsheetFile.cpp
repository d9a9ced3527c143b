#include "export/SpreadsheetFile.h"

#include "export/VoucherTable.h"
#include "storage/Text.h"
#include "storage/Windows1252.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <future>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace scontrix::exporting {

namespace {

// Bytes gathered before they are handed to the file.
constexpr qsizetype WriteBlock = qsizetype(1) << 20;
// How often writing reports its progress, in rows.
constexpr int ProgressEvery = 1024;

// The new spreadsheet is written beside the previous one under a temporary
// name and renamed over it only once whole, so a failed or cancelled export
// leaves the previous one as it was and nobody ever opens half a sheet. It is
// not synced to disk before the rename: the export can be written again from
// the archive at any time, and waiting for the disk would take longer than
// everything else the export does (the archive's own saves are synced).
class ReplacingFile {
public:
    explicit ReplacingFile(const QString& path)
        : path_(followLinks(QFile::encodeName(path))),
          temporary_(path_ + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) +
                     TemporarySuffix.toByteArray()) {}
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (created_)
            ::unlink(temporary_.constData());
    }

    bool open() {
        struct stat previous {};
        const bool replacing = ::stat(path_.constData(), &previous) == 0;
        // A previous export the user made read-only stays so: renaming over
        // it would replace it all the same. Root may write anywhere, so the
        // file's own write bits decide too.
        if (replacing && S_ISREG(previous.st_mode) &&
            (::access(path_.constData(), W_OK) != 0 || (previous.st_mode & 0222) == 0)) {
            errno = EACCES;
            return fail();
        }
        removeLeftovers();
        // Created as any new file of the user's (0666 less the umask); a
        // previous export keeps its permissions.
        fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0)
            return fail();
        created_ = true;
        // Held until the file is in place or removed: tells another export
        // (of this copy of the program or another on the same folder) that
        // this temporary is alive.
        ::flock(fd_, LOCK_EX | LOCK_NB);
        if (replacing && S_ISREG(previous.st_mode))
            ::fchmod(fd_, previous.st_mode & 07777);
        return true;
    }

    bool write(const QByteArray& bytes) {
        for (const char* at = bytes.constData(); at < bytes.constEnd();) {
            const ssize_t done = ::write(fd_, at, size_t(bytes.constEnd() - at));
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0)
                return fail();
            at += done;
        }
        return true;
    }

    bool putInPlace() {
        const int fd = std::exchange(fd_, -1);
        if (::close(fd) != 0 || ::rename(temporary_.constData(), path_.constData()) != 0)
            return fail();
        created_ = false;
        return true;
    }

    const QString& errorString() const { return error_; }

private:
    static constexpr QByteArrayView TemporarySuffix = ".tmp";

    bool fail() {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }

    // An export through a link (the sheet kept elsewhere, linked into the
    // program folder) replaces the file the link names, not the link.
    static QByteArray followLinks(QByteArray path) {
        for (int hops = 0; hops < 40; ++hops) {
            struct stat st {};
            if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
                break;
            QByteArray target(PATH_MAX, '\0');
            const ssize_t n = ::readlink(path.constData(), target.data(), size_t(target.size()));
            if (n <= 0)
                break;
            target.truncate(n);
            if (!target.startsWith('/'))
                target.prepend(path.left(path.lastIndexOf('/') + 1));
            path = target;
        }
        return path;
    }

    // Temporaries of exports that never ended (the program was killed, the
    // machine went off) are this program's own, named as ours are: they go
    // once nobody holds them any more, so a live export of another copy of
    // the program on the same folder keeps its own. Nothing else is touched.
    void removeLeftovers() const {
        const qsizetype slash = path_.lastIndexOf('/');
        const QByteArray folder = slash >= 0 ? path_.left(slash + 1) : QByteArray("./");
        const QByteArray prefix = path_.mid(slash + 1) + '.';
        DIR* dir = ::opendir(folder.constData());
        if (!dir)
            return;
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArrayView name(entry->d_name);
            if (!name.startsWith(prefix) || !name.endsWith(TemporarySuffix))
                continue;
            const QByteArrayView middle =
                name.sliced(prefix.size(), name.size() - prefix.size() - TemporarySuffix.size());
            const bool ours = !middle.isEmpty() && middle.size() <= 13 &&
                              std::all_of(middle.begin(), middle.end(), [](char c) {
                                  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
                              });
            if (!ours)
                continue;
            const QByteArray file = folder + name.toByteArray();
            const int fd = ::open(file.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0)
                continue;
            struct stat st {};
            if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
                ::unlink(file.constData());
            ::close(fd);
        }
        ::closedir(dir);
    }

    QByteArray path_;
    QByteArray temporary_;
    int fd_ = -1;
    bool created_ = false;
    QString error_;
};

constexpr char HeaderCells[][2][24] = {
    {"200", "Buono n."},
    {"250", "Cliente"},
    {"300", "Via e numero civico"},
    {"250", "Citt\xE0"},
    {"200", "Cellulare"},
    {"200", "Inizio validit\xE0"},
    {"200", "Fine validit\xE0"},
    {"250", "Beneficiario"},
    {"200", "Valore"},
    {"350", "Luogo utilizzo"},
    {"400", "Condizioni utilizzo"},
    {"400", "Note"},
    {"150", "Incassato"},
};

// Every cell is text, as the grid showed it: "x:str" on the table tells Excel
// so, and sdnum (number format "@", text) tells LibreOffice, which ignores
// x:str and would otherwise read "007" as 7, "30,00" as 30 and a long number
// as a float. Excel passes over the attribute it does not know.
constexpr QByteArrayView CellOpen = R"(<td style="text-align: left;" sdnum="1040;0;@">)";
constexpr QByteArrayView CellClose = "</td>";
constexpr QByteArrayView RowOpen = "<tr>";
constexpr QByteArrayView RowClose = "</tr>";

// The most bytes a row of stored cells can take: every byte of a record
// written as the longest character reference.
constexpr qsizetype MaxStoredRow =
    RowOpen.size() + RowClose.size() +
    (VoucherTable::ColumnCount - 1) * (CellOpen.size() + CellClose.size()) +
    5 * storage::VoucherRecord::Size + 8;

// The characters that are markup in a cell.
constexpr auto Markup = [] {
    std::array<bool, 256> markup{};
    markup[uchar('&')] = markup[uchar('<')] = markup[uchar('>')] = true;
    return markup;
}();

char* put(char* out, QByteArrayView bytes) {
    std::memcpy(out, bytes.data(), std::size_t(bytes.size()));
    return out + bytes.size();
}

constexpr quint64 everyByte(uchar b) {
    return 0x0101010101010101ULL * b;
}

// Whether one of the eight bytes of `word` is markup (exact, no false alarms).
constexpr bool hasMarkup(quint64 word) {
    const auto hasZero = [](quint64 v) { return (v - everyByte(1)) & ~v & everyByte(0x80); };
    return hasZero(word ^ everyByte('&')) | hasZero(word ^ everyByte('<')) |
           hasZero(word ^ everyByte('>'));
}

// Writes a byte, as itself or as its character reference.
char* putByte(char* out, char c) {
    if (!Markup[uchar(c)]) {
        *out = c;
        return out + 1;
    }
    return put(out, c == '&'   ? QByteArrayView("&amp;")
                    : c == '<' ? QByteArrayView("&lt;")
                               : QByteArrayView("&gt;"));
}

// Copies `bytes` with the markup written as character references; `out`
// has room for five bytes per byte.
char* putEscaped(char* out, QByteArrayView bytes) {
    for (char c : bytes)
        out = putByte(out, c);
    return out;
}

// The same for a stored cell, eight bytes at a time, since nearly no text
// holds markup. A stored cell may be read a little past its end (the table
// leaves room after every row), and `out` has room for eight bytes more than
// it needs, so a short end is handled as one more word.
char* putStoredEscaped(char* out, QByteArrayView bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const auto n = std::min<qsizetype>(end - p, 8);
        quint64 word;
        std::memcpy(&word, p, 8);
        word = qFromLittleEndian(word);
        const quint64 valid = n == 8 ? ~quint64(0) : (quint64(1) << (8 * n)) - 1;
        if (hasMarkup((word & valid) | (everyByte(0x61) & ~valid))) {
            for (const char* stop = p + n; p < stop; ++p)
                out = putByte(out, *p);
            continue;
        }
        std::memcpy(out, p, 8);
        out += n;
        p += n;
    }
    return out;
}

// Appends one data row. Rows without edited cells, nearly all of them, are
// copied straight from the stored bytes into room made beforehand.
void appendRow(QByteArray& out, const VoucherTable& table, int row) {
    const VoucherTable::StoredCells cells = table.storedCells(row);
    const qsizetype start = out.size();
    out.resize(start + MaxStoredRow);
    char* p = put(out.data() + start, RowOpen);
    for (int column = 1; column < VoucherTable::ColumnCount; ++column) {
        p = put(p, CellOpen);
        const QString* edit = table.hasEdits() ? table.edit(row, column) : nullptr;
        if (edit) {
            // A typed text may be of any length: finish what is there, then append.
            out.resize(p - out.constData());
            out += cellBytes(*edit);
            out.append(CellClose);
            const qsizetype at = out.size();
            out.resize(at + MaxStoredRow);
            p = out.data() + at;
        } else {
            p = putStoredEscaped(p, cells[std::size_t(column - 1)]);
            p = put(p, CellClose);
        }
    }
    p = put(p, RowClose);
    out.resize(p - out.constData());
}

} // namespace

QByteArray spreadsheetHead() {
    QByteArray head;
    head += R"(<html xmlns:o="urn:schemas-microsoft-com:office:office" )"
            R"(xmlns:x="urn:schemas-microsoft-com:office:excel" )"
            R"(xmlns="http://www.w3.org/TR/REC-html40">)";
    head += "<head>";
    head += R"(<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">)";
    head += "<!--[if gte mso 9]><xml>";
    head += "<x:ExcelWorkbook>";
    head += "<x:ExcelWorksheets>";
    head += "<x:ExcelWorksheet>";
    head += "<x:Name>Riepilogo Buoni Acquisto</x:Name>";
    head += "<x:WorksheetOptions>";
    head += "<x:Selected/>";
    head += "<x:Panes>";
    head += "<x:Pane>";
    head += "<x:Number>1</x:Number>";
    head += "<x:ActiveRow>3</x:ActiveRow>";
    head += "</x:Pane>";
    head += "</x:Panes>";
    head += "<x:ProtectContents>False</x:ProtectContents>";
    head += "<x:ProtectObjects>False</x:ProtectObjects>";
    head += "<x:ProtectScenarios>False</x:ProtectScenarios>";
    head += "</x:WorksheetOptions>";
    head += "</x:ExcelWorksheet>";
    head += "</x:ExcelWorksheets>";
    head += "</x:ExcelWorkbook>";
    head += "</xml><![endif]-->";
    head += "</head>";
    head += "<body>";
    head += "<table x:str>";
    head.append(RowOpen);
    for (const auto& [width, text] : HeaderCells) {
        head += R"(<td style="text-align: left; font-weight: bold;" width=)";
        head += width;
        head += '>';
        head += text;
        head.append(CellClose);
    }
    head.append(RowClose);
    return head;
}

QByteArray spreadsheetTail() {
    return QByteArrayLiteral("</table></body></html>");
}

void appendEscaped(QByteArray& out, const char* bytes, qsizetype size) {
    const qsizetype start = out.size();
    out.resize(start + 5 * size);
    char* end = putEscaped(out.data() + start, QByteArrayView(bytes, size));
    out.resize(end - out.constData());
}

QByteArray cellBytes(const QString& text) {
    const QString trimmed = storage::trimControl(text);
    QByteArray encoded;
    encoded.reserve(trimmed.size());
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const char16_t c = trimmed.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < trimmed.size() &&
            QChar::isLowSurrogate(trimmed.at(i + 1).unicode())) {
            ++i; // one character, one "?"
            encoded += '?';
        } else if (const auto byte = storage::cp1252::encodeChar(c)) {
            encoded += static_cast<char>(*byte);
        } else {
            encoded += '?';
        }
    }
    QByteArray out;
    appendEscaped(out, encoded.constData(), encoded.size());
    return out;
}

storage::Result<WriteEnd> writeSpreadsheet(const QString& path, const VoucherTable& table,
                                           const Progress& progress) {
    ReplacingFile file(path);
    const auto failed = [&file] {
        return storage::Failure{QStringLiteral("cannot write the spreadsheet: ") +
                                file.errorString()};
    };
    if (!file.open())
        return failed();

    // Rows are gathered in one buffer while the block before is written from
    // the other on a second thread: copying into the file takes about half as
    // long as making the rows, and so adds nearly nothing (a third less time
    // for a million vouchers).
    QByteArray buffer, writing;
    buffer.reserve(WriteBlock + 2 * MaxStoredRow);
    writing.reserve(buffer.capacity());
    std::future<bool> written; // declared last: waited for before the rest goes
    const auto flush = [&] {
        if (written.valid() && !written.get())
            return false;
        std::swap(buffer, writing);
        buffer.resize(0); // keeps its room
        const auto write = [&file, &writing] { return file.write(writing); };
        try {
            written = std::async(std::launch::async, write);
        } catch (const std::system_error&) {
            // No thread to be had (a limit of the system): written here.
            written = std::async(std::launch::deferred, write);
        }
        return true;
    };
    const auto finish = [&] { return flush() && written.get(); };

    buffer += spreadsheetHead();
    const int rows = table.rowCount();
    for (int row = 0; row < rows; ++row) {
        appendRow(buffer, table, row);
        if (buffer.size() >= WriteBlock && !flush())
            return failed();
        if (progress && (row + 1) % ProgressEvery == 0 && !progress(row + 1, rows))
            return WriteEnd::Cancelled;
    }
    buffer += spreadsheetTail();
    if (!finish())
        return failed();
    if (!file.putInPlace())
        return storage::Failure{QStringLiteral("cannot put the spreadsheet in place: ") +
                                file.errorString()};
    return WriteEnd::Written;
}

} // namespace scontrix::exporting

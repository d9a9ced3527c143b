#include "ArchiveGenerator.h"
#include "StorageTestSupport.h"
#include "TableRows.h"
#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "storage/ArchiveFile.h"
#include "storage/ArchiveSideFiles.h"
#include "storage/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// A copy of the program killed at any moment, as a power cut or a task
// manager does, loses nothing it has said was saved and leaves no file that
// cannot be read. Each round starts this test executable again on the
// StorageKillChild test, which saves through the program's own write paths and
// reports every save through a pipe; the parent kills it with SIGKILL at a
// random moment and then checks the files against the reports.
namespace scontrix::storage {
namespace {

constexpr char ModeVariable[] = "SCONTRIX_KILL_MODE";
constexpr char FolderVariable[] = "SCONTRIX_KILL_FOLDER";
constexpr char FirstVariable[] = "SCONTRIX_KILL_FIRST";
constexpr int ReportFd = 100;

constexpr int Rounds = 100;
// Rounds stop earlier when this much time has passed, so that a slow machine
// or a sanitizer build keeps the test short; every round still counts.
constexpr qint64 RoundsBudgetMs = 7000;
constexpr int MaxKillDelayUs = 25000;

const testdata::ArchiveSpec Vouchers{.vouchers = 0, .seed = 2024, .oddEvery = 0};

// The bytes the editor writes for generated voucher `k`.
QByteArray savedVoucher(qint64 k) {
    return VoucherRecord::fromBytes(testdata::recordBytes(Vouchers, k)).toBytes();
}

// Settings version `j`: values of lengths that change from one version to the
// next, so that a file made of two versions cannot pass for either.
ArchiveDefaults defaultsVersion(qint64 j) {
    const QString tag = QString::number(j);
    ArchiveDefaults d;
    d[Holds::ValidFrom] = QStringLiteral("01/%1/2024").arg(j % 12 + 1, 2, 10, QLatin1Char('0'));
    d[Holds::Expiry] = QStringLiteral("31/12/2025");
    d[Holds::Value] = QStringLiteral("%1,00").arg(j);
    d[Holds::Place] =
        QStringLiteral("Bar Centrale %1 ").repeated(static_cast<int>(j % 9) + 1).arg(tag);
    d[Holds::Conditions] =
        QStringLiteral("Condizioni versione %1").arg(tag).repeated(static_cast<int>(j % 5) + 1);
    return d;
}

QString passwordVersion(qint64 j) {
    return QStringLiteral("parola%1").arg(j).repeated(static_cast<int>(j % 4) + 1);
}

QString archivePath(const QString& folder) {
    return folder + QStringLiteral("Negozio.eur");
}
QString settingsFile(const QString& folder) {
    return settingsPath(folder, QStringLiteral("Negozio"));
}
QString storePath(const QString& folder) {
    return folder + access::PasswordStore::FileName;
}

void report(const QByteArray& line) {
    const QByteArray bytes = line + '\n';
    // One short write: the pipe keeps it whole even if the writer dies next.
    [[maybe_unused]] const auto written = ::write(ReportFd, bytes.constData(), bytes.size());
}

// --------------------------------------------------------------------- child

// Saves until it is killed: appends and updates of vouchers, new settings or a
// new password, each through the same calls as the windows, each announced
// ("B ...") before and reported ("D ...") after.
TEST(StorageKillChild, SavesUntilKilled) {
    const QString mode = qEnvironmentVariable(ModeVariable);
    if (mode.isEmpty())
        GTEST_SKIP() << "runs only as a child of StorageKill";
    const QString folder = qEnvironmentVariable(FolderVariable);
    qint64 next = qEnvironmentVariable(FirstVariable).toLongLong();
    std::mt19937_64 random(static_cast<std::uint64_t>(next));
    report("R");
    for (;; ++next) {
        if (mode == QLatin1String("archive")) {
            // One open per save, as the editor does.
            ArchiveFile archive;
            const Result<> opened = archive.open(archivePath(folder));
            ASSERT_TRUE(opened) << opened.error().toStdString();
            const Result<qint64> count = archive.count();
            ASSERT_TRUE(count) << count.error().toStdString();
            const VoucherRecord voucher =
                VoucherRecord::fromBytes(testdata::recordBytes(Vouchers, next));
            if (*count == 0 || random() % 5 < 3) {
                report("B A " + QByteArray::number(next));
                const Result<qint64> position = archive.append(voucher);
                ASSERT_TRUE(position) << position.error().toStdString();
                report("D " + QByteArray::number(*position));
            } else {
                const qint64 position =
                    1 + static_cast<qint64>(random() % static_cast<quint64>(*count));
                report("B U " + QByteArray::number(next) + ' ' + QByteArray::number(position));
                const Result<qint64> updated = archive.update(position, voucher);
                ASSERT_TRUE(updated) << updated.error().toStdString();
                report("D " + QByteArray::number(position));
            }
        } else if (mode == QLatin1String("settings")) {
            report("B " + QByteArray::number(next));
            ASSERT_TRUE(saveArchiveDefaults(settingsFile(folder), defaultsVersion(next)));
            report("D " + QByteArray::number(next));
        } else {
            report("B " + QByteArray::number(next));
            const access::PasswordStore store(storePath(folder));
            ASSERT_TRUE(store.writeValue(access::Crypt::Scramble(passwordVersion(next))));
            report("D " + QByteArray::number(next));
        }
    }
}

// -------------------------------------------------------------------- parent

// The lines a killed child reported, in order.
struct Reports {
    QList<QByteArrayList> lines; // split on blanks
    bool started = false;
};

// Runs the child on `mode` and kills it `delayUs` after it is ready.
Reports runAndKill(const QString& mode, const QString& folder, qint64 first, int delayUs) {
    Reports result;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "no pipe";
        return result;
    }
    // Everything the child needs is made before fork(): after it only exec.
    const QByteArray program = QCoreApplication::applicationFilePath().toLocal8Bit();
    const QByteArray filter = "--gtest_filter=StorageKillChild.SavesUntilKilled";
    QByteArrayList environment;
    for (char** e = environ; *e; ++e)
        environment << QByteArray(*e);
    environment << QByteArray(ModeVariable) + '=' + mode.toLocal8Bit()
                << QByteArray(FolderVariable) + '=' + folder.toLocal8Bit()
                << QByteArray(FirstVariable) + '=' + QByteArray::number(first);
    std::vector<char*> envp;
    for (QByteArray& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const QByteArray logPath = QFile::encodeName(folder + QStringLiteral("../child.log"));
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(filter.constData()),
                    nullptr};

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], ReportFd); // without close-on-exec
        const int log = ::open(logPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(log, 1);
        ::dup2(log, 2);
        ::execve(argv[0], argv, envp.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        ADD_FAILURE() << "no fork";
        return result;
    }

    QByteArray received;
    auto readSome = [&](int timeoutMs) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            return false;
        char buffer[65536];
        const auto n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0)
            received.append(buffer, n);
        return n > 0;
    };
    // Ready once the child has started its loop.
    QElapsedTimer waited;
    waited.start();
    while (!received.startsWith("R\n") && waited.elapsed() < 30000)
        readSome(100);
    result.started = received.startsWith("R\n");
    ::usleep(static_cast<useconds_t>(delayUs));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    while (readSome(1000)) {
    }
    ::close(fds[0]);
    if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL)
        ADD_FAILURE() << "the child ended by itself (status " << status
                      << "): " << received.toStdString()
                      << test::readFile(QFile::decodeName(logPath)).toStdString();
    for (const QByteArray& line : received.split('\n')) {
        if (!line.isEmpty() && line != "R")
            result.lines << line.split(' ');
    }
    return result;
}

// Runs rounds of a child killed at random moments; `check` is called after
// each with the round's reports. Returns the number of saves reported.
template <typename Check>
qint64 killRepeatedly(const QString& mode, const QString& folder, Check&& check) {
    std::mt19937 random(20240607);
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 saves = 0;
    for (int round = 0; round < Rounds && elapsed.elapsed() < RoundsBudgetMs; ++round) {
        const int delayUs = static_cast<int>(random() % MaxKillDelayUs);
        const Reports reports = runAndKill(mode, folder, (round + 1) * 1000000LL, delayUs);
        if (!reports.started) {
            ADD_FAILURE() << "the child did not start";
            return saves;
        }
        SCOPED_TRACE(testing::Message()
                     << "round " << round << ", killed after " << delayUs << " us");
        for (const QByteArrayList& line : reports.lines)
            saves += line[0] == "D";
        check(reports, random);
        if (testing::Test::HasFatalFailure())
            return saves;
    }
    return saves;
}

class StorageKill : public ::testing::Test {
protected:
    // The program folder holds only what the program writes; the children's
    // output goes beside it.
    StorageKill() { QDir(dir_.path()).mkdir(QStringLiteral("Scontrix")); }
    QString folder() const { return dir_.path() + QStringLiteral("/Scontrix/"); }

private:
    QTemporaryDir dir_;
};

TEST_F(StorageKill, EveryReportedSaveSurvivesAndACutRecordIsOverwritten) {
    const QString path = archivePath(folder());
    std::vector<QByteArray> expected; // what each 0-based index must hold
    qint64 cutTails = 0;
    qint64 tailsOverwritten = 0;
    qint64 countAtTail = -1; // the count when the file last ended in a cut record
    const qint64 saves = killRepeatedly(
        QStringLiteral("archive"), folder(), [&](const Reports& reports, std::mt19937& random) {
            // The save under way when the child died may have reached the file
            // whole, in part, or not at all; every other one is whole.
            QByteArray inFlight;
            qint64 inFlightIndex = -1;
            for (const QByteArrayList& line : reports.lines) {
                if (line[0] == "B") {
                    inFlight = savedVoucher(line[2].toLongLong());
                    inFlightIndex =
                        line[1] == "A" ? qint64(expected.size()) : line[3].toLongLong() - 1;
                    continue;
                }
                const qint64 index = line[1].toLongLong() - 1;
                ASSERT_EQ(index, inFlightIndex) << "the save lands where it was meant to";
                if (index == qint64(expected.size()))
                    expected.push_back(inFlight);
                else
                    expected[std::size_t(index)] = inFlight;
                inFlightIndex = -1;
            }

            ArchiveFile archive;
            ASSERT_TRUE(archive.open(path)) << "the archive opens after the kill";
            const Result<qint64> counted = archive.count();
            ASSERT_TRUE(counted);
            const qint64 count = *counted;
            archive.close();
            const bool appendLanded =
                inFlightIndex == qint64(expected.size()) && count == inFlightIndex + 1;
            ASSERT_EQ(count, qint64(expected.size()) + (appendLanded ? 1 : 0));
            if (appendLanded)
                expected.push_back(inFlight);
            const QByteArray bytes = test::readFile(path);
            for (std::size_t i = 0; i < expected.size(); ++i) {
                const QByteArray stored =
                    bytes.mid(qsizetype(i) * VoucherRecord::Size, VoucherRecord::Size);
                if (qint64(i) == inFlightIndex && !appendLanded) {
                    // An update cut short: each byte is the old one or the new one.
                    for (int b = 0; b < VoucherRecord::Size; ++b)
                        ASSERT_TRUE(stored[b] == expected[i][b] || stored[b] == inFlight[b])
                            << "byte " << b;
                    expected[i] = stored;
                } else {
                    ASSERT_EQ(stored.toHex(), expected[i].toHex()) << "position " << i + 1;
                }
            }
            // A record cut short was ignored and its place taken by the next voucher.
            if (countAtTail >= 0 && count > countAtTail)
                ++tailsOverwritten;

            // Now and then the file ends in a cut record before the next round, as
            // a save of another copy cut by a power failure would leave it.
            if (bytes.size() % VoucherRecord::Size == 0 && random() % 3 == 0) {
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::Append));
                file.write(savedVoucher(random()).left(1 + int(random() % 1054)));
                ++cutTails;
            }
            countAtTail = QFile(path).size() % VoucherRecord::Size != 0 ? count : -1;
        });
    EXPECT_GT(saves, 0);
    EXPECT_GT(cutTails, 0);
    EXPECT_GT(tailsOverwritten, 0);
}

// Settings and password store: a kill leaves the old content or the new one,
// never a mix, never nothing, and every other line of the file as it was.
struct ReplacedFile {
    const char* name;
    const char* mode;
    QString (*path)(const QString& folder);
    void (*write)(const QString& path, qint64 version); // as the child would
    bool (*holds)(const QString& path, qint64 version);
};
void PrintTo(const ReplacedFile& c, std::ostream* os) {
    *os << c.name;
}

const ReplacedFile ReplacedFiles[] = {
    {"Settings", "settings", settingsFile,
     [](const QString& path, qint64 j) {
         ASSERT_TRUE(saveArchiveDefaults(path, defaultsVersion(j)));
     },
     [](const QString& path, qint64 j) {
         const Result<ArchiveDefaults> read = loadArchiveDefaults(path);
         if (!read)
             return false;
         const ArchiveDefaults& d = *read;
         const ArchiveDefaults e = defaultsVersion(j);
         return d[storage::Holds::ValidFrom] == e[storage::Holds::ValidFrom] &&
                d[storage::Holds::Expiry] == e[storage::Holds::Expiry] &&
                d[storage::Holds::Value] == e[storage::Holds::Value] &&
                d[storage::Holds::Place] == e[storage::Holds::Place].trimmed() &&
                d[storage::Holds::Conditions] == e[storage::Holds::Conditions];
     }},
    {"PasswordStore", "password", storePath,
     [](const QString& path, qint64 j) {
         ASSERT_TRUE(
             access::PasswordStore(path).writeValue(access::Crypt::Scramble(passwordVersion(j))));
     },
     [](const QString& path, qint64 j) {
         const Result<QString> value = access::PasswordStore(path).readValue();
         return value && access::Crypt::Unscramble(*value) == passwordVersion(j);
     }},
};

class StorageKillReplace : public StorageKill,
                           public ::testing::WithParamInterface<ReplacedFile> {};

TEST_P(StorageKillReplace, HoldsTheOldOrTheNewContentNeverAMix) {
    const ReplacedFile& c = GetParam();
    const QString path = c.path(folder());
    // A file another copy wrote, with lines of its own that must stay.
    test::writeFile(path, "; scritto a mano\r\n[Altro]\r\nChiave=1\r\n");
    c.write(path, 0);
    qint64 lastDone = 0;
    const qint64 saves = killRepeatedly(
        QString::fromLatin1(c.mode), folder(), [&](const Reports& reports, std::mt19937&) {
            qint64 begun = lastDone;
            for (const QByteArrayList& line : reports.lines) {
                if (line[0] == "B")
                    begun = line[1].toLongLong();
                else
                    lastDone = line[1].toLongLong();
            }
            const QByteArray bytes = test::readFile(path);
            ASSERT_TRUE(bytes.startsWith("; scritto a mano\r\n[Altro]\r\nChiave=1\r\n"))
                << "other lines kept:\n"
                << bytes.toStdString();
            const bool old = c.holds(path, lastDone);
            const bool now = begun != lastDone && c.holds(path, begun);
            ASSERT_TRUE(old || now) << "after save " << lastDone << " of " << begun << ":\n"
                                    << bytes.toStdString();
            if (now)
                lastDone = begun;
        });
    EXPECT_GT(saves, 0);
}

INSTANTIATE_TEST_SUITE_P(Storage, StorageKillReplace, ::testing::ValuesIn(ReplacedFiles),
                         scontrix::test::RowName());

} // namespace
} // namespace scontrix::storage

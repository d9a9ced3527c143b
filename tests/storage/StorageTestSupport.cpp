#include "StorageTestSupport.h"

#include <QFile>
#include <cstdio>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace scontrix::storage::test {

QByteArray readFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

VoucherRecord numberedVoucher(int number) {
    VoucherRecord record;
    record.acquirente = QStringLiteral("Cliente %1").arg(number);
    record.num = QString::number(number);
    record.evento = QStringLiteral("%1,00").arg(number % 100);
    record.pagato = number % 2 == 0;
    return record;
}

QByteArray numberedArchive(int count) {
    QByteArray bytes;
    for (int number = 1; number <= count; ++number)
        bytes += numberedVoucher(number).toBytes();
    return bytes;
}

int runAsOrdinaryUser(const std::function<int()>& check) {
    constexpr uid_t Nobody = 65534;
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
            ::_exit(125);
        ::_exit(check());
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace scontrix::storage::test

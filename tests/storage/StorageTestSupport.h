#pragma once

#include "storage/VoucherRecord.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace scontrix::storage::test {

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

// A voucher whose number and customer tell which one it is.
VoucherRecord numberedVoucher(int number);
// `count` numbered vouchers, one after the other, as an archive holds them.
QByteArray numberedArchive(int count);

// Runs `check` in a forked child that has given up root and returns the
// child's exit code (125 when root could not be given up). Tests often run as
// root, which ignores file permissions; the child sees them as a user would.
int runAsOrdinaryUser(const std::function<int()>& check);

} // namespace scontrix::storage::test

#include "access/PasswordStore.h"

#include "access/Crypt.h"
#include "storage/IniFile.h"
#include "storage/PlainFile.h"
#include "storage/Text.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace scontrix::access {

namespace {
const QString Section = QStringLiteral("Accesso");
const QString Key = QStringLiteral("Valore");
} // namespace

storage::Result<QString> PasswordStore::readValue() const {
    const storage::Result<storage::IniFile> ini = storage::IniFile::load(path_);
    if (!ini)
        return storage::Failure{ini.error()};
    // Trimmed as the keys are: a hand edit ("Valore = 5EA7...") leaves blanks
    // around the value that are no part of it.
    return storage::trimControl(ini->value(Section, Key));
}

PasswordStore::Check PasswordStore::check(const QString& typed) const {
    // A store that is there but cannot be read is as damaged as one that
    // does not unscramble.
    const storage::Result<QString> value = readValue();
    const std::optional<QString> stored = value ? Crypt::Unscramble(*value) : std::nullopt;
    if (!stored)
        return Check::Unreadable;
    return storage::trimControl(*stored) == Crypt::Normalise(typed) ? Check::Matches
                                                                    : Check::Differs;
}

storage::Result<> PasswordStore::writePassword(const QString& normalised) const {
    return writeValue(storage::trimControl(Crypt::Scramble(normalised)));
}

storage::Result<> PasswordStore::writeValue(const QString& scrambled) const {
    const storage::Result<storage::IniFile> read = storage::IniFile::load(path_);
    if (!read)
        return storage::Failure{read.error()};
    storage::IniFile ini = *read;
    ini.setValue(Section, Key, scrambled);
    return ini.save(path_);
}

storage::Result<bool> PasswordStore::placeShipped(const QString& folder) {
    const QString store = folder + FileName;
    if (QFile::exists(store))
        return false;
    const storage::Result<std::optional<QByteArray>> shipped =
        storage::readPlainFile(folder + ShippedName);
    if (!shipped)
        return storage::Failure{shipped.error()};
    if (!shipped->has_value())
        return storage::Failure{QStringLiteral("manca il file %1").arg(ShippedName)};
    const QByteArray& bytes = **shipped;
    // Written whole under a temporary name, then renamed: a rename that never
    // replaces an existing file, so a store written meanwhile by another
    // station starting from the same folder is kept. Made as any new file of
    // the user's (0666 less the umask), not for its owner alone: a shop's
    // second login, or a second station on a shared folder, reads it too.
    const QByteArray temporary = QFile::encodeName(folder) + "unins000." +
                                 QByteArray::number(QRandomGenerator::global()->generate(), 36) +
                                 ".tmp";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return storage::Failure{QString::fromLocal8Bit(std::strerror(errno))};
    bool written = true;
    for (const char* at = bytes.constData(); written && at < bytes.constEnd();) {
        const ssize_t done = ::write(fd, at, size_t(bytes.constEnd() - at));
        if (done < 0 && errno == EINTR)
            continue;
        written = done > 0;
        at += written ? done : 0;
    }
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    const QString temporaryName = QFile::decodeName(temporary);
    if (!written) {
        ::unlink(temporary.constData());
        return storage::Failure{QString::fromLocal8Bit(std::strerror(error))};
    }
    QFile copy(temporaryName);
    if (!copy.rename(store)) {
        const QString why = copy.errorString();
        ::unlink(temporary.constData());
        return QFile::exists(store) ? storage::Result<bool>(false)
                                    : storage::Result<bool>(storage::Failure{why});
    }
    return true;
}

} // namespace scontrix::access

#include "access/PasswordStore.h"

#include "storage/IniFile.h"
#include "storage/PlainFile.h"
#include "storage/Text.h"

#include <QFile>
#include <QTemporaryFile>

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
    // Written whole under a temporary name, then renamed: a rename never
    // replaces an existing file, so a store written meanwhile by another
    // station starting from the same folder is kept.
    QTemporaryFile copy(folder + QStringLiteral("unins000.XXXXXX.tmp"));
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
        return storage::Failure{copy.errorString()};
    if (!copy.rename(store))
        return QFile::exists(store) ? storage::Result<bool>(false)
                                    : storage::Result<bool>(storage::Failure{copy.errorString()});
    copy.setAutoRemove(false); // it is the store now
    return true;
}

} // namespace scontrix::access

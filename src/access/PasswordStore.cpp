#include "access/PasswordStore.h"

#include "storage/IniFile.h"

namespace scontrix::access {

namespace {
const QString Section = QStringLiteral("Accesso");
const QString Key = QStringLiteral("Valore");
} // namespace

QString PasswordStore::readValue() const {
    return storage::IniFile::load(path_).value(Section, Key);
}

storage::Result<> PasswordStore::writeValue(const QString& scrambled) const {
    storage::IniFile ini = storage::IniFile::load(path_);
    ini.setValue(Section, Key, scrambled);
    return ini.save(path_);
}

} // namespace scontrix::access

#include "access/PasswordStore.h"

#include "storage/IniFile.h"
#include "storage/Text.h"

namespace scontrix::access {

namespace {
const QString Section = QStringLiteral("Accesso");
const QString Key = QStringLiteral("Valore");
} // namespace

QString PasswordStore::readValue() const {
    // Trimmed as the keys are: a hand edit ("Valore = 5EA7...") leaves blanks
    // around the value that are no part of it.
    return storage::trimControl(storage::IniFile::load(path_).value(Section, Key));
}

storage::Result<> PasswordStore::writeValue(const QString& scrambled) const {
    storage::IniFile ini = storage::IniFile::load(path_);
    ini.setValue(Section, Key, scrambled);
    return ini.save(path_);
}

} // namespace scontrix::access

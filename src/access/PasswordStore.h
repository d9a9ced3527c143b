#pragma once

#include "storage/Result.h"

#include <QString>

namespace scontrix::access {

// The password store: "unins000.dll" in the program folder, an INI file whose
// section "Accesso" holds the scrambled password as "Valore". It is read afresh
// for every check and never kept open.
class PasswordStore {
public:
    static inline const QString FileName = QStringLiteral("unins000.dll");

    explicit PasswordStore(QString path) : path_(std::move(path)) {}

    // The stored value, trimmed; empty when the file, the section or the key
    // is missing.
    QString readValue() const;

    // Replaces the stored value and nothing else in the file. The file is
    // replaced as a whole, so a failed write leaves the password in force.
    storage::Result<> writeValue(const QString& scrambled) const;

private:
    QString path_;
};

} // namespace scontrix::access

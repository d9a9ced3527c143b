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
    // The first-access store as the package ships it. It has its own name so
    // that unpacking a new version over an installation never replaces the
    // password the shop chose; start-up copies it into place when none is there.
    static inline const QString ShippedName = QStringLiteral("unins000.dll.dist");

    // Copies the shipped store of `folder` (with trailing separator) to the
    // store's name when the store is missing. Never replaces a store, even one
    // that appears meanwhile, and never leaves a half-written one behind.
    // True when it placed the store; false when there was nothing to do.
    static storage::Result<bool> placeShipped(const QString& folder);

    explicit PasswordStore(QString path) : path_(std::move(path)) {}

    // The stored value, trimmed; empty when the file, the section or the key
    // is missing. Fails when something is there that cannot be read (see
    // storage::readPlainFile): never waits on it, never takes it for no store.
    storage::Result<QString> readValue() const;

    // Replaces the stored value and nothing else in the file. The file is
    // replaced as a whole, so a failed write leaves the password in force; a
    // store that cannot be read is left as it is.
    storage::Result<> writeValue(const QString& scrambled) const;

    // What a password typed at the counter is, against the stored one.
    enum class Check {
        Matches,
        Differs,
        // The store is there but cannot be read, or its value does not
        // unscramble: nothing typed can match it.
        Unreadable,
    };
    // Reads the store afresh, unscrambles its value and compares it with
    // `typed` as the shop types it (Crypt::Normalise). Both password windows
    // check through here; the unscrambled password never leaves it.
    Check check(const QString& typed) const;

    // Scrambles `normalised` (a password Crypt::Normalise gave and
    // Crypt::IsStorable accepts) and stores it in place of the one in force.
    storage::Result<> writePassword(const QString& normalised) const;

private:
    QString path_;
};

} // namespace scontrix::access

// The INI reader: settings files and the password store as any editor or
// damaged disk may leave them.
#include "FuzzCheck.h"
#include "storage/IniFile.h"
#include "storage/Windows1252.h"

#include <cstdint>

using scontrix::storage::IniFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniFile ini = IniFile::fromBytes(bytes);

    // What the program writes it reads back as it wrote it.
    const QByteArray written = ini.toBytes();
    FUZZ_CHECK(IniFile::fromBytes(written).toBytes() == written);

    // The lookups the program makes, on whatever is there.
    const QString section = QStringLiteral("Dati Buono");
    const QString before = ini.value(QStringLiteral("Accesso"), QStringLiteral("Valore"));
    FUZZ_CHECK(ini.contains(QStringLiteral("Accesso"), QStringLiteral("Valore")) ||
               before.isEmpty());

    // A value set is the value read, before and after a write, and nothing
    // else changes: the last bytes of the input serve as the value.
    QString value = scontrix::storage::cp1252::decode(bytes.right(40));
    ini.setValue(section, QStringLiteral("Luogo"), value);
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    FUZZ_CHECK(ini.value(section, QStringLiteral("Luogo")) == value);
    const IniFile reread = IniFile::fromBytes(ini.toBytes());
    FUZZ_CHECK(reread.value(section, QStringLiteral("Luogo")) == value);
    FUZZ_CHECK(reread.value(QStringLiteral("Accesso"), QStringLiteral("Valore")) == before ||
               QString::compare(section, QStringLiteral("Accesso"), Qt::CaseInsensitive) == 0);
    return 0;
}

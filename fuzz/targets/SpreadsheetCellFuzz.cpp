// The spreadsheet's cells: whatever a cell holds, it cannot end its cell or
// the table, and reading the character references back gives the text.
#include "FuzzCheck.h"
#include "export/SpreadsheetFile.h"
#include "storage/Text.h"
#include "storage/Windows1252.h"

#include <QList>
#include <cstdint>
#include <optional>

using namespace scontrix;

namespace {

// Undoes the three references the writer uses; false on any other "&".
bool unescape(const QByteArray& escaped, QByteArray& out) {
    for (qsizetype i = 0; i < escaped.size();) {
        if (escaped[i] != '&') {
            out.append(escaped[i++]);
            continue;
        }
        bool known = false;
        for (const auto& [reference, byte] :
             {std::pair{"&amp;", '&'}, std::pair{"&lt;", '<'}, std::pair{"&gt;", '>'}}) {
            if (escaped.mid(i).startsWith(reference)) {
                out.append(byte);
                i += static_cast<qsizetype>(qstrlen(reference));
                known = true;
                break;
            }
        }
        if (!known)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    QByteArray escaped;
    exporting::appendEscaped(escaped, bytes.constData(), bytes.size());
    FUZZ_CHECK(!escaped.contains('<') && !escaped.contains('>'));
    QByteArray back;
    FUZZ_CHECK(unescape(escaped, back));
    FUZZ_CHECK(back == bytes);

    // A typed text: trimmed, one byte a character, "?" where the code page
    // has no byte, then escaped.
    const QString text = QString::fromUtf8(bytes);
    const QByteArray cell = exporting::cellBytes(text);
    FUZZ_CHECK(!cell.contains('<') && !cell.contains('>'));
    QByteArray plain;
    FUZZ_CHECK(unescape(cell, plain));
    // One byte a character: a character beyond the 16-bit range (a pair of
    // code units) is one "?" as well.
    QByteArray expected;
    for (const uint c : storage::trimControl(text).toUcs4()) {
        const auto b =
            c <= 0xFFFF ? storage::cp1252::encodeChar(static_cast<char16_t>(c)) : std::nullopt;
        expected.append(b ? static_cast<char>(*b) : '?');
    }
    FUZZ_CHECK(plain == expected);
    return 0;
}

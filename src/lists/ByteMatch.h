#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace scontrix::lists {

// A text sought inside Windows-1252 bytes with A-Z and a-z counted alike and
// no other letter folded, as the search filters and the find in a list do.
// Matching on the bytes spares decoding a million fields into strings; it
// gives the same answer as decoding and comparing the texts, since the code
// page has one byte per character and folds only where ASCII does.
class ByteMatch {
public:
    // An empty text matches nothing. So does a text with a character that the
    // code page cannot hold, since no decoded field can contain it (encoding
    // it with a substitute would find "o" for "ő").
    explicit ByteMatch(const QString& text);

    bool matchesNothing() const { return !needle_; }
    bool foundIn(const char* bytes, qsizetype size) const { return foundIn(bytes, size, size); }
    // The same where `readable` bytes from `bytes` on may be read (at least
    // `size`): bytes past the text are looked at sixteen at a time with it but
    // never counted, which spares short fields inside a record the slow path.
    bool foundIn(const char* bytes, qsizetype size, qsizetype readable) const;
    bool foundIn(QByteArrayView bytes) const { return foundIn(bytes.data(), bytes.size()); }

    // The byte with A-Z turned into a-z.
    static uchar fold(uchar b) { return b >= 'A' && b <= 'Z' ? static_cast<uchar>(b + 32) : b; }

private:
    std::optional<QByteArray> needle_; // folded
};

} // namespace scontrix::lists

#pragma once

#include "storage/Result.h"

#include <QString>
#include <QStringList>
#include <utility>

namespace scontrix::storage {

// A settings file of the plain kind every copy of the program reads: section
// header lines "[name]" and lines "key=value", Windows-1252 text, CRLF line
// ends. The platform's own settings class would rewrite the whole file in its
// escaped form; this one keeps every line it does not change as it was
// (comments, blank lines, other sections and keys, their order), so the file
// stays readable by the other desktops that share it.
//
// Section and key names match ignoring the case of the ASCII letters only.
// The value is everything after the first "=" of the line, as it stands.
// Lines before the first section header belong to the section named "".
class IniFile {
public:
    // A missing file gives an empty document. Anything else that cannot be
    // read fails: a file without read permission or whose reading fails, and
    // anything that is not a plain file (a folder, a FIFO, a socket, a
    // device), which is never even opened in a way that could wait. None of
    // them is an empty document: saving one over it would lose all it holds.
    // Lines may end in LF or CRLF; UTF-8 byte order marks before the first
    // line are skipped.
    static Result<IniFile> load(const QString& path);
    // The document of a file's bytes, read as load() reads them.
    static IniFile fromBytes(QByteArray bytes);

    // The value of the first such key in the first matching section; empty
    // when there is none.
    QString value(const QString& section, const QString& key) const;
    bool contains(const QString& section, const QString& key) const;

    // Replaces the value on the key's line, or adds "key=value" after the last
    // non-blank line of the section, or adds the section at the end of the
    // file. A line break inside the value would start a new line of the file,
    // so each one is written as a blank.
    void setValue(const QString& section, const QString& key, const QString& value);

    // Writes the whole file at once through a temporary file, so that a failed
    // save (for instance in a folder without write permission) leaves the old
    // file as it was. The byte order mark, if the file had one, is not written
    // back: the other copies of the program read the file as Windows-1252.
    Result<> save(const QString& path) const;

    // The document as save() writes it.
    QByteArray toBytes() const;

    QStringList lines() const { return lines_; }

private:
    struct KeyLine {
        qsizetype line = -1;
        qsizetype equals = -1;
    };
    // [first, end) line range of the body of the first section named `section`;
    // first is -1 when there is no such section.
    std::pair<qsizetype, qsizetype> sectionBody(const QString& section) const;
    KeyLine findKey(const QString& section, const QString& key) const;

    QStringList lines_; // without their line ends
};

} // namespace scontrix::storage

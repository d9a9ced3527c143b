#include "storage/IniFile.h"

#include "storage/PlainFile.h"
#include "storage/Text.h"
#include "storage/Windows1252.h"

#include <QSaveFile>
#include <optional>

namespace scontrix::storage {

namespace {

bool sameName(const QString& a, const QString& b) {
    return foldAsciiUpper(trimControl(a)) == foldAsciiUpper(trimControl(b));
}

// The name of a section header line, or nothing for other lines.
std::optional<QString> headerName(const QString& line) {
    const QString trimmed = trimControl(line);
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1);
}

bool isComment(const QString& line) {
    const QString trimmed = trimControl(line);
    return trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

} // namespace

Result<IniFile> IniFile::load(const QString& path) {
    const Result<std::optional<QByteArray>> bytes = readPlainFile(path);
    if (!bytes)
        return Failure{bytes.error()};
    return bytes->has_value() ? fromBytes(**bytes) : IniFile{};
}

IniFile IniFile::fromBytes(QByteArray bytes) {
    IniFile ini;
    // Some editors add a byte order mark in front of the one already there.
    // Every one is skipped: one kept as text would hide the first section from
    // this reading and show it to the next, after save() has dropped the mark,
    // bringing back values the user had since replaced.
    while (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    if (bytes.isEmpty())
        return ini;
    // The last line end closes the last line rather than opening an empty one.
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    for (const QByteArray& line : bytes.split('\n')) {
        QString text = cp1252::decode(line);
        if (text.endsWith(u'\r'))
            text.chop(1);
        ini.lines_.append(text);
    }
    return ini;
}

std::pair<qsizetype, qsizetype> IniFile::sectionBody(const QString& section) const {
    qsizetype first = -1;
    // Lines before any header form the section without a name.
    if (trimControl(section).isEmpty())
        first = 0;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const auto name = headerName(lines_.at(i));
        if (!name)
            continue;
        if (first >= 0)
            return {first, i};
        if (sameName(*name, section))
            first = i + 1;
    }
    return {first, lines_.size()};
}

IniFile::KeyLine IniFile::findKey(const QString& section, const QString& key) const {
    const auto [first, end] = sectionBody(section);
    if (first < 0)
        return {};
    for (qsizetype i = first; i < end; ++i) {
        const QString& line = lines_.at(i);
        if (isComment(line))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && sameName(line.left(equals), key))
            return {i, equals};
    }
    return {};
}

QString IniFile::value(const QString& section, const QString& key) const {
    const KeyLine found = findKey(section, key);
    if (found.line < 0)
        return {};
    return lines_.at(found.line).mid(found.equals + 1);
}

bool IniFile::contains(const QString& section, const QString& key) const {
    return findKey(section, key).line >= 0;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    QString oneLine = value;
    oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    oneLine.replace(u'\r', u' ');
    oneLine.replace(u'\n', u' ');

    const KeyLine found = findKey(section, key);
    if (found.line >= 0) {
        QString& line = lines_[found.line];
        line = line.left(found.equals + 1) + oneLine;
        return;
    }
    const QString newLine = key + u'=' + oneLine;
    const auto [first, end] = sectionBody(section);
    if (first < 0) {
        lines_.append(u'[' + section + u']');
        lines_.append(newLine);
        return;
    }
    // After the last non-blank line of the section, so that the blank lines
    // that separate it from the next section stay where they are.
    qsizetype at = end;
    while (at > first && trimControl(lines_.at(at - 1)).isEmpty())
        --at;
    lines_.insert(at, newLine);
}

QByteArray IniFile::toBytes() const {
    QByteArray bytes;
    for (const QString& line : lines_) {
        bytes += cp1252::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

Result<> IniFile::save(const QString& path) const {
    QSaveFile file(path);
    const QByteArray bytes = toBytes();
    // Unbuffered, so that a short write (a full disk, a size limit) is seen
    // here: through the buffer it would surface only at commit, where a
    // partial write can pass unnoticed and replace the file with a stub.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit())
        return Failure{file.errorString()};
    return {};
}

} // namespace scontrix::storage

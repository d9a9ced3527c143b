#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <optional>

namespace scontrix::test {

// What a poppler tool (pdfinfo, pdftotext) prints for a PDF file; none when
// poppler is not installed, an empty text when the tool fails.
inline std::optional<QString> poppler(const QString& tool, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of one page of a PDF file.
inline QString pdfPageText(const QString& file, int page) {
    const QString n = QString::number(page);
    return poppler(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), n, QStringLiteral("-l"), n, QStringLiteral("-layout"),
                    file, QStringLiteral("-")})
        .value_or(QString());
}

} // namespace scontrix::test

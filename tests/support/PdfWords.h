#pragma once

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace scontrix::test {

// One word of a printed page and where it stands, in millimetres from the
// paper's top-left corner.
struct PdfWord {
    QString text;
    QRectF mm;
};

// The words of one page of a PDF file as poppler's pdftotext -bbox finds
// them; empty when poppler is missing or cannot read the file.
inline QList<PdfWord> pdfWords(const QString& file, int page) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return {};
    const QString n = QString::number(page);
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-f"), n, QStringLiteral("-l"), n, QStringLiteral("-bbox"), file,
                   QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    constexpr double MmPerPoint = 25.4 / 72;
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(5);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        const QPointF from(m.captured(1).toDouble() * MmPerPoint,
                           m.captured(2).toDouble() * MmPerPoint);
        const QPointF to(m.captured(3).toDouble() * MmPerPoint,
                         m.captured(4).toDouble() * MmPerPoint);
        words.append({text, QRectF(from, to)});
    }
    return words;
}

// How many times `text` stands as a word wholly inside the area (mm).
inline int wordsInside(const QList<PdfWord>& words, const QString& text, const QRectF& area) {
    return static_cast<int>(std::count_if(words.begin(), words.end(), [&](const PdfWord& w) {
        return w.text == text && area.contains(w.mm);
    }));
}

} // namespace scontrix::test

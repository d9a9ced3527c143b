// Writes the user manual as an A4 PDF from its Markdown source, with the
// program's own look: red title, steel-blue chapter headings, page numbers.
//
//     scontrix_makemanual Guida.md Guida.pdf

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdio>

namespace {

const QString BodyFamily = QStringLiteral("DejaVu Sans");

void styleBlock(QTextDocument& doc, const QTextBlock& block) {
    QTextCursor cursor(&doc);
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);

    QTextBlockFormat paragraph = block.blockFormat();
    QTextCharFormat text;
    switch (paragraph.headingLevel()) {
    case 1:
        text.setFontPointSize(24);
        text.setFontWeight(QFont::Bold);
        text.setForeground(QColor(0xB7, 0x1C, 0x1C));
        paragraph.setBottomMargin(14);
        break;
    case 2:
        text.setFontPointSize(15);
        text.setFontWeight(QFont::Bold);
        text.setForeground(QColor(0x2F, 0x66, 0x98));
        paragraph.setTopMargin(20);
        paragraph.setBottomMargin(6);
        break;
    case 3:
        text.setFontPointSize(12);
        text.setFontWeight(QFont::Bold);
        text.setForeground(QColor(0x1F, 0x3A, 0x56));
        paragraph.setTopMargin(10);
        paragraph.setBottomMargin(4);
        break;
    default:
        text.setFontPointSize(10.5);
        paragraph.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
        paragraph.setBottomMargin(block.textList() ? 3 : 7);
        break;
    }
    cursor.setBlockFormat(paragraph);
    // Merged, so that bold, italics and code kept from the source survive.
    cursor.mergeCharFormat(text);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE.md OUTPUT.pdf\n", argv[0]);
        return 2;
    }
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);

    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument doc;
    doc.setDefaultFont(QFont(BodyFamily, 10));
    doc.setMarkdown(QString::fromUtf8(source.readAll()), QTextDocument::MarkdownDialectGitHub);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        styleBlock(doc, block);

    // Written beside the target and moved into place only when complete, so a
    // failed run never leaves a damaged manual in the program folder.
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    {
        QPdfWriter pdf(&output);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        pdf.setResolution(300);
        pdf.setTitle(QStringLiteral("Scontrix - Guida all'utilizzo"));
        pdf.setCreator(QStringLiteral("Scontrix"));
        doc.print(&pdf);
    }
    if (!output.commit()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

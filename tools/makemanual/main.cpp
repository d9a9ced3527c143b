// Writes the user manual as an A4 PDF from its Markdown source, with the
// program's own look: red title, steel-blue chapter headings, page numbers.
// Pictures (![...](path), relative to the source) are the windows' screenshots:
// each stands centred on a line of its own, all at one scale, so that a
// dialog looks as much smaller than a full-screen window as it is on screen.
//
//     scontrix_makemanual Guida.md Guida.pdf

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <algorithm>
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

// Gives every picture its size in the printed page (`pixelsPerScreenPixel`
// device pixels for each pixel of the screenshot, never wider than the text)
// and centres the paragraphs that hold nothing but a picture.
bool sizePictures(QTextDocument& doc, double pixelsPerScreenPixel, double textWidth) {
    bool allFound = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        bool onlyPictures = true;
        bool anyPicture = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) {
                if (!fragment.text().trimmed().isEmpty())
                    onlyPictures = false;
                continue;
            }
            anyPicture = true;
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            const QVariant loaded =
                doc.resource(QTextDocument::ImageResource, QUrl(picture.name()));
            QImage image = loaded.value<QImage>();
            if (image.isNull())
                image.loadFromData(loaded.toByteArray());
            if (image.isNull()) {
                std::fprintf(stderr, "picture not found: %s\n", qPrintable(picture.name()));
                allFound = false;
                continue;
            }
            // Named by its full address: printing lays out a copy of the
            // document, which does not keep the source's folder.
            picture.setName(doc.baseUrl().resolved(QUrl(picture.name())).toString());
            const double scale = std::min(pixelsPerScreenPixel, textWidth / image.width());
            picture.setWidth(image.width() * scale);
            picture.setHeight(image.height() * scale);
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
        if (anyPicture && onlyPictures) {
            QTextCursor cursor(block);
            QTextBlockFormat centred = block.blockFormat();
            centred.setAlignment(Qt::AlignHCenter);
            centred.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
            centred.setTopMargin(8);
            centred.setBottomMargin(2);
            cursor.setBlockFormat(centred);
            // The picture's caption, the italic line under it, is centred too.
            const QTextBlock caption = block.next();
            if (caption.isValid() && caption.begin() != caption.end() &&
                caption.begin().fragment().charFormat().fontItalic()) {
                QTextCursor captionCursor(caption);
                QTextBlockFormat format = caption.blockFormat();
                format.setAlignment(Qt::AlignHCenter);
                format.setBottomMargin(12);
                captionCursor.setBlockFormat(format);
            }
        }
    }
    return allFound;
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
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(sourcePath).absolutePath() + QStringLiteral("/")));
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
        // Printing lays the document out in screen pixels (the screen's
        // resolution, scaled to the printer's when drawn) between 2 cm margins
        // on each side; a 1100-pixel screenshot of a full-screen window fills
        // that width.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const int layoutDpi = screen ? qRound(screen->logicalDotsPerInchX()) : 96;
        const double textWidth =
            pdf.pageLayout().paintRectPixels(layoutDpi).width() - 2 * int(2 / 2.54 * layoutDpi);
        if (!sizePictures(doc, textWidth / 1100.0, textWidth)) {
            output.cancelWriting();
            return 1;
        }
        doc.print(&pdf);
    }
    if (!output.commit()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

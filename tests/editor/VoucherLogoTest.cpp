#include "EditorFixture.h"
#include "LogoFiles.h"
#include "TableRows.h"
#include "ui/Picture.h"

#include <QImageReader>
#include <QLabel>

// The logo of a voucher by every route the editor shows one (opening the
// archive, navigation, a new voucher, the picker), for every kind of logo file
// a shop may have: what the screen shows, and what a save leaves on disk.
using namespace scontrix;
using platform::MessageType;
using test::LogoCase;

namespace {

const QString Updated =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString Inserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");

class EditorLogo : public test::EditorFixture, public ::testing::WithParamInterface<LogoCase> {
protected:
    QString logoName(int position) const {
        return QStringLiteral("Logo_Ditta/Negozio_Foto_%1.jpg").arg(position);
    }
    void writeLogoBytes(int position, const QByteArray& bytes) {
        QDir().mkpath(folder.file(QStringLiteral("Logo_Ditta")));
        folder.write(logoName(position), bytes);
    }
    QByteArray logoBytes(int position) const { return folder.read(logoName(position)); }

    // The row's picture on screen, at its own size, or the placeholder when
    // its file cannot be read.
    void expectTheRowsPictureShown() const {
        const LogoCase& row = GetParam();
        const QImage shown = ed()->imgFoto->image();
        if (!row.readable()) {
            EXPECT_EQ(shown, ed()->imgBianco->image()) << "the placeholder";
            return;
        }
        EXPECT_EQ(shown.size(), row.size);
        EXPECT_TRUE(test::closeColours(shown.pixelColor(2, 2), row.colour))
            << shown.pixelColor(2, 2).name().toStdString();
    }

    // The size of the picture in a stored file, and its colour at the top
    // left, read at a small size (a scanner's logo decodes slowly).
    struct Stored {
        QSize size;
        QColor colour;
    };
    Stored storedLogo(int position) const {
        QImageReader reader(logo(position));
        const QSize size = reader.size();
        if (size.isValid())
            reader.setScaledSize(size.scaled(90, 90, Qt::KeepAspectRatio));
        const QImage small = reader.read();
        return {size, small.isNull() ? QColor() : small.pixelColor(0, 0)};
    }

    // A new voucher's customer and beneficiary; the rest is kept or proposed.
    void fillNewVoucher() {
        ed()->txtAcquirente->setText(QStringLiteral("Rossi Mario"));
        ed()->txtPosto->setText(QStringLiteral("Anna Bianchi"));
    }
};

// Voucher 1 has a red logo, voucher 2 the row's file. Before, voucher 2 kept
// the red picture on screen whenever its own could not be read (a scanner's
// JPEG among them), and saving it wrote the red picture over its file; any
// save re-encoded a logo that was read well.
TEST_P(EditorLogo, ShownAfterAnotherVouchersLogoAndLeftAsItIsBySaving) {
    writeArchive(2);
    writeLogo(1, Qt::red);
    writeLogoBytes(2, GetParam().bytes());
    const QByteArray red = logoBytes(1), own = logoBytes(2);
    openEditor();
    click("cmdPrimo");
    ASSERT_GT(logoColour().red(), 200);

    click("cmdAvanti");
    ASSERT_EQ(ed()->lblPosizione->text(), QStringLiteral("2"));
    expectTheRowsPictureShown();

    click("cmdSalva");
    EXPECT_EQ(desktop.messages.texts(), QStringList{Updated});
    EXPECT_EQ(logoBytes(2), own) << "byte for byte as it was";
    EXPECT_EQ(logoBytes(1), red);
}

// A new voucher keeps the picture of the voucher shown before it, as it was
// read, and saving writes it for the new voucher at its full size; after a
// logo that could not be read, the new voucher has none of its own.
TEST_P(EditorLogo, GoesOnToANewVoucherOnlyAsItWasRead) {
    writeArchive(2);
    writeLogo(1, Qt::red);
    writeLogoBytes(2, GetParam().bytes());
    const QByteArray own = logoBytes(2);
    openEditor();
    click("cmdPrimo");
    click("cmdAvanti");

    click("cmdNuovo");
    ASSERT_TRUE(ed()->lblPosizione->text().isEmpty());
    expectTheRowsPictureShown();
    fillNewVoucher();
    click("cmdSalva");
    ASSERT_EQ(desktop.messages.texts(), QStringList{Inserted});
    ASSERT_EQ(ed()->lblPosizione->text(), QStringLiteral("3"));

    const Stored stored = storedLogo(3);
    EXPECT_TRUE(logoBytes(3).startsWith("\xff\xd8\xff")) << "a JPEG, whatever was read";
    if (GetParam().readable()) {
        EXPECT_EQ(stored.size, GetParam().size) << "at the picture's own size";
        EXPECT_TRUE(test::closeColours(stored.colour, GetParam().colour))
            << stored.colour.name().toStdString();
    } else {
        EXPECT_EQ(stored.size, ed()->imgBianco->image().size()) << "the placeholder";
        EXPECT_FALSE(test::closeColours(stored.colour, Qt::red));
    }
    EXPECT_EQ(logoBytes(2), own);
}

// The editor opens with the first voucher's logo and then the archive's
// defaults; a first logo that cannot be read shows the placeholder and no
// defaults, and it stays as it is on disk.
TEST_P(EditorLogo, OpensTheArchiveWithItsFirstLogo) {
    writeArchive(2);
    writeLogoBytes(1, GetParam().bytes());
    const QByteArray own = logoBytes(1);
    folder.write(QStringLiteral("Negozio.ini"), "[Dati Buono]\r\nValore=25,00\r\n");
    openEditor();
    expectTheRowsPictureShown();
    EXPECT_EQ(ed()->txtEvento->text(), GetParam().readable() ? QStringLiteral("25,00") : QString());

    click("cmdPrimo");
    expectTheRowsPictureShown();
    click("cmdSalva");
    EXPECT_EQ(desktop.messages.texts(), QStringList{Updated});
    EXPECT_EQ(logoBytes(1), own);
}

// A picked file that is a picture replaces the one on screen and is stored,
// at its own size, by the next save; any other leaves the voucher's own logo
// on screen and on disk.
TEST_P(EditorLogo, PickedForAStoredVoucher) {
    writeArchive(1);
    writeLogo(1, Qt::red);
    const QByteArray red = logoBytes(1);
    folder.write(QStringLiteral("scelto.jpg"), GetParam().bytes());
    openEditor();
    click("cmdPrimo");

    desktop.files.answers = {folder.file(QStringLiteral("scelto.jpg"))};
    click("imgFoto");
    ASSERT_EQ(desktop.files.requests.size(), 1u);
    if (GetParam().readable())
        expectTheRowsPictureShown();
    else
        EXPECT_GT(logoColour().red(), 200) << "the voucher's own logo stays";
    click("cmdSalva");
    EXPECT_EQ(desktop.messages.texts(), QStringList{Updated});

    if (!GetParam().readable()) {
        EXPECT_EQ(logoBytes(1), red);
        return;
    }
    const Stored stored = storedLogo(1);
    EXPECT_TRUE(logoBytes(1).startsWith("\xff\xd8\xff")) << "a JPEG, whatever was picked";
    EXPECT_EQ(stored.size, GetParam().size) << "at the picture's own size";
    EXPECT_TRUE(test::closeColours(stored.colour, GetParam().colour))
        << stored.colour.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Files, EditorLogo, ::testing::ValuesIn(test::LogoCases), test::RowName());

} // namespace

#include "EditorFixture.h"
#include "LogoFiles.h"
#include "SmallDisk.h"
#include "TableRows.h"
#include "app/TfrmAvvio.h"

#include <QDir>
#include <QLabel>

// The editor on a program folder whose disk is full or read-only for real: the
// save says so in Italian and nothing already stored changes. Skipped, with a
// notice, where no disk can be mounted (not root, or a container without the
// right to mount).
using namespace scontrix;
using platform::MessageType;
using Kind = platform::RecordingMessageBoxes::Kind;
using test::DiskTrouble;

namespace {

class EditorOnADisk : public test::EditorFixture {
protected:
    void click(const char* name) {
        QWidget* picture = control<QWidget>(ed(), name);
        ASSERT_NE(picture, nullptr);
        QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
        QApplication::processEvents();
    }
    void typeInto(const char* name, const QString& text) {
        auto* field = control<QLineEdit>(ed(), name);
        ASSERT_NE(field, nullptr);
        test::focus(field);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    QByteArray file(const QString& name) const { return folder.read(name); }
};

class EditorOnATroubledDisk : public EditorOnADisk,
                              public ::testing::WithParamInterface<test::DiskTroubleCase> {};
using EditorOnAFullDisk = EditorOnADisk;

// 31 records end 63 bytes before the end of their last 4 KiB block: a new
// voucher needs a block more, and the first 63 of its bytes would still fit.
constexpr int Stored = 31;
const QString Updated =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QByteArray Settings = "[Dati Buono]\r\nValore=25,00\r\nLuogo=Bar Centrale\r\n";

TEST_P(EditorOnATroubledDisk, ANewVoucherIsRefusedAndTheArchiveKeepsEveryByte) {
    test::SmallDisk disk(folder.path());
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot();
    writeArchive(Stored);
    folder.write(QStringLiteral("Negozio.ini"), Settings);
    writeLogo(1, Qt::red);
    openEditor();
    click("cmdNuovo");
    const QStringList texts = {QStringLiteral("Rossi Mario"),
                               QStringLiteral("Via Po 1"),
                               QStringLiteral("Torino (TO)"),
                               QStringLiteral("3331234567"),
                               QStringLiteral("32"),
                               QStringLiteral("01/04/2024"),
                               QStringLiteral("30/04/2024"),
                               QStringLiteral("Anna Bianchi"),
                               QStringLiteral("50,00"),
                               QStringLiteral("Bar Centrale"),
                               QStringLiteral("Non cumulabile"),
                               QStringLiteral("regalo")};
    const auto fields = ed()->recordFields();
    for (int i = 0; i < fields.size(); ++i)
        fields[i]->setText(texts[i]);
    const QByteArray archiveBefore = file(QStringLiteral("Negozio.eur"));
    ASSERT_EQ(archiveBefore.size(), Stored * 1055);
    ASSERT_TRUE(disk.bringOn(GetParam().trouble));

    click("cmdSalva");
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Error);
    EXPECT_EQ(desktop.messages.messages[0].text, editor::TfrmBiglietti::AccessFailure);
    EXPECT_EQ(file(QStringLiteral("Negozio.eur")).toHex(), archiveBefore.toHex())
        << "not even the part of the record that would have fitted";
    EXPECT_TRUE(ed()->lblPosizione->text().isEmpty());
    EXPECT_EQ(fieldTexts(), texts) << "what was typed is still there to save again";
    EXPECT_FALSE(QFile::exists(logo(Stored + 1)));

    // Closing cannot keep the defaults either: the editor says so and asks
    // whether to leave without them; No stays.
    desktop.messages.clear();
    desktop.messages.confirmAnswers = {false};
    ed()->close();
    QApplication::processEvents();
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Confirm);
    EXPECT_EQ(desktop.messages.messages[0].defaultAnswer, platform::DefaultAnswer::No);
    const QString question = desktop.messages.messages[0].text;
    EXPECT_TRUE(question.startsWith(
        QStringLiteral("Attenzione: non è stato possibile salvare i dati proposti per il "
                       "prossimo buono nel file\n") +
        folder.file(QStringLiteral("Negozio.ini"))))
        << question.toStdString();
    EXPECT_TRUE(question.endsWith(QStringLiteral("Uscire comunque?"))) << question.toStdString();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{ed()});
    EXPECT_EQ(file(QStringLiteral("Negozio.ini")), Settings);

    // Sì leaves without them: every voucher is in the archive already.
    desktop.messages.clear();
    desktop.messages.confirmAnswers = {true};
    click("cmdEsci");
    EXPECT_EQ(desktop.messages.texts(), QStringList{question}) << "asked once more, the same way";
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
    EXPECT_EQ(file(QStringLiteral("Negozio.ini")), Settings);
}

TEST_P(EditorOnATroubledDisk, AChangedVoucherIsSavedOnlyWhereItsPlaceIsWritable) {
    test::SmallDisk disk(folder.path());
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot();
    writeArchive(Stored);
    openEditor();
    click("cmdUltimo");
    ASSERT_EQ(ed()->lblPosizione->text(), QString::number(Stored));
    typeInto("txtAcquirente", QStringLiteral("Bianchi Anna"));
    const QByteArray before = file(QStringLiteral("Negozio.eur"));
    ASSERT_TRUE(disk.bringOn(GetParam().trouble));

    click("cmdSalva");
    const QByteArray after = file(QStringLiteral("Negozio.eur"));
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.left((Stored - 1) * 1055), before.left((Stored - 1) * 1055));
    if (GetParam().trouble == DiskTrouble::Full) {
        // A full disk still has the record's own place: the change is kept.
        // Its logo, a new file, has no room, and the editor says so.
        ASSERT_EQ(desktop.messages.messages.size(), 2u);
        EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Error);
        EXPECT_TRUE(desktop.messages.messages[0].text.startsWith(
            editor::TfrmBiglietti::LogoNotSaved + u'\n' + logo(Stored)));
        EXPECT_EQ(desktop.messages.messages[1].type, MessageType::Information);
        EXPECT_EQ(storage::VoucherRecord::fromBytes(after.mid((Stored - 1) * 1055)).acquirente,
                  QStringLiteral("Bianchi Anna"));
    } else {
        ASSERT_EQ(desktop.messages.messages.size(), 1u);
        EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Error);
        EXPECT_EQ(desktop.messages.messages[0].text, editor::TfrmBiglietti::AccessFailure);
        EXPECT_EQ(after, before);
    }
    EXPECT_EQ(ed()->lblPosizione->text(), QString::number(Stored));
}

// A picked logo that finds the disk full: the record is saved, the editor
// says that its logo is not, and the logo file keeps the voucher's own
// picture. The picked one stays on screen, and once there is room again the
// next save stores it, not the placeholder.
TEST_F(EditorOnAFullDisk, APickedLogoWithoutRoomIsReportedAndSavedByTheNextSave) {
    test::SmallDisk disk(folder.path());
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot();
    writeArchive(Stored);
    writeLogo(1, Qt::red);
    const QByteArray red = file(QStringLiteral("Logo_Ditta/Negozio_Foto_1.jpg"));
    folder.write(QStringLiteral("blu.jpg"), test::jpegOf({40, 40}, Qt::blue));
    openEditor();
    click("cmdPrimo");
    desktop.files.answers = {folder.file(QStringLiteral("blu.jpg"))};
    click("imgFoto");
    ASSERT_GT(logoColour().blue(), 200);
    ASSERT_TRUE(disk.fill());

    click("cmdSalva");
    ASSERT_EQ(desktop.messages.messages.size(), 2u);
    EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Error);
    EXPECT_EQ(desktop.messages.messages[0].text.section(u'\n', 0, 1),
              editor::TfrmBiglietti::LogoNotSaved + u'\n' + logo(1));
    EXPECT_EQ(desktop.messages.messages[1].text, Updated);
    EXPECT_EQ(file(QStringLiteral("Logo_Ditta/Negozio_Foto_1.jpg")), red);
    EXPECT_GT(logoColour().blue(), 200) << "the picked picture, still to be saved";

    disk.makeRoom();
    desktop.messages.clear();
    click("cmdSalva");
    EXPECT_EQ(desktop.messages.texts(), QStringList{Updated});
    const QImage stored(logo(1));
    EXPECT_EQ(stored.size(), QSize(40, 40)) << "the picked picture, not the placeholder";
    EXPECT_TRUE(test::closeColours(stored.pixelColor(20, 20), Qt::blue));
}

INSTANTIATE_TEST_SUITE_P(Editor, EditorOnATroubledDisk, ::testing::ValuesIn(test::DiskTroubles),
                         test::RowName());

} // namespace

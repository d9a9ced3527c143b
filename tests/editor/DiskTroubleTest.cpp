#include "EditorFixture.h"
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

class EditorOnATroubledDisk : public test::EditorFixture,
                              public ::testing::WithParamInterface<test::DiskTroubleCase> {
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

// 31 records end 63 bytes before the end of their last 4 KiB block: a new
// voucher needs a block more, and the first 63 of its bytes would still fit.
constexpr int Stored = 31;
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
    const QStringList texts = {QStringLiteral("Rossi Mario"), QStringLiteral("Via Po 1"),
                               QStringLiteral("Torino (TO)"), QStringLiteral("3331234567"),
                               QStringLiteral("32"), QStringLiteral("01/04/2024"),
                               QStringLiteral("30/04/2024"), QStringLiteral("Anna Bianchi"),
                               QStringLiteral("50,00"), QStringLiteral("Bar Centrale"),
                               QStringLiteral("Non cumulabile"), QStringLiteral("regalo")};
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
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.left((Stored - 1) * 1055), before.left((Stored - 1) * 1055));
    if (GetParam().trouble == DiskTrouble::Full) {
        // A full disk still has the record's own place: the change is kept.
        EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Information);
        EXPECT_EQ(storage::VoucherRecord::fromBytes(after.mid((Stored - 1) * 1055)).acquirente,
                  QStringLiteral("Bianchi Anna"));
    } else {
        EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Error);
        EXPECT_EQ(desktop.messages.messages[0].text, editor::TfrmBiglietti::AccessFailure);
        EXPECT_EQ(after, before);
    }
    EXPECT_EQ(ed()->lblPosizione->text(), QString::number(Stored));
}

INSTANTIATE_TEST_SUITE_P(Editor, EditorOnATroubledDisk, ::testing::ValuesIn(test::DiskTroubles),
                         test::RowName());

} // namespace

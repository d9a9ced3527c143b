#include "CatalogueFixture.h"
#include "TableRows.h"

#include <QFile>

using namespace scontrix;
using Kind = platform::RecordingMessageBoxes::Kind;
using platform::MessageType;

namespace {

const QString EmptyList = QStringLiteral("Attenzione: l'elenco non contiene nessun archivio.");
const QString SelectToOpen = QStringLiteral(
    "Attenzione: selezionare l'archivio dall'elenco prima di premere il pulsante Apri archivio.");
const QString SelectToDelete =
    QStringLiteral("Attenzione: selezionare dall'elenco l'archivio da "
                   "eliminare prima di premere il pulsante del cestino.");
const QString DeleteQuestion = QStringLiteral(
    "Si sta per eliminare l'archivio selezionato. Si ricorda che il file eliminato non potrà "
    "essere recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?");
const QString Deleted = QStringLiteral("L'archivio è stato eliminato con successo.");

class OpenAndDelete : public test::CatalogueFixture {
protected:
    // An archive with records, its settings and its first logo, beside another archive.
    void writeShop() {
        folder.write(QStringLiteral("Negozio.eur"), QByteArray(2 * 1055, 'r'));
        folder.write(QStringLiteral("Negozio.ini"), "[Dati Buono]\r\n");
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Logo_Ditta")));
        folder.write(QStringLiteral("Logo_Ditta/Negozio_Foto_1.jpg"), "jpeg");
        folder.write(QStringLiteral("Altro.eur"), {});
    }
};

struct RefusalRow {
    const char* name;
    bool withArchives;
    ui::Picture* catalogue::TfrmApriArchivio::*button;
    QString message;
};
const RefusalRow refusalRows[] = {
    {"OpenEmptyList", false, &catalogue::TfrmApriArchivio::btnApri, EmptyList},
    {"DeleteEmptyList", false, &catalogue::TfrmApriArchivio::btnElimina, EmptyList},
    {"OpenNothingSelected", true, &catalogue::TfrmApriArchivio::btnApri, SelectToOpen},
    {"DeleteNothingSelected", true, &catalogue::TfrmApriArchivio::btnElimina, SelectToDelete},
};

class OpenAndDeleteRefusal : public OpenAndDelete,
                             public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(OpenAndDeleteRefusal, ButtonsRefuseAnEmptyListOrNoSelection) {
    const RefusalRow& c = GetParam();
    const char* const what = c.name;
    if (c.withArchives)
        writeShop();
    const QStringList before = folderContents();
    showSelection();
    click(selection()->*c.button);

    ASSERT_EQ(desktop.messages.messages.size(), 1u) << what;
    const auto& m = desktop.messages.messages[0];
    EXPECT_EQ(m.kind, Kind::Typed) << what;
    EXPECT_EQ(m.type, MessageType::Warning) << what;
    EXPECT_EQ(m.text, c.message) << what;
    EXPECT_EQ(m.owner, selection()) << what;
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{selection()}) << what;
    EXPECT_EQ(folderContents(), before) << what;
    // Refused, nothing was chosen: closing leads back to the start screen.
    selection()->close();
    QApplication::processEvents();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()}) << what;
}

INSTANTIATE_TEST_SUITE_P(Rows, OpenAndDeleteRefusal, ::testing::ValuesIn(refusalRows),
                         test::RowName());

TEST_F(OpenAndDelete, AnsweringNoChangesNothing) {
    writeShop();
    showSelection();
    select(QStringLiteral("Negozio.eur"));
    desktop.messages.confirmAnswers = {false};
    click(selection()->btnElimina);

    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Confirm);
    EXPECT_EQ(desktop.messages.messages[0].text, DeleteQuestion);
    EXPECT_EQ(desktop.messages.messages[0].defaultAnswer, platform::DefaultAnswer::No)
        << "Enter must not delete an archive for ever";
    EXPECT_EQ(folder.read(QStringLiteral("Negozio.eur")).size(), 2 * 1055);
    EXPECT_EQ(entries(), (QStringList{"Altro.eur", "Negozio.eur"}));
    EXPECT_EQ(selectedEntries(), QStringList{"Negozio.eur"});
    EXPECT_EQ(selection()->lblCreati->text(), QStringLiteral("Sono stati creati 2 archivi."));
}

TEST_F(OpenAndDelete, AnsweringYesDeletesTheArchiveOnlyAndStaysOpen) {
    writeShop();
    showSelection();
    select(QStringLiteral("Negozio.eur"));
    desktop.messages.confirmAnswers = {true};
    click(selection()->btnElimina);

    ASSERT_EQ(desktop.messages.texts(), (QStringList{DeleteQuestion, Deleted}));
    EXPECT_EQ(desktop.messages.messages[1].kind, Kind::Typed);
    EXPECT_EQ(desktop.messages.messages[1].type, MessageType::Information);
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Negozio.eur"))));
    // Settings and pictures wait for an archive made again under the same name.
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Negozio.ini"))));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Logo_Ditta/Negozio_Foto_1.jpg"))));

    EXPECT_EQ(entries(), QStringList{"Altro.eur"});
    EXPECT_EQ(selection()->lblCreati->text(), QStringLiteral("Sono stati creati 1 archivi."));
    EXPECT_TRUE(selectedEntries().isEmpty());
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{selection()});

    selection()->close();
    QApplication::processEvents();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
}

// Both hold for root: the file vanished after the listing, or its name now
// belongs to a folder with something in it.
struct UndeletableRow {
    const char* name;
    bool replaceWithFolder;
};
const UndeletableRow undeletableRows[] = {{"FileGone", false}, {"NowAFolder", true}};

class UndeletableArchive : public OpenAndDelete,
                           public ::testing::WithParamInterface<UndeletableRow> {};

TEST_P(UndeletableArchive, IsNamedAndTheListRefreshed) {
    const UndeletableRow& c = GetParam();
    const char* const what = c.name;
    writeShop();
    showSelection();
    select(QStringLiteral("Negozio.eur"));
    ASSERT_TRUE(QFile::remove(folder.file(QStringLiteral("Negozio.eur"))));
    if (c.replaceWithFolder) {
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Negozio.eur")));
        folder.write(QStringLiteral("Negozio.eur/dentro.txt"), "x");
    }
    click(selection()->btnElimina);

    ASSERT_EQ(desktop.messages.messages.size(), 2u) << what;
    const auto& m = desktop.messages.messages[1];
    EXPECT_EQ(m.kind, Kind::Typed) << what;
    EXPECT_EQ(m.type, MessageType::Error) << what;
    EXPECT_EQ(
        m.text,
        QStringLiteral("Attenzione: non è stato possibile eliminare l'archivio \"Negozio.eur\".\r\n"
                       "\r\nIl file potrebbe essere già stato eliminato o spostato, essere in uso "
                       "da parte di un altro programma oppure trovarsi in una cartella protetta da "
                       "scrittura."))
        << what;
    EXPECT_FALSE(desktop.messages.texts().contains(Deleted)) << what;
    EXPECT_EQ(entries(), QStringList{"Altro.eur"}) << what;
    EXPECT_EQ(selection()->lblCreati->text(), QStringLiteral("Sono stati creati 1 archivi."))
        << what;
    EXPECT_TRUE(selectedEntries().isEmpty()) << what;
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{selection()}) << what;
}

INSTANTIATE_TEST_SUITE_P(Rows, UndeletableArchive, ::testing::ValuesIn(undeletableRows),
                         test::RowName());

} // namespace

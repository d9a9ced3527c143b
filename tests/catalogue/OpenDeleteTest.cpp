#include "CatalogueFixture.h"

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

TEST_F(OpenAndDelete, ButtonsRefuseAnEmptyListOrNoSelection) {
    struct Case {
        const char* what;
        bool withArchives;
        ui::Picture* catalogue::TfrmApriArchivio::*button;
        QString message;
    } cases[] = {
        {"open, empty list", false, &catalogue::TfrmApriArchivio::btnApri, EmptyList},
        {"delete, empty list", false, &catalogue::TfrmApriArchivio::btnElimina, EmptyList},
        {"open, nothing selected", true, &catalogue::TfrmApriArchivio::btnApri, SelectToOpen},
        {"delete, nothing selected", true, &catalogue::TfrmApriArchivio::btnElimina,
         SelectToDelete},
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.withArchives)
            writeShop();
        const QStringList before = folderContents();
        showSelection();
        click(selection()->*c.button);

        ASSERT_EQ(desktop.messages.messages.size(), 1u) << c.what;
        const auto& m = desktop.messages.messages[0];
        EXPECT_EQ(m.kind, Kind::Typed) << c.what;
        EXPECT_EQ(m.type, MessageType::Warning) << c.what;
        EXPECT_EQ(m.text, c.message) << c.what;
        EXPECT_EQ(m.owner, selection()) << c.what;
        EXPECT_EQ(visiblePersistent(), QList<QWidget*>{selection()}) << c.what;
        EXPECT_EQ(folderContents(), before) << c.what;
        EXPECT_EQ(selection()->lblMemory->text(), QStringLiteral("avvio")) << c.what;
    }
}

TEST_F(OpenAndDelete, AnsweringNoChangesNothing) {
    writeShop();
    showSelection();
    select(QStringLiteral("Negozio.eur"));
    desktop.messages.confirmAnswers = {false};
    click(selection()->btnElimina);

    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Confirm);
    EXPECT_EQ(desktop.messages.messages[0].text, DeleteQuestion);
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
    EXPECT_TRUE(selection()->lblFile->text().isEmpty());
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{selection()});

    selection()->close();
    QApplication::processEvents();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
}

TEST_F(OpenAndDelete, AnArchiveThatCannotBeDeletedIsNamedAndTheListRefreshed) {
    // Both hold for root: the file vanished after the listing, or its name
    // now belongs to a folder with something in it.
    struct Case {
        const char* what;
        bool replaceWithFolder;
    } cases[] = {{"file gone", false}, {"now a folder", true}};
    for (const Case& c : cases) {
        SetUp();
        writeShop();
        showSelection();
        select(QStringLiteral("Negozio.eur"));
        ASSERT_TRUE(QFile::remove(folder.file(QStringLiteral("Negozio.eur"))));
        if (c.replaceWithFolder) {
            ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Negozio.eur")));
            folder.write(QStringLiteral("Negozio.eur/dentro.txt"), "x");
        }
        click(selection()->btnElimina);

        ASSERT_EQ(desktop.messages.messages.size(), 2u) << c.what;
        const auto& m = desktop.messages.messages[1];
        EXPECT_EQ(m.kind, Kind::Typed) << c.what;
        EXPECT_EQ(m.type, MessageType::Error) << c.what;
        EXPECT_EQ(m.text,
                  QStringLiteral(
                      "Attenzione: non è stato possibile eliminare l'archivio \"Negozio.eur\".\r\n"
                      "\r\nIl file potrebbe essere già stato eliminato o spostato, essere in uso "
                      "da parte di un altro programma oppure trovarsi in una cartella protetta da "
                      "scrittura."))
            << c.what;
        EXPECT_FALSE(desktop.messages.texts().contains(Deleted)) << c.what;
        EXPECT_EQ(entries(), QStringList{"Altro.eur"}) << c.what;
        EXPECT_EQ(selection()->lblCreati->text(), QStringLiteral("Sono stati creati 1 archivi."))
            << c.what;
        EXPECT_TRUE(selectedEntries().isEmpty()) << c.what;
        EXPECT_EQ(visiblePersistent(), QList<QWidget*>{selection()}) << c.what;
    }
}

} // namespace

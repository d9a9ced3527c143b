#include "EditorFixture.h"
#include "TableRows.h"
#include "Typing.h"
#include "WriteFailure.h"
#include "app/TfrmAvvio.h"
#include "storage/ArchiveFile.h"
#include "storage/IniFile.h"
#include "storage/VoucherFields.h"
#include "ui/Picture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <sys/file.h>

using namespace scontrix;
using platform::MessageType;
using Kind = platform::RecordingMessageBoxes::Kind;

namespace {

class Editor : public test::EditorFixture {
protected:
    QString position() const { return ed()->lblPosizione->text(); }

    void writeSettings(const QByteArray& bytes) {
        folder.write(QStringLiteral("Negozio.ini"), bytes);
    }

    // Fills every field of a savable voucher.
    void fillVoucher(const QString& customer) {
        const QStringList texts = {customer,
                                   QStringLiteral("Via Po 1"),
                                   QStringLiteral("Torino"),
                                   QStringLiteral("3331234567"),
                                   QStringLiteral("99"),
                                   QStringLiteral("01/04/2024"),
                                   QStringLiteral("30/04/2024"),
                                   QStringLiteral("Anna Bianchi"),
                                   QStringLiteral("50,00"),
                                   QStringLiteral("Bottega €uro"),
                                   QStringLiteral("Nessuna"),
                                   QStringLiteral("regalo")};
        const auto fields = ed()->recordFields();
        for (int i = 0; i < fields.size(); ++i)
            fields[i]->setText(texts[i]);
    }

    QByteArray archiveBytes() const { return folder.read(QStringLiteral("Negozio.eur")); }
};

// The one table between the record's names and what the fields hold: each
// control it names shows the record field it pairs it with, and the voucher's
// texts by meaning are the record's. A swapped row (the expiry read from the
// start date's field) shows up as a field in the wrong control.
TEST_F(Editor, EveryFieldNameShowsItsRecordFieldInItsControl) {
    storage::VoucherRecord record;
    for (const storage::FieldName& f : storage::FieldNames)
        record.setText(f.record, QStringLiteral("testo di %1").arg(QLatin1String(f.control)));
    writeArchive(0);
    openEditor();
    ed()->showRecord(record, 1);
    const storage::VoucherTexts texts(record);
    for (const storage::FieldName& f : storage::FieldNames) {
        auto* control = ed()->findChild<QLineEdit*>(QString::fromLatin1(f.control));
        ASSERT_NE(control, nullptr) << f.control;
        EXPECT_EQ(control->text(), QStringLiteral("testo di %1").arg(QLatin1String(f.control)));
        EXPECT_EQ(texts[f.holds], control->text()) << f.control;
    }
    const struct {
        storage::Holds holds;
        const char* control;
    } meanings[] = {{storage::Holds::ValidFrom, "txtPrezzo"},
                    {storage::Holds::Expiry, "txtSpettatore"},
                    {storage::Holds::Beneficiary, "txtPosto"},
                    {storage::Holds::Value, "txtEvento"}};
    for (const auto& m : meanings)
        EXPECT_STREQ(storage::fieldName(m.holds).control, m.control);
}

TEST_F(Editor, OpeningAnArchiveWithNothingSavedIgnoresItsSettings) {
    writeArchive(0);
    writeSettings("[Dati Buono]\r\nInizio=01/01/2024\r\nValore=10,00\r\nLuogo=Bar\r\n");
    openEditor();
    EXPECT_EQ(fieldTexts(), QStringList(12, QString()));
    EXPECT_TRUE(position().isEmpty());
    EXPECT_EQ(ed()->imgFoto->image(), ed()->imgBianco->image());
    EXPECT_TRUE(QDir(folder.file(QStringLiteral("Logo_Ditta"))).exists()) << "made on the way";
}

TEST_F(Editor, OpeningAnArchiveWithSavedVouchersShowsItsDefaultsAndFirstLogo) {
    writeArchive(3);
    writeLogo(1, Qt::red);
    writeSettings("[Dati Buono]\r\nInizio=01/01/2024\r\nScadenza=31/12/2024\r\nValore=10,00\r\n"
                  "Luogo=Caff\xe8 \x80 Bar\r\nCondizioni=Nessuna\r\n");
    openEditor();
    EXPECT_EQ(fieldTexts(), (QStringList{{},
                                         {},
                                         {},
                                         {},
                                         {},
                                         QStringLiteral("01/01/2024"),
                                         QStringLiteral("31/12/2024"),
                                         {},
                                         QStringLiteral("10,00"),
                                         QStringLiteral("Caffè € Bar"),
                                         QStringLiteral("Nessuna"),
                                         {}}));
    EXPECT_TRUE(position().isEmpty());
    EXPECT_GT(logoColour().red(), 200);
    EXPECT_TRUE(ed()->txtAcquirente->hasFocus());
}

TEST_F(Editor, SettingsWithoutAPlaceLeaveItEmpty) {
    writeArchive(1);
    writeLogo(1, Qt::blue);
    writeSettings("[Dati Buono]\nInizio=02/02/2024\nValore=5,00\n");
    openEditor();
    EXPECT_EQ(ed()->txtLuogo->text(), QString());
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("5,00"));
}

// Every navigation button, from every kind of start, over archives of 0, 1 and 3.
enum NavigationButton { Primo, Indietro, Avanti, Ultimo };
struct NavigationRow {
    int records;
    const char* start; // the position label before the click
    NavigationButton button;
    const char* shown; // the position label after it
    bool emptyMessage;
};
const NavigationRow navigationRows[] = {
    {0, "", Primo, "", true},       {0, "", Indietro, "", true},
    {0, "", Avanti, "", true},      {0, "", Ultimo, "", true},
    {0, "1", Indietro, "1", false}, {0, "2", Avanti, "", true}, // the label is emptied
    {1, "", Primo, "1", false},     {1, "", Indietro, "1", false},
    {1, "", Avanti, "1", false},    {1, "", Ultimo, "1", false},
    {1, "1", Avanti, "1", false},   {1, "1", Indietro, "1", false},
    {3, "", Avanti, "1", false},    {3, "", Indietro, "1", false},
    {3, "1", Avanti, "2", false},   {3, "2", Avanti, "3", false},
    {3, "3", Avanti, "3", false},   {3, "3", Indietro, "2", false},
    {3, "2", Indietro, "1", false}, {3, "1", Indietro, "1", false},
    {3, "2", Primo, "1", false},    {3, "1", Ultimo, "3", false},
    {3, "3", Primo, "1", false},
};

// "Of3From2Avanti": three records, label "2", button Avanti; "FromNew" for an empty label.
std::string navigationRowName(const ::testing::TestParamInfo<NavigationRow>& info) {
    const NavigationRow& c = info.param;
    const char* buttons[] = {"Primo", "Indietro", "Avanti", "Ultimo"};
    return "Of" + std::to_string(c.records) + "From" + (*c.start ? c.start : "New") +
           buttons[c.button];
}

class EditorNavigation : public Editor, public ::testing::WithParamInterface<NavigationRow> {};

TEST_P(EditorNavigation, ShowsTheRecordItReaches) {
    const NavigationRow& c = GetParam();
    writeArchive(c.records);
    openEditor();
    // The start as a list's chosen entry shows it; with fewer records than
    // that, the archive was cut by another copy after it was shown.
    if (*c.start) {
        const int start = QString::fromLatin1(c.start).toInt();
        ed()->showRecord(voucher(start), start);
    }
    ed()->txtAcquirente->setText(QStringLiteral("modifica non salvata"));
    const char* const names[] = {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"};
    click(names[c.button]);
    const std::string what = std::to_string(c.records) + " records, from '" + c.start +
                             "', button " + std::to_string(c.button);
    EXPECT_EQ(position(), QString::fromLatin1(c.shown)) << what;
    if (c.emptyMessage) {
        ASSERT_EQ(desktop.messages.messages.size(), 1u) << what;
        EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Typed) << what;
        EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Information) << what;
        EXPECT_EQ(desktop.messages.messages[0].text,
                  QStringLiteral("L'archivio non contiene nessuna scheda."));
    } else {
        EXPECT_TRUE(desktop.messages.messages.empty()) << what;
    }
    const bool moved = QString::fromLatin1(c.shown) != QString::fromLatin1(c.start) ||
                       (c.records > 0 && QByteArray(c.start).isEmpty());
    if (moved && !QByteArray(c.shown).isEmpty()) {
        const int p = QByteArray(c.shown).toInt();
        EXPECT_EQ(fieldTexts(), [&] {
            QStringList t;
            const auto r = voucher(p);
            for (int f = 0; f < 12; ++f)
                t << r.text(static_cast<storage::VoucherRecord::Field>(f));
            return t;
        }()) << what;
        EXPECT_EQ(ed()->chkPagato->isChecked(), p % 2 == 0) << what;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EditorNavigation, ::testing::ValuesIn(navigationRows),
                         navigationRowName);

TEST_F(Editor, ShownVoucherGetsItsOwnLogoOrThePlaceholder) {
    writeArchive(3);
    writeLogo(1, Qt::red);
    writeLogo(2, Qt::blue);
    openEditor();
    ed()->cmdPrimoClick();
    EXPECT_GT(logoColour().red(), 200);
    ed()->cmdAvantiClick();
    EXPECT_GT(logoColour().blue(), 200);
    ed()->cmdAvantiClick(); // position 3 has no picture
    EXPECT_EQ(ed()->imgFoto->image(), ed()->imgBianco->image());
}

TEST_F(Editor, AFlagThatIsNeitherYesNorNoLeavesTheBoxAlone) {
    QByteArray bytes = voucher(2).toBytes() + voucher(3).toBytes();
    bytes[1055 + 1052] = 2;
    bytes[1055 + 1053] = 'F';
    bytes[1055 + 1054] = 'o';
    folder.write(QStringLiteral("Negozio.eur"), bytes);
    openEditor();
    ed()->cmdPrimoClick();
    ASSERT_TRUE(ed()->chkPagato->isChecked());
    ed()->cmdAvantiClick();
    EXPECT_EQ(position(), QStringLiteral("2"));
    EXPECT_TRUE(ed()->chkPagato->isChecked());
}

TEST_F(Editor, NewVoucherProposesTheNextNumberAndKeepsTheDefaults) {
    writeArchive(7);
    writeLogo(3, Qt::blue);
    openEditor();
    ed()->showRecord(voucher(2), 2);
    ed()->cmdAvantiClick(); // shows 3, with its blue logo
    ed()->cmdNuovoClick();
    const auto shown = voucher(3);
    EXPECT_EQ(fieldTexts(), (QStringList{{},
                                         {},
                                         {},
                                         {},
                                         QStringLiteral("8"),
                                         shown.prezzo,
                                         shown.spettatore,
                                         {},
                                         shown.evento,
                                         shown.luogo,
                                         shown.scritta,
                                         {}}));
    EXPECT_TRUE(position().isEmpty());
    EXPECT_FALSE(ed()->chkPagato->isChecked());
    EXPECT_GT(logoColour().blue(), 200);
    EXPECT_TRUE(ed()->txtAcquirente->hasFocus());

    writeArchive(0);
    ed()->cmdNuovoClick();
    EXPECT_EQ(ed()->txtNum->text(), QStringLiteral("1"));
}

TEST_F(Editor, NewVoucherOnAnUnreadableArchiveOnlyEmptiesTheNumber) {
    writeArchive(2);
    openEditor();
    ed()->cmdPrimoClick();
    const QStringList before = fieldTexts();
    QFile::remove(archive());
    QDir().mkdir(archive()); // a folder where the archive should be: it cannot be opened
    ed()->cmdNuovoClick();
    QStringList expected = before;
    expected[4].clear();
    EXPECT_EQ(fieldTexts(), expected);
    EXPECT_EQ(position(), QStringLiteral("1"));
    EXPECT_TRUE(desktop.messages.messages.empty());
}

TEST_F(Editor, NavigationOnAnUnreadableArchiveReportsTheAccessFailure) {
    writeArchive(1);
    openEditor();
    QFile::remove(archive());
    QDir().mkdir(archive());
    ed()->cmdPrimoClick();
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Error);
    EXPECT_EQ(desktop.messages.messages[0].text,
              QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                             "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                             "installazione del programma."));
}

struct RequiredRow {
    const char* name; // the field
    QLineEdit* editor::TfrmBiglietti::*field;
    const char* warning;
};
const RequiredRow requiredRows[] = {
    {"txtAcquirente", &editor::TfrmBiglietti::txtAcquirente, "il nome del cliente"},
    {"txtNum", &editor::TfrmBiglietti::txtNum, "il numero del buono acquisto"},
    {"txtPrezzo", &editor::TfrmBiglietti::txtPrezzo,
     "la data di inizio validità del buono acquisto"},
    {"txtSpettatore", &editor::TfrmBiglietti::txtSpettatore,
     "la data di scadenza del buono acquisto"},
    {"txtPosto", &editor::TfrmBiglietti::txtPosto, "il beneficiario del buono acquisto"},
    {"txtEvento", &editor::TfrmBiglietti::txtEvento, "il valore del buono acquisto"},
    {"txtLuogo", &editor::TfrmBiglietti::txtLuogo, "dove può essere utilizzato il buono acquisto"},
    {"txtScritta", &editor::TfrmBiglietti::txtScritta,
     "le condizioni di utilizzo del buono acquisto"},
};

class RequiredField : public Editor, public ::testing::WithParamInterface<RequiredRow> {};

// Each field empty in turn, every other one filled.
TEST_P(RequiredField, IsAskedForWhenSaving) {
    const RequiredRow& r = GetParam();
    writeArchive(0);
    openEditor();
    fillVoucher(QStringLiteral("Mario Rossi"));
    // Blanks and control characters count as empty; everything before is filled.
    (ed()->*r.field)->setText(QStringLiteral("  \t "));
    ed()->cmdSalvaClick();
    QApplication::processEvents();
    ASSERT_EQ(desktop.messages.messages.size(), 1u) << r.warning;
    EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Warning);
    EXPECT_EQ(desktop.messages.messages[0].text,
              QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ") +
                  QString::fromUtf8(r.warning) + u'.');
    EXPECT_TRUE((ed()->*r.field)->hasFocus()) << r.warning;
    EXPECT_EQ(archiveBytes().size(), 0) << "nothing written";
}

INSTANTIATE_TEST_SUITE_P(Rows, RequiredField, ::testing::ValuesIn(requiredRows), test::RowName());

TEST_F(Editor, SavingAnEmptyVoucherAsksOnlyForTheCustomer) {
    writeArchive(0);
    openEditor();
    ed()->cmdSalvaClick();
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral(
                  "Attenzione: per salvare la scheda è necessario indicare il nome del cliente.")})
        << "an empty voucher asks only for the customer";
}

TEST_F(Editor, AppendThenUpdate) {
    writeArchive(4);
    openEditor();
    ed()->cmdNuovoClick();
    fillVoucher(QStringLiteral("  Mario Rossi  "));
    ed()->chkPagato->setChecked(true);
    click("cmdSalva");
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("La scheda corrente è stata inserita in archivio.")});
    EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Information);
    EXPECT_EQ(position(), QStringLiteral("5"));
    EXPECT_TRUE(QFile::exists(logo(5)))
        << "every saved voucher gets a picture, the placeholder too";
    EXPECT_EQ(ed()->txtAcquirente->text(), QStringLiteral("  Mario Rossi  "))
        << "the screen is not trimmed";

    QByteArray bytes = archiveBytes();
    ASSERT_EQ(bytes.size(), 5 * 1055);
    const auto stored = storage::VoucherRecord::fromBytes(bytes.mid(4 * 1055, 1055));
    EXPECT_EQ(stored.acquirente, QStringLiteral("Mario Rossi"));
    EXPECT_EQ(stored.luogo, QStringLiteral("Bottega €uro"));
    EXPECT_EQ(bytes.mid(4 * 1055 + 1052, 3), QByteArray("\x02\x53\xEC", 3));

    desktop.messages.clear();
    ed()->chkPagato->setChecked(false);
    ed()->txtNote->setText(QStringLiteral("cambiata"));
    click("cmdSalva");
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral(
                  "Le modifiche apportate alla scheda corrente sono state salvate in archivio.")});
    bytes = archiveBytes();
    ASSERT_EQ(bytes.size(), 5 * 1055) << "the second save overwrites";
    EXPECT_EQ(bytes.mid(4 * 1055 + 1052, 3), QByteArray("\x02\x4E\x6F", 3));
    EXPECT_EQ(storage::VoucherRecord::fromBytes(bytes.mid(4 * 1055, 1055)).note,
              QStringLiteral("cambiata"));
}

// What is typed into each named field lands in its own slot of the record,
// at the offsets the archive format fixes.
TEST_F(Editor, TypedFieldsLandAtTheirRecordOffsets) {
    writeArchive(0);
    openEditor();
    click("cmdNuovo");
    struct Slot {
        const char* control;
        int offset;
        QString typed;
        QByteArray stored; // Windows-1252
    } places[] = {
        {"txtAcquirente", 0, QStringLiteral("Mario Rossi"), "Mario Rossi"},
        {"txtVia", 51, QStringLiteral("Via Po 1"), "Via Po 1"},
        {"txtCitta", 172, QStringLiteral("Forlì"), "Forl\xec"},
        {"txtCel", 223, QStringLiteral("3331234567"), "3331234567"},
        {"txtNum", 239, QStringLiteral("77"), "77"},
        {"txtPosto", 327, QStringLiteral("Anna Bianchi"), "Anna Bianchi"},
        {"txtEvento", 378, QStringLiteral("25,5"), "25,50"},
        {"txtLuogo", 429, QStringLiteral("Bottega €uro"), "Bottega \x80uro"},
        {"txtScritta", 550, QStringLiteral("Spesa minima 10 euro"), "Spesa minima 10 euro"},
        {"txtNote", 801, QStringLiteral("regalo"), "regalo"},
    };
    for (const Slot& slot : places) {
        auto* field = control<QLineEdit>(ed(), slot.control);
        ASSERT_TRUE(field);
        test::focus(field);
        field->selectAll(); // the number proposed by Nuovo is typed over
        test::typeText(field, slot.typed);
    }
    // The dates come from the picker, which writes them into their fields.
    control<QLineEdit>(ed(), "txtPrezzo")->setText(QStringLiteral("01/04/2024"));
    control<QLineEdit>(ed(), "txtSpettatore")->setText(QStringLiteral("30/04/2024"));
    click("chkPagato");
    click("cmdSalva");
    ASSERT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("La scheda corrente è stata inserita in archivio.")});

    const QByteArray bytes = archiveBytes();
    ASSERT_EQ(bytes.size(), 1055);
    for (const Slot& slot : places) {
        EXPECT_EQ(int(bytes[slot.offset]), slot.stored.size()) << slot.control;
        EXPECT_EQ(bytes.mid(slot.offset + 1, slot.stored.size()), slot.stored) << slot.control;
    }
    EXPECT_EQ(bytes.mid(260, 11), QByteArray("\x0a"
                                             "01/04/2024"))
        << "txtPrezzo";
    EXPECT_EQ(bytes.mid(276, 11), QByteArray("\x0a"
                                             "30/04/2024"))
        << "txtSpettatore";
    EXPECT_EQ(bytes.mid(1052, 3), QByteArray("\x02\x53\xEC", 3)) << "chkPagato";
}

// A copy of the program on another desktop stopped in the middle of its save
// holds the archive's lock: this save waits a moment, with the busy cursor,
// then gives up without writing.
int lockCallsSeen = 0;
bool busyWhileLocking = true;
int lockCallWatchingTheCursor(int fd, int operation) {
    if (operation != LOCK_UN) {
        ++lockCallsSeen;
        const QCursor* cursor = QGuiApplication::overrideCursor();
        busyWhileLocking = busyWhileLocking && cursor && cursor->shape() == Qt::WaitCursor;
    }
    return ::flock(fd, operation);
}

TEST_F(Editor, ASaveWhileAnotherCopyHoldsTheArchiveGivesUpAndWritesNothing) {
    writeArchive(2);
    openEditor();
    click("cmdNuovo");
    fillVoucher(QStringLiteral("Mario Rossi"));
    const QByteArray before = archiveBytes();
    QFile otherCopy(archive());
    ASSERT_TRUE(otherCopy.open(QIODevice::ReadWrite));
    ASSERT_EQ(::flock(otherCopy.handle(), LOCK_EX), 0);

    lockCallsSeen = 0;
    busyWhileLocking = true;
    const storage::ArchiveFile::Locking previous = storage::ArchiveFile::setLocking(
        {std::chrono::milliseconds(200), lockCallWatchingTheCursor});
    click("cmdSalva");
    storage::ArchiveFile::setLocking(previous);

    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Error);
    EXPECT_EQ(desktop.messages.messages[0].text, editor::TfrmBiglietti::AccessFailure);
    EXPECT_EQ(archiveBytes(), before) << "nothing written";
    EXPECT_TRUE(position().isEmpty());
    EXPECT_GT(lockCallsSeen, 0);
    EXPECT_TRUE(busyWhileLocking) << "the wait shows the busy cursor";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "and it goes when the save ends";

    // Once the other copy is done, the same voucher saves.
    ::flock(otherCopy.handle(), LOCK_UN);
    desktop.messages.clear();
    click("cmdSalva");
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("La scheda corrente è stata inserita in archivio.")});
    EXPECT_EQ(position(), QStringLiteral("3"));
}

TEST_F(Editor, UpdatingRecordTwelveOfFortyTouchesOnlyItsBytes) {
    writeArchive(40);
    openEditor();
    const QByteArray before = archiveBytes();
    ed()->showRecord(voucher(11), 11);
    ed()->cmdAvantiClick();
    ASSERT_EQ(position(), QStringLiteral("12"));
    ed()->txtAcquirente->setText(QStringLiteral("Nuovo nome"));
    ed()->cmdSalvaClick();
    const QByteArray after = archiveBytes();
    ASSERT_EQ(after.size(), before.size());
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (after[i] != before[i]) {
            EXPECT_GE(i, 11605);
            EXPECT_LE(i, 12659);
        }
    }
    EXPECT_NE(after.mid(11605, 1055), before.mid(11605, 1055));
}

TEST_F(Editor, AnArchiveThatCannotBeWrittenChangesNothingOnScreen) {
    writeArchive(4);
    openEditor();
    ed()->cmdNuovoClick();
    fillVoucher(QStringLiteral("Mario Rossi"));
    const QStringList before = fieldTexts();
    {
        test::WriteFailure diskFull(4 * 1055); // the archive cannot grow
        ed()->cmdSalvaClick();
    }
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Error);
    EXPECT_EQ(desktop.messages.messages[0].text, editor::TfrmBiglietti::AccessFailure);
    EXPECT_TRUE(position().isEmpty());
    EXPECT_EQ(fieldTexts(), before);
    EXPECT_EQ(archiveBytes().size(), 4 * 1055);
}

// A folder in the logo's place: the record is saved and the editor says that
// its logo is not. The picked picture stays on screen, and the next save, once
// the way is free, stores it rather than the placeholder.
TEST_F(Editor, APictureThatCannotBeWrittenIsReportedAndSavedByTheNextSave) {
    writeArchive(0);
    openEditor();
    ed()->cmdNuovoClick();
    fillVoucher(QStringLiteral("Mario Rossi"));
    QImage red(30, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(folder.file(QStringLiteral("rosso.png")), "PNG"));
    desktop.files.answers = {folder.file(QStringLiteral("rosso.png"))};
    ed()->imgFotoClick();
    QDir().mkpath(logo(1) + QStringLiteral("/blocked"));
    ed()->cmdSalvaClick();
    ASSERT_EQ(desktop.messages.messages.size(), 2u);
    EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Error);
    EXPECT_EQ(desktop.messages.messages[0].text.section(u'\n', 0, 1),
              editor::TfrmBiglietti::LogoNotSaved + u'\n' + logo(1));
    EXPECT_EQ(desktop.messages.messages[1].text,
              QStringLiteral("La scheda corrente è stata inserita in archivio."));
    EXPECT_EQ(archiveBytes().size(), 1055);
    EXPECT_GT(logoColour().red(), 200) << "the picked picture, still to be saved";

    ASSERT_TRUE(QDir(logo(1)).removeRecursively());
    desktop.messages.clear();
    ed()->cmdSalvaClick();
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral(
                  "Le modifiche apportate alla scheda corrente sono state salvate in archivio.")});
    const QImage stored(logo(1));
    EXPECT_EQ(stored.size(), QSize(30, 30)) << "the picked picture, not the placeholder";
    EXPECT_GT(stored.pixelColor(15, 15).red(), 200);
}

TEST_F(Editor, ClosingKeepsTheDefaultsForNextTime) {
    writeArchive(2);
    writeLogo(1, Qt::red);
    writeSettings("; scritto a mano\r\n[Dati Buono]\r\nValore=1,00\r\n[Altro]\r\nChiave=1\r\n");
    openEditor();
    ed()->cmdUltimoClick();
    ed()->txtLuogo->setText(QStringLiteral("  Caffè € Bar  "));
    windows->frmBiglietti()->close(); // the window system's close, like "Esci"
    QApplication::processEvents();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});

    const QByteArray ini = folder.read(QStringLiteral("Negozio.ini"));
    const auto defaults = storage::IniFile::load(folder.file(QStringLiteral("Negozio.ini")));
    ASSERT_TRUE(defaults) << defaults.error().toStdString();
    EXPECT_EQ(defaults->value(QStringLiteral("Dati Buono"), QStringLiteral("Luogo")),
              QStringLiteral("Caffè € Bar"));
    EXPECT_EQ(defaults->value(QStringLiteral("Dati Buono"), QStringLiteral("Valore")),
              voucher(2).evento);
    EXPECT_TRUE(ini.contains("Luogo=Caff\xe8 \x80 Bar\r\n")) << "Windows-1252 on disk";
    EXPECT_TRUE(ini.startsWith("; scritto a mano\r\n")) << "other lines are kept";
    EXPECT_TRUE(ini.contains("[Altro]\r\nChiave=1"));

    openEditor();
    EXPECT_EQ(ed()->txtLuogo->text(), QStringLiteral("Caffè € Bar"));
}

TEST_F(Editor, DefaultsThatCannotBeWrittenAreReportedAndTheEditorStaysWhenTheUserSaysNo) {
    writeArchive(0);
    openEditor();
    ed()->txtLuogo->setText(QStringLiteral("Bar Centrale"));
    desktop.messages.confirmAnswers = {false};
    {
        test::WriteFailure diskFull;
        ed()->close();
    }
    QApplication::processEvents();
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, platform::RecordingMessageBoxes::Kind::Confirm);
    EXPECT_TRUE(
        desktop.messages.messages[0].text.contains(folder.file(QStringLiteral("Negozio.ini"))));
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{ed()}) << "nothing typed is lost without notice";
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Negozio.ini"))));

    ed()->close(); // once the disk has room again, closing works
    QApplication::processEvents();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
}

TEST_F(Editor, ADeletedAndRecreatedArchiveFindsItsOldDefaultsAndFirstLogo) {
    writeArchive(1);
    writeLogo(1, Qt::red);
    writeSettings("[Dati Buono]\r\nCondizioni=Spesa minima 20 euro\r\n");
    QFile::remove(archive());
    writeArchive(0); // created anew under the same name
    openEditor();
    EXPECT_EQ(ed()->txtScritta->text(), QStringLiteral("Spesa minima 20 euro"));
    EXPECT_GT(logoColour().red(), 200);
    EXPECT_TRUE(position().isEmpty());
}

TEST_F(Editor, StatusLineShowsHintsAndEmptiesOverTheBackground) {
    writeArchive(0);
    openEditor();
    QTest::mouseMove(ed()->cmdSalva);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(ed()->cmdSalva, &enter);
    EXPECT_EQ(ed()->panInfo->text(), QStringLiteral("Salva la scheda in archivio."));
    QWidget* pan = ed()->container();
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), pan->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(pan, &move);
    EXPECT_TRUE(ed()->panInfo->text().isEmpty());

    // Over the archive name bar, and over the window's backdrop outside the
    // container, the line empties as well; over a field it stays.
    QWidget* backdrop = pan->parentWidget();
    const std::pair<QWidget*, QPoint> blanking[] = {
        {ed()->lblNome, ed()->lblNome->rect().center()},
        {backdrop, QPoint(2, 2)},
    };
    for (const auto& [widget, at] : blanking) {
        ed()->panInfo->setText(QStringLiteral("suggerimento"));
        QTest::mouseMove(ed()->txtVia);
        EXPECT_EQ(ed()->panInfo->text(), QStringLiteral("suggerimento"));
        ASSERT_FALSE(pan->geometry().contains(widget->mapTo(backdrop, at)) && widget == backdrop);
        QTest::mouseMove(widget, at);
        EXPECT_TRUE(ed()->panInfo->text().isEmpty()) << widget->objectName().toStdString();
    }
}

TEST_F(Editor, NotesAndStatusSitWhereTheDesignPutsThem) {
    writeArchive(0);
    openEditor();
    EXPECT_EQ(ed()->chkPagato->pos(), QPoint(860, 584));
    EXPECT_EQ(ed()->panInfo->pos(), QPoint(22, 650));
}

} // namespace

namespace {

TEST_F(Editor, ToolbarOpensItsWindowsAsModalDialogsOwnedByTheEditor) {
    writeArchive(0);
    openEditor();
    struct Button {
        ui::Picture* editor::TfrmBiglietti::*picture;
        const char* window;
    } buttons[] = {
        {&editor::TfrmBiglietti::cmdTrova, "frmTrovaBiglietti"},
        {&editor::TfrmBiglietti::cmdAnteprima, "frmAnteprimaBiglietto"},
        {&editor::TfrmBiglietti::cmdStampa, "frmStampaBiglietto"},
        {&editor::TfrmBiglietti::cmdExcel, "frmExpBiglietti"},
        {&editor::TfrmBiglietti::cmdNonPagati, "frmRiepDaPagare"},
        {&editor::TfrmBiglietti::cmdGuida, "frmGuida"},
    };
    for (const Button& b : buttons) {
        QString opened;
        QWidget* owner = nullptr;
        QString title, text;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_TRUE(modal);
            opened = modal->objectName();
            owner = modal->parentWidget();
            if (auto* t = modal->findChild<QLabel*>(QStringLiteral("lblTitolo")))
                title = t->text();
            if (auto* g = modal->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida")))
                text = g->toPlainText();
            modal->close();
        });
        QTest::mouseClick(ed()->*b.picture, Qt::LeftButton);
        EXPECT_EQ(opened, QLatin1String(b.window));
        EXPECT_EQ(owner, ed()) << b.window;
        if (opened == u"frmGuida") {
            EXPECT_EQ(title, QStringLiteral("Emissione buoni acquisto"));
            const QStringList paragraphs = text.split(QStringLiteral("\n\n"));
            ASSERT_EQ(paragraphs.size(), 10);
            EXPECT_TRUE(paragraphs[0].startsWith(
                QStringLiteral("Dopo aver selezionato l'archivio di interesse")));
            EXPECT_TRUE(paragraphs[9].startsWith(
                QStringLiteral("E' inoltre possibile esportare le schede")));
        }
    }
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{ed()});
}

} // namespace

#include "CatalogueFixture.h"
#include "SmallDisk.h"
#include "TableRows.h"
#include "Typing.h"
#include "editor/TfrmBiglietti.h"
#include "platform/Recording.h"
#include "storage/ArchiveSideFiles.h"
#include "storage/LogoPicture.h"

#include <QClipboard>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <limits>

using namespace scontrix;
using Kind = platform::RecordingMessageBoxes::Kind;
using platform::MessageType;

namespace {

const QString NoName =
    QStringLiteral("Attenzione: per creare un nuovo archivio è necessario indicare il suo nome.");
const QString Taken = QStringLiteral(
    "Attenzione: il nome dell'archivio indicato è già stato utilizzato in precedenza.\r\n\r\n"
    "Inserire un nome diverso oppure, se si desidera gestire i buoni acquisto relativi a un "
    "archivio già creato, premere il pulsante Emissione buoni.");
const QString Created = QStringLiteral(
    "Il file relativo al nuovo archivio è stato creato con successo.\r\n\r\nE' ora possibile "
    "visualizzarlo nell'elenco degli archivi esistenti premendo il pulsante Emissione buoni.");
QString refused(const QString& what) {
    return QStringLiteral("Attenzione: il nome dell'archivio non può contenere ") + what +
           QStringLiteral(".\r\n\r\nInserire un nome diverso.");
}

class Creation : public test::CatalogueFixture {
protected:
    QLineEdit* field() const { return creation()->txtFile; }

    // Pastes through the clipboard and the usual shortcut, as the user would.
    void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(field(), Qt::Key_V, Qt::ControlModifier);
    }
    void apply() { click(creation()->btnApplica); }

    // One key press carrying `c`, as the keyboard sends it (also for the
    // characters QTest's ASCII helpers cannot spell).
    void typeCharacter(QChar c) {
        QTest::sendKeyEvent(QTest::Click, field(), Qt::Key(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
    }

    void expectOnlyMessage(MessageType type, const QString& text, const char* what) {
        ASSERT_EQ(desktop.messages.messages.size(), 1u) << what;
        EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Typed) << what;
        EXPECT_EQ(desktop.messages.messages[0].type, type) << what;
        EXPECT_EQ(desktop.messages.messages[0].text, text) << what;
    }
};

TEST_F(Creation, OpensWithAnEmptyFocusedField) {
    showCreation();
    ASSERT_EQ(visiblePersistent(), QList<QWidget*>{creation()});
    field()->setText(QStringLiteral("rimasto"));
    click(creation()->btnAnnulla);
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
    showCreation();
    EXPECT_TRUE(field()->text().isEmpty());
    EXPECT_TRUE(field()->hasFocus());
    EXPECT_EQ(field()->maxLength(), 250);
}

TEST_F(Creation, BlankNameIsRefusedAndTheFieldGetsTheFocusBack) {
    showCreation();
    field()->setText(QStringLiteral("  \t  "));
    creation()->btnApplica->setFocus();
    apply();
    expectOnlyMessage(MessageType::Warning, NoName, "blank");
    EXPECT_TRUE(field()->hasFocus());
    EXPECT_EQ(folderContents(), QStringList{"unins000.dll"});
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{creation()});
}

TEST_F(Creation, TrimmedNameBecomesAnEmptyArchiveListedNextTime) {
    showCreation();
    QTest::keyClicks(field(), QStringLiteral("  Saldi  "));
    apply();
    expectOnlyMessage(MessageType::Information, Created, "created");
    EXPECT_EQ(folderContents(), (QStringList{"Saldi.eur", "unins000.dll"}));
    EXPECT_EQ(QFileInfo(folder.file(QStringLiteral("Saldi.eur"))).size(), 0);
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});

    showSelection();
    EXPECT_EQ(entries(), QStringList{"Saldi.eur"});
    EXPECT_EQ(selection()->lblCreati->text(), QStringLiteral("Sono stati creati 1 archivi."));
}

TEST_F(Creation, NameWithTheExtensionGetsItTwiceAndOpensUnderThatName) {
    showCreation();
    QTest::keyClicks(field(), QStringLiteral("Saldi.eur"));
    apply();
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Saldi.eur.eur"))));

    showSelection();
    select(QStringLiteral("Saldi.eur.eur"));
    click(selection()->btnApri);
    EXPECT_EQ(windows->frmBiglietti()->lblNome->text(), QStringLiteral("Saldi.eur"));
}

TEST_F(Creation, NameInUseLeavesTheOldArchiveUntouched) {
    const QByteArray records(3 * 1055, 'v');
    folder.write(QStringLiteral("Saldi.eur"), records);
    showCreation();
    QTest::keyClicks(field(), QStringLiteral(" Saldi"));
    apply();
    expectOnlyMessage(MessageType::Warning, Taken, "taken");
    EXPECT_EQ(folder.read(QStringLiteral("Saldi.eur")), records);
    EXPECT_EQ(field()->text(), QStringLiteral(" Saldi"));
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{creation()});
}

TEST_F(Creation, FilteredCharactersNeverReachTheFieldWhileEditingKeysWork) {
    showCreation();
    const QString filtered = QStringLiteral("\"*/:<>?\\\u00B0\u00C7\u00D1\u00E7\u00F1");
    for (QChar c : filtered) {
        field()->setText(QStringLiteral("ab"));
        typeCharacter(c);
        EXPECT_EQ(field()->text(), QStringLiteral("ab"))
            << "U+" << std::hex << static_cast<int>(c.unicode());
    }
    field()->setText(QStringLiteral("ab"));
    QTest::keyClicks(field(), QStringLiteral("|c"));
    EXPECT_EQ(field()->text(), QStringLiteral("ab|c")) << "the bar and letters pass";
    QTest::keyClick(field(), Qt::Key_Left);
    QTest::keyClick(field(), Qt::Key_Backspace);
    EXPECT_EQ(field()->text(), QStringLiteral("abc"));
    QTest::keyClick(field(), Qt::Key_Home);
    QTest::keyClick(field(), Qt::Key_Delete);
    QTest::keyClick(field(), Qt::Key_Right);
    QTest::keyClicks(field(), QStringLiteral("x"));
    EXPECT_EQ(field()->text(), QStringLiteral("bxc"));
}

struct UnsafeNameRow {
    const char* name; // of the row
    QString pasted;
    QString problem; // as the message names it
};
const UnsafeNameRow unsafeNameRows[] = {
    {"TwoFoldersUp", QStringLiteral("../../x"), QStringLiteral("il carattere «/»")},
    {"OneFolderUp", QStringLiteral("../Saldi"), QStringLiteral("il carattere «/»")},
    {"Subfolder", QStringLiteral("sub/Saldi"), QStringLiteral("il carattere «/»")},
    {"DrivePath", QStringLiteral("C:\\Saldi"), QStringLiteral("il carattere «:»")},
    {"Backslash", QStringLiteral("Sal\\di"), QStringLiteral("il carattere «\\»")},
    {"Tab", QStringLiteral("Sal\tdi"), QStringLiteral("tabulazioni")},
    {"LineBreak", QStringLiteral("Sal\ndi"), QStringLiteral("ritorni a capo")},
    {"ControlCharacter", QStringLiteral("Sal\u0001di"), QStringLiteral("caratteri di controllo")},
    {"Delete", QStringLiteral("Sal\u007Fdi"), QStringLiteral("caratteri di controllo")},
    {"QuestionMark", QStringLiteral("Saldi?"), QStringLiteral("il carattere «?»")},
    {"Star", QStringLiteral("Sal*"), QStringLiteral("il carattere «*»")},
    {"AngleBrackets", QStringLiteral("<Saldi>"), QStringLiteral("il carattere «<»")},
    {"Quotes", QStringLiteral("\"Saldi\""), QStringLiteral("il carattere «\"»")},
};

class UnsafePastedName : public Creation, public ::testing::WithParamInterface<UnsafeNameRow> {};

TEST_P(UnsafePastedName, IsRefusedAndNothingIsCreated) {
    // The program folder sits two levels down in a sandbox, so that a name
    // climbing out of it would still land where the test can see it.
    QTemporaryDir sandbox;
    const QString programFolder = sandbox.path() + QStringLiteral("/uno/due/");
    ASSERT_TRUE(QDir().mkpath(programFolder));
    auto sandboxContents = [&] {
        QStringList found;
        QDirIterator it(sandbox.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(sandbox.path()).relativeFilePath(it.next());
        found.sort();
        return found;
    };
    const QStringList untouched = {"uno", "uno/due"};

    const QString& name = GetParam().pasted;
    showCreation();
    platform::FixedProgramFolder sandboxed(programFolder);
    platform::ScopedSeam<platform::ProgramFolder> guard(sandboxed);
    paste(name);
    ASSERT_EQ(field()->text(), name) << "pasting is not filtered";
    apply();
    expectOnlyMessage(MessageType::Warning, refused(GetParam().problem), qPrintable(name));
    EXPECT_TRUE(field()->hasFocus());
    EXPECT_EQ(sandboxContents(), untouched) << qPrintable(name);
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{creation()});
}

INSTANTIATE_TEST_SUITE_P(Rows, UnsafePastedName, ::testing::ValuesIn(unsafeNameRows),
                         test::RowName());

// Letters only typing keeps out, and the bar, are fine in a pasted name:
// every file system takes them.
struct PastedNameRow {
    const char* name;
    QString pasted;
};
const PastedNameRow pastedNameRows[] = {
    {"NWithTilde", QStringLiteral("Pe\u00F1a")},
    {"CapitalNWithTilde", QStringLiteral("PE\u00D1A")},
    {"CWithCedilla", QStringLiteral("Gar\u00E7on \u00C7a")},
    {"DegreeSign", QStringLiteral("Saldi 30\u00B0")},
    {"Bar", QStringLiteral("Saldi | Resi")},
};

class PastedName : public Creation, public ::testing::WithParamInterface<PastedNameRow> {};

TEST_P(PastedName, CreatesItsArchive) {
    const QString& name = GetParam().pasted;
    showCreation();
    paste(name);
    apply();
    expectOnlyMessage(MessageType::Information, Created, GetParam().name);
    EXPECT_EQ(folderContents(),
              (QStringList{name + QStringLiteral(".eur"), QStringLiteral("unins000.dll")}));
}

INSTANTIATE_TEST_SUITE_P(Rows, PastedName, ::testing::ValuesIn(pastedNameRows), test::RowName());

// Two archives whose names differ only in case would share one settings file
// and one set of logos wherever the file system ignores case.
struct CaseRow {
    const char* name;
    const char* existing;
    QString typed;
};
const CaseRow caseRows[] = {
    {"SmallLetters", "saldi.eur", QStringLiteral("Saldi")},
    {"CapitalExtension", "Saldi.EUR", QStringLiteral("Saldi")},
    {"AccentedCapital", "CITT\xc3\x80.eur", QStringLiteral("Citt\u00E0")},
};

class NameInOtherCase : public Creation, public ::testing::WithParamInterface<CaseRow> {};

TEST_P(NameInOtherCase, IsTakenAndNothingIsCreated) {
    const CaseRow& c = GetParam();
    folder.write(QString::fromUtf8(c.existing), QByteArray(1055, 'v'));
    showCreation();
    test::typeText(field(), c.typed);
    apply();
    expectOnlyMessage(MessageType::Warning, Taken, c.name);
    EXPECT_EQ(folderContents(),
              (QStringList{QString::fromUtf8(c.existing), QStringLiteral("unins000.dll")}));
    EXPECT_EQ(folder.read(QString::fromUtf8(c.existing)), QByteArray(1055, 'v'));
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{creation()});
}

INSTANTIATE_TEST_SUITE_P(Rows, NameInOtherCase, ::testing::ValuesIn(caseRows), test::RowName());

TEST_F(Creation, TheTwoHundredFiftyFirstCharacterIsRefused) {
    showCreation();
    field()->insert(QString(249, u'a'));
    QTest::keyClicks(field(), QStringLiteral("bc"));
    EXPECT_EQ(field()->text(), QString(249, u'a') + u'b');
    field()->clear();
    paste(QString(300, u'z'));
    EXPECT_EQ(field()->text().size(), 250);
}

// Holds for root too: a program folder that is no longer there.
struct UncreatableRow {
    const char* name; // of the row
    QString archive;
    bool folderMissing;
};
const UncreatableRow uncreatableRows[] = {
    {"FolderMissing", QStringLiteral("Saldi"), true},
};

class UncreatableFile : public Creation, public ::testing::WithParamInterface<UncreatableRow> {};

TEST_P(UncreatableFile, IsReportedAndTheWindowStays) {
    QTemporaryDir gone;
    const QString missingFolder = gone.path() + QStringLiteral("/sparita/");
    const UncreatableRow& c = GetParam();
    const char* const what = c.name;
    showCreation();
    std::optional<platform::FixedProgramFolder> elsewhere;
    std::optional<platform::ScopedSeam<platform::ProgramFolder>> guard;
    if (c.folderMissing) {
        elsewhere.emplace(missingFolder);
        guard.emplace(*elsewhere);
    }
    field()->insert(c.archive);
    apply();
    expectOnlyMessage(MessageType::Error,
                      QStringLiteral("Attenzione: non è stato possibile creare l'archivio "
                                     "\"%1\".\r\n\r\nVerificare che la cartella del programma "
                                     "esista e non sia protetta da scrittura e che il nome non "
                                     "sia troppo lungo; quindi riprovare oppure inserire un "
                                     "nome diverso.")
                          .arg(c.archive),
                      what);
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{creation()}) << what;
    EXPECT_EQ(field()->text(), c.archive) << what;
    EXPECT_TRUE(field()->hasFocus()) << what;
    EXPECT_EQ(folderContents(), QStringList{"unins000.dll"}) << what;
    EXPECT_FALSE(QDir(missingFolder).exists()) << what;
}

INSTANTIATE_TEST_SUITE_P(Rows, UncreatableFile, ::testing::ValuesIn(uncreatableRows),
                         test::RowName());

// The files kept beside an archive are named after it, and the longest of
// them must fit in the 255 bytes a file name may take: the logo of the largest
// position an archive can hold (as many records as a file's size can count,
// 16 digits), while the save writes it under a temporary name seven bytes
// longer: 255 - 6 ("_Foto_") - 16 - 4 (".jpg") - 7 (".XXXXXX") leaves 222
// bytes for the name, counted as the file system stores them, so an accented
// letter takes two.
constexpr qint64 LargestPosition = std::numeric_limits<qint64>::max() / 1055;
constexpr int LongestName = 222;

struct LongNameRow {
    const char* name;
    QString archive;
    bool fits;
};
const LongNameRow longNameRows[] = {
    {"LongestThatFits", QString(LongestName, u'a'), true},
    {"LongestThatFitsWithAccents", QString(LongestName / 2, u'\u00E8'), true},
    {"OneByteMore", QString(LongestName + 1, u'a'), false},
    {"OneAccentedLetterMore", QString(LongestName - 1, u'a') + u'\u00E8', false},
    {"TwoHundredFortyFiveLetters", QString(245, u'a'), false},
    {"TwoHundredFiftyAccentedLetters", QString(250, u'\u00E8'), false},
};

void PrintTo(const LongNameRow& row, std::ostream* out) {
    *out << row.name;
}

class LongName : public Creation, public ::testing::WithParamInterface<LongNameRow> {};

TEST_P(LongName, IsCreatedOnlyWhenEveryFileBesideItCanBeNamed) {
    const LongNameRow& c = GetParam();
    ASSERT_EQ(QFile::encodeName(c.archive).size() <= LongestName, c.fits) << "the row itself";
    showCreation();
    field()->insert(c.archive);
    apply();
    if (!c.fits) {
        expectOnlyMessage(MessageType::Warning,
                          QStringLiteral("Attenzione: il nome dell'archivio è troppo lungo.\r\n\r\n"
                                         "Inserire un nome più breve."),
                          c.name);
        EXPECT_EQ(visiblePersistent(), QList<QWidget*>{creation()});
        EXPECT_EQ(field()->text(), c.archive);
        EXPECT_TRUE(field()->hasFocus());
        EXPECT_EQ(folderContents(), QStringList{"unins000.dll"}) << "nothing is created";
        return;
    }
    expectOnlyMessage(MessageType::Information, Created, c.name);
    QStringList created = folderContents();
    QStringList expected{c.archive + QStringLiteral(".eur"), QStringLiteral("unins000.dll")};
    created.sort();
    expected.sort();
    EXPECT_EQ(created, expected);
    // What the editor will write beside it, at the largest position too.
    const QString programFolder = folder.path() + u'/';
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (const qint64 position : {qint64(1), LargestPosition}) {
        const QString logo = storage::logoPath(programFolder, c.archive, QString::number(position));
        EXPECT_TRUE(storage::saveLogo(logo, picture)) << position;
        EXPECT_FALSE(storage::readPicture(logo)->isNull()) << position;
    }
    storage::ArchiveDefaults defaults;
    defaults[storage::Holds::Value] = QStringLiteral("25,00");
    const QString ini = storage::settingsPath(programFolder, c.archive);
    EXPECT_TRUE(storage::saveArchiveDefaults(ini, defaults));
    EXPECT_EQ((*storage::loadArchiveDefaults(ini))[storage::Holds::Value], QStringLiteral("25,00"));
}

INSTANTIATE_TEST_SUITE_P(Rows, LongName, ::testing::ValuesIn(longNameRows), test::RowName());

TEST_F(Creation, NameFieldIsYellowWhileFocusedAndAliceBlueOtherwise) {
    showCreation();
    auto background = [this] {
        const QImage shot = field()->grab().toImage();
        return QColor(shot.pixel(shot.width() - 3, shot.height() / 2));
    };
    auto border = [this] {
        const QImage shot = field()->grab().toImage();
        return QColor(shot.pixel(0, shot.height() / 2));
    };
    test::focus(field());
    EXPECT_EQ(background(), QColor(0xFF, 0xFF, 0x00));
    EXPECT_EQ(border(), QColor(0x87, 0xCE, 0xEB));
    creation()->setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(field()->hasFocus());
    EXPECT_EQ(background(), QColor(0xF0, 0xF8, 0xFF));
    EXPECT_EQ(border(), QColor(0x87, 0xCE, 0xEB));
}

// On a program folder whose disk is full (no room for one more file) or
// read-only, for real: the window says the archive could not be made, keeps
// the name to try again, and the archives already there stay as they were.
class CreationOnATroubledDisk : public Creation,
                                public ::testing::WithParamInterface<test::DiskTroubleCase> {};

TEST_P(CreationOnATroubledDisk, SaysSoAndMakesNothing) {
    showCreation();
    test::SmallDisk disk(folder.path());
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot();
    folder.write(QStringLiteral("Negozio.eur"), QByteArray(2110, 'x'));
    test::focus(field());
    QTest::keyClicks(field(), QStringLiteral("Nuovo"));
    ASSERT_TRUE(disk.bringOn(GetParam().trouble));
    const QStringList before = folderContents();

    apply();
    expectOnlyMessage(
        MessageType::Error,
        QStringLiteral("Attenzione: non è stato possibile creare l'archivio \"Nuovo\".\r\n\r\n"
                       "Verificare che la cartella del programma esista e non sia "
                       "protetta da scrittura e che il nome non sia troppo lungo; "
                       "quindi riprovare oppure inserire un nome diverso."),
        GetParam().name);
    EXPECT_EQ(folderContents(), before);
    EXPECT_EQ(folder.read(QStringLiteral("Negozio.eur")), QByteArray(2110, 'x'));
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{creation()});
    EXPECT_EQ(field()->text(), QStringLiteral("Nuovo"));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CreationOnATroubledDisk,
                         ::testing::ValuesIn(test::DiskTroubles), test::RowName());

} // namespace

#include "CatalogueFixture.h"
#include "editor/TfrmBiglietti.h"
#include "platform/Recording.h"

#include <QClipboard>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

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
const QString Unsafe = QStringLiteral(
    "Attenzione: il nome dell'archivio non può contenere i caratteri \" * / : < > ? \\ ° Ç Ñ ç ñ "
    "né caratteri di controllo (tabulazioni, ritorni a capo).\r\n\r\nInserire un nome diverso.");

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

TEST_F(Creation, UnsafePastedNamesAreRefusedAndNothingIsCreated) {
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

    const QStringList names = {
        QStringLiteral("../../x"),     QStringLiteral("../Saldi"), QStringLiteral("sub/Saldi"),
        QStringLiteral("C:\\Saldi"),   QStringLiteral("Sal\tdi"),  QStringLiteral("Sal\u0001di"),
        QStringLiteral("Sal\u007Fdi"), QStringLiteral("Saldi?"),   QStringLiteral("Pe\u00F1a"),
        QStringLiteral("\"Saldi\""),
    };
    for (const QString& name : names) {
        SetUp();
        showCreation();
        platform::FixedProgramFolder sandboxed(programFolder);
        platform::ScopedSeam<platform::ProgramFolder> guard(sandboxed);
        paste(name);
        ASSERT_EQ(field()->text(), name) << "pasting is not filtered";
        apply();
        expectOnlyMessage(MessageType::Warning, Unsafe, qPrintable(name));
        EXPECT_TRUE(field()->hasFocus());
        EXPECT_EQ(sandboxContents(), untouched) << qPrintable(name);
        EXPECT_EQ(visiblePersistent(), QList<QWidget*>{creation()});
    }
}

TEST_F(Creation, TheTwoHundredFiftyFirstCharacterIsRefused) {
    showCreation();
    field()->insert(QString(249, u'a'));
    QTest::keyClicks(field(), QStringLiteral("bc"));
    EXPECT_EQ(field()->text(), QString(249, u'a') + u'b');
    field()->clear();
    paste(QString(300, u'z'));
    EXPECT_EQ(field()->text().size(), 250);
}

TEST_F(Creation, AFileThatCannotBeCreatedIsReportedAndTheWindowStays) {
    // Both hold for root too: a name longer than the file system allows (250
    // two-byte letters), and a program folder that is no longer there.
    QTemporaryDir gone;
    const QString missingFolder = gone.path() + QStringLiteral("/sparita/");
    struct Case {
        const char* what;
        QString name;
        bool folderMissing;
    } cases[] = {
        {"name too long", QString(250, u'\u00E8'), false},
        {"folder missing", QStringLiteral("Saldi"), true},
    };
    for (const Case& c : cases) {
        SetUp();
        showCreation();
        std::optional<platform::FixedProgramFolder> elsewhere;
        std::optional<platform::ScopedSeam<platform::ProgramFolder>> guard;
        if (c.folderMissing) {
            elsewhere.emplace(missingFolder);
            guard.emplace(*elsewhere);
        }
        field()->insert(c.name);
        apply();
        expectOnlyMessage(MessageType::Error,
                          QStringLiteral("Attenzione: non è stato possibile creare l'archivio "
                                         "\"%1\".\r\n\r\nVerificare che la cartella del programma "
                                         "esista e non sia protetta da scrittura e che il nome non "
                                         "sia troppo lungo; quindi riprovare oppure inserire un "
                                         "nome diverso.")
                              .arg(c.name),
                          c.what);
        EXPECT_EQ(visiblePersistent(), QList<QWidget*>{creation()}) << c.what;
        EXPECT_EQ(field()->text(), c.name) << c.what;
        EXPECT_TRUE(field()->hasFocus()) << c.what;
        EXPECT_EQ(folderContents(), QStringList{"unins000.dll"}) << c.what;
        EXPECT_FALSE(QDir(missingFolder).exists()) << c.what;
    }
}

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

} // namespace

#include "EditorFixture.h"
#include "TableRows.h"
#include "TestLocale.h"
#include "Typing.h"
#include "editor/TfrmCalendario.h"
#include "ui/Picture.h"
#include "voucher/Formats.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCalendarWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>
#include <functional>

using namespace scontrix;
using scontrix::test::focus;

namespace {

class FieldEntry : public test::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        writeArchive(0);
        openEditor();
    }

    // Runs `inside` on the date picker as soon as it is up.
    void withPicker(const std::function<void(editor::TfrmCalendario*)>& inside) {
        QTimer::singleShot(0, [inside] {
            auto* picker = qobject_cast<editor::TfrmCalendario*>(QApplication::activeModalWidget());
            ASSERT_TRUE(picker);
            inside(picker);
            if (picker->isVisible())
                picker->reject();
        });
    }
    static void pick(editor::TfrmCalendario* picker, QDate day) {
        picker->calAppuntamenti->setSelectedDate(day);
        QTest::mouseClick(picker->btnImportaData, Qt::LeftButton);
    }

    // Every field a save asks for, but the value.
    void fillTheRequiredFieldsButTheValue() {
        const QStringList texts = {QStringLiteral("Mario"),
                                   {},
                                   {},
                                   {},
                                   QStringLiteral("1"),
                                   QStringLiteral("01/01/2024"),
                                   QStringLiteral("02/02/2024"),
                                   QStringLiteral("Anna"),
                                   {},
                                   QStringLiteral("Bar"),
                                   QStringLiteral("Nessuna"),
                                   {}};
        for (int i = 0; i < 12; ++i)
            ed()->recordFields()[i]->setText(texts[i]);
    }

    static QString background(QLineEdit* field) {
        const QString sheet = field->styleSheet();
        const qsizetype at = sheet.indexOf(QStringLiteral("background-color: "));
        return sheet.mid(at + 18, 7);
    }
};

TEST_F(FieldEntry, KeyFiltersOfMobileNumberAndValue) {
    struct Case {
        QLineEdit* editor::TfrmBiglietti::*field;
        const char* typed;
        const char* kept;
    } cases[] = {
        {&editor::TfrmBiglietti::txtCel, "33a3,1-2.4 +", "333124"},
        {&editor::TfrmBiglietti::txtEvento, "1a2.5-0,7e +", "1250,7"},
    };
    for (const Case& c : cases) {
        QLineEdit* field = ed()->*c.field;
        focus(field);
        QTest::keyClicks(field, QString::fromLatin1(c.typed));
        EXPECT_EQ(field->text(), QString::fromLatin1(c.kept)) << c.typed;
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text().size(), qstrlen(c.kept) - 1)
            << "caret keys and Backspace still edit";
    }
}

// The orders as the voucher is filled in, written out here, not taken from the window.
const char* const enterChain[] = {"txtAcquirente", "txtVia",    "txtCitta",      "txtCel",
                                  "txtNum",        "txtPrezzo", "txtSpettatore", "txtPosto",
                                  "txtEvento",     "txtLuogo",  "txtScritta",    "txtNote"};

TEST_F(FieldEntry, EnterWalksTheChainAndComesBackFromTheNotes) {
    focus(control<QLineEdit>(ed(), "txtAcquirente"));
    QStringList visited;
    for (std::size_t i = 0; i < std::size(enterChain); ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    visited << QApplication::focusWidget()->objectName();
    QStringList expected;
    for (const char* name : enterChain)
        expected << QString::fromLatin1(name);
    expected << QStringLiteral("txtAcquirente"); // Enter in the notes goes back to the customer
    EXPECT_EQ(visited, expected);
}

TEST_F(FieldEntry, TabWalksTheFieldsEndsAtTheCashedBoxAndWrapsRound) {
    focus(control<QLineEdit>(ed(), "txtAcquirente"));
    QStringList visited;
    for (std::size_t i = 0; i <= std::size(enterChain) + 1; ++i) {
        QWidget* focused = QApplication::focusWidget();
        visited << (focused->objectName().isEmpty()
                        ? QString::fromLatin1(focused->metaObject()->className())
                        : focused->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QStringList expected;
    for (const char* name : enterChain)
        expected << QString::fromLatin1(name);
    expected << QStringLiteral("chkPagato") << QStringLiteral("txtAcquirente");
    EXPECT_EQ(visited, expected);
}

TEST_F(FieldEntry, FocusColoursTheFieldAndLeavingRestoresItsIdleColour) {
    focus(ed()->txtVia);
    EXPECT_EQ(background(ed()->txtVia), QStringLiteral("#FFFF00"));
    focus(ed()->txtPosto);
    EXPECT_EQ(background(ed()->txtVia), QStringLiteral("#F0F8FF")) << "customer side: alice blue";
    EXPECT_EQ(background(ed()->txtPosto), QStringLiteral("#FFFF00"));
    focus(ed()->txtNote);
    EXPECT_EQ(background(ed()->txtPosto), QStringLiteral("#FFFFFF")) << "voucher side: white";
}

// The value typed by a shopkeeper, whatever the desktop's locale: these run
// under each of the four (the test's name says which).
class ValueEntryAnyLocale : public FieldEntry {};

struct TypedValue {
    const char* name;
    const char* typed;
    const char* shown;
};

void PrintTo(const TypedValue& v, std::ostream* os) {
    *os << '"' << v.typed << '"';
}

class TypedValueAnyLocale : public FieldEntry, public ::testing::WithParamInterface<TypedValue> {};

// Typed key by key, left with Tab, as on the keyboard; then saved, and the
// record's value field read back at its offset (a length byte, then the text).
TEST_P(TypedValueAnyLocale, IsWrittenWithTwoDecimalsAndStoredSo) {
    fillTheRequiredFieldsButTheValue();
    focus(ed()->txtEvento);
    test::typeText(ed()->txtEvento, QString::fromLatin1(GetParam().typed));
    QTest::keyClick(ed()->txtEvento, Qt::Key_Tab);
    EXPECT_FALSE(ed()->txtEvento->hasFocus()) << "Tab leaves the value field";
    const QString shown = QString::fromLatin1(GetParam().shown);
    EXPECT_EQ(ed()->txtEvento->text(), shown);

    click("cmdSalva");
    ASSERT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("La scheda corrente è stata inserita in archivio.")});
    const QByteArray record = folder.read(QStringLiteral("Negozio.eur"));
    ASSERT_EQ(record.size(), 1055);
    EXPECT_EQ(record.mid(378, 1 + shown.size()), char(shown.size()) + shown.toLatin1());
}

INSTANTIATE_TEST_SUITE_P(Typed, TypedValueAnyLocale,
                         ::testing::Values(TypedValue{"SevenAndAHalf", "7,5", "7,50"},
                                           TypedValue{"WholeEuros", "25", "25,00"},
                                           TypedValue{"RoundedToCents", "1234,567", "1234,57"},
                                           // The blanks are refused as typed, as a letter is.
                                           TypedValue{"BetweenBlanks", " 12,5 ", "12,50"}),
                         [](const auto& row) { return std::string(row.param.name); });

// A stored value changed the way a tired shopkeeper does it: click into the
// field, Ctrl+A, type the new amount.
TEST_F(ValueEntryAnyLocale, SelectAllAndRetypeReplacesTheValue) {
    ed()->txtEvento->setText(QStringLiteral("25,00"));
    QTest::mouseClick(ed()->txtEvento, Qt::LeftButton);
    ASSERT_TRUE(ed()->txtEvento->hasFocus());
    QTest::keyClick(ed()->txtEvento, Qt::Key_A, Qt::ControlModifier);
    test::typeText(ed()->txtEvento, QStringLiteral("30,5"));
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("30,5"));
    QTest::keyClick(ed()->txtEvento, Qt::Key_Tab);
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("30,50"));

    // A mobile number pasted with its blanks and prefix keeps its digits.
    QApplication::clipboard()->setText(QStringLiteral("+39 333 1234567"));
    QTest::mouseClick(ed()->txtCel, Qt::LeftButton);
    QTest::keyClick(ed()->txtCel, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ed()->txtCel->text(), QStringLiteral("393331234567"));
}

TEST_F(ValueEntryAnyLocale, ValueIsFormattedOnLeavingItsField) {
    focus(ed()->txtEvento);
    QTest::keyClicks(ed()->txtEvento, QStringLiteral("2,675"));
    focus(ed()->txtLuogo);
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("2,67"));

    // Saving moves the focus out first, so the value is formatted before it is stored.
    fillTheRequiredFieldsButTheValue();
    focus(ed()->txtEvento);
    ed()->txtEvento->clear();
    QTest::keyClicks(ed()->txtEvento, QStringLiteral("7"));
    click("cmdSalva");
    ASSERT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("La scheda corrente è stata inserita in archivio.")});
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("7,00"));
    const QByteArray record = folder.read(QStringLiteral("Negozio.eur"));
    ASSERT_EQ(record.size(), 1055);
    EXPECT_EQ(record.mid(378, 5), QByteArray("\x04"
                                             "7,00"));
}

TEST_F(ValueEntryAnyLocale, ValueWaitsWhileAContextMenuIsOpenAndPastesIntoIt) {
    focus(ed()->txtEvento);
    QTest::keyClicks(ed()->txtEvento, QStringLiteral("12,"));
    QApplication::clipboard()->setText(QStringLiteral("5"));
    // A right click on the field: its menu pops up over it.
    const QPoint at = ed()->txtEvento->rect().center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, ed()->txtEvento->mapToGlobal(at));
    QApplication::sendEvent(ed()->txtEvento, &rightClick);
    QApplication::processEvents();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu);
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("12,"))
        << "the menu opening is no leaving of the field";
    QAction* pasteAction = nullptr;
    for (QAction* action : menu->actions()) {
        // The program speaks Italian: "Incolla" is Paste.
        if (action->text().startsWith(u"&Incolla"))
            pasteAction = action;
    }
    ASSERT_TRUE(pasteAction);
    pasteAction->trigger();
    menu->close();
    QApplication::processEvents();
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("12,5"));
    focus(ed()->txtLuogo);
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("12,50"));
}

TEST_F(ValueEntryAnyLocale, ValueWaitsWhileAnotherProgramHasTheFocus) {
    focus(ed()->txtEvento);
    QTest::keyClicks(ed()->txtEvento, QStringLiteral("12,"));
    // Another program comes to the front: no window of this one is active.
    QApplication::setActiveWindow(nullptr);
    QApplication::processEvents();
    EXPECT_FALSE(ed()->txtEvento->hasFocus());
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("12,"));
    // Back in the program, the field has the focus again and typing goes on.
    focus(ed()->txtEvento);
    QTest::keyClicks(ed()->txtEvento, QStringLiteral("3"));
    focus(ed()->txtLuogo);
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("12,30"));
}

TEST_F(FieldEntry, TypingLimitsBindTypingOnly) {
    focus(ed()->txtCel);
    QTest::keyClicks(ed()->txtCel, QStringLiteral("12345678901234567"));
    EXPECT_EQ(ed()->txtCel->text(), QStringLiteral("123456789012345"));
    ed()->txtNum->setText(QString(30, u'9'));
    EXPECT_EQ(ed()->txtNum->text().size(), 30) << "text put in by the program is never cut";
}

TEST_F(FieldEntry, DateFieldsOpenThePickerAndEmptyOnBackspace) {
    ed()->txtPrezzo->setText(QStringLiteral("01/01/2020"));
    focus(ed()->txtPrezzo);
    QTest::keyClick(ed()->txtPrezzo, Qt::Key_Backspace);
    EXPECT_TRUE(ed()->txtPrezzo->text().isEmpty());

    // The day picked lands in the field that opened the picker, and only there.
    ed()->txtSpettatore->setText(QStringLiteral("06/06/2020"));
    withPicker([](editor::TfrmCalendario* picker) { pick(picker, QDate(2030, 1, 2)); });
    QTest::keyClick(ed()->txtPrezzo, Qt::Key_A);
    EXPECT_EQ(ed()->txtPrezzo->text(), voucher::Formats::formatDate(QDate(2030, 1, 2)));
    EXPECT_EQ(ed()->txtSpettatore->text(), QStringLiteral("06/06/2020"));

    focus(ed()->txtSpettatore);
    withPicker([](editor::TfrmCalendario* picker) { pick(picker, QDate(2031, 3, 4)); });
    QTest::keyClick(ed()->txtSpettatore, Qt::Key_Right);
    EXPECT_EQ(ed()->txtSpettatore->text(), voucher::Formats::formatDate(QDate(2031, 3, 4)));
    EXPECT_EQ(ed()->txtPrezzo->text(), voucher::Formats::formatDate(QDate(2030, 1, 2)));

    bool opened = false;
    QTimer::singleShot(0, [&] { opened = QApplication::activeModalWidget() != nullptr; });
    QTest::mouseClick(ed()->txtSpettatore, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(opened) << "a click alone does not open the picker";
}

TEST_F(FieldEntry, PickerImportsTodayIntoItsFieldOnlyAndCancelChangesNothing) {
    ed()->txtPrezzo->setText(QStringLiteral("05/05/2020"));
    ed()->txtSpettatore->setText(QStringLiteral("06/06/2020"));
    focus(ed()->txtSpettatore);
    QDate shown;
    withPicker([&](editor::TfrmCalendario* picker) {
        shown = picker->calAppuntamenti->selectedDate();
        QTest::mouseClick(picker->btnImportaData, Qt::LeftButton);
    });
    QTest::keyClick(ed()->txtSpettatore, Qt::Key_X);
    EXPECT_EQ(shown, QDate::currentDate())
        << "the calendar starts at today whatever the field holds";
    EXPECT_EQ(ed()->txtSpettatore->text(), voucher::Formats::formatDate(QDate::currentDate()));
    EXPECT_EQ(ed()->txtPrezzo->text(), QStringLiteral("05/05/2020"));

    withPicker([](editor::TfrmCalendario* picker) {
        picker->calAppuntamenti->setSelectedDate(QDate(2030, 1, 2));
        QTest::mouseClick(picker->btnAnnulla, Qt::LeftButton);
    });
    QTest::keyClick(ed()->txtSpettatore, Qt::Key_X);
    EXPECT_EQ(ed()->txtSpettatore->text(), voucher::Formats::formatDate(QDate::currentDate()));
}

TEST_F(FieldEntry, EnterOnADayImportsIt) {
    focus(ed()->txtPrezzo);
    withPicker([](editor::TfrmCalendario* picker) {
        picker->calAppuntamenti->setSelectedDate(QDate(2027, 2, 3));
        QWidget* days = picker->calAppuntamenti->findChild<QAbstractItemView*>();
        ASSERT_TRUE(days);
        QTest::keyClick(days, Qt::Key_Return);
    });
    QTest::keyClick(ed()->txtPrezzo, Qt::Key_Space);
    EXPECT_EQ(ed()->txtPrezzo->text(), voucher::Formats::formatDate(QDate(2027, 2, 3)));
}

// The picked date is written day, month, year with the desktop's own date
// separator: a German desktop writes "03.02.2027". Runs under each locale.
class PickedDateAnyLocale : public FieldEntry {};

TEST_F(PickedDateAnyLocale, IsWrittenWithTheDesktopsSeparator) {
    const QString expected = test::expectedForLocale({
        {"it_IT.UTF-8", "03/02/2027"},
        {"de_DE.UTF-8", "03.02.2027"},
        {"en_US.UTF-8", "03/02/2027"}, // month first there, yet the program's order stays
        {"C", "03/02/2027"},
    });
    ASSERT_FALSE(expected.isEmpty()) << "no expected date for LANG=" << qgetenv("LANG").constData();

    focus(ed()->txtSpettatore);
    withPicker([](editor::TfrmCalendario* picker) {
        picker->calAppuntamenti->setSelectedDate(QDate(2027, 2, 3));
        QTest::mouseClick(picker->btnImportaData, Qt::LeftButton);
    });
    QTest::keyClick(ed()->txtSpettatore, Qt::Key_Space);
    EXPECT_EQ(ed()->txtSpettatore->text(), expected);
}

TEST_F(FieldEntry, ChoosingTheLogo) {
    QImage red(60, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(folder.file(QStringLiteral("logo.bmp")), "BMP"));
    folder.write(QStringLiteral("finto.jpg"), "questo non è un jpeg");

    desktop.files.answers = {folder.file(QStringLiteral("logo.bmp"))};
    ed()->imgFotoClick();
    ASSERT_EQ(desktop.files.requests.size(), 1u);
    EXPECT_EQ(desktop.files.requests[0].title,
              QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
    EXPECT_EQ(desktop.files.requests[0].filters,
              QStringLiteral("Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)"));
    EXPECT_EQ(ed()->imgFoto->image().size(), QSize(60, 30))
        << "kept at its own size, fitted on screen";
    EXPECT_FALSE(QDir(folder.file(QStringLiteral("Logo_Ditta"))).entryList(QDir::Files).size())
        << "nothing is written before saving";

    desktop.files.answers = {folder.file(QStringLiteral("finto.jpg"))};
    ed()->imgFotoClick();
    EXPECT_GT(logoColour().red(), 200) << "a file that is no picture leaves the picture as it was";

    ed()->cmdNuovoClick();
    const QStringList texts = {QStringLiteral("Mario"),
                               {},
                               {},
                               {},
                               QStringLiteral("1"),
                               QStringLiteral("01/01/2024"),
                               QStringLiteral("02/02/2024"),
                               QStringLiteral("Anna"),
                               QStringLiteral("5,00"),
                               QStringLiteral("Bar"),
                               QStringLiteral("Nessuna"),
                               {}};
    for (int i = 0; i < 12; ++i)
        ed()->recordFields()[i]->setText(texts[i]);
    ed()->cmdSalvaClick();
    const QImage saved(logo(1));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(60, 30));
    EXPECT_GT(saved.pixelColor(30, 15).red(), 200) << "saving stores the unchanged picture";

    desktop.files.answers = {folder.file(QStringLiteral("sparito.jpg"))};
    ed()->imgFotoClick();
    EXPECT_EQ(ed()->imgFoto->image(), ed()->imgBianco->image())
        << "a missing file gives the placeholder";

    ed()->imgFotoClick(); // cancelled: nothing changes
    EXPECT_EQ(ed()->imgFoto->image(), ed()->imgBianco->image());
}

TEST_F(FieldEntry, WhatsAppAsksForItsFourFieldsInOrder) {
    struct Case {
        const char* cel;
        const char* num;
        const char* value;
        const char* conditions;
        const char* warning; // nullptr: the link is opened
        QLineEdit* editor::TfrmBiglietti::*focused;
    } cases[] = {
        {"", "12", "25,00", "x", "il numero di cellulare del cliente",
         &editor::TfrmBiglietti::txtCel},
        {"333", " ", "25,00", "x", "il numero del buono acquisto", &editor::TfrmBiglietti::txtNum},
        {"333", "12", "", "x", "il valore del buono acquisto", &editor::TfrmBiglietti::txtEvento},
        {"333", "12", "25,00", "", "le condizioni di utilizzo del buono",
         &editor::TfrmBiglietti::txtScritta},
        {"333", "12", "25,00", "x", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        desktop.messages.clear();
        desktop.shell.opened.clear();
        ed()->txtCel->setText(QString::fromUtf8(c.cel));
        ed()->txtNum->setText(QString::fromUtf8(c.num));
        ed()->txtEvento->setText(QString::fromUtf8(c.value));
        ed()->txtScritta->setText(QString::fromUtf8(c.conditions));
        ed()->txtLuogo->setText(QStringLiteral("Bar & Caffè #1"));
        focus(ed()->txtNote);
        ed()->btnWhatsAppClick();
        if (c.warning) {
            EXPECT_EQ(desktop.messages.texts(),
                      QStringList{
                          QStringLiteral("Attenzione: per inviare il messaggio tramite WhatsApp è "
                                         "necessario indicare ") +
                          QString::fromUtf8(c.warning) + u'.'});
            EXPECT_TRUE((ed()->*c.focused)->hasFocus()) << c.warning;
            EXPECT_TRUE(desktop.shell.opened.isEmpty()) << c.warning;
        } else {
            EXPECT_TRUE(desktop.messages.messages.empty());
            ASSERT_EQ(desktop.shell.opened.size(), 1);
        }
    }
}

TEST_F(FieldEntry, WhatsAppLinkCarriesTheWholeMessage) {
    const std::pair<const char*, QString> texts[] = {
        {"txtCel", QStringLiteral("3331234567")},
        {"txtNum", QStringLiteral("12")},
        {"txtEvento", QStringLiteral("25,00")},
        {"txtPrezzo", QStringLiteral("01/03/2024")},
        {"txtSpettatore", QStringLiteral("31/03/2024")},
        {"txtPosto", QStringLiteral("Luca Neri")},
        {"txtLuogo", QStringLiteral("Bar & Caffè #1")},
        {"txtScritta", QStringLiteral("Nessuna")},
    };
    for (const auto& [name, text] : texts)
        control<QLineEdit>(ed(), name)->setText(text);
    click("btnWhatsApp");
    ASSERT_EQ(desktop.shell.opened.size(), 1);
    const QUrl link(desktop.shell.opened[0]);
    EXPECT_EQ(link.scheme(), QStringLiteral("https"));
    EXPECT_EQ(link.path(), QStringLiteral("/send"));
    const QUrlQuery query(link);
    EXPECT_EQ(
        query.queryItemValue(QStringLiteral("text"), QUrl::FullyDecoded),
        QStringLiteral("La informiamo che è stato emesso il buono acquisto n. 12 del valore di "
                       "euro 25,00 spendibile dal 01/03/2024 al 31/03/2024. Il buono è intestato "
                       "al beneficiario Luca Neri che potrà utilizzarlo presso Bar & Caffè #1"));
    EXPECT_EQ(ed()->txtCel->text(), QStringLiteral("3331234567"))
        << "the field keeps the number as typed";
}

// The web client takes a number only in international form.
struct PhoneRow {
    const char* name;
    QString typed;
    QString inLink;
};
const PhoneRow phoneRows[] = {
    {"ItalianMobile", QStringLiteral("3331234567"), QStringLiteral("393331234567")},
    {"DoubleZeroPrefix", QStringLiteral("00393331234567"), QStringLiteral("393331234567")},
    {"AlreadyInternational", QStringLiteral("41791234567"), QStringLiteral("41791234567")},
};

class WhatsAppPhone : public FieldEntry, public ::testing::WithParamInterface<PhoneRow> {};

TEST_P(WhatsAppPhone, IsInInternationalForm) {
    test::typeText(ed()->txtCel, GetParam().typed);
    ed()->txtNum->setText(QStringLiteral("1"));
    ed()->txtEvento->setText(QStringLiteral("5,00"));
    ed()->txtScritta->setText(QStringLiteral("Nessuna"));
    click("btnWhatsApp");
    ASSERT_EQ(desktop.shell.opened.size(), 1);
    const QUrlQuery query{QUrl(desktop.shell.opened[0])};
    EXPECT_EQ(query.queryItemValue(QStringLiteral("phone"), QUrl::FullyDecoded), GetParam().inLink);
}

INSTANTIATE_TEST_SUITE_P(Rows, WhatsAppPhone, ::testing::ValuesIn(phoneRows), test::RowName());

} // namespace

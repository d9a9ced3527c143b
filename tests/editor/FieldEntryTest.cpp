#include "EditorFixture.h"
#include "editor/TfrmCalendario.h"
#include "app/Formats.h"
#include "ui/Picture.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
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

    // Runs `inside` on the date picker as soon as it is up; returns the marker it was given.
    QString withPicker(const std::function<void(editor::TfrmCalendario*)>& inside) {
        QString marker;
        QTimer::singleShot(0, [&] {
            auto* picker = qobject_cast<editor::TfrmCalendario*>(QApplication::activeModalWidget());
            ASSERT_TRUE(picker);
            marker = picker->lblMemory->text();
            inside(picker);
            if (picker->isVisible())
                picker->reject();
        });
        return marker;
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
        EXPECT_EQ(field->text().size(), qstrlen(c.kept) - 1) << "caret keys and Backspace still edit";
    }
}

TEST_F(FieldEntry, EnterWalksTheChainAndComesBackFromTheNotes) {
    const QList<QLineEdit*> chain = ed()->recordFields();
    focus(ed()->txtAcquirente);
    for (qsizetype i = 0; i < chain.size(); ++i) {
        ASSERT_TRUE(chain[i]->hasFocus()) << chain[i]->objectName().toStdString();
        QTest::keyClick(chain[i], Qt::Key_Return);
    }
    EXPECT_TRUE(ed()->txtAcquirente->hasFocus()) << "Enter in the notes goes back to the customer";
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

TEST_F(FieldEntry, ValueIsFormattedOnLeavingItsField) {
    focus(ed()->txtEvento);
    QTest::keyClicks(ed()->txtEvento, QStringLiteral("2,675"));
    focus(ed()->txtLuogo);
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("2,67"));

    // Saving moves the focus out first, so the value is formatted before it is stored.
    focus(ed()->txtEvento);
    ed()->txtEvento->setText(QStringLiteral("7"));
    ed()->cmdSalvaClick();
    EXPECT_EQ(ed()->txtEvento->text(), QStringLiteral("7,00"));
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

    const QString marker = withPicker([](editor::TfrmCalendario*) {});
    QTest::keyClick(ed()->txtPrezzo, Qt::Key_A);
    EXPECT_EQ(marker, QStringLiteral("prezzo"));

    focus(ed()->txtSpettatore);
    const QString other = withPicker([](editor::TfrmCalendario*) {});
    QTest::keyClick(ed()->txtSpettatore, Qt::Key_Right);
    EXPECT_EQ(other, QStringLiteral("spettatore"));

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
    EXPECT_EQ(shown, QDate::currentDate()) << "the calendar starts at today whatever the field holds";
    EXPECT_EQ(ed()->txtSpettatore->text(), app::Formats::formatDate(QDate::currentDate()));
    EXPECT_EQ(ed()->txtPrezzo->text(), QStringLiteral("05/05/2020"));

    withPicker([](editor::TfrmCalendario* picker) {
        picker->calAppuntamenti->setSelectedDate(QDate(2030, 1, 2));
        QTest::mouseClick(picker->btnAnnulla, Qt::LeftButton);
    });
    QTest::keyClick(ed()->txtSpettatore, Qt::Key_X);
    EXPECT_EQ(ed()->txtSpettatore->text(), app::Formats::formatDate(QDate::currentDate()));
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
    EXPECT_EQ(ed()->txtPrezzo->text(), app::Formats::formatDate(QDate(2027, 2, 3)));
}

TEST_F(FieldEntry, PickerWithAnUnknownMarkerStaysOpen) {
    editor::TfrmCalendario picker(ed());
    picker.lblMemory->setText(QStringLiteral("Prezzo")); // the marker is compared exactly
    picker.show();
    picker.btnImportaDataClick();
    EXPECT_TRUE(picker.isVisible());
    EXPECT_TRUE(ed()->txtPrezzo->text().isEmpty());
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
    EXPECT_EQ(ed()->imgFoto->image().size(), QSize(60, 30)) << "kept at its own size, fitted on screen";
    EXPECT_FALSE(QDir(folder.file(QStringLiteral("Logo_Ditta"))).entryList(QDir::Files).size())
        << "nothing is written before saving";

    desktop.files.answers = {folder.file(QStringLiteral("finto.jpg"))};
    ed()->imgFotoClick();
    EXPECT_GT(logoColour().red(), 200) << "a file that is no picture leaves the picture as it was";

    ed()->cmdNuovoClick();
    const QStringList texts = {QStringLiteral("Mario"), {}, {}, {}, QStringLiteral("1"),
                               QStringLiteral("01/01/2024"), QStringLiteral("02/02/2024"),
                               QStringLiteral("Anna"), QStringLiteral("5,00"), QStringLiteral("Bar"),
                               QStringLiteral("Nessuna"), {}};
    for (int i = 0; i < 12; ++i)
        ed()->recordFields()[i]->setText(texts[i]);
    ed()->cmdSalvaClick();
    const QImage saved(logo(1));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(60, 30));
    EXPECT_GT(saved.pixelColor(30, 15).red(), 200) << "saving stores the unchanged picture";

    desktop.files.answers = {folder.file(QStringLiteral("sparito.jpg"))};
    ed()->imgFotoClick();
    EXPECT_EQ(ed()->imgFoto->image(), ed()->imgBianco->image()) << "a missing file gives the placeholder";

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
        {"", "12", "25,00", "x", "il numero di cellulare del cliente", &editor::TfrmBiglietti::txtCel},
        {"333", " ", "25,00", "x", "il numero del buono acquisto", &editor::TfrmBiglietti::txtNum},
        {"333", "12", "", "x", "il valore del buono acquisto", &editor::TfrmBiglietti::txtEvento},
        {"333", "12", "25,00", "", "le condizioni di utilizzo del buono", &editor::TfrmBiglietti::txtScritta},
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
                      QStringList{QStringLiteral("Attenzione: per inviare il messaggio tramite WhatsApp è "
                                                 "necessario indicare ") +
                                  QString::fromUtf8(c.warning) + u'.'});
            EXPECT_TRUE((ed()->*c.focused)->hasFocus()) << c.warning;
            EXPECT_TRUE(desktop.shell.opened.isEmpty()) << c.warning;
        } else {
            EXPECT_TRUE(desktop.messages.messages.empty());
            ASSERT_EQ(desktop.shell.opened.size(), 1);
            EXPECT_TRUE(desktop.shell.opened[0].startsWith(QStringLiteral("https://api.whatsapp.com/send?phone=333&text=")));
            EXPECT_TRUE(desktop.shell.opened[0].endsWith(QStringLiteral("presso%20Bar%20%26%20Caff%C3%A8%20%231")));
        }
    }
}

} // namespace

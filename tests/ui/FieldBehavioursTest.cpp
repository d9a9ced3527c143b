#include "ui/FieldBehaviours.h"

#include "AppFixture.h"
#include "TableRows.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace scontrix;
using scontrix::test::focus;

namespace {

// Bare fields in a plain window, with nothing but the behaviour under test.
class FieldBehaviour : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 200);
        for (int i = 0; i < 3; ++i) {
            fields[i] = new QLineEdit(&window);
            fields[i]->setGeometry(10, 10 + 40 * i, 200, 24);
        }
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        focus(field());
    }

    QLineEdit* field(int i = 0) const { return fields[i]; }

    void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(field(), Qt::Key_V, Qt::ControlModifier);
    }
    QColor pixel(int x) const {
        const QImage shot = field()->grab().toImage();
        return shot.pixelColor(x < 0 ? shot.width() + x : x, shot.height() / 2);
    }

    QWidget window;
    QLineEdit* fields[3] = {};
};

TEST_F(FieldBehaviour, TypingLimitRefusesTheKeysThatDoNotFit) {
    ui::limitTyping(field(), 5);
    QTest::keyClicks(field(), QStringLiteral("1234567"));
    EXPECT_EQ(field()->text(), QStringLiteral("12345"));
    QTest::keyClick(field(), Qt::Key_Backspace);
    QTest::keyClicks(field(), QStringLiteral("xy"));
    EXPECT_EQ(field()->text(), QStringLiteral("1234x"));
}

// A paste is cut to the room left, wherever it lands, as a plain length
// limit cuts it; the row's field starts as typed, its caret where "|" is.
struct PasteRow {
    const char* name;
    QString before; // with "|" at the caret, and [ ] around a selection
    QString pasted;
    QString after;
};
const PasteRow pasteRows[] = {
    {"AtTheEnd", QStringLiteral("ab|"), QStringLiteral("cdefgh"), QStringLiteral("abcde")},
    {"InTheMiddle", QStringLiteral("a|b"), QStringLiteral("XYZW"), QStringLiteral("aXYZb")},
    {"AtTheStart", QStringLiteral("|ab"), QStringLiteral("XYZW"), QStringLiteral("XYZab")},
    {"OverASelection", QStringLiteral("a[bcd]e"), QStringLiteral("XYZWV"), QStringLiteral("aXYZe")},
    {"RepeatingTheText", QStringLiteral("aa|"), QStringLiteral("aaaa"), QStringLiteral("aaaaa")},
    {"IntoAFullField", QStringLiteral("abcde|"), QStringLiteral("X"), QStringLiteral("abcde")},
    {"ThatFits", QStringLiteral("ab|"), QStringLiteral("cde"), QStringLiteral("abcde")},
};

class TypingLimitPaste : public FieldBehaviour, public ::testing::WithParamInterface<PasteRow> {};

TEST_P(TypingLimitPaste, IsCutToTheRoomLeft) {
    const PasteRow& row = GetParam();
    ui::limitTyping(field(), 5);
    QString text = row.before;
    const qsizetype caret = text.indexOf(u'|');
    const qsizetype selectionStart = text.indexOf(u'[');
    text.remove(u'|').remove(u'[').remove(u']');
    QTest::keyClicks(field(), text);
    if (caret >= 0)
        field()->setCursorPosition(int(caret));
    else
        field()->setSelection(int(selectionStart),
                              int(row.before.indexOf(u']') - selectionStart - 1));
    paste(row.pasted);
    EXPECT_EQ(field()->text(), row.after);
}

INSTANTIATE_TEST_SUITE_P(Rows, TypingLimitPaste, ::testing::ValuesIn(pasteRows), test::RowName());

TEST_F(FieldBehaviour, TypingLimitNeverCutsTheProgramsTextNorLetsTypingLengthenIt) {
    ui::limitTyping(field(), 5);
    field()->setText(QStringLiteral("1234567"));
    EXPECT_EQ(field()->text(), QStringLiteral("1234567"))
        << "text put in by the program is never cut";
    QTest::keyClicks(field(), QStringLiteral("89"));
    EXPECT_EQ(field()->text(), QStringLiteral("1234567")) << "typing cannot make it longer";
    paste(QStringLiteral("89"));
    EXPECT_EQ(field()->text(), QStringLiteral("1234567"));
    QTest::keyClick(field(), Qt::Key_Backspace);
    QTest::keyClick(field(), Qt::Key_Backspace);
    QTest::keyClicks(field(), QStringLiteral("xyz"));
    EXPECT_EQ(field()->text(), QStringLiteral("12345")) << "nor grow again once shortened";
    field()->clear();
    QTest::keyClicks(field(), QStringLiteral("abcdefg"));
    EXPECT_EQ(field()->text(), QStringLiteral("abcde"));
}

TEST_F(FieldBehaviour, AcceptOnlyLetsTheAcceptedCharactersAndEveryKeyWithoutACharacterThrough) {
    ui::acceptOnly(field(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    QSignalSpy entered(field(), &QLineEdit::returnPressed);
    QTest::keyClicks(field(), QStringLiteral("1a2,3 -4"));
    EXPECT_EQ(field()->text(), QStringLiteral("1234"));
    QTest::keyClick(field(), Qt::Key_Left);
    QTest::keyClick(field(), Qt::Key_Backspace);
    EXPECT_EQ(field()->text(), QStringLiteral("124"));
    QTest::keyClick(field(), Qt::Key_Home); // the caret goes to the start, as in any field
    QTest::keyClick(field(), Qt::Key_5);
    EXPECT_EQ(field()->text(), QStringLiteral("5124"));
    QTest::keyClick(field(), Qt::Key_End);
    paste(QStringLiteral("9a 9")); // a paste keeps what the field takes
    EXPECT_EQ(field()->text(), QStringLiteral("512499"));
    QTest::keyClick(field(), Qt::Key_7);
    QTest::keyClick(field(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field()->text(), QStringLiteral("512499")) << "Ctrl+Z undoes the last key";
    // The tired shopkeeper's way: select everything, type the new amount.
    QTest::keyClick(field(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field(), QStringLiteral("30"));
    EXPECT_EQ(field()->text(), QStringLiteral("30"));
    QTest::keyClick(field(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("30"));
    QTest::keyClick(field(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(field()->text().isEmpty()) << "Ctrl+X cuts";
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(entered.count(), 1) << "Enter goes on to the field or the Enter chain";
}

// Pasted through the context menu, as by the keyboard: only what the field
// takes, cut to the room left whichever behaviour was installed first.
TEST_F(FieldBehaviour, AMenuPasteKeepsTheAcceptedCharactersWithinTheLimit) {
    const auto digits = [](QChar c) { return c >= u'0' && c <= u'9'; };
    ui::acceptOnly(field(0), digits);
    ui::limitTyping(field(0), 4);
    ui::limitTyping(field(1), 4);
    ui::acceptOnly(field(1), digits);
    for (QLineEdit* f : {field(0), field(1)}) {
        QApplication::clipboard()->setText(QStringLiteral("+39 333-123"));
        f->setFocus();
        f->paste(); // what the menu's "Incolla" does
        EXPECT_EQ(f->text(), QStringLiteral("3933"));
    }
    // What the program puts in is never filtered nor cut.
    field(0)->setText(QStringLiteral("12,50 euro"));
    EXPECT_EQ(field(0)->text(), QStringLiteral("12,50 euro"));
}

TEST_F(FieldBehaviour, RefusedCharactersNeverEnterByKeyOrInputMethodButPastesDo) {
    ui::refuseCharacters(field(), [](QChar c) { return c == u'/' || c == u'\u00E7'; });
    QTest::keyClicks(field(), QStringLiteral("a/b"));
    QTest::sendKeyEvent(QTest::Click, field(), Qt::Key_Ccedilla, QStringLiteral("\u00E7"),
                        Qt::NoModifier);
    EXPECT_EQ(field()->text(), QStringLiteral("ab"));
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("x\u00E7"));
    QApplication::sendEvent(field(), &composed);
    EXPECT_EQ(field()->text(), QStringLiteral("ab"));
    composed.setCommitString(QStringLiteral("xy"));
    QApplication::sendEvent(field(), &composed);
    EXPECT_EQ(field()->text(), QStringLiteral("abxy"));
    QTest::keyClick(field(), Qt::Key_Home);
    QTest::keyClick(field(), Qt::Key_Delete);
    EXPECT_EQ(field()->text(), QStringLiteral("bxy")) << "editing keys pass";
    paste(QStringLiteral("/"));
    EXPECT_EQ(field()->text(), QStringLiteral("/bxy"));
}

TEST_F(FieldBehaviour, IgnoredEnterNeitherConfirmsNorMoves) {
    ui::ignoreEnter(field());
    QSignalSpy entered(field(), &QLineEdit::returnPressed);
    QTest::keyClick(field(), Qt::Key_Return);
    QTest::keyClick(field(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(entered.count(), 0);
    EXPECT_TRUE(field()->hasFocus());
}

TEST_F(FieldBehaviour, EnterChainWalksTheFieldsAndComesBackToTheFirst) {
    ui::chainEnter({field(0), field(2), field(1)});
    QSignalSpy entered(field(0), &QLineEdit::returnPressed);
    QTest::keyClick(field(0), Qt::Key_Return);
    EXPECT_TRUE(field(2)->hasFocus());
    QTest::keyClick(field(2), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(field(1)->hasFocus());
    QTest::keyClick(field(1), Qt::Key_Return);
    EXPECT_TRUE(field(0)->hasFocus());
    EXPECT_EQ(entered.count(), 0) << "the key goes no further";
}

TEST_F(FieldBehaviour, EnterChainGoesFirstWhenInstalledAfterAKeyFilter) {
    ui::acceptOnly(field(0), [](QChar) { return false; });
    ui::chainEnter({field(0), field(1)});
    QTest::keyClick(field(0), Qt::Key_Return);
    EXPECT_TRUE(field(1)->hasFocus());
}

TEST_F(FieldBehaviour, PickerFieldEmptiesOnBackspaceAndDeleteAndPicksOnAnyOtherKey) {
    int picks = 0;
    field()->setReadOnly(true);
    ui::fillByPicker(field(), [&] { ++picks; });
    field()->setText(QStringLiteral("01/01/2020"));
    QTest::keyClick(field(), Qt::Key_Backspace);
    EXPECT_TRUE(field()->text().isEmpty());
    field()->setText(QStringLiteral("01/01/2020"));
    QTest::keyClick(field(), Qt::Key_Delete);
    EXPECT_TRUE(field()->text().isEmpty());
    EXPECT_EQ(picks, 0);
    QTest::keyClick(field(), Qt::Key_A);
    QTest::keyClick(field(), Qt::Key_Left);
    QTest::keyClick(field(), Qt::Key_Shift);
    EXPECT_EQ(picks, 3);
    QTest::keyClick(field(), Qt::Key_Return);
    QTest::mouseClick(field(), Qt::LeftButton);
    EXPECT_EQ(picks, 3) << "Enter and a click do not pick";
    QTest::keyClick(field(), Qt::Key_Tab);
    EXPECT_EQ(picks, 3);
    EXPECT_TRUE(field(1)->hasFocus()) << "Tab still leaves";
}

TEST_F(FieldBehaviour, FocusColourPaintsTheWholeBackgroundAndKeepsTheBorder) {
    focus(field(1));
    ui::colourOnFocus(field(), {Qt::white});
    EXPECT_EQ(pixel(-3), QColor(Qt::white)) << "the idle colour from the start";
    EXPECT_EQ(pixel(0), QColor(0x87, 0xCE, 0xEB));
    focus(field());
    EXPECT_EQ(pixel(-3), QColor(0xFF, 0xFF, 0x00));
    EXPECT_EQ(pixel(0), QColor(0x87, 0xCE, 0xEB));
    focus(field(1));
    EXPECT_EQ(pixel(-3), QColor(Qt::white));
}

TEST_F(FieldBehaviour, FocusFrameIsShownOnlyWhileTheFieldHasTheFocus) {
    focus(field(1));
    auto* frame = new QWidget(&window);
    ui::showWhileFocused(field(), frame);
    EXPECT_FALSE(frame->isVisible());
    focus(field());
    EXPECT_TRUE(frame->isVisible());
    focus(field(2));
    EXPECT_FALSE(frame->isVisible());
}

} // namespace

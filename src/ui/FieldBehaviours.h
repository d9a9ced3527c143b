#pragma once

#include "ui/Style.h"

#include <QColor>
#include <QList>
#include <functional>

class QLineEdit;
class QWidget;

// What a window's text fields do beyond plain typing, shared by every window.
// Each behaviour is a small object that lives as a child of its field, watches
// the field's events and dies with it; one call installs it, and the window
// keeps nothing. Several behaviours may sit on one field: the one installed
// last sees a key first, so install the Enter chain after the key filters.
namespace scontrix::ui {

// Keeps what the user types or pastes within `limit` characters: a paste is
// cut to the room left, as a plain length limit cuts it. Text the program
// puts in (a stored record, a date) is never cut, and once such a text is
// longer than the limit, typing cannot make it longer still.
void limitTyping(QLineEdit* field, int limit);

// Only the characters that `accept` takes enter the field by the user's hand:
// a key press that carries a printable character it refuses is discarded, key
// and character alike; a paste (keyboard or context menu) keeps only the
// characters it takes. Key presses without a printable character (editing,
// caret keys, Tab, Enter, Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+Z…) work as in any field.
void acceptOnly(QLineEdit* field, std::function<bool(QChar)> accept);

// Discards a key press, or text composed through an input method, that
// carries any character `refuse` refuses; everything else passes. Pasted text
// is not filtered: a window checks it where it uses it.
void refuseCharacters(QLineEdit* field, std::function<bool(QChar)> refuse);

// Enter and Return do nothing in `field`.
void ignoreEnter(QLineEdit* field);

// Enter or Return in each field moves the focus to the next one of `chain`,
// from the last back to the first.
void chainEnter(const QList<QLineEdit*>& chain);

// For a read-only field that only a picker fills: Backspace and Delete empty
// it; Enter, Return and Tab pass on; any other key press, modifiers
// included, calls `pick`. A mouse click alone does nothing.
void fillByPicker(QLineEdit* field, std::function<void()> pick);

// The field's background while it is idle and while it has the focus, with
// its one-pixel border and the blank kept left and right of the text.
struct FieldColours {
    QColor idle;
    QColor focused = colours::focusYellow;
    QColor border = colours::skyBlue;
    int sidePadding = 2;
};

// Paints the field in its idle colours now and every time it loses the
// focus, in its focused colour every time it gains it.
void colourOnFocus(QLineEdit* field, const FieldColours& colours);

// Shows `frame` (a highlight drawn behind the field) while the field has the
// focus and hides it otherwise, starting hidden.
void showWhileFocused(QLineEdit* field, QWidget* frame);

} // namespace scontrix::ui

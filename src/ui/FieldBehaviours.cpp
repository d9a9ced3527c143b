#include "ui/FieldBehaviours.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QValidator>
#include <algorithm>
#include <limits>
#include <utility>

namespace scontrix::ui {

namespace {

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isTab(int key) {
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

// A behaviour of one field: its child, watching only that field.
class FieldFilter : public QObject {
public:
    explicit FieldFilter(QLineEdit* field) : QObject(field), field_(field) {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) final {
        if (event->type() == QEvent::KeyPress)
            return keyPress(static_cast<QKeyEvent*>(event));
        return other(event);
    }
    // True when the key press is to go no further.
    virtual bool keyPress(QKeyEvent*) { return false; }
    virtual bool other(QEvent*) { return false; }

    QLineEdit* field_;
};

// What the user may add to a field, for typing and pasting alike: at most a
// plain length limit, and only the characters a field accepts. A validator
// sees every change of the text, the program's setText() as well; the user's
// own edits are told apart by the undo step each of them leaves behind, which
// setText() clears. What the user adds (typed, pasted by keyboard or by the
// context menu) loses the characters the field does not take and is cut to
// the room left, as a plain length limit cuts a paste; text the program put
// in is never cut, and once it is past the limit, typing cannot make it longer.
class UserEdits final : public QValidator {
public:
    explicit UserEdits(QLineEdit* field)
        : QValidator(field), field_(field), before_(field->text()) {
        connect(field, &QLineEdit::textChanged, this,
                [this](const QString& text) { before_ = text; });
    }

    // The one of `field`, made on first use: the limit and the characters
    // are set apart by limitTyping() and acceptOnly().
    static UserEdits* of(QLineEdit* field) {
        if (auto* edits = dynamic_cast<UserEdits*>(const_cast<QValidator*>(field->validator())))
            return edits;
        auto* edits = new UserEdits(field);
        field->setValidator(edits);
        return edits;
    }

    void setLimit(int limit) { limit_ = limit; }
    void setAccept(std::function<bool(QChar)> accept) { accept_ = std::move(accept); }

    State validate(QString& input, int& cursor) const override {
        // The program's own text, or no change at all (as when Enter asks
        // whether the text is acceptable).
        if (!field_->isUndoAvailable() || input == before_)
            return Acceptable;
        // The text before and after the change share a head and a tail; what
        // lies between in the new text is what the user added.
        const qsizetype most = std::min(before_.size(), input.size());
        qsizetype head = 0;
        while (head < most && before_[head] == input[head])
            ++head;
        qsizetype tail = 0;
        while (tail < most - head &&
               before_[before_.size() - 1 - tail] == input[input.size() - 1 - tail])
            ++tail;
        QString added = input.mid(head, input.size() - head - tail);
        if (accept_)
            added.removeIf([this](QChar c) { return !accept_(c); });
        const qsizetype kept = head + tail;
        if (kept + added.size() > std::max<qsizetype>(limit_, before_.size()))
            added.truncate(std::max<qsizetype>(0, limit_ - kept));
        input = input.left(head) + added + input.right(tail);
        cursor = int(head + added.size());
        // Nothing of the change is left: refuse it, which keeps the undo steps.
        return input == before_ ? Invalid : Acceptable;
    }

private:
    QLineEdit* field_;
    int limit_ = std::numeric_limits<int>::max();
    std::function<bool(QChar)> accept_;
    QString before_;
};

// The key filter of acceptOnly(): a key press that carries a printable
// character the field does not take goes no further; every other one
// (editing and caret keys, Home, End, Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+Z, …)
// does what it does in any field.
class AcceptOnly final : public FieldFilter {
public:
    AcceptOnly(QLineEdit* field, std::function<bool(QChar)> accept)
        : FieldFilter(field), accept_(std::move(accept)) {}

private:
    bool keyPress(QKeyEvent* key) override {
        // A shortcut is no typing, whatever text it carries (a desktop gives
        // Ctrl+A as "\x01", a synthetic press may give "a"). Ctrl with Alt is
        // typing: some keyboards make AltGr so.
        const Qt::KeyboardModifiers held = key->modifiers();
        if ((held & Qt::ControlModifier) && !(held & Qt::AltModifier))
            return false;
        const QString text = key->text();
        return std::any_of(text.begin(), text.end(),
                           [this](QChar c) { return c.isPrint() && !accept_(c); });
    }

    std::function<bool(QChar)> accept_;
};

class RefuseCharacters final : public FieldFilter {
public:
    RefuseCharacters(QLineEdit* field, std::function<bool(QChar)> refuse)
        : FieldFilter(field), refuse_(std::move(refuse)) {}

private:
    bool carriesRefused(const QString& text) const {
        return std::any_of(text.begin(), text.end(), refuse_);
    }
    bool keyPress(QKeyEvent* key) override { return carriesRefused(key->text()); }
    bool other(QEvent* event) override {
        // Characters composed through an input method pass the same filter.
        return event->type() == QEvent::InputMethod &&
               carriesRefused(static_cast<QInputMethodEvent*>(event)->commitString());
    }

    std::function<bool(QChar)> refuse_;
};

class IgnoreEnter final : public FieldFilter {
public:
    using FieldFilter::FieldFilter;

private:
    bool keyPress(QKeyEvent* key) override { return isEnter(key->key()); }
};

class EnterMovesOn final : public FieldFilter {
public:
    EnterMovesOn(QLineEdit* field, QWidget* next) : FieldFilter(field), next_(next) {}

private:
    bool keyPress(QKeyEvent* key) override {
        if (!isEnter(key->key()))
            return false;
        if (next_)
            next_->setFocus();
        return true;
    }

    QPointer<QWidget> next_;
};

class FillByPicker final : public FieldFilter {
public:
    FillByPicker(QLineEdit* field, std::function<void()> pick)
        : FieldFilter(field), pick_(std::move(pick)) {}

private:
    bool keyPress(QKeyEvent* key) override {
        const int code = key->key();
        if (isEnter(code) || isTab(code))
            return false;
        if (code == Qt::Key_Backspace || code == Qt::Key_Delete)
            field_->clear();
        else
            pick_();
        return true;
    }

    std::function<void()> pick_;
};

class ColourOnFocus final : public FieldFilter {
public:
    ColourOnFocus(QLineEdit* field, const FieldColours& colours)
        : FieldFilter(field), colours_(colours) {
        paint(colours_.idle);
    }

private:
    bool other(QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            paint(colours_.focused);
        else if (event->type() == QEvent::FocusOut)
            paint(colours_.idle);
        return false;
    }
    void paint(const QColor& fill) {
        auto hex = [](const QColor& c) { return c.name(QColor::HexRgb).toUpper(); };
        field_->setStyleSheet(
            QStringLiteral("QLineEdit { background-color: %1; border: 1px solid %2; "
                           "padding: 0px %3px; }")
                .arg(hex(fill), hex(colours_.border))
                .arg(colours_.sidePadding));
    }

    FieldColours colours_;
};

class ShowWhileFocused final : public FieldFilter {
public:
    ShowWhileFocused(QLineEdit* field, QWidget* frame) : FieldFilter(field), frame_(frame) {
        frame_->hide();
    }

private:
    bool other(QEvent* event) override {
        if (!frame_)
            return false;
        if (event->type() == QEvent::FocusIn)
            frame_->show();
        else if (event->type() == QEvent::FocusOut)
            frame_->hide();
        return false;
    }

    QPointer<QWidget> frame_;
};

} // namespace

void limitTyping(QLineEdit* field, int limit) {
    UserEdits::of(field)->setLimit(limit);
}

void acceptOnly(QLineEdit* field, std::function<bool(QChar)> accept) {
    UserEdits::of(field)->setAccept(accept);
    new AcceptOnly(field, std::move(accept));
}

void refuseCharacters(QLineEdit* field, std::function<bool(QChar)> refuse) {
    new RefuseCharacters(field, std::move(refuse));
}

void ignoreEnter(QLineEdit* field) {
    new IgnoreEnter(field);
}

void chainEnter(const QList<QLineEdit*>& chain) {
    for (qsizetype i = 0; i < chain.size(); ++i)
        new EnterMovesOn(chain[i], chain[(i + 1) % chain.size()]);
}

void fillByPicker(QLineEdit* field, std::function<void()> pick) {
    new FillByPicker(field, std::move(pick));
}

void colourOnFocus(QLineEdit* field, const FieldColours& colours) {
    new ColourOnFocus(field, colours);
}

void showWhileFocused(QLineEdit* field, QWidget* frame) {
    new ShowWhileFocused(field, frame);
}

} // namespace scontrix::ui

#include "KeyFilters.h"

#include "shell/kit/TaskWindow.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QValidator>

namespace tarvic {

namespace {
bool isDigit(int code) { return code >= '0' && code <= '9'; }
}  // namespace

int Num_Key(int code) {
    return (isDigit(code) || code == kBackspace || code == '-') ? code : 0;
}

int Amt_Key(int code) {
    return (isDigit(code) || code == kBackspace || code == '.') ? code : 0;
}

int Dec_Key(const QString& text, int code) {
    if (!text.isEmpty() && !text.contains(QLatin1Char('.')))
        return code;
    return (isDigit(code) || code == kBackspace) ? code : 0;
}

int Upper_Key(int code) {
    return code < 0 ? code : int(QChar::toUpper(char32_t(code)));
}

QString upperText(const QString& text) {
    QList<uint> points = text.toUcs4();
    for (uint& p : points)
        p = uint(Upper_Key(int(p)));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size());
}

namespace {

int applyRule(KeyFilter filter, const QString& trimmedText, int code) {
    switch (filter) {
    case KeyFilter::Upper:
        return Upper_Key(code);
    case KeyFilter::Number:
        return Num_Key(code);
    case KeyFilter::Amount: {
        const int kept = Amt_Key(code);
        return kept == 0 ? 0 : Dec_Key(trimmedText, kept);
    }
    case KeyFilter::Decimal:
        return Dec_Key(trimmedText, code);
    }
    return code;
}

// The whole-text form of each rule, for text that arrives without key events (paste, drop).
// Typing can place characters anywhere in the field, so this is the set of texts that typed
// keys can reach, not a stricter one: it never refuses a key the key rule has kept.
class RuleValidator : public QValidator {
public:
    RuleValidator(KeyFilter filter, QObject* parent) : QValidator(parent), filter_(filter) {}

    State validate(QString& input, int&) const override {
        switch (filter_) {
        case KeyFilter::Upper:
            input = upperText(input);
            return Acceptable;
        case KeyFilter::Number:
            for (QChar c : input)
                if (!isDigit(c.unicode()) && c != QLatin1Char('-'))
                    return Invalid;
            return Acceptable;
        case KeyFilter::Amount:
            for (QChar c : input)
                if (!isDigit(c.unicode()) && c != QLatin1Char('.'))
                    return Invalid;
            if (input.count(QLatin1Char('.')) > 1)
                return Invalid;
            return input.startsWith(QLatin1Char('.')) ? Intermediate : Acceptable;
        case KeyFilter::Decimal:
            return input.count(QLatin1Char('.')) > 1 ? Invalid : Acceptable;
        }
        return Acceptable;
    }

private:
    KeyFilter filter_;
};

class KeyRuleFilter : public QObject {
public:
    KeyRuleFilter(KeyFilter filter, QLineEdit* edit) : QObject(edit), filter_(filter) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || resending_)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts (Ctrl+V, Ctrl+A, ...) and keys without a character pass; the validator
        // guards what they insert.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString text = key->text();
        int code = 0;
        if (key->key() == Qt::Key_Backspace)
            code = kBackspace;
        else if (text.size() == 1 && text.at(0).unicode() >= 32)
            code = text.at(0).unicode();
        else
            return false;
        auto* edit = static_cast<QLineEdit*>(watched);
        const int kept = applyRule(filter_, edit->text().trimmed(), code);
        if (kept == 0)
            return true;
        if (kept == code)
            return false;
        // The rule changed the character: deliver the changed key in place of the typed one.
        QKeyEvent changed(QEvent::KeyPress, key->key(), key->modifiers(), QString(QChar(kept)),
                          key->isAutoRepeat(), ushort(key->count()));
        resending_ = true;
        QCoreApplication::sendEvent(watched, &changed);
        resending_ = false;
        return true;
    }

private:
    KeyFilter filter_;
    bool resending_ = false;
};

// Keeps a field within its limit. Only the user's edits (textEdited: typing, pasting,
// dropping, undo) are refused: the field goes back to its last text within the limit and the
// window's prompter names the limit. What the program sets (a stored amount shown) stays, for
// the save to name.
class FieldLimiter : public QObject {
public:
    FieldLimiter(const FieldLimit& limit, QLineEdit* edit) : QObject(edit), limit_(limit), edit_(edit) {
        if (within(edit->text()))
            good_ = edit->text();
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (within(text)) {
                good_ = text;
                cursor_ = edit_->cursorPosition();
            }
        });
        connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (within(text))
                return;
            edit_->setText(good_);
            edit_->setCursorPosition(qMin(cursor_, int(good_.size())));
            for (QWidget* w = edit_; w; w = w->parentWidget())
                if (auto* window = qobject_cast<TaskWindow*>(w)) {
                    window->prompter().information(window, limit_.message());
                    break;
                }
        });
    }

private:
    bool within(const QString& text) const {
        const Money::Reading r = Money::read(text);
        if (r.kind == Money::Reading::Kind::TooLarge)
            return false;
        // Text that is not a number yet ("12km", "-") is left to the field's own rules.
        return r.kind != Money::Reading::Kind::Amount || (r.value >= -limit_.largest && r.value <= limit_.largest);
    }

    FieldLimit limit_;
    QLineEdit* edit_;
    QString good_;
    int cursor_ = 0;
};

const char* const kLimitProperty = "tarvicFieldLimit";

void removeLimit(QLineEdit* edit) {
    if (auto* old = edit->property(kLimitProperty).value<QObject*>()) {
        edit->setProperty(kLimitProperty, QVariant());
        delete old;
    }
}

}  // namespace

QString FieldLimit::message() const {
    return exceedsLimitMessage(caption, whole ? QString::number(largest.roundedRupees()) : largest.toString());
}

FieldLimit amountLimit(const QString& caption) {
    return {Money::largest(), caption};
}

FieldLimit quantityLimit() {
    return {Money::fromRupees(999'999), QStringLiteral("QUANTITY"), true};
}

FieldLimit percentLimit() {
    return {Money::fromPaise(99'999), QStringLiteral("PERCENTAGE")};
}

void limitField(QLineEdit* edit, const FieldLimit& limit) {
    removeLimit(edit);
    edit->setProperty(kLimitProperty, QVariant::fromValue<QObject*>(new FieldLimiter(limit, edit)));
}

void showTwoDecimalsOnLeaving(QLineEdit* edit, Blank blank) {
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit, blank] {
        const Money::Reading r = Money::read(edit->text());
        if (r.kind != Money::Reading::Kind::TooLarge &&
            !(r.kind == Money::Reading::Kind::Empty && blank == Blank::Stays))
            edit->setText(r.value.toString());
    });
}

void attachFilter(QLineEdit* edit, KeyFilter filter, const FieldLimit& limit) {
    attachFilter(edit, filter);
    limitField(edit, limit);
}

void attachFilter(QLineEdit* edit, KeyFilter filter) {
    static const char* kProperty = "tarvicKeyFilter";
    if (auto* old = edit->property(kProperty).value<QObject*>()) {
        edit->removeEventFilter(old);
        delete old;
    }
    auto* keys = new KeyRuleFilter(filter, edit);
    edit->installEventFilter(keys);
    edit->setProperty(kProperty, QVariant::fromValue<QObject*>(keys));
    QValidator* oldValidator = const_cast<QValidator*>(edit->validator());
    edit->setValidator(new RuleValidator(filter, edit));
    if (oldValidator && oldValidator->parent() == edit)
        delete oldValidator;
    if (filter == KeyFilter::Amount)
        limitField(edit, amountLimit());
    else
        removeLimit(edit);
}

}  // namespace tarvic

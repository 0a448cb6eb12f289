#include "Guard.h"

#include "data/ColumnLengths.h"
#include "shell/kit/ColumnBinding.h"

#include <QWidget>

namespace tarvic {

Failure failureOf(const DbError& e) {
    switch (e.kind()) {
        case DbError::Kind::Duplicate:
            return Failure::Duplicate;
        case DbError::Kind::Locked:
            return Failure::Locked;
        case DbError::Kind::Changed:
            return Failure::Changed;
        default:
            return Failure::Other;
    }
}

QString failureText(const DbError& e, const FailureMessages& own) {
    QString text;
    switch (failureOf(e)) {
        case Failure::Duplicate:
            text = own.duplicate;
            break;
        case Failure::Locked:
            text = own.locked;
            break;
        case Failure::Changed:
            text = own.changed;
            break;
        case Failure::Other:
            break;
    }
    return text.isEmpty() ? e.message() : text;
}

bool runGuarded(Prompter& prompter, QWidget* parent, const std::function<void()>& work, const FailureMessages& own) {
    try {
        work();
        return true;
    } catch (const TextTooLong& e) {
        // Named as the window names the field bound to the column, which takes the focus.
        QWidget* field = parent ? boundField(parent->window(), e.table(), e.column()) : nullptr;
        const QString caption = captionOf(field);
        prompter.information(parent, caption.isEmpty() ? e.message() : tooLongText(caption, e.limit()));
        if (field && field->isEnabled())
            field->setFocus(Qt::OtherFocusReason);
        return false;
    } catch (const DbError& e) {
        prompter.information(parent, failureText(e, own));
        return false;
    }
}

}  // namespace tarvic

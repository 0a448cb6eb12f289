#include "Guard.h"

namespace tarvic {

Failure failureOf(const DbError& e) {
    switch (e.kind()) {
        case DbError::Kind::Duplicate:
            return Failure::Duplicate;
        case DbError::Kind::Locked:
            return Failure::Locked;
        default:
            break;
    }
    // The master row writer refuses a row that is gone or was saved meanwhile with this text.
    if (e.message().contains(QLatin1String("changed or deleted by another user"), Qt::CaseInsensitive))
        return Failure::Changed;
    return Failure::Other;
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
    } catch (const DbError& e) {
        prompter.information(parent, failureText(e, own));
        return false;
    }
}

}  // namespace tarvic

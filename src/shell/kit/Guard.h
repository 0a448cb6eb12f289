#pragma once
// Database failures shown once, the same way in every window.
//
//     if (!guarded([&] { code = db().transact([&] { ... }); }))
//         return;  // the message has been shown; the window keeps what was typed
//
// A failure is shown in an information box with the database's own text, unless the window
// has its own message for that kind of failure (a key already taken, a lock held past the
// wait, a row changed or deleted by another user since it was read). A text refused as too
// long for its column names the window's field bound to that column, which takes the focus.
#include "data/Database.h"
#include "shell/Prompter.h"

#include <functional>

class QWidget;

namespace tarvic {

struct FailureMessages {
    QString duplicate;  // the row's key (or a unique rule) is already taken
    QString locked;     // another workstation held the rows past the wait
    QString changed;    // the row was changed or deleted by another user since it was read
};

enum class Failure { Other, Duplicate, Locked, Changed };

// Which of the failures a window may name this is.
Failure failureOf(const DbError& e);
// The text shown for e: the window's own message for its kind, else the database's.
QString failureText(const DbError& e, const FailureMessages& own = {});

// Runs work; a DbError is shown (failureText) and false returned. Other exceptions pass.
bool runGuarded(Prompter& prompter, QWidget* parent, const std::function<void()>& work,
                const FailureMessages& own = {});

}  // namespace tarvic

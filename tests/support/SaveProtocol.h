#pragma once
// The save protocol every saving window keeps, checked once for all of them: the checks in
// their order with their message and focus, nothing stored when the question is answered
// No, and a save that is all or nothing whichever of its statements fails.
#include "data/Database.h"
#include "shell/Prompter.h"

#include <QMap>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace tarvic::test {

// The rows of the tables a save may write, and every counter: what must not move when a save
// is refused.
struct Footprint {
    QMap<QString, qint64> rows;
    QMap<QString, QByteArray> contents;  // digest of every value of every row
    QMap<QString, qint64> counters;
    bool operator==(const Footprint&) const = default;
    QString describe() const;
};
Footprint footprint(Database& db, const QStringList& tables);

// One ordered check: arrange() makes the window fail it (and only it), then the save shows
// exactly message and leaves the focus on focus (when given).
struct SaveCheck {
    QString message;
    std::function<void()> arrange;
    QWidget* focus = nullptr;
};

// Presses save after each arrange() in turn; each must stop at its own message, ask nothing
// and store nothing. Returns an empty string or what went wrong.
QString checkInOrder(ScriptedPrompter& prompter, Database& db, const QStringList& tables,
                     const std::vector<SaveCheck>& checks, const std::function<void()>& save);

// Fails the save's statement 1, 2, ... until it succeeds: after each failure the footprint is
// as before and the success message was not shown. fill() puts the same document on screen
// again before every try; save() presses save and answers Yes. Returns an empty string or what
// went wrong; statements is set to the number of the statement that was last refused.
QString checkAtomic(ScriptedPrompter& prompter, Database& db, const QStringList& tables, const QString& saved,
                    const std::function<void()>& fill, const std::function<void()>& save, int* statements = nullptr);

}  // namespace tarvic::test

#pragma once
// Ordered checks and confirmation questions as data.
//
//     const bool ok = runChecks(prompter(), this, {
//         {[&] { return txt_Name->text().trimmed().isEmpty(); }, txt_Name, "PLEASE ENTER NAME ...."},
//         {[&] { return Money::fromInput(txt_Amt->text()).isZero(); }, txt_Amt, "AMOUNT CANNOT BE ZERO ...."},
//     });
//     if (!ok) return;
//     Confirmation q{" YOU ARE ABOUT TO UPDATE THING ....", {{" NAME : ", name}, {" AMOUNT : ", amt}}};
//     if (!q.ask(prompter(), this)) return;
//
// Predicates run lazily in order, so a later check may assume the earlier ones passed.
#include "shell/Prompter.h"

#include <QList>
#include <QString>
#include <functional>
#include <utility>

class QWidget;

namespace tarvic {

struct Check {
    std::function<bool()> failed;  // true when the check fails
    QWidget* field = nullptr;      // takes the focus on failure (may be null)
    QString message;               // shown in an information box
};

// Runs the checks in order; the first failure shows its message and focuses its field.
// Returns true when every check passed.
bool runChecks(Prompter& prompter, QWidget* parent, const QList<Check>& checks);

// A Yes/No question: the head, one line per (label, value) written label + value, the tail,
// each on its own line. An empty head is left out.
struct Confirmation {
    QString head;
    QList<std::pair<QString, QString>> lines;
    QString tail = QStringLiteral(" ARE YOU SURE WANT TO PROCEED (Y/N) ?");

    QString text() const;
    bool ask(Prompter& prompter, QWidget* parent) const { return prompter.question(parent, text()); }
};

}  // namespace tarvic

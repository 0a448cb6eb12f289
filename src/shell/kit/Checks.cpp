#include "Checks.h"

#include <QStringList>
#include <QWidget>

namespace tarvic {

bool runChecks(Prompter& prompter, QWidget* parent, const QList<Check>& checks) {
    for (const Check& check : checks) {
        if (!check.failed())
            continue;
        prompter.information(parent, check.message);
        if (check.field && check.field->isEnabled())
            check.field->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

QString Confirmation::text() const {
    QStringList parts;
    if (!head.isEmpty())
        parts << head;
    for (const auto& [label, value] : lines)
        parts << label + value;
    parts << tail;
    return parts.join(QLatin1Char('\n'));
}

}  // namespace tarvic

#include "SaveProtocol.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QSqlRecord>
#include <QWidget>

namespace tarvic::test {

QString Footprint::describe() const {
    QStringList parts;
    for (auto it = rows.cbegin(); it != rows.cend(); ++it)
        parts << QStringLiteral("%1=%2 rows (%3)").arg(it.key()).arg(it.value()).arg(QString::fromLatin1(contents.value(it.key()).toHex().left(8)));
    for (auto it = counters.cbegin(); it != counters.cend(); ++it)
        parts << QStringLiteral("counter %1=%2").arg(it.key()).arg(it.value());
    return parts.join(QStringLiteral(", "));
}

Footprint footprint(Database& db, const QStringList& tables) {
    Footprint f;
    for (const QString& t : tables) {
        // Every value of every row, in a stable order: an update counts as much as an insert.
        QStringList rows;
        QSqlQuery q = db.exec(QStringLiteral("SELECT * FROM %1").arg(t));
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values << (q.isNull(i) ? QStringLiteral("<null>") : q.value(i).toString());
            rows << values.join(QChar(0x1f));
        }
        rows.sort();
        f.rows.insert(t, rows.size());
        f.contents.insert(t, QCryptographicHash::hash(rows.join(QChar(0x1e)).toUtf8(), QCryptographicHash::Sha1));
    }
    QSqlQuery q = db.exec(QStringLiteral("SELECT CODE, COUNTER FROM MST_COUNTER"));
    while (q.next())
        f.counters.insert(q.value(0).toString(), q.value(1).toLongLong());
    return f;
}

QString checkInOrder(ScriptedPrompter& prompter, Database& db, const QStringList& tables,
                     const std::vector<SaveCheck>& checks, const std::function<void()>& save) {
    const Footprint before = footprint(db, tables);
    for (const SaveCheck& c : checks) {
        if (c.arrange)
            c.arrange();
        prompter.clear();
        prompter.answers = {true};
        save();
        if (prompter.texts() != QStringList{c.message})
            return QStringLiteral("expected only \"%1\", got: %2").arg(c.message, prompter.texts().join(QStringLiteral(" | ")));
        if (c.focus && QApplication::focusWidget() != c.focus)
            return QStringLiteral("after \"%1\" the focus is on %2, not %3")
                .arg(c.message, QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("nothing"),
                     c.focus->objectName());
    }
    if (const Footprint after = footprint(db, tables); !(after == before))
        return QStringLiteral("a refused save stored something: %1 became %2").arg(before.describe(), after.describe());
    return {};
}

QString checkAtomic(ScriptedPrompter& prompter, Database& db, const QStringList& tables, const QString& saved,
                    const std::function<void()>& fill, const std::function<void()>& save, int* statements) {
    const Footprint before = footprint(db, tables);
    for (int n = 1; n <= 200; ++n) {
        fill();
        prompter.clear();
        prompter.answers = {true};
        db.failStatement(n);
        save();
        const bool failed = !prompter.texts().contains(saved);
        db.failStatement(0);
        if (!failed) {
            if (statements)
                *statements = n - 1;
            return n > 1 ? QString() : QStringLiteral("the save ran no statement that could fail");
        }
        if (const Footprint after = footprint(db, tables); !(after == before))
            return QStringLiteral("statement %1 refused, yet %2 became %3").arg(n).arg(before.describe(), after.describe());
    }
    return QStringLiteral("the save never succeeded");
}

}  // namespace tarvic::test

#include "StatusChoices.h"

#include <QComboBox>
#include <QSqlRecord>

namespace tarvic {

RowColours statusColours(const QSqlRecord& r) {
    const auto colour = [&](const char* red, const char* green, const char* blue) {
        const QVariant rv = r.value(QLatin1String(red));
        if (rv.isNull())
            return QColor();
        return QColor(rv.toInt(), r.value(QLatin1String(green)).toInt(), r.value(QLatin1String(blue)).toInt());
    };
    return {colour("H_RED", "H_GREEN", "H_BLUE"), colour("H_F_RED", "H_F_GREEN", "H_F_BLUE")};
}

void loadStatusChoices(Database& db, QComboBox* list, const QString& table, const QString& codeColumn,
                       const QString& nameColumn, const QString& orderColumn, const QString& allText) {
    list->clear();
    if (!allText.isEmpty())
        list->addItem(allText, QString());
    QSqlQuery q = db.exec(
        QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %4, %1").arg(codeColumn, nameColumn, table, orderColumn));
    while (q.next())
        list->addItem(q.value(1).toString().trimmed(), QString::number(q.value(0).toLongLong()));
    q.finish();
}

QString chosenCode(const QComboBox* list) {
    return list->currentIndex() < 0 ? QString() : list->currentData().toString();
}

}  // namespace tarvic

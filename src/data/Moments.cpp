#include "Moments.h"

namespace tarvic {

namespace {

// Julian day number of 1970-01-01 00:00 (SQLite's julianday()). The system keeps local wall
// time everywhere (the server clock is read with 'localtime'), so a day number is read as one.
constexpr double kUnixEpochJulianDay = 2440587.5;

}  // namespace

QDateTime momentFromDb(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
        case QMetaType::QDateTime:
            return value.toDateTime();
        case QMetaType::QDate:
            return value.toDate().startOfDay();
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::LongLong:
        case QMetaType::Int: {
            const double days = value.toDouble();
            const qint64 ms = qRound64((days - kUnixEpochJulianDay) * 86400000.0);
            const QDateTime wall = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
            return QDateTime(wall.date(), wall.time());
        }
        default:
            break;
    }
    QString text = value.toString().trimmed();
    if (text.size() > 10 && text.at(10) == QLatin1Char(' '))
        text[10] = QLatin1Char('T');
    QDateTime moment = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!moment.isValid()) {
        const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
        if (date.isValid() && text.size() == 10)
            moment = date.startOfDay();
    }
    return moment;
}

QDate dateFromDb(const QVariant& value) {
    return momentFromDb(value).date();
}

QString momentText(const QVariant& value) {
    const QDateTime m = momentFromDb(value);
    return m.isValid() ? m.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")) : QString();
}

QString dateText(const QVariant& value) {
    const QDateTime m = momentFromDb(value);
    return m.isValid() ? m.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString byOnText(const QVariant& by, const QVariant& on) {
    const QString who = by.toString().trimmed();
    const QString when = momentText(on);
    if (who.isEmpty() && when.isEmpty())
        return {};
    return who + QStringLiteral(" - ") + when;
}

QVariant dateToDb(const QDate& date) {
    return date.isValid() ? QVariant(date.startOfDay()) : QVariant(QMetaType(QMetaType::QDateTime));
}

DayRange dayRange(const QDate& from, const QDate& to) {
    return {from, to.addDays(1)};
}

QString dayRangeCondition(const QString& column, const QDate& from, const QDate& to, QVariantList& values) {
    const DayRange r = dayRange(from, to);
    values << r.from << r.before;
    return QStringLiteral("(%1 >= ? AND %1 < ?)").arg(column);
}

}  // namespace tarvic

#include "Documents.h"

namespace tarvic {

DocState documentState(Database& db, const DocumentKind& kind, const QSqlRecord& row) {
    if (row.value(QStringLiteral("DOC_STATUS")).toString().trimmed() == status::kCancelled)
        return DocState::Cancelled;
    const QVariant booking = kind.link == DocLink::Booking ? row.value(QStringLiteral("IN_DOCNO")) : QVariant();
    if (!booking.isNull() && !bookingTakes(db, kind, booking.toLongLong()))
        return DocState::Locked;
    return DocState::Live;
}

bool bookingTakes(Database& db, const DocumentKind& kind, qint64 booking) {
    return TransactionRecords(db, QString()).bookingOpen(QString::fromLatin1(kind.code), booking);
}

qint64 postDocument(Database& db, const QString& user, const Document& d, const QString& shut) {
    const DocumentKind* kind = documentKind(d.code);
    TransactionRecords records(db, user);
    return records.save(d, [&] {
        return kind && kind->link == DocLink::Booking && d.booking > 0 && !bookingTakes(db, *kind, d.booking)
                   ? shut
                   : QString();
    });
}

}  // namespace tarvic

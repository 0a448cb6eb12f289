#include "FundAdjustments.h"

#include "data/Moments.h"
#include "engine/DocumentState.h"
#include "engine/Documents.h"

namespace tarvic {

std::optional<QDate> partyBookingDate(Database& db, qint64 booking, qint64 party) {
    const QVariant date = db.scalar(QStringLiteral("SELECT DOC_DATE FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND "
                                                   "DOC_NO=? AND PARTY_CODE=? AND ") +
                                        sql::live(),
                                    {QString::fromLatin1(kBookingCode), booking, party});
    if (date.isNull())
        return std::nullopt;
    return dateFromDb(date);
}

qint64 postAdjustment(Database& db, const QString& user, const Document& d, const QString& shut) {
    qint64 party = 0;
    for (const auto& [column, value] : d.columns)
        if (column == QLatin1String("PARTY_CODE"))
            party = value.toLongLong();
    return db.transact([&] {
        // A booking no longer live is the usual refusal; one of another party is this one.
        if (bookingTakes(db, *documentKind(d.code), d.booking) && !partyBookingDate(db, d.booking, party))
            throw DbError(DbError::Kind::Refused, kNotPartysBooking.arg(d.booking).arg(party));
        return postDocument(db, user, d, shut);
    });
}

}  // namespace tarvic

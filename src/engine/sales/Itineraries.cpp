#include "Itineraries.h"

#include "data/Database.h"

namespace tarvic {

const ItineraryNote* itineraryNote(const QString& code) {
    for (const auto& note : kItineraryNotes)
        if (code == QLatin1String(note.code))
            return &note;
    return nullptr;
}

void copyItineraryToQuotation(Database& db, const QString& user, qint64 itinerary, qint64 quotation) {
    db.transact([&] {
        const QString now = db.dialect().now();
        db.execAffected(
            QStringLiteral(
                "INSERT INTO M_TBL_ITINERARY_DETAILS_QUOTE (ITN_DOCNO, QUOT_NO, ITN_SLNO, ITN_DAY, ITN_PLACE, "
                "ITN_DIST, "
                "SHOW_DIST, ITN_HOURS, SHOW_HOURS, ITN_DESC, CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON) "
                "SELECT d.ITN_DOCNO, ?, d.ITN_SLNO, d.ITN_DAY, d.ITN_PLACE, d.ITN_DIST, d.SHOW_DIST, d.ITN_HOURS, "
                "d.SHOW_HOURS, d.ITN_DESC, ?, %1, ?, %1 FROM M_TBL_ITINERARY_DETAILS d WHERE d.ITN_DOCNO=? "
                "AND NOT EXISTS (SELECT 1 FROM M_TBL_ITINERARY_DETAILS_QUOTE q WHERE q.ITN_DOCNO=? AND q.QUOT_NO=?)")
                .arg(now),
            {quotation, user, user, itinerary, itinerary, quotation});
        for (const auto& note : kItineraryNotes) {
            if (!note.quoted)
                continue;
            db.execAffected(
                QStringLiteral(
                    "INSERT INTO M_TBL_ITINERARY_NOTES_QUOTE (ITN_DOCNO, QUOT_NO, ITN_NOTE_CODE, ITN_NOTE) "
                    "SELECT n.ITN_DOCNO, ?, n.ITN_NOTE_CODE, n.ITN_NOTE FROM M_TBL_ITINERARY_NOTES n "
                    "WHERE n.ITN_DOCNO=? AND n.ITN_NOTE_CODE=? AND NOT EXISTS (SELECT 1 FROM "
                    "M_TBL_ITINERARY_NOTES_QUOTE q WHERE q.ITN_DOCNO=? AND q.QUOT_NO=? AND q.ITN_NOTE_CODE=?)"),
                {quotation, itinerary, QString::fromLatin1(note.code), itinerary, quotation,
                 QString::fromLatin1(note.code)});
        }
    });
}

int deleteQuotationItinerary(Database& db, qint64 itinerary, qint64 quotation) {
    return db.transact([&] {
        const int lines =
            db.execAffected(QStringLiteral("DELETE FROM M_TBL_ITINERARY_DETAILS_QUOTE WHERE ITN_DOCNO=? AND QUOT_NO=?"),
                            {itinerary, quotation});
        db.execAffected(QStringLiteral("DELETE FROM M_TBL_ITINERARY_NOTES_QUOTE WHERE ITN_DOCNO=? AND QUOT_NO=?"),
                        {itinerary, quotation});
        return lines;
    });
}

}  // namespace tarvic

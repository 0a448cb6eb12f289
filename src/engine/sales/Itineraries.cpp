#include "Itineraries.h"

#include "data/Database.h"
#include "data/Numbering.h"
#include "engine/sales/QuotationStore.h"

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
        lockQuotationForWrite(db, quotation);
        const int lines =
            db.execAffected(QStringLiteral("DELETE FROM M_TBL_ITINERARY_DETAILS_QUOTE WHERE ITN_DOCNO=? AND QUOT_NO=?"),
                            {itinerary, quotation});
        db.execAffected(QStringLiteral("DELETE FROM M_TBL_ITINERARY_NOTES_QUOTE WHERE ITN_DOCNO=? AND QUOT_NO=?"),
                        {itinerary, quotation});
        return lines;
    });
}

qint64 storeItinerary(Database& db, const QString& user, qint64 number, const Columns& header,
                      const QHash<QString, QString>& notes) {
    return db.transact([&] {
        const bool isNew = number == 0;
        const qint64 no = isNew ? Numbering(db).next(QStringLiteral("ITNHD")) : number;
        RowWriter writer(db, user);
        writer.write(QStringLiteral("M_TBL_ITINERARY_HEADER"), {{QStringLiteral("ITN_DOCNO"), no}}, header, isNew);
        // Every note by its key, whether an earlier version stored it or not.
        for (const ItineraryNote& n : kItineraryNotes)
            writer.put(
                QStringLiteral("M_TBL_ITINERARY_NOTES"),
                {{QStringLiteral("ITN_DOCNO"), no}, {QStringLiteral("ITN_NOTE_CODE"), QString::fromLatin1(n.code)}},
                {{QStringLiteral("ITN_NOTE"), notes.value(QLatin1String(n.code))}});
        return no;
    });
}

void importItinerary(Database& db, const QString& user, const ItineraryImport& what,
                     const std::function<void(const QString&)>& progress) {
    db.transact([&] {
        if (what.lines) {
            progress(QStringLiteral("ABOUT TO PROCEED WITH IMPORT, PLS WAIT ....."));
            progress(QStringLiteral("CHECKING AND CLEARING PREVIOUS ENTRIES, PLS WAIT ....."));
            db.execAffected(QStringLiteral("DELETE FROM M_TBL_ITINERARY_DETAILS WHERE ITN_DOCNO=?"), {what.target});
            progress(QStringLiteral("PREPARING FOR IMPORT, PLS WAIT ....."));
            struct Line {
                QVariantList values;
                QString day, place;
            };
            QList<Line> lines;
            {
                QSqlQuery q =
                    db.exec(QStringLiteral("SELECT ITN_SLNO, ITN_DAY, ITN_PLACE, ITN_DIST, SHOW_DIST, ITN_HOURS, "
                                           "SHOW_HOURS, ITN_DESC FROM M_TBL_ITINERARY_DETAILS WHERE ITN_DOCNO=? "
                                           "ORDER BY ITN_SLNO"),
                            {what.source});
                while (q.next()) {
                    Line l;
                    for (int c = 0; c < 8; ++c)
                        l.values << q.value(c);
                    l.day = q.value(1).toString();
                    l.place = q.value(2).toString().trimmed();
                    lines << l;
                }
            }
            const QString now = db.dialect().now();
            for (const Line& l : lines) {
                progress(QStringLiteral("DAY : %1   PLACE : %2").arg(l.day, l.place));
                db.execAffected(QStringLiteral("INSERT INTO M_TBL_ITINERARY_DETAILS (ITN_DOCNO, ITN_SLNO, ITN_DAY, "
                                               "ITN_PLACE, ITN_DIST, SHOW_DIST, ITN_HOURS, SHOW_HOURS, ITN_DESC, "
                                               "CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON) "
                                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, %1, ?, %1)")
                                    .arg(now),
                                QVariantList{what.target} + l.values + QVariantList{user, user});
            }
        }
        if (what.notes) {
            progress(QStringLiteral("IMPORTING NOTES AND CANCELLATION POLICY ....."));
            db.execAffected(QStringLiteral("DELETE FROM M_TBL_ITINERARY_NOTES WHERE ITN_DOCNO=?"), {what.target});
            db.execAffected(
                QStringLiteral("INSERT INTO M_TBL_ITINERARY_NOTES (ITN_DOCNO, ITN_NOTE_CODE, ITN_NOTE) "
                               "SELECT ?, ITN_NOTE_CODE, ITN_NOTE FROM M_TBL_ITINERARY_NOTES WHERE ITN_DOCNO=?"),
                {what.target, what.source});
        }
    });
}

namespace {

// The table a day line lives in: the standard itinerary's or the quotations' copies.
QString dayTable(const ItineraryDay& day) {
    return day.quotation ? QStringLiteral("M_TBL_ITINERARY_DETAILS_QUOTE") : QStringLiteral("M_TBL_ITINERARY_DETAILS");
}

Columns dayKey(const ItineraryDay& day) {
    Columns key{{QStringLiteral("ITN_DOCNO"), day.itinerary}};
    if (day.quotation)
        key.emplace_back(QStringLiteral("QUOT_NO"), day.quotation);
    key.emplace_back(QStringLiteral("ITN_SLNO"), day.serial);
    return key;
}

}  // namespace

void storeItineraryDay(Database& db, const QString& user, const ItineraryDay& day) {
    db.transact([&] {
        if (day.quotation)
            lockQuotationForWrite(db, day.quotation);
        const Columns key = dayKey(day);
        const bool isNew =
            !day.quotation &&
            db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ITN_DOCNO=? AND ITN_SLNO=?").arg(dayTable(day)),
                      {day.itinerary, day.serial})
                    .toLongLong() == 0;
        RowWriter(db, user).write(dayTable(day), key, day.columns, isNew);
    });
}

void deleteItineraryDay(Database& db, const ItineraryDay& day) {
    db.transact([&] {
        if (day.quotation)
            lockQuotationForWrite(db, day.quotation);
        QStringList where;
        QVariantList values;
        for (const auto& [name, value] : dayKey(day)) {
            where << name + QStringLiteral("=?");
            values << value;
        }
        if (db.execAffected(
                QStringLiteral("DELETE FROM %1 WHERE %2").arg(dayTable(day), where.join(QLatin1String(" AND "))),
                values) != 1)
            throw DbError(DbError::Kind::Changed, QLatin1String(kChangedByAnotherUser));
    });
}

void storeQuotationNote(Database& db, const QString& user, qint64 itinerary, qint64 quotation, const QString& code,
                        const QString& text) {
    db.transact([&] {
        lockQuotationForWrite(db, quotation);
        RowWriter(db, user).put(QStringLiteral("M_TBL_ITINERARY_NOTES_QUOTE"),
                                {{QStringLiteral("ITN_DOCNO"), itinerary},
                                 {QStringLiteral("QUOT_NO"), quotation},
                                 {QStringLiteral("ITN_NOTE_CODE"), code}},
                                {{QStringLiteral("ITN_NOTE"), text}});
    });
}

}  // namespace tarvic

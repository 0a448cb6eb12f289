#include "Bookings.h"

#include "data/AmountInWords.h"
#include "data/ColumnLengths.h"
#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"

namespace tarvic {

namespace {

const QString kCode = QStringLiteral("CBPT01");

[[noreturn]] void refuse(const QString& why) {
    throw DbError(DbError::Kind::Refused, why);
}

QString shutText(qint64 number) {
    return QStringLiteral(" CBPT NO : %1 IS CANCELLED OR LOCKED, UNABLE TO PROCEED ....").arg(number);
}

// A statement aimed at one row that changed another number of rows undoes the whole write.
void exactlyOne(int changed, const QString& what) {
    if (changed != 1)
        refuse(QStringLiteral("%1 : %2 ROW(S) MATCHED, NOTHING SAVED ....").arg(what).arg(changed));
}

}  // namespace

QVariant leadStatusOfBooking(Database& db) {
    const auto closing = db.firstRow(QStringLiteral(
        "SELECT LEADSTATUS_CODE FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y' ORDER BY LEAD_SLNO, LEADSTATUS_CODE"));
    return closing ? closing->value(0) : QVariant();
}

QString Bookings::alreadyBooked(qint64 quotation, qint64 booking) {
    return QStringLiteral(" QUOTATION NO : %1\n CBPT NO : %2\n%3")
        .arg(quotation)
        .arg(booking)
        .arg(QLatin1String(kBookingAlready));
}

qint64 Bookings::liveBookingOf(qint64 quotation, qint64 except) {
    return db_
        .scalar(QStringLiteral("SELECT MIN(DOC_NO) FROM M_TBL_TRANSACTION WHERE QUOTATION_NO=? AND DOC_CODE=? "
                               "AND DOC_NO<>? AND ") +
                    sql::notCancelled(),
                {quotation, kCode, except})
        .toLongLong();
}

std::optional<QSqlRecord> Bookings::quotation(qint64 lead, qint64 quotation) {
    return db_.firstRow(
        QStringLiteral(
            "SELECT a.DOC_NO, a.DOC_DATE, a.NOOF_ADULT, a.NOOF_CHILDREN, a.JOURNEY_STRTDT, a.JOURNEY_ENDDT, "
            "b.ITN_NAME, b.ITN_DURATION, b.ITN_DAYS, a.TOTAL_AMOUNT, a.MARKUP_ON, a.COMM_PER, a.COMM_AMOUNT, "
            "a.TOTAL_AMOUNT2, a.TAX_PER, a.TAX_AMOUNT, a.GRAND_TOTAL, a.TOURIST_NAME, a.TOURIST_MOBNO, "
            "a.TOURIST_EMAIL, a.BOOKED_BY FROM M_TBL_QUOTATION a, M_TBL_ITINERARY_HEADER b "
            "WHERE a.DOC_CODE='QGBL01' AND a.LEAD_NO=? AND a.DOC_NO=? AND a.ITINERARY_NO=b.ITN_DOCNO"),
        {lead, quotation});
}

std::optional<QSqlRecord> Bookings::booking(qint64 number) {
    return db_.firstRow(QStringLiteral("SELECT a.*, p.PARTY_NAME AS BILL_PARTY FROM M_TBL_TRANSACTION a "
                                       "LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=a.PARTY_CODE "
                                       "WHERE a.DOC_CODE=? AND a.DOC_NO=?"),
                        {kCode, number});
}

QSqlRecord Bookings::quotationOrRefuse(const BookingEntry& e) {
    auto q = quotation(e.lead, e.quotation);
    if (!q)
        refuse(QStringLiteral("UNABLE TO FIND QUOTATION FOR LEAD : %1").arg(e.lead));
    return *q;
}

Columns Bookings::bookingColumns(const BookingEntry& e, const QSqlRecord& q, qint64 number, bool withParty) const {
    const Money grand = Money::fromVariant(q.value(QStringLiteral("GRAND_TOTAL")));
    Columns c{{QStringLiteral("DOC_DATE"), dateToDb(e.date)},
              {QStringLiteral("FILENO"), e.fileNo},
              {QStringLiteral("TOURIST_NAME"), e.touristName},
              {QStringLiteral("TOURIST_MOBNO"), e.mobile},
              {QStringLiteral("TOURIST_EMAIL"), e.email},
              {QStringLiteral("TOURIST_PAN"), e.pan},
              {QStringLiteral("TOURIST_AADHAR"), e.aadhar},
              {QStringLiteral("TOURIST_PASSPORT"), e.passport},
              {QStringLiteral("TOURIST_DRVLICENSE"), e.licence},
              {QStringLiteral("BOOKED_BY"), e.bookedBy},
              {QStringLiteral("LEAD_NO"), e.lead},
              {QStringLiteral("QUOTATION_NO"), e.quotation},
              {QStringLiteral("START_DT"), dateToDb(dateFromDb(q.value(QStringLiteral("JOURNEY_STRTDT"))))},
              {QStringLiteral("END_DT"), dateToDb(dateFromDb(q.value(QStringLiteral("JOURNEY_ENDDT"))))},
              // ITN_DURATION is the itinerary's text ("3 N / 4 D"); the column holds its days.
              {QStringLiteral("TOUR_DAYS"), q.value(QStringLiteral("ITN_DAYS"))},
              {QStringLiteral("NOOF_PAX"), q.value(QStringLiteral("NOOF_ADULT"))},
              {QStringLiteral("NOOF_CHILD"), q.value(QStringLiteral("NOOF_CHILDREN"))},
              {QStringLiteral("TOTAL_AMOUNT"), Money::fromVariant(q.value(QStringLiteral("TOTAL_AMOUNT"))).toVariant()},
              {QStringLiteral("MARKUP_ON"), q.value(QStringLiteral("MARKUP_ON"))},
              {QStringLiteral("COMM_PER"), Money::fromVariant(q.value(QStringLiteral("COMM_PER"))).toVariant()},
              {QStringLiteral("COMM_AMOUNT"), Money::fromVariant(q.value(QStringLiteral("COMM_AMOUNT"))).toVariant()},
              {QStringLiteral("TAX_PER"), Money::fromVariant(q.value(QStringLiteral("TAX_PER"))).toVariant()},
              {QStringLiteral("TAX_AMT"), Money::fromVariant(q.value(QStringLiteral("TAX_AMOUNT"))).toVariant()},
              {QStringLiteral("GRAND_TOTAL"), grand.toVariant()},
              {QStringLiteral("AMT_INWORDS"), amountInWordsPhrase(grand)}};
    if (number > 0)
        c.emplace_back(QStringLiteral("DOC_DESC"), QStringLiteral("RS %1 AGAINST PACKAGE VIDE CBPT NO : %2, DT%3")
                                                       .arg(grand.toString())
                                                       .arg(number)
                                                       .arg(e.date.toString(QStringLiteral("dd/MM/yyyy")))
                                                       .left(2000));
    if (withParty)
        c.emplace_back(QStringLiteral("PARTY_CODE"), e.party);
    return c;
}

void Bookings::writeBack(const BookingEntry& e, qint64 number) {
    const Columns travellers{{QStringLiteral("TOURIST_NAME"), e.touristName},
                             {QStringLiteral("TOURIST_MOBNO"), e.mobile},
                             {QStringLiteral("TOURIST_EMAIL"), e.email},
                             {QStringLiteral("BOOKED_BY"), e.bookedBy}};
    checkTextLengths(db_, QStringLiteral("M_TBL_QUOTATION"), travellers);
    exactlyOne(db_.execAffected(QStringLiteral("UPDATE M_TBL_QUOTATION SET CBPT_NO=?, TOURIST_NAME=?, TOURIST_MOBNO=?, "
                                               "TOURIST_EMAIL=?, BOOKED_BY=? WHERE DOC_CODE='QGBL01' AND LEAD_NO=? "
                                               "AND DOC_NO=?"),
                                {number, e.touristName, e.mobile, e.email, e.bookedBy, e.lead, e.quotation}),
               QStringLiteral(" QUOTATION NO : %1").arg(e.quotation));
    exactlyOne(
        db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET FILENO=?, TOURIST_NAME=?, TOURIST_MOBNO=?, "
                                        "TOURIST_EMAIL=?, BOOKED_BY=? WHERE DOC_CODE='BLFC01' AND DOC_NO=? "
                                        "AND ") +
                             sql::notCancelled(),
                         {e.fileNo, e.touristName, e.mobile, e.email, e.bookedBy, e.lead}),
        QStringLiteral(" LEAD NO : %1").arg(e.lead));
}

qint64 Bookings::save(const BookingEntry& e) {
    TransactionRecords records(db_, user_);
    try {
        return db_.transact([&] {
            const QSqlRecord q = quotationOrRefuse(e);
            Document d;
            d.code = kCode;
            d.number = e.number;
            d.amount = Money::fromVariant(q.value(QStringLiteral("GRAND_TOTAL")));
            d.columns = bookingColumns(e, q, e.number, true);
            if (e.number <= 0)
                for (const char* lock :
                     {"LCK_CBPT", "LCK_MONEYRCPT", "LCK_ANCP01", "LCK_ANCP02", "LCK_ANCP03", "LCK_PAYMENT"})
                    d.columns.emplace_back(QString::fromLatin1(lock), QStringLiteral("N"));
            const qint64 number = records.save(d, [&] {
                if (e.number > 0 && !records.bookingOpen(kCode, e.number))
                    return shutText(e.number);
                const qint64 other = liveBookingOf(e.quotation, e.number);
                return other ? alreadyBooked(e.quotation, other) : QString();
            });
            if (e.number <= 0)  // the description names the number, known only now
                exactlyOne(db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET DOC_DESC=? WHERE DOC_CODE=? "
                                                           "AND DOC_NO=? AND ") +
                                                sql::live(),
                                            {bookingColumns(e, q, number, false).back().second, kCode, number}),
                           QStringLiteral(" CBPT NO : %1").arg(number));
            writeBack(e, number);
            const QVariant status = leadStatusOfBooking(db_);
            if (!status.isNull())
                exactlyOne(db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET LEADSTATUS_CODE=? WHERE "
                                                           "DOC_CODE='BLFC01' AND DOC_NO=?"),
                                            {status, e.lead}),
                           QStringLiteral(" LEAD NO : %1").arg(e.lead));
            return number;
        });
    } catch (const DbError& err) {
        // The partial unique index caught a booking committed by another workstation after
        // this save's own check: the same refusal as the check's.
        if (err.kind() == DbError::Kind::Duplicate) {
            const qint64 other = liveBookingOf(e.quotation, e.number);
            if (other)
                refuse(alreadyBooked(e.quotation, other));
        }
        throw;
    }
}

void Bookings::refresh(const BookingEntry& e, bool withParty) {
    db_.transact([&] {
        const QSqlRecord q = quotationOrRefuse(e);
        Columns c = bookingColumns(e, q, e.number, withParty);
        checkTextLengths(db_, QStringLiteral("M_TBL_TRANSACTION"), c);
        const Money grand = Money::fromVariant(q.value(QStringLiteral("GRAND_TOTAL")));
        c.emplace_back(QStringLiteral("DB_AMT"), grand.toVariant());
        c.emplace_back(QStringLiteral("CR_AMT"), Money().toVariant());
        QStringList sets;
        QVariantList values;
        for (const auto& [name, value] : c) {
            sets << name + QStringLiteral("=?");
            values << value;
        }
        sets << QStringLiteral("UPDATE_BY=?") << QStringLiteral("UPDATE_ON=") + db_.dialect().now();
        values << user_ << kCode << e.number;
        // Only a live, unlocked booking; its status is never written here.
        exactlyOne(db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET %1 WHERE DOC_CODE=? AND DOC_NO=? "
                                                   "AND %2 AND COALESCE(LCK_CBPT,'N')<>'Y'")
                                        .arg(sets.join(QLatin1Char(',')), sql::live()),
                                    values),
                   shutText(e.number));
        writeBack(e, e.number);
    });
}

void Bookings::changeParty(qint64 booking, qint64 oldParty, qint64 newParty) {
    db_.transact([&] {
        const QString now = db_.dialect().now();
        const int changed = db_.execAffected(
            QStringLiteral("UPDATE M_TBL_TRANSACTION SET PARTY_CODE=?, UPDATE_ON=%1, UPDATE_BY=? WHERE DOC_CODE=? "
                           "AND DOC_NO=? AND PARTY_CODE=? AND %2 AND COALESCE(LCK_CBPT,'N')<>'Y'")
                .arg(now, sql::live()),
            {newParty, user_, kCode, booking, oldParty});
        if (changed != 1)
            refuse(shutText(booking));
        db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET PARTY_CODE=?, UPDATE_ON=%1, UPDATE_BY=? WHERE "
                                        "DOC_CODE IN ('FRCR01','FRDB01') AND IN_DOCCODE=? AND IN_DOCNO=? AND "
                                        "PARTY_CODE=? AND %2")
                             .arg(now, sql::notCancelled()),
                         {newParty, user_, kCode, booking, oldParty});
    });
}

}  // namespace tarvic

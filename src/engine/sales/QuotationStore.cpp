#include "QuotationStore.h"

#include "data/AmountInWords.h"
#include "data/ColumnLengths.h"
#include "data/Moments.h"
#include "data/Numbering.h"
#include "engine/DocumentState.h"
#include "engine/sales/Itineraries.h"

namespace tarvic {

namespace {

// One written column; money travels as exact text and is read back as a number.
struct Value {
    const char* column;
    QVariant value;
    bool money = false;
};

Value money(const char* column, Money m) {
    return {column, m.toVariant(), true};
}

// The header's own columns, DOC_DATE to GRAND_TOTAL, then its status.
std::vector<Value> headerValues(const QuotationHeader& h) {
    const Totals& t = h.totals;
    return {{"DOC_DATE", dateToDb(h.docDate)},
            {"IN_DOCCODE", QStringLiteral("BLFC01")},
            {"LEAD_NO", h.leadNo},
            {"ITINERARY_NO", h.itineraryNo},
            {"BOOKED_BY", h.bookedBy},
            {"TOURIST_NAME", h.touristName},
            {"TOURIST_MOBNO", h.touristMobile},
            {"TOURIST_EMAIL", h.touristEmail},
            {"NOOF_ADULT", h.adults},
            {"NOOF_CHILDREN", h.children},
            {"CHILDREN_AGES", h.ages},
            {"JOURNEY_STRTDT", dateToDb(h.start)},
            {"JOURNEY_ENDDT", dateToDb(h.end)},
            money("TOTAL_AMOUNT", h.total),
            {"MARKUP_ON", markUpText(h.markUp)},
            money("COMM_PER", t.commPer),
            money("COMM_AMOUNT", t.commAmount),
            money("TOTAL_AMOUNT2", t.total2),
            money("TAXIBLE_AMT", t.taxable),
            {"TAX_CODE", h.taxCode.isEmpty() ? QVariant(QMetaType(QMetaType::Int)) : QVariant(h.taxCode.toInt())},
            money("TAX_PER", h.taxPer),
            money("TAX_AMOUNT", t.tax),
            money("GRAND_TOTAL", t.grandTotal),
            {"DOC_STATUS", QStringLiteral("QOFE")}};
}

void writeHeader(Database& db, const QString& user, const QuotationHeader& h, qint64 number, bool isNew) {
    const Dialect& d = db.dialect();
    QStringList names, marks, sets;
    QVariantList values;
    Columns columns;
    for (const Value& v : headerValues(h)) {
        const QString mark = v.money ? d.amount() : QStringLiteral("?");
        names << QString::fromLatin1(v.column);
        marks << mark;
        sets << QString::fromLatin1(v.column) + QLatin1Char('=') + mark;
        values << v.value;
        columns.emplace_back(QString::fromLatin1(v.column), v.value);
    }
    checkTextLengths(db, QStringLiteral("M_TBL_QUOTATION"), columns);
    if (isNew) {
        values << number << user << user;
        db.execAffected(QStringLiteral("INSERT INTO M_TBL_QUOTATION (%1, DOC_CODE, DOC_NO, LCK_QUOT, CREATED_BY, "
                                       "UPDATE_BY, CREATED_ON, UPDATE_ON) VALUES (%2, 'QGBL01', ?, 'N', ?, ?, %3, %3)")
                            .arg(names.join(QLatin1String(", ")), marks.join(QLatin1String(", ")), d.now()),
                        values);
        return;
    }
    values << user << number;
    const int changed = db.execAffected(
        QStringLiteral("UPDATE M_TBL_QUOTATION SET %1, UPDATE_BY=?, UPDATE_ON=%2 WHERE DOC_CODE='QGBL01' AND DOC_NO=?")
            .arg(sets.join(QLatin1String(", ")), d.now()),
        values);
    if (changed != 1)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
}

// The live bookings made from a quotation, each row held until the transaction ends.
struct LiveBooking {
    qint64 number = 0;
    QDate date;
    bool locked = false;
};
QList<LiveBooking> liveBookingsOf(Database& db, qint64 quotationNo) {
    QList<LiveBooking> out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT DOC_NO, DOC_DATE, LCK_CBPT FROM M_TBL_TRANSACTION WHERE "
                                         "DOC_CODE='%1' AND QUOTATION_NO=? AND %2 ORDER BY DOC_NO%3")
                              .arg(QLatin1String(kBookingCode), sql::live(), db.dialect().forUpdate()),
                          {quotationNo});
    while (q.next())
        out.append(
            {q.value(0).toLongLong(), dateFromDb(q.value(1)), q.value(2).toString().trimmed() == QLatin1String("Y")});
    return out;
}

// The header's totals from the sum of its stored lines, with its stored mark-up, commission,
// taxable amount and tax percentage.
Totals repriceHeader(Database& db, const QString& user, qint64 quotationNo) {
    const auto header =
        db.firstRow(QStringLiteral("SELECT MARKUP_ON, COMM_PER, COMM_AMOUNT, TAXIBLE_AMT, TOTAL_AMOUNT2, TAX_PER "
                                   "FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?"),
                    {quotationNo});
    if (!header)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    TotalsInput in;
    in.total = Money::fromVariant(
        db.scalar(QStringLiteral("SELECT %1 FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02' AND DOC_NO=?")
                      .arg(exactSum(QStringLiteral("TOTAL_AMOUNT"))),
                  {quotationNo}));
    in.markUp = markUpFromText(header->value(0).toString());
    in.commPer = Money::fromVariant(header->value(1));
    in.commAmount = Money::fromVariant(header->value(2));
    if (!header->value(3).isNull())
        in.taxable = Money::fromVariant(header->value(3));
    in.previousTotal2 = Money::fromVariant(header->value(4));
    in.taxPer = Money::fromVariant(header->value(5));
    const Totals t = computeTotals(in);
    if (!t.exceeded.isEmpty())
        throw DbError(DbError::Kind::Refused, exceedsLimitMessage(t.exceeded));
    const int changed = db.execAffected(
        QStringLiteral("UPDATE M_TBL_QUOTATION SET TOTAL_AMOUNT=%1, COMM_PER=%1, COMM_AMOUNT=%1, TOTAL_AMOUNT2=%1, "
                       "TAXIBLE_AMT=%1, TAX_AMOUNT=%1, GRAND_TOTAL=%1, UPDATE_BY=?, UPDATE_ON=%2 "
                       "WHERE DOC_CODE='QGBL01' AND DOC_NO=?")
            .arg(db.dialect().amount(), db.dialect().now()),
        {in.total.toVariant(), t.commPer.toVariant(), t.commAmount.toVariant(), t.total2.toVariant(),
         t.taxable.toVariant(), t.tax.toVariant(), t.grandTotal.toVariant(), user, quotationNo});
    if (changed != 1)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    return t;
}

// A live booking takes the stored header's price, travellers and dates; its debit is the new
// grand total, which is what the party's ledger and the booking's balance read.
void repriceBooking(Database& db, const QString& user, const QSqlRecord& q, const LiveBooking& booking) {
    const Money grand = Money::fromVariant(q.value(QStringLiteral("GRAND_TOTAL")));
    const QString desc = QStringLiteral("RS %1 AGAINST PACKAGE VIDE CBPT NO : %2, DT%3")
                             .arg(grand.toString())
                             .arg(booking.number)
                             .arg(booking.date.toString(QStringLiteral("dd/MM/yyyy")));
    const auto text = [&](const char* column) { return q.value(QLatin1String(column)).toString(); };
    const auto amount = [&](const char* column) {
        return Money::fromVariant(q.value(QLatin1String(column))).toVariant();
    };
    checkTextLengths(db, QStringLiteral("M_TBL_TRANSACTION"),
                     {{QStringLiteral("BOOKED_BY"), text("BOOKED_BY")},
                      {QStringLiteral("TOURIST_NAME"), text("TOURIST_NAME")},
                      {QStringLiteral("TOURIST_MOBNO"), text("TOURIST_MOBNO")},
                      {QStringLiteral("TOURIST_EMAIL"), text("TOURIST_EMAIL")}});
    const QString a = db.dialect().amount();
    const int changed = db.execAffected(
        QStringLiteral("UPDATE M_TBL_TRANSACTION SET DOC_DESC=?, START_DT=?, END_DT=?, BOOKED_BY=?, TOURIST_NAME=?, "
                       "TOURIST_MOBNO=?, TOURIST_EMAIL=?, "
                       "TOUR_DAYS=(SELECT ITN_DAYS FROM M_TBL_ITINERARY_HEADER WHERE ITN_DOCNO=?), NOOF_PAX=?, "
                       "NOOF_CHILD=?, TOTAL_AMOUNT=%1, MARKUP_ON=?, COMM_PER=%1, COMM_AMOUNT=%1, TAX_PER=%1, "
                       "TAX_AMT=%1, GRAND_TOTAL=%1, DB_AMT=%1, CR_AMT=0, AMT_INWORDS=?, UPDATE_BY=?, UPDATE_ON=%2 "
                       "WHERE DOC_CODE='%3' AND DOC_NO=? AND %4 AND COALESCE(LCK_CBPT,'N')<>'Y'")
            .arg(a, db.dialect().now(), QLatin1String(kBookingCode), sql::live()),
        {desc,
         dateToDb(dateFromDb(q.value(QStringLiteral("JOURNEY_STRTDT")))),
         dateToDb(dateFromDb(q.value(QStringLiteral("JOURNEY_ENDDT")))),
         text("BOOKED_BY"),
         text("TOURIST_NAME"),
         text("TOURIST_MOBNO"),
         text("TOURIST_EMAIL"),
         q.value(QStringLiteral("ITINERARY_NO")),
         q.value(QStringLiteral("NOOF_ADULT")),
         q.value(QStringLiteral("NOOF_CHILDREN")),
         amount("TOTAL_AMOUNT"),
         text("MARKUP_ON"),
         amount("COMM_PER"),
         amount("COMM_AMOUNT"),
         amount("TAX_PER"),
         amount("TAX_AMOUNT"),
         grand.toVariant(),
         grand.toVariant(),
         amountInWordsPhrase(grand),
         user,
         booking.number});
    if (changed != 1)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
}

// Step 4: the lead keeps the travellers of the quotation last saved for it.
void writeBackLead(Database& db, const QuotationHeader& h) {
    const QVariant days = h.start.isValid() && h.end.isValid() ? QVariant(h.start.daysTo(h.end) + 1)
                                                               : QVariant(QMetaType(QMetaType::Int));
    checkTextLengths(db, QStringLiteral("M_TBL_TRANSACTION"), {{QStringLiteral("CHILD_AGES"), h.ages}});
    const int changed = db.execAffected(
        QStringLiteral("UPDATE M_TBL_TRANSACTION SET BOOKED_BY=?, TOURIST_NAME=?, TOURIST_MOBNO=?, TOURIST_EMAIL=?, "
                       "NOOF_PAX=?, NOOF_CHILD=?, CHILD_AGES=?, START_DT=?, END_DT=?, TOUR_DAYS=? "
                       "WHERE DOC_CODE='BLFC01' AND DOC_NO=?"),
        {h.bookedBy, h.touristName, h.touristMobile, h.touristEmail, h.adults, h.children, h.ages, dateToDb(h.start),
         dateToDb(h.end), days, h.leadNo});
    if (changed != 1)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
}

}  // namespace

std::optional<QSqlRecord> readQuotation(Database& db, qint64 number) {
    return db.firstRow(QStringLiteral("SELECT a.*, b.TAX_NAME, c.ITN_NAME, c.ITN_DURATION, c.ITN_DAYS "
                                      "FROM M_TBL_QUOTATION a LEFT JOIN M_TBL_TAX b ON a.TAX_CODE=b.TAX_CODE "
                                      "LEFT JOIN M_TBL_ITINERARY_HEADER c ON a.ITINERARY_NO=c.ITN_DOCNO "
                                      "WHERE a.DOC_CODE='QGBL01' AND a.DOC_NO=?"),
                       {number});
}

void lockQuotationForWrite(Database& db, qint64 number) {
    // Locked on another workstation after the window read it: nothing may be written.
    const auto lock =
        db.firstRow(QStringLiteral("SELECT LCK_QUOT FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?%1")
                        .arg(db.dialect().forUpdate()),
                    {number});
    if (!lock)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    if (lock->value(0).toString().trimmed() == QLatin1String("Y"))
        throw DbError(DbError::Kind::Refused, kQuotationLocked);
}

Repriced repriceQuotation(Database& db, const QString& user, qint64 quotationNo) {
    return db.transact([&] {
        // The header first, so that a second workstation changing a line of it waits here.
        if (!db.firstRow(QStringLiteral("SELECT DOC_NO FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?%1")
                             .arg(db.dialect().forUpdate()),
                         {quotationNo}))
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        const QList<LiveBooking> bookings = liveBookingsOf(db, quotationNo);
        for (const LiveBooking& b : bookings)
            if (b.locked)
                throw DbError(DbError::Kind::Refused, bookingLockedMessage(b.number));
        Repriced r;
        r.totals = repriceHeader(db, user, quotationNo);
        if (bookings.isEmpty())
            return r;
        const auto stored = readQuotation(db, quotationNo);
        if (!stored)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        for (const LiveBooking& b : bookings) {
            repriceBooking(db, user, *stored, b);
            r.bookings << b.number;
        }
        return r;
    });
}

QString bookingLockedMessage(qint64 booking) {
    return QStringLiteral("CANNOT PROCEED, CBPT NO %1 IS LOCKED ....").arg(booking);
}

qint64 storeQuotation(Database& db, const QString& user, const QuotationHeader& h, SaveKind kind) {
    // Every figure within the largest amount, or the first one beyond it named.
    const Totals& t = h.totals;
    const std::pair<const char*, Money> figures[] = {{"TOTAL AMOUNT", h.total},      {"COMMISSION (%)", t.commPer},
                                                     {"COMM. AMOUNT", t.commAmount}, {"TOTAL AMOUNT -2", t.total2},
                                                     {"TAXIBLE AMOUNT", t.taxable},  {"TAX PERCENT", h.taxPer},
                                                     {"TAX AMOUNT", t.tax},          {"GRAND TOTAL", t.grandTotal}};
    QString beyond = t.exceeded;
    for (const auto& [caption, m] : figures)
        if (beyond.isEmpty() && !m.withinLimit())
            beyond = QLatin1String(caption);
    if (!beyond.isEmpty())
        throw DbError(DbError::Kind::Refused, exceedsLimitMessage(beyond));
    return db.transact([&] {
        qint64 number = h.number;
        const bool isNew = number == 0;
        if (isNew) {
            if (kind == SaveKind::Silent)
                throw DbError(DbError::Kind::Refused, QString::fromLatin1(kChangedByAnotherUser));
            number = Numbering(db).next(kQuotationCode);
        } else {
            lockQuotationForWrite(db, number);
        }
        writeHeader(db, user, h, number, isNew);
        repriceQuotation(db, user, number);
        writeBackLead(db, h);
        if (kind == SaveKind::Full)
            copyItineraryToQuotation(db, user, h.itineraryNo, number);
        return number;
    });
}

}  // namespace tarvic

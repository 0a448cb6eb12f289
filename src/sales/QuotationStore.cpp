#include "QuotationStore.h"

#include "data/AmountInWords.h"
#include "data/ColumnLengths.h"
#include "engine/sales/Itineraries.h"
#include "data/Moments.h"
#include "data/Numbering.h"

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

// Step 3: an approved booking made from this quotation takes its new price and travellers.
void repriceBooking(Database& db, const QString& user, const QuotationHeader& h, qint64 number) {
    const auto booking = db.firstRow(QStringLiteral("SELECT DOC_NO, DOC_DATE FROM M_TBL_TRANSACTION WHERE "
                                                    "DOC_CODE='CBPT01' AND QUOTATION_NO=? AND DOC_STATUS='APPRV'"),
                                     {number});
    if (!booking)
        return;
    const Totals& t = h.totals;
    const qint64 bookingNo = booking->value(0).toLongLong();
    const QString desc = QStringLiteral("RS %1 AGAINST PACKAGE VIDE CBPT NO : %2, DT%3")
                             .arg(t.grandTotal.toString())
                             .arg(bookingNo)
                             .arg(dateFromDb(booking->value(1)).toString(QStringLiteral("dd/MM/yyyy")));
    checkTextLengths(db, QStringLiteral("M_TBL_TRANSACTION"),
                     {{QStringLiteral("BOOKED_BY"), h.bookedBy},
                      {QStringLiteral("TOURIST_NAME"), h.touristName},
                      {QStringLiteral("TOURIST_MOBNO"), h.touristMobile},
                      {QStringLiteral("TOURIST_EMAIL"), h.touristEmail}});
    const QString a = db.dialect().amount();
    const int changed = db.execAffected(
        QStringLiteral("UPDATE M_TBL_TRANSACTION SET DOC_DESC=?, START_DT=?, END_DT=?, BOOKED_BY=?, TOURIST_NAME=?, "
                       "TOURIST_MOBNO=?, TOURIST_EMAIL=?, "
                       "TOUR_DAYS=(SELECT ITN_DAYS FROM M_TBL_ITINERARY_HEADER WHERE ITN_DOCNO=?), NOOF_PAX=?, "
                       "NOOF_CHILD=?, TOTAL_AMOUNT=%1, MARKUP_ON=?, COMM_PER=%1, COMM_AMOUNT=%1, TAX_PER=%1, "
                       "TAX_AMT=%1, GRAND_TOTAL=%1, DB_AMT=%1, CR_AMT=0, AMT_INWORDS=?, UPDATE_BY=?, UPDATE_ON=%2 "
                       "WHERE DOC_CODE='CBPT01' AND DOC_NO=? AND DOC_STATUS='APPRV'")
            .arg(a, db.dialect().now()),
        {desc,
         dateToDb(h.start),
         dateToDb(h.end),
         h.bookedBy,
         h.touristName,
         h.touristMobile,
         h.touristEmail,
         h.itineraryNo,
         h.adults,
         h.children,
         h.total.toVariant(),
         markUpText(h.markUp),
         t.commPer.toVariant(),
         t.commAmount.toVariant(),
         h.taxPer.toVariant(),
         t.tax.toVariant(),
         t.grandTotal.toVariant(),
         t.grandTotal.toVariant(),
         amountInWordsPhrase(t.grandTotal),
         user,
         bookingNo});
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
        repriceBooking(db, user, h, number);
        writeBackLead(db, h);
        if (kind == SaveKind::Full)
            copyItineraryToQuotation(db, user, h.itineraryNo, number);
        return number;
    });
}

}  // namespace tarvic

#include "QuotationLines.h"

#include "data/Moments.h"
#include "data/Numbering.h"
#include "data/RowWriter.h"
#include "engine/DocumentState.h"
#include "engine/sales/QuotationTotals.h"

namespace tarvic {

namespace {

const QString kTable = QStringLiteral("M_TBL_QUOTATION");

// Every column a day row copies from its stored line (all but DOC_CODE and CONS_TOURDT), so
// that what other windows wrote on the line (the hotel status) reaches its days as well.
const QString kDayColumns = QStringLiteral(
    "DOC_NO, DOC_DATE, IN_DOCCODE, LEAD_NO, ITINERARY_NO, ACC_CODE, ACCOUNT_DESC, TOUR_DATE, CHKOT_DT, "
    "HOTEL_CODE, HOTEL_NAME, HOTEL_PLACE, ROOMTYPE_CODE, ROOM_TYPE, MEALPLAN_CODE, "
    "NOOF_ROOM, ROOM_RATE, DAYS_ROOM, TOTL_ROOMCOST, NOOF_ROOMSNGL, SNGLROOM_RATE, DAYS_ROOMSNGL, TOTL_SNGLROOMCOST, "
    "NOOF_EXTBED, EXTRBED_RATE, DAYS_EXTBED, TOTL_EXTRABEDCOST, NOOF_CWB, CWB_RATE, DAYS_CWB, TOTL_CWBCOST, "
    "NOOF_CNB, CNB_RATE, DAYS_CNB, TOTL_CNBCOST, VEH_BRANDID, NOOF_VEH, VEH_RATE, TOTL_VEHCOST, "
    "OTHRCHRG_CODE, NOOF_OTHRCHRG, OTHRCHRG_RATE, TOTL_OTHRCHRG, TOTAL_AMOUNT, REMARKS, "
    "HOTELSTATUS_CODE, HOTL_STATUPDBY, HOTL_STATUPDON, DOC_STATUS, CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON");

// The header as the line's transaction sees it, locked against a concurrent change on a server.
LineQuotation openHeader(Database& db, qint64 quotationNo) {
    const auto row = db.firstRow(QStringLiteral("SELECT DOC_CODE, DOC_DATE, DOC_NO, LEAD_NO, ITINERARY_NO, "
                                                "JOURNEY_STRTDT, DOC_STATUS, LCK_QUOT FROM M_TBL_QUOTATION "
                                                "WHERE DOC_CODE='QGBL01' AND DOC_NO=?%1")
                                     .arg(db.dialect().forUpdate()),
                                 {quotationNo});
    if (!row)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    LineQuotation h;
    h.docCode = row->value(0).toString().trimmed();
    h.docDate = dateFromDb(row->value(1));
    h.number = row->value(2).toLongLong();
    h.leadNo = row->value(3).toLongLong();
    h.itineraryNo = row->value(4).toLongLong();
    h.journeyStart = dateFromDb(row->value(5));
    h.status = row->value(6).toString().trimmed();
    // A lock flag that is NULL reads as N.
    h.locked = row->value(7).toString().trimmed() == QLatin1String("Y");
    return h;
}

LineQuotation entryHeader(Database& db, qint64 quotationNo) {
    LineQuotation h = openHeader(db, quotationNo);
    if (h.locked)
        throw DbError(DbError::Kind::Refused, kQuotationLocked);
    if (!h.openForEntry())
        throw DbError(DbError::Kind::Refused, kQuotationNotOpen);
    return h;
}

}  // namespace

HotelPrice priceHotel(const QDate& checkIn, const QDate& checkOut, const QList<Component>& components) {
    HotelPrice p;
    p.checkOut = checkOut > checkIn ? checkOut : checkIn.addDays(1);
    p.nights = int(checkIn.daysTo(p.checkOut));
    for (const Component& c : components) {
        std::optional<Money> t = c.rate.times(c.count);
        if (t)
            t = t->times(p.nights);
        p.exceeded = p.exceeded || !t;
        p.totals << t.value_or(Money());
    }
    const std::optional<Money> total = Money::sum(p.totals);
    p.exceeded = p.exceeded || !total;
    p.total = p.exceeded ? Money() : *total;
    return p;
}

VehiclePrice priceVehicle(const QDate& start, const QDate& end, qint64 vehicles, Money rate) {
    VehiclePrice p;
    p.end = end < start ? start.addDays(1) : end;
    p.days = int(start.daysTo(p.end)) + 1;
    const std::optional<Money> total = rate.times(vehicles);
    p.exceeded = !total;
    p.total = total.value_or(Money());
    return p;
}

LineQuotation readQuotationHeader(Database& db, qint64 quotationNo) {
    try {
        return openHeader(db, quotationNo);
    } catch (const DbError& e) {
        if (e.kind() == DbError::Kind::Changed)
            return {};
        throw;
    }
}

qint64 storeQuotationLine(Database& db, const QString& user, const LineToStore& line) {
    return db.transact([&] {
        const LineQuotation h = entryHeader(db, line.quotationNo);
        const bool isNew = line.lineNo == 0;
        const qint64 lineNo = isNew ? Numbering(db).nextLine(QString::number(line.quotationNo)) : line.lineNo;
        Columns columns = {{QStringLiteral("DOC_DATE"), h.docDate},
                           {QStringLiteral("IN_DOCCODE"), QStringLiteral("QGBL01")},
                           {QStringLiteral("LEAD_NO"), h.leadNo},
                           {QStringLiteral("ITINERARY_NO"), h.itineraryNo},
                           {QStringLiteral("DOC_STATUS"), status::kLive}};
        columns.insert(columns.end(), line.columns.begin(), line.columns.end());
        RowWriter(db, user).write(kTable,
                                  {{QStringLiteral("DOC_CODE"), QStringLiteral("QGBL02")},
                                   {QStringLiteral("DOC_NO"), line.quotationNo},
                                   {QStringLiteral("ACC_CODE"), lineNo},
                                   {QStringLiteral("ACCOUNT_DESC"), line.kind}},
                                  columns, isNew);
        const QVariantList key{line.quotationNo, lineNo, line.kind};
        db.exec(QStringLiteral("DELETE FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL03' AND DOC_NO=? AND ACC_CODE=? "
                               "AND ACCOUNT_DESC=?"),
                key);
        insertLineDays(db, line.quotationNo, lineNo, line.kind, line.firstDay, line.days);
        repriceQuotation(db, user, line.quotationNo);
        return lineNo;
    });
}

void deleteQuotationLine(Database& db, const QString& user, qint64 quotationNo, qint64 lineNo, const QString& kind,
                         bool withDays) {
    db.transact([&] {
        entryHeader(db, quotationNo);
        const QVariantList key{quotationNo, lineNo, kind};
        if (withDays)
            db.exec(QStringLiteral("DELETE FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL03' AND DOC_NO=? AND ACC_CODE=? "
                                   "AND ACCOUNT_DESC=?"),
                    key);
        if (db.execAffected(QStringLiteral("DELETE FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02' AND DOC_NO=? "
                                           "AND ACC_CODE=? AND ACCOUNT_DESC=?"),
                            key) != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        repriceQuotation(db, user, quotationNo);
    });
}

int lineDayCount(const QString& kind, const QDate& from, const QDate& to) {
    const int d = from.isValid() && to.isValid() ? qMax<int>(0, int(from.daysTo(to))) : 0;
    return kind == QLatin1String("VEHICLE") ? d + 1 : d;
}

void insertLineDays(Database& db, qint64 quotationNo, qint64 lineNo, const QString& kind, const QDate& firstDay,
                    int days) {
    static const QString copy = QStringLiteral(
                                    "INSERT INTO M_TBL_QUOTATION (DOC_CODE, CONS_TOURDT, %1) "
                                    "SELECT 'QGBL03', ?, %1 FROM M_TBL_QUOTATION "
                                    "WHERE DOC_CODE='QGBL02' AND DOC_NO=? AND ACC_CODE=? AND ACCOUNT_DESC=?")
                                    .arg(kDayColumns);
    for (int i = 0; i < days; ++i)
        db.exec(copy, {dateToDb(firstDay.addDays(i)), quotationNo, lineNo, kind});
}

QDate lastCheckOut(Database& db, qint64 quotationNo, const QString& kind) {
    return dateFromDb(db.scalar(QStringLiteral("SELECT MAX(CHKOT_DT) AS NEWCHKIN_DT FROM M_TBL_QUOTATION "
                                               "WHERE DOC_CODE='QGBL02' AND DOC_NO=? AND ACCOUNT_DESC=?"),
                                {quotationNo, kind}));
}

QString hotelDestination(Database& db, qint64 hotel) {
    const auto row = db.firstRow(
        QStringLiteral("SELECT s.STATE_NAME, pl.PLACE_NAME FROM M_TBL_PARTY p "
                       "LEFT JOIN M_TBL_CSP_STATE s ON s.COUNTRY_CODE=p.COUNTRY_CODE AND s.STATE_CODE=p.STATE_CODE "
                       "LEFT JOIN M_TBL_CSP_PLACE pl ON pl.COUNTRY_CODE=p.COUNTRY_CODE AND "
                       "pl.STATE_CODE=p.STATE_CODE AND pl.PLACE_CODE=p.PLACE_CODE WHERE p.PARTY_CODE=?"),
        {hotel});
    if (!row)
        return {};
    const QString state = row->value(0).toString().trimmed(), place = row->value(1).toString().trimmed();
    return state.isEmpty() || place.isEmpty() ? state + place : state + QStringLiteral(", ") + place;
}

QString lineKindName(const QString& kind) {
    return kind == QLatin1String("OTHRCHRG") ? QStringLiteral("OTHER CHARGES") : kind;
}

}  // namespace tarvic

#include "SupplierRequests.h"

#include "data/ColumnLengths.h"
#include "data/DocumentKinds.h"
#include "data/Moments.h"
#include "data/Numbering.h"
#include "engine/DocumentState.h"
#include "engine/admin/CompanyProfile.h"

#include <QRegularExpression>

#include <algorithm>

namespace tarvic {

namespace {

constexpr int kOpsLogLength = 2000;  // the booking's CONSUTLTANT_RESPONSETXT

// A hotel line of a quotation with its booking (outer-joined: a cancelled booking's lines are
// still read for its cancellation mails), names, status and the booking's customer address.
const QString kLinesSql = QStringLiteral(
    "SELECT a.DOC_NO, a.ACC_CODE, e.CBPT_NO, a.HOTEL_NAME, a.HOTEL_PLACE, p.EMAIL_ADD, q.EMAIL_ADD AS R_CUSTMAIL, "
    "e.TOURIST_EMAIL, e.TOURIST_NAME, a.TOUR_DATE, a.CHKOT_DT, a.DAYS_ROOM, c.ROOM_TYPE AS R_ROOMTYPE, a.ROOM_TYPE, "
    "a.NOOF_ROOM, a.NOOF_ROOMSNGL, a.NOOF_EXTBED, a.NOOF_CWB, a.NOOF_CNB, m.MEAL_PLAN, m.PLAN_DESC, e.NOOF_ADULT, "
    "e.NOOF_CHILDREN, r.SUPPLIER_STATUS, r.CONFIRM_NO, r.STATUS_NOTE, r.SENT_TO, r.UPDATE_BY, r.UPDATE_ON, "
    "r.REQUESTED_ON, l.CONSULTANT_CODE, r.CBPT_NO AS R_REQCBPT, a.DOC_CODE AS R_LINECODE, NULL AS R_SERVICE, "
    "NULL AS R_QTY, NULL AS R_REMARKS, NULL AS R_NOTESTATUS "
    "FROM M_TBL_QUOTATION a JOIN M_TBL_QUOTATION e ON e.DOC_CODE='QGBL01' AND e.DOC_NO=a.DOC_NO "
    "LEFT JOIN M_TBL_SUPPLIER_REQUEST r ON r.LINE_CODE='QGBL02' AND r.LINE_DOCNO=a.DOC_NO AND r.LINE_NO=a.ACC_CODE "
    "LEFT JOIN M_TBL_TRANSACTION b ON b.DOC_CODE='CBPT01' AND b.DOC_NO=COALESCE(r.CBPT_NO, e.CBPT_NO) "
    "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND l.DOC_NO=b.LEAD_NO "
    "LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=a.HOTEL_CODE "
    "LEFT JOIN M_TBL_PARTY q ON q.PARTY_CODE=b.PARTY_CODE "
    "LEFT JOIN M_TBL_MEALPLAN m ON m.MEALPLAN_CODE=a.MEALPLAN_CODE "
    "LEFT JOIN M_TBL_HOTELROOMTYPE c ON c.ROOMTYPE_CODE=a.ROOMTYPE_CODE "
    "WHERE a.DOC_CODE='QGBL02' AND a.ACCOUNT_DESC='HOTEL' AND ");

// A vehicle or other-charge note of a booking in the same columns: its supplier, the service
// asked (the vehicle type or the charge, with the count) and its dates, the booking's party.
const QString kNotesSql = QStringLiteral(
    "SELECT a.DOC_NO, 0 AS R_LINE, a.IN_DOCNO, p.PARTY_NAME, pl.PLACE_NAME, p.EMAIL_ADD, q.EMAIL_ADD AS R_CUSTMAIL, "
    "e.TOURIST_EMAIL, COALESCE(e.TOURIST_NAME, b.TOURIST_NAME) AS R_TOURIST, a.START_DT, a.END_DT, a.TOUR_DAYS, "
    "NULL AS R_C12, NULL AS R_C13, NULL AS R_C14, NULL AS R_C15, NULL AS R_C16, NULL AS R_C17, NULL AS R_C18, "
    "NULL AS R_C19, NULL AS R_C20, e.NOOF_ADULT, e.NOOF_CHILDREN, r.SUPPLIER_STATUS, r.CONFIRM_NO, r.STATUS_NOTE, "
    "r.SENT_TO, r.UPDATE_BY, r.UPDATE_ON, r.REQUESTED_ON, l.CONSULTANT_CODE, r.CBPT_NO AS R_REQCBPT, "
    "a.DOC_CODE AS R_LINECODE, COALESCE(v.VEH_BRAND, o.ACCOUNT_DESC) AS R_SERVICE, "
    "COALESCE(a.VEH_NOS, a.OTHRCHRG_QTY) AS R_QTY, a.REMARKS AS R_REMARKS, a.DOC_STATUS AS R_NOTESTATUS "
    "FROM M_TBL_TRANSACTION a JOIN M_TBL_TRANSACTION b ON b.DOC_CODE='CBPT01' AND b.DOC_NO=a.IN_DOCNO "
    "LEFT JOIN M_TBL_QUOTATION e ON e.DOC_CODE='QGBL01' AND e.DOC_NO=b.QUOTATION_NO "
    "LEFT JOIN M_TBL_SUPPLIER_REQUEST r ON r.LINE_CODE=a.DOC_CODE AND r.LINE_DOCNO=a.DOC_NO AND r.LINE_NO=0 "
    "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND l.DOC_NO=b.LEAD_NO "
    "LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=a.PARTY_CODE "
    "LEFT JOIN M_TBL_CSP_PLACE pl ON pl.COUNTRY_CODE=p.COUNTRY_CODE AND pl.STATE_CODE=p.STATE_CODE AND "
    "pl.PLACE_CODE=p.PLACE_CODE "
    "LEFT JOIN M_TBL_PARTY q ON q.PARTY_CODE=b.PARTY_CODE "
    "LEFT JOIN MST_VEHICLEBRANDTYPE v ON v.VEH_BRANDID=a.VEH_BRANDID "
    "LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB o ON o.DOC_CODE=a.DOC_CODE AND o.ACC_CODE=a.TO_ACC "
    "WHERE a.DOC_CODE IN ('ANCP02', 'ANCP03') AND a.IN_DOCCODE='CBPT01' AND ");

QString text(const QSqlQuery& q, int i) {
    return q.value(i).toString().trimmed();
}

// The rooms of a line by type, the counts that are not zero: "2 DELUXE ROOM(S), 1 EXTRA BED(S)".
QString roomsText(const QSqlQuery& q) {
    QString type = text(q, 12);
    if (const QString typed = text(q, 13); !typed.isEmpty() && typed != type)
        type = type.isEmpty() ? typed : type + QStringLiteral(" ") + typed;
    const QString rooms = type.isEmpty() ? QStringLiteral("ROOM(S)") : type + QStringLiteral(" ROOM(S)");
    QStringList parts;
    const std::pair<int, QString> counts[] = {{14, rooms},
                                              {15, QStringLiteral("SINGLE ROOM(S)")},
                                              {16, QStringLiteral("EXTRA BED(S)")},
                                              {17, QStringLiteral("CHILD WITH BED")},
                                              {18, QStringLiteral("CHILD WITHOUT BED")}};
    for (const auto& [column, label] : counts)
        if (const int n = q.value(column).toInt(); n > 0)
            parts << QStringLiteral("%1 %2").arg(n).arg(label);
    return parts.join(QStringLiteral(", "));
}

void appendOpsLog(Database& db, qint64 booking, const QString& entry) {
    const QVariant current =
        db.scalar(QStringLiteral("SELECT CONSUTLTANT_RESPONSETXT FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?"),
                  {QString::fromLatin1(kBookingCode), booking});
    QString log = current.toString();
    log = log.isEmpty() ? entry : log + QLatin1Char('\n') + entry;
    // The newest lines are kept whole when the column is full: the oldest go first.
    while (log.size() > kOpsLogLength) {
        const qsizetype cut = log.indexOf(QLatin1Char('\n'));
        log = cut < 0 ? log.right(kOpsLogLength) : log.mid(cut + 1);
    }
    if (db.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET CONSUTLTANT_RESPONSETXT=? WHERE DOC_CODE=? AND "
                                       "DOC_NO=? AND ") +
                            sql::notCancelled(),
                        {log, QString::fromLatin1(kBookingCode), booking}) != 1)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
}

QString stepWords(const QString& step) {
    if (step == supplier::kVoucherSent)
        return QStringLiteral("VOUCHER MAILED");
    if (step == supplier::kCancelled)
        return QStringLiteral("CANCELLATION MAILED");
    return step;
}

}  // namespace

QString supplierLineStart(const SupplierLine& l) {
    return (l.isHotel() ? QStringLiteral("CHECK-IN ") : QStringLiteral("SERVICE ")) +
           l.checkIn.toString(QStringLiteral("dd/MM/yyyy"));
}

QString supplierLineName(const SupplierLine& l) {
    return l.isHotel() || l.service.isEmpty() ? l.supplier : l.supplier + QStringLiteral(" - ") + l.service;
}

QString templateKind(SupplierMailKind kind) {
    switch (kind) {
        case SupplierMailKind::Request:
            return QStringLiteral("REQUEST");
        case SupplierMailKind::Voucher:
            return QStringLiteral("VOUCHER");
        case SupplierMailKind::Cancellation:
            return QStringLiteral("CANCELLATION");
    }
    return {};
}

std::vector<SupplierLine> SupplierRequests::read(const QString& hotelWhere, const QVariantList& hotelValues,
                                                 const QString& noteWhere, const QVariantList& noteValues,
                                                 const QString& hotelOrder, const QString& noteOrder) {
    std::vector<SupplierLine> out;
    const auto readRows = [&](const QString& sql, const QVariantList& values) {
        QSqlQuery q = db_.exec(sql, values);
        while (q.next()) {
            SupplierLine l;
            l.lineCode = text(q, 32);
            l.docNo = q.value(0).toLongLong();
            l.line = q.value(1).toLongLong();
            l.booking = q.value(31).isNull() ? q.value(2).toLongLong() : q.value(31).toLongLong();
            l.supplier = text(q, 3);
            l.place = text(q, 4);
            l.supplierEmail = text(q, 5);
            l.customerEmail = text(q, 6).isEmpty() ? text(q, 7) : text(q, 6);
            l.tourist = text(q, 8);
            l.checkIn = dateFromDb(q.value(9));
            l.checkOut = dateFromDb(q.value(10));
            l.nights = q.value(11).toInt();
            l.rooms = roomsText(q);
            l.mealPlan = text(q, 19);
            if (const QString desc = text(q, 20); !desc.isEmpty())
                l.mealPlan += QStringLiteral(" (%1)").arg(desc);
            l.travellers = q.value(21).toInt() + q.value(22).toInt();
            l.status = text(q, 23);
            l.confirmNo = text(q, 24);
            l.note = text(q, 25);
            l.sentTo = text(q, 26);
            l.statusBy = text(q, 27);
            l.statusOn = momentFromDb(q.value(28));
            l.requestedOn = momentFromDb(q.value(29));
            l.consultant = q.value(30).toInt();
            if (!l.isHotel()) {
                const int count = q.value(34).toInt();
                l.service = count > 0 && !text(q, 33).isEmpty() ? QStringLiteral("%1 X %2").arg(count).arg(text(q, 33))
                                                                : text(q, 33);
                l.remarks = text(q, 35);
                l.noteLive = text(q, 36) == status::kLive;
                if (l.lineCode == kOtherNoteCode)
                    l.checkOut = {};  // an other charge is for one day; its END_DT is not its own
            }
            out.push_back(l);
        }
    };
    if (!hotelWhere.isEmpty())
        readRows(
            kLinesSql + hotelWhere +
                (hotelOrder.isEmpty() ? QStringLiteral(" ORDER BY a.TOUR_DATE, a.DOC_NO, a.ACC_CODE") : hotelOrder),
            hotelValues);
    if (!noteWhere.isEmpty())
        readRows(kNotesSql + noteWhere +
                     (noteOrder.isEmpty() ? QStringLiteral(" ORDER BY a.START_DT, a.DOC_CODE, a.DOC_NO") : noteOrder),
                 noteValues);
    // Hotels first on a day, as a tour's day starts from where it stays.
    std::stable_sort(out.begin(), out.end(), [](const SupplierLine& a, const SupplierLine& b) {
        if (a.checkIn != b.checkIn)
            return a.checkIn < b.checkIn;
        return a.isHotel() && !b.isHotel();
    });
    return out;
}

std::vector<SupplierLine> SupplierRequests::lines(qint64 booking) {
    // A cancelled note stays once its supplier was asked: its answer and cancellation mail show.
    return read(QStringLiteral("e.CBPT_NO=?"), {booking},
                QStringLiteral("a.IN_DOCNO=? AND (") + sql::live(QStringLiteral("a")) +
                    QStringLiteral(" OR r.LINE_CODE IS NOT NULL)"),
                {booking});
}

std::optional<SupplierLine> SupplierRequests::line(const QString& lineCode, qint64 docNo, qint64 lineNo) {
    const auto found = lineCode == kHotelLineCode
                           ? read(QStringLiteral("a.DOC_NO=? AND a.ACC_CODE=?"), {docNo, lineNo})
                           : read(QString(), {}, QStringLiteral("a.DOC_CODE=? AND a.DOC_NO=?"), {lineCode, docNo});
    return found.empty() ? std::nullopt : std::optional(found.front());
}

std::vector<SupplierLine> SupplierRequests::heldLines(qint64 booking, std::optional<qint64> hotel) {
    QVariantList values{booking, supplier::kRequested, supplier::kConfirmed, supplier::kWaitlisted};
    if (hotel)
        values << *hotel;
    const QString held = QStringLiteral("r.CBPT_NO=? AND r.SUPPLIER_STATUS IN (?, ?, ?)");
    if (hotel)
        return read(held + QStringLiteral(" AND a.HOTEL_CODE=?"), values);
    return read(held, values, held, values);
}

std::vector<SupplierLine> SupplierRequests::heldNoteLine(const QString& noteCode, qint64 note) {
    return read(QStringLiteral("1=0"), {},
                QStringLiteral("a.DOC_CODE=? AND a.DOC_NO=? AND r.SUPPLIER_STATUS IN (?, ?, ?)"),
                {noteCode, note, supplier::kRequested, supplier::kConfirmed, supplier::kWaitlisted});
}

void SupplierRequests::requireMayMail(qint64 booking, SupplierMailKind kind) {
    const auto row = db_.firstRow(QStringLiteral("SELECT DOC_STATUS, COALESCE(LCK_CBPT,'N') FROM M_TBL_TRANSACTION "
                                                 "WHERE DOC_CODE=? AND DOC_NO=?") +
                                      db_.dialect().forUpdate(),
                                  {QString::fromLatin1(kBookingCode), booking});
    if (!row)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    if (kind == SupplierMailKind::Cancellation)
        return;  // the one mail a cancelled or locked booking still sends
    if (row->value(0).toString().trimmed() == status::kCancelled)
        throw DbError(DbError::Kind::Refused, kRequestCancelled);
    if (row->value(1).toString().trimmed() == QLatin1String("Y"))
        throw DbError(DbError::Kind::Refused, kRequestLocked);
}

void SupplierRequests::checkMail(const SupplierLine& given, SupplierMailKind kind) {
    db_.transact([&] {
        requireMayMail(given.booking, kind);
        const auto now = line(given.lineCode, given.docNo, given.line);
        if (!now)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        if (kind == SupplierMailKind::Voucher && !now->isHotel())
            throw DbError(DbError::Kind::Refused, kVoucherHotelsOnly);
        if (kind != SupplierMailKind::Cancellation && !now->noteLive)
            throw DbError(DbError::Kind::Refused, kNoteCancelled);
        if (kind == SupplierMailKind::Request && now->status == supplier::kConfirmed)
            throw DbError(DbError::Kind::Refused, kAlreadyConfirmed);
        if (kind == SupplierMailKind::Voucher && now->status != supplier::kConfirmed)
            throw DbError(DbError::Kind::Refused, kNotConfirmed);
        if (kind == SupplierMailKind::Cancellation && now->status != supplier::kRequested &&
            now->status != supplier::kConfirmed && now->status != supplier::kWaitlisted)
            throw DbError(DbError::Kind::Refused, kNotRequested);
        if (kind != SupplierMailKind::Voucher && splitAddresses(now->supplierEmail).isEmpty())
            throw DbError(DbError::Kind::Refused, kNoSupplierAddress);
    });
}

MailMessage SupplierRequests::mail(const SupplierLine& l, SupplierMailKind kind, const QStringList& to) {
    const SupplierTemplate t = supplierTemplate(db_, kind);
    const CompanyProfile company = CompanyProfile::read(db_);
    QString replyTo = company.email;
    if (replyTo.isEmpty())
        if (const auto settings = MailSettings::read(db_))
            replyTo = settings->senderAddress;
    const QStringList recipients = to.isEmpty() ? splitAddresses(l.supplierEmail) : to;
    const bool toSupplier = recipients == splitAddresses(l.supplierEmail);
    const auto day = [](const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); };
    // A hotel's stay, or a note's service: what belongs to the other kind stays empty, and its
    // label goes with it.
    const bool hotel = l.isHotel();
    const auto hotelOnly = [&](const QString& v) { return hotel ? v : QString(); };
    const auto noteOnly = [&](const QString& v) { return hotel ? QString() : v; };
    QString dates = day(l.checkIn);
    if (l.checkOut.isValid() && l.checkOut != l.checkIn)
        dates += QStringLiteral(" TO ") + day(l.checkOut);
    const QList<std::pair<QString, QString>> values{
        {QStringLiteral("SUPPLIER"), l.supplier},
        {QStringLiteral("HOTEL"), hotelOnly(l.supplier)},
        {QStringLiteral("PLACE"), l.place},
        {QStringLiteral("CHECK_IN"), hotelOnly(day(l.checkIn))},
        {QStringLiteral("CHECK_OUT"), hotelOnly(day(l.checkOut))},
        {QStringLiteral("NIGHTS"), hotelOnly(QString::number(l.nights))},
        {QStringLiteral("ROOMS"), l.rooms},
        {QStringLiteral("MEAL_PLAN"), l.mealPlan},
        {QStringLiteral("SERVICE"), l.service},
        {QStringLiteral("SERVICE_DATES"), noteOnly(dates)},
        {QStringLiteral("DAYS"), noteOnly(l.nights > 0 ? QString::number(l.nights) : QString())},
        {QStringLiteral("REMARKS"), l.remarks},
        {QStringLiteral("TRAVELLERS"), l.travellers > 0 ? QString::number(l.travellers) : QString()},
        {QStringLiteral("TOURIST"), l.tourist},
        {QStringLiteral("BOOKING_NO"), QString::number(l.booking)},
        {QStringLiteral("CONFIRM_NO"), l.confirmNo},
        {QStringLiteral("COMPANY"), company.name},
        {QStringLiteral("REPLY_TO"), replyTo},
        {QStringLiteral("ADDRESSEE"), toSupplier ? l.supplier : l.tourist}};
    MailMessage m;
    m.to = recipients;
    m.subject = fillTemplate(t.subject, values, false);
    m.html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>%1</body></html>")
                 .arg(fillTemplate(t.body, values, true));
    return m;
}

void SupplierRequests::storeStatus(const SupplierLine& l, const QString& status, const QString& note,
                                   const QString& sentTo) {
    const QString now = db_.dialect().now();
    const QVariantList key{l.lineCode, l.docNo, l.line};
    const bool exists =
        db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_SUPPLIER_REQUEST WHERE LINE_CODE=? AND LINE_DOCNO=? AND "
                                  "LINE_NO=?"),
                   key)
            .toInt() > 0;
    int changed = 0;
    if (!exists) {
        changed = db_.execAffected(QStringLiteral("INSERT INTO M_TBL_SUPPLIER_REQUEST (LINE_CODE, LINE_DOCNO, LINE_NO, "
                                                  "CBPT_NO, SUPPLIER_STATUS, SENT_TO, REQUESTED_BY, REQUESTED_ON, "
                                                  "UPDATE_BY, UPDATE_ON) VALUES (?, ?, ?, ?, ?, ?, ?, %1, ?, %1)")
                                       .arg(now),
                                   key + QVariantList{l.booking, status, sentTo, user_, user_});
    } else if (status == supplier::kRequested) {
        // A request starts the line afresh: its earlier answer no longer holds.
        changed =
            db_.execAffected(QStringLiteral("UPDATE M_TBL_SUPPLIER_REQUEST SET SUPPLIER_STATUS=?, CONFIRM_NO=NULL, "
                                            "STATUS_NOTE=NULL, SENT_TO=?, REQUESTED_BY=?, REQUESTED_ON=%1, "
                                            "UPDATE_BY=?, UPDATE_ON=%1, CBPT_NO=? WHERE LINE_CODE=? AND "
                                            "LINE_DOCNO=? AND LINE_NO=?")
                                 .arg(now),
                             QVariantList{status, sentTo, user_, user_, l.booking} + key);
    } else {
        // An answer or the cancellation keeps who asked, to whom, and a confirmation given.
        const bool confirmed = status == supplier::kConfirmed;
        changed =
            db_.execAffected(QStringLiteral("UPDATE M_TBL_SUPPLIER_REQUEST SET SUPPLIER_STATUS=?, "
                                            "CONFIRM_NO=COALESCE(?, CONFIRM_NO), STATUS_NOTE=?, UPDATE_BY=?, "
                                            "UPDATE_ON=%1 WHERE LINE_CODE=? AND LINE_DOCNO=? AND LINE_NO=?")
                                 .arg(now),
                             QVariantList{status, confirmed ? QVariant(note) : QVariant(QMetaType(QMetaType::QString)),
                                          confirmed ? QString() : note, user_} +
                                 key);
    }
    if (changed != 1)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
}

void SupplierRequests::step(const SupplierLine& l, const QString& stepName, const QString& status, const QString& note,
                            const QString& sentTo) {
    checkTextLengths(db_, QStringLiteral("M_TBL_SUPPLIER_REQUEST_LOG"),
                     {{QStringLiteral("STEP_NOTE"), note}, {QStringLiteral("SENT_TO"), sentTo}});
    const qint64 id = Numbering(db_).next(QStringLiteral("SUPPSTEP"));
    db_.execAffected(QStringLiteral("INSERT INTO M_TBL_SUPPLIER_REQUEST_LOG (STEP_ID, LINE_CODE, LINE_DOCNO, LINE_NO, "
                                    "CBPT_NO, STEP, STEP_NOTE, SENT_TO, STEP_BY, STEP_ON) VALUES (?, ?, ?, ?, ?, ?, ?, "
                                    "?, ?, %1)")
                         .arg(db_.dialect().now()),
                     {id, l.lineCode, l.docNo, l.line, l.booking, stepName, note, sentTo, user_});
    if (!status.isEmpty())
        storeStatus(l, status, note, sentTo);
    // A cancelled booking's row is never rewritten: its cancellation mails stay in the steps.
    if (stepName == supplier::kCancelled &&
        db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=? AND ") +
                       sql::notCancelled(),
                   {QString::fromLatin1(kBookingCode), l.booking})
                .toInt() == 0)
        return;
    QString entry =
        QStringLiteral("%1 %2 : %3, %4 %5")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm")), user_, supplierLineName(l),
                 l.checkIn.toString(QStringLiteral("dd/MM/yyyy")), stepWords(stepName));
    if (!note.isEmpty())
        entry += QStringLiteral(" ") + note;
    if (!sentTo.isEmpty())
        entry += QStringLiteral(" TO ") + sentTo;
    appendOpsLog(db_, l.booking, entry);
}

void SupplierRequests::recordRequest(const SupplierLine& l, const QString& sentTo) {
    db_.transact([&] {
        checkMail(l, SupplierMailKind::Request);
        step(l, supplier::kRequested, supplier::kRequested, {}, sentTo);
    });
}

void SupplierRequests::recordVoucher(const SupplierLine& l, const QString& sentTo) {
    db_.transact([&] {
        checkMail(l, SupplierMailKind::Voucher);
        step(l, supplier::kVoucherSent, {}, {}, sentTo);
    });
}

void SupplierRequests::recordCancellation(const SupplierLine& l, const QString& sentTo) {
    db_.transact([&] {
        checkMail(l, SupplierMailKind::Cancellation);
        step(l, supplier::kCancelled, supplier::kCancelled, {}, sentTo);
    });
}

void SupplierRequests::recordAnswer(const SupplierLine& given, const QString& status, const QString& confirmNoOrNote) {
    const QString note = confirmNoOrNote.trimmed();
    if (status == supplier::kConfirmed && note.isEmpty())
        throw DbError(DbError::Kind::Refused, kEnterConfirmNo);
    if (status == supplier::kDeclined && note.isEmpty())
        throw DbError(DbError::Kind::Refused, kEnterDeclineReason);
    if (status != supplier::kConfirmed && status != supplier::kDeclined && status != supplier::kWaitlisted)
        throw DbError(DbError::Kind::Refused, kNotRequested);
    db_.transact([&] {
        const auto l = line(given.lineCode, given.docNo, given.line);
        if (!l)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        requireMayMail(l->booking, SupplierMailKind::Request);
        if (!l->noteLive)
            throw DbError(DbError::Kind::Refused, kNoteCancelled);
        if (l->status != supplier::kRequested && l->status != supplier::kWaitlisted)
            throw DbError(DbError::Kind::Refused, kNotRequested);
        checkTextLengths(
            db_, QStringLiteral("M_TBL_SUPPLIER_REQUEST"),
            {{status == supplier::kConfirmed ? QStringLiteral("CONFIRM_NO") : QStringLiteral("STATUS_NOTE"), note}});
        step(*l, status, status, note, {});
    });
}

std::vector<SupplierStep> SupplierRequests::history(const QString& lineCode, qint64 docNo, qint64 lineNo) {
    QSqlQuery q = db_.exec(QStringLiteral("SELECT STEP, STEP_NOTE, SENT_TO, STEP_BY, STEP_ON FROM "
                                          "M_TBL_SUPPLIER_REQUEST_LOG WHERE LINE_CODE=? AND LINE_DOCNO=? AND "
                                          "LINE_NO=? ORDER BY STEP_ID"),
                           {lineCode, docNo, lineNo});
    std::vector<SupplierStep> out;
    while (q.next())
        out.push_back({text(q, 0), text(q, 1), text(q, 2), text(q, 3), momentFromDb(q.value(4))});
    return out;
}

QString fillTemplate(const QString& text, const QList<std::pair<QString, QString>>& values, bool html) {
    QString out = text;
    for (const auto& [name, value] : values) {
        const QString placeholder = QLatin1Char('{') + name + QLatin1Char('}');
        if (value.trimmed().isEmpty() && out.contains(placeholder)) {
            const QString p = QRegularExpression::escape(placeholder);
            // Its row or item, an aside in brackets, a "Label: " line, a subject's separator.
            const QString labelled[] = {
                QStringLiteral("<tr\\b[^>]*>(?:(?!</?tr\\b).)*%1(?:(?!</?tr\\b).)*</tr>\\s*").arg(p),
                QStringLiteral("<li\\b[^>]*>(?:(?!</?li\\b).)*%1(?:(?!</?li\\b).)*</li>\\s*").arg(p),
                QStringLiteral("\\s*\\([^()<>\\n]*%1[^()<>\\n]*\\)").arg(p),
                QStringLiteral("[^<>\\n:]{1,40}:[ \\t]*%1[ \\t]*(?:<br\\s*/?>|\\n)?").arg(p),
                QStringLiteral("[ \\t]*[-,/|][ \\t]*%1").arg(p)};
            for (const QString& pattern : labelled) {
                if (!html && pattern.startsWith(QLatin1Char('<')))
                    continue;
                out.remove(QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption |
                                                           QRegularExpression::CaseInsensitiveOption));
            }
        }
        QString shown = value;
        if (html)
            shown = shown.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
        out.replace(placeholder, shown);
    }
    return out;
}

const QStringList& templatePlaceholders() {
    static const QStringList names{
        QStringLiteral("{SUPPLIER}"),      QStringLiteral("{HOTEL}"),     QStringLiteral("{PLACE}"),
        QStringLiteral("{CHECK_IN}"),      QStringLiteral("{CHECK_OUT}"), QStringLiteral("{NIGHTS}"),
        QStringLiteral("{ROOMS}"),         QStringLiteral("{MEAL_PLAN}"), QStringLiteral("{SERVICE}"),
        QStringLiteral("{SERVICE_DATES}"), QStringLiteral("{DAYS}"),      QStringLiteral("{REMARKS}"),
        QStringLiteral("{TRAVELLERS}"),    QStringLiteral("{TOURIST}"),   QStringLiteral("{BOOKING_NO}"),
        QStringLiteral("{CONFIRM_NO}"),    QStringLiteral("{COMPANY}"),   QStringLiteral("{REPLY_TO}"),
        QStringLiteral("{ADDRESSEE}")};
    return names;
}

SupplierTemplate supplierTemplate(Database& db, SupplierMailKind kind) {
    const auto row =
        db.firstRow(QStringLiteral("SELECT MAIL_SUBJECT, MAIL_BODY FROM M_TBL_SUPPLIER_TEMPLATE WHERE TEMPLATE_KIND=?"),
                    {templateKind(kind)});
    if (!row)
        return {};
    return {row->value(0).toString(), row->value(1).toString()};
}

void saveSupplierTemplate(Database& db, const QString& user, SupplierMailKind kind, const SupplierTemplate& t) {
    if (t.subject.trimmed().isEmpty() || t.body.trimmed().isEmpty())
        throw DbError(DbError::Kind::Refused, QStringLiteral("PLEASE ENTER THE SUBJECT AND THE TEXT ...."));
    db.transact([&] {
        checkTextLengths(db, QStringLiteral("M_TBL_SUPPLIER_TEMPLATE"),
                         {{QStringLiteral("MAIL_SUBJECT"), t.subject}, {QStringLiteral("MAIL_BODY"), t.body}});
        const QVariantList values{t.subject.trimmed(), t.body, user, templateKind(kind)};
        if (db.execAffected(QStringLiteral("UPDATE M_TBL_SUPPLIER_TEMPLATE SET MAIL_SUBJECT=?, MAIL_BODY=?, "
                                           "UPDATE_BY=?, UPDATE_ON=%1 WHERE TEMPLATE_KIND=?")
                                .arg(db.dialect().now()),
                            values) == 1)
            return;
        db.execAffected(QStringLiteral("INSERT INTO M_TBL_SUPPLIER_TEMPLATE (MAIL_SUBJECT, MAIL_BODY, UPDATE_BY, "
                                       "UPDATE_ON, TEMPLATE_KIND) VALUES (?, ?, ?, %1, ?)")
                            .arg(db.dialect().now()),
                        values);
    });
}

std::vector<SupplierLine> unansweredRequests(Database& db, const QDateTime& before, std::optional<int> consultant) {
    QString where = QStringLiteral("r.SUPPLIER_STATUS=? AND r.REQUESTED_ON < ? AND ") + sql::live(QStringLiteral("b"));
    QVariantList values{supplier::kRequested, before};
    if (consultant) {
        where += QStringLiteral(" AND l.CONSULTANT_CODE=?");
        values << *consultant;
    }
    // A cancelled note's request waits for its cancellation mail, not for an answer. The lines
    // are read from the requests by their status and time, not from every hotel line in
    // check-in order or every note in service order (the lines come back in their service's
    // order all the same): ordered by the request's time, SQLite starts from the requests.
    return SupplierRequests(db, {}).read(where, values,
                                         where + QStringLiteral(" AND ") + sql::live(QStringLiteral("a")), values,
                                         QStringLiteral(" ORDER BY r.REQUESTED_ON, a.DOC_NO, a.ACC_CODE"),
                                         QStringLiteral(" ORDER BY r.REQUESTED_ON, a.DOC_CODE, a.DOC_NO"));
}

int officeRequestHours(Database& db) {
    const QVariant v = db.scalar(QStringLiteral("SELECT REQUEST_HOURS FROM MST_LOCATIONDETAILS ORDER BY LOC_ID"));
    return v.isNull() || v.toInt() <= 0 ? kDefaultRequestHours : v.toInt();
}

void setOfficeRequestHours(Database& db, int hours) {
    if (hours <= 0)
        throw DbError(DbError::Kind::Refused, QStringLiteral("ENTER VALID HOURS ...."));
    db.transact([&] {
        if (db.execAffected(QStringLiteral("UPDATE MST_LOCATIONDETAILS SET REQUEST_HOURS=? WHERE LOC_ID="
                                           "(SELECT MIN(LOC_ID) FROM MST_LOCATIONDETAILS)"),
                            {hours}) != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    });
}

}  // namespace tarvic

#pragma once
// A booking with three hotel lines at three hotels, each with its own address (and where the
// printed hotel voucher finds it), for the supplier request tests: stays of 2, 3 and 1 nights
// with different rooms and meal plans, a party of 2 adults and 1 child, a customer with an
// address, and the mail settings of a local test server (its certificate trusted).
#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "engine/bookings/AdviceNotes.h"
#include "support/Documents.h"
#include "support/SmtpServer.h"

namespace tarvic::test {

struct SupplierFixture {
    static constexpr qint64 kCustomer = 1;
    static constexpr qint64 kHotels[] = {11, 12, 13};
    static inline const QStringList kHotelMails{"sea@h.test", "hill@h.test", "lake@h.test"};
    static inline const QStringList kHotelNames{"SEA & SAND", "HILL <VIEW>", "LAKE HOUSE"};
    static inline const QDate kCheckIn{2027, 1, 10};
    Database& db;
    qint64 booking = 0;

    explicit SupplierFixture(Database& database) : db(database) {
        db.exec("INSERT INTO M_TBL_CONSULTANT (CONSULTANT_CODE, CONSULTANT_NAME, TC_ROLE) VALUES (1, 'ANIL', 'ADMIN')");
        db.exec(
            "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, EMAIL_ADD) VALUES (1, 'ASHA TRAVELS', "
            "'asha@c.test')");
        // The hotels where the printed voucher looks them up.
        db.exec("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (1, 1, 'KERALA')");
        db.exec(
            "INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES (1, 1, 1, "
            "'MUNNAR')");
        for (int i = 0; i < 3; ++i)
            db.exec(
                "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, EMAIL_ADD, COUNTRY_CODE, STATE_CODE, "
                "PLACE_CODE) VALUES (?, ?, ?, 1, 1, 1)",
                {kHotels[i], kHotelNames[i], kHotelMails[i]});
        db.exec(
            "INSERT INTO M_TBL_MEALPLAN (MEALPLAN_CODE, MEAL_PLAN, PLAN_DESC) VALUES (1, 'CP', 'BREAKFAST'), "
            "(2, 'MAP', 'BREAKFAST AND DINNER')");
        db.exec("INSERT INTO M_TBL_HOTELROOMTYPE (ROOMTYPE_CODE, ROOM_TYPE) VALUES (1, 'DELUXE'), (2, 'SUITE')");
        db.exec(
            "INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_DATE, PARTY_CODE, CONSULTANT_CODE, "
            "TOURIST_NAME) VALUES ('BLFC01', 1, ?, 1, 1, 'MR JOHN')",
            {dateToDb(QDate::currentDate())});
        Document d = test::booking(kCustomer, "30000", QDate::currentDate());
        d.columns.emplace_back("LEAD_NO", 1);
        booking = TransactionRecords(db, "T").save(d);
        db.exec(
            "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, CBPT_NO, TOURIST_NAME, NOOF_ADULT, NOOF_CHILDREN) "
            "VALUES ('QGBL01', 7, ?, 'MR JOHN', 2, 1)",
            {booking});
        // line, hotel, check-in offset, nights, room type, rooms, extra beds, meal plan
        const std::tuple<int, int, int, int, int, int, int> lines[] = {
            {1, 0, 0, 2, 1, 1, 1}, {2, 1, 2, 3, 2, 2, 0}, {3, 2, 5, 1, 1, 1, 0}};
        for (const auto& [line, hotel, offset, nights, type, rooms, extra] : lines)
            db.exec(
                "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, ACC_CODE, ACCOUNT_DESC, HOTEL_CODE, HOTEL_NAME, "
                "HOTEL_PLACE, TOUR_DATE, CHKOT_DT, DAYS_ROOM, ROOMTYPE_CODE, NOOF_ROOM, NOOF_EXTBED, "
                "MEALPLAN_CODE, LEAD_NO, IN_DOCCODE) VALUES ('QGBL02', 7, ?, 'HOTEL', ?, ?, 'KERALA', ?, ?, ?, ?, ?, "
                "?, ?, 1, 'QGBL01')",
                {line, kHotels[hotel], kHotelNames[hotel], dateToDb(kCheckIn.addDays(offset)),
                 dateToDb(kCheckIn.addDays(offset + nights)), nights, type, rooms, extra, type});
    }
    // A vehicle note (2 X SUV 7 SEATER for the whole tour, from the transporter) and an
    // other-charge note (a guide on the second day, from the guides), each supplier with its
    // address; the booking is tied to its quotation for the party's count. Returns their numbers.
    static inline const QStringList kNoteMails{"cabs@v.test", "guide@o.test"};
    std::pair<qint64, qint64> notes() {
        db.exec(
            "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, EMAIL_ADD) VALUES (21, 'MALABAR CABS', ?), "
            "(22, 'HILL GUIDES', ?)",
            {kNoteMails[0], kNoteMails[1]});
        db.exec("INSERT INTO MST_VEHICLEBRANDTYPE (VEH_BRANDID, VEH_BRAND) VALUES (1, 'SUV 7 SEATER')");
        db.exec(
            "INSERT INTO M_TBL_DOCUMENTACCOUNT_COMB (DOC_CODE, ACC_CODE, ACCOUNT_DESC) VALUES ('ANCP03', 'GUIDE', "
            "'GUIDE CHARGES')");
        db.exec("UPDATE M_TBL_TRANSACTION SET QUOTATION_NO=7 WHERE DOC_CODE='CBPT01' AND DOC_NO=?", {booking});
        const QDate end = kCheckIn.addDays(5);
        // clang-format off
        const Columns vehicle{{"DOC_DATE", dateToDb(kCheckIn)}, {"PARTY_CODE", 21}, {"TO_ACC", "ANCP02"},
                              {"START_DT", dateToDb(kCheckIn)}, {"END_DT", dateToDb(end)}, {"TOUR_DAYS", 6},
                              {"ACC_CODE", "0"}, {"VEH_BRANDID", 1}, {"VEH_NOS", 2},
                              {"VEH_RATE", Money::fromRupees(4500).toVariant()}};
        const Columns other{{"DOC_DATE", dateToDb(kCheckIn.addDays(1))}, {"PARTY_CODE", 22}, {"TO_ACC", "GUIDE"},
                            {"START_DT", dateToDb(kCheckIn.addDays(1))}, {"OTHRCHRG_QTY", 2},
                            {"OTHRCHRG_RATE", Money::fromRupees(750).toVariant()}};
        // clang-format on
        const qint64 cab = storeAdviceNote(
            db, "T", {AdviceKind::Vehicle, 0, booking, Money::fromRupees(9000), "KOCHI - MUNNAR - KOCHI", vehicle});
        const qint64 guide =
            storeAdviceNote(db, "T", {AdviceKind::Other, 0, booking, Money::fromRupees(1500), "MUNNAR WALK", other});
        return {cab, guide};
    }
    QString opsLog() {
        return db
            .scalar("SELECT CONSUTLTANT_RESPONSETXT FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=?",
                    {booking})
            .toString();
    }
    // The decoded HTML body of a received message (quoted-printable: "=XX" is a byte).
    static QString body(const QByteArray& raw) {
        const qsizetype start = raw.indexOf("\r\n\r\n", raw.indexOf("Content-Type: text/html")) + 4;
        const QByteArray qp = raw.mid(start, raw.indexOf("\r\n--", start) - start).replace("=\r\n", "");
        return QString::fromUtf8(QByteArray::fromPercentEncoding(qp, '='));
    }
    // The bytes of the message's attachment whose file name starts with the words given.
    static QByteArray attachment(const QByteArray& raw, const QByteArray& named) {
        const qsizetype at = raw.indexOf("filename=\"" + named);
        if (at < 0)
            return {};
        const qsizetype start = raw.indexOf("\r\n\r\n", at) + 4;
        return QByteArray::fromBase64(raw.mid(start, raw.indexOf("\r\n--", start) - start));
    }
    // The attachments' file names, in the message's order.
    static QStringList attachmentNames(const QByteArray& raw) {
        QStringList names;
        for (qsizetype at = raw.indexOf("filename=\""); at >= 0; at = raw.indexOf("filename=\"", at + 1)) {
            const qsizetype start = at + 10;
            names << QString::fromUtf8(raw.mid(start, raw.indexOf('"', start) - start));
        }
        return names;
    }
    // The text of a PDF, as pdftotext reads it.
    static QString pdfText(const QByteArray& pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-"), QStringLiteral("-")});
        p.write(pdf);
        p.closeWriteChannel();
        return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
    }
};

}  // namespace tarvic::test

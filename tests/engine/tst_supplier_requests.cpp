// Requests to suppliers: each hotel's request reaches its own address with its own stay, rooms
// and meal plan, values escaped; answers move a pending line only; an unanswered request ages
// onto the board; a locked or cancelled booking mails nothing but the cancellation, which goes
// only to the suppliers still holding a line.
#include "data/Mailer.h"
#include "engine/bookings/Cancellations.h"
#include "engine/bookings/SupplierRequests.h"
#include "engine/dues/DueBoard.h"
#include "support/SupplierFixture.h"
#include "support/TestDb.h"

#include <QtTest>

using namespace tarvic;
using test::SupplierFixture;

namespace {

QString refusal(const std::function<void()>& work) {
    try {
        work();
    } catch (const DbError& e) {
        return e.message();
    }
    return {};
}

// Mails the line's request as the window does, then records it.
void request(Database& db, const SupplierLine& l) {
    SupplierRequests r(db, "ANIL");
    r.checkMail(l, SupplierMailKind::Request);
    const auto settings = MailSettings::read(db);
    Mailer(*settings).send(r.mail(l, SupplierMailKind::Request));
    r.recordRequest(l, l.supplierEmail);
}

QStringList statuses(Database& db, qint64 booking) {
    QStringList out;
    for (const SupplierLine& l : SupplierRequests(db, "T").lines(booking))
        out << l.status;
    return out;
}

}  // namespace

class TstSupplierRequests : public QObject {
    Q_OBJECT
private slots:
    void requestsReachEachHotelWithItsOwnStay() {
        test::TestDb t;
        SupplierFixture f(t.db());
        test::SmtpServer server;
        f.smtp(server);
        for (const SupplierLine& l : SupplierRequests(t.db(), "T").lines(f.booking))
            request(t.db(), l);
        const auto got = server.received();
        QCOMPARE(got.size(), 3);
        const QStringList expected[] = {
            {"sea@h.test", "SEA &amp; SAND", "10/01/2027", "12/01/2027", "1 DELUXE ROOM(S), 1 EXTRA BED(S)",
             "CP (BREAKFAST)"},
            {"hill@h.test", "HILL &lt;VIEW&gt;", "12/01/2027", "15/01/2027", "2 SUITE ROOM(S)",
             "MAP (BREAKFAST AND DINNER)"},
            {"lake@h.test", "LAKE HOUSE", "15/01/2027", "16/01/2027", "1 DELUXE ROOM(S)", "CP (BREAKFAST)"}};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(got[i].envelopeTo, QStringList{expected[i][0]});
            const QString body = SupplierFixture::body(got[i].raw);
            for (const QString& part : expected[i].mid(1))
                QVERIFY2(body.contains(part), qPrintable(part + " in " + body));
            QVERIFY(body.contains("<td>Travellers</td><td>3</td>"));
            QVERIFY(got[i].raw.contains(QStringLiteral("Subject: BOOKING REQUEST - CBPT %1").arg(f.booking).toUtf8()));
        }
        QCOMPARE(statuses(t.db(), f.booking), QStringList(3, supplier::kRequested));
        // The operations log tells each request in the order sent.
        const QStringList log = f.opsLog().split('\n');
        QCOMPARE(log.size(), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(log[i].contains(SupplierFixture::kHotelNames[i] + ", ") &&
                         log[i].contains("REQUESTED TO " + SupplierFixture::kHotelMails[i]),
                     qPrintable(log[i]));
    }

    void answersMoveOnlyAPendingLine_data() {
        QTest::addColumn<QStringList>("before");  // steps taken first: "REQUEST" or an answer
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("confirmNo");
        const QStringList req{"REQUEST"};
        QTest::newRow("confirmed with its number") << req << "CONFIRMED"
                                                   << " HX-77 "
                                                   << ""
                                                   << "CONFIRMED"
                                                   << "HX-77";
        QTest::newRow("declined with its reason") << req << "DECLINED"
                                                  << "FULL"
                                                  << ""
                                                  << "DECLINED"
                                                  << "";
        QTest::newRow("waitlisted") << req << "WAITLISTED"
                                    << ""
                                    << ""
                                    << "WAITLISTED"
                                    << "";
        QTest::newRow("waitlisted, then confirmed") << QStringList{"REQUEST", "WAITLISTED"} << "CONFIRMED"
                                                    << "C9"
                                                    << ""
                                                    << "CONFIRMED"
                                                    << "C9";
        QTest::newRow("confirmed without a number") << req << "CONFIRMED"
                                                    << " " << kEnterConfirmNo << "REQUESTED"
                                                    << "";
        QTest::newRow("declined without a reason") << req << "DECLINED"
                                                   << "" << kEnterDeclineReason << "REQUESTED"
                                                   << "";
        QTest::newRow("never requested") << QStringList{} << "CONFIRMED"
                                         << "C1" << kNotRequested << ""
                                         << "";
        QTest::newRow("declined, then confirmed") << QStringList{"REQUEST", "DECLINED"} << "CONFIRMED"
                                                  << "C1" << kNotRequested << "DECLINED"
                                                  << "";
    }
    void answersMoveOnlyAPendingLine() {
        QFETCH(QStringList, before);
        QFETCH(QString, answer);
        QFETCH(QString, text);
        QFETCH(QString, refused);
        QFETCH(QString, status);
        QFETCH(QString, confirmNo);
        test::TestDb t;
        SupplierFixture f(t.db());
        SupplierRequests r(t.db(), "MEENA");
        const SupplierLine l = *r.line(7, 2);
        for (const QString& s : before)
            s == "REQUEST" ? r.recordRequest(l, "hill@h.test") : r.recordAnswer(7, 2, s, "why");
        const qsizetype steps = r.history(7, 2).size();
        QCOMPARE(refusal([&] { r.recordAnswer(7, 2, answer, text); }), refused);
        const SupplierLine now = *r.line(7, 2);
        QCOMPARE(now.status, status);
        QCOMPARE(now.confirmNo, confirmNo);
        const auto history = r.history(7, 2);
        QCOMPARE(history.size(), steps + (refused.isEmpty() ? 1 : 0));
        if (refused.isEmpty()) {
            QCOMPARE(history.back().step, answer);
            QCOMPARE(history.back().by, QStringLiteral("MEENA"));
            QCOMPARE(now.statusBy, QStringLiteral("MEENA"));
            QVERIFY(f.opsLog().endsWith(QStringLiteral("HILL <VIEW>, 12/01/2027 ") + answer +
                                        (text.trimmed().isEmpty() ? QString() : " " + text.trimmed())));
        }
    }

    void anUnansweredRequestAgesOntoTheBoard() {
        test::TestDb t;
        SupplierFixture f(t.db());
        SupplierRequests r(t.db(), "T");
        for (const SupplierLine& l : r.lines(f.booking))
            r.recordRequest(l, l.supplierEmail);
        r.recordAnswer(7, 1, supplier::kConfirmed, "C1");
        f.requestedHoursAgo(1, 30);  // answered: never on the board however old
        f.requestedHoursAgo(2, 30);
        f.requestedHoursAgo(3, 2);
        const auto onBoard = [&] {
            QList<qint64> lines;  // booking * 10 + line
            const DueBoard b = dueBoard(t.db(), {QDate::currentDate(), -1, 1});
            for (const DueRow& row : b.rows)
                if (row.section == DueSection::SupplierRequest)
                    lines << (row.booking - f.booking) * 10 + row.line;
            return lines;
        };
        QCOMPARE(onBoard(), QList<qint64>{2});
        setOfficeRequestHours(t.db(), 1);
        QCOMPARE(onBoard(), (QList<qint64>{2, 3}));
        Cancellations(t.db(), "T").cancel("CBPT01", f.booking, {}, "CLIENT ILL");
        QCOMPARE(onBoard(), QList<qint64>{});
    }

    void aLockedOrCancelledBookingMailsOnlyTheCancellation_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("requestRefused");
        QTest::addColumn<int>("held");
        QTest::newRow("live: the third is requested too") << ""
                                                          << "" << 3;
        QTest::newRow("locked") << "LOCK" << kRequestLocked << 2;
        QTest::newRow("cancelled") << "CANCEL" << kRequestCancelled << 2;
    }
    void aLockedOrCancelledBookingMailsOnlyTheCancellation() {
        QFETCH(QString, state);
        QFETCH(QString, requestRefused);
        QFETCH(int, held);
        test::TestDb t;
        SupplierFixture f(t.db());
        SupplierRequests r(t.db(), "T");
        const auto lines = r.lines(f.booking);
        r.recordRequest(lines[0], "sea@h.test");
        r.recordRequest(lines[1], "hill@h.test");
        r.recordAnswer(7, 1, supplier::kConfirmed, "C1");
        if (state == "LOCK")
            t.db().exec("UPDATE M_TBL_TRANSACTION SET LCK_CBPT='Y' WHERE DOC_CODE='CBPT01'");
        if (state == "CANCEL")
            Cancellations(t.db(), "T").cancel("CBPT01", f.booking, {}, "CLIENT ILL");
        const QString log = f.opsLog();
        QCOMPARE(refusal([&] { r.checkMail(lines[2], SupplierMailKind::Request); }), requestRefused);
        QCOMPARE(refusal([&] { r.recordRequest(lines[2], "lake@h.test"); }), requestRefused);
        QCOMPARE(refusal([&] { r.recordVoucher(lines[0], "sea@h.test"); }), requestRefused);
        QCOMPARE(refusal([&] { r.recordAnswer(7, 2, supplier::kWaitlisted, "LATER"); }), requestRefused);
        // Whatever the booking's state, the cancellation reaches those still holding a line.
        const auto holding = r.heldLines(f.booking);
        QCOMPARE(int(holding.size()), held);
        for (const SupplierLine& l : holding)
            r.recordCancellation(l, l.supplierEmail);
        QVERIFY(r.heldLines(f.booking).empty());
        QCOMPARE(r.history(7, 1).back().step, supplier::kCancelled);
        if (state == "CANCEL")  // a cancelled booking's row is never rewritten
            QCOMPARE(f.opsLog(), log);
    }

    void templatesFillEveryPlaceholderEscaped() {
        test::TestDb t;
        SupplierFixture f(t.db());
        saveSupplierTemplate(t.db(), "ADMIN", SupplierMailKind::Voucher,
                             {"VOUCHER {BOOKING_NO} {HOTEL}", "<b>{ADDRESSEE}</b> {ROOMS} {TRAVELLERS}\n{CONFIRM_NO}"});
        SupplierRequests r(t.db(), "T");
        SupplierLine l = *r.line(7, 2);
        l.confirmNo = "A&B\nC";
        const MailMessage toHotel = r.mail(l, SupplierMailKind::Voucher);
        QCOMPARE(toHotel.to, QStringList{"hill@h.test"});
        QCOMPARE(toHotel.subject, QStringLiteral("VOUCHER %1 HILL <VIEW>").arg(f.booking));
        QVERIFY(toHotel.html.contains("<b>HILL &lt;VIEW&gt;</b> 2 SUITE ROOM(S) 3\nA&amp;B<br>C"));
        const MailMessage toCustomer = r.mail(l, SupplierMailKind::Voucher, {l.customerEmail});
        QCOMPARE(toCustomer.to, QStringList{"asha@c.test"});
        QVERIFY(toCustomer.html.contains("<b>MR JOHN</b>"));
        QCOMPARE(refusal([&] {
                     saveSupplierTemplate(t.db(), "ADMIN", SupplierMailKind::Request, {" ", "x"});
                 }),
                 QStringLiteral("PLEASE ENTER THE SUBJECT AND THE TEXT ...."));
    }
};

QTEST_GUILESS_MAIN(TstSupplierRequests)
#include "tst_supplier_requests.moc"

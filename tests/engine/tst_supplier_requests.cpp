// Requests to suppliers: answers move a pending line only, each step kept with who; a locked
// or cancelled booking mails nothing but the cancellation, which goes only to the suppliers
// still holding a line.
#include "engine/bookings/Cancellations.h"
#include "engine/bookings/SupplierRequests.h"
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

}  // namespace

class TstSupplierRequests : public QObject {
    Q_OBJECT
private slots:
    void answersMoveOnlyAPendingLine_data() {
        QTest::addColumn<QStringList>("before");  // steps taken first: "REQUEST" or an answer
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("confirmNo");
        const auto row = [](const char* name, const QStringList& before, const char* answer, const char* text,
                            const QString& refused, const char* status, const char* confirmNo) {
            QTest::newRow(name) << before << QString(answer) << QString(text) << refused << QString(status)
                                << QString(confirmNo);
        };
        const QStringList req{"REQUEST"}, waited{"REQUEST", "WAITLISTED"}, declined{"REQUEST", "DECLINED"};
        row("confirmed with its number", req, "CONFIRMED", " HX-77 ", "", "CONFIRMED", "HX-77");
        row("declined with its reason", req, "DECLINED", "FULL", "", "DECLINED", "");
        row("waitlisted", req, "WAITLISTED", "", "", "WAITLISTED", "");
        row("waitlisted, then confirmed", waited, "CONFIRMED", "C9", "", "CONFIRMED", "C9");
        row("confirmed without a number", req, "CONFIRMED", " ", kEnterConfirmNo, "REQUESTED", "");
        row("declined without a reason", req, "DECLINED", "", kEnterDeclineReason, "REQUESTED", "");
        row("never requested", {}, "CONFIRMED", "C1", kNotRequested, "", "");
        row("declined, then confirmed", declined, "CONFIRMED", "C1", kNotRequested, "DECLINED", "");
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
};

QTEST_GUILESS_MAIN(TstSupplierRequests)
#include "tst_supplier_requests.moc"

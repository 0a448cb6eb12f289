// Requests to suppliers: answers move a pending line only, each step kept with who; a locked
// or cancelled booking mails nothing but the cancellation, which goes only to the suppliers
// still holding a line; a vehicle or other note's line goes through the same steps; a value
// empty for a line's kind leaves no label behind.
#include "engine/bookings/Cancellations.h"
#include "engine/bookings/SupplierRequests.h"
#include "support/SupplierFixture.h"
#include "support/TestDb.h"

#include <QtTest>

using namespace tarvic;
using test::refusalText;
using test::SupplierFixture;

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
        QCOMPARE(refusalText([&] { r.recordAnswer(7, 2, answer, text); }), refused);
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
        QCOMPARE(refusalText([&] { r.checkMail(lines[2], SupplierMailKind::Request); }), requestRefused);
        QCOMPARE(refusalText([&] { r.recordRequest(lines[2], "lake@h.test"); }), requestRefused);
        QCOMPARE(refusalText([&] { r.recordVoucher(lines[0], "sea@h.test"); }), requestRefused);
        QCOMPARE(refusalText([&] { r.recordAnswer(7, 2, supplier::kWaitlisted, "LATER"); }), requestRefused);
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

    void anEmptyValueTakesItsLabelAlong_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("html");
        QTest::addColumn<QString>("filled");
        const auto row = [](const char* name, const char* text, bool html, const char* filled) {
            QTest::newRow(name) << QString(text) << html << QString(filled);
        };
        row("its table row",
            "<table><tr><td>Meal plan</td><td>{EMPTY}</td></tr>\n<tr><td>Rooms</td><td>{R}</td></tr></table>", true,
            "<table><tr><td>Rooms</td><td>2 &amp; 1</td></tr></table>");
        row("its list item", "<ul><li>Meal: {EMPTY}</li><li>{R}</li></ul>", true, "<ul><li>2 &amp; 1</li></ul>");
        row("an aside in brackets", "<p>Cancel it (your no. {EMPTY}).</p>", true, "<p>Cancel it.</p>");
        row("a label line", "Meal plan: {EMPTY}<br>Rooms: {R}", true, "Rooms: 2 &amp; 1");
        row("a subject's separator", "REQUEST - CBPT 5 - {EMPTY}", false, "REQUEST - CBPT 5");
        row("spaces are empty", "<p>Dear team, {BLANK}</p>", true, "<p>Dear team</p>");
        row("a subject's value is not escaped", "{R} ROOMS", false, "2 & 1 ROOMS");
    }
    void anEmptyValueTakesItsLabelAlong() {
        QFETCH(QString, text);
        QFETCH(bool, html);
        QFETCH(QString, filled);
        QCOMPARE(fillTemplate(text, {{"EMPTY", ""}, {"BLANK", "  "}, {"R", "2 & 1"}}, html), filled);
    }

    // A note's line moves as a hotel's, names its service in the log, waits on the board, has no
    // hotel voucher, and once the note is cancelled is only offered its cancellation mail.
    void aNoteGoesThroughTheSameSteps() {
        test::TestDb t;
        SupplierFixture f(t.db());
        const auto [cab, guide] = f.notes();
        SupplierRequests r(t.db(), "MEENA");
        const auto lines = r.lines(f.booking);
        const SupplierLine vehicle = lines[1], other = lines[2];
        r.recordRequest(vehicle, "cabs@v.test");
        r.recordRequest(other, "guide@o.test");
        r.recordAnswer(vehicle, supplier::kConfirmed, "CAB-1");
        QCOMPARE(r.history("ANCP02", cab, 0).size(), size_t(2));
        QVERIFY(f.opsLog().endsWith("MALABAR CABS - 2 X SUV 7 SEATER, 10/01/2027 CONFIRMED CAB-1"));
        QCOMPARE(refusalText([&] { r.checkMail(vehicle, SupplierMailKind::Voucher); }), kVoucherHotelsOnly);
        const auto waiting = [&] {
            QStringList out;
            for (const SupplierLine& l : unansweredRequests(t.db(), QDateTime::currentDateTime().addSecs(60), {}))
                out << l.lineCode + " " + supplierLineStart(l);
            return out;
        };
        QCOMPARE(waiting(), QStringList{"ANCP03 SERVICE 11/01/2027"});

        QCOMPARE(refusalText([&] { Cancellations(t.db(), "T").cancel("ANCP03", guide, {f.booking}, "NOT NEEDED"); }),
                 QString());
        QCOMPARE(refusalText([&] { r.recordAnswer(other, supplier::kConfirmed, "G1"); }), kNoteCancelled);
        QVERIFY(waiting().isEmpty());
        QCOMPARE(int(r.lines(f.booking).size()), 5);  // still shown: its supplier was asked
        QCOMPARE(int(r.heldNoteLine("ANCP03", guide).size()), 1);
        QCOMPARE(int(r.heldLines(f.booking).size()), 2);
    }
};

QTEST_GUILESS_MAIN(TstSupplierRequests)
#include "tst_supplier_requests.moc"

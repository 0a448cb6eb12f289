// Cancelling through the windows: every member cancels exactly its document, pair, lines and
// partner, once; a booking is refused while anything against it is live.
#include "bookings/BookingsWindows.h"
#include "bookings/family/CancellationWindow.h"
#include "shell/kit/GridHelpers.h"
#include "support/DemoWindows.h"
#include "support/Documents.h"
#include "support/SaveProtocol.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QString kCancelledRows =
    u"DOC_STATUS='CNCL' AND CNCL_BY='ADMINISTRATOR' AND CNCL_ON IS NOT NULL AND REASON_CNCL=?"_s;

// The demo booking 1 of party (DEMO ASHA NAIR).
struct Fixture : DemoWindows {
    qint64& party = asha;
    Fixture() : DemoWindows(registerCancellationWindows) {}
    std::unique_ptr<CancellationWindow> open(const QString& name, qint64 number) {
        auto w = DemoWindows::open<CancellationWindow>(name);
        typeEnter(w->txt_DocNo, QString::number(number));
        return w;
    }
    // Types the reason, presses the button and answers the question.
    QStringList cancel(CancellationWindow& w, const QString& reason, QList<bool> answers = {true}) {
        w.txt_Reason->setText(reason);
        ts.answer(answers);
        QTest::mouseClick(w.cmd_Cancel, Qt::LeftButton);
        return ts.prompter.texts();
    }
    qint64 post(Document d) { return TransactionRecords(db(), u"POSTER"_s).save(d); }
    qint64 newBooking() { return post(booking(party, u"5000"_s)); }
    // What the demo booking carries: its supplier notes, money and invoices.
    static constexpr const char* kDependants =
        "FROM M_TBL_TRANSACTION WHERE IN_DOCCODE='CBPT01' AND IN_DOCNO=1 AND DOC_CODE<>'CBPT01' AND DOC_STATUS<>'CNCL'";
    int liveDependants() { return db().scalar(u"SELECT COUNT(*) "_s + QLatin1String(kDependants)).toInt(); }
    void cancelDependants() {
        QList<std::pair<QString, qint64>> docs;
        QSqlQuery q = db().exec(u"SELECT DISTINCT DOC_CODE, DOC_NO "_s + QLatin1String(kDependants));
        while (q.next())
            if (const DocumentKind* k = kindOwning(q.value(0).toString());
                k && q.value(0).toString() == QLatin1String(k->code))
                docs.append({q.value(0).toString(), q.value(1).toLongLong()});
        q.finish();
        for (const auto& [code, no] : docs)
            TransactionRecords(db(), u"X"_s).cancel(code, no, {1}, u"NOTE"_s);
    }
    qint64 cancelledWith(const QString& reason) {
        return count(db(), u"M_TBL_TRANSACTION"_s, kCancelledRows, {reason});
    }
};

// A document of the member's code as its window posts it: its pair, two lines for an invoice,
// one row set per booking for a kind keyed by booking, the partner of a single-window note.
// Returns its number and how many rows cancelling it must change.
std::pair<qint64, int> postOne(Fixture& f, const DocumentKind& kind, qint64 otherBooking) {
    const QString code = QString::fromLatin1(kind.code);
    Document d = posting(code, 1, f.party, u"1250.50"_s);
    if (code == u"CBPT01"_s)
        d = booking(f.party, u"1250.50"_s);  // with its grand total
    else
        d.columns.emplace_back(u"GRAND_TOTAL"_s, d.amount.toVariant());
    if (kind.side == AmountSide::Either)
        d.side = AmountSide::Credit;
    if (kind.lineCode)
        d.lines = {{{u"INV_AMT"_s, u"1000"_s}}, {{u"INV_AMT"_s, u"250.50"_s}}};
    const int perSet = 1 + (kind.pairCode ? 1 : 0) + (kind.lineCode ? 2 : 0);
    if (kind.keyedByBooking) {
        Document other = d;
        other.booking = otherBooking;
        return {TransactionRecords(f.db(), u"POSTER"_s).save(std::vector<Document>{d, other}), 2 * perSet};
    }
    const qint64 number = f.post(d);
    if (code == u"ANCP08"_s || code == u"ANDP08"_s) {
        Document partner = posting(code == u"ANCP08"_s ? u"ANDP08"_s : u"ANCP08"_s, 0, f.party, u"900"_s);
        partner.columns.emplace_back(u"IN_DOCCODE"_s, code);
        partner.columns.emplace_back(u"IN_DOCNO"_s, number);
        f.post(partner);
        return {number, perSet + 1};
    }
    return {number, perSet};
}

}  // namespace

class tst_cancellation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Every member: nothing loaded and an empty reason are refused; the question names the
    // document's whole amount (a bulk posting's total and its bookings); exactly its rows are
    // cancelled with a reason holding quotes and non-ASCII text; a window that showed it
    // earlier cannot cancel it again over who, when and why.
    void everyMemberCancelsItsDocumentOnce() {
        Fixture f;
        const qint64 second = f.newBooking();
        for (const CancellationMember& m : cancellationMembers()) {
            const QString reason = u"GUEST'S \"PLAN\" CHANGED – Ü "_s + m.code;
            const auto [number, rows] = postOne(f, *documentKind(m.code), second);
            const qint64 before = count(f.db(), u"M_TBL_TRANSACTION"_s, u"DOC_STATUS='CNCL'"_s);

            auto w = f.open(m.window, 0);
            QCOMPARE(f.cancel(*w, reason), QStringList{m.wording.noDocument});
            w = f.open(m.window, number);
            auto stale = f.open(m.window, number);
            QCOMPARE(f.cancel(*w, u" "_s), QStringList{m.wording.noReason});
            QCOMPARE(f.cancel(*w, reason, {false}).size(), 1);
            QCOMPARE(f.cancelledWith(reason), 0);

            const bool bulk = documentKind(m.code)->keyedByBooking;
            const QStringList said = f.cancel(*w, reason);
            QCOMPARE(said.value(1), kCancelDone);
            QVERIFY2(said[0].contains(bulk ? u" AMOUNT INR : 2501.00\n CBPT NOS : 1,%1\n"_s.arg(second)
                                           : m.wording.amountLabel + u"1250.50\n"_s),
                     qPrintable(said[0]));
            QCOMPARE(f.cancelledWith(reason), rows);
            QCOMPARE(count(f.db(), u"M_TBL_TRANSACTION"_s, u"DOC_STATUS='CNCL'"_s), before + rows);
            QVERIFY(!w->cmd_Cancel->isEnabled() && w->txt_Reason->isReadOnly() &&
                    w->txt_Reason->text() == reason.trimmed());

            QCOMPARE(f.cancel(*stale, u"SECOND"_s).value(1), kAlreadyCancelled);
            QCOMPARE(f.cancelledWith(reason), rows);
            QVERIFY(!stale->cmd_Cancel->isEnabled());
        }
    }

    // The demo booking cannot be cancelled while anything against it is live; once nothing is,
    // it can (its lead's status: engine/tst_bookings_rules).
    void bookingWaitsForItsDependants() {
        Fixture f;
        auto w = f.open(u"frm_CNCL_CBPT01"_s, 1);
        QVERIFY(!w->cmd_Cancel->isEnabled());
        const QStringList live = rowTexts(w->Grid1->model());
        QCOMPARE(live.size(), f.liveDependants());
        QCOMPARE(live.mid(0, 3),
                 (QStringList{u"1 ANCP01 1 9000.00"_s, u"2 ANCP02 1 13500.00"_s, u"3 ANCP03 1 1500.00"_s}));
        for (const char* note : {"ANCP01", "ANCP02", "ANCP03"})
            QCOMPARE(f.cancel(*f.open(u"frm_CNCL_"_s + QLatin1String(note), 1), u"NOTE"_s).value(1), kCancelDone);
        QVERIFY(!f.open(u"frm_CNCL_CBPT01"_s, 1)->cmd_Cancel->isEnabled());  // its money is still live
        f.cancelDependants();
        w = f.open(u"frm_CNCL_CBPT01"_s, 1);
        QVERIFY(w->cmd_Cancel->isEnabled() && isBlankRow(w->Grid1, 0));
        // Whichever statement of the cancellation fails, nothing changes.
        int statements = 0;
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.db(), {u"M_TBL_TRANSACTION"_s}, kCancelDone,
                     [&] {
                         w = f.open(u"frm_CNCL_CBPT01"_s, 1);
                         w->txt_Reason->setText(u"TOUR DROPPED"_s);
                     },
                     [&] { QTest::mouseClick(w->cmd_Cancel, Qt::LeftButton); }, &statements),
                 QString());
        QVERIFY(statements >= 5);
        QCOMPARE(lines(f.db(), u"SELECT DOC_STATUS FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=1"_s),
                 QStringList{u"CNCL"_s});
    }

    // A receipt posted after the booking was shown still stops its cancellation.
    void dependantPostedAfterShowRefuses() {
        Fixture f;
        const qint64 b = f.newBooking();
        auto w = f.open(u"frm_CNCL_CBPT01"_s, b);
        QVERIFY(w->cmd_Cancel->isEnabled());
        f.post(receipt(b, f.party, u"700"_s));
        QCOMPARE(f.cancel(*w, u"LATE"_s).value(1),
                 u"CANNOT CANCEL THE CBPT, DOCUMENTS POSTED AGAINST IT ARE STILL LIVE ...."_s);
        QCOMPARE(count(f.db(), u"M_TBL_TRANSACTION"_s, u"DOC_STATUS='CNCL'"_s), 0);
        QVERIFY(!w->cmd_Cancel->isEnabled());
        QCOMPARE(rowTexts(w->Grid1->model(), 2).mid(0, 2), (QStringList{u"1 FRCR01"_s, u"2 FRDB01"_s}));
    }
};

QTEST_MAIN(tst_cancellation)
#include "tst_cancellation.moc"

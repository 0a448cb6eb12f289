// The booking's rules without a window, on the demo booking (booking 1 of lead 1 and quotation
// 1, with its supplier notes and money): its cancellation closes its lead with the status a
// booking gives it, in the same transaction; once cancelled, nothing posts against it any more;
// and a statement that misses its one row undoes everything the operation wrote.
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"
#include "engine/Documents.h"
#include "engine/admin/DemoData.h"
#include "engine/bookings/AdviceNotes.h"
#include "engine/bookings/BookingOperations.h"
#include "engine/bookings/Bookings.h"
#include "engine/bookings/Cancellations.h"
#include "engine/bookings/TourOps.h"
#include "support/Documents.h"
#include "support/SaveProtocol.h"
#include "support/TestDb.h"

#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList kTables{u"M_TBL_TRANSACTION"_s, u"M_TBL_QUOTATION"_s};

struct Fixture {
    TestDb t;
    qint64 party = 0;
    Fixture() {
        addDemoData(db());
        party = db().scalar(u"SELECT PARTY_CODE FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=1"_s)
                    .toLongLong();
    }
    Database& db() { return t.db(); }
    QVariant value(const QString& sql) { return db().scalar(sql); }
    QString bookingStatus() {
        return value(u"SELECT DOC_STATUS FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=1"_s)
            .toString()
            .trimmed();
    }
    QVariant leadStatus() {
        return value(u"SELECT LEADSTATUS_CODE FROM M_TBL_TRANSACTION WHERE DOC_CODE='BLFC01' AND DOC_NO=1"_s);
    }
    // Everything live against booking 1 cancelled, each document by its own code.
    void cancelDependants() {
        QList<std::pair<QString, qint64>> docs;
        QSqlQuery q = db().exec(
            u"SELECT DISTINCT DOC_CODE, DOC_NO FROM M_TBL_TRANSACTION WHERE "_s + sql::livePostedAgainstBooking(), {1});
        while (q.next())
            if (const DocumentKind* k = kindOwning(q.value(0).toString());
                k && q.value(0).toString() == QLatin1String(k->code))
                docs.append({q.value(0).toString(), q.value(1).toLongLong()});
        q.finish();
        for (const auto& [code, no] : docs)
            Cancellations(db(), u"X"_s).cancel(code, no, {1}, u"NOTE"_s);
    }
    void cancelBooking() { Cancellations(db(), u"CANCELLER"_s).cancel(u"CBPT01"_s, 1, {}, u"TOUR DROPPED"_s); }
};

// Something that posts against booking 1 or writes on it.
struct Posting {
    const char* name;
    std::function<void(Fixture&)> post;
};

QList<Posting> postings() {
    const auto note = [](AdviceKind kind) {
        return [kind](Fixture& f) {
            storeAdviceNote(f.db(), u"T"_s,
                            {.kind = kind,
                             .booking = 1,
                             .total = Money::fromInput(u"1500"_s),
                             .columns = {{u"DOC_DATE"_s, QDate(2026, 11, 5)}, {u"PARTY_CODE"_s, f.party}}});
        };
    };
    return {
        {"hotel note", note(AdviceKind::Hotel)},
        {"vehicle note", note(AdviceKind::Vehicle)},
        {"other charge note", note(AdviceKind::Other)},
        {"money receipt", [](Fixture& f) { postDocument(f.db(), u"T"_s, receipt(1, f.party, u"700"_s), u"SHUT"_s); }},
        {"booking status",
         [](Fixture& f) {
             BookingOperations(f.db(), u"T"_s)
                 .setStatus(1, f.value(u"SELECT MIN(CBPTSTATUS_CODE) FROM M_TBL_CBPT_STATUS"_s).toLongLong());
         }},
        {"operations log", [](Fixture& f) { BookingOperations(f.db(), u"T"_s).updateLog(1, u"CALLED"_s, 0); }},
        {"feedback", [](Fixture& f) { saveFeedback(f.db(), u"T"_s, 1, u"GOOD TOUR"_s); }},
        {"hotel line status",
         [](Fixture& f) {
             setHotelLineStatus(
                 f.db(), u"T"_s, 1,
                 f.value(u"SELECT MIN(ACC_CODE) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02' AND DOC_NO=1 AND "
                         "ACCOUNT_DESC='HOTEL'"_s)
                     .toLongLong(),
                 f.value(u"SELECT MIN(HOTELSTATUS_CODE) FROM M_TBL_HOTELSTATUS"_s).toLongLong());
         }},
        {"party change",
         [](Fixture& f) {
             const qint64 other =
                 f.value(u"SELECT MIN(PARTY_CODE) FROM M_TBL_PARTY WHERE PARTY_CODE<>%1"_s.arg(f.party)).toLongLong();
             Bookings(f.db(), u"T"_s).changeParty(1, f.party, other);
         }},
    };
}

}  // namespace

class tst_bookings_rules : public QObject {
    Q_OBJECT
private slots:
    // The lead of a cancelled booking takes the status a booking gives it, by the statuses'
    // order (not by the smallest code), and keeps its own when no status locks a lead.
    void cancellingBookingClosesItsLead() {
        struct Case {
            const char* name;
            const char* arrange;   // on M_TBL_LEADSTATUS
            const char* expected;  // the lead's status afterwards, by name; empty: none, as before
        };
        const Case cases[] = {
            {"the demo's booked status", "", "BOOKED"},
            {"first by order, not by code",
             "INSERT INTO M_TBL_LEADSTATUS (LEADSTATUS_CODE, LEAD_STATUS, LEAD_SLNO, LEAD_LOCK) "
             "SELECT MIN(LEADSTATUS_CODE) - 1, 'CLOSED LATE', MAX(LEAD_SLNO) + 1, 'Y' FROM M_TBL_LEADSTATUS",
             "BOOKED"},
            {"no locking status", "UPDATE M_TBL_LEADSTATUS SET LEAD_LOCK='N'", ""},
        };
        for (const Case& c : cases) {
            Fixture f;
            if (*c.arrange)
                f.db().exec(QString::fromLatin1(c.arrange));
            f.db().exec(u"UPDATE M_TBL_TRANSACTION SET LEADSTATUS_CODE=NULL WHERE DOC_CODE='BLFC01' AND DOC_NO=1"_s);
            f.cancelDependants();
            f.cancelBooking();
            QCOMPARE(f.bookingStatus(), status::kCancelled);
            const QString got = f.value(
                                     u"SELECT LEAD_STATUS FROM M_TBL_LEADSTATUS s JOIN M_TBL_TRANSACTION l ON "
                                     "l.LEADSTATUS_CODE=s.LEADSTATUS_CODE WHERE l.DOC_CODE='BLFC01' AND l.DOC_NO=1"_s)
                                    .toString();
            QVERIFY2(got == QLatin1String(c.expected), qPrintable(u"%1: %2"_s.arg(QLatin1String(c.name), got)));
            QCOMPARE(f.leadStatus().toLongLong(), leadStatusOfBooking(f.db()).toLongLong());
        }
    }

    // Every posting takes a live booking, and refuses it once cancelled, writing nothing.
    void cancelledBookingTakesNoPosting() {
        for (const Posting& p : postings()) {
            {
                Fixture live;  // one database at a time: each holds the test's connection
                try {
                    p.post(live);
                } catch (const DbError& e) {
                    QFAIL(qPrintable(u"%1 on a live booking: %2"_s.arg(QLatin1String(p.name), e.message())));
                }
            }
            Fixture f;
            f.cancelDependants();
            f.cancelBooking();
            const auto before = footprint(f.db(), kTables);
            QVERIFY_THROWS_EXCEPTION(DbError, p.post(f));
            QVERIFY2(footprint(f.db(), kTables) == before, p.name);
        }
    }

    // A statement aimed at one row that changes none (here: the lead, cancelled behind the
    // operation's back) undoes what the operation wrote before it.
    void missedRowUndoesTheWhole() {
        struct Case {
            const char* name;
            std::function<void(Fixture&)> act;
        };
        const BookingEntry one{.number = 1, .date = QDate(2026, 11, 1), .lead = 1, .quotation = 1};
        const Case cases[] = {
            {"booking cancel", [](Fixture& f) { f.cancelBooking(); }},
            {"booking refresh", [&](Fixture& f) { Bookings(f.db(), u"T"_s).refresh(one, false); }},
            {"booking save",
             [&](Fixture& f) {
                 BookingEntry e = one;
                 e.party = f.party;
                 Bookings(f.db(), u"T"_s).save(e);
             }},
        };
        for (const Case& c : cases) {
            Fixture f;
            f.cancelDependants();
            f.db().exec(u"UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_CODE='BLFC01' AND DOC_NO=1"_s);
            const auto before = footprint(f.db(), kTables);
            QVERIFY_THROWS_EXCEPTION(DbError, c.act(f));
            QVERIFY2(footprint(f.db(), kTables) == before, c.name);
            QCOMPARE(f.bookingStatus(), status::kLive);
        }
    }
};

QTEST_GUILESS_MAIN(tst_bookings_rules)
#include "tst_bookings_rules.moc"

// Outstanding balances by age: payments settle the oldest items first, so a balance is aged
// by its newest items; the bucket edges at 30, 60 and 90 days; the buckets of every listed
// party add up to its balance on both outstanding lists, with totals; the books check holds
// the two apart and names a party whose buckets were aged from the wrong rows.
#include "shell/kit/ListingWindow.h"
#include "accounts/AccountsWindows.h"
#include "accounts/OutstandingList.h"
#include "engine/Aging.h"
#include "shell/kit/ListGrid.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QComboBox>
#include <QPushButton>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QDate kAsOf(2026, 12, 31);
const QStringList kCodes{u"CBPT01"_s, u"ANCP01"_s, u"FRCR01"_s, u"FTDB01"_s};

struct Books {
    TestSession ts;
    WindowRegistry windows;
    qint64 no = 0;
    Books() {
        registerLedgerWindows(windows);
        ts.session.windows = &windows;
    }
    // One row of a document posted on a day before the as-of date.
    void post(const QString& code, qint64 party, int daysBefore, const QString& debit, const QString& credit,
              const QString& status = u"APPRV"_s) {
        ts.db().exec(
            u"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_DATE, PARTY_CODE, DB_AMT, CR_AMT, "
            "DOC_STATUS) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
            {code, ++no, kAsOf.addDays(-daysBefore), party, debit, credit, status});
    }
    // Five parties: one who owes after paying part, one owed, one on every bucket edge, one
    // settled, one settled in amounts a floating sum would miss by a hair.
    void world() {
        ts.db().exec(u"INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (1, 'CUSTOMER')"_s);
        for (int p = 1; p <= 5; ++p)
            ts.db().exec(u"INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, PARTYTYPE_CODE) VALUES (?, ?, 1)"_s,
                         {p, u"PARTY %1"_s.arg(p)});
        post(u"CBPT01"_s, 1, 100, u"1000.00"_s, u"0"_s);
        post(u"CBPT01"_s, 1, 45, u"500.00"_s, u"0"_s);
        post(u"CBPT01"_s, 1, 10, u"300.00"_s, u"0"_s);
        post(u"FRCR01"_s, 1, 20, u"0"_s, u"1200.00"_s);
        post(u"CBPT01"_s, 1, 1, u"9999.00"_s, u"0"_s, u"CNCL"_s);
        post(u"FTDB01"_s, 2, 95, u"200.00"_s, u"0"_s);
        post(u"ANCP01"_s, 2, 70, u"0"_s, u"500.00"_s);
        post(u"ANCP01"_s, 2, 5, u"0"_s, u"100.25"_s);
        const std::pair<int, const char*> edges[] = {{30, "10.00"},  {31, "20.00"},  {60, "40.00"}, {61, "80.00"},
                                                     {90, "160.00"}, {91, "320.00"}, {-3, "5.00"}};
        for (const auto& [days, amount] : edges)
            post(u"CBPT01"_s, 3, days, QString::fromLatin1(amount), u"0"_s);
        post(u"CBPT01"_s, 4, 40, u"100.00"_s, u"0"_s);
        post(u"FRCR01"_s, 4, 35, u"0"_s, u"100.00"_s);
        for (const char* a : {"0.10", "0.20"})
            post(u"CBPT01"_s, 5, 50, QString::fromLatin1(a), u"0"_s);
        post(u"FRCR01"_s, 5, 50, u"0"_s, u"0.30"_s);
    }
};

QStringList aged(Database& db, const aging::DueItems& items = aging::DueItems::documentDates()) {
    QStringList out;
    for (const aging::PartyAge& a : aging::agedBalances(db, kCodes, kAsOf, items)) {
        QStringList cells{QString::number(a.party)};
        for (Money m : a.buckets)
            cells << m.toString();
        out << cells.join(u' ');
    }
    return out;
}

}  // namespace

class TstAging : public QObject {
    Q_OBJECT
private slots:
    // Worked by hand: party 1 paid 1200 of 1800, so the 300 of ten days and 300 of the 500 of
    // 45 days are open; party 2 is owed the newest 100.25 and 300 of the 500 of 70 days; party 3
    // sits on each edge (and 5.00 dated ahead counts as new); 4 and 5 are settled.
    void oldestPaidFirst() {
        Books b;
        b.world();
        QCOMPARE(aged(b.ts.db()), (QStringList{u"1 300.00 300.00 0.00 0.00"_s, u"2 -100.25 0.00 -300.00 0.00"_s,
                                               u"3 15.00 60.00 240.00 320.00"_s}));
    }

    // Both outstanding lists: every line's buckets add up to its balance, and the totals grid
    // is the sum of the lines.
    void bucketsAddUpOnTheLists() {
        Books b;
        b.world();
        // The miscellaneous list ages its own codes: one party owed.
        b.post(u"APCM02"_s, 4, 12, u"0"_s, u"75.50"_s);
        for (const auto& [window, side, lines] :
             {std::tuple{u"frm_LstPO"_s, u"DB"_s, 2}, {u"frm_LstPO"_s, u"CR"_s, 1}, {u"frm_LstPO_MA"_s, u"CR"_s, 1}}) {
            std::unique_ptr<OutstandingList> w(
                static_cast<OutstandingList*>(b.windows.create(window, b.ts.session, nullptr)));
            QVERIFY(showActive(*w));
            choose(w->Cmb_DBCR, side);
            QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
            shoot(*w, window + u'_' + side);
            QCOMPARE(w->Grid1->rowCount(), lines);
            std::array<Money, 1 + aging::kBuckets> sums{};
            for (int r = 0; r < w->Grid1->rowCount(); ++r) {
                Money buckets;
                for (int k = 0; k < aging::kBuckets; ++k) {
                    const Money m = Money::fromText(w->Grid1->text(r, OutstandingList::ColAge0To30 + k));
                    buckets += m;
                    sums[size_t(k) + 1] += m;
                }
                const Money balance = Money::fromText(w->Grid1->text(r, OutstandingList::ColBalance));
                sums[0] += balance;
                QCOMPARE(buckets.toString(), balance.toString());
            }
            for (int c = 0; c < 1 + aging::kBuckets; ++c)
                QCOMPARE(w->Grid2->text(0, c), sums[size_t(c)].toString());
        }
    }

    // The books check: sound books pass; buckets aged from rows that leave the receipts out no
    // longer add up to the balance, and the party is named.
    void booksCheckHoldsBucketsToBalances() {
        Books b;
        b.world();
        QCOMPARE(aging::checkBuckets(b.ts.db(), kAsOf), QStringList());
        const aging::DueItems withoutReceipts{[](const QStringList& codes, QVariantList& values) {
            QStringList some = codes;
            some.removeAll(u"FRCR01"_s);
            return aging::DueItems::documentDates().sql(some, values);
        }};
        QCOMPARE(aging::checkBuckets(b.ts.db(), kAsOf, withoutReceipts),
                 (QStringList{u"LDOP party 1: aged buckets add up to 1800.00, its outstanding balance is 600.00"_s,
                              u"LDOP party 4: aged buckets add up to 100.00, its outstanding balance is 0.00"_s,
                              u"LDOP party 5: aged buckets add up to 0.30, its outstanding balance is 0.00"_s}));
    }
};

QTEST_MAIN(TstAging)
#include "tst_aging.moc"

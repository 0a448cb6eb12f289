// Ledgers and balance lists read what the documents posted: the running balance walked back
// from the to-date, signs compared in paise, cancelled rows gone, totals the sum of the lines,
// a small world's figures worked by hand, and balances aged oldest paid first.
#include "accounts/AccountsWindows.h"
#include "accounts/OutstandingList.h"
#include "engine/Aging.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/ListingWindow.h"
#include "support/Documents.h"
#include "support/Registered.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

QDate nov(int day) {
    return QDate(2026, 11, 1).addDays(day - 1);
}

struct World : SessionWindows {
    TransactionRecords tr{ts.db(), u"POSTER"_s};
    qint64 b1 = 0, b2 = 0;
    World() : SessionWindows(registerLedgerWindows) {}
    void exec(const QString& sql, const QVariantList& v) { ts.db().exec(sql, v); }
    void party(qint64 code, const QString& name, int type = 91) {
        exec(u"INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, PARTYTYPE_CODE) VALUES (?, ?, ?)"_s,
             {code, name, type});
    }
    qint64 post(Document d, std::optional<AmountSide> side = {}) {
        d.side = side;
        return tr.save(d);
    }
    // Two toured bookings with their leads, consultants and quotations; a settled third whose
    // sums are a float's hair from zero; a hotel paid on both; misc income and expense.
    void tours() {
        for (auto [code, name] : {std::pair{91, u"CUSTOMER"_s}, {92, u"HOTEL"_s}})
            exec(u"INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (?, ?)"_s, {code, name});
        for (auto [code, name] : {std::pair{101, u"ASHA"_s},
                                  {102, u"RAVI"_s},
                                  {103, u"SAM"_s},
                                  {401, u"MISC A"_s},
                                  {402, u"MISC B"_s},
                                  {403, u"MISC C"_s}})
            party(code, name);
        party(201, u"HILL HOTEL"_s, 92);
        for (int i : {1, 2}) {
            exec(u"INSERT INTO M_TBL_CONSULTANT (CONSULTANT_CODE, CONSULTANT_NAME) VALUES (?, ?)"_s,
                 {90 + i, i == 1 ? u"ANU"_s : u"BINU"_s});
            exec(
                u"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, CONSULTANT_CODE, TOURIST_NAME, DOC_STATUS) "
                "VALUES ('BLFC01', ?, ?, ?, 'APPRV')"_s,
                {90 + i, 90 + i, u"TOURIST %1"_s.arg(i)});
            exec(
                u"INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, LEAD_NO, ITINERARY_NO, JOURNEY_STRTDT) "
                "VALUES ('QGBL01', ?, ?, 91, ?)"_s,
                {90 + i, 90 + i, QDate(2026, 12, 10 * i)});
        }
        exec(u"INSERT INTO M_TBL_ITINERARY_HEADER (ITN_DOCNO, ITN_NAME) VALUES (91, 'MUNNAR')"_s, {});
        auto toured = [&](qint64 party, const QString& amount, int n) {
            Document d = booking(party, amount);
            d.columns.push_back({u"QUOTATION_NO"_s, 90 + n});
            d.columns.push_back({u"LEAD_NO"_s, 90 + n});
            return post(d);
        };
        b1 = toured(101, u"10000"_s, 1);
        b2 = toured(102, u"5000.50"_s, 2);
        const qint64 b3 = post(booking(103, u"0.10"_s));
        post(posting(u"FAAN01"_s, b3, 103, u"0.20"_s), AmountSide::Debit);
        post(receipt(b3, 103, u"0.30"_s, 0, nov(20)));
        post(receipt(b1, 101, u"4000.25"_s, 0, nov(15)));
        tr.cancel(u"FRDB01"_s, post(receipt(b1, 101, u"999"_s, 0, nov(16))), {b1}, u"WRONG"_s);
        post(receipt(b2, 102, u"5200.50"_s, 0, nov(15)));
        post(posting(u"ANCP01"_s, b1, 201, u"3000"_s));
        post(posting(u"FTCR01"_s, b1, 201, u"2500"_s));
        post(posting(u"FTCR01"_s, b2, 201, u"6000"_s));
        for (auto [code, party, amount] :
             {std::tuple{u"FRDM01"_s, 401, u"700"_s}, {u"APCM01"_s, 402, u"300"_s}, {u"FRDM01"_s, 403, u"900"_s}})
            post(posting(code, 0, party, amount));
    }
    // Opens a window, lets set fill its fields, shows.
    std::unique_ptr<ListingWindow> show(const QString& name, const std::function<void(ListingWindow&)>& set) {
        auto w = open<ListingWindow>(name);
        set(*w);
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        return w;
    }
};

QStringList rows(ListGrid* g, const QList<int>& cols) {
    QStringList out;
    for (int r = 0; r < g->rowCount(); ++r) {
        QStringList cells;
        for (int c : cols)
            cells << g->text(r, c);
        out << cells.join(u'|');
    }
    return out;
}

template <class W>
W* child(ListingWindow& w, const char* name) {
    return w.findChild<W*>(QLatin1String(name));
}

void party(ListingWindow& w, qint64 code) {
    typeEnter(child<QLineEdit>(w, "txt_PartyCode"), QString::number(code));
}

void dates(ListingWindow& w, QDate from, QDate to) {
    child<QDateEdit>(w, "txt_FromDate")->setDate(from);
    child<QDateEdit>(w, "txt_ToDate")->setDate(to);
}

const QDate kAsOf(2026, 12, 31);
const QStringList kCodes{u"CBPT01"_s, u"ANCP01"_s, u"FRCR01"_s, u"FTDB01"_s};

struct Books : SessionWindows {
    qint64 no = 0;
    Books() : SessionWindows(registerLedgerWindows) {}
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

class tst_ledgers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Debit 1000 on day 1, credit 400 on day 2, debit 200 on day 3, over several periods,
    // then with the receipt cancelled: rows are date|OP|DB|CR|CL, totals DB|CR|balance.
    void runningBalance() {
        World w;
        w.party(301, u"LEDGER PARTY"_s);
        const qint64 b = w.post(booking(301, u"1000"_s, nov(1)));
        const qint64 r = w.post(receipt(b, 301, u"400"_s, 0, nov(2)));
        w.post(posting(u"FAAN01"_s, b, 301, u"200"_s, nov(3)), AmountSide::Debit);
        const QString d3 = u"03/11/2026|600.00|200.00|0.00|800.00"_s, d2 = u"02/11/2026|1000.00|0.00|400.00|600.00"_s,
                      d1 = u"01/11/2026|0.00|1000.00|0.00|1000.00"_s;
        struct Case {
            int from, to;
            bool cancelled;
            QStringList rows;
            QString closing, period;
        };
        const Case cases[] = {
            {1, 3, false, {d3, d2, d1}, u"1200.00|400.00|800.00"_s, u"1200.00|400.00|800.00"_s},
            {2, 2, false, {d2}, u"1000.00|400.00|600.00"_s, u"0.00|400.00|-400.00"_s},
            {2, 9, false, {d3, d2}, u"1200.00|400.00|800.00"_s, u"200.00|400.00|-200.00"_s},
            {-5, 0, false, {}, u"0.00|0.00|0.00"_s, u"0.00|0.00|0.00"_s},
            {1,
             3,
             true,
             {u"03/11/2026|1000.00|200.00|0.00|1200.00"_s, d1},
             u"1200.00|0.00|1200.00"_s,
             u"1200.00|0.00|1200.00"_s},
        };
        for (const Case& c : cases) {
            if (c.cancelled)
                w.tr.cancel(u"FRDB01"_s, r, {b}, u"BOUNCED"_s);
            auto win = w.show(u"frm_LDOP"_s, [&](ListingWindow& l) {
                party(l, 301);
                dates(l, nov(c.from), nov(c.to));
            });
            QCOMPARE(rows(win->Grid1, {3, 6, 7, 8, 9}), c.rows);
            QCOMPARE(rows(child<ListGrid>(*win, "Grid2"), {0, 1, 2}), QStringList{c.closing});
            QCOMPARE(rows(child<ListGrid>(*win, "Grid3"), {0, 1, 2}), QStringList{c.period});
        }
    }

    // SHOW without a party found by its code says so and leaves nothing of the last party on
    // screen; each totals grid has a caption right over it, the ledger's naming its dates.
    void showSaysWhatIsMissingAndCaptionsTotals() {
        World w;
        w.party(301, u"LEDGER PARTY"_s);
        w.post(booking(301, u"1000"_s, nov(1)));
        const QStringList dated{u"TOTALS UP TO 03/11/2026"_s, u"TOTALS FROM 01/11/2026 TO 03/11/2026"_s};
        const std::pair<QString, QStringList> cases[] = {
            {u"frm_LDOP"_s, dated},
            {u"frm_LDMA"_s, dated},
            {u"frm_PartyLedger_CBPT"_s, {u"TOTALS OF THE BOOKINGS LISTED"_s}}};
        for (const auto& [window, captions] : cases) {
            auto win = w.show(window, [&](ListingWindow& l) {
                party(l, 301);
                if (child<QDateEdit>(l, "txt_FromDate"))
                    dates(l, nov(1), nov(3));
            });
            QStringList shown;  // the captions right over the totals grids
            for (ListGrid* g : {child<ListGrid>(*win, "Grid2"), child<ListGrid>(*win, "Grid3")})
                for (QLabel* l : win->findChildren<QLabel*>(QRegularExpression(u"^lbl_Totals"_s)))
                    shown << (g && l->x() == g->x() && qAbs(g->y() - l->geometry().bottom()) < 12 ? l->text()
                                                                                                  : QString());
            shown.removeAll(QString());
            QCOMPARE(shown, captions);
            for (const QString& code : {QString(), u"999"_s}) {  // blank, then a code no party has
                w.ts.prompter.clear();
                typeInto(child<QLineEdit>(*win, "txt_PartyCode"), code.isEmpty() ? u"\b"_s : code);
                QTest::mouseClick(win->Cmd_Show, Qt::LeftButton);
                QCOMPARE(w.ts.prompter.texts(), QStringList{u"PLEASE ENTER PARTY CODE PROPERLY ...."_s});
                QCOMPARE(win->Grid1->rowCount(), 0);
            }
        }
    }

    // DB lists those who owe, CR those owed, in each list's order; the settled party and the
    // cancelled receipt are nowhere.
    void outstandingSides() {
        World w;
        w.tours();
        const struct {
            QString window, side;
            QStringList rows;
        } cases[] = {
            {u"frm_LstPO"_s, u"DB"_s, {u"101|5999.75"_s, u"201|5500.00"_s}},
            {u"frm_LstPO"_s, u"CR"_s, {u"102|-200.00"_s}},
            {u"frm_LstPO_MA"_s, u"DB"_s, {u"402|300.00"_s}},
            {u"frm_LstPO_MA"_s, u"CR"_s, {u"403|-900.00"_s, u"401|-700.00"_s}},
        };
        for (const auto& c : cases) {
            auto win = w.show(c.window, [&](ListingWindow& l) { choose(child<QComboBox>(l, "Cmb_DBCR"), c.side); });
            QCOMPARE(rows(win->Grid1, {0, 3}), c.rows);
        }
    }

    // Lines and totals of the balance listings over the small world, worked by hand; each
    // totals grid is the sum of the lines above it.
    void listingFigures() {
        World w;
        w.tours();
        const QString n1 = QString::number(w.b1), n2 = QString::number(w.b2);
        const struct {
            QString window;
            std::function<void(ListingWindow&)> set;
            QList<int> cols, totalCols;
            QStringList rows, totals;
        } cases[] = {
            {u"frm_PartyLedger_CBPT"_s,
             [](ListingWindow& l) { party(l, 101); },
             {0, 3, 4, 5, 6},
             {0, 1, 2},
             {n1 + u"|101|10000.00|4000.25|5999.75"_s},
             {u"10000.00|4000.25|5999.75"_s}},
            {u"frm_PartyLedger_CBPT"_s,
             [](ListingWindow& l) { party(l, 201); },
             {0, 3, 4, 5, 6},
             {0, 1, 2},
             {n2 + u"|102|6000.00|0.00|6000.00"_s, n1 + u"|101|2500.00|3000.00|-500.00"_s},
             {u"8500.00|3000.00|5500.00"_s}},
            {u"frm_PartyLedger_CBPT"_s, [](ListingWindow& l) { party(l, 103); }, {0}, {2}, {}, {u"0.00"_s}},
            {u"frm_LstCBPTBal_ConsultWise"_s,
             [](ListingWindow&) {},
             {1, 2, 3, 4, 5, 6},
             {0, 1},
             {n1 + u"|ANU|ASHA|10000.00|4000.25|5999.75"_s},
             {u"ANU|5999.75"_s}},
            {u"frm_LstCBPTBal_ConsultWise"_s,
             [](ListingWindow& l) {
                 choose(child<QComboBox>(l, "Cmb_DBCR"), u"CR"_s);
                 child<QRadioButton>(l, "Opt_Consultant")->setChecked(true);
                 child<QLineEdit>(l, "txt_ConsultantCode")->setText(u"92"_s);
             },
             {1, 2, 3, 4, 5, 6},
             {0, 1},
             {n2 + u"|BINU|RAVI|5000.50|5200.50|-200.00"_s},
             {u"BINU|-200.00"_s}},
            {u"frm_LstPLTourwise"_s,
             [](ListingWindow& l) { dates(l, QDate(2026, 12, 1), QDate(2026, 12, 20)); },
             {0, 1, 2, 3, 4, 5, 6, 9, 11},
             {0, 1, 2, 3},
             {u"20/12/2026|"_s + n2 + u"|RAVI|5200.50|6000.00|-799.50|L|BINU|MUNNAR"_s,
              u"10/12/2026|"_s + n1 + u"|ASHA|4000.25|2500.00|1500.25|P|ANU|MUNNAR"_s},
             {u"9200.75|8500.00|700.75|P"_s}},
            {u"frm_CRDBList"_s,
             [](ListingWindow& l) { dates(l, nov(1), nov(30)); },
             {1, 3, 4},
             {0},
             {u"APCM01|0.00|300.00"_s, u"FRDB01|9201.05|0.00"_s, u"FRDM01|1600.00|0.00"_s, u"FTCR01|0.00|8500.00"_s},
             {u"2001.05"_s}},
        };
        for (const auto& c : cases) {
            auto win = w.show(c.window, c.set);
            QCOMPARE(rows(win->Grid1, c.cols), c.rows);
            const char* totals = c.window == u"frm_CRDBList"_s ? "Grid4" : "Grid2";
            QCOMPARE(rows(child<ListGrid>(*win, totals), c.totalCols), c.totals);
        }
    }

    // Worked by hand: party 1 paid 1200 of 1800, so the 300 of ten days and 300 of the 500 of
    // 45 days are open; party 2 is owed the newest 100.25 and 300 of the 500 of 70 days; party 3
    // sits on each edge (and 5.00 dated ahead counts as new); 4 and 5 are settled.
    void oldestPaidFirst() {
        Books b;
        b.world();
        QCOMPARE(aged(b.ts.db()), (QStringList{u"1 300.00 300.00 0.00 0.00"_s, u"2 -100.25 0.00 -300.00 0.00"_s,
                                               u"3 15.00 60.00 240.00 320.00"_s}));
        // The books check holds buckets to balances: aged from rows that leave the receipts out,
        // they no longer add up and the party is named.
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

    // Both outstanding lists: every line's buckets add up to its balance, and the totals grid
    // is the sum of the lines.
    void bucketsAddUpOnTheLists() {
        Books b;
        b.world();
        // The miscellaneous list ages its own codes: one party owed.
        b.post(u"APCM02"_s, 4, 12, u"0"_s, u"75.50"_s);
        for (const auto& [window, side, lines] :
             {std::tuple{u"frm_LstPO"_s, u"DB"_s, 2}, {u"frm_LstPO"_s, u"CR"_s, 1}, {u"frm_LstPO_MA"_s, u"CR"_s, 1}}) {
            auto w = b.open<OutstandingList>(window);
            choose(w->Cmb_DBCR, side);
            QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
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
};

QTEST_MAIN(tst_ledgers)
#include "tst_ledgers.moc"

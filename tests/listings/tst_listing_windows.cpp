// The listing windows: every member agrees with its rows, filters and balances; a Show that
// finds nothing says so, SHOW answers Enter and Alt+S, the range a list opens on, columns as
// wide as their text, and the state master opening on the country there is.
#include "accounts/AccountsWindows.h"
#include "bookings/BookingsWindows.h"
#include "data/Moments.h"
#include "engine/admin/DemoData.h"
#include "listings/DocumentListing.h"
#include "listings/ListingWindows.h"
#include "masters/GeographyMaster.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/ListingWindow.h"
#include "support/Documents.h"
#include "support/Registered.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kNothing = QStringLiteral("SORRY NO RECORDS FOUND ....");

// The ranges the members open on, reached as a member reaches them.
struct Periods : ListingWindow {
    using ListingWindow::periodDates;
};

struct Fixture : SessionWindows {
    explicit Fixture(bool demo = false)
        : SessionWindows([](WindowRegistry& r) {
              registerListingWindows(r);
              registerLedgerWindows(r);
              registerTourOpsWindows(r);
              registerGeographyWindows(r);
          }) {
        if (demo)
            addDemoData(ts.db());
    }
    std::unique_ptr<ListingWindow> open(const QString& name) { return SessionWindows::open<ListingWindow>(name); }
};

// The demo data plus a bulk receipt over two bookings, two banks whose names are LIKE-patterns
// of each other, a cancelled payment and one document of every code the demo lacks.
struct Documents : SessionWindows {
    QList<WindowArgs> printed;
    qint64 booking = 0, party = 0, bulk = 0;
    QDate from = QDate::currentDate().addDays(-30), to = QDate::currentDate().addDays(400);

    Documents() {
        Database& db = ts.db();
        addDemoData(db);
        registry.add("rpt_Voucher", [this](Session&, QWidget*, const WindowArgs& a) { return printed << a, nullptr; });
        db.exec("INSERT INTO MST_BANK (BANK_ID, BANK_NAME) VALUES (71, 'CITY BANK'), (72, 'CITY BANK%')");
        const QStringList demo = lines(db, "SELECT DOC_NO, PARTY_CODE FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01'");
        booking = demo[0].section('|', 0, 0).toLongLong(), party = demo[0].section('|', 1).toLongLong();
        TransactionRecords r(db, QStringLiteral("ADMINISTRATOR"));
        const qint64 second = r.save(test::booking(party, "5000.00", QDate::currentDate()));
        std::vector<Document> parts{receipt(booking, party, "1000.10", 0, QDate::currentDate()),
                                    receipt(second, party, "2000.20", 0, QDate::currentDate())};
        for (int i : {0, 1})
            parts[i].columns.emplace_back("TO_BANKID", 71 + i);
        bulk = r.save(parts);
        for (QString code : {"FTREF01", "FTCR01", "FRDM01", "APCM01", "BDAP01", "BCAP01", "BTCR01"}) {
            const bool linked = code.startsWith("FT");
            Document d = posting(code, linked ? booking : 0, party, "333.33", QDate::currentDate());
            d.columns.insert(d.columns.end(), {{"TO_BANKID", 72}, {"GRAND_TOTAL", d.amount.toVariant()}});
            if (!linked)
                d.columns.emplace_back("TO_ACC", "ACC1");
            const qint64 no = r.save(d);
            if (code == "FTCR01")
                r.cancel(code, no, {booking}, "WRONG");
        }
    }

    std::unique_ptr<DocumentListing> show(const DocumentListingSpec& spec) {
        auto w = std::make_unique<DocumentListing>(ts.session, nullptr, spec);
        w->txt_FromDate->setDate(from);
        w->txt_ToDate->setDate(to);
        w->Load_Grid();
        return w;
    }
};

Money sum(const ListGrid* g, const char* field) {
    Money total;
    const auto& cols = g->queryModel()->columns();
    for (int c = 0; c < cols.size(); ++c)
        for (int r = 0; cols[c].field == QLatin1String(field) && r < g->model()->rowCount(); ++r)
            total += Money::fromText(g->text(r, c));
    return total;
}

QString cell(const DocumentListing& w, int row, const char* field) {
    return w.Grid1->text(row, w.columnOf(QString::fromLatin1(field)));
}

}  // namespace

class TestListingWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Enter on SHOW and Alt+S both show (a status list once took Alt+S, and Enter moved on to
    // EXPORT); what was found is listed, nothing found is said once, a missing party is said
    // instead. The tour lists open on the demo's coming tour.
    void showAnswersItsKeysAndSaysWhatItFound() {
        const struct {
            const char* window;
            bool demo;
            bool altS;  // else Enter on SHOW
            bool rows;
            QStringList said;
        } cases[] = {
            {"frm_LstFRDB01", false, false, false, {kNothing}},
            {"frm_LstFRDB01", false, true, false, {kNothing}},
            {"frm_CRDBList", false, false, false, {kNothing}},
            {"frm_LstPO", false, true, false, {kNothing}},
            {"frm_UpdateHotelStatus", false, true, false, {kNothing}},
            {"frm_UpdateHotelStatus", true, true, true, {}},
            {"frm_LstPLTourwise", true, false, true, {}},
            {"frm_LDOP", true, true, false, {QStringLiteral("PLEASE ENTER PARTY CODE PROPERLY ....")}},
        };
        for (const auto& c : cases) {
            Fixture f(c.demo);
            auto w = f.open(QString::fromLatin1(c.window));
            if (c.altS) {
                QTest::keyClick(w.get(), Qt::Key_S, Qt::AltModifier);
                // A mnemonic clicks as a button does when pressed: a moment later.
                QTest::qWaitFor([&] { return !f.ts.prompter.messages.isEmpty() || w->Grid1->rowCount() > 0; }, 2000);
            } else {
                w->Cmd_Show->setFocus();
                QTest::keyClick(w->Cmd_Show, Qt::Key_Return);
            }
            const QString label = QString::fromLatin1(c.window) + (c.altS ? " Alt+S" : " Enter");
            QVERIFY2((w->Grid1->rowCount() > 0) == c.rows, qPrintable(label));
            QVERIFY2(f.ts.prompter.texts() == c.said, qPrintable(label + ": " + f.ts.prompter.texts().join('|')));
        }
    }

    // The first day of the range and the last, as of a day: the month so far, or the tours of
    // this month and the two after it (the end of February in a leap year and not).
    void periodsRunFromTheFirstOfTheMonth() {
        const struct {
            ListingPeriod period;
            QDate today, from, to;
        } cases[] = {
            {ListingPeriod::Today, QDate(2026, 12, 8), QDate(2026, 12, 8), QDate(2026, 12, 8)},
            {ListingPeriod::MonthToDate, QDate(2026, 12, 8), QDate(2026, 12, 1), QDate(2026, 12, 8)},
            {ListingPeriod::MonthToDate, QDate(2027, 1, 1), QDate(2027, 1, 1), QDate(2027, 1, 1)},
            {ListingPeriod::Tours, QDate(2026, 12, 8), QDate(2026, 12, 1), QDate(2027, 2, 28)},
            {ListingPeriod::Tours, QDate(2027, 12, 31), QDate(2027, 12, 1), QDate(2028, 2, 29)},
            {ListingPeriod::Tours, QDate(2027, 1, 31), QDate(2027, 1, 1), QDate(2027, 3, 31)},
        };
        for (const auto& c : cases) {
            const auto [from, to] = Periods::periodDates(c.period, c.today);
            QCOMPARE(from, c.from);
            QCOMPARE(to, c.to);
        }
    }

    // A bank with a long name is shown whole in the detail and in the bank summary, and the
    // detail's last column takes the width left.
    void columnsAreAsWideAsTheirText() {
        Fixture f;
        Database& db = f.ts.db();
        const QString bank = QStringLiteral("SOUTH INDIAN CO-OPERATIVE URBAN BANK");
        db.exec("INSERT INTO MST_BANK (BANK_ID, BANK_NAME) VALUES (81, ?)", {bank});
        TransactionRecords r(db, QStringLiteral("ADMINISTRATOR"));
        const qint64 booking = r.save(test::booking(501, "900.00", QDate::currentDate()));
        Document d = receipt(booking, 501, "900.00", 0, QDate::currentDate());
        d.columns.emplace_back("TO_BANKID", 81);
        r.save(d);
        auto w = f.open(QStringLiteral("frm_LstFRDB01"));
        w->Load_Grid();
        QCOMPARE(w->Grid1->rowCount(), 1);
        for (ListGrid* g : {w->Grid1, w->summaryGrid(1)}) {
            int column = -1;
            for (int i = 0; i < g->columnCount(); ++i)
                if (g->text(0, i) == bank)
                    column = i;
            QVERIFY2(column >= 0, qPrintable(g->objectName()));
            QVERIFY2(g->columnWidth(column) >= g->fontMetrics().horizontalAdvance(bank), qPrintable(g->objectName()));
        }
        QVERIFY(w->Grid1->horizontalHeader()->stretchLastSection());
    }

    // The state master opens on the only country, else on the default state's, else on none.
    void stateMasterOpensOnTheCountryThereIs() {
        const struct {
            const char* countries;  // VALUES of (code, name)
            const char* states;     // VALUES of (country, code, name, default)
            QString chosen;
            QStringList listed;  // the state names in the grid (an empty grid keeps one blank row)
        } cases[] = {
            {"(1, 'INDIA')", "(1, 1, 'KERALA', 'N'), (1, 2, 'GOA', 'N')", "INDIA", {"GOA", "KERALA"}},
            {"(1, 'INDIA'), (2, 'NEPAL')", "(1, 1, 'KERALA', 'N'), (2, 3, 'BAGMATI', 'Y')", "NEPAL", {"BAGMATI"}},
            {"(1, 'INDIA'), (2, 'NEPAL')", "(1, 1, 'KERALA', 'N')", "", {""}},
        };
        for (const auto& c : cases) {
            Fixture f;
            Database& db = f.ts.db();
            db.exec("DELETE FROM M_TBL_CSP_PLACE");
            db.exec("DELETE FROM M_TBL_CSP_STATE");
            db.exec("DELETE FROM M_TBL_CSP_COUNTRY");
            db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES ") + c.countries);
            db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_DEF) "
                                   "VALUES ") +
                    c.states);
            auto w = f.SessionWindows::open<GeographyMaster>(QStringLiteral("frm_CSP_State"));
            QCOMPARE(w->Cmb_Country->currentText(), c.chosen);
            QCOMPARE(column(w->Grid1->model(), 1), c.listed);
        }
    }

    // Every member lists every live document of its codes in the range; its total equals the sum
    // of its rows, of its party summary and of its bank summary; only present statuses are offered.
    void everyMemberAgreesWithItsRows() {
        Documents f;
        for (const DocumentListingSpec& spec : documentListings()) {
            auto w = f.show(spec);
            const QString live = "DOC_CODE IN ('" + spec.codes.join("','") +
                                 "') AND DOC_STATUS='APPRV' AND DOC_DATE >= ? AND DOC_DATE < ?";
            const QVariantList range{dateToDb(f.from), dateToDb(f.to.addDays(1))};
            QVERIFY2(w->Grid1->model()->rowCount() > 0, spec.window);
            QCOMPARE(w->Grid1->model()->rowCount(), count(f.ts.db(), "M_TBL_TRANSACTION", live, range));
            const Money rows = sum(w->Grid1, "GRAND_TOTAL");
            QCOMPARE(rows, Money::fromVariant(f.ts.db().scalar("SELECT SUM(GRAND_TOTAL) FROM M_TBL_TRANSACTION "
                                                               "WHERE " +
                                                                   live,
                                                               range)));
            for (int g = 0; w->summaryGrid(g); ++g)
                QCOMPARE(sum(w->summaryGrid(g), "GRAND_TOTAL"), rows);
            QCOMPARE(items(w->Cmb_Status).join(','), QString(spec.codes[0] == "FTCR01" ? "APPRV,CNCL" : "APPRV"));
        }
    }

    // Option 3 shows every row of a bulk posting's number and only those; a bank by its id.
    void filtersAndBalances() {
        Documents f;
        auto w = f.show(documentListings()[7]);  // receipts
        w->Option3->setChecked(true);
        w->txt_DocNo->setText(QString::number(f.bulk));
        w->Load_Grid();
        QCOMPARE(column(w->Grid1->model(), w->columnOf("DOC_NO")), QStringList(2, QString::number(f.bulk)));
        w->Option4->setChecked(true);
        w->Cmb_Bank->setCode("72");
        w->Load_Grid();
        QCOMPARE(column(w->Grid1->model(), w->columnOf("GRAND_TOTAL")), QStringList{"2000.20"});
        // A balance is the records' over the member's list: bookings debit minus credit, notes the reverse.
        TransactionRecords r(f.ts.db(), {});
        for (int m : {0, 1}) {
            w = f.show(documentListings()[m]);
            for (int row = 0; row < w->Grid1->model()->rowCount(); ++row) {
                const Money b =
                    r.balance(documentListings()[m].balanceList, {cell(*w, row, "PARTY_CODE").toLongLong(),
                                                                  cell(*w, row, m ? "IN_DOCNO" : "DOC_NO").toLongLong(),
                                                                  {}});
                QCOMPARE(Money::fromText(cell(*w, row, "BALANCE")), m ? -b : b);
            }
        }
    }

    // The invoice click stores the booking's receipts as its advance and the rest as its balance,
    // then prints; a cancelled invoice is printed as it stands.
    void invoiceClickStoresAdvanceThenPrints() {
        Documents f;
        Database& db = f.ts.db();
        const QString figures =
            "SELECT TOTAL_AMOUNT, DISC_AMT, TAXIBLE_AMT, TAX_AMT, GRAND_TOTAL, ADV_AMOUNT, "
            "BALANCE_AMT FROM M_TBL_TRANSACTION WHERE DOC_CODE='INV001'";
        const QString before = lines(db, figures).value(0);
        auto w = f.show(documentListings()[15]);
        QVERIFY(showActive(*w));
        enterOn(w->Grid1, 0, 1);
        QCOMPARE(f.printed.size() == 1 ? f.printed[0].value("CBPT_NO").toLongLong() : -1, f.booking);
        const Money advance = Money::fromText("21000.10");  // the demo receipt and the bulk's part
        const QString after = lines(db, figures).value(0);
        QCOMPARE(after.section('|', 0, 4), before.section('|', 0, 4));
        QCOMPARE(Money::fromText(after.section('|', 5, 5)), advance);
        QCOMPARE(Money::fromText(after.section('|', 6, 6)), Money::fromText(cell(*w, 0, "GRAND_TOTAL")) - advance);
        TransactionRecords(db, {}).cancel("INV001", cell(*w, 0, "DOC_NO").toLongLong(), {f.booking}, "X");
        TransactionRecords(db, {}).save(receipt(f.booking, f.party, "1.00", 0, QDate::currentDate()));
        QVERIFY(!refreshInvoiceAdvance(db, cell(*w, 0, "DOC_NO").toLongLong()).stored);
        QCOMPARE(lines(db, figures).value(0).section('|', 5, 6), after.section('|', 5, 6));
    }
};

QTEST_MAIN(TestListingWindows)
#include "tst_listing_windows.moc"

// What every listing window does on its own: a Show that finds nothing says so, SHOW answers
// Enter and Alt+S, the range a list opens on, columns as wide as their text, and the state
// master opening on the country there is.
#include "accounts/AccountsWindows.h"
#include "bookings/BookingsWindows.h"
#include "engine/admin/DemoData.h"
#include "listings/ListingWindows.h"
#include "masters/GeographyMaster.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/ListingWindow.h"
#include "support/Documents.h"
#include "support/Registered.h"
#include "support/TestSession.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kNothing = QStringLiteral("SORRY NO RECORDS FOUND ....");

// The ranges the members open on, reached as a member reaches them.
struct Periods : ListingWindow {
    using ListingWindow::periodDates;
};

struct Fixture {
    TestSession ts;
    WindowRegistry registry;

    explicit Fixture(bool demo = false) {
        if (demo)
            addDemoData(ts.db());
        registerListingWindows(registry);
        registerLedgerWindows(registry);
        registerTourOpsWindows(registry);
        registerGeographyWindows(registry);
        ts.session.windows = &registry;
    }
    std::unique_ptr<ListingWindow> open(const QString& name) {
        return createShown<ListingWindow>(registry, ts.session, name);
    }
};

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
            auto w = createShown<GeographyMaster>(f.registry, f.ts.session, QStringLiteral("frm_CSP_State"));
            QCOMPARE(w->Cmb_Country->currentText(), c.chosen);
            QCOMPARE(column(w->Grid1->model(), 1), c.listed);
        }
    }
};

QTEST_MAIN(TestListingWindows)
#include "tst_listing_windows.moc"

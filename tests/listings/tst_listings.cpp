// The seventeen listings between dates over the demo data and a few documents of their own.
#include "data/DemoData.h"
#include "data/Moments.h"
#include "listings/DocumentListing.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/ListGrid.h"
#include "support/Documents.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QDateEdit>
#include <QRadioButton>

using namespace tarvic;
using namespace tarvic::test;

namespace {

// The demo data plus a bulk receipt over two bookings, two banks whose names are LIKE-patterns
// of each other, a cancelled payment and one document of every code the demo lacks.
struct Fixture {
    TestSession ts;
    WindowRegistry registry;
    QList<WindowArgs> printed;
    qint64 booking = 0, party = 0, bulk = 0;

    Fixture() {
        Database& db = ts.db();
        addDemoData(db);
        ts.session.windows = &registry;
        registry.add(QStringLiteral("rpt_Voucher"), [this](Session&, QWidget*, const WindowArgs& a) -> QWidget* {
            printed << a;
            return nullptr;
        });
        db.exec("INSERT INTO MST_BANK (BANK_ID, BANK_NAME) VALUES (71, 'CITY BANK'), (72, 'CITY BANK%')");
        const auto one = [&](const char* col) {
            return db.scalar(QStringLiteral("SELECT %1 FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01'").arg(col));
        };
        booking = one("DOC_NO").toLongLong(), party = one("PARTY_CODE").toLongLong();
        TransactionRecords r(db, QStringLiteral("ADMINISTRATOR"));
        const qint64 second = r.save(test::booking(party, "5000.00", QDate::currentDate()));
        std::vector<Document> parts{receipt(booking, party, "1000.10", 0, QDate::currentDate()),
                                    receipt(second, party, "2000.20", 0, QDate::currentDate())};
        parts[0].columns.emplace_back(QStringLiteral("TO_BANKID"), 71);
        parts[1].columns.emplace_back(QStringLiteral("TO_BANKID"), 72);
        bulk = r.save(parts);
        for (QString code : {"FTREF01", "FTCR01", "FRDM01", "APCM01", "BDAP01", "BCAP01", "BTCR01"}) {
            const bool linked = code.startsWith("FT");
            Document d = posting(code, linked ? booking : 0, party, "333.33", QDate::currentDate());
            d.columns.emplace_back("TO_BANKID", 72);
            d.columns.emplace_back("GRAND_TOTAL", d.amount.toVariant());
            if (!linked)
                d.columns.emplace_back("TO_ACC", "ACC1");
            const qint64 no = r.save(d);
            if (code == "FTCR01")
                r.cancel(code, no, "WRONG");
        }
    }

    std::unique_ptr<DocumentListing> show(const DocumentListingSpec& spec) {
        auto w = std::make_unique<DocumentListing>(ts.session, nullptr, spec);
        w->txt_FromDate->setDate(QDate::currentDate().addDays(-30));
        w->txt_ToDate->setDate(QDate::currentDate().addDays(400));
        w->Load_Grid();
        w->show();
        shoot(*w, QString::fromLatin1(spec.window));
        return w;
    }
};

Money sum(const QAbstractItemModel* m, int c) {
    Money total;
    for (const QString& t : column(m, c))
        total += Money::fromText(t);
    return total;
}

int col(const ListGrid* g, const char* field) {
    const auto& cols = g->queryModel()->columns();
    for (int i = 0; i < cols.size(); ++i)
        if (cols[i].field == QLatin1String(field))
            return i;
    return -1;
}

}  // namespace

class TestListings : public QObject {
    Q_OBJECT
private slots:
    // Every member lists every live document of its codes in the range; its total equals the sum
    // of its rows, of its party summary and of its bank summary; only present statuses are offered.
    void everyMemberAgreesWithItsRows() {
        Fixture f;
        for (const DocumentListingSpec& spec : documentListings()) {
            auto w = f.show(spec);
            const QString codes = "'" + spec.codes.join("','") + "'";
            const QString live =
                "DOC_CODE IN (" + codes + ") AND DOC_STATUS='APPRV' AND DOC_DATE >= ? AND DOC_DATE < ?";
            const QVariantList until{dateToDb(QDate::currentDate().addDays(-30)),
                                     dateToDb(QDate::currentDate().addDays(401))};
            QVERIFY2(w->Grid1->model()->rowCount() > 0, spec.window);
            QCOMPARE(w->Grid1->model()->rowCount(), count(f.ts.db(), "M_TBL_TRANSACTION", live, until));
            const Money rows = sum(w->Grid1->model(), col(w->Grid1, "GRAND_TOTAL"));
            QCOMPARE(rows, Money::fromVariant(f.ts.db().scalar(
                               "SELECT SUM(GRAND_TOTAL) FROM M_TBL_TRANSACTION WHERE " + live, until)));
            for (int g = 0; w->summaryGrid(g); ++g)
                QCOMPARE(sum(w->summaryGrid(g)->model(), col(w->summaryGrid(g), "GRAND_TOTAL")), rows);
            const QStringList statuses{"APPRV", "CNCL"};
            QCOMPARE(items(w->Cmb_Status), statuses.mid(0, spec.codes[0] == "FTCR01" ? 2 : 1));
        }
    }

    // Option 3 shows every row of a bulk posting's number and only those; a bank by its id.
    void numberAndBankFilters() {
        Fixture f;
        const DocumentListingSpec& spec = documentListings()[7];  // receipts
        auto w = f.show(spec);
        const int booking = col(w->Grid1, "IN_DOCNO");
        w->Option3->setChecked(true);
        w->txt_DocNo->setText(QString::number(f.bulk));
        w->Load_Grid();
        QCOMPARE(column(w->Grid1->model(), col(w->Grid1, "DOC_NO")), QStringList(2, QString::number(f.bulk)));
        QCOMPARE(column(w->Grid1->model(), booking).size(), 2);
        w->Option4->setChecked(true);
        w->Cmb_Bank->setCode("72");
        w->Load_Grid();
        QCOMPARE(column(w->Grid1->model(), col(w->Grid1, "GRAND_TOTAL")), QStringList{"2000.20"});
    }

    // A balance column is the records' balance of that booking and party over the member's list.
    void balancesAgreeWithTheRecords() {
        Fixture f;
        TransactionRecords r(f.ts.db(), {});
        for (int m : {0, 1}) {  // bookings (debit minus credit), hotel notes (credit minus debit)
            const DocumentListingSpec& spec = documentListings()[m];
            auto w = f.show(spec);
            const QAbstractItemModel* g = w->Grid1->model();
            for (int row = 0; row < g->rowCount(); ++row) {
                const BalanceFilter key{g->index(row, col(w->Grid1, "PARTY_CODE")).data().toLongLong(),
                                        g->index(row, col(w->Grid1, m ? "IN_DOCNO" : "DOC_NO")).data().toLongLong(),
                                        {}};
                const Money b = r.balance(QString::fromLatin1(spec.balanceList), key);
                QCOMPARE(Money::fromText(g->index(row, col(w->Grid1, "BALANCE")).data().toString()), m ? -b : b);
            }
        }
    }

    // The invoice click stores the booking's receipts as its advance and the rest as its balance,
    // then prints; a cancelled invoice is printed as it stands.
    void invoiceClickStoresAdvanceThenPrints() {
        Fixture f;
        Database& db = f.ts.db();
        const QString figures =
            "SELECT TOTAL_AMOUNT, DISC_AMT, TAXIBLE_AMT, TAX_AMT, GRAND_TOTAL, ADV_AMOUNT, "
            "BALANCE_AMT FROM M_TBL_TRANSACTION WHERE DOC_CODE='INV001'";
        const QStringList before = lines(db, figures);
        auto w = f.show(documentListings()[15]);
        QVERIFY(showActive(*w));
        enterOn(w->Grid1, 0, 1);
        QCOMPARE(f.printed.size(), 1);
        QCOMPARE(f.printed[0].value("CBPT_NO").toLongLong(), f.booking);
        const Money grand = Money::fromText(w->Grid1->text(0, col(w->Grid1, "GRAND_TOTAL")));
        const Money advance = Money::fromText("21000.10");  // the demo receipt and the bulk's part
        QStringList after = lines(db, figures);
        QCOMPARE(after[0].section('|', 0, 4), before[0].section('|', 0, 4));
        QCOMPARE(Money::fromText(after[0].section('|', 5, 5)), advance);
        QCOMPARE(Money::fromText(after[0].section('|', 6, 6)), grand - advance);
        TransactionRecords(db, {}).cancel("INV001", w->Grid1->text(0, col(w->Grid1, "DOC_NO")).toLongLong(), "X");
        TransactionRecords(db, {}).save(receipt(f.booking, f.party, "1.00", 0, QDate::currentDate()));
        QVERIFY(!refreshInvoiceAdvance(db, w->Grid1->text(0, col(w->Grid1, "DOC_NO")).toLongLong()).stored);
        QCOMPARE(lines(db, figures).value(0).section('|', 5, 6), after[0].section('|', 5, 6));
    }
};

QTEST_MAIN(TestListings)
#include "tst_listings.moc"

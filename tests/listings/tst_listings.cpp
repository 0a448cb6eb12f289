// The listings between dates over the demo data and a few documents of their own.
#include "engine/admin/DemoData.h"
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
    QDate from = QDate::currentDate().addDays(-30), to = QDate::currentDate().addDays(400);

    Fixture() {
        Database& db = ts.db();
        addDemoData(db);
        ts.session.windows = &registry;
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
        shoot(*w, QString::fromLatin1(spec.window));
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

class TestListings : public QObject {
    Q_OBJECT
private slots:
    // Every member lists every live document of its codes in the range; its total equals the sum
    // of its rows, of its party summary and of its bank summary; only present statuses are offered.
    void everyMemberAgreesWithItsRows() {
        Fixture f;
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
        Fixture f;
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
        Fixture f;
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

QTEST_MAIN(TestListings)
#include "tst_listings.moc"

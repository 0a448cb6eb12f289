// A tour's whole path through the library alone, as the windows drive it: a lead, its
// quotation, a hotel line, the booking made from it, the customer's receipt, a tax invoice, a
// second line on the quotation, and the party's ledger. After every step the rows it wrote, the
// booking's and the party's balances, and `tarvic-admin check` over the books.
#include "data/BooksCheck.h"
#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "engine/Documents.h"
#include "engine/accounts/InvoiceStore.h"
#include "engine/admin/DemoData.h"
#include "engine/bookings/Bookings.h"
#include "engine/sales/LeadStore.h"
#include "engine/sales/QuotationLines.h"
#include "engine/sales/QuotationStore.h"
#include "support/AdminRunner.h"
#include "support/Documents.h"
#include "support/TestDb.h"

#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kUser = QStringLiteral("FRONT DESK");

// The demo's masters (a customer, a hotel, an ADMIN consultant, an itinerary, GST 5 %), and
// the figures of the customer before the path starts.
struct Office {
    TestDb t;
    qint64 party = 0, hotel = 0, itinerary = 0;
    int consultant = 0;
    QString tax;
    Money partyBefore;

    Office() {
        addDemoData(db());
        const auto code = [&](const char* sql) { return db().scalar(QString::fromLatin1(sql)).toLongLong(); };
        party = code("SELECT PARTY_CODE FROM M_TBL_PARTY WHERE PARTY_NAME='DEMO ASHA NAIR'");
        hotel = code("SELECT PARTY_CODE FROM M_TBL_PARTY WHERE PARTY_NAME='DEMO HILLVIEW HOTEL MUNNAR'");
        itinerary = code("SELECT MIN(ITN_DOCNO) FROM M_TBL_ITINERARY_HEADER");
        consultant = int(code("SELECT MIN(CONSULTANT_CODE) FROM M_TBL_CONSULTANT WHERE TC_ROLE='ADMIN'"));
        tax = QString::number(code("SELECT TAX_CODE FROM M_TBL_TAX WHERE TAX_NAME='GST 5%'"));
        partyBefore = partyBalance();
    }
    Database& db() { return t.db(); }

    Money partyBalance() {
        return TransactionRecords(db(), kUser).balance(QStringLiteral("LDOP"), {.party = party});
    }
    Money bookingBalance(qint64 booking) {
        return TransactionRecords(db(), kUser).balance(QStringLiteral("LDOP"), {.party = party, .booking = booking});
    }
    Money money(const QString& sql, qint64 key) { return Money::fromVariant(db().scalar(sql, {key})); }
    Money quotationTotal(qint64 q) {
        return money(QStringLiteral("SELECT GRAND_TOTAL FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?"), q);
    }
    Money bookingDebit(qint64 b) {
        return money(QStringLiteral("SELECT DB_AMT FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=?"), b);
    }

    // The books hold together, by the library and by the tool an office runs.
    void booksHold(const char* step) {
        const QStringList problems = checkBooks(db()).problems;
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(step), problems.join(u'\n'))));
        const AdminRun run = runAdmin(t, {QStringLiteral("check")});
        QVERIFY2(run.code == 0, qPrintable(QLatin1String(step) + QLatin1String(": ") + run.describe()));
    }

    qint64 line(qint64 quotation, const QString& kind, QDate from, QDate to, int days, Columns own) {
        return storeQuotationLine(db(), kUser, {quotation, 0, kind, std::move(own), from, days});
    }
};

}  // namespace

class tst_whole_path : public QObject {
    Q_OBJECT
private slots:
    void leadToLedger() {
        Office o;
        const QDate start = QDate::currentDate().addDays(30);

        // The lead, for the customer, with the ADMIN consultant.
        const qint64 lead = lead::saveLead(o.db(), kUser, o.consultant, 0,
                                           {{QStringLiteral("DOC_DATE"), dateToDb(QDate::currentDate())},
                                            {QStringLiteral("PARTY_CODE"), o.party},
                                            {QStringLiteral("CONSULTANT_CODE"), o.consultant},
                                            {QStringLiteral("DOC_DESC"), QStringLiteral("MUNNAR FOR TWO")},
                                            {QStringLiteral("NOOF_PAX"), 2}});
        QVERIFY(lead > 0);
        QCOMPARE(o.partyBalance(), o.partyBefore);
        o.booksHold("lead");

        // Its quotation: 10 % commission, GST 5 %, no line yet.
        QuotationHeader h;
        h.docDate = QDate::currentDate();
        h.leadNo = lead;
        h.itineraryNo = o.itinerary;
        h.bookedBy = h.touristName = QStringLiteral("ASHA NAIR");
        h.adults = 2;
        h.start = start;
        h.end = start.addDays(3);
        h.totals.commPer = Money::fromInput(QStringLiteral("10.00"));
        h.taxCode = o.tax;
        h.taxPer = Money::fromInput(QStringLiteral("5.00"));
        const qint64 quotation = storeQuotation(o.db(), kUser, h, SaveKind::Full);
        QCOMPARE(o.quotationTotal(quotation), Money());
        o.booksHold("quotation");

        // A hotel line: 2 nights x 4000 = 8000; +10 % = 8800; +5 % = 9240.
        const Money stay = Money::fromRupees(8000);
        o.line(quotation, QStringLiteral("HOTEL"), start, start.addDays(2), 2,
               {{QStringLiteral("TOUR_DATE"), dateToDb(start)},
                {QStringLiteral("CHKOT_DT"), dateToDb(start.addDays(2))},
                {QStringLiteral("HOTEL_CODE"), o.hotel},
                {QStringLiteral("NOOF_ROOM"), 1},
                {QStringLiteral("ROOM_RATE"), Money::fromRupees(4000).toVariant()},
                {QStringLiteral("DAYS_ROOM"), 2},
                {QStringLiteral("TOTL_ROOMCOST"), stay.toVariant()},
                {QStringLiteral("TOTAL_AMOUNT"), stay.toVariant()}});
        QCOMPARE(o.quotationTotal(quotation), Money::fromRupees(9240));
        QCOMPARE(o.db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL03' AND "
                                              "DOC_NO=?"),
                               {quotation})
                     .toInt(),
                 2);  // a day row per night
        QCOMPARE(o.partyBalance(), o.partyBefore);
        o.booksHold("hotel line");

        // The booking made from it: the party owes the quotation's price.
        BookingEntry entry;
        entry.date = QDate::currentDate();
        entry.fileNo = QStringLiteral("WP/001");
        entry.party = o.party;
        entry.lead = lead;
        entry.quotation = quotation;
        entry.touristName = entry.bookedBy = QStringLiteral("ASHA NAIR");
        const qint64 booking = Bookings(o.db(), kUser).save(entry);
        QCOMPARE(o.bookingDebit(booking), Money::fromRupees(9240));
        QCOMPARE(o.bookingBalance(booking), Money::fromRupees(9240));
        QCOMPARE(o.partyBalance(), o.partyBefore + Money::fromRupees(9240));
        QCOMPARE(o.db().scalar(QStringLiteral("SELECT CBPT_NO FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND "
                                              "DOC_NO=?"),
                               {quotation})
                     .toLongLong(),
                 booking);
        o.booksHold("booking");

        // The customer pays 5000.50 against it.
        postDocument(o.db(), kUser, receipt(booking, o.party, QStringLiteral("5000.50")), QStringLiteral("SHUT"));
        QCOMPARE(o.bookingBalance(booking), Money::fromInput(QStringLiteral("4239.50")));
        QCOMPARE(o.partyBalance(), o.partyBefore + Money::fromInput(QStringLiteral("4239.50")));
        o.booksHold("receipt");

        // A tax invoice of the first 4000: a document of the tax, not of the ledger.
        InvoiceStore store(o.db(), kUser);
        const auto billed = store.booking(booking);
        QVERIFY(billed);
        QCOMPARE(billed->advance, Money::fromInput(QStringLiteral("5000.50")));
        const auto gst = store.gstRow(QStringLiteral("TOUR PACKAGE"));
        QVERIFY(gst);
        InvoiceDraft d;
        d.kind = &taxInvoiceKind();
        d.date = QDate::currentDate();
        d.gstInvNo = QStringLiteral("WP/INV/1");
        d.booking = *billed;
        d.gstFor = gst->gstFor;
        d.sacCode = gst->sacCode;
        d.taxKind = TaxKind::SameState;
        d.rates = appliedRates(gst->rates, d.taxKind);
        d.lines = {{QStringLiteral("MUNNAR TOUR PACKAGE"), Money::fromRupees(4000), Money::fromRupees(1),
                    Money::fromRupees(4000)}};
        const qint64 invoice = store.save(d);
        QVERIFY(invoice > 0);
        QCOMPARE(store.saved(taxInvoiceKind(), invoice)->lines.size(), size_t(1));
        QCOMPARE(o.partyBalance(), o.partyBefore + Money::fromInput(QStringLiteral("4239.50")));
        o.booksHold("invoice");

        // A second line on the quotation moves the booking and the ledger in the same save:
        // 8000 + 2 x 1000 = 10000; +10 % = 11000; +5 % = 11550.
        const Money guide = Money::fromRupees(2000);
        o.line(quotation, QStringLiteral("OTHRCHRG"), start.addDays(1), {}, 0,
               {{QStringLiteral("TOUR_DATE"), dateToDb(start.addDays(1))},
                {QStringLiteral("OTHRCHRG_CODE"), QStringLiteral("GUIDE")},
                {QStringLiteral("NOOF_OTHRCHRG"), 2},
                {QStringLiteral("OTHRCHRG_RATE"), Money::fromRupees(1000).toVariant()},
                {QStringLiteral("TOTL_OTHRCHRG"), guide.toVariant()},
                {QStringLiteral("TOTAL_AMOUNT"), guide.toVariant()}});
        QCOMPARE(o.quotationTotal(quotation), Money::fromRupees(11550));
        QCOMPARE(o.bookingDebit(booking), Money::fromRupees(11550));
        QCOMPARE(o.bookingBalance(booking), Money::fromInput(QStringLiteral("6549.50")));
        QCOMPARE(o.partyBalance(), o.partyBefore + Money::fromInput(QStringLiteral("6549.50")));
        // What is left to invoice follows the new price: 11550 less the invoice's 4200.
        QCOMPARE(d.figures().grand, Money::fromRupees(4200));
        QCOMPARE(store.booking(booking)->invoiceable(), Money::fromRupees(7350));
        o.booksHold("second line");
    }
};

QTEST_GUILESS_MAIN(tst_whole_path)
#include "tst_whole_path.moc"

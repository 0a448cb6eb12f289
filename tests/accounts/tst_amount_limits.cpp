// The largest amount through the windows, driven as a user would: an amount typed or pasted
// beyond it is refused with the limit named and the field keeps what it had (never 0.00); the
// largest amount is saved and read back to the paisa by a receipt, a payment, an invoice line
// and a bulk posting, while one paisa more (a line, a total, an amount the program put in the
// field) is refused with nothing stored; a ledger whose total passes the limit says so instead
// of showing a wrong figure. The books check passes after each.
#include "accounts/AccountsWindows.h"
#include "accounts/BulkPostingWindow.h"
#include "accounts/MoneyDocumentWindow.h"
#include "accounts/frm_Invoice.h"
#include "accounts/frm_InvoiceAdd.h"
#include "data/BooksCheck.h"
#include "data/Numbering.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/ListingWindow.h"
#include "support/DemoWindows.h"
#include "support/Documents.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QClipboard>
#include <QLabel>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QString kLargest = u"9999999999999.99"_s;
const QString kBeyond = u"99999999999999999"_s;
const QString kAmount = u"AMOUNT CANNOT EXCEED 9999999999999.99 ...."_s;
const QString kTotal = u"TOTAL AMOUNT CANNOT EXCEED 9999999999999.99 ...."_s;
const WindowArgs kBooking1{{{u"CBPT_NO"_s, 1}}};  // the money documents of the demo booking

struct Fixture : DemoWindows {
    Fixture() : DemoWindows(registerAccountsWindows) {}
    qint64 rows() { return db().scalar(u"SELECT COUNT(*) FROM M_TBL_TRANSACTION"_s).toLongLong(); }
    QString stored(const char* column, const QString& code, qint64 no) {
        return Money::fromVariant(db().scalar(u"SELECT %1 FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?"_s.arg(
                                                  QLatin1String(column)),
                                              {code, no}))
            .toString();
    }
    QString problems() { return checkBooks(db()).problems.join(u'\n'); }
};

void paste(QLineEdit* e, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    e->setFocus();
    e->selectAll();
    e->paste();
}

}  // namespace

class TstAmountLimits : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Typed key by key, the digits beyond the limit are each refused and named; pasted whole,
    // the text is refused and the field keeps what it had. Leaving the field never makes it 0.00.
    void refusedAsTypedOrPasted_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("messages");
        for (const char* w : {"frm_CBPT01_FRDB", "frm_CBPT01_FTCR"}) {
            QTest::addRow("%s typed", w) << QString::fromLatin1(w) << false << u"9999999999999.00"_s << 4;
            QTest::addRow("%s pasted", w) << QString::fromLatin1(w) << true << u"125.00"_s << 1;
        }
    }
    void refusedAsTypedOrPasted() {
        QFETCH(QString, window);
        QFETCH(bool, pasted);
        QFETCH(QString, kept);
        QFETCH(int, messages);
        Fixture f;
        auto w = f.open<MoneyDocumentWindow>(window, kBooking1);
        typeInto(w->txt_Amount, u"125"_s);
        f.ts.answer();
        if (pasted)
            paste(w->txt_Amount, kBeyond);
        else
            typeInto(w->txt_Amount, kBeyond);
        QCOMPARE(f.ts.prompter.texts(), QStringList(messages, kAmount));
        QTest::keyClick(w->txt_Amount, Qt::Key_Tab);
        QCOMPARE(w->txt_Amount->text(), kept);
        QVERIFY(!w->lbl_InWords->text().trimmed().startsWith(u"Rupees"_s));
    }

    // The largest amount of each kind of field is stored and shown back to the paisa; one paisa
    // more put in the field by the program is refused by the save, nothing stored, no number.
    void receiptAndPaymentAtTheLimit() {
        Fixture f;
        const struct {
            QString window, code, largest;
        } cases[] = {{u"frm_CBPT01_FRDB"_s, u"FRDB01"_s, u"9999999999999"_s},  // whole rupees
                     {u"frm_CBPT01_FTCR"_s, u"FTCR01"_s, kLargest}};
        for (const auto& c : cases) {
            auto w = f.open<MoneyDocumentWindow>(c.window, kBooking1);
            if (w->party->key().isEmpty()) {  // the payment's party is chosen, the receipt's is the booking's
                typeInto(w->party->edit(), QString::number(f.asha));
                w->party->lookUp();
            }
            const qint64 before = f.rows();
            w->txt_Amount->setText(u"10000000000000.00"_s);
            f.ts.answer({true});
            w->Save_Record();
            QCOMPARE(f.ts.prompter.texts().last(), kAmount);
            QCOMPARE(w->number(), 0);
            QCOMPARE(f.rows(), before);

            typeInto(w->txt_Amount, c.largest);
            f.ts.answer({true});
            w->Save_Record();
            QVERIFY2(w->number() > 0, qPrintable(f.ts.prompter.texts().join(u'|')));
            const QString shown = Money::fromText(c.largest).toString();
            QCOMPARE(f.stored("GRAND_TOTAL", c.code, w->number()), shown);
            QVERIFY(w->Show_Record(w->number()));
            QCOMPARE(w->txt_Amount->text(), shown);
        }
        QCOMPARE(f.problems(), QString());
    }

    // The fault as found: rate 100000000000 x quantity 100000000. The quantity is refused as
    // typed; the line beyond the limit shows no figure and is refused; a line at the limit is
    // added, a second that would pass the total is refused by the invoice; the proforma saves
    // the largest line to the paisa.
    void invoiceLineAtTheLimit() {
        Fixture f;
        auto w = f.open<frm_Invoice>(u"frm_Invoice_P"_s);
        typeEnter(w->txt_CBPTNo, u"1"_s);
        QVERIFY(w->pressTool(5));
        auto* add = w->findChild<frm_InvoiceAdd*>();
        QVERIFY(add);
        typeInto(add->txt_Desc, u"PACKAGE"_s);
        typeInto(add->txt_Rate, u"100000000000"_s);
        f.ts.answer();
        typeInto(add->txt_Qty, u"100000000"_s);
        QCOMPARE(f.ts.prompter.texts(), QStringList(3, u"QUANTITY CANNOT EXCEED 999999 ...."_s));
        QCOMPARE(add->txt_Qty->text(), u"100000"_s);
        QCOMPARE(add->lbl_Amount->text(), exceedsText());
        f.ts.answer();
        QVERIFY(!add->Add_Line());
        QCOMPARE(f.ts.prompter.texts(), QStringList{u"LINE AMOUNT CANNOT EXCEED 9999999999999.99 ...."_s});

        typeInto(add->txt_Rate, u"9999999999999"_s);
        typeInto(add->txt_Qty, u"1"_s);
        QVERIFY(add->Add_Line());
        typeInto(add->txt_Desc, u"GUIDE"_s);
        typeInto(add->txt_Rate, u"1"_s);
        typeInto(add->txt_Qty, u"1"_s);
        f.ts.answer();
        QVERIFY(!add->Add_Line());
        QCOMPARE(f.ts.prompter.texts(), QStringList{kTotal});
        QCOMPARE(w->Grid1->rowCount(), 1);
        delete add;

        f.ts.answer({true});
        w->Save_Record();
        QVERIFY2(w->number() > 0, qPrintable(f.ts.prompter.texts().join(u'|')));
        QCOMPARE(f.stored("TOTAL_AMOUNT", u"INV006"_s, w->number()), u"9999999999999.00"_s);
        QCOMPARE(f.stored("GRAND_TOTAL", u"INV006"_s, w->number()), u"9999999999999.00"_s);
        QCOMPARE(f.stored("INV_AMT", u"INV007"_s, w->number()), u"9999999999999.00"_s);
        QCOMPARE(w->findChild<QLabel*>(u"lbl_GrandTotal"_s)->text(), u"9999999999999.00"_s);
        QCOMPARE(f.problems(), QString());
    }

    // A bulk posting's lines together are one amount: a line at the limit is taken, one more
    // rupee refused; saved, the line comes back to the paisa.
    void bulkPostingAtTheLimit() {
        Fixture f;
        TransactionRecords records(f.db(), u"T"_s);
        const qint64 first = records.save(booking(f.asha, u"8000"_s)),
                     second = records.save(booking(f.asha, u"8000"_s));
        auto w = f.open<BulkPostingWindow>(u"frm_FRDB_BulkPosting"_s);
        typeEnter(w->party->edit(), QString::number(f.asha));
        typeInto(w->txt_CBPTNo, QString::number(first));
        f.ts.answer();
        typeInto(w->txt_Amount, u"10000000000000"_s);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kAmount});
        QCOMPARE(w->txt_Amount->text(), u"1000000000000"_s);
        typeInto(w->txt_Amount, u"9999999999999"_s);
        w->Add_Line();
        typeInto(w->txt_CBPTNo, QString::number(second));
        typeInto(w->txt_Amount, u"1"_s);
        f.ts.answer();
        w->Add_Line();
        QCOMPARE(f.ts.prompter.texts(), QStringList{kTotal});
        QCOMPARE(w->lines().size(), size_t(1));
        QCOMPARE(w->lbl_Total->text(), u"9999999999999.00"_s);
        f.ts.answer({true});
        w->Save_Record();
        QVERIFY2(w->number() > 0, qPrintable(f.ts.prompter.texts().join(u'|')));
        QCOMPARE(f.stored("DB_AMT", u"FRDB01"_s, w->number()), u"9999999999999.00"_s);
        QCOMPARE(f.problems(), QString());
    }

    // The party's ledger sums exactly to the largest amount; a paisa more and its total is
    // beyond what can be shown: the cell says so and the window tells the user, never a wrong
    // figure.
    void ledgerAtTheLimit() {
        Fixture f;
        TransactionRecords records(f.db(), u"T"_s);
        f.db().exec(u"INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME) VALUES (9001, 'BIG')"_s);
        Numbering(f.db()).Upd_Counter(u"PARTY"_s, 9001);
        const qint64 b = records.save(booking(9001, u"1"_s));
        for (const char* part : {"3333333333333.33", "3333333333333.33", "3333333333333.33"})
            records.save(receipt(b, 9001, QString::fromLatin1(part)));
        const auto totals = [&] {
            auto l = f.open<ListingWindow>(u"frm_LDOP"_s);
            typeEnter(l->findChild<QLineEdit*>(u"txt_PartyCode"_s), u"9001"_s);
            l->findChild<QDateEdit*>(u"txt_FromDate"_s)->setDate(QDate(2026, 1, 1));
            l->findChild<QDateEdit*>(u"txt_ToDate"_s)->setDate(QDate(2026, 12, 31));
            f.ts.answer();
            QTest::mouseClick(l->Cmd_Show, Qt::LeftButton);
            QCoreApplication::processEvents();
            ListGrid* g = l->findChild<ListGrid*>(u"Grid2"_s);
            return QStringList{g->text(0, 0), g->text(0, 1), g->text(0, 2)}.join(u'|');
        };
        QCOMPARE(totals(), u"1.00|9999999999999.99|-9999999999998.99"_s);
        QCOMPARE(f.ts.prompter.texts(), QStringList());
        records.save(receipt(b, 9001, u"0.01"_s));
        QCOMPARE(totals(), u"1.00|%1|-9999999999999.00"_s.arg(exceedsText()));
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{u"AN AMOUNT EXCEEDS 9999999999999.99 AND CANNOT BE SHOWN EXACTLY ...."_s});
        QCOMPARE(f.problems(), QString());
    }
};

QTEST_MAIN(TstAmountLimits)
#include "tst_amount_limits.moc"

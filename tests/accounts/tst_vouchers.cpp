// The account vouchers and the bulk postings, driven through their windows on the demo data:
// each voucher's rows (codes, sides, accounts, banks, links, words), the transfer refused
// between one bank and itself, a bulk receipt over five bookings read back and reloaded as the
// sum of its lines, every refused booking line, a bulk save all or nothing, and the books check
// of a bulk posting's total.
#include "accounts/AccountsWindows.h"
#include "accounts/BulkPostingWindow.h"
#include "accounts/VoucherWindow.h"
#include "data/BooksCheck.h"
#include "engine/admin/DemoData.h"
#include "shell/kit/CodeList.h"
#include "support/DemoWindows.h"
#include "support/Documents.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QSqlRecord>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QString kNational = u"DEMO NATIONAL BANK - KOCHI MAIN"_s, kCoop = u"DEMO CO-OPERATIVE BANK - ERNAKULAM"_s;

struct Fixture : DemoWindows {
    Fixture() : DemoWindows(registerVoucherWindows) {}
    void save(QWidget* field, bool yes = true) {
        ts.answer({yes});
        QTest::keyClick(field, Qt::Key_F3);
    }
    qint64 newBooking() { return TransactionRecords(db(), u"T"_s).save(booking(asha, u"8000"_s)); }
};

// A document's rows as "CODE|DB|CR|TO_ACC|TO_BANKID|IN_DOCCODE|IN_DOCNO|PARTY|WORDS", by code.
QStringList rows(Database& db, const QString& code, qint64 no, const QString& pairCode) {
    QStringList out;
    QSqlQuery q = db.exec(
        u"SELECT DOC_CODE, DB_AMT, CR_AMT, TO_ACC, TO_BANKID, IN_DOCCODE, IN_DOCNO, PARTY_CODE, "
        "AMT_INWORDS FROM M_TBL_TRANSACTION WHERE DOC_CODE IN (?, ?) AND DOC_NO=? "
        "ORDER BY DOC_CODE, IN_DOCNO"_s,
        {code, pairCode, no});
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < 9; ++i)
            cells << (q.isNull(i)        ? QString()
                      : i == 1 || i == 2 ? Money::fromVariant(q.value(i)).toString()
                                         : q.value(i).toString().trimmed());
        out << cells.join(u'|');
    }
    return out;
}

}  // namespace

class TstVouchers : public QObject {
    Q_OBJECT
private slots:
    // Every member saved once from its window: the rows it writes, their sides (the other one 0),
    // the account and bank of each row, the transfer's rows pointing at each other, the words.
    void eachVoucherWritesItsRows() {
        Fixture f;
        const QString nat = f.db().scalar(u"SELECT BANK_ID FROM MST_BANK WHERE BANK_NAME=?"_s, {kNational}).toString();
        const QString coop = f.db().scalar(u"SELECT BANK_ID FROM MST_BANK WHERE BANK_NAME=?"_s, {kCoop}).toString();
        const QString p = QString::number(f.asha), w = u"One Thousand Rupees Only /-"_s;
        struct Case {
            QString window, code, pair, account, amount, saved;
            QStringList expected;
        };
        const Case cases[] = {
            {"frm_FRDM01",
             "FRDM01",
             "FRDM02",
             "COMMISSION",
             "1000",
             "UPDATE SUCCESSFULLY COMPLETED  ....  DOCUMENT NO : 1",
             {"FRDM01|1000.00|0.00|COMMISSION|" + nat + "|||" + p + "|" + w,
              "FRDM02|0.00|1000.00|COMMISSION|" + nat + "|||" + p + "|" + w}},
            {"frm_APCM01",
             "APCM01",
             "APCM02",
             "RENT",
             "1000",
             "UPDATE SUCCESSFULLY COMPLETED  ....  DOCUMENT NO : 1",
             {"APCM01|0.00|1000.00|RENT|" + nat + "|||" + p + "|" + w,
              "APCM02|1000.00|0.00|RENT|" + nat + "|||" + p + "|" + w}},
            {"frm_BDAP01", "BDAP01", "", "BANKCHRG", "999.50", {}, {"BDAP01|0.00|999.50|BANKCHRG|" + nat + "||||" + w}},
            {"frm_BCAP01",
             "BCAP01",
             "",
             "INTEREST",
             "1000.49",
             {},
             {"BCAP01|1000.49|0.00|INTEREST|" + nat + "||||" + w}},
            {"frm_FTCB01",
             "BTCR01",
             "BTDB01",
             "BANK1",
             "1000",
             "BANK TRANSFER SUCCESSFULLY DONE .... 1",
             {"BTCR01|0.00|1000.00|BANK1|" + nat + "|BTDB01|1|" + "|" + w,
              "BTDB01|1000.00|0.00|BANK2|" + coop + "|BTCR01|1|" + "|" + w}},
        };
        for (const Case& c : cases) {
            auto v = f.open<VoucherWindow>(c.window);
            if (v->party->edit()->isVisible()) {
                typeEnter(v->party->edit(), p);
                choose(v->Cmb_PaymentMode, u"CHEQUE"_s);
                typeInto(v->txt_InstrNO, u"CHQ 1"_s);
                v->txt_InstrDt->setText(u"05/12/2026"_s);
                choose(v->Cmb_InstrBank, kCoop);
            }
            choose(v->Cmb_AccCode, c.account);
            choose(v->Cmb_DBBank, kNational);
            if (v->Cmb_ToBank) {
                choose(v->Cmb_ToAccCode, u"BANK2"_s);
                choose(v->Cmb_ToBank, kCoop);
                v->txt_InstrNO->setText(u"NEFT 'Ü'"_s);
            }
            typeInto(v->txt_Amount, c.amount);
            v->txt_Remarks->setText(u"SEPT 'A' ÜBER"_s);
            f.save(v->txt_Remarks);
            QCOMPARE(rows(f.db(), c.code, 1, c.pair), c.expected);
            if (!c.saved.isEmpty())
                QCOMPARE(f.ts.prompter.texts().value(1), c.saved);
            QCOMPARE(v->lbl_DocNo->text(), u"1"_s);
            QVERIFY(!v->tool(3)->isEnabled());
        }
        // Only the miscellaneous vouchers carry an instrument date, as typed.
        QCOMPARE(lines(f.db(),
                       u"SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE INSTR_DATE IS NOT NULL AND DOC_CODE IN "
                       "('FRDM01','FRDM02','APCM01','APCM02','BDAP01','BCAP01','BTCR01','BTDB01')"_s),
                 QStringList{"4"});
        QCOMPARE(checkBooks(f.db()).problems, QStringList());
    }

    // The bank lists follow the bank master's ids (the own banks without the placeholder); the
    // miscellaneous receipt shows on screen that it is saving while it saves, and no more after.
    void banksByIdAndSavingSaid() {
        Fixture f;
        f.db().exec(u"INSERT INTO MST_BANK (BANK_ID, BANK_NAME) VALUES (900, 'A BANK OPENED LAST')"_s);
        const QStringList all = lines(f.db(), u"SELECT BANK_NAME FROM MST_BANK ORDER BY BANK_ID"_s),
                          own = lines(f.db(), u"SELECT BANK_NAME FROM MST_BANK WHERE BANK_ID <> 0 ORDER BY BANK_ID"_s);
        for (const auto& [window, account, said] :
             {std::tuple{u"frm_FRDM01"_s, u"COMMISSION"_s, true}, std::tuple{u"frm_APCM01"_s, u"RENT"_s, false}}) {
            auto v = f.open<VoucherWindow>(window);
            QVERIFY(items(v->Cmb_InstrBank) == all && items(v->Cmb_DBBank) == own);
            struct Painted : QObject {  // the status label's text at each paint
                QStringList texts;
                bool eventFilter(QObject* o, QEvent* e) override {
                    return e->type() == QEvent::Paint ? (texts << static_cast<QLabel*>(o)->text(), false) : false;
                }
            } painted;
            v->lbl_Status->installEventFilter(&painted);
            choose(v->Cmb_AccCode, account), choose(v->Cmb_DBBank, kNational);
            typeInto(v->txt_Amount, u"250"_s), v->txt_Remarks->setText(u"STALL RENT"_s);
            f.save(v->txt_Remarks);
            QVERIFY(v->lbl_DocNo->text() == u"1"_s && v->lbl_Status->text().isEmpty());
            QCOMPARE(painted.texts.contains(u"SAVING RECORD FRDM01 PLEASE WAIT ....."_s), said);
        }
    }

    // The transfer's checks in order, before any question: the same bank on both sides, the
    // amount, the instrument; a bank typed that names no bank is never saved.
    void transferChecksInOrder() {
        Fixture f;
        auto v = f.open<VoucherWindow>(u"frm_FTCB01"_s);
        choose(v->Cmb_AccCode, u"BANK1"_s);
        choose(v->Cmb_ToAccCode, u"BANK2"_s);
        choose(v->Cmb_DBBank, kNational);
        choose(v->Cmb_ToBank, kNational);
        const QString fault = checkInOrder(f.ts.prompter, f.db(), {u"M_TBL_TRANSACTION"_s},
                                           {{u"FUND TRANSFER CANNOT BE DONE WITH SAME BANK ...."_s, {}, v->Cmb_ToBank},
                                            {u"CANNOT PROCEED, PLS ENTER AMOUNT PROPERLY ......"_s,
                                             [&] { choose(v->Cmb_ToBank, kCoop); }, v->txt_Amount},
                                            {u"CANNOT PROCEED, PLS ENTER INTRUMENT NO ......."_s,
                                             [&] { typeInto(v->txt_Amount, u"10"_s); }, v->txt_InstrNO},
                                            {u"CANNOT PROCEED, PLEASE SELECT BANK PROPERLY ......"_s,
                                             [&] {
                                                 typeInto(v->txt_InstrNO, u"N1"_s);
                                                 v->Cmb_ToBank->setEditText(u"NO SUCH BANK"_s);
                                             },
                                             v->Cmb_ToBank}},
                                           [&] { f.save(v->txt_Remarks); });
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    // Five bookings of one party under one number: five pairs read back, each booking's balance
    // lower by its own line only, the narration naming every booking; reloaded through the
    // search it shows the sum of the lines; the books agree.
    void bulkReceiptOfFiveBookingsReadBack() {
        Fixture f;
        const qint64 n = counter(f.db(), u"FRDB01"_s) + 1;  // after the demo receipt
        f.registry.add(u"frm_Search_FRDB01"_s, [n](Session&, QWidget*, const WindowArgs& a) -> QWidget* {
            a.onPick(QString::number(n));
            return nullptr;
        });
        QList<qint64> bookings;
        for (int i = 0; i < 5; ++i)
            bookings << f.newBooking();
        auto w = f.open<BulkPostingWindow>(u"frm_FRDB_BulkPosting"_s);
        typeEnter(w->party->edit(), QString::number(f.asha));
        QCOMPARE(w->Grid2->rowCount(), 6);  // the demo booking and the five new ones
        for (int i = 0; i < 5; ++i) {
            typeInto(w->txt_CBPTNo, QString::number(bookings[i]));
            typeEnter(w->txt_Amount, QString::number(1000 * (i + 1)));
        }
        QCOMPARE(w->lbl_Total->text(), u"15000.00"_s);
        f.save(w->txt_Amount);
        QCOMPARE(f.ts.prompter.texts(), QStringList{u"FUND TRANSFER SUCCESSFULLY DONE ...."_s});
        const QStringList stored = rows(f.db(), u"FRDB01"_s, n, u"FRCR01"_s);
        QCOMPARE(stored.size(), 10);
        QCOMPARE(stored.first(), u"FRCR01|0.00|1000.00|FRCR01|%1|CBPT01|%2|%3|One Thousand Rupees Only /-"_s.arg(
                                     w->Cmb_DBBank->code(), QString::number(bookings[0]), QString::number(f.asha)));
        QCOMPARE(stored.at(9), u"FRDB01|5000.00|0.00|FRDB01|%1|CBPT01|%2|%3|Five Thousand Rupees Only /-"_s.arg(
                                   w->Cmb_DBBank->code(), QString::number(bookings[4]), QString::number(f.asha)));
        TransactionRecords records(f.db(), u"T"_s);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(records.balance(u"LDOP"_s, {f.asha, bookings[i], {}}).toString(),
                     Money::fromRupees(8000 - 1000 * (i + 1)).toString());
        const QString list =
            QStringList{QString::number(bookings[0]), QString::number(bookings[1]), QString::number(bookings[2]),
                        QString::number(bookings[3]), QString::number(bookings[4])}
                .join(u',');
        QVERIFY(
            f.db()
                .scalar(u"SELECT DOC_DESC FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRDB01' AND DOC_NO=?"_s, {n})
                .toString()
                .startsWith(
                    u"FRDB BULK POST : RS 15000.00 VIA CASH, INSTR NO :, INSTR DT:  /  /     REMARKS :BULK POSTING DONE FOR CBPT NOS : "_s +
                    list));
        QCOMPARE(counter(f.db(), u"FRDB01"_s), n);
        QCOMPARE(checkBooks(f.db()).problems, QStringList());

        w->Load_Init();
        QVERIFY(w->tool(4)->isEnabled());
        w->pressTool(4);
        QCOMPARE(w->number(), n);
        QCOMPARE(w->lbl_Total->text(), u"15000.00"_s);
        QCOMPARE(column(w->Grid1->model(), 2), (QStringList{"1000.00", "2000.00", "3000.00", "4000.00", "5000.00"}));
        QVERIFY(!w->tool(3)->isEnabled());

        // A posting whose rows no longer add up is reported by the books check.
        f.db().exec(u"UPDATE M_TBL_TRANSACTION SET GRAND_TOTAL=15000 WHERE DOC_CODE='FRDB01' AND IN_DOCNO=?"_s,
                    {bookings[0]});
        QCOMPARE(checkBooks(f.db()).problems,
                 QStringList{u"FRDB01 %1: total 29000.00 but its pairs post 15000.00"_s.arg(n)});
    }

    // A line the booking cannot take is refused when added, and again inside the save when the
    // booking changed after the line was added: nothing stored, no number used.
    void refusedBookingLines() {
        Fixture f;
        const qint64 open = f.newBooking(), shut = f.newBooking();
        auto w = f.open<BulkPostingWindow>(u"frm_FTCR_BulkPosting"_s);
        typeEnter(w->party->edit(), QString::number(f.asha));
        typeInto(w->txt_CBPTNo, QString::number(open));
        typeInto(w->txt_Amount, u"100"_s);
        w->Add_Line();
        struct Case {
            QString arrange, number, message;
        };
        const Case cases[] = {
            {{}, {}, "CANNOT PROCEED, PLEASE ENTER CBPT NO PROPERLY ...."},
            {{}, "999", "CANNOT PROCEED, CBPT NO 999 DOES NOT EXIST ...."},
            {{}, QString::number(open), u"CANNOT PROCEED, CBPT NO %1 IS ALREADY IN THE LIST ...."_s.arg(open)},
            {"UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_CODE='CBPT01' AND DOC_NO=?",
             QString::number(shut), u"CANNOT PROCEED, CBPT NO %1 IS CANCELLED ...."_s.arg(shut)},
            {"UPDATE M_TBL_TRANSACTION SET DOC_STATUS='APPRV', LCK_PAYMENT='Y' WHERE DOC_CODE='CBPT01' AND DOC_NO=?",
             QString::number(shut), u"CANNOT PROCEED, CBPT NO %1 IS LOCKED ...."_s.arg(shut)},
        };
        for (const Case& c : cases) {
            if (!c.arrange.isEmpty())
                f.db().exec(c.arrange, {shut});
            f.ts.answer();
            w->txt_CBPTNo->setText(c.number);
            w->txt_Amount->setText(u"100"_s);
            w->Add_Line();
            QCOMPARE(f.ts.prompter.texts(), QStringList{c.message});
            QCOMPARE(w->lines().size(), size_t(1));
        }
        f.db().exec(u"UPDATE M_TBL_TRANSACTION SET LCK_PAYMENT='Y' WHERE DOC_CODE='CBPT01' AND DOC_NO=?"_s, {open});
        const Footprint before = footprint(f.db(), {u"M_TBL_TRANSACTION"_s});
        f.save(w->txt_Amount);
        QCOMPARE(f.ts.prompter.texts(), QStringList{u"CANNOT PROCEED, CBPT NO %1 IS LOCKED ...."_s.arg(open)});
        QCOMPARE(w->lbl_DocNo->text(), u"0"_s);
        QVERIFY(footprint(f.db(), {u"M_TBL_TRANSACTION"_s}) == before);
    }

    // Whichever statement of a bulk save fails (the fifth line's rows among them), nothing stays
    // and no number is used.
    void bulkSaveIsAtomic() {
        Fixture f;
        auto w = f.open<BulkPostingWindow>(u"frm_FRDB_BulkPosting"_s);
        typeEnter(w->party->edit(), QString::number(f.asha));
        for (int i = 0; i < 5; ++i) {
            typeInto(w->txt_CBPTNo, QString::number(f.newBooking()));
            typeInto(w->txt_Amount, u"500"_s);
            w->Add_Line();
        }
        int statements = 0;
        const QString fault = checkAtomic(
            f.ts.prompter, f.db(), {u"M_TBL_TRANSACTION"_s}, u"FUND TRANSFER SUCCESSFULLY DONE ...."_s, [] {},
            [&] { f.save(w->txt_Amount); }, &statements);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY(statements >= 10);  // the five pairs were each refused in turn
    }
};

QTEST_MAIN(TstVouchers)
#include "tst_vouchers.moc"

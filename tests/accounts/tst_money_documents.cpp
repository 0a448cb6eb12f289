// Money documents: every kind's rows from one table, the receipt posted from the booking in both
// modes, ordered refusals, the adjustment's sides, a booking shut meanwhile, the searches.
#include "accounts/AccountsWindows.h"
#include "accounts/MoneyDocumentWindow.h"
#include "accounts/MoneySearchWindow.h"
#include "bookings/BookingsWindows.h"
#include "bookings/windows/frm_CBPT01.h"
#include "data/BooksCheck.h"
#include "data/Moments.h"
#include "engine/accounts/FundAdjustments.h"
#include "shell/kit/ListGrid.h"
#include "support/DemoWindows.h"
#include "support/Documents.h"
#include "support/SaveProtocol.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QStringList kTables{"M_TBL_TRANSACTION"};
const QString kRows =
    "SELECT DOC_CODE, DB_AMT, CR_AMT, TO_ACC, IN_DOCCODE, IN_DOCNO FROM M_TBL_TRANSACTION "
    "WHERE DOC_CODE <> 'CBPT01' OR DOC_NO = 2 ORDER BY DOC_CODE, DOC_NO";

// The demo booking 1 (DEMO ASHA NAIR) with every booking and money window registered.
struct Fixture : DemoWindows {
    Fixture()
        : DemoWindows([](WindowRegistry& r) {
              registerBookingsWindows(r);
              registerAccountsWindows(r);
          }) {}
    template <class W = MoneyDocumentWindow>
    W* open(const QString& name, const WindowArgs& args = {{{"CBPT_NO", 1}}}) {
        auto* w = static_cast<W*>(registry.open(name, ts.session, nullptr, args));
        showActive(*w);
        return w;
    }
    void save(MoneyDocumentWindow* w, const QString& amount) {
        typeInto(w->txt_Amount, amount);
        ts.answer({true});
        QTest::keyClick(w->txt_Amount, Qt::Key_F3);
    }
};

}  // namespace

class TstMoneyDocuments : public QObject {
    Q_OBJECT
private slots:
    // Each code's rows: side, mirrored pair, TO_ACC and link, from the description's table.
    void everyKindReadBack() {
        TestSession ts;
        ts.db().exec("INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME) VALUES (5, 'ANU')");
        TransactionRecords records(ts.db(), "T");
        records.save(booking(5, "1000"));
        for (const DocumentKind& k : documentKinds()) {
            Document d = posting(k.code, 1, 5, "100.00");
            if (k.side != AmountSide::None)
                d.columns.emplace_back("GRAND_TOTAL", d.amount.toVariant());
            if (k.account == AccountRule::Chosen)
                d.columns.emplace_back("TO_ACC", "ACC9");
            d.side = AmountSide::Debit;
            records.save(d);
        }
        Document credit = posting("FAAN01", 1, 5, "40");
        credit.side = AmountSide::Credit;
        records.save(credit);
        QCOMPARE(moneyLines(ts.db(), kRows),
                 QString("ANCP01|0.00|100.00|ANCP01|CBPT01|1 ANCP02|0.00|100.00|ANCP02|CBPT01|1 "
                         "ANCP03|0.00|100.00|ACC9|CBPT01|1 ANCP08|0.00|100.00|ACC9|| ANDP08|100.00|0.00|ACC9|| "
                         "APCM01|0.00|100.00|ACC9|| APCM02|100.00|0.00|ACC9|| BCAP01|100.00|0.00|ACC9|| "
                         "BDAP01|0.00|100.00|ACC9|| BLFC01|0.00|0.00||| BTCR01|0.00|100.00|ACC9|BTDB01|1 "
                         "BTDB01|100.00|0.00|ACC9|BTCR01|1 CBPT01|100.00|0.00||CBPT01|2 "
                         "FAAN01|100.00|0.00|FAAN01|CBPT01|1 FAAN01|0.00|40.00|FAAN01|CBPT01|1 "
                         "FRCR01|0.00|100.00|FRCR01|CBPT01|1 FRDB01|100.00|0.00|FRDB01|CBPT01|1 "
                         "FRDM01|100.00|0.00|ACC9|| FRDM02|0.00|100.00|ACC9|| FTCR01|0.00|100.00|FTCR01|CBPT01|1 "
                         "FTDB01|100.00|0.00|FTDB01|CBPT01|1 FTREF01|100.00|0.00|FTREF01|CBPT01|1 "
                         "FTREF02|0.00|100.00|FTREF01|CBPT01|1 INV001|0.00|0.00||CBPT01|1 INV006|0.00|0.00||CBPT01|1 "
                         "VBS001|0.00|0.00|||")
                     .split(' '));
        QCOMPARE(checkBooks(ts.db()).problems.join('|'), QString());
        // A pair mirrored but the wrong way round, and an account off its rule, are reported.
        ts.db().exec("UPDATE M_TBL_TRANSACTION SET DB_AMT=CR_AMT, CR_AMT=DB_AMT WHERE DOC_CODE IN ('FRDB01','FRCR01')");
        ts.db().exec("UPDATE M_TBL_TRANSACTION SET TO_ACC='FTREF02' WHERE DOC_CODE='FTREF02'");
        const QStringList found = checkBooks(ts.db()).problems;  // the bulk total check reports the swap too
        for (const char* p : {"FRCR01 1 (IN_DOCNO 1): its amount belongs on the credit side (DB 100.00 CR 0.00)",
                              "FRDB01 1 (IN_DOCNO 1): its amount belongs on the debit side (DB 0.00 CR 100.00)",
                              "FTREF02 1 (IN_DOCNO 1): TO_ACC is FTREF02, not FTREF01"})
            QVERIFY2(found.contains(QLatin1String(p)), p);
        Document wrong = posting("FTCR01", 1, 5, "1");
        wrong.columns.emplace_back("TO_ACC", "XX");
        QVERIFY_THROWS_EXCEPTION(DbError, records.save(wrong));
    }

    // The booking opens the receipt in its mode; the rows are saved, the booking reloads.
    void receiptFromTheBooking() {
        const std::tuple<bool> cases[] = {{false}, {true}};
        for (const auto& [sales] : cases) {
            Fixture f;
            frm_CBPT01 b(f.ts.session, nullptr, sales ? frm_CBPT01::Mode::Sales : frm_CBPT01::Mode::Operations);
            showActive(b);
            QVERIFY(b.Show_Record(1));
            const int before = b.grid("Grid_Receipts")->rowCount();
            QTest::mouseClick(b.postingButton(frm_CBPT01::PostReceipt), Qt::LeftButton);
            auto* w = openedWindow<MoneyDocumentWindow>("frm_CBPT01_FRDB");
            QVERIFY(w && showActive(*w));
            QVERIFY(w->windowTitle().endsWith(sales ? "SALES " : "OPERATION "));
            QCOMPARE(w->party->nameLabel()->text(), "DEMO ASHA NAIR");
            // A blank amount leaves as 0.00 and is refused as zero, before any question.
            w->txt_Amount->setFocus(), w->txt_Amount->clear(), w->txt_Remarks->setFocus();
            QCOMPARE(w->txt_Amount->text(), "0.00");
            f.save(w, "");
            QCOMPARE(f.ts.prompter.texts(), QStringList{"CANNOT PROCEED AS AMOUNT IS ZERO ...."});
            typeInto(w->txt_Remarks, "ADV 'O\"K");
            f.save(w, "5000");
            QCOMPARE(f.ts.prompter.texts().last(), "FUND RECEIVE SUCCESSFULLY DONE ....");
            QCOMPARE(moneyLines(f.db(),
                                "SELECT DOC_CODE, DB_AMT, CR_AMT, TO_ACC, IN_DOCNO, INSTR_DATE FROM M_TBL_TRANSACTION "
                                "WHERE DOC_CODE IN ('FRDB01', 'FRCR01') AND DOC_NO = 2 ORDER BY DOC_CODE"),
                     (QStringList{"FRCR01|0.00|5000.00|FRCR01|1|", "FRDB01|5000.00|0.00|FRDB01|1|"}));
            QCOMPARE(f.db().scalar("SELECT DOC_DESC FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRDB01' AND DOC_NO=2"),
                     "RS 5000.00 PAID VIA BANK TRANSFER VIDE INSTR NO:, INSTR DT:   /  /     REMARKS:ADV 'O\"K");
            QVERIFY(!w->editable() && w->lbl_DocNo->text() == "2");
            QCOMPARE(b.grid("Grid_Receipts")->rowCount(), before + 1);
            QCOMPARE(b.lbl_Balance->text(),
                     "BALANCE AMOUNT : 14270.00");  // 39270 - 20000 (demo) - 5000
            QCOMPARE(checkBooks(f.db()).problems, QStringList());
            w->close();
        }
    }

    // Every refusal in its order, nothing written: receipt, payment and adjustment.
    void refusedInOrder() {
        Fixture f;
        auto* r = f.open("frm_CBPT01_FRDB");
        auto* p = f.open("frm_CBPT01_FTCR");
        auto* a = f.open("frm_FAAN01", {});
        const auto amount = [&](MoneyDocumentWindow* w, const char* text) {
            w->pressTool(2);
            typeInto(w->txt_Amount, text);
        };
        showActive(*r);
        QCOMPARE(checkInOrder(f.ts.prompter, f.db(), kTables,
                              {{"CANNOT PROCEED AS AMOUNT IS ZERO ....", [&] { amount(r, ""); }, r->txt_Amount},
                               {"CANNOT PROCEED, PLEASE SELECT BANK PROPERLY ....",
                                [&] { amount(r, "10"), typeInto(r->Cmb_DBBank, "NO SUCH BANK"); }, r->Cmb_DBBank},
                               {"CANNOT PROCEED, PLEASE SELECT PAYMENT MODE PROPERLY ....",
                                [&] { amount(r, "10"), typeInto(r->Cmb_PaymentMode, "CASHX"); }, r->Cmb_PaymentMode},
                               {"CANNOT PROCEED, PLEASE SELECT INSTR BANK PROPERLY ....",
                                [&] { amount(r, "10"), typeInto(r->Cmb_InstrBank, "."); }, r->Cmb_InstrBank},
                               {"CANNOT PROCEED, PLEASE ENTER INSTR DATE PROPERLY ....",
                                [&] { amount(r, "10"), typeInto(r->txt_InstrDt, "31022026"); }, r->txt_InstrDt}},
                              [&] { r->pressTool(3); }),
                 QString());
        showActive(*p);
        QCOMPARE(checkInOrder(
                     f.ts.prompter, f.db(), kTables,
                     {{"PLEASE ENTER PARTY CODE PROPERLY .....", [&] { amount(p, "0.50"); }, p->party->edit()},
                      {"CANNOT PROCEED AS AMOUNT IS ZERO .....",
                       [&] { amount(p, "0.50"), typeInto(p->party->edit(), "1"), p->party->lookUp(); }, p->txt_Amount}},
                     [&] { p->pressTool(3); }),
                 QString());
        showActive(*a);
        QCOMPARE(checkInOrder(f.ts.prompter, f.db(), kTables,
                              {{"PLEASE ENTER PARTY CODE PROPERLY ...", [&] { amount(a, "5"); }, a->party->edit()},
                               {"PLEASE ENTER CBPT NO PROPERLY ...",
                                [&] { amount(a, "5"), typeInto(a->party->edit(), "1"), a->party->lookUp(); },
                                a->booking->edit()}},
                              [&] { a->pressTool(3); }),
                 QString());
        r->close(), p->close(), a->close();
    }

    // The adjustment's type picks its side; a zero amount is refused.
    void adjustmentSides() {
        Fixture f;
        auto* a = f.open("frm_FAAN01", {});
        const qint64 asha =
            f.db().scalar("SELECT PARTY_CODE FROM M_TBL_PARTY WHERE PARTY_NAME='DEMO ASHA NAIR'").toLongLong();
        const std::pair<const char*, const char*> cases[] = {
            {"DEBIT (+)", "500"}, {"CREDIT (-)", "300"}, {"DEBIT (+)", "0"}};
        for (const auto& [type, amount] : cases) {
            a->pressTool(2);
            typeInto(a->party->edit(), QString::number(asha)), a->party->lookUp();
            typeInto(a->booking->edit(), "1"), a->booking->lookUp();
            choose(a->Cmb_AdjType, type);
            f.save(a, amount);
        }
        QCOMPARE(f.ts.prompter.texts().last(), "CANNOT PROCEED AS AMOUNT IS ZERO ....");
        QCOMPARE(moneyLines(f.db(),
                            "SELECT DB_AMT, CR_AMT, TO_ACC, ADJ_TYPE FROM M_TBL_TRANSACTION WHERE DOC_CODE='FAAN01' "
                            "ORDER BY DOC_NO"),
                 (QStringList{"500.00|0.00|FAAN01|DEBIT (+)", "0.00|300.00|FAAN01|CREDIT (-)"}));
        QCOMPARE(a->lbl_PartyBalance->text(), "19470.00");  // 39270 - 20000 + 500 - 300
        a->close();
    }

    // The adjustment takes a booking billed to its party only: another party's is refused as
    // it is chosen, whichever comes last, and by the save itself.
    void adjustmentTakesOnlyThePartysBooking() {
        Fixture f;
        auto* a = f.open("frm_FAAN01", {});
        const qint64 asha = f.partyCode("DEMO ASHA NAIR"), hotel = f.partyCode("DEMO HILLVIEW HOTEL MUNNAR");
        const QString refused = kNotPartysBooking.arg(1).arg(hotel);
        const auto enter = [](CodeField* c, qint64 code) { typeInto(c->edit(), QString::number(code)), c->lookUp(); };
        const std::tuple<qint64, qint64, QString> cases[] = {{asha, asha, "1"}, {hotel, hotel, ""}, {asha, hotel, ""}};
        for (const auto& [before, after, kept] : cases) {
            a->pressTool(2), f.ts.prompter.clear();
            enter(a->party, before), enter(a->booking, 1), enter(a->party, after);
            QCOMPARE(f.ts.prompter.texts(), kept.isEmpty() ? QStringList{refused} : QStringList{});
            QVERIFY(a->booking->key() == kept && a->lbl_CBPTDate->text().isEmpty() == kept.isEmpty());
        }
        const Footprint before = footprint(f.db(), kTables);
        Document d = posting("FAAN01", 1, hotel, "50");
        d.side = AmountSide::Debit;
        QVERIFY_THROWS_EXCEPTION(DbError, postAdjustment(f.db(), "T", d, "SHUT"));
        QVERIFY(footprint(f.db(), kTables) == before);
        a->close();
    }

    // Payments and refunds list the modes by id (the master's order) and show the party's
    // type; the receipt lists them by name. Saved, their own fields are read-only and grey.
    void paymentModesPartyTypeAndReadOnlyLook() {
        Fixture f;
        f.db().exec("INSERT INTO MST_PAYMODE (MODE_ID, PAY_MODE) VALUES (900, 'A DRAFT')");
        const qint64 hotel = f.partyCode("DEMO HILLVIEW HOTEL MUNNAR");
        const std::tuple<const char*, const char*, QString> cases[] = {{"frm_CBPT01_FTCR", "MODE_ID", "HOTEL"},
                                                                       {"frm_CBPT01_FTRF", "MODE_ID", "HOTEL"},
                                                                       {"frm_CBPT01_FRDB", "PAY_MODE", {}}};
        for (const auto& [name, order, type] : cases) {
            auto* w = f.open(name);
            QCOMPARE(items(w->Cmb_PaymentMode),
                     lines(f.db(), QString("SELECT PAY_MODE FROM MST_PAYMODE ORDER BY ") + order));
            if (w->lbl_PartyType)
                typeInto(w->party->edit(), QString::number(hotel)), w->party->lookUp();
            QCOMPARE(w->lbl_PartyType ? w->lbl_PartyType->text() : QString(), type);
            const auto grey = [&](bool on) {
                for (QLineEdit* e : {w->txt_InstrNO, w->txt_Amount, w->txt_Remarks, w->party->edit()})
                    if (e != w->party->edit() || on)  // a receipt's party is never typed in
                        QVERIFY2(e->isReadOnly() == on &&
                                     (e->palette().color(QPalette::Base) == QColor(224, 224, 224)) == on,
                                 qPrintable(e->objectName()));
            };
            grey(false);
            typeInto(w->txt_Remarks, "PAID");
            f.save(w, "100");
            grey(true);
            w->close();
        }
    }

    // A receipt window opened before its booking was locked, or cancelled, saves nothing.
    void shutBookingRefused() {
        Fixture f;
        auto* w = f.open("frm_CBPT01_FRDB");
        for (const char* shut : {"LCK_MONEYRCPT='Y'", "LCK_MONEYRCPT=NULL, DOC_STATUS='CNCL'"}) {
            f.db().exec(QString("UPDATE M_TBL_TRANSACTION SET %1 WHERE DOC_CODE='CBPT01' AND DOC_NO=1").arg(shut));
            const Footprint before = footprint(f.db(), kTables);
            f.save(w, "100");
            QCOMPARE(f.ts.prompter.texts().last(), "CBPT IS CANCELLED OR LOCKED, UNABLE TO PROCEED ....");
            QVERIFY(footprint(f.db(), kTables) == before && w->editable() && w->lbl_DocNo->text() == "0");
        }
        w->close();
    }

    // By status, party and date range; a chosen row hands its number back.
    void searchesHandBackTheNumber() {
        Fixture f;
        TransactionRecords records(f.db(), "T");
        const QDate day(2026, 3, 10);
        const std::pair<int, int> made[] = {{1, 0}, {2, 1}, {1, 40}, {1, 0}};  // party, day
        for (const auto& [party, days] : made) {
            Document d = receipt(1, party, "10");
            d.columns.front().second = dateToDb(day.addDays(days));  // as the windows store it
            records.save(d);
        }
        records.cancel("FRDB01", 5, {1}, "WRONG");
        QString picked;
        const auto shown = [](MoneySearchWindow* w, int col) {
            QStringList out;
            for (int r = 0; r < w->Grid1->rowCount(); ++r)
                out << w->Grid1->text(r, col);
            return out;
        };
        auto* s = f.open<MoneySearchWindow>("frm_Search_FRDB01", {{}, [&](const QString& n) { picked = n; }});
        QCOMPARE(items(s->Cmb_Status), (QStringList{"APPRV", "CNCL"}));
        s->txt_FromDate->setDate(day), s->txt_ToDate->setDate(day.addDays(1));
        s->Option2->click(), s->txt_PartyCode->setText("1");
        s->Load_Grid();
        QCOMPARE(shown(s, MoneySearchWindow::ColNumber), QStringList{"2"});
        s->Option1->click(), s->Load_Grid();
        QCOMPARE(shown(s, MoneySearchWindow::ColNumber), (QStringList{"3", "2"}));
        choose(s->Cmb_Status, "CNCL"), s->Load_Grid();
        QCOMPARE(shown(s, MoneySearchWindow::ColNumber), QStringList{"5"});
        QVERIFY(s->pickRow(0) && picked == "5");
        auto* p = f.open<MoneySearchWindow>("frm_Search_FTCR01", {});
        p->txt_FromDate->setDate(QDate(2000, 1, 1)), p->Load_Grid();
        QCOMPARE(shown(p, MoneySearchWindow::ColPartyName), QStringList{"DEMO HILLVIEW HOTEL MUNNAR"});
        p->close();
    }
};

QTEST_MAIN(TstMoneyDocuments)
#include "tst_money_documents.moc"

// The miscellaneous advice notes and the single window service, over the demo pair ANDP08 1 / ANCP08 1.
#include "bookings/BookingsWindows.h"
#include "bookings/family/CancellationWindow.h"
#include "bookings/family/MiscNoteWindow.h"
#include "bookings/windows/frm_SWS_ANCPANDP08.h"
#include "bookings/windows/frm_Search_SWS.h"
#include "data/BooksCheck.h"
#include "shell/kit/ListGrid.h"
#include "support/DemoWindows.h"
#include "support/SaveProtocol.h"

#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList kTables{u"M_TBL_TRANSACTION"_s};
const QString kRow =
    u"SELECT IN_DOCCODE, IN_DOCNO, PARTY_CODE, TO_ACC, DB_AMT, CR_AMT, GRAND_TOTAL, AMT_INWORDS, "
    "REMARKS, DOC_DESC, DOC_STATUS FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?"_s;
const QDate kToday = QDate::currentDate();
struct Fixture : DemoWindows {
    qint64 hillview = 0, malabar = 0;
    Fixture()
        : DemoWindows([](WindowRegistry& r) {
              registerMiscNoteWindows(r);
              registerCancellationWindows(r);
          }) {
        hillview = partyCode(u"DEMO HILLVIEW HOTEL MUNNAR"_s);
        malabar = partyCode(u"DEMO MALABAR TRAVELS"_s);
    }
    QStringList save(TaskWindow& w) {
        ts.answer({true});
        w.pressTool(3);
        return ts.prompter.texts();
    }
    QString row(const QString& code, qint64 n) { return moneyLines(ts.db(), kRow, {code, n}).value(0); }
};

void code(CodeField* f, qint64 c) {
    typeEnter(f->edit(), QString::number(c));
}

// A service of the hotel sold to the customer: typed, non-ASCII name set as a paste would.
void fill(Fixture& f, frm_SWS_ANCPANDP08& w) {
    w.Load_Init();
    w.txt_DocDate->setDate(kToday.addDays(-3));
    w.txt_TourDate->setDate(kToday.addDays(20));
    code(w.party, f.asha);
    code(w.vendor, f.hillview);
    choose(w.Cmb_ServType, u"TRAIN TICKET"_s);
    w.txt_ServiceName->setText(u"MAVELI EXP 'AC' – CHENNAI"_s);
    typeInto(w.txt_SellAmt, u"1000"_s);
    typeInto(w.txt_BuyAmt, u"800"_s);
}

}  // namespace

class tst_misc_notes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Each plain note: checks in order, the amount on its own side (the other 0), its words.
    void plainNoteRows() {
        Fixture f;
        for (const auto& [name, side] :
             {std::pair{u"frm_ANCP08"_s, u"0.00|1234.50"_s}, {u"frm_ANDP08"_s, u"1234.50|0.00"_s}}) {
            auto w = f.open<MiscNoteWindow>(name);
            const QString brief = name.mid(4, 4);
            const QString fault = checkInOrder(
                f.ts.prompter, f.ts.db(), kTables,
                {{u"CANNOT PROCEED WITH %1, PLEASE ENTER PARTY CODE PROPERLY ..."_s.arg(brief), {}, w->party->edit()},
                 {u"AMOUNT CANNOT BE ZERO ...."_s, [&] { code(w->party, f.malabar); }, w->txt_Amount},
                 {u"PLEASE ENTER DESCRIPTION ...."_s, [&] { typeInto(w->txt_Amount, u"1234.50"_s); }, w->txt_Desc}},
                [&] { f.save(*w); });
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
            w->txt_Desc->setText(u"PORTER \"TIPS\" – Ü"_s);
            QVERIFY(f.save(*w).value(0).contains(u" %1 AMOUNT : 1234.50\n"_s.arg(brief)));
            QCOMPARE(f.row(name.mid(4), w->number()),
                     u"||%1||%2|1234.50|One Thousand Two Hundred and Thirty Four Rupees Only /-||"
                     "PORTER \"TIPS\" – Ü|APPRV"_s.arg(f.malabar)
                         .arg(side));
        }
    }

    // A new pair: each row names the other's number (ANCP08 is ahead of ANDP08 here).
    void pairRowsNameEachOther() {
        Fixture f;
        TransactionRecords(f.ts.db(), u"X"_s)
            .save(Document{u"ANCP08"_s, 0, 0, {{u"PARTY_CODE"_s, f.malabar}}, Money::fromRupees(5)});
        auto w = f.open<frm_SWS_ANCPANDP08>(u"frm_SWS_ANCPANDP08"_s);
        fill(f, *w);
        QCOMPARE(f.save(*w).value(1), u"SINGLE WINDOW SERVICE SUCCESSFULLY DONE ...."_s);
        QCOMPARE(f.row(u"ANDP08"_s, 2),
                 u"ANCP08|3|%1|TICKET|1000.00|0.00|1000.00|One Thousand Rupees Only /-|MAVELI EXP 'AC' – CHENNAI|"
                 "ANDP08 - RS 1000.00 TO RECEIVED FOR TRAIN TICKET - MAVELI EXP 'AC' – CHENNAI, V.O : "
                 "DEMO HILLVIEW HOTEL MUNNAR, CODE : %2, ANCP08 NO : 3|APPRV"_s.arg(f.asha)
                     .arg(f.hillview));
        QCOMPARE(f.row(u"ANCP08"_s, 3),
                 u"ANDP08|2|%1|TICKET|0.00|800.00|800.00|Eight Hundred Rupees Only /-|MAVELI EXP 'AC' – CHENNAI|"
                 "ANCP08 - RS 800.00 TO PAID FOR TRAIN TICKET - MAVELI EXP 'AC' – CHENNAI, PARTY NAME : "
                 "DEMO ASHA NAIR, ANDP08 NO : 2|APPRV"_s.arg(f.hillview));
        QVERIFY2(checkBooks(f.ts.db()).ok(), qPrintable(checkBooks(f.ts.db()).problems.join('\n')));
    }

    // Checks in order (zero amounts refused); any failed statement keeps nothing, no counter moves.
    void pairSaveProtocol() {
        Fixture f;
        auto w = f.open<frm_SWS_ANCPANDP08>(u"frm_SWS_ANCPANDP08"_s);
        QString fault = checkInOrder(
            f.ts.prompter, f.ts.db(), kTables,
            {{u"PARTY NAME CANNOT BE BLANK ...., PLEASE ENTER PARTY CODE PROPERLY .."_s, {}, w->party->edit()},
             {u"VENDOR NAME CANNOT BE BLANK ...., PLEASE ENTER VENDOR CODE PROPERLY .."_s,
              [&] { code(w->party, f.asha); }, w->vendor->edit()},
             {u"PLEASE SELECT SERVICE TYPE PROPERLY ...."_s, [&] { code(w->vendor, f.malabar); }, w->Cmb_ServType},
             {u"PLEASE ENTER SERVICE NAME, ITS COMPULSORY ...."_s,
              [&] { choose(w->Cmb_ServType, u"AIRPORT TRANSFER"_s); }, w->txt_ServiceName},
             {u"SELLING AMOUNT CANNOT BE ZERO ...."_s, [&] { w->txt_ServiceName->setText(u"X"_s); }, w->txt_SellAmt},
             {u"BUYING AMOUNT CANNOT BE ZERO ...."_s, [&] { typeInto(w->txt_SellAmt, u"10"_s); }, w->txt_BuyAmt}},
            [&] { f.save(*w); });
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        fault = checkAtomic(
            f.ts.prompter, f.ts.db(), kTables, u"SINGLE WINDOW SERVICE SUCCESSFULLY DONE ...."_s, [&] { fill(f, *w); },
            [&] { f.save(*w); });
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    // Modify keeps both numbers; cancelling one row cancels both; a cancelled pair is never rewritten.
    void modifyThenCancel() {
        Fixture f;
        auto w = f.open<frm_SWS_ANCPANDP08>(u"frm_SWS_ANCPANDP08_Mod"_s);
        typeEnter(w->txt_DocNo, u"1"_s);
        typeInto(w->txt_SellAmt, u"1500"_s);
        QCOMPARE(f.save(*w).value(1), u"MODIFICATION SUCCESSFULLY DONE ...."_s);
        QVERIFY(f.row(u"ANDP08"_s, 1).startsWith(u"ANCP08|1|%1|TRANSFER|1500.00|0.00|1500.00|"_s.arg(f.asha)));
        QVERIFY(f.row(u"ANCP08"_s, 1).startsWith(u"ANDP08|1|%1|TRANSFER|0.00|800.00|800.00|"_s.arg(f.malabar)));
        QCOMPARE(counter(f.ts.db(), u"ANDP08"_s) + counter(f.ts.db(), u"ANCP08"_s), 2);

        auto cancel = f.open<CancellationWindow>(u"frm_CNCL_ANCP08"_s);
        typeEnter(cancel->txt_DocNo, u"1"_s);
        cancel->txt_Reason->setText(u"NOT TRAVELLING"_s);
        f.ts.answer({true});
        QTest::mouseClick(cancel->cmd_Cancel, Qt::LeftButton);
        QCOMPARE(count(f.ts.db(), u"M_TBL_TRANSACTION"_s, u"DOC_STATUS='CNCL' AND DOC_CODE LIKE 'AN_P08'"_s), 2);

        typeInto(w->txt_SellAmt, u"2000"_s);
        const Footprint before = footprint(f.ts.db(), kTables);
        QCOMPARE(f.save(*w).value(1), u"ANDP08 1 IS CANCELLED, IT CANNOT BE CHANGED ...."_s);
        QVERIFY(footprint(f.ts.db(), kTables) == before);
        auto fresh = f.open<frm_SWS_ANCPANDP08>(u"frm_SWS_ANCPANDP08_Mod"_s, {{{u"DOC_NO"_s, 1}}});
        QVERIFY(!fresh->editable() && !fresh->pressTool(3) && fresh->txt_SellAmt->text() == u"1500.00"_s);

        f.ts.db().exec(
            u"UPDATE M_TBL_TRANSACTION SET DOC_STATUS='APPRV', CNCL_BY=NULL, CNCL_ON=NULL, "
            "REASON_CNCL=NULL WHERE DOC_CODE='ANDP08'"_s);
        QCOMPARE(checkBooks(f.ts.db()).problems,
                 QStringList{u"ANDP08 1 is APPRV, but its single window partner ANCP08 1 is CNCL"_s});
        f.ts.db().exec(u"UPDATE M_TBL_TRANSACTION SET IN_DOCNO=7 WHERE DOC_CODE='ANCP08'"_s);
        QCOMPARE(checkBooks(f.ts.db()).problems,
                 (QStringList{u"ANCP08 1: its single window partner ANDP08 7 is missing"_s,
                              u"ANDP08 1: its single window partner ANCP08 1 names ANDP08 7 instead"_s}));
    }

    // Each filter finds exactly its pairs, newest first; choosing a row hands its ANDP08 number on.
    void searchFindsByEachFilter() {
        Fixture f;
        auto w = f.open<frm_SWS_ANCPANDP08>(u"frm_SWS_ANCPANDP08"_s);
        fill(f, *w);
        f.save(*w);  // ANDP08 2: 3 days ago, tour in 20 days, TICKET, vendor hillview
        f.ts.db().exec(u"UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_NO=1 AND DOC_CODE LIKE 'AN_P08'"_s);
        QString picked;
        auto s = f.open<frm_Search_SWS>(u"frm_Search_SWS"_s, {{}, [&](const QString& n) { picked = n; }});
        struct Case {
            qint64 dateOn, fromDay, toDay, option, party;  // days from today; option: all, customer, vendor
            QString type, status;
            QStringList found;
        };
        const Case cases[] = {
            {0, -5, 0, 0, 0, {}, {}, {u"1"_s, u"2"_s}}, {0, -5, -3, 0, 0, {}, {}, {u"2"_s}},
            {1, 11, 20, 0, 0, {}, {}, {u"2"_s}},        {1, 0, 30, 1, f.asha, {}, {}, {u"1"_s, u"2"_s}},
            {1, 0, 30, 2, f.malabar, {}, {}, {u"1"_s}}, {1, 0, 30, 0, 0, u"TRAIN TICKET"_s, {}, {u"2"_s}},
            {1, 0, 30, 0, 0, {}, u"CNCL"_s, {u"1"_s}},
        };
        QRadioButton* const options[] = {s->Option1, s->Option2, s->Option3};
        QLineEdit* const codes[] = {nullptr, s->txt_PartyCode, s->txt_VOCode};
        for (const Case& c : cases) {
            s->Cmb_DateOn->setCurrentIndex(c.dateOn);
            s->txt_From->setDate(kToday.addDays(c.fromDay));
            s->txt_To->setDate(kToday.addDays(c.toDay));
            options[c.option]->setChecked(true);
            if (codes[c.option])
                codes[c.option]->setText(QString::number(c.party));
            c.type.isEmpty() ? s->Cmb_ServType->clearChoice() : choose(s->Cmb_ServType, c.type);
            choose(s->Cmb_Status, c.status);
            s->Load_Grid();
            QCOMPARE(column(s->Grid1->model(), frm_Search_SWS::ColANDPNo), c.found);
        }
        enterOn(s->Grid1, 0, 1);
        QCOMPARE(picked, u"1"_s);
    }
};

QTEST_MAIN(tst_misc_notes)
#include "tst_misc_notes.moc"

// The quotation listings and the quotation-agent combination with its search.
#include "data/Moments.h"
#include "engine/admin/DemoData.h"
#include "sales/SalesWindows.h"
#include "sales/frm_LstQGBL01_Det.h"
#include "sales/frm_QGBL01.h"
#include "sales/frm_Quot_Agent_Comb.h"
#include "sales/frm_Search_QuotAgentComb.h"
#include "shell/kit/ListGrid.h"
#include "support/Registered.h"
#include "support/SaveProtocol.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <array>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kExists = QStringLiteral("COMBINATION ALREADY EXISTS, CANNOT PROCEED .....");
const QString kSaved = QStringLiteral("UPDATION OF QUOTATION-AGENT SUCCESSFULLY DONE ....");
const QStringList kTables{QStringLiteral("M_TBL_QUOT_AGENT_COMB")};
const char* kStored = "SELECT DOC_NO, PARTY_CODE, QUOTATION_NO FROM M_TBL_QUOT_AGENT_COMB ORDER BY DOC_NO";

// Two parties with a lead each (7 of party 1, 8 of party 2), quotations 1 (lead 7, 1 Dec),
// 2 (lead 8, 5 Dec) and 3 (lead 7, 6 Dec); quotation 1 has a hotel line of three nights from
// 10 Dec and a vehicle day on 12 Dec, quotation 2 a hotel night on 13 Dec.
struct Fixture : SessionWindows {
    ActingPrompter& p = ts.prompter;

    Fixture() : SessionWindows(registerSalesWindows) {
        Database& db = ts.db();
        const auto day = [](int d) { return dateToDb(QDate(2026, 12, d)); };
        db.exec("INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME) VALUES (1, 'SEA BREEZE TRAVELS'), (2, 'HILL VIEW')");
        db.exec(
            "INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, PARTY_CODE, FILENO, TOURIST_NAME) VALUES "
            "('BLFC01', 7, 1, 'F-7', 'ANNA ''O'' MÜLLER'), ('BLFC01', 8, 2, 'F-8', 'BOB')");
        db.exec("INSERT INTO M_TBL_ITINERARY_HEADER (ITN_DOCNO, ITN_NAME) VALUES (3, 'BACKWATERS')");
        db.exec("INSERT INTO M_TBL_MEALPLAN (MEALPLAN_CODE, MEAL_PLAN) VALUES (91, 'MAP')");
        db.exec("INSERT INTO M_TBL_HOTELROOMTYPE (ROOMTYPE_CODE, ROOM_TYPE) VALUES (91, 'DELUXE')");
        db.exec("INSERT INTO MST_VEHICLEBRANDTYPE (VEH_BRANDID, VEH_BRAND) VALUES (91, 'SUV')");
        for (const auto& q : {std::array{1, 7, 1}, std::array{2, 8, 5}, std::array{3, 7, 6}})
            db.exec(
                "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, LEAD_NO, ITINERARY_NO, DOC_DATE) "
                "VALUES ('QGBL01', ?, ?, 3, ?)",
                {q[0], q[1], day(q[2])});
        const QString dayRow =
            "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, LEAD_NO, ACC_CODE, ACCOUNT_DESC, "
            "TOUR_DATE, CONS_TOURDT, MEALPLAN_CODE, ROOMTYPE_CODE, VEH_BRANDID) VALUES "
            "('QGBL03', ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        const QVariant none(QMetaType(QMetaType::Int));
        for (int d : {10, 11, 12})
            db.exec(dayRow, {1, 7, 1, "HOTEL", day(10), day(d), 91, 91, none});
        db.exec(dayRow, {1, 7, 2, "VEHICLE", day(12), day(12), none, none, 91});
        db.exec(dayRow, {2, 8, 1, "HOTEL", day(13), day(13), 91, 91, none});
    }
    void answer() {
        p.clear();
        p.answers = {true};
    }
};

void show(ListingWindow& w, int from, int to) {
    w.txt_FromDate->setDate(QDate(2026, 12, from));
    w.txt_ToDate->setDate(QDate(2026, 12, to));
    QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
}

}  // namespace

class tst_quotation_lists : public QObject {
    Q_OBJECT
private slots:
    // Rows newest first for each option, the range taking in its to-date; counts equal the rows.
    void quotationListRowsAndCounts() {
        Fixture f;
        frm_QGBL01 w(f.ts.session);
        QVERIFY(showActive(w));
        // The quotations listed, then each party's code and count in name order, then the total.
        struct {
            QRadioButton* option;
            QLineEdit* field;
            const char* text;
            int to;
            QStringList quotations, perParty, total;
        } const cases[] = {{w.Option1, nullptr, "", 5, {"2", "1"}, {"2", "1", "1", "1"}, {"2"}},
                           {w.Option1, nullptr, "", 6, {"3", "2", "1"}, {"2", "1", "1", "2"}, {"3"}},
                           {w.Option2, w.txt_LeadNO, "7", 6, {"3", "1"}, {"1", "2"}, {"2"}},
                           {w.Option3, w.txt_PartyCode, "2", 6, {"2"}, {"2", "1"}, {"1"}},
                           {w.Option3, w.txt_PartyCode, "X", 6, {}, {}, {}}};
        for (const auto& c : cases) {
            QTest::mouseClick(c.option, Qt::LeftButton);
            if (c.field)
                c.field->setText(c.text);
            show(w, 1, c.to);
            QCOMPARE(column(w.Grid1->model(), frm_QGBL01::ColQuotNo), c.quotations);
            QCOMPARE(column(w.Grid2->model(), 1) + column(w.Grid2->model(), 3), c.perParty);
            QCOMPARE(column(w.Grid3->model(), 0), c.total);
        }
        typeEnter(w.txt_PartyCode, "1");
        QCOMPARE(w.lbl_PartyName->text(), QStringLiteral("SEA BREEZE TRAVELS"));
    }

    // A row per night and vehicle day, both kinds with their names, in day order, within the
    // range; highlighted only while a booking of the lead and quotation is live, by one query.
    void detailedListRowsKindsAndHighlight() {
        Fixture f;
        frm_LstQGBL01_Det w(f.ts.session);
        QVERIFY(showActive(w));
        using W = frm_LstQGBL01_Det;
        const auto col = [&](int c) { return column(w.Grid1->model(), c); };
        show(w, 10, 12);
        QCOMPARE(col(W::ColTourDate), (QStringList{"10/12/2026", "11/12/2026", "12/12/2026", "12/12/2026"}));
        QCOMPARE(col(W::ColVehBrand) + col(W::ColMeal) + col(W::ColRoomType),
                 (QStringList{"", "", "", "SUV", "MAP", "MAP", "MAP", "", "DELUXE", "DELUXE", "DELUXE", ""}));
        QCOMPARE(col(W::ColTourist).first(), QStringLiteral("ANNA 'O' MÜLLER"));
        QTest::mouseClick(w.Option4, Qt::LeftButton);
        choose(w.Cmb_AccDesc, "VEHICLE");
        show(w, 10, 13);
        QCOMPARE(col(W::ColVehBrand), QStringList{"SUV"});
        QTest::mouseClick(w.Option3, Qt::LeftButton);
        w.txt_PartyCode->setText("2");
        show(w, 10, 13);
        QCOMPARE(col(W::ColQuotNo), QStringList{"2"});

        QTest::mouseClick(w.Option1, Qt::LeftButton);
        f.db().exec("INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, LEAD_NO) VALUES ('CBPT01', 50, 7)");
        for (auto [quotation, status, booked] : {std::tuple{0, "APPRV", false}, std::tuple{1, "CNCL", false},
                                                 std::tuple{3, "APPRV", false}, std::tuple{1, "APPRV", true}}) {
            f.db().exec("UPDATE M_TBL_TRANSACTION SET QUOTATION_NO=?, DOC_STATUS=? WHERE DOC_CODE='CBPT01'",
                        {quotation, status});
            show(w, 10, 12);
            QCOMPARE(w.Grid1->model()->index(0, 0).data(Qt::BackgroundRole) == QVariant(W::bookedColour()), booked);
            QCOMPARE(w.detailModel()->statementsSinceLoad(), 1);
        }
    }

    // The demonstration quotation is in both lists, with all of its hotel and vehicle day rows.
    void demoQuotationInBothLists() {
        TestSession ts;
        QVERIFY(addDemoData(ts.db()).added);
        frm_QGBL01 list(ts.session);
        list.Load_Grid();  // both dates start at today, the demo quotation's date
        QCOMPARE(column(list.Grid1->model(), frm_QGBL01::ColQuotNo),
                 lines(ts.db(), "SELECT DOC_NO FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01'"));
        frm_LstQGBL01_Det det(ts.session);
        det.txt_ToDate->setDate(QDate::currentDate().addDays(90));
        det.Load_Grid();
        QCOMPARE(det.Grid1->rowCount(),
                 int(count(ts.db(), "M_TBL_QUOTATION", "DOC_CODE='QGBL03' AND ACCOUNT_DESC IN ('HOTEL','VEHICLE')")));
    }

    // A pair once per agent and quotation (also when another connection adds it meanwhile: no
    // number used), a second agent allowed; delete by key, a row gone meanwhile reported.
    void combinationSaveDuplicateAndDelete() {
        Fixture f;
        frm_Quot_Agent_Comb w(f.ts.session, nullptr);
        QVERIFY(showActive(w));
        auto fill = [&](const char* party, const char* quotation) {
            w.Load_Init();
            typeEnter(w.txt_PartyCode, party);
            typeEnter(w.txt_QuotNo, quotation);
        };
        const QString err =
            checkInOrder(f.p, f.db(), kTables,
                         {{"PLEASE ENTER PARTY CODE .....", [&] { w.Load_Init(); }, w.txt_PartyCode},
                          {"PLEASE ENTER QUOTATION NO .....", [&] { typeEnter(w.txt_PartyCode, "1"); }, w.txt_QuotNo}},
                         [&] { w.pressTool(3); });
        QVERIFY2(err.isEmpty(), qPrintable(err));
        const QString atomic = checkAtomic(
            f.p, f.db(), kTables, kSaved, [&] { fill("1", "1"); }, [&] { w.pressTool(3); });
        QVERIFY2(atomic.isEmpty(), qPrintable(atomic));
        const auto stored = [&] { return lines(f.db(), kStored); };
        QCOMPARE(stored(), QStringList{"1|1|1"});
        QVERIFY(f.p.texts().first().contains(" ITINERARY : BACKWATERS"));
        const auto save = [&](const char* party, const char* quotation) {
            fill(party, quotation);
            f.answer();
            w.pressTool(3);
            return f.p.texts().join(" | ");
        };
        QCOMPARE(save("1", "1"), kExists);  // refused before the question
        QVERIFY(save("2", "1").endsWith(kSaved));
        QCOMPARE(w.number(), 2);
        auto other = f.ts.t.connect("other");
        f.p.onQuestion = [&] {
            other->exec("INSERT INTO M_TBL_QUOT_AGENT_COMB VALUES (99, 2, 2, 'X', NULL, 'X', NULL)");
        };
        QVERIFY(save("2", "2").endsWith(kExists));
        QCOMPARE(w.number(), 0);
        QCOMPARE(counter(f.db(), "QAC001"), 2);
        QCOMPARE(stored(), (QStringList{"1|1|1", "2|2|1", "99|2|2"}));

        const auto remove = [&](qint64 n) {
            n ? w.Show_Record(n) : w.Load_Init();
            f.answer();
            w.pressTool(5);
            return f.p.texts().last();
        };
        QCOMPARE(remove(0), QStringLiteral("PLEASE SELECT DOCUMENT PROPERLY ...."));
        QCOMPARE(remove(1), QStringLiteral("COMBINATION DELETED SUCCESSFULLY ...."));
        f.p.onQuestion = [&] { other->exec("DELETE FROM M_TBL_QUOT_AGENT_COMB WHERE DOC_NO=2"); };
        QCOMPARE(remove(2), QString::fromLatin1(kChangedByAnotherUser));
        QCOMPARE(stored(), QStringList{"99|2|2"});
    }

    // The to-date runs to its end (18:30 found, the next morning not); a chosen row is shown.
    void searchToEndOfDayAndPick() {
        Fixture f;
        for (const auto& c : {std::array{4, 2, 2, 9, 9}, std::array{5, 1, 1, 10, 18}, std::array{6, 2, 1, 11, 9}})
            f.db().exec("INSERT INTO M_TBL_QUOT_AGENT_COMB VALUES (?, ?, ?, NULL, ?, NULL, NULL)",
                        {c[0], c[1], c[2], QDateTime(QDate(2026, 12, c[3]), QTime(c[4], 30))});
        frm_Quot_Agent_Comb w(f.ts.session, nullptr);
        QVERIFY(showActive(w));
        w.pressTool(4);
        QPointer<frm_Search_QuotAgentComb> s = w.findChild<frm_Search_QuotAgentComb*>();
        QVERIFY(s);
        show(*s, 9, 10);
        QCOMPARE(column(s->Grid1->model(), frm_Search_QuotAgentComb::ColDocNo), (QStringList{"5", "4"}));
        QTest::mouseClick(s->Option2, Qt::LeftButton);
        s->txt_PartyCode->setText("2");
        show(*s, 9, 11);
        QCOMPARE(column(s->Grid1->model(), frm_Search_QuotAgentComb::ColDocNo), (QStringList{"6", "4"}));
        enterOn(s->Grid1, 1, 1);
        QTRY_VERIFY(s.isNull());
        QCOMPARE(w.number(), 4);
        QCOMPARE(w.quotationNo(), 2);
        QCOMPARE(w.lbl_PartyName->text(), QStringLiteral("HILL VIEW"));
    }
};

QTEST_MAIN(tst_quotation_lists)
#include "tst_quotation_lists.moc"

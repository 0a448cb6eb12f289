// The document window base, through a small member: a receipt against a booking. Each rule of
// a posting window once: the ordered checks, nothing on No, the pair saved whole and shown
// read-only, a booking shut after the window opened, every statement's failure, a cancelled
// document shown read-only.
#include "support/Drive.h"
#include "shell/kit/DocumentWindow.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QLineEdit>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const DocumentConfig kReceipt{QStringLiteral("FRDB01"), QStringLiteral("frm_TestReceipt"), QStringLiteral("TEST RECEIPT"),
                              QStringLiteral(" YOU ARE ABOUT TO SAVE THE RECEIPT ...."),
                              QStringLiteral("RECEIPT SAVED ...."), QStringLiteral("PLEASE SELECT PARTY ...."),
                              QStringLiteral("PLEASE SELECT CBPT NO ...."), QStringLiteral("THE CBPT IS LOCKED ....")};
const QStringList kTables{QStringLiteral("M_TBL_TRANSACTION")};

class Receipt : public DocumentWindow {
public:
    QLineEdit* txt_Amount;
    Receipt(Session& s) : DocumentWindow(s, nullptr, kReceipt) {
        txt_Amount = new QLineEdit(this);
        txt_Amount->setObjectName(QStringLiteral("txt_Amount"));
        addField(QStringLiteral("AMOUNT"), txt_Amount);
        Load_Init();
    }
    QList<Check> ownChecks() override {
        return {{[this] { return amount().isZero(); }, txt_Amount, QStringLiteral("PLEASE ENTER AMOUNT ....")}};
    }
    QList<std::pair<QString, QString>> questionLines() override { return {{QStringLiteral(" AMOUNT : "), amount().toString()}}; }
    Columns ownColumns() override { return {{QStringLiteral("REMARKS"), QStringLiteral("TEST")}}; }
    Money amount() const override { return Money::fromText(txt_Amount->text()); }
    void clearOwn() override { txt_Amount->clear(); }
    void showOwn(const QSqlRecord& row) override { txt_Amount->setText(Money::fromVariant(row.value("DB_AMT")).toString()); }
    void setOwnEditable(bool editable) override { txt_Amount->setReadOnly(!editable); }
};

struct Fixture {
    TestSession ts;
    Receipt w{ts.session};
    Fixture() {
        ts.db().exec(QStringLiteral("INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME) VALUES (5, 'ANU TRAVELS'), (6, 'BINU')"));
        ts.db().exec(QStringLiteral("INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_STATUS, PARTY_CODE, IN_DOCCODE, "
                                    "IN_DOCNO, DB_AMT, CR_AMT) VALUES ('CBPT01', 1, 'APPRV', 5, 'CBPT01', 1, 1000, 0)"));
        QVERIFY(showActive(w));
    }
    // Types the booking, the party and the amount as a user would.
    void fill(const QString& amount = QStringLiteral("250.50")) {
        w.pressTool(2);
        for (auto [edit, text] : {std::pair{w.booking->edit(), QStringLiteral("1")}, std::pair{w.party->edit(), QStringLiteral("5")},
                                  std::pair{w.txt_Amount, amount}}) {
            edit->setFocus();
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
        }
    }
    void save() { QTest::keyClick(w.txt_Amount, Qt::Key_F3); }
    int rows(const QString& where) {
        return ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE ") + where).toInt();
    }
};

}  // namespace

class tst_kit_document : public QObject {
    Q_OBJECT
private slots:
    void checksInOrderThenNothingOnNo() {
        Fixture f;
        QCOMPARE(checkInOrder(f.ts.prompter, f.ts.db(), kTables,
                              {{kReceipt.noBooking, [&] { f.w.pressTool(2); }, f.w.booking->edit()},
                               {kReceipt.noParty, [&] {
                                   f.fill();
                                   f.w.party->edit()->setFocus();
                                   QTest::keyClicks(f.w.party->edit(), QStringLiteral("9"));  // typed, not looked up
                               }, f.w.party->edit()},
                               {QStringLiteral("PLEASE ENTER AMOUNT ...."), [&] { f.fill(QStringLiteral("0")); }, f.w.txt_Amount}},
                              [&] { f.save(); }),
                 QString());
        f.fill();
        f.ts.prompter.clear();
        f.ts.prompter.answers = {false};
        f.save();
        QCOMPARE(f.ts.prompter.texts(), QStringList{kReceipt.question + "\n AMOUNT : 250.50\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"});
        QCOMPARE(f.rows(QStringLiteral("DOC_CODE='FRDB01'")), 0);
        QVERIFY(f.w.editable());
    }

    void savesThePairAndShowsItReadOnly() {
        Fixture f;
        f.fill();
        f.ts.prompter.answers = {true};
        f.save();
        QCOMPARE(f.ts.prompter.texts().last(), kReceipt.saved);
        QCOMPARE(f.w.lbl_DocNo->text(), QStringLiteral("1"));
        QVERIFY(!f.w.editable());
        QCOMPARE(f.rows(QStringLiteral("DOC_CODE='FRDB01' AND DOC_NO=1 AND DB_AMT=250.50 AND CR_AMT=0 AND PARTY_CODE=5 "
                                       "AND IN_DOCCODE='CBPT01' AND IN_DOCNO=1 AND DOC_STATUS='APPRV'")),
                 1);
        QCOMPARE(f.rows(QStringLiteral("DOC_CODE='FRCR01' AND DOC_NO=1 AND CR_AMT=250.50 AND DB_AMT=0")), 1);
        QCOMPARE(f.w.party->nameLabel()->text(), QStringLiteral("ANU TRAVELS"));
        QCOMPARE(f.w.booking->nameLabel()->text(), QStringLiteral("ANU TRAVELS"));
        // Read-only: F3 does nothing more.
        f.ts.prompter.clear();
        f.save();
        QVERIFY(f.ts.prompter.messages.isEmpty());
        QCOMPARE(f.rows(QStringLiteral("DOC_CODE='FRDB01'")), 1);
    }

    // Locked or cancelled on another workstation after the booking was looked up: refused
    // inside the save, no number used, the window still editable with what was typed.
    void bookingShutAfterItWasChosenIsRefused() {
        for (const char* change : {"UPDATE M_TBL_TRANSACTION SET LCK_MONEYRCPT='Y' WHERE DOC_CODE='CBPT01'",
                                   "UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_CODE='CBPT01'"}) {
            Fixture f;
            f.fill();
            f.ts.db().exec(QString::fromLatin1(change));
            f.ts.prompter.answers = {true};
            f.save();
            QCOMPARE(f.ts.prompter.texts().last(), kReceipt.bookingShut);
            QCOMPARE(f.w.lbl_DocNo->text(), QStringLiteral("0"));
            QVERIFY(f.w.editable());
            QCOMPARE(f.w.txt_Amount->text(), QStringLiteral("250.50"));
            QCOMPARE(f.rows(QStringLiteral("DOC_CODE IN ('FRDB01','FRCR01')")), 0);
            QVERIFY(f.ts.db().scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE='FRDB01'")).toInt() == 0);
        }
    }

    void saveIsWholeOrNothing() {
        Fixture f;
        QCOMPARE(checkAtomic(f.ts.prompter, f.ts.db(), kTables, kReceipt.saved, [&] { f.fill(); }, [&] { f.save(); }), QString());
        QCOMPARE(f.rows(QStringLiteral("DOC_CODE IN ('FRDB01','FRCR01')")), 2);
    }

    void cancelledDocumentIsShownReadOnly() {
        Fixture f;
        f.fill();
        f.ts.prompter.answers = {true};
        f.save();
        f.ts.db().exec(QStringLiteral("UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_CODE IN ('FRDB01','FRCR01')"));
        f.w.pressTool(2);
        QVERIFY(f.w.Show_Record(1));
        QCOMPARE(f.w.lbl_Status->text(), QStringLiteral("CANCELLED"));
        QCOMPARE(f.w.txt_Amount->text(), QStringLiteral("250.50"));
        QVERIFY(!f.w.editable());
        QVERIFY(!f.w.Show_Record(2));
    }
};

QTEST_MAIN(tst_kit_document)
#include "tst_kit_document.moc"

// The form kit: the task window's conventions (toolbar keys, Escape, Enter, select-on-focus,
// placement, ordered checks, confirmations, typing filters), code lists and code fields,
// database failures shown once, and the document window base through a small member, a
// receipt against a booking: ordered checks, nothing on No, the pair saved whole and shown
// read-only, a booking shut after the window opened, a cancelled document shown read-only.
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/KeyFilters.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace tarvic;
using namespace Qt::StringLiterals;
using namespace tarvic::test;

namespace {
const CodeSource kCountry{"M_TBL_CSP_COUNTRY", "COUNTRY_CODE", "COUNTRY_NAME"};
const CodeSource kState{"M_TBL_CSP_STATE", "STATE_CODE", "STATE_NAME", {"COUNTRY_CODE"}};
const CodeSource kPlace{"M_TBL_CSP_PLACE", "PLACE_CODE", "PLACE_NAME", {"COUNTRY_CODE", "STATE_CODE"}};
const CodeSource kGroup{"M_TBL_PARTYGROUP", "GROUP_CODE", "GROUP_NAME"};

// Countries, their states and places, over a fresh database.
struct Chain {
    TestSession ts;
    QWidget owner;
    CodeList country{ts.session, kCountry, &owner}, state{ts.session, kState, &owner, &country},
        place{ts.session, kPlace, &owner, &state};
    Chain() {
        Database& db = ts.db();
        db.exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA'), (2, 'NEPAL')");
        db.exec(
            "INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (1, 10, 'KERALA'), "
            "(1, 11, 'GOA'), (2, 20, 'BAGMATI')");
        db.exec(
            "INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES "
            "(1, 10, 100, 'KOCHI'), (1, 11, 110, 'PANAJI'), (2, 20, 200, 'KATHMANDU')");
        for (CodeList* l : {&country, &state, &place})
            l->setEditable(true);
        country.load();
    }
};

const DocumentConfig kReceipt{"FRDB01",
                              "frm_TestReceipt",
                              "TEST RECEIPT",
                              " YOU ARE ABOUT TO SAVE THE RECEIPT ....",
                              "RECEIPT SAVED ....",
                              "PLEASE SELECT PARTY ....",
                              "PLEASE SELECT CBPT NO ....",
                              "THE CBPT IS LOCKED ...."};
const QStringList kTables{u"M_TBL_TRANSACTION"_s};

class Receipt : public DocumentWindow {
public:
    QLineEdit* txt_Amount = new QLineEdit(this);
    Receipt(Session& s) : DocumentWindow(s, nullptr, kReceipt) {
        txt_Amount->setObjectName(u"txt_Amount"_s);
        addField(u"AMOUNT"_s, txt_Amount);
        Load_Init();
    }
    QList<Check> ownChecks() override {
        return {{[this] { return amount().isZero(); }, txt_Amount, u"PLEASE ENTER AMOUNT ...."_s}};
    }
    QList<std::pair<QString, QString>> questionLines() override { return {{u" AMOUNT : "_s, amount().toString()}}; }
    Columns ownColumns() override { return {{u"REMARKS"_s, u"TEST"_s}}; }
    Money amount() const override { return Money::fromText(txt_Amount->text()); }
    void clearOwn() override { txt_Amount->clear(); }
    void showOwn(const QSqlRecord& row) override {
        txt_Amount->setText(Money::fromVariant(row.value("DB_AMT")).toString());
    }

    void setOwnEditable(bool editable) override { txt_Amount->setReadOnly(!editable); }
};

struct Fixture {
    TestSession ts;
    Receipt w{ts.session};
    Fixture() {
        ts.db().exec(u"INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME) VALUES (5, 'ANU TRAVELS'), (6, 'BINU')"_s);
        ts.db().exec(
            u"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_STATUS, PARTY_CODE, IN_DOCCODE, "
            "IN_DOCNO, DB_AMT, CR_AMT) VALUES ('CBPT01', 1, 'APPRV', 5, 'CBPT01', 1, 1000, 0)"_s);
        QVERIFY(showActive(w));
    }

    // Types the booking, the party and the amount as a user would.
    void fill(const QString& amount = u"250.50"_s) {
        w.pressTool(2);
        for (auto [edit, text] : {std::pair{w.booking->edit(), u"1"_s}, std::pair{w.party->edit(), u"5"_s},
                                  std::pair{w.txt_Amount, amount}}) {
            edit->setFocus();
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
        }
    }

    void save() { QTest::keyClick(w.txt_Amount, Qt::Key_F3); }
    qint64 rows(const QString& where) { return count(ts.db(), u"M_TBL_TRANSACTION"_s, where); }
};

// A window with four fields and a toolbar that counts presses.
class Probe : public TaskWindow {
public:
    Probe(Session& s, QWidget* parent = nullptr) : TaskWindow(s, parent) {
        setTool(1, kCloseTip, [this] { close(); });
        setTool(3, kSaveTip, [this] { ++saves; });  // out of order on purpose
        setTool(2, kNewTip, [this] { ++news; });
        body()->addWidget(a = new QLineEdit(this));
        body()->addWidget(b = new QLineEdit(this));
        body()->addWidget(notes = new QPlainTextEdit(this));
        body()->addWidget(c = new QLineEdit(this));
    }
    int saves = 0, news = 0;
    QLineEdit *a, *b, *c;
    QPlainTextEdit* notes;
};

struct Form {
    ScriptedPrompter p;
    Session s{.prompter = &p};
    Probe w{s};
    Form() { QVERIFY(showActive(w)); }
};

}  // namespace

class tst_kit_forms : public QObject {
    Q_OBJECT
private slots:
    // Lists follow their parents; a reload keeps the choice; stored codes are kept.
    void codeListsFollowTheirParents() {
        Chain c;
        QCOMPARE(items(&c.country), (QStringList{"INDIA", "NEPAL"}));
        QCOMPARE(c.state.count(), 0);
        QSignalSpy placeCodes(&c.place, &CodeList::codeChanged);
        c.country.setEditText("INDIA");
        QCOMPARE(items(&c.state), (QStringList{"GOA", "KERALA"}));
        c.state.setCurrentIndex(1);
        c.place.setEditText("KOCHI");
        QCOMPARE(c.place.codes(), (QStringList{"1", "10", "100"}));
        QCOMPARE(placeCodes.count(), 1);
        // Only a whole name names a code; a name typed in another case or half typed does not.
        for (const char* typed : {"KOCH", "kochi", "PANAJI"}) {
            c.place.setEditText(typed);
            QVERIFY2(c.place.code().isEmpty(), typed);
        }
        c.place.setEditText(" KOCHI ");
        QCOMPARE(c.place.code(), u"100"_s);
        // Another country: the state and the place shown are cleared and name nothing.
        c.country.setEditText("NEPAL");
        QCOMPARE(items(&c.state), QStringList{"BAGMATI"});
        QCOMPARE(c.state.currentText(), QString());
        QCOMPARE(c.place.count(), 0);
        QVERIFY(c.place.code().isEmpty());
        QVERIFY(c.place.codes().isEmpty());
        // A country that names nothing empties the lists below it.
        c.state.setEditText("BAGMATI");
        QCOMPARE(c.place.count(), 1);
        c.country.setEditText("NEPA");
        QCOMPARE(c.state.count(), 0);
        QCOMPARE(c.place.count(), 0);
        // A list keeping its text looks it up again under the new parent.
        c.state.setKeepsTextOnParentChange(true);
        c.state.setEditText("GOA");  // typed before its country
        QVERIFY(c.state.code().isEmpty());
        c.country.setEditText("INDIA");
        QCOMPARE(c.state.code(), u"11"_s);
        c.country.setEditText("NEPAL");
        QCOMPARE(c.state.currentText(), u"GOA"_s);
        QVERIFY(c.state.code().isEmpty());
        c.state.setKeepsTextOnParentChange(false);
        c.state.setEditText("BAGMATI");
        QSignalSpy stateCodes(&c.state, &CodeList::codeChanged);
        c.ts.db().exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (3, 'BHUTAN')");
        QVERIFY(c.country.load());
        QCOMPARE(c.country.count(), 3);
        QCOMPARE(c.country.code(), u"2"_s);
        QCOMPARE(c.state.code(), u"20"_s);  // same country: the states are not touched
        QCOMPARE(stateCodes.count(), 0);
        // A stored code shown with its name; a code no longer listed is kept as stored.
        c.country.setCode("1");
        QCOMPARE(c.country.currentText(), u"INDIA"_s);
        c.state.setCode("10");
        QCOMPARE(c.place.count(), 1);
        c.place.setCode("999", "GONE");
        QCOMPARE(c.place.currentText(), u"GONE"_s);
        QCOMPARE(c.place.codes(), (QStringList{"1", "10", "999"}));
        c.place.clearChoice();
        QVERIFY(c.place.code().isEmpty());
        // A list that cannot be read says so once and lists nothing.
        c.ts.db().failStatement(1);
        QVERIFY(!c.country.load());
        QCOMPARE(c.ts.prompter.texts(), QStringList{"Statement refused (injected failure)"});
        QCOMPARE(c.country.count(), 0);
        QVERIFY(c.state.code().isEmpty());
    }

    // A code field's key is set only by a look-up that finds; failures shown once.
    void fieldKeysAndFailures() {
        TestSession ts;
        ts.db().exec("INSERT INTO M_TBL_PARTYGROUP (GROUP_CODE, GROUP_NAME) VALUES (4, 'OTM MUMBAI ')");
        QWidget owner;
        CodeField f(ts.session, kGroup, &owner, "txt_GroupCode", "lbl_GroupName");
        PickCallback give;
        f.addPicker("Cmd_Src", [&give](PickCallback cb) { give = cb; });
        f.edit()->setText(" 4 ");
        QVERIFY(f.lookUp());
        QCOMPARE(f.nameLabel()->text(), u"OTM MUMBAI"_s);
        QCOMPARE(f.key(), u"4"_s);
        // Editing the code forgets both until it is looked up again.
        f.edit()->setFocus();
        QTest::keyClick(f.edit(), Qt::Key_Backspace);
        QVERIFY(f.nameLabel()->text().isEmpty());
        QVERIFY(f.key().isEmpty());
        for (const char* typed : {"5", "4A", ""}) {
            f.edit()->setText(typed);
            QVERIFY2(!f.lookUp(), typed);
            QVERIFY(f.key().isEmpty());
        }
        QTest::mouseClick(f.pickButton(), Qt::LeftButton);
        QVERIFY(give);
        give("4");
        QCOMPARE(f.edit()->text(), u"4"_s);
        QCOMPARE(f.key(), u"4"_s);
        f.setLoaded("7", "");  // a stored code whose row has gone is no key
        QVERIFY(f.key().isEmpty());
        QVERIFY(ts.prompter.messages.isEmpty());
        // Failures are shown with the window's own messages where it has them.
        const FailureMessages own{"ALREADY EXISTS ....", "BUSY, TRY AGAIN ....", "CHANGED BY ANOTHER USER ...."};
        const std::tuple<DbError::Kind, QString, QString> cases[] = {
            {DbError::Kind::Duplicate, "UNIQUE constraint failed", own.duplicate},
            {DbError::Kind::Locked, "database is locked", own.locked},
            {DbError::Kind::Changed, "M_TBL_PARTY 7 changed or deleted by another user", own.changed},
            {DbError::Kind::Other, "no such table: X", "no such table: X"}};
        for (const auto& [kind, text, mapped] : cases) {
            QCOMPARE(failureText(DbError(kind, text)), text);
            QCOMPARE(failureText(DbError(kind, text), own), mapped);
        }
        // A real duplicate key from the driver, on either engine, takes the window's message.
        TaskWindow w(ts.session);
        w.setFailureMessages(own);
        const QString insert = "INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA')";
        QVERIFY(w.guarded([&] { ts.db().exec(insert); }));
        QVERIFY(ts.prompter.messages.isEmpty());
        QVERIFY(!w.guarded([&] { ts.db().exec(insert); }));
        QCOMPARE(ts.prompter.texts(), QStringList{own.duplicate});
        QCOMPARE(ts.prompter.messages.first().kind, u"information"_s);
    }

    // Checks in order, nothing on No; on Yes the pair is saved and shown read-only, and as
    // cancelled once it is.
    void checksThenSavedThenReadOnly() {
        Fixture f;
        QCOMPARE(checkInOrder(f.ts.prompter, f.ts.db(), kTables,
                              {{kReceipt.noBooking, [&] { f.w.pressTool(2); }, f.w.booking->edit()},
                               {kReceipt.noParty,
                                [&] {
                                    f.fill();
                                    f.w.party->edit()->setFocus();
                                    QTest::keyClicks(f.w.party->edit(), u"9"_s);  // typed, not looked up
                                },
                                f.w.party->edit()},
                               {u"PLEASE ENTER AMOUNT ...."_s, [&] { f.fill(u"0"_s); }, f.w.txt_Amount}},
                              [&] { f.save(); }),
                 QString());
        f.fill();
        f.ts.prompter.clear();
        f.ts.prompter.answers = {false};
        f.save();
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{kReceipt.question + "\n AMOUNT : 250.50\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"});
        QCOMPARE(f.rows(u"DOC_CODE='FRDB01'"_s), 0);
        QVERIFY(f.w.editable());
        f.fill();
        f.ts.prompter.answers = {true};
        f.save();
        QCOMPARE(f.ts.prompter.texts().last(), kReceipt.saved);
        QCOMPARE(f.w.lbl_DocNo->text(), u"1"_s);
        QVERIFY(!f.w.editable());
        QCOMPARE(f.rows(u"DOC_CODE='FRDB01' AND DOC_NO=1 AND DB_AMT=250.50 AND CR_AMT=0 AND PARTY_CODE=5 "
                        "AND IN_DOCCODE='CBPT01' AND IN_DOCNO=1 AND DOC_STATUS='APPRV'"_s),
                 1);
        QCOMPARE(f.rows(u"DOC_CODE='FRCR01' AND DOC_NO=1 AND CR_AMT=250.50 AND DB_AMT=0"_s), 1);
        QCOMPARE(f.w.party->nameLabel()->text(), u"ANU TRAVELS"_s);
        QCOMPARE(f.w.booking->nameLabel()->text(), u"ANU TRAVELS"_s);
        // Read-only: F3 does nothing more.
        f.ts.prompter.clear();
        f.save();
        QVERIFY(f.ts.prompter.messages.isEmpty());
        QCOMPARE(f.rows(u"DOC_CODE='FRDB01'"_s), 1);
        // Cancelled since: shown read-only as such.
        f.ts.db().exec(u"UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_CODE IN ('FRDB01','FRCR01')"_s);
        f.w.pressTool(2);
        QVERIFY(f.w.Show_Record(1));
        QCOMPARE(f.w.lbl_Status->text(), u"CANCELLED"_s);
        QCOMPARE(f.w.txt_Amount->text(), u"250.50"_s);
        QVERIFY(!f.w.editable());
        QVERIFY(!f.w.Show_Record(2));
    }

    void saveIsWholeOrNothing() {
        Fixture f;
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.ts.db(), kTables, kReceipt.saved, [&] { f.fill(); }, [&] { f.save(); }),
                 QString());
        QCOMPARE(f.rows(u"DOC_CODE IN ('FRDB01','FRCR01')"_s), 2);
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
            QCOMPARE(f.w.lbl_DocNo->text(), u"0"_s);
            QVERIFY(f.w.editable());
            QCOMPARE(f.w.txt_Amount->text(), u"250.50"_s);
            QCOMPARE(f.rows(u"DOC_CODE IN ('FRDB01','FRCR01')"_s), 0);
            QCOMPARE(counter(f.ts.db(), u"FRDB01"_s), 0);
        }
    }

    // Enter moves on as Tab except in a multi-line box or a field with its own Enter action;
    // a field entered selects what it holds; a function key presses its button unless
    // disabled; Escape closes from any field, with or without a toolbar.
    void keysAsTheUserPressesThem() {
        Form f;
        auto& w = f.w;
        w.b->setText(u"OLD NAME"_s);
        w.a->setFocus();
        QTest::keyClick(w.a, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.b);
        QTest::keyClick(w.b, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), w.notes);
        QTest::keyClick(w.notes, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.notes);
        QCOMPARE(w.notes->toPlainText(), u"\n"_s);
        int searched = 0;
        w.onEnter(w.c, [&] { ++searched; });
        w.c->setFocus();
        QTest::keyClick(w.c, Qt::Key_Return);
        QCOMPARE(searched, 1);
        QCOMPARE(QApplication::focusWidget(), w.c);
        QTest::mouseClick(w.b, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(w.b->selectedText(), u"OLD NAME"_s);
        QTest::keyClicks(w.b, u"NEW"_s);
        QCOMPARE(w.b->text(), u"NEW"_s);
        w.a->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        auto* button = qobject_cast<QToolButton*>(w.toolbar()->widgetForAction(w.tool(3)));
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(w.b, Qt::Key_F2);
        QCOMPARE(std::pair(w.saves, w.news), std::pair(2, 1));
        w.tool(3)->setEnabled(false);
        QTest::keyClick(w.a, Qt::Key_F3);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.saves, 2);
        w.tool(3)->setEnabled(true);
        QTest::keyClick(w.a, Qt::Key_F3);
        QCOMPARE(w.saves, 3);
        QVERIFY(!w.pressTool(4));  // no button: the key is left to the field
        w.notes->setFocus();
        QTest::keyClick(w.notes, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        TaskWindow bare(f.s);
        auto* field = new QLineEdit(&bare);
        bare.body()->addWidget(field);
        QVERIFY(showActive(bare));
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!bare.isVisible());
    }

    void centredOverItsMainWindow() {
        Form f;
        QWidget main;
        main.setGeometry(100, 80, 1000, 700);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        Probe w(f.s, &main);
        w.resize(300, 200);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QPoint off = w.frameGeometry().center() - main.frameGeometry().center();
        QVERIFY2(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1 && w.isWindow(), qPrintable(QString::number(off.x())));
    }

    // Ordered checks stop at the first failure; a confirmation asks its lines.
    void orderedChecksAndConfirmation() {
        Form f;
        auto& w = f.w;
        w.a->setText(u"X"_s);
        int evaluated = 0;
        auto check = [&](QLineEdit* e, const char* text) {
            return Check{[&evaluated, e] { return ++evaluated, e->text().isEmpty(); }, e, QString::fromLatin1(text)};
        };
        auto run = [&] {
            return runChecks(f.p, &w,
                             {check(w.a, "PLEASE ENTER A ...."), check(w.b, "PLEASE ENTER B ...."),
                              check(w.c, "PLEASE ENTER C ....")});
        };
        w.c->setFocus();
        QVERIFY(!run());
        QCOMPARE(f.p.texts(), QStringList{u"PLEASE ENTER B ...."_s});
        QCOMPARE(evaluated, 2);  // the third check never ran
        QCOMPARE(QApplication::focusWidget(), w.b);
        w.b->setText(u"Y"_s);
        w.c->setText(u"Z"_s);
        f.p.clear();
        QVERIFY(run());
        QVERIFY(f.p.messages.isEmpty());
        Confirmation q{u" YOU ARE ABOUT TO UPDATE STATE ...."_s,
                       {{u" COUNTRY :"_s, u"INDIA"_s}, {u" STATE : "_s, u"KERALA"_s}}};
        QCOMPARE(q.text(),
                 u" YOU ARE ABOUT TO UPDATE STATE ....\n COUNTRY :INDIA\n STATE : KERALA\n"
                 " ARE YOU SURE WANT TO PROCEED (Y/N) ?"_s);
        ScriptedPrompter p;
        p.answers = {true, false};
        QVERIFY(q.ask(p, nullptr));
        QVERIFY(!q.ask(p, nullptr));
        QCOMPARE(p.messages.at(0).kind, u"question"_s);
        QCOMPARE((Confirmation{{}, {}, u"SURE (Y/N) ?"_s}.text()), u"SURE (Y/N) ?"_s);
    }

    // Typed keys pass the key rule ("\b" is Backspace); pasted text never passes a key event,
    // so the same rule guards the whole text. A filter attached again replaces the old one.
    void filtersTypedAndPasted() {
        const KeyFilter A = KeyFilter::Amount, D = KeyFilter::Decimal, N = KeyFilter::Number, U = KeyFilter::Upper;
        const struct {
            KeyFilter filter;
            const char *start, *typed, *pasted, *text;
        } cases[] = {
            // clang-format off
            {A, "", ".1.5.", "", "1.5"}, {A, "", "1.5a-x 9\b\b.25", "", "1.25"}, {A, "1.5", "", ".3", "1.5"},
            {A, "1.5", "", "2x", "1.5"}, {A, "1.5", "", "25", "1.525"}, {A, "", "", ".5", ".5"},
            {D, "", "x12km", "", "12km"}, {D, "", "12km.5x.7\b", "", "12km.5"}, {D, "1.5", "", ".2", "1.5"},
            {N, "", "-12.5-a", "", "-125-"}, {N, "", "", "12.0", ""}, {N, "", "", "-12", "-12"},
            {U, "", "zürich café ßø-9", "", "ZÜRICH CAFÉ ßØ-9"},
            {U, "", "", "o'neil, łódź αθήνα 𐐨", "O'NEIL, ŁÓDŹ ΑΘΉΝΑ 𐐀"},
            // clang-format on
        };
        for (const auto& c : cases) {
            QLineEdit e(QString::fromUtf8(c.start));
            attachFilter(&e, KeyFilter::Upper);  // replaced by the next: "km" stays lower case
            attachFilter(&e, c.filter);
            e.end(false);
            for (QChar ch : QString::fromUtf8(c.typed))
                ch == QLatin1Char('\b') ? QTest::keyClick(&e, Qt::Key_Backspace) : typeChar(&e, ch);
            if (*c.pasted) {
                QGuiApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
                e.paste();
            }
            QVERIFY2(e.text() == QString::fromUtf8(c.text),
                     qPrintable(QString::fromUtf8(c.typed) + u" / "_s + c.pasted));
        }
    }
};

QTEST_MAIN(tst_kit_forms)
#include "tst_kit_forms.moc"

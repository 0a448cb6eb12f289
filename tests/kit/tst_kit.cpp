// The form kit: the task window's keys, ordered checks and typing filters, code lists and
// code fields, database failures shown once; the document window base through a small
// receipt (checks, nothing on No, saved whole and read-only); the
// listing model (pages in one total order, counts, summaries, one-pass export) and grid export,
// whose files are their owner's alone.
#include "data/GridExport.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/ListingWindow.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"
#include "support/UserHome.h"

#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include <sys/stat.h>

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

// Row n (code n, on the n-th at 09:05:07) has kind kKinds[n-1] and amount kAmounts[n-1], NULL
// when empty: listed by kind, then code.
const char kKinds[] = "BABCABACBA";
const char* const kAmounts[] = {"1234.50", "0.10", "-0.75", "", "99999999.99", "0.01", "10", "0.05", "7.77", "1.00"};

struct Rows {
    TestSession ts;
    Rows() {
        Database& db = ts.db();
        db.exec(
            u"CREATE TABLE T_LIST (CODE INTEGER NOT NULL PRIMARY KEY, KIND VARCHAR(10), "
            "AMT NUMERIC(18,2), ON_DAY TIMESTAMP)"_s);
        for (int code = 1; code <= 10; ++code) {
            const QString amount = QString::fromLatin1(kAmounts[code - 1]);
            QVariantList args{code, QString(QChar(kKinds[code - 1])), QDateTime(QDate(2024, 3, code), QTime(9, 5, 7))};
            if (!amount.isEmpty())
                args.insert(2, amount);
            db.exec(u"INSERT INTO T_LIST (CODE, KIND, AMT, ON_DAY) VALUES (?, ?, %1, ?)"_s.arg(
                        amount.isEmpty() ? u"NULL"_s : db.dialect().amount()),
                    args);
        }
    }
    std::unique_ptr<QueryModel> rows(int pageSize) {
        auto m = std::make_unique<QueryModel>(
            ts.db(),
            QList<ListColumn>{ListColumn::serial(u"SLNO"_s, 700), ListColumn::number(u"CODE"_s, u"CODE"_s, 800),
                              ListColumn::text(u"KIND"_s, u"KIND"_s, 800).hiddenColumn(),
                              ListColumn::money(u"AMOUNT"_s, u"AMT"_s, 1400),
                              ListColumn::moment(u"ON"_s, u"ON_DAY"_s, 2000)});
        m->setSelect(u"*"_s);
        m->setOrder(u"KIND, CODE"_s);
        m->setPageSize(pageSize);
        m->setPagesHeld(2);
        return m;
    }
};

// Every column's cells, read row by row from the top as a view scrolling down reads them.
QList<QStringList> columns(const QueryModel& m) {
    QList<QStringList> out(m.columnCount());
    for (int r = 0; r < m.rowCount(); ++r)
        for (int c = 0; c < m.columnCount(); ++c)
            out[c] << m.text(r, c);
    return out;
}

// A member of the listing family over the rows above: a kind option, a code option that
// refuses what is no number, totals per kind, and a click that records the chosen code.
class ItemListing : public ListingWindow {
public:
    QLineEdit* txt_Kind = new QLineEdit(this);
    QLineEdit* txt_Code = new QLineEdit(this);
    QStringList chosen;
    explicit ItemListing(Session& s)
        : ListingWindow(s, nullptr,
                        {.objectName = u"frm_LstItems"_s,
                         .title = u"ITEMS"_s,
                         .statement = u"SELECT {columns} FROM T_LIST WHERE {filter}"_s,
                         .dateColumn = u"ON_DAY"_s,
                         .detail = {.objectName = u"Grid1"_s,
                                    .select = u"*"_s,
                                    .orderBy = u"ON_DAY DESC, CODE"_s,
                                    .columns = {ListColumn::number(u"CODE"_s, u"CODE"_s, 800)}},
                         .summaries = {{.objectName = u"Grid2"_s,
                                        .select = u"KIND, COALESCE(SUM(AMT),0) AS TOTL"_s,
                                        .groupBy = u"KIND"_s,
                                        .orderBy = u"KIND"_s,
                                        .columns = {ListColumn::text(u"KIND"_s, u"KIND"_s, 800),
                                                    ListColumn::money(u"TOTAL"_s, u"TOTL"_s, 1400)}}},
                         .onChosen = [this](ListingWindow& w, int row) { chosen << w.Grid1->text(row, 0); }}) {
        addOption(u"Option1"_s, u"ALL"_s, nullptr, [](ListFilter&) {});
        addOption(u"Option2"_s, u"KIND"_s, txt_Kind, [this](ListFilter& f) { f.equal(u"KIND"_s, txt_Kind->text()); });
        addOption(u"Option3"_s, u"CODE"_s, txt_Code, [this](ListFilter& f) {
            bool ok = false;
            const int code = txt_Code->text().toInt(&ok);
            ok ? f.add(u"CODE=?"_s, {code}) : f.refuse();
        });
    }
    QStringList show(QRadioButton* option) {
        option->setChecked(true);
        QTest::mouseClick(Cmd_Show, Qt::LeftButton);
        return rowTexts(Grid1->model(), 1);
    }
    QStringList totals() const { return rowTexts(summaryGrid(0)->model(), 2); }
};

const ListQuery kAll{u"SELECT {columns} FROM T_LIST WHERE CODE > ?"_s, {0}};

// A member of a zip archive, through unzip(1).
QByteArray zipMember(const QString& zip, const QString& member) {
    QProcess p;
    p.start(u"unzip"_s, {u"-p"_s, zip, member});
    p.waitForFinished(30000);
    return p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
}

}  // namespace

class tst_kit : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    ScriptedPrompter p;

    // Exp_Xls with the save dialog answered by path (and filter, when given).
    void exportTo(QAbstractItemModel* m, const QString& path, const QString& filter = {}) {
        p.clear();
        p.paths = {path};
        p.chosenFilter = filter;
        Exp_Xls(nullptr, m, p);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

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
        QVERIFY(c.state.currentText().isEmpty() && c.place.count() == 0 && c.place.code().isEmpty() &&
                c.place.codes().isEmpty());
        // A country that names nothing empties the lists below it.
        c.state.setEditText("BAGMATI");
        QCOMPARE(c.place.count(), 1);
        c.country.setEditText("NEPA");
        QVERIFY(c.state.count() == 0 && c.place.count() == 0);
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
        QCOMPARE((QStringList{QString::number(c.country.count()), c.country.code(), c.state.code()}),
                 (QStringList{"3", "2", "20"}));
        QCOMPARE(stateCodes.count(), 0);  // same country: the states are not touched
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
        QVERIFY(c.country.count() == 0 && c.state.code().isEmpty());
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
        QCOMPARE((QStringList{f.nameLabel()->text(), f.key()}), (QStringList{"OTM MUMBAI", "4"}));
        // Editing the code forgets both until it is looked up again.
        f.edit()->setFocus();
        QTest::keyClick(f.edit(), Qt::Key_Backspace);
        QVERIFY(f.nameLabel()->text().isEmpty() && f.key().isEmpty());
        for (const char* typed : {"5", "4A", ""}) {
            f.edit()->setText(typed);
            QVERIFY2(!f.lookUp(), typed);
            QVERIFY(f.key().isEmpty());
        }
        QTest::mouseClick(f.pickButton(), Qt::LeftButton);
        QVERIFY(give);
        give("4");
        QCOMPARE((QStringList{f.edit()->text(), f.key()}), (QStringList{"4", "4"}));
        f.setLoaded("7", "");  // a stored code whose row has gone is no key
        QVERIFY(f.key().isEmpty() && ts.prompter.messages.isEmpty());
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
        QVERIFY(w.guarded([&] { ts.db().exec(insert); }) && ts.prompter.messages.isEmpty());
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
        f.ts.answer({false});
        f.save();
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{kReceipt.question + "\n AMOUNT : 250.50\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"});
        QCOMPARE(f.rows(u"DOC_CODE='FRDB01'"_s), 0);
        QVERIFY(f.w.editable());
        f.fill();
        f.ts.prompter.answers = {true};
        f.save();
        QCOMPARE(f.ts.prompter.texts().last(), kReceipt.saved);
        QVERIFY(f.w.lbl_DocNo->text() == u"1"_s && !f.w.editable());
        QCOMPARE(f.rows(u"DOC_CODE='FRDB01' AND DOC_NO=1 AND DB_AMT=250.50 AND CR_AMT=0 AND PARTY_CODE=5 "
                        "AND IN_DOCCODE='CBPT01' AND IN_DOCNO=1 AND DOC_STATUS='APPRV'"_s),
                 1);
        QCOMPARE(f.rows(u"DOC_CODE='FRCR01' AND DOC_NO=1 AND CR_AMT=250.50 AND DB_AMT=0"_s), 1);
        QCOMPARE((QStringList{f.w.party->nameLabel()->text(), f.w.booking->nameLabel()->text()}),
                 QStringList(2, u"ANU TRAVELS"_s));
        // Read-only: F3 does nothing more.
        f.ts.prompter.clear();
        f.save();
        QVERIFY(f.ts.prompter.messages.isEmpty());
        QCOMPARE(f.rows(u"DOC_CODE='FRDB01'"_s), 1);
        // Cancelled since: shown read-only as such.
        f.ts.db().exec(u"UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_CODE IN ('FRDB01','FRCR01')"_s);
        f.w.pressTool(2);
        QVERIFY(f.w.Show_Record(1));
        QCOMPARE((QStringList{f.w.lbl_Status->text(), f.w.txt_Amount->text()}), (QStringList{"CANCELLED", "250.50"}));
        QVERIFY(!f.w.editable() && !f.w.Show_Record(2));
        // Whichever statement of a save is refused, nothing of it is kept.
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.ts.db(), kTables, kReceipt.saved, [&] { f.fill(); }, [&] { f.save(); }),
                 QString());
        QCOMPARE(f.rows(u"DOC_CODE IN ('FRDB01','FRCR01') AND DOC_STATUS='APPRV'"_s), 2);
        // (A booking locked or cancelled since it was looked up: tst_money_documents' shutBookingRefused.)
    }

    void keysAsTheUserPressesThem() {
        Form f;
        auto& w = f.w;
        // Ordered checks stop at the first failure, its message and focus; later ones never run.
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
        QVERIFY(run() && f.p.messages.isEmpty());
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

    void listingModelPagesSummariesListingColoursAndExport() {
        Rows f;
        auto m = f.rows(3);
        m->load(kAll);
        QCOMPARE((QList<int>{m->rowCount(), m->statementsSinceLoad()}), (QList<int>{10, 2}));  // a page, the count
        const QList<QStringList> cells = columns(*m);
        QCOMPARE(cells.at(1), (QStringList{"2", "5", "7", "10", "1", "3", "6", "9", "4", "8"}));
        QCOMPARE(cells.at(0), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        QCOMPARE(cells.at(3),
                 (QStringList{"0.10", "99999999.99", "10.00", "1.00", "1234.50", "-0.75", "0.01", "7.77", "", "0.05"}));
        QCOMPARE(cells.at(4).first(), u"02/03/2024 09:05:07"_s);
        QCOMPARE(m->statementsSinceLoad(), 5);  // one statement per further page
        QVERIFY(m->pagesHeld() <= 2);
        // The first page was dropped on the way down: it is read again.
        QCOMPARE(m->text(1, 1), u"5"_s);
        QCOMPARE(m->statementsSinceLoad(), 6);
        QCOMPARE(m->text(10, 1), QString());
        // A result within one page needs no count; a new load forgets the old rows.
        m->load({u"SELECT {columns} FROM T_LIST WHERE KIND=?"_s, {u"C"_s}});
        QCOMPARE(m->statementsSinceLoad(), 1);
        QCOMPARE(columns(*m).at(1), (QStringList{"4", "8"}));
        m->load({u"SELECT {columns} FROM T_LIST WHERE KIND=?"_s, {u"Z"_s}});
        QCOMPARE(m->rowCount(), 0);
        QueryModel s(f.ts.db(),
                     {ListColumn::serial(u"SLNO"_s, 700), ListColumn::text(u"KIND"_s, u"KIND"_s, 800),
                      ListColumn::number(u"NOS"_s, u"NOS"_s, 800), ListColumn::money(u"TOTAL"_s, u"TOTL"_s, 1400)});
        s.setSelect(u"KIND, COUNT(*) AS NOS, COALESCE(SUM(AMT),0) AS TOTL"_s, u"KIND"_s);
        s.setOrder(u"KIND"_s);
        s.setPageSize(2);
        s.load(kAll);
        QCOMPARE(s.rowCount(), 3);  // groups counted, not rows
        // Exact to the paisa on both engines (SQLite sums REALs).
        QCOMPARE(rowTexts(&s), (QStringList{"1 A 4 100000011.09", "2 B 4 1241.53", "3 C 2 0.05"}));
        ItemListing w(f.ts.session);
        w.txt_FromDate->setDate(QDate(2024, 3, 3));
        w.txt_ToDate->setDate(QDate(2024, 3, 5));  // the whole to-date: 09:05 on the 5th counts
        auto option = [&](const char* name) { return w.findChild<QRadioButton*>(QLatin1String(name)); };
        QCOMPARE(w.show(option("Option1")), (QStringList{"5", "4", "3"}));
        QCOMPARE(w.Grid1->rowCount(), 3);
        // Fitting the columns to the rows shown reads no page beyond the first.
        w.Grid1->queryModel()->setPageSize(2);
        w.txt_FromDate->setDate(QDate(2024, 3, 1));
        w.txt_ToDate->setDate(QDate(2024, 3, 10));
        option("Option1")->setChecked(true);
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(w.Grid1->queryModel()->statementsSinceLoad(), 2);  // a page, the count
        w.Grid1->queryModel()->setPageSize(200);
        w.txt_FromDate->setDate(QDate(2024, 3, 3));
        w.txt_ToDate->setDate(QDate(2024, 3, 5));
        w.show(option("Option1"));
        QCOMPARE(w.totals(), (QStringList{"A 99999999.99", "B -0.75", "C 0.00"}));
        w.txt_Kind->setText(u"B"_s);
        QCOMPARE(w.show(option("Option2")), QStringList{"3"});
        QCOMPARE(w.totals(), QStringList{"B -0.75"});
        // The kind typed stays, but counts only while its option is chosen.
        w.txt_Code->setText(u"4"_s);
        QCOMPARE(w.show(option("Option3")), QStringList{"4"});
        w.txt_Code->setText(u"4 OR 1=1"_s);
        QCOMPARE(w.show(option("Option3")), QStringList{});
        QCOMPARE(w.totals(), QStringList{});
        QVERIFY(f.ts.prompter.messages.isEmpty());
        w.show(option("Option1"));
        enterOn(w.Grid1, 1, 0);
        QCOMPARE(w.chosen, QStringList{"4"});
        // Row colours; an export writes every row in one pass and leaves the pages on screen as
        // they are; a page that cannot be read shows blank and is said once.
        auto coloured = f.rows(3);
        coloured->setRowColours([](const QSqlRecord& r) {
            return r.value(u"KIND"_s).toString() == QLatin1String("B") ? RowColours{Qt::yellow, Qt::blue}
                                                                       : RowColours{};
        });
        coloured->load(kAll);
        QCOMPARE(coloured->index(4, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        QCOMPARE(coloured->index(4, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
        QVERIFY(!coloured->index(0, 1).data(Qt::BackgroundRole).isValid());
        const QString path = dir.filePath(u"rows.xls"_s);
        const int before = coloured->statementsSinceLoad();
        exportTo(coloured.get(), path);
        QCOMPARE(p.texts(), QStringList{u"Successfully Export to "_s + path});
        QCOMPARE(coloured->statementsSinceLoad(), before);
        QVERIFY(coloured->pagesHeld() <= 2);
        const QStringList lines = QString::fromUtf8(contentsOf(path)).split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.at(0), u"\"SLNO\"\t\"CODE\"\t\"KIND\"\t\"AMOUNT\"\t\"ON\""_s);
        QCOMPARE(lines.at(10), u"\"10\"\t\"8\"\t\"C\"\t\"0.05\"\t\"08/03/2024 09:05:07\""_s);
        // Forty rows read a row per page, in order (each page by key from the one before) and
        // scattered (near the top forwards, near the bottom backwards from the end, in the
        // middle by row number); NULL kinds and a descending key included. Each row must sit
        // where one full pass puts it.
        for (int code = 11; code <= 40; ++code)
            f.ts.db().exec(u"INSERT INTO T_LIST (CODE, KIND) VALUES (?, ?)"_s,
                           {code, code % 4 == 0 ? QVariant() : QVariant(QString(QChar('A' + code % 3)))});
        QueryModel one(f.ts.db(), {ListColumn::serial(u"SLNO"_s, 700), ListColumn::number(u"CODE"_s, u"CODE"_s, 800)});
        one.setSelect(u"CODE, KIND"_s);
        one.setOrder(u"KIND DESC, CODE"_s);
        one.setPageSize(1);
        one.load(kAll);
        QStringList streamed, paged;
        one.forEachRow([&](const QStringList& cells) {
            streamed << cells.join('/');
            return true;
        });
        for (int r = 0; r < one.rowCount(); ++r)
            paged << one.text(r, 0) + '/' + one.text(r, 1);
        QCOMPARE(streamed.size(), 40);
        QCOMPARE(paged, streamed);
        one.load(kAll);
        for (int i = 0; i < one.rowCount(); ++i) {  // a stride of 7 never lands next to a page held
            const int r = i * 7 % one.rowCount();
            QCOMPARE(one.text(r, 0) + '/' + one.text(r, 1), streamed.at(r));
        }
        QSignalSpy failed(coloured.get(), &QueryModel::pageFailed);
        f.ts.db().exec(u"DROP TABLE T_LIST"_s);
        QCOMPARE(coloured->text(9, 1), QString());
        QCOMPARE(coloured->text(8, 1), QString());
        QVERIFY(failed.wait(2000));
        QCOMPARE(failed.size(), 1);
    }

    // Pages read on from the one before by key: rows added meanwhile before, among and after
    // the rows shown neither repeat nor push rows out of the pages still to come, whatever the
    // order's direction, NULLs and types (text, amount, moment).
    void pagesReadByKeyKeepTheirPlace() {
        Rows f;
        const struct {
            const char* order;
        } cases[] = {{"KIND, CODE"}, {"KIND DESC, CODE DESC"}, {"AMT, CODE"}, {"ON_DAY DESC, CODE"}};
        for (const auto& c : cases) {
            const QString order = QString::fromLatin1(c.order);
            auto m = f.rows(3);
            m->setOrder(order);
            m->load(kAll);
            QStringList shown, rest;
            for (int r = 0; r < 6; ++r)
                shown << m->text(r, 1);
            const QString day = f.ts.db().dialect().isSqlite() ? u"?"_s : u"CAST(? AS TIMESTAMP)"_s;
            for (const auto& [code, kind, amount, on] :
                 {std::tuple{11, "A", "5.00", QDate(2024, 3, 11)}, std::tuple{12, "D", "", QDate(2024, 3, 12)},
                  std::tuple{13, "0", "-1.00", QDate(2024, 2, 28)}})
                f.ts.db().exec(u"INSERT INTO T_LIST (CODE, KIND, AMT, ON_DAY) VALUES (?, ?, %1, %2)"_s.arg(
                                   *amount ? f.ts.db().dialect().amount() : u"NULL"_s, day),
                               *amount ? QVariantList{code, QString::fromLatin1(kind), QString::fromLatin1(amount),
                                                      QDateTime(on, QTime(9, 5, 7))}
                                       : QVariantList{code, QString::fromLatin1(kind), QDateTime(on, QTime(9, 5, 7))});
            for (int r = 6; r < m->rowCount(); ++r)
                rest << m->text(r, 1);
            auto all = f.rows(100);
            all->setOrder(order);
            all->load(kAll);
            const QStringList now = columns(*all).at(1);
            const QStringList expected = now.mid(now.indexOf(shown.last()) + 1, rest.size());
            QVERIFY2(rest == expected, qPrintable(order + u": "_s + shown.join(' ') + u" | "_s + rest.join(' ')));
            f.ts.db().exec(u"DELETE FROM T_LIST WHERE CODE > 10"_s);
        }
    }

    // A listing exported whole writes each cell as its grid shows it, kind by kind: text
    // trimmed (quotes, commas, a line break and accented letters kept), NULLs blank, amounts
    // with their paise and sign, whole numbers, dates and moments.
    void exportWritesEachCellAsTheGridShowsIt() {
        TestSession ts;
        Database& db = ts.db();
        db.exec(
            u"CREATE TABLE T_CELLS (ID INTEGER NOT NULL PRIMARY KEY, TXT VARCHAR(40), AMT NUMERIC(18,2), "
            "NOS INTEGER, DAY_ON DATE, AT_ON TIMESTAMP)"_s);
        const struct {
            QVariant text, amount, number, day, at;
            QStringList shown;  // TXT, AMT, NOS, DAY_ON, AT_ON, and the code read as text
        } cases[] = {
            // clang-format off
            {u"  O'NEIL \"X\", SONS  "_s, u"1234.50"_s, 7, QDate(2024, 3, 5), QDateTime(QDate(2024, 3, 5), QTime(23, 59, 58)),
             {u"O'NEIL \"X\", SONS"_s, u"1234.50"_s, u"7"_s, u"05/03/2024"_s, u"05/03/2024 23:59:58"_s}},
            {u"LINE ONE\nZÜRICH CAFÉ"_s, u"-0.75"_s, -42, QDate(1999, 12, 31), QDateTime(QDate(2000, 1, 1), QTime(0, 0)),
             {u"LINE ONE\nZÜRICH CAFÉ"_s, u"-0.75"_s, u"-42"_s, u"31/12/1999"_s, u"01/01/2000 00:00:00"_s}},
            {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), {{}, {}, {}, {}, {}}},
            {u"0"_s, u"99999999.99"_s, 0, QDate(2024, 2, 29), QDateTime(QDate(2024, 2, 29), QTime(9, 5, 7, 250)),
             {u"0"_s, u"99999999.99"_s, u"0"_s, u"29/02/2024"_s, u"29/02/2024 09:05:07"_s}},
            {u"PAISE"_s, u"0.05"_s, 2147483647, QDate(2024, 1, 1), QDateTime(QDate(2024, 1, 1), QTime(12, 0)),
             {u"PAISE"_s, u"0.05"_s, u"2147483647"_s, u"01/01/2024"_s, u"01/01/2024 12:00:00"_s}},
            // clang-format on
        };
        int id = 0;
        for (const auto& c : cases) {
            ++id;
            const bool amount = !c.amount.isNull();
            db.exec(u"INSERT INTO T_CELLS (ID, TXT, AMT, NOS, DAY_ON, AT_ON) VALUES (?, ?, %1, ?, ?, ?)"_s.arg(
                        amount ? db.dialect().amount() : u"NULL"_s),
                    amount ? QVariantList{id, c.text, c.amount, c.number, c.day, c.at}
                           : QVariantList{id, c.text, c.number, c.day, c.at});
        }
        const QList<ListColumn> shownColumns{ListColumn::serial(u"SLNO"_s, 700),
                                             ListColumn::text(u"TEXT"_s, u"TXT"_s, 2000),
                                             ListColumn::money(u"AMOUNT"_s, u"AMT"_s, 1400),
                                             ListColumn::number(u"NOS"_s, u"NOS"_s, 800),
                                             ListColumn::date(u"DAY"_s, u"DAY_ON"_s, 1300),
                                             ListColumn::moment(u"AT"_s, u"AT_ON"_s, 2000),
                                             ListColumn::text(u"CODE"_s, u"ID"_s, 600),
                                             ListColumn::byOn(u"BY - ON"_s, "TXT", "AT_ON", 2400),
                                             ListColumn::onBy(u"ON - BY"_s, "AT_ON", "TXT", 2400)};
        const ListColumn about = ListColumn::computed(
            u"ABOUT"_s, 900, [](const QSqlRecord& r) { return r.value(u"TXT"_s).isNull() ? u"NONE"_s : u"SOME"_s; });
        // Without a computed column the export fetches only the fields shown; with one, all.
        for (const bool computed : {false, true}) {
            QueryModel m(db, computed ? shownColumns + QList<ListColumn>{about} : shownColumns);
            m.setSelect(u"*"_s);
            m.setOrder(u"ID"_s);
            m.setPageSize(2);  // pages read apart from the export's one pass
            m.load({u"SELECT {columns} FROM T_CELLS"_s, {}});
            QList<QStringList> exported;
            m.forEachRow([&](const QStringList& cells) {
                exported << cells;
                return true;
            });
            QCOMPARE(exported.size(), qsizetype(std::size(cases)));
            for (int r = 0; r < exported.size(); ++r) {
                const QStringList& shown = cases[r].shown;
                QStringList expected = QStringList{QString::number(r + 1)} + shown;
                expected << QString::number(r + 1)
                         << (cases[r].text.isNull() ? QString() : shown.at(0) + u" - "_s + shown.at(4))
                         << shown.at(4) + u" - "_s + shown.at(0);
                if (computed)
                    expected << (cases[r].text.isNull() ? u"NONE"_s : u"SOME"_s);
                QCOMPARE(exported.at(r), expected);
                for (int c = 0; c < m.columnCount(); ++c)
                    QCOMPARE(m.text(r, c), expected.at(c));
            }
        }
        // (Written to the sheet, quotes doubled and in UTF-8: sheetTextAndWorkbook.)
    }

    // Every cell quoted with inner quotes doubled, hidden columns included, UTF-8 after a
    // byte-order mark; an empty grid gives its headings and one blank line.
    void sheetTextAndWorkbook() {
        QTableWidget grid;
        Load_EmptyGrid(&grid, {{u"SL NO"_s, 800}, {u"NAME"_s, 3000}, {u"CODE"_s, 900, Qt::AlignLeft, true}});
        const QString path = dir.filePath(u"list.xls"_s);
        const QByteArray head = "\xEF\xBB\xBF\"SL NO\"\t\"NAME\"\t\"CODE\"\r\n";
        exportTo(grid.model(), path);
        QCOMPARE(p.texts(), QStringList{u"Successfully Export to "_s + path});
        QCOMPARE(contentsOf(path), head + "\"\"\t\"\"\t\"\"\r\n");
        addGridRow(&grid, {u"1"_s, u"O'NEIL \"X\" & SONS"_s, u"P001"_s});
        addGridRow(&grid, {u"2"_s, u"A\tB"_s, u"P002"_s});
        addGridRow(&grid, {u"3"_s, u"ZÜRICH CAFÉ"_s, QString()});
        exportTo(grid.model(), path);
        QCOMPARE(contentsOf(path), head +
                                       "\"1\"\t\"O'NEIL \"\"X\"\" & SONS\"\t\"P001\"\r\n"
                                       "\"2\"\t\"A\tB\"\t\"P002\"\r\n"
                                       "\"3\"\t\"Z\xC3\x9CRICH CAF\xC3\x89\"\t\"\"\r\n");

        // The routine itself, by default: a tab, no quotes, no mark.
        GridExport::ExportGrid(*grid.model(), path);
        QVERIFY(contentsOf(path).startsWith("SL NO\tNAME\tCODE\r\n1\t"));
        // Cancelled: nothing written, nothing shown. A failure shows its description, never
        // the success message, and leaves no file.
        exportTo(grid.model(), u"   "_s);
        QVERIFY(p.messages.isEmpty());
        for (const QString& bad : {dir.filePath(u"missing/x.xls"_s), dir.filePath(u"missing/x.xlsx"_s)}) {
            exportTo(grid.model(), bad);
            QCOMPARE(p.messages.size(), 1);
            QVERIFY(!p.messages.at(0).text.startsWith(u"Successfully"_s) && !QFile::exists(bad));
        }
        // Numbers are numbers, codes with leading zeros stay text; the workbook filter with a
        // bare name writes a workbook under .xlsx.
        QStandardItemModel m(2, 3);
        m.setHorizontalHeaderLabels({u"CODE"_s, u"NAME"_s, u"AMOUNT"_s});
        const QStringList cells = {"007", "R&D <ONE>", "1234.50", "12", "TWO", "-0.75"};
        for (int i = 0; i < cells.size(); ++i)
            m.setItem(i / 3, i % 3, new QStandardItem(cells.at(i)));
        const QString book = dir.filePath(u"book.xlsx"_s);
        GridExport::ExportWorkbook(m, book);
        const QByteArray sheet = zipMember(book, u"xl/worksheets/sheet1.xml"_s);
        const QByteArray strings = zipMember(book, u"xl/sharedStrings.xml"_s);
        QVERIFY2(!sheet.isEmpty(), "no sheet in the workbook");
        for (const char* s : {"CODE", "NAME", "AMOUNT", "007", "R&amp;D &lt;ONE&gt;", "TWO"})
            QVERIFY2(strings.contains(s), s);
        for (const char* v : {"<v>1234.5</v>", "<v>12</v>", "<v>-0.75</v>"})
            QVERIFY2(sheet.contains(v), v);
        QVERIFY(!strings.contains(">12<"));
        const QString bare = dir.filePath(u"list2"_s);
        exportTo(&m, bare, kWorkbookFilter);
        QCOMPARE(p.texts(), QStringList{u"Successfully Export to "_s + bare + u".xlsx"_s});
        QVERIFY(contentsOf(bare + u".xlsx"_s).startsWith("PK"));
    }

    // Under a umask that leaves new files readable by everyone, the sheet and the workbook, new
    // or written over a file everyone could read, are their owner's alone from their creation,
    // and no partial file stays beside them.
    void exportsAreTheOwnersAlone() {
        const mode_t umask = ::umask(022);
        QTemporaryDir out;
        QStandardItemModel m(1, 2);
        m.setHorizontalHeaderLabels({u"PARTY"_s, u"AMOUNT"_s});
        m.setItem(0, 0, new QStandardItem(u"DEMO JOHN"_s));
        m.setItem(0, 1, new QStandardItem(u"1500.00"_s));
        const QString sheet = out.filePath(u"list.xls"_s), book = out.filePath(u"list.xlsx"_s),
                      plain = out.filePath(u"grid.txt"_s);
        QFile loose(sheet);
        QVERIFY(loose.open(QIODevice::WriteOnly));
        loose.close();
        exportTo(&m, sheet);
        exportTo(&m, book);
        GridExport::ExportGrid(m, plain);
        ::umask(umask);
        for (const QString& path : {sheet, book, plain})
            QVERIFY2(modeOf(path) == 0600, qPrintable(path));
        QVERIFY(contentsOf(sheet).contains("DEMO JOHN") && contentsOf(book).startsWith("PK"));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{u"grid.txt"_s, u"list.xls"_s, u"list.xlsx"_s}));
    }
};

QTEST_MAIN(tst_kit)
#include "tst_kit.moc"

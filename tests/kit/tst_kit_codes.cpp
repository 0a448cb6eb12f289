// Code lists, code fields and database failures shown once, against a real database.
#include "shell/kit/CodeList.h"
#include "shell/kit/TaskWindow.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const CodeSource kCountry{"M_TBL_CSP_COUNTRY", "COUNTRY_CODE", "COUNTRY_NAME"};
const CodeSource kState{"M_TBL_CSP_STATE", "STATE_CODE", "STATE_NAME", {"COUNTRY_CODE"}};
const CodeSource kPlace{"M_TBL_CSP_PLACE", "PLACE_CODE", "PLACE_NAME", {"COUNTRY_CODE", "STATE_CODE"}};
const CodeSource kGroup{"M_TBL_PARTYGROUP", "GROUP_CODE", "GROUP_NAME"};

void seed(Database& db) {
    db.exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA'), (2, 'NEPAL')");
    db.exec(
        "INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (1, 10, 'KERALA'), "
        "(1, 11, 'GOA'), (2, 20, 'BAGMATI')");
    db.exec(
        "INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES (1, 10, 100, 'KOCHI'), "
        "(1, 11, 110, 'PANAJI'), (2, 20, 200, 'KATHMANDU')");
}

struct Chain {
    QWidget owner;
    CodeList country, state, place;
    explicit Chain(Session& s)
        : country(s, kCountry, &owner), state(s, kState, &owner, &country), place(s, kPlace, &owner, &state) {
        for (CodeList* l : {&country, &state, &place})
            l->setEditable(true);
        country.load();
    }
};

QStringList items(const QComboBox& c) {
    QStringList out;
    for (int i = 0; i < c.count(); ++i)
        out << c.itemText(i) + "=" + c.itemData(i).toString();
    return out;
}

}  // namespace

class tst_kit_codes : public QObject {
    Q_OBJECT
private slots:
    void listsFollowTheirParents() {
        TestSession ts;
        seed(ts.db());
        Chain c(ts.session);
        QCOMPARE(items(c.country), (QStringList{"INDIA=1", "NEPAL=2"}));
        QCOMPARE(c.state.count(), 0);

        QSignalSpy placeCodes(&c.place, &CodeList::codeChanged);
        c.country.setEditText("INDIA");
        QCOMPARE(items(c.state), (QStringList{"GOA=11", "KERALA=10"}));
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
        QCOMPARE(c.place.code(), QStringLiteral("100"));

        // Another country: the state and the place shown are cleared and name nothing.
        c.country.setEditText("NEPAL");
        QCOMPARE(items(c.state), QStringList{"BAGMATI=20"});
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
    }

    void keptTextIsLookedUpUnderTheNewParent() {
        TestSession ts;
        seed(ts.db());
        Chain c(ts.session);
        c.state.setKeepsTextOnParentChange(true);
        c.state.setEditText("GOA");  // typed before its country
        QVERIFY(c.state.code().isEmpty());
        c.country.setEditText("INDIA");
        QCOMPARE(c.state.code(), QStringLiteral("11"));
        c.country.setEditText("NEPAL");
        QCOMPARE(c.state.currentText(), QStringLiteral("GOA"));
        QVERIFY(c.state.code().isEmpty());
    }

    void reloadKeepsTheChoiceAndStoredCodesAreKept() {
        TestSession ts;
        seed(ts.db());
        Chain c(ts.session);
        c.country.setEditText("NEPAL");
        c.state.setEditText("BAGMATI");
        QSignalSpy stateCodes(&c.state, &CodeList::codeChanged);
        ts.db().exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (3, 'BHUTAN')");
        QVERIFY(c.country.load());
        QCOMPARE(c.country.count(), 3);
        QCOMPARE(c.country.code(), QStringLiteral("2"));
        QCOMPARE(c.state.code(), QStringLiteral("20"));  // same country: the states are not touched
        QCOMPARE(stateCodes.count(), 0);

        // A stored code shown with its name; a code no longer listed is kept as stored.
        c.country.setCode("1");
        QCOMPARE(c.country.currentText(), QStringLiteral("INDIA"));
        c.state.setCode("10");
        QCOMPARE(c.place.count(), 1);
        c.place.setCode("999", "GONE");
        QCOMPARE(c.place.currentText(), QStringLiteral("GONE"));
        QCOMPARE(c.place.codes(), (QStringList{"1", "10", "999"}));
        c.place.clearChoice();
        QVERIFY(c.place.code().isEmpty());

        // A list that cannot be read says so once and lists nothing.
        ts.db().failStatement(1);
        QVERIFY(!c.country.load());
        QCOMPARE(ts.prompter.texts(), QStringList{"Statement refused (injected failure)"});
        QCOMPARE(c.country.count(), 0);
        QVERIFY(c.state.code().isEmpty());
    }

    void fieldKeySetOnlyByALookUpThatFinds() {
        TestSession ts;
        ts.db().exec("INSERT INTO M_TBL_PARTYGROUP (GROUP_CODE, GROUP_NAME) VALUES (4, 'OTM MUMBAI ')");
        QWidget owner;
        CodeField f(ts.session, kGroup, &owner, "txt_GroupCode", "lbl_GroupName");
        QString picked;
        PickCallback give;
        f.addPicker("Cmd_Src", [&give](PickCallback cb) { give = cb; });

        f.edit()->setText(" 4 ");
        QVERIFY(f.lookUp());
        QCOMPARE(f.nameLabel()->text(), QStringLiteral("OTM MUMBAI"));
        QCOMPARE(f.key(), QStringLiteral("4"));
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
        QCOMPARE(f.edit()->text(), QStringLiteral("4"));
        QCOMPARE(f.key(), QStringLiteral("4"));
        f.setLoaded("7", "");  // a stored code whose row has gone is no key
        QVERIFY(f.key().isEmpty());
        QVERIFY(ts.prompter.messages.isEmpty());
    }

    void failuresShownWithTheWindowsOwnMessages() {
        const FailureMessages own{"ALREADY EXISTS ....", "BUSY, TRY AGAIN ....", "CHANGED BY ANOTHER USER ...."};
        const struct {
            DbError error;
            QString plain, mapped;
        } cases[] = {
            {DbError(DbError::Kind::Duplicate, "UNIQUE constraint failed"), "UNIQUE constraint failed", own.duplicate},
            {DbError(DbError::Kind::Locked, "database is locked"), "database is locked", own.locked},
            {DbError(DbError::Kind::Changed, "M_TBL_PARTY 7 changed or deleted by another user"),
             "M_TBL_PARTY 7 changed or deleted by another user", own.changed},
            {DbError(DbError::Kind::Other, "no such table: X"), "no such table: X", "no such table: X"},
        };
        for (const auto& c : cases) {
            QCOMPARE(failureText(c.error), c.plain);
            QCOMPARE(failureText(c.error, own), c.mapped);
        }

        // A real duplicate key from the driver, on either engine, takes the window's message.
        TestSession ts;
        TaskWindow w(ts.session);
        w.setFailureMessages(own);
        const QString insert = "INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA')";
        QVERIFY(w.guarded([&] { ts.db().exec(insert); }));
        QVERIFY(ts.prompter.messages.isEmpty());
        QVERIFY(!w.guarded([&] { ts.db().exec(insert); }));
        QCOMPARE(ts.prompter.texts(), QStringList{own.duplicate});
        QCOMPARE(ts.prompter.messages.first().kind, QStringLiteral("information"));
    }
};

QTEST_MAIN(tst_kit_codes)
#include "tst_kit_codes.moc"

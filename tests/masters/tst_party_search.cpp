// The party picker: each search key with patterns used exactly as typed (and bound), the
// grid's columns and order, the parties the join drops, and the hand-off to the caller.
#include "support/Drive.h"
#include "masters/PartyWindows.h"
#include "masters/frm_Search_Party.h"
#include "shell/WindowRegistry.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/ListGrid.h"
#include "support/TestSession.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace tarvic;
using namespace tarvic::test;

namespace {

struct Fixture {
    TestSession ts;
    QStringList picked;
    std::unique_ptr<frm_Search_Party> w;

    explicit Fixture(bool withCaller = true) {
        Database& db = ts.db();
        db.exec(QStringLiteral("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (1, 'HOTEL'), (2, 'AGENT')"));
        db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA')"));
        db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (1, 10, 'KERALA')"));
        db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES "
                               "(1, 10, 100, 'MUNNAR'), (1, 10, 101, 'KOCHI')"));
        party(1, "TEA VALLEY RESORT", "JOSE", "9847011111", "stay@teavalley.in", 1, 100);
        party(2, "O'BRIEN TOURS", "SEAN O'BRIEN", "9847022222", "sean@obrien.ie", 2, 101);
        party(3, "TEA COUNTY", "MARY", "04842333444", "tea@county.in", 1, 101);
        party(4, "GHOST HOTEL", "NOBODY", "9847099999", "ghost@nowhere.in", 1, 999);  // place row missing
        PickCallback pick;
        if (withCaller)
            pick = [this](const QString& code) { picked << code; };
        w = std::make_unique<frm_Search_Party>(ts.session, nullptr, pick);
        QVERIFY(showActive(*w));
    }
    void party(qint64 code, const char* name, const char* person, const char* mobile, const char* email, int type, int place) {
        ts.db().exec(QStringLiteral("INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, PERSON_NAME, MOBILE_NOS, EMAIL_ADD, "
                                    "PARTYTYPE_CODE, COUNTRY_CODE, STATE_CODE, PLACE_CODE, PARTY_PASSWORD, "
                                    "CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON) VALUES (?, ?, ?, ?, ?, ?, 1, 10, ?, ?, "
                                    "'ASHA', ?, 'RAJ', ?)"),
                     {code, QString::fromLatin1(name), QString::fromLatin1(person), QString::fromLatin1(mobile),
                      QString::fromLatin1(email), type, place, QStringLiteral("secret-%1").arg(code),
                      QDateTime(QDate(2024, 2, 1), QTime(10, 30)), QDateTime(QDate(2024, 2, 9), QTime(17, 5, 9))});
    }
    // Types into a key's field and presses Enter there.
    QStringList search(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
        return codes();
    }
    QStringList codes() const {
        QStringList out;
        for (int r = 0; r < w->Grid1->rowCount(); ++r)
            out << gridText(w->Grid1, r, 0);
        return out;
    }
};

}  // namespace

class tst_party_search : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void eachKeyUsesItsPatternAsTyped() {
        Fixture f;
        auto* w = f.w.get();
        // Without "%" only whole values match.
        QCOMPARE(f.search(w->txt_PartyName, QStringLiteral("tea")), QStringList{});
        QCOMPARE(f.search(w->txt_PartyName, QStringLiteral("tea county")), QStringList{"3"});
        // Ordered by name; the party whose place is missing never appears.
        QCOMPARE(f.search(w->txt_PartyName, QStringLiteral("%")), (QStringList{"2", "3", "1"}));
        QCOMPARE(f.search(w->txt_PartyName, QStringLiteral("tea%")), (QStringList{"3", "1"}));
        QCOMPARE(f.search(w->txt_PartyName, QStringLiteral("GHOST%")), QStringList{});
        // A quote is only a character of the pattern.
        QCOMPARE(f.search(w->txt_PartyName, QStringLiteral("o'brien%")), QStringList{"2"});
        QCOMPARE(f.search(w->txt_PartyName, QStringLiteral("x' OR '1'='1")), QStringList{});

        QCOMPARE(f.search(w->txt_ContPerson, QStringLiteral("%o'brien")), QStringList{"2"});
        QVERIFY(w->Opt_ContPerson->isChecked());
        QCOMPARE(f.search(w->txt_MobileNos, QStringLiteral("98470%")), (QStringList{"2", "1"}));
        QCOMPARE(f.search(w->txt_MobileNos, QStringLiteral("9847011111")), QStringList{"1"});
        QCOMPARE(f.search(w->txt_EmailAdd, QStringLiteral("%.in")), (QStringList{"3", "1"}));
        QCOMPARE(f.search(w->txt_PartyCode, QStringLiteral("3")), QStringList{"3"});
        QCOMPARE(f.search(w->txt_PartyCode, QStringLiteral("4")), QStringList{});
        // Type and place: the type, one blank, the place.
        QCOMPARE(f.search(w->txt_TypePlace, QStringLiteral("hotel kochi")), QStringList{"3"});
        QCOMPARE(f.search(w->txt_TypePlace, QStringLiteral("HOTEL %")), (QStringList{"3", "1"}));
        QCOMPARE(f.search(w->txt_TypePlace, QStringLiteral("% KOCHI")), (QStringList{"2", "3"}));
        QVERIFY(f.ts.prompter.messages.isEmpty());

        // The show button searches by the chosen key.
        w->Opt_PartyName->setChecked(true);
        w->txt_PartyName->setText(QStringLiteral("%RESORT"));
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(f.codes(), QStringList{"1"});
        // A code that is no number finds nothing and says nothing.
        w->Opt_PartyCode->setChecked(true);
        w->txt_PartyCode->setText(QStringLiteral("1 OR 1=1"));
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(f.codes(), QStringList{});
        QVERIFY(f.ts.prompter.messages.isEmpty());
    }

    void gridColumnsNeverShowPasswords() {
        Fixture f;
        auto* w = f.w.get();
        f.search(w->txt_PartyName, QStringLiteral("TEA VALLEY RESORT"));
        QStringList cells;
        for (int c = 0; c < w->Grid1->columnCount(); ++c)
            cells << gridText(w->Grid1, 0, c);
        QCOMPARE(cells, (QStringList{"1", "TEA VALLEY RESORT", "JOSE", "9847011111", "stay@teavalley.in", "MUNNAR", "KERALA",
                                     "INDIA", "ASHA - 01/02/2024 10:30:00", "RAJ - 09/02/2024 17:05:09"}));
        QVERIFY(!cells.join(QLatin1Char('|')).contains(QStringLiteral("secret")));
        shoot(*w, QStringLiteral("frm_Search_Party"));
    }

    void pickingHandsTheCodeToTheCallerAndCloses() {
        Fixture f;
        auto* w = f.w.get();
        // An empty grid offers nothing to pick.
        f.search(w->txt_PartyName, QStringLiteral("NOTHING"));
        w->Grid1->setFocus();
        QTest::keyClick(w->Grid1, Qt::Key_Return);
        QVERIFY(f.picked.isEmpty());
        QVERIFY(w->isVisible());

        f.search(w->txt_PartyName, QStringLiteral("TEA%"));
        const QRect cell = w->Grid1->visualRect(w->Grid1->model()->index(1, 1));
        QTest::mouseClick(w->Grid1->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(f.picked.isEmpty());  // a single click only chooses the row
        QTest::mouseDClick(w->Grid1->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(f.picked, QStringList{"1"});
        QVERIFY(!w->isVisible());
    }

    void enterInTheGridPicksTheCurrentRow() {
        Fixture f;
        auto* w = f.w.get();
        f.search(w->txt_PartyName, QStringLiteral("%"));
        w->Grid1->setFocus();
        w->Grid1->setCurrentCell(1, 0);
        QTest::keyClick(w->Grid1, Qt::Key_Return);
        QCOMPARE(f.picked, QStringList{"3"});
        QVERIFY(!w->isVisible());
    }

    void fromTheMenuItOnlyLists() {
        Fixture f(false);
        auto* w = f.w.get();
        f.search(w->txt_PartyName, QStringLiteral("%"));
        QVERIFY(!w->pickRow(0));
        QVERIFY(w->isVisible());
    }
};

QTEST_MAIN(tst_party_search)
#include "tst_party_search.moc"

// The registration list (date range to the end of the to-date, filters, counts per type,
// export) and the web access window of logins.
#include "support/Drive.h"
#include "masters/frm_LstPartyRegd.h"
#include "masters/frm_Party.h"
#include "masters/frm_WebAccess.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/ListGrid.h"
#include "support/TestSession.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QDate kDay1(2024, 3, 10);
const QDate kDay2(2024, 3, 11);

void seedLists(Database& db) {
    db.exec(QStringLiteral("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (1, 'HOTEL'), (2, 'AGENT')"));
    db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA'), (2, 'NEPAL')"));
    db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES "
                           "(1, 10, 'KERALA'), (2, 20, 'BAGMATI')"));
    db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES "
                           "(1, 10, 100, 'MUNNAR'), (1, 10, 101, 'KOCHI'), (1, 10, 102, 'THEKKADY'), (2, 20, 200, 'KATHMANDU')"));
}

struct ListFixture {
    TestSession ts;
    std::unique_ptr<frm_LstPartyRegd> w;

    ListFixture() {
        seedLists(ts.db());
        // Around the range 10/03 - 11/03: just before, its first instant, late on each day,
        // and the first instant after it.
        party(1, "BEFORE", 1, 1, 10, 100, QDateTime(kDay1.addDays(-1), QTime(23, 59, 59, 999)));
        party(2, "FIRST INSTANT", 2, 1, 10, 101, QDateTime(kDay1, QTime(0, 0)));
        party(3, "LATE ON DAY ONE", 1, 2, 20, 200, QDateTime(kDay1, QTime(23, 59, 59, 500)));
        party(4, "ON THE TO DATE", 1, 1, 10, 101, QDateTime(kDay2, QTime(10, 0)));
        party(5, "LAST INSTANT", 2, 1, 10, 100, QDateTime(kDay2, QTime(23, 59, 59, 999)));
        party(6, "AFTER", 1, 1, 10, 102, QDateTime(kDay2.addDays(1), QTime(0, 0)));
        w = std::make_unique<frm_LstPartyRegd>(ts.session);
        // Pages of two rows, two held: every list below spans pages, as a long list does.
        w->detailModel()->setPageSize(2);
        w->detailModel()->setPagesHeld(2);
        QVERIFY(showActive(*w));
    }
    void party(qint64 code, const char* name, int type, int country, int state, int place, const QDateTime& created) {
        ts.db().exec(QStringLiteral("INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, PERSON_NAME, MOBILE_NOS, PARTYTYPE_CODE, "
                                    "COUNTRY_CODE, STATE_CODE, PLACE_CODE, PARTY_PASSWORD, CREATED_BY, CREATED_ON) "
                                    "VALUES (?, ?, 'P', '1', ?, ?, ?, ?, 'hidden-pw', 'ASHA', ?)"),
                     {code, QString::fromLatin1(name), type, country, state, place, created});
    }
    void show(const QDate& from, const QDate& to) {
        w->txt_FromDate->setDate(from);
        w->txt_ToDate->setDate(to);
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
    }
    static QStringList column(const ListGrid* g, int c) {
        QStringList out;
        for (int r = 0; r < g->rowCount(); ++r)
            out << gridText(g, r, c);
        return out;
    }
    QStringList codes() const { return column(w->Grid1, 0); }
    QStringList counts() const {
        QStringList out;
        for (int r = 0; r < w->Grid2->rowCount(); ++r)
            out << QStringList{gridText(w->Grid2, r, 0), gridText(w->Grid2, r, 1), gridText(w->Grid2, r, 2)}.join(' ');
        return out;
    }
};

}  // namespace

class tst_party_lists : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void toDateCountsWholeDay() {
        ListFixture f;
        auto* w = f.w.get();
        f.show(kDay1, kDay2);
        // Ordered by type, country, state, place: AGENT before HOTEL, INDIA before NEPAL,
        // KOCHI before MUNNAR.
        QCOMPARE(f.codes(), (QStringList{"2", "5", "4", "3"}));
        QCOMPARE(f.column(w->Grid1, 1), (QStringList{"AGENT", "AGENT", "HOTEL", "HOTEL"}));
        QCOMPARE(f.counts(), (QStringList{"1 AGENT 2", "2 HOTEL 2"}));
        // A single day: everything registered on it, to its last moment.
        f.show(kDay2, kDay2);
        QCOMPARE(f.codes(), (QStringList{"5", "4"}));
        f.show(kDay1, kDay1);
        QCOMPARE(f.codes(), (QStringList{"2", "3"}));
        // A range that ends before it starts lists nothing.
        f.show(kDay2, kDay1);
        QCOMPARE(f.codes(), QStringList{});
        QCOMPARE(f.counts(), QStringList{});
        QVERIFY(f.ts.prompter.messages.isEmpty());
    }

    void aPartySavedTodayIsListedUpToToday() {
        ListFixture f;
        // Saved through the party window: stamped with this moment.
        f.ts.db().exec(QStringLiteral("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 6)"));
        frm_Party party(f.ts.session);
        party.txt_PartyName->setText(QStringLiteral("REGISTERED TODAY"));
        party.txt_ContPerson->setText(QStringLiteral("P"));
        party.txt_MobileNOs->setText(QStringLiteral("1"));
        f.ts.prompter.answers = {true};
        party.Save_Record();
        QCOMPARE(f.ts.prompter.texts().last(), QStringLiteral("UPDATION OF PARTY SUCCESSFULLY DONE ..."));
        const QString code = party.lbl_PartyCode->text();
        QCOMPARE(code, QStringLiteral("7"));
        f.show(QDate::currentDate(), QDate::currentDate());
        QCOMPARE(f.codes(), QStringList{code});
        QCOMPARE(f.column(f.w->Grid1, 2), QStringList{"REGISTERED TODAY"});
    }

    void filtersNarrowBothGrids() {
        ListFixture f;
        auto* w = f.w.get();
        w->Cmb_PartyType->setCurrentIndex(w->Cmb_PartyType->findText(QStringLiteral("HOTEL")));
        f.show(kDay1.addDays(-1), kDay2.addDays(1));
        QCOMPARE(f.codes(), (QStringList{"4", "1", "6", "3"}));
        QCOMPARE(f.counts(), QStringList{"1 HOTEL 4"});
        // Names are LIKE patterns exactly as typed: no "%", whole names only.
        w->txt_Country->setFocus();
        typeKeys(QStringLiteral("ind"));
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(f.codes(), QStringList{});
        w->txt_Country->setText(QStringLiteral("IND%"));
        w->txt_Place->setText(QStringLiteral("MUNNAR"));
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(f.codes(), QStringList{"1"});
        QCOMPARE(f.counts(), QStringList{"1 HOTEL 1"});
        w->Cmb_PartyType->setCurrentIndex(0);  // every type again
        w->txt_Place->clear();
        w->txt_State->setText(QStringLiteral("K%"));
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(f.codes(), (QStringList{"2", "5", "4", "1", "6"}));
        QCOMPARE(f.counts(), (QStringList{"1 AGENT 2", "2 HOTEL 3"}));
        shoot(*w, QStringLiteral("frm_LstPartyRegd"));
    }

    void exportWritesTheListedRows() {
        ListFixture f;
        auto* w = f.w.get();
        f.show(kDay2, kDay2);
        const QString path = f.ts.t.dir() + QStringLiteral("/parties.xls");
        QString askedTitle;
        setSavePathProvider([&](QWidget*, const QString& title, const QString&, QString*) {
            askedTitle = title;
            return path;
        });
        QTest::mouseClick(w->Cmd_Export, Qt::LeftButton);
        QCOMPARE(askedTitle, QStringLiteral("SELECT PATH TO SAVE SPREADSHEET"));
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("Successfully Export to ") + path});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(0).startsWith(QStringLiteral("\"CODE\"\t\"PARTY TYPE\"\t\"PARTY NAME\"")));
        QVERIFY(lines.at(1).startsWith(QStringLiteral("\"5\"\t\"AGENT\"\t\"LAST INSTANT\"")));
        QVERIFY(!lines.join(QString()).contains(QStringLiteral("hidden-pw")));
        // Cancelled: nothing written, nothing said.
        f.ts.prompter.clear();
        setSavePathProvider([](QWidget*, const QString&, const QString&, QString*) { return QString(); });
        QTest::mouseClick(w->Cmd_Export, Qt::LeftButton);
        QVERIFY(f.ts.prompter.messages.isEmpty());
        setSavePathProvider({});
    }

    void webAccessOfALogin() {
        TestSession ts;
        ts.db().exec(QStringLiteral("INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, FULL_NAME, WEB_ACCESS) VALUES "
                                    "(5, 'asha', 'ASHA MENON', 'N'), (6, 'raj', 'RAJ KUMAR', 'Y')"));
        frm_WebAccess w(ts.session, nullptr);
        QVERIFY(showActive(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Allowe / Deny Web Access"));
        auto webAccess = [&](int login) {
            return ts.db().scalar(QStringLiteral("SELECT WEB_ACCESS FROM MST_LOGINDETAILS WHERE LOGIN_ID=?"), {login}).toString();
        };

        w.txt_LoginID->setFocus();
        QTest::keyClick(w.txt_LoginID, Qt::Key_F2);
        QCOMPARE(ts.prompter.texts(), QStringList{QStringLiteral("PLEASE ENTER LOGIN CODE PROPERLY ....")});
        QCOMPARE(QApplication::focusWidget(), w.txt_LoginID);

        typeKeys(QStringLiteral("6x"));  // only digits pass
        QCOMPARE(w.txt_LoginID->text(), QStringLiteral("6"));
        keyToFocus(Qt::Key_Return);
        QCOMPARE(w.lbl_FullName->text(), QStringLiteral("RAJ KUMAR"));
        QCOMPARE(w.Cmb_WebAccess->currentText(), QStringLiteral("Y"));
        QCOMPARE(QApplication::focusWidget(), w.Cmb_WebAccess);
        w.Cmb_WebAccess->setCurrentIndex(w.Cmb_WebAccess->findText(QStringLiteral("N")));
        ts.prompter.clear();
        keyToFocus(Qt::Key_F2);
        QCOMPARE(ts.prompter.texts(), QStringList{QStringLiteral("UPDATION SUCCESSFULLY DONE ....")});
        QCOMPARE(webAccess(6), QStringLiteral("N"));
        QCOMPARE(webAccess(5), QStringLiteral("N"));

        w.txt_LoginID->setText(QStringLiteral("5"));
        w.Show_Record();
        QCOMPARE(w.lbl_FullName->text(), QStringLiteral("ASHA MENON"));
        w.Cmb_WebAccess->setCurrentIndex(w.Cmb_WebAccess->findText(QStringLiteral("Y")));
        ts.prompter.clear();
        w.Save_Record();
        QCOMPARE(webAccess(5), QStringLiteral("Y"));
        QCOMPARE(webAccess(6), QStringLiteral("N"));
        shoot(w, QStringLiteral("frm_WebAccess"));

        // A code that names no login changes nothing and is not reported as done.
        w.txt_LoginID->setText(QStringLiteral("99"));
        w.Show_Record();
        QVERIFY(w.lbl_FullName->text().isEmpty());
        ts.prompter.clear();
        w.Save_Record();
        QCOMPARE(ts.prompter.texts(), QStringList{QStringLiteral("LOGIN CODE NOT FOUND ....")});
        QCOMPARE(ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM MST_LOGINDETAILS WHERE WEB_ACCESS='Y'")).toInt(), 1);
    }
};

QTEST_MAIN(tst_party_lists)
#include "tst_party_lists.moc"

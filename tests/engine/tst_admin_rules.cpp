// Masters and administration without their windows: a login's name is its own, a consultant
// and its login are written together or not at all, a party's web password lands on a party
// that exists, the catalogue of menus travels through its transfer file and merges by its key,
// and a login's rights are replaced as a whole.
#include "data/Numbering.h"
#include "engine/admin/Logins.h"
#include "engine/admin/MenuCatalogue.h"
#include "engine/masters/LookupRows.h"
#include "engine/masters/MasterRows.h"
#include "support/TestDb.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

int count(Database& db, const QString& sql, const QVariantList& values = {}) {
    return db.scalar(sql, values).toInt();
}

QVariant none() {
    return QVariant(QMetaType::fromType<qlonglong>());
}

}  // namespace

class AdminRules : public QObject {
    Q_OBJECT
private slots:
    // Logon looks logins up by name: a second login under a name in any case would shadow the
    // first, and is refused without using a number.
    void aLoginNameIsTakenOnce() {
        TestDb t;
        Database& db = t.db();
        const qint64 first = logins::create(db, u"CLERK"_s, u"THE CLERK"_s, false, u"hash"_s);
        const qint64 next = Numbering(db).Get_Counter(u"LoginId"_s);
        try {
            logins::create(db, u"clerk"_s, u"ANOTHER"_s, true, u"hash"_s);
            QFAIL("a second CLERK was created");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbError::Kind::Refused);
            QCOMPARE(e.message(), u"login CLERK already exists"_s);
        }
        QCOMPARE(Numbering(db).Get_Counter(u"LoginId"_s), next);
        QCOMPARE(count(db, u"SELECT COUNT(*) FROM MST_LOGINDETAILS WHERE UPPER(USER_NAME)='CLERK'"_s), 1);
        const auto row =
            db.firstRow(u"SELECT USER_DESIGNATION, MODULE_FOR FROM MST_LOGINDETAILS WHERE LOGIN_ID=?"_s, {first});
        QCOMPARE(row->value(0).toString(), u"OPERATOR"_s);
        QVERIFY(row->value(1).isNull());
    }

    // The window's save keeps a stored password when none is typed, and a login deleted on
    // another workstation is reported, not added again.
    void aLoginSavedKeepsItsPasswordUnlessGivenOne() {
        TestDb t;
        Database& db = t.db();
        const qint64 id = logins::save(db, {0, u"AGENT"_s, u"AN AGENT"_s, u"SALES"_s, u"EXEC"_s, u"first"_s});
        logins::save(db, {id, u"AGENT"_s, u"AN AGENT"_s, u"ACCOUNTS"_s, u"EXEC"_s, {}});
        const auto row = db.firstRow(
            u"SELECT USER_PASSWORD, MODULE_FOR, USER_DEPARTMENT FROM MST_LOGINDETAILS WHERE LOGIN_ID=?"_s, {id});
        QCOMPARE(row->value(0).toString(), u"first"_s);
        QCOMPARE(row->value(1).toString(), u"ACCOUNTS"_s);
        QCOMPARE(row->value(2).toString(), u"ACCOUNTS"_s);
        QVERIFY(logins::setWebAccess(db, id, u"Y"_s));
        QVERIFY(!logins::setWebAccess(db, id + 100, u"Y"_s));

        logins::remove(db, id);
        QVERIFY_THROWS_EXCEPTION(DbError, logins::save(db, {id, u"AGENT"_s, u"AN AGENT"_s, u"SALES"_s, u"EXEC"_s, {}}));
        QCOMPARE(count(db, u"SELECT COUNT(*) FROM MST_LOGINDETAILS WHERE LOGIN_ID=?"_s, {id}), 0);
    }

    // The consultant and its login's pointer back are one commit: a login gone meanwhile
    // leaves no consultant and no number used.
    void aConsultantIsKeptOnlyWithItsLogin() {
        TestDb t;
        Database& db = t.db();
        const qint64 login = logins::create(db, u"TC"_s, u"TOUR CONSULTANT"_s, false, u"h"_s);
        ConsultantEntry entry{u"M_TBL_CONSULTANT"_s,
                              u"CONSULTANT"_s,
                              u"CONSULTANT_CODE"_s,
                              0,
                              login,
                              {{u"CONSULTANT_NAME"_s, u"MEERA"_s}, {u"LOGIN_CODE"_s, QString::number(login)}}};
        const int code = saveConsultant(db, u"ADMIN"_s, entry);
        QCOMPARE(db.scalar(u"SELECT CONSULTANT_CODE FROM MST_LOGINDETAILS WHERE LOGIN_ID=?"_s, {login}).toString(),
                 QString::number(code));

        logins::remove(db, login);
        const qint64 next = Numbering(db).Get_Counter(u"CONSULTANT"_s);
        try {
            saveConsultant(db, u"ADMIN"_s, entry);
            QFAIL("a consultant was saved for a deleted login");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbError::Kind::Changed);
        }
        QCOMPARE(Numbering(db).Get_Counter(u"CONSULTANT"_s), next);
        QCOMPARE(count(db, u"SELECT COUNT(*) FROM M_TBL_CONSULTANT WHERE CONSULTANT_NAME='MEERA'"_s), 1);
    }

    void aPartyPasswordNeedsItsParty() {
        TestDb t;
        Database& db = t.db();
        db.exec(u"INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME) VALUES (7, 'WEB PARTY')"_s);
        setPartyPassword(db, u"ADMIN"_s, 7, u"secret"_s);
        const auto row = db.firstRow(
            u"SELECT PARTY_PASSWORD, PASSWD_UPDBY, PASSWD_UPDON FROM M_TBL_PARTY "
            "WHERE PARTY_CODE=7"_s);
        QCOMPARE(row->value(0).toString(), u"secret"_s);
        QCOMPARE(row->value(1).toString(), u"ADMIN"_s);
        QVERIFY(!row->value(2).isNull());
        QVERIFY_THROWS_EXCEPTION(DbError, setPartyPassword(db, u"ADMIN"_s, 8, u"secret"_s));
    }

    // One default state in the whole table, whatever its country.
    void oneDefaultStateInTheTable() {
        TestDb t;
        Database& db = t.db();
        const auto state = [&](qint64 country, qint64 code, const QString& def) {
            return saveNumberedRow(db, u"ADMIN"_s,
                                   {u"M_TBL_CSP_STATE"_s,
                                    u"STATE"_s,
                                    {{u"COUNTRY_CODE"_s, country}},
                                    u"STATE_CODE"_s,
                                    code,
                                    {{u"STATE_NAME"_s, u"S%1"_s.arg(code)}, {u"STATE_DEF"_s, def}}},
                                   [&](Database& d, qint64 c) {
                                       keepOneDefaultState(d, {country, c}, def == u"Y"_s);
                                   });
        };
        const qint64 a = state(1, 0, u"Y"_s);
        const qint64 b = state(2, 0, u"N"_s);
        QCOMPARE(count(db, u"SELECT COUNT(*) FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'"_s), 1);
        state(2, b, u"Y"_s);
        QCOMPARE(db.scalar(u"SELECT STATE_CODE FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'"_s).toLongLong(), b);
        QCOMPARE(db.scalar(u"SELECT STATE_DEF FROM M_TBL_CSP_STATE WHERE STATE_CODE=?"_s, {a}).toString(), u"N"_s);
    }

    // The login's rights become exactly the new ones; revoked, none stay.
    void rightsAreReplacedAsAWhole() {
        TestDb t;
        Database& db = t.db();
        const qint64 menu = db.scalar(u"SELECT MIN(MENU_ID) FROM M_TBL_MENUDETAILS"_s).toLongLong();
        menus::grantRights(db, 55, {{menu, u"Y"_s}, {menu + 1, u"N"_s}});
        menus::grantRights(db, 55, {{menu + 1, u"Y"_s}});
        QSqlQuery q = db.exec(u"SELECT MENU_ID, SHOW_MENU, MENU_DISP FROM M_TBL_MENUSHOW WHERE LOGIN_ID=55"_s);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toLongLong(), menu + 1);
        QCOMPARE(q.value(2).toString(), u".Enabled=TRUE"_s);
        QVERIFY(!q.next());
        q.finish();
        menus::revokeRights(db, 55);
        QCOMPARE(count(db, u"SELECT COUNT(*) FROM M_TBL_MENUSHOW WHERE LOGIN_ID=55"_s), 0);
    }

    // Exported, the catalogue comes back whole through the file, nulls kept; imported, an
    // entry moved to another group is updated in place and each login with rights gets a shown
    // row for an entry it lacks.
    void catalogueTravelsThroughItsFile() {
        TestDb t;
        Database& db = t.db();
        QTemporaryDir dir;
        const QString path = dir.filePath(u"menus.dat"_s);
        const QList<menus::Entry> ours = menus::catalogue(db);
        QVERIFY(!ours.isEmpty());
        {
            menus::TransferFile file;
            file.open(path, true);
            file.begin();
            file.ensureTable();
            file.clear();
            for (const menus::Entry& e : ours)
                file.add(e);
            file.add({9001, none(), u"GROUP X"_s, QVariant(QMetaType::fromType<QString>()), u"NEW ENTRY"_s});
            file.commit();
        }
        menus::TransferFile file;
        file.open(path, false);
        QList<menus::Entry> read = file.entries();
        QCOMPARE(read.size(), ours.size() + 1);
        QCOMPARE(read.last().menuId.toLongLong(), 9001);
        QVERIFY(read.last().groupId.isNull());
        QVERIFY(read.last().menuName.isNull());
        QCOMPARE(read.first().caption.toString(), ours.first().caption.toString());

        read.first().groupName = u"MOVED"_s;
        menus::grantRights(db, 77, {{ours.first().menuId.toLongLong(), u"N"_s}});
        QStringList heard;
        menus::importCatalogue(db, read, [&](const QString& text) { heard << text; });
        QCOMPARE(count(db, u"SELECT COUNT(*) FROM M_TBL_MENUDETAILS"_s), int(ours.size()) + 1);
        QCOMPARE(
            db.scalar(u"SELECT GROUP_NAME FROM M_TBL_MENUDETAILS WHERE MENU_ID=?"_s, {ours.first().menuId}).toString(),
            u"MOVED"_s);
        QCOMPARE(count(db, u"SELECT COUNT(*) FROM M_TBL_MENUSHOW WHERE LOGIN_ID=77"_s), int(ours.size()) + 1);
        QCOMPARE(count(db, u"SELECT COUNT(*) FROM M_TBL_MENUSHOW WHERE LOGIN_ID=77 AND SHOW_MENU='N'"_s), 1);
        QCOMPARE(heard.first(), u"SETTING MENU ACCESS FOR MEMBERS  ...."_s);
    }

    // An import needs a file that is there and has every column: a mistyped path never becomes
    // an empty catalogue.
    void aTransferFileMustBeWhole() {
        QTemporaryDir dir;
        menus::TransferFile file;
        QVERIFY_THROWS_EXCEPTION(SqliteError, file.open(dir.filePath(u"missing.dat"_s), false));
        QVERIFY(!QFile::exists(dir.filePath(u"missing.dat"_s)));
        {
            SqliteFile raw(dir.filePath(u"short.dat"_s), SqliteFile::Mode::Create);
            raw.run(u"CREATE TABLE M_Tbl_MenuDetails (Menu_Id INTEGER, Menu_Caption TEXT)"_s);
        }
        file.open(dir.filePath(u"short.dat"_s), false);
        QVERIFY_THROWS_EXCEPTION(SqliteError, file.entries());
    }

    // A look-up row without a key typed takes the next number; a shown row deleted meanwhile
    // is reported, not added again; the member's own rule refuses in its own words.
    void lookupRowsNumberedAndGuarded() {
        TestDb t;
        Database& db = t.db();
        const auto row = [](QVariant key, bool isNew, const QString& name) {
            return LookupRow{
                u"MST_PAYMODE"_s, u"MODE_ID"_s, key, isNew, {{u"MODE_ID"_s, key}, {u"PAY_MODE"_s, name}}, 0};
        };
        const qint64 top = db.scalar(u"SELECT COALESCE(MAX(MODE_ID),0) FROM MST_PAYMODE"_s).toLongLong();
        const QVariant stored = saveLookupRow(db, row(none(), true, u"UPI"_s));
        QCOMPARE(stored.toLongLong(), top + 1);
        saveLookupRow(db, row(stored, false, u"UPI TRANSFER"_s));
        QCOMPARE(db.scalar(u"SELECT PAY_MODE FROM MST_PAYMODE WHERE MODE_ID=?"_s, {stored}).toString(),
                 u"UPI TRANSFER"_s);
        deleteLookupRow(db, u"MST_PAYMODE"_s, u"MODE_ID"_s, stored);
        QVERIFY_THROWS_EXCEPTION(DbError, saveLookupRow(db, row(stored, false, u"AGAIN"_s)));
        QCOMPARE(count(db, u"SELECT COUNT(*) FROM MST_PAYMODE WHERE MODE_ID=?"_s, {stored}), 0);

        LookupRow refused = row(none(), true, u"CHEQUE"_s);
        refused.rowCheck = [](Database&, const Columns&) { return u"PAY MODE NOT ALLOWED ...."_s; };
        try {
            saveLookupRow(db, refused);
            QFAIL("the rule did not refuse");
        } catch (const DbError& e) {
            QCOMPARE(e.message(), u"PAY MODE NOT ALLOWED ...."_s);
        }
        QCOMPARE(count(db, u"SELECT COUNT(*) FROM MST_PAYMODE WHERE PAY_MODE='CHEQUE'"_s), 0);
    }
};

QTEST_GUILESS_MAIN(AdminRules)
#include "tst_admin_rules.moc"

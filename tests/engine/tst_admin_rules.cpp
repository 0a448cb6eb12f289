// Masters and administration without their windows, where the windows cannot reach: a login
// or a consultant's login deleted on another workstation, a party's web password landing on a
// party that exists, a transfer file missing columns, a look-up row gone meanwhile. The rest is
// driven through the windows in tests/admin and tests/masters.
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
    // A login deleted on another workstation is reported, not added again. (A password kept
    // unless retyped: tst_admin_windows; a web access on no login: tst_masters.)
    void aLoginDeletedMeanwhileIsNotAddedAgain() {
        TestDb t;
        Database& db = t.db();
        const qint64 id = logins::save(db, {0, u"AGENT"_s, u"AN AGENT"_s, u"SALES"_s, u"EXEC"_s, u"first"_s});
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
        QCOMPARE(refusalOf([&] { saveConsultant(db, u"ADMIN"_s, entry); }).kind(), DbError::Kind::Changed);
        QCOMPARE(Numbering(db).Get_Counter(u"CONSULTANT"_s), next);
        QCOMPARE(count(db, u"SELECT COUNT(*) FROM M_TBL_CONSULTANT WHERE CONSULTANT_NAME='MEERA'"_s), 1);
    }

    // (Stored, trimmed, with who and when: tst_masters' web password.)
    void aPartyPasswordNeedsItsParty() {
        TestDb t;
        QVERIFY_THROWS_EXCEPTION(DbError, setPartyPassword(t.db(), u"ADMIN"_s, 8, u"secret"_s));
        QCOMPARE(count(t.db(), u"SELECT COUNT(*) FROM M_TBL_PARTY"_s), 0);
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
    // is reported, not added again. (A member's own rule: tst_admin_windows' document codes.)
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
    }
};

QTEST_GUILESS_MAIN(AdminRules)
#include "tst_admin_rules.moc"

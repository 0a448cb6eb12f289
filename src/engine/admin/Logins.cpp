#include "Logins.h"

#include "data/Numbering.h"
#include "engine/masters/MasterRows.h"

#include <QDate>
#include <QTime>

namespace tarvic::logins {

namespace {
const QString kCounter = QStringLiteral("LoginId");
}

qint64 save(Database& db, const LoginEntry& entry) {
    Columns columns = {{QStringLiteral("User_Name"), entry.name},
                       {QStringLiteral("Full_name"), entry.fullName},
                       {QStringLiteral("Module_For"), entry.department},
                       {QStringLiteral("USER_DEPARTMENT"), entry.department},
                       {QStringLiteral("User_Designation"), entry.designation}};
    if (entry.passwordHash)
        columns.emplace_back(QStringLiteral("User_Password"), *entry.passwordHash);
    return saveNumberedRow(db, QString(),
                           {QStringLiteral("Mst_LoginDetails"),
                            kCounter,
                            {},
                            QStringLiteral("Login_Id"),
                            entry.id,
                            columns,
                            RowWriter::Audit::None});
}

qint64 create(Database& db, const QString& name, const QString& fullName, bool admin, const QString& passwordHash) {
    // Names are kept in upper case, and compared so whoever calls.
    const QString user = name.trimmed().toUpper();
    return db.transact([&] {
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM MST_LOGINDETAILS WHERE UPPER(USER_NAME)=?"), {user})
                .toInt() > 0)
            throw DbError(DbError::Kind::Refused, QStringLiteral("login %1 already exists").arg(user));
        const qint64 id = Numbering(db).next(kCounter);
        const QVariant department = admin ? QVariant(QStringLiteral("ADMINISTRATION")) : QVariant();
        db.exec(QStringLiteral("INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, USER_PASSWORD, FULL_NAME, "
                               "MODULE_FOR, USER_DEPARTMENT, USER_DESIGNATION, CONSULTANT_CODE) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                {id, user, passwordHash, fullName, department, department,
                 admin ? QStringLiteral("ADMIN") : QStringLiteral("OPERATOR"), QStringLiteral("0")});
        return id;
    });
}

void remove(Database& db, qint64 id) {
    db.exec(QStringLiteral("DELETE FROM Mst_LoginDetails WHERE Login_Id=?"), {id});
}

void stampLogon(Database& db, qint64 id, const std::optional<QString>& rehash) {
    const QTime now = QTime::currentTime();
    const QTime stamp(now.hour(), now.minute(), now.second());
    if (rehash)
        db.exec(QStringLiteral("UPDATE MST_LOGINDETAILS SET LAST_LOGIN=?, LAST_LOGINTIME=?, USER_PASSWORD=? "
                               "WHERE LOGIN_ID=?"),
                {QDate::currentDate(), stamp, *rehash, id});
    else
        db.exec(QStringLiteral("UPDATE MST_LOGINDETAILS SET LAST_LOGIN=?, LAST_LOGINTIME=? WHERE LOGIN_ID=?"),
                {QDate::currentDate(), stamp, id});
}

bool setWebAccess(Database& db, qint64 id, const QString& access) {
    return db.execAffected(QStringLiteral("UPDATE MST_LOGINDETAILS SET Web_Access=? WHERE Login_Id=?"), {access, id}) >
           0;
}

}  // namespace tarvic::logins

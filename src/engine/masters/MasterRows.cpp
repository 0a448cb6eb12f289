#include "MasterRows.h"

#include "data/ColumnLengths.h"
#include "data/Numbering.h"

namespace tarvic {

qint64 saveNumberedRow(Database& db, const QString& user, const NumberedRow& row,
                       const std::function<void(Database&, qint64 code)>& alsoWrite) {
    return db.transact([&] {
        const bool isNew = row.code <= 0;
        const qint64 code = isNew ? Numbering(db).next(row.counter) : row.code;
        Columns key = row.parents;
        key.emplace_back(row.codeColumn, code);
        RowWriter(db, user).write(row.table, key, row.columns, isNew, row.audit);
        if (alsoWrite)
            alsoWrite(db, code);
        return code;
    });
}

void keepOneDefaultState(Database& db, const QVariantList& key, bool isDefault) {
    if (isDefault)
        db.exec(QStringLiteral("UPDATE M_TBL_CSP_STATE SET STATE_DEF='N' "
                               "WHERE NOT (COUNTRY_CODE=? AND STATE_CODE=?) AND STATE_DEF='Y'"),
                key);
}

int saveConsultant(Database& db, const QString& user, const ConsultantEntry& entry) {
    const NumberedRow row{entry.table, entry.counter, {}, QStringLiteral("CONSULTANT_CODE"), entry.code, entry.columns};
    return int(saveNumberedRow(db, user, row, [&](Database& d, qint64 code) {
        // A login deleted since it was looked up is reported, and the consultant is not kept.
        if (d.execAffected(QStringLiteral("UPDATE MST_LOGINDETAILS SET %1=? WHERE Login_Id=?").arg(entry.loginColumn),
                           {QString::number(code), entry.login}) != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    }));
}

void setPartyPassword(Database& db, const QString& user, qint64 party, const QString& password) {
    checkTextLengths(db, QStringLiteral("M_TBL_PARTY"), {{QStringLiteral("PARTY_PASSWORD"), password}});
    if (db.execAffected(QStringLiteral("UPDATE M_TBL_PARTY SET PARTY_PASSWORD=?, PASSWD_UPDBY=?, PASSWD_UPDON=") +
                            db.dialect().now() + QStringLiteral(" WHERE PARTY_CODE=?"),
                        {password, user, party}) != 1)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
}

}  // namespace tarvic

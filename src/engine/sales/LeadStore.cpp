#include "LeadStore.h"

#include "data/Numbering.h"
#include "data/RowWriter.h"
#include "engine/masters/ConsultantRole.h"

namespace tarvic::lead {

namespace {

const QString kTable = QStringLiteral("M_TBL_TRANSACTION");

TCRoleCheck allowedRole(Database& db, int consultantCode) {
    const TCRoleCheck role = Chk_TCRole(db, consultantCode);
    if (!role.saveAllowed())
        throw DbError(DbError::Kind::Refused, role.refusal());
    return role;
}

// The stored lead may still be changed by this user: it exists, is not locked, and an
// operator owns it.
void checkStored(Database& db, const TCRoleCheck& role, qint64 number) {
    const auto row = db.firstRow(QStringLiteral("SELECT CONSULTANT_CODE, LCK_LEAD FROM M_TBL_TRANSACTION "
                                                "WHERE DOC_CODE=? AND DOC_NO=?") +
                                     db.dialect().forUpdate(),
                                 {kCode, number});
    if (!row)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    if (row->value(1).toString().trimmed() == QLatin1String("Y"))
        throw DbError(DbError::Kind::Refused, kLeadLocked);
    if (role.role == TCRole::Operator && row->value(0).toLongLong() != role.consultantCode)
        throw DbError(DbError::Kind::Refused, kNotOwnLead);
}

Columns key(qint64 number) {
    return {{QStringLiteral("DOC_CODE"), kCode}, {QStringLiteral("DOC_NO"), number}};
}

}  // namespace

qint64 saveLead(Database& db, const QString& user, int consultantCode, qint64 number, Columns columns) {
    return db.transact([&] {
        const TCRoleCheck role = allowedRole(db, consultantCode);
        if (role.role == TCRole::Operator)
            for (auto& [name, value] : columns)
                if (name == QLatin1String("CONSULTANT_CODE"))
                    value = role.consultantCode;
        RowWriter writer(db, user);
        if (number == 0) {
            const qint64 taken = Numbering(db).next(kCode);
            writer.insert(kTable, key(taken), columns);
            return taken;
        }
        checkStored(db, role, number);
        writer.update(kTable, key(number), columns);
        return number;
    });
}

void saveFollowUp(Database& db, const QString& user, int consultantCode, qint64 number, const Columns& columns) {
    db.transact([&] {
        const TCRoleCheck role = allowedRole(db, consultantCode);
        checkStored(db, role, number);
        RowWriter(db, user).update(kTable, key(number), columns);
    });
}

}  // namespace tarvic::lead

#include "LeadStore.h"

#include "data/Numbering.h"
#include "data/RowWriter.h"

namespace tarvic::lead {

namespace {

const QString kTable = QStringLiteral("M_TBL_TRANSACTION");

TCRoleCheck allowedRole(Database& db, int consultantCode) {
    const TCRoleCheck role = Chk_TCRole(db, consultantCode);
    if (!role.saveAllowed())
        throw DbError(DbError::Kind::Refused, saveRefusal(role));
    return role;
}

// The lead's consultant names a consultant row: a blank or unknown code is refused.
void checkConsultant(Database& db, const Columns& columns, bool isNew) {
    QVariant code;
    bool named = false;
    for (const auto& [name, value] : columns)
        if (name == QLatin1String("CONSULTANT_CODE")) {
            code = value;
            named = true;
        }
    if (!named && !isNew)
        return;
    const bool known =
        !code.isNull() && code.toLongLong() > 0 &&
        db.firstRow(QStringLiteral("SELECT CONSULTANT_CODE FROM M_TBL_CONSULTANT WHERE CONSULTANT_CODE=?"),
                    {code.toLongLong()});
    if (!known)
        throw DbError(DbError::Kind::Refused, kNoConsultant);
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

QString saveRefusal(const TCRoleCheck& role) {
    switch (role.role) {
        case TCRole::NotRegistered:
            return role.refusal() + QStringLiteral(
                                        "\n LEADS ARE SAVED BY TOUR CONSULTANTS: LOG ON AS ONE, OR REGISTER THIS LOGIN "
                                        "AS A TOUR CONSULTANT (REGISTRATION, TOUR CONSULTANT) AND LOG ON AGAIN ....");
        case TCRole::NoPermission:
            return role.refusal() + QStringLiteral(
                                        "\n YOUR TOUR CONSULTANT ROW HAS NO ROLE: ASK THE ADMINISTRATOR TO GIVE IT "
                                        "THE ROLE ADMIN OR OPERATOR, THEN LOG ON AGAIN ....");
        default:
            return {};
    }
}

qint64 saveLead(Database& db, const QString& user, int consultantCode, qint64 number, Columns columns) {
    return db.transact([&] {
        const TCRoleCheck role = allowedRole(db, consultantCode);
        if (role.role == TCRole::Operator)
            for (auto& [name, value] : columns)
                if (name == QLatin1String("CONSULTANT_CODE"))
                    value = role.consultantCode;
        checkConsultant(db, columns, number == 0);
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

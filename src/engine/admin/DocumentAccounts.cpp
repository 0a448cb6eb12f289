#include "DocumentAccounts.h"

#include "data/RowWriter.h"
#include "engine/DocumentState.h"

namespace tarvic::documentAccounts {

namespace {
const QString kTable = QStringLiteral("M_TBL_DOCUMENTACCOUNT_COMB");

// The rule is kept here for any caller: a window disables its buttons for these codes.
void refuseFixed(const QString& docCode) {
    if (isFixed(docCode))
        throw DbError(DbError::Kind::Refused,
                      QStringLiteral("THE ACCOUNTS OF DOCUMENT CODE : %1 CANNOT BE CHANGED ....").arg(docCode));
}
}  // namespace

bool isFixed(const QString& docCode) {
    static const QStringList fixed = {QStringLiteral("ESSLP01"), QStringLiteral("LIDB01"), QStringLiteral("LRCR01"),
                                      QStringLiteral("LRCR02")};
    return fixed.contains(docCode.trimmed());
}

void put(Database& db, const QString& user, const QString& docCode, const QString& account,
         const QString& description) {
    refuseFixed(docCode);
    RowWriter(db, user).put(kTable, {{QStringLiteral("DOC_CODE"), docCode}, {QStringLiteral("ACC_CODE"), account}},
                            {{QStringLiteral("ACCOUNT_DESC"), description}});
}

bool inUse(Database& db, const QString& docCode, const QString& account) {
    return db
        .firstRow(QStringLiteral(" SELECT * FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND TO_ACC=?"
                                 " AND DOC_STATUS IN (?, ?)"),
                  {docCode, account, status::kLive, status::kPending})
        .has_value();
}

QString inUseMessage(const QString& docCode, const QString& account) {
    return QStringLiteral("DOCUMENT CODE : ") + docCode + QStringLiteral(" AND A/C CODE : ") + account +
           QStringLiteral(" CANNOT BE DELETED AS THEY ARE BEING IN USE....");
}

void remove(Database& db, const QString& docCode, const QString& account) {
    refuseFixed(docCode);
    db.transact([&] {
        // A document saved since the question was asked keeps its account.
        if (inUse(db, docCode, account))
            throw DbError(DbError::Kind::Refused, inUseMessage(docCode, account));
        db.exec(QStringLiteral(" DELETE FROM M_TBL_DOCUMENTACCOUNT_COMB WHERE DOC_CODE=? AND ACC_CODE=?"),
                {docCode, account});
    });
}

}  // namespace tarvic::documentAccounts

#include "AgentCombinations.h"

#include "data/Numbering.h"
#include "data/RowWriter.h"

namespace tarvic {

namespace {
const QString kTable = QStringLiteral("M_TBL_QUOT_AGENT_COMB");
}

qint64 agentCombinationOf(Database& db, qint64 party, qint64 quotation, qint64 except) {
    const auto row = db.firstRow(
        QStringLiteral("SELECT DOC_NO FROM %1 WHERE PARTY_CODE=? AND QUOTATION_NO=? AND DOC_NO<>?").arg(kTable),
        {party, quotation, except});
    return row ? row->value(0).toLongLong() : 0;
}

qint64 storeAgentCombination(Database& db, const QString& user, qint64 number, qint64 party, qint64 quotation) {
    return db.transact([&] {
        const bool isNew = number == 0;
        const qint64 no = isNew ? Numbering(db).next(QStringLiteral("QAC001")) : number;
        RowWriter(db, user).write(kTable, {{QStringLiteral("DOC_NO"), no}},
                                  {{QStringLiteral("PARTY_CODE"), party}, {QStringLiteral("QUOTATION_NO"), quotation}},
                                  isNew);
        return no;
    });
}

void deleteAgentCombination(Database& db, qint64 number) {
    if (db.execAffected(QStringLiteral("DELETE FROM %1 WHERE DOC_NO=?").arg(kTable), {number}) != 1)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
}

}  // namespace tarvic

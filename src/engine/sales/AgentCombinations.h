#pragma once
// The pairs of an agent (a party) and a quotation offered to that agent: their number from
// counter QAC001, one row each in M_TBL_QUOT_AGENT_COMB, one pair per party and quotation.
#include "data/Database.h"

namespace tarvic {

// The number of another combination of this party and quotation than except, or 0.
qint64 agentCombinationOf(Database& db, qint64 party, qint64 quotation, qint64 except);

// Stores a combination in one transaction: number 0 takes the next number of QAC001 and adds
// it, otherwise the row of that number is rewritten. Returns the number. A pair that exists
// under another number is refused by the unique index (DbError Duplicate), nothing kept.
qint64 storeAgentCombination(Database& db, const QString& user, qint64 number, qint64 party, qint64 quotation);

// Deletes combination number; one that is no longer there is reported (DbError Changed).
void deleteAgentCombination(Database& db, qint64 number);

}  // namespace tarvic

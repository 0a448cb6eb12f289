#pragma once
// The accounts a document code posts to (M_TBL_DOCUMENTACCOUNT_COMB). A few codes have fixed
// accounts that the program itself relies on; an account that live or pending documents
// name cannot be taken away.
#include "data/Database.h"

namespace tarvic::documentAccounts {

// Whether the code's accounts are fixed: neither added to, changed nor deleted.
bool isFixed(const QString& docCode);

// Adds the account to the code, or gives an account already there the new description.
void put(Database& db, const QString& user, const QString& docCode, const QString& account, const QString& description);

// Whether a live or pending document of the code names the account.
bool inUse(Database& db, const QString& docCode, const QString& account);
QString inUseMessage(const QString& docCode, const QString& account);

// Deletes the account of the code; refused with inUseMessage when it is in use at that moment.
void remove(Database& db, const QString& docCode, const QString& account);

}  // namespace tarvic::documentAccounts

#pragma once
// The status lists and row colours the operations grids share.
#include "data/Database.h"
#include "shell/kit/QueryModel.h"

class QComboBox;

namespace tarvic {

// Back and text colour from a status row's H_RED.. and H_F_RED.. columns; none without them.
RowColours statusColours(const QSqlRecord& r);

// Fills a status list: optionally a first "all" item (code empty), then each status by its
// order, the code in the item's data. Throws DbError.
void loadStatusChoices(Database& db, QComboBox* list, const QString& table, const QString& codeColumn,
                       const QString& nameColumn, const QString& orderColumn, const QString& allText = {});
// The code of the item chosen, empty for "all" or none.
QString chosenCode(const QComboBox* list);

}  // namespace tarvic

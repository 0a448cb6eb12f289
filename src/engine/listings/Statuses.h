#pragma once
// The document statuses a listing's status list offers: only those present, so every choice
// can match a row.
#include "data/Database.h"

namespace tarvic::listings {

// The DOC_STATUS values of `table` where `where` holds (its values bound), in order.
QStringList statusesIn(Database& db, const QString& table, const QString& where, const QVariantList& values = {});

}  // namespace tarvic::listings

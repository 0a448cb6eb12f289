#pragma once
// Pieces the country, state and place windows share: the name lists that look their code up
// as they are chosen or typed, and the "user - moment" text of the audit columns.
#include "data/Database.h"

#include <QDateTime>
#include <QString>

class QComboBox;
class QWidget;

namespace tarvic {

// An editable list of names for a parent choice (a country, a state).
QComboBox* makeNameList(QWidget* parent, const QString& objectName);
// Refills a name list from a query's first column, keeping the typed text and sending no
// change signal. Throws DbError.
void fillNameList(Database& db, QComboBox* list, const QString& sql, const QVariantList& values = {});
// The code column of the first row a query returns, or empty when none matches.
QString codeOf(Database& db, const QString& sql, const QVariantList& values, const QString& column);

// "USER - dd/mm/yyyy hh:mm:ss", or empty for a row that has neither.
QString byOn(const QVariant& by, const QVariant& on);
// A moment as read back from either engine.
QDateTime momentOf(const QVariant& v);

}  // namespace tarvic

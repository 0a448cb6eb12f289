#pragma once
// A date that may be left empty (a follow-up not planned, a deadline taken from its default):
// dd/mm/yyyy typed into a masked field, empty for none. A date edit cannot be empty, so
// these fields are line edits with the same display format.
#include <QDate>
#include <QString>

class QLineEdit;
class QWidget;

namespace tarvic {

QLineEdit* makeDateField(QWidget* parent, const QString& objectName);
// "25/12/2026" to a date; an invalid date for an empty text or for anything else.
QDate lineDate(const QString& text);
QString lineDateText(const QDate& date);
// The date typed; invalid when empty or not a date.
QDate fieldDate(const QLineEdit* field);
void setFieldDate(QLineEdit* field, const QDate& date);
// Nothing typed (the mask's separators alone).
bool dateFieldEmpty(const QLineEdit* field);

}  // namespace tarvic

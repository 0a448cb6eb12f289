#pragma once
// Pieces the itinerary windows share: the length of a tour from its nights, shown fields,
// captions with their access keys, whole-number fields, and text boxes held to their column.
#include "shell/kit/QueryModel.h"

#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace tarvic {

// Show_Duration: no nights (empty or 0) make no days and no duration; otherwise one day more
// than nights, written "3 N / 4 D".
struct ItineraryLength {
    int days = 0;
    QString duration;
};
ItineraryLength itineraryLength(int nights);

// A positive whole number typed in a field, or nothing (empty, 0, not a number).
std::optional<qint64> positiveNumber(const QString& text);

namespace itinerary_ui {
// A framed label showing a value the user does not type.
QLabel* shownField(QWidget* parent, const char* name, int minWidth = 0);
// A caption whose access key moves to buddy.
QLabel* caption(QWidget* parent, const QString& text, QWidget* buddy = nullptr);
// A line edit that takes digits only (no sign). Each field is then bound to its column.
QLineEdit* digitsField(QWidget* parent, const char* name);
QLineEdit* textField(QWidget* parent, const char* name);
// A multi-line box that Tab leaves.
QPlainTextEdit* textBox(QWidget* parent, const QString& name);
// The grid model of an itinerary's day lines (the standard itinerary's or a quotation's copy),
// in ITN_SLNO order; the window loads it with its own table and keys.
QueryModel* dayModel(Database& db, QObject* parent);
}  // namespace itinerary_ui

}  // namespace tarvic

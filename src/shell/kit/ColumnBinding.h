#pragma once
// A field tied to the column it is stored in, by one call where the field is made:
//
//     bindColumn(txt_Address, "M_TBL_PARTY", "PARTY_ADDRESS");   // in a TaskWindow
//     bindLength(txt_Pattern, kPatternLength);                     // stored nowhere
//     tarvic::bindColumn(session, edit, "M_TBL_TRANSACTION", "REMARKS");  // outside one
//
// The field takes the column's length from the schema (ColumnLengths), never a number of its
// own: a line edit (or an editable list's line) as its maxLength; a multi-line box through a
// limiter that refuses text beyond it as it is typed or pasted and says so through the
// Prompter ("ADDRESS CANNOT BE LONGER THAN 1000 CHARACTERS ...."). A number column bounds its
// field to the digits that always fit it. A save refused for a text too long for its column
// (TextTooLong) is reported by runGuarded in the words of the bound field's caption, and the
// field takes the focus.
#include "shell/Session.h"

#include <QAnyStringView>
#include <QString>

class QWidget;

namespace tarvic {

// Bounds of what is typed but kept in no column of its own.
inline constexpr int kPatternLength = 100;    // a search pattern or filter: only compared
inline constexpr int kPasswordLength = 50;    // a login password: kept as its hash
inline constexpr int kSubjectLength = 200;    // a mail's subject line
inline constexpr int kMailTextLength = 20000;  // a mail's typed text
inline constexpr int kPathLength = 1000;      // a file's path or a picture's address

// Ties field (a QLineEdit, QPlainTextEdit, QTextEdit or editable QComboBox) to table.column.
// A column the schema does not know leaves the field unbounded, with a warning.
void bindColumn(Session& session, QWidget* field, QAnyStringView table, QAnyStringView column);
// Bounds a field stored in no column of its own: a pattern, a filter, a part of a longer text.
void bindLength(Session& session, QWidget* field, int limit);

// The characters a field of table.column may hold (ColumnLengths::fieldLength), for a field
// whose text is part of a longer one stored there.
int columnLength(Session& session, QAnyStringView table, QAnyStringView column);

// The field's bound in characters; 0 for a field bound to nothing.
int boundLength(const QWidget* field);
// The field of window (or of its children) bound to table.column; nullptr when none is.
QWidget* boundField(QWidget* window, const QString& table, const QString& column);
// What the user knows the field as: its buddy label's text (or the label before it in its
// row), without the access-key mark; empty when it has no label.
QString captionOf(QWidget* field);

}  // namespace tarvic

#pragma once
// How the keys move between fields, the same in every task window (TaskWindow applies it to
// every key and focus change of its widgets):
//  - Tab (and Enter, which is Tab) leaves a date field in one press; typing, "/" and the
//    arrows move between its day, month and year.
//  - Tab leaves a multi-line text; a tab character is pasted if one is wanted.
//  - Tab leaves a read-only grid; in an editable grid it moves from cell to cell, and
//    Ctrl+Tab leaves it.
//  - Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp change the page of the tab pane the
//    focus is in, whatever field holds it; outside a tab pane Ctrl+Tab leaves a grid or a
//    multi-line text.
// The Tab order of a window follows its layouts: setTabOrderFromLayout orders the fields top
// to bottom and left to right as the layouts place them, group by group, page by page.
class QKeyEvent;
class QWidget;

namespace tarvic {

// Applies the rules above to a key about to reach receiver; true when the key was used.
bool moveOnKey(QWidget* receiver, const QKeyEvent* key);
// Prepares a widget taking the focus for the rules above (multi-line texts, grids).
void prepareForTabbing(QWidget* w);
// Moves the focus from a field to the next (or previous) one, as Tab does out of it.
void moveOn(QWidget* from, bool forward = true);
// Sets the Tab order of every field under root to the order of its layouts.
void setTabOrderFromLayout(QWidget* root);

}  // namespace tarvic

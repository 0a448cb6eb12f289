#pragma once
// Lists in a QTableWidget grid, shaped as every window's Load_EmptyGrid does: the header
// row, then one blank row until Load_Grid adds records. Widths are given in twips as the
// windows' layouts state them (15 twips = 1 pixel).
//
//     Load_EmptyGrid(Grid1, {{"SL NO", 800, Qt::AlignRight}, {"NAME", 3000}, {"CODE", 900, {}, true}});
//     for (...) addGridRow(Grid1, {QString::number(++sl), name, code});
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QBoxLayout;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

class QTableView;

namespace tarvic {

class ListGrid;

struct GridColumn {
    QString heading;
    int widthTwips = 1500;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool hidden = false;  // kept in the grid (and its export), not shown
};

constexpr int twipsToPixels(int twips) {
    return twips / 15;
}
// The width a column needs to show its whole heading: no column is set narrower, so a
// heading is never cut short whatever the fonts of the workstation.
int headingWidth(const QTableView* grid, const QString& heading);

// Each shown column as wide as its heading and its rows, up to widest pixels: no column is cut
// while another wastes room. Without rows the widths stay as stated.
void fitColumnsToRows(QTableView* grid, int widest = 420);

// Header row, column widths, alignments and one blank row; read-only, whole-row selection.
void Load_EmptyGrid(QTableWidget* grid, const QList<GridColumn>& columns);

// The "Detailed List" grid a maintenance window shows under its fields: Grid1 with its
// caption (Alt+D reaches it), taking the window's remaining height.
QTableWidget* addDetailedList(QWidget* window, QBoxLayout* body);
// Adds a record: fills the blank row left by Load_EmptyGrid, else appends. Cells take their
// column's alignment. Returns the row.
int addGridRow(QTableWidget* grid, const QStringList& cells);
// True for the blank row of an empty grid (nothing to choose there).
bool isBlankRow(const QTableWidget* grid, int row);
// Text of a cell, empty for a missing one.
QString gridText(const QTableWidget* grid, int row, int column);
// The same for a grid over a query: a row outside its rows is blank.
bool isBlankRow(const ListGrid* grid, int row);
QString gridText(const ListGrid* grid, int row, int column);
// Paints every cell of a row; an invalid fore colour keeps the text colour.
void setRowColours(QTableWidget* grid, int row, const QColor& back, const QColor& fore = QColor());

}  // namespace tarvic

#pragma once
// The editable lines under a header (a template's lines, a booking's instalments): a grid
// whose columns are declared once with their kind, each cell edited in place with its kind's
// filter and bound, lines added and removed by Insert and Delete (or the owner's buttons).
// Read-only columns show what the engine computed beside what is typed.
//
//     auto* g = new LinesGrid(QStringLiteral("Grid_Lines"),
//                             {{"DUE DATE", 1300, LineColumn::Kind::Date}, {"AMOUNT", 1400, LineColumn::Kind::Amount},
//                              {"NOTE", 3000, LineColumn::Kind::Text, 200}, {"BALANCE", 1400,
//                              LineColumn::Kind::Shown}},
//                             parent);
#include "shell/kit/DateField.h"

#include <QStringList>
#include <QTableWidget>

#include <functional>

namespace tarvic {

struct LineColumn {
    enum class Kind {
        Text,     // upper-case text of at most `limit` characters
        Date,     // dd/mm/yyyy
        Amount,   // money, two decimals, within the largest amount
        Percent,  // a percentage with two decimals, at most 100
        Whole,    // a whole number from 0 to `limit`
        Choice,   // one of `choices`
        Shown,    // computed elsewhere, never edited
    };
    QString heading;
    int widthTwips = 1500;
    Kind kind = Kind::Text;
    int limit = 0;  // Text: its length; Whole: its largest; Shown: 1 aligns right
    QStringList choices;
    Qt::Alignment alignment() const {
        return kind == Kind::Amount || kind == Kind::Percent || kind == Kind::Whole ||
                       (kind == Kind::Shown && limit == 1)
                   ? Qt::AlignRight | Qt::AlignVCenter
                   : Qt::AlignLeft | Qt::AlignVCenter;
    }
};

class LinesGrid : public QTableWidget {
    Q_OBJECT
public:
    LinesGrid(const QString& objectName, QList<LineColumn> columns, QWidget* parent);

    const QList<LineColumn>& lineColumns() const { return columns_; }
    // Replaces every line; a line shorter than the columns leaves the rest blank.
    void setLines(const QList<QStringList>& lines);
    // Every line as typed, the lines whose editable cells are all blank left out.
    QList<QStringList> lines() const;
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    // Adds a blank line after the current one (at the end when none) and starts on it.
    void addLine();
    // Removes the current line.
    void removeLine();
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }
    // Paints one line's text (an invalid colour restores the grid's own).
    void setLineColour(int row, const QColor& fore);
    // Called after the user changed a cell (row, column).
    std::function<void(int, int)> onEdited;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<LineColumn> columns_;
    bool readOnly_ = false;
    bool filling_ = false;
};

}  // namespace tarvic

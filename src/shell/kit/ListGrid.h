#pragma once
// A read-only grid over a QueryModel (or a window's own model of rows it holds), shaped as every
// list grid is: its columns' headings, widths and alignments, whole-row selection, no row
// numbers. Double-click or Enter (wired by the window through TaskWindow::onEnter) chooses a row.
//
//     Grid1 = new ListGrid(QStringLiteral("Grid1"), this);
//     Grid1->setQueryModel(model);
//     connect(Grid1, &ListGrid::rowChosen, this, [this](int row) { ... });
#include <QTableView>

namespace tarvic {

class QueryModel;
struct GridColumn;

class ListGrid : public QTableView {
    Q_OBJECT
public:
    explicit ListGrid(const QString& objectName, QWidget* parent = nullptr);

    // Shows the model: headings, widths (twips) and hidden columns from its columns.
    void setQueryModel(QueryModel* model);
    QueryModel* queryModel() const { return model_; }
    // Shows a model of rows held in memory, whose headings and alignments are its own; the
    // widths (twips) and hidden columns from the columns given.
    void setRowsModel(QAbstractItemModel* model, const QList<GridColumn>& columns);

    int rowCount() const;
    int columnCount() const;
    int currentRow() const;
    void setCurrentCell(int row, int column);
    // Text of a cell, empty outside the rows.
    QString text(int row, int column) const;

signals:
    // A row was double-clicked.
    void rowChosen(int row);

private:
    QueryModel* model_ = nullptr;
};

}  // namespace tarvic

#pragma once
// The rows of one lookup table as an editable model. Edits stay in the model until
// writeRow() stores the row (the window calls it when the cursor leaves the row and when it
// closes): an UPDATE by the row's key as it was read, or an INSERT for a row added on the
// new-row line, with bound values. The key of a stored row is never edited: documents and
// other masters point at it. A new row left without a whole-number key takes the next one
// (highest + 1). A stored row is read back, so the grid shows what the table holds, key
// included. A row the database refuses keeps its edits and stays unsaved; the caller gets
// a message in the windows' own words, never the driver's text.
#include "data/Database.h"
#include "shell/kit/LookupGridConfig.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

namespace tarvic {

class LookupGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    LookupGridModel(Database& db, LookupGridConfig config, QObject* parent = nullptr);

    const LookupGridConfig& config() const { return config_; }
    // Reads every row again; throws DbError.
    void load();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The blank line that adds a row when edited (only with allowAdd).
    bool isNewLine(int row) const { return config_.allowAdd && row == rows_.size(); }
    bool isDirty(int row) const { return row >= 0 && row < rows_.size() && rows_.at(row).dirty; }
    QList<int> dirtyRows() const;

    // Stores a changed row; true when stored or unchanged. On refusal *error holds the text.
    bool writeRow(int row, QString* error);
    // Deletes a row from the table (a row not yet stored is only dropped). On refusal *error
    // holds the text and the row stays.
    bool deleteRow(int row, QString* error);

private:
    struct Row {
        QStringList values;  // as shown and edited
        QVariant key;        // the key as read from the table (for UPDATE/DELETE)
        bool isNew = false;
        bool dirty = false;
    };
    QString display(int column, const QVariant& v) const;
    // The row as the table now holds it, read back by its key.
    void reread(int row);
    // What the user is told when the database refuses a row (verb: "SAVED" or "DELETED").
    QString refusal(const DbError& e, int row, const char* verb) const;
    // The value to bind for a cell; false with *error when the text is no valid value.
    bool bindable(int column, const QString& text, QVariant* out, QString* error) const;

    Database& db_;
    LookupGridConfig config_;
    QVector<Row> rows_;
};

}  // namespace tarvic

#pragma once
// What one member of the lookup-grid family is: a table edited whole in one grid. A member
// is this configuration only (see src/admin/CodeMaintenance.cpp for examples).
#include <QList>
#include <QSize>
#include <QString>

namespace tarvic {

struct LookupColumn {
    enum class Kind {
        Text,     // bound as text; empty is NULL
        Integer,  // whole numbers (Num_Key); bound as a number
        Decimal,  // exact decimals with two places (Amt_Key + Dec_Key); bound as exact text
    };
    QString name;     // the table's column
    QString heading;  // grid heading
    int widthTwips = 1500;
    Kind kind = Kind::Text;  // a cell takes the column's length from the schema
    bool readOnly = false;  // shown, never edited (still written as read)
};

struct LookupGridConfig {
    QString windowName;     // object name of the window, e.g. "frm_Counter"
    QString caption;        // window caption
    QString sourceName;     // object name of the row source, e.g. "Ado_Counter"
    QString sourceCaption;  // caption shown above the grid (empty: none)
    QString table;
    QString orderBy;        // ORDER BY list; empty keeps the order the database returns
    QList<LookupColumn> columns;  // shown and written, in grid order
    QString keyColumn;      // identifies a row for UPDATE and DELETE
    bool upperCase = true;  // typed a-z become A-Z in text cells
    bool allowAdd = false;  // a new-row line at the end of the grid
    bool allowDelete = false;  // Delete on a row removes it after a Yes/No question
    QSize size;             // window size; empty: from the column widths

    QString selectSql() const {
        QString sql = QStringLiteral("SELECT * FROM ") + table;
        if (!orderBy.isEmpty())
            sql += QStringLiteral(" ORDER BY ") + orderBy;
        return sql;
    }
    int keyIndex() const {
        for (int i = 0; i < columns.size(); ++i)
            if (columns.at(i).name.compare(keyColumn, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
};

}  // namespace tarvic

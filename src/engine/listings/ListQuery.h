#pragma once
// A statement with "{columns}" where each grid puts its own select list (the detail rows,
// COUNT(*), a summary's aggregates), and its bound values in order. The engine states a
// listing's rows this way; the grids of the windows run it.
#include <QString>
#include <QVariantList>

namespace tarvic {

struct ListQuery {
    static inline const QString kColumns = QStringLiteral("{columns}");
    QString statement;
    QVariantList values;
    // The same rows counted by a statement of their own, when look-ups that change no count
    // are costly (empty: the statement is counted).
    QString countStatement = {};
    QVariantList countValues = {};
    QString with(const QString& columns) const {
        QString s = statement;
        return s.replace(kColumns, columns);
    }
};

// What one grid of a listing runs: its select list (with its grouping and order) over a query.
struct GridQuery {
    QString select;
    QString groupBy;
    QString orderBy;
    ListQuery query;
};

}  // namespace tarvic

#pragma once
// Driving windows as a user would, and reading back what they show and store: one copy of
// each for every window test.
#include "data/Database.h"
#include "data/Money.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

namespace tarvic::test {

inline bool showActive(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    return QTest::qWaitForWindowActive(&w);
}

// One typed character. QTest::keyClicks aborts on text beyond ASCII: such a character comes
// as the key event a keyboard layout sends for it.
inline void typeChar(QWidget* w, QChar c) {
    if (c.unicode() < 128) {
        QTest::keyClicks(w, QString(c));
        return;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// Types text key by key into the focused widget (the focus may move to a cell editor).
inline void typeKeys(const QString& text) {
    for (QChar c : text)
        typeChar(QApplication::focusWidget(), c);
}

inline void keyToFocus(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, mods);
}

// Focuses a field and types over what it holds.
inline void typeInto(QWidget* w, const QString& text) {
    w->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->selectAll();
    else if (auto* c = qobject_cast<QComboBox*>(w); c && c->lineEdit())
        c->lineEdit()->selectAll();
    QTest::keyClicks(w, text);
}

// Types over a field and presses Enter, as a user looking a code up.
inline void typeEnter(QWidget* w, const QString& text) {
    typeInto(w, text);
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && (focus == w || w->isAncestorOf(focus)) ? focus : w, Qt::Key_Return);
}

// Puts the cursor on a cell with a mouse click, then types over its content.
inline void clickCell(QAbstractItemView* view, int row, int column) {
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

inline void typeIntoCell(QAbstractItemView* view, int row, int column, const QString& text) {
    clickCell(view, row, column);
    view->setFocus();
    typeKeys(text);
}

// Puts the cursor on a grid's cell and presses Enter there, as a user choosing a row.
template <class Grid>
void enterOn(Grid* grid, int row, int column) {
    grid->setFocus();
    grid->setCurrentCell(row, column);
    QTest::keyClick(grid, Qt::Key_Return);
}

// The shown top-level window of that object name (one a window opened by itself), or null.
template <class W = QWidget>
W* openedWindow(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return qobject_cast<W*>(w);
    return nullptr;
}

// The texts of one column, top to bottom.
inline QStringList column(const QAbstractItemModel* m, int c) {
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, c).data().toString();
    return out;
}

// The first row whose column c shows text, or -1.
inline int rowOf(const QAbstractItemModel* m, int c, const QString& text) {
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, c).data().toString() == text)
            return r;
    return -1;
}

// Each row's first columns (every column when columns < 0), joined by sep, top to bottom.
inline QStringList rowTexts(const QAbstractItemModel* m, int columns = -1, const QString& sep = QStringLiteral(" ")) {
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < (columns < 0 ? m->columnCount() : columns); ++c)
            cells << m->index(r, c).data().toString();
        out << cells.join(sep);
    }
    return out;
}

inline QStringList items(const QComboBox* list) {
    QStringList s;
    for (int i = 0; i < list->count(); ++i)
        s << list->itemText(i);
    return s;
}

inline void choose(QComboBox* list, const QString& text) {
    const int i = list->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    list->setCurrentIndex(i);
}

// Rows of a table (matching where, when given), and a document counter.
inline qint64 count(Database& db, const QString& table, const QString& where = {}, const QVariantList& args = {}) {
    return db
        .scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table +
                    (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where),
                args)
        .toLongLong();
}

// Each row a query returns, its values joined by "|": rows compared whole, in their order.
inline QStringList lines(Database& db, const QString& sql, const QVariantList& args = {}) {
    QStringList out;
    QSqlQuery q = db.exec(sql, args);
    while (q.next()) {
        QStringList values;
        for (int c = 0; c < q.record().count(); ++c)
            values << q.value(c).toString();
        out << values.join(QLatin1Char('|'));
    }
    return out;
}

// As lines(), with amounts (columns *_AMT, *_TOTAL, *AMOUNT; NULL as 0.00) to the paisa whatever
// the engine returns, and any other NULL as empty.
inline QStringList moneyLines(Database& db, const QString& sql, const QVariantList& args = {}) {
    QStringList out;
    QSqlQuery q = db.exec(sql, args);
    while (q.next()) {
        QStringList values;
        for (int c = 0; c < q.record().count(); ++c) {
            const QString name = q.record().fieldName(c).toUpper();
            const bool amount = name.endsWith("_AMT") || name.endsWith("_TOTAL") || name.endsWith("AMOUNT");
            values << (amount        ? Money::fromVariant(q.value(c)).toString()
                       : q.isNull(c) ? QString()
                                     : q.value(c).toString());
        }
        out << values.join(QLatin1Char('|'));
    }
    return out;
}

inline qint64 counter(Database& db, const QString& code) {
    return db.scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE=?"), {code}).toLongLong();
}

// Saves a picture of a window when TARVIC_SHOTS_DIR names a folder.
inline void shoot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("TARVIC_SHOTS_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QApplication::processEvents();
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace tarvic::test

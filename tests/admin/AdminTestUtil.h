#pragma once
// Driving windows as a user would: show and activate, type into whatever has the focus,
// edit a grid cell, and save a picture of a window when TARVIC_SHOTS_DIR names a folder.
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QtTest>

namespace tarvic::test {

inline bool showActive(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    return QTest::qWaitForWindowActive(&w);
}

// Types text key by key into the focused widget (the focus may move to a cell editor).
inline void typeKeys(const QString& text) {
    for (QChar c : text)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
}

inline void keyToFocus(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, mods);
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

inline void shoot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("TARVIC_SHOTS_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QApplication::processEvents();
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace tarvic::test

#pragma once
// What a keyboard user of a window meets, read from the widgets as shown.
//
// Tab order. Fields: the visible, enabled widgets that take Tab, not parts of another (a date
// field's text, a cell editor, a tab bar's arrows) nor the toolbar. A field's group is the
// nearest group box or tab page around it, else the window. Within a group, its fields and
// inner groups (one unit each, at its place, in the chain where its first field is) are put
// in two orders that must agree:
//  - the focus chain; the window's own units as a round (Tab wraps), a group's as a line;
//  - the screen: by top edge, a unit less than half a line (the lowest unit's height) below
//    the first unit of the current row joins that row, else starts the next; each row left to
//    right. A unit three lines tall or more with units beside it on its left only (a list on
//    the right of a form) comes after the last unit that starts above its bottom.
// Access keys. The "&X" of the visible buttons, labels with a buddy, group boxes and tab
// titles: no key twice among those shown at once. Callers look at each tab page in turn.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>

#include <algorithm>
#include <climits>
#include <functional>

namespace tarvic::test::screen {

inline QString nameOf(const QWidget* w) {
    if (auto* stack = qobject_cast<const QStackedWidget*>(w->parentWidget()))
        if (auto* tabs = qobject_cast<const QTabWidget*>(stack->parentWidget()))
            return QStringLiteral("page ") + tabs->tabText(tabs->indexOf(const_cast<QWidget*>(w)));
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// Runs look with each page of each tab pane shown in turn.
inline void forEachPage(QWidget* window, const std::function<void()>& look) {
    look();
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        const int was = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i)
            if (i != was && tabs->isTabEnabled(i)) {
                tabs->setCurrentIndex(i);
                QApplication::processEvents();
                look();
            }
        tabs->setCurrentIndex(was);
    }
}

inline QStringList accessKeyFaults(QWidget* window) {
    QMap<QString, QStringList> users;
    auto note = [&](const QString& text, bool shown) {
        if (const QKeySequence key = QKeySequence::mnemonic(text); shown && !key.isEmpty())
            users[key.toString()] << text;
    };
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        note(b->text(), b->isVisible() && !qobject_cast<QToolBar*>(b->parentWidget()));
    for (QLabel* l : window->findChildren<QLabel*>())
        note(l->text(), l->isVisible() && l->buddy());
    for (QGroupBox* g : window->findChildren<QGroupBox*>())
        note(g->title(), g->isVisible());
    for (QTabWidget* t : window->findChildren<QTabWidget*>())
        for (int i = 0; i < t->count(); ++i)
            note(t->tabText(i), t->isVisible() && t->isTabVisible(i));
    QStringList faults;
    for (auto it = users.cbegin(); it != users.cend(); ++it)
        if (it.value().size() > 1)
            faults << it.key() + QStringLiteral(": ") + it.value().join(QStringLiteral(", "));
    return faults;
}

struct Unit {
    QWidget* widget;
    QRect rect;  // in the window
    int chain;
};

inline QList<Unit> onScreen(const QList<Unit>& all) {
    int line = INT_MAX;
    for (const Unit& u : all)
        line = std::min(line, u.rect.height());
    auto isPanel = [&](const Unit& p) {
        int beside = 0;
        for (const Unit& u : all)
            if (u.widget != p.widget && u.rect.bottom() >= p.rect.top() && u.rect.top() <= p.rect.bottom()) {
                if (u.rect.right() > p.rect.left())
                    return false;
                ++beside;
            }
        return p.rect.height() >= 3 * line && beside > 0;
    };
    QList<Unit> flow, panels, out;
    for (const Unit& u : all)
        (isPanel(u) ? panels : flow).append(u);
    std::stable_sort(flow.begin(), flow.end(), [](const Unit& a, const Unit& b) {
        return std::pair(a.rect.top(), a.rect.left()) < std::pair(b.rect.top(), b.rect.left());
    });
    for (qsizetype start = 0, i = 1; i <= flow.size(); ++i) {
        if (i < flow.size() && flow.at(i).rect.top() < flow.at(start).rect.top() + line / 2)
            continue;
        QList<Unit> row = flow.mid(start, i - start);
        std::stable_sort(row.begin(), row.end(),
                         [](const Unit& a, const Unit& b) { return a.rect.left() < b.rect.left(); });
        out += row;
        start = i;
    }
    for (const Unit& p : panels) {
        qsizetype at = 0;
        while (at < out.size() && out.at(at).rect.top() <= p.rect.bottom())
            ++at;
        out.insert(at, p);
    }
    return out;
}

// One line per group whose Tab order is not its screen order.
inline QStringList tabOrderFaults(QWidget* window) {
    QHash<QWidget*, int> chain;
    int n = 0;
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
        chain.insert(w, n++);
    auto takesTab = [](const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus; };
    auto isField = [&](QWidget* w) {
        if (!w->isVisible() || !w->isEnabled() || !takesTab(w) || w->focusProxy() || w->window() != window ||
            qobject_cast<QTabBar*>(w) || qobject_cast<QGroupBox*>(w) || qobject_cast<QScrollArea*>(w))
            return false;
        for (QWidget* p = w->parentWidget(); p != window; p = p->parentWidget())
            if (qobject_cast<QToolBar*>(p) || qobject_cast<QTabBar*>(p) || qobject_cast<QAbstractItemView*>(p) ||
                qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QComboBox*>(p) || qobject_cast<QTextEdit*>(p) ||
                qobject_cast<QPlainTextEdit*>(p))
                return false;
        return true;
    };
    auto groupOf = [&](QWidget* w) {
        for (QWidget* p = w->parentWidget(); p != window; p = p->parentWidget())
            if (qobject_cast<QGroupBox*>(p) || qobject_cast<QStackedWidget*>(p->parentWidget()))
                return p;
        return window;
    };
    auto rectOf = [&](QWidget* w) { return QRect(w->mapTo(window, QPoint(0, 0)), w->size()); };

    QMap<QWidget*, QList<Unit>> units;
    QMap<QWidget*, int> groupChain;
    for (QWidget* f : window->findChildren<QWidget*>()) {
        if (!isField(f))
            continue;
        const int at = chain.value(f, -1);
        units[groupOf(f)].append({f, rectOf(f), at});
        for (QWidget* g = groupOf(f); g != window; g = groupOf(g))
            groupChain[g] = std::min(groupChain.value(g, INT_MAX), at);
    }
    for (auto it = groupChain.cbegin(); it != groupChain.cend(); ++it)
        units[groupOf(it.key())].append({it.key(), rectOf(it.key()), it.value()});

    QStringList faults;
    for (auto it = units.cbegin(); it != units.cend(); ++it) {
        QList<Unit> tab = it.value();
        std::stable_sort(tab.begin(), tab.end(), [](const Unit& a, const Unit& b) { return a.chain < b.chain; });
        const QList<Unit> screen = onScreen(it.value());
        if (it.key() == window)
            std::rotate(
                tab.begin(),
                std::find_if(tab.begin(), tab.end(), [&](const Unit& u) { return u.widget == screen.first().widget; }),
                tab.end());
        QStringList tabNames, screenNames;
        bool same = true;
        for (qsizetype i = 0; i < tab.size(); ++i) {
            tabNames << nameOf(tab.at(i).widget);
            screenNames << nameOf(screen.at(i).widget);
            same = same && tab.at(i).widget == screen.at(i).widget;
        }
        if (!same)
            faults << nameOf(it.key()) + QStringLiteral(": Tab goes ") + tabNames.join(QStringLiteral(", ")) +
                          QStringLiteral("; the screen reads ") + screenNames.join(QStringLiteral(", "));
    }
    return faults;
}

}  // namespace tarvic::test::screen

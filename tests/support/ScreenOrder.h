#pragma once
// What a keyboard user of a window meets, read from the widgets as shown:
//
// Tab order. The fields are the visible, enabled widgets that take Tab (line edits, lists,
// buttons, grids, ...), not the inner parts of one (a date field's text, a grid's cell
// editor) and not the toolbar. Each field belongs to its group: the nearest group box or tab
// page around it, else the window. Within a group, its fields and its inner groups (each as
// one unit, where it starts) are compared in two orders:
//  - the focus chain (the order Tab visits them);
//  - the screen: sorted by top edge, a unit whose top lies less than half a line (the height
//    of the lowest unit) below the top of the first unit of the current row joins that row,
//    else starts the next one; within a row, left to right. A tall unit (three lines or more)
//    with units beside it on its left only is a panel on the right: it comes after the last
//    unit that starts above its bottom.
// Tab goes round a window, so the window's own units compare as a round (starting anywhere);
// a group is entered at its first unit, so its units compare as a line.
// Every page of every tab pane is looked at in turn.
//
// Access keys. The "&X" of the visible buttons, labels with a buddy, group boxes and tab
// titles of a window: no key twice among those visible at once (so each tab page is its own
// scope, beside what is outside the pane).
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTextEdit>
#include <QApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>

#include <algorithm>
#include <climits>
#include <functional>

namespace tarvic::test {

inline QString fieldName(const QWidget* w) {
    if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
        return w->objectName();
    if (auto* b = qobject_cast<const QAbstractButton*>(w); b && !b->text().isEmpty())
        return b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w); g && !g->title().isEmpty())
        return g->title();
    for (const QLabel* l : w->window()->findChildren<QLabel*>())
        if (l->buddy() == w)
            return l->text();
    if (auto* stack = qobject_cast<const QStackedWidget*>(w->parentWidget()))
        if (auto* tabs = qobject_cast<const QTabWidget*>(stack->parentWidget()))
            return QStringLiteral("page ") + tabs->tabText(tabs->indexOf(const_cast<QWidget*>(w)));
    return QString::fromLatin1(w->metaObject()->className());
}

class ScreenOrder {
public:
    // Tab-order faults of a window as it shows now, one line per group out of order.
    static QStringList tabOrderFaults(QWidget* window) {
        ScreenOrder s(window);
        return s.faults();
    }

    // Every page of every tab pane shown in turn; the first page is shown again after.
    static void forEachPage(QWidget* window, const std::function<void()>& look) {
        look();
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
            const int was = tabs->currentIndex();
            for (int i = 0; i < tabs->count(); ++i) {
                if (i == was || !tabs->isTabEnabled(i))
                    continue;
                tabs->setCurrentIndex(i);
                QApplication::processEvents();
                look();
            }
            tabs->setCurrentIndex(was);
        }
    }

    // Access keys used twice among what a window shows now: "Alt+S: &STATUS, &SHOW".
    static QStringList accessKeyFaults(QWidget* window) {
        QMap<QString, QStringList> users;
        auto note = [&](const QString& text, bool shown) {
            const QKeySequence key = QKeySequence::mnemonic(text);
            if (shown && !key.isEmpty())
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

private:
    struct Unit {
        QWidget* widget;
        QRect rect;  // in the window's coordinates
        int chain;   // place in the focus chain (of its first field)
    };

    explicit ScreenOrder(QWidget* window) : window_(window) {
        int i = 0;
        for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
            chain_.insert(w, i++);
        for (QWidget* w : window->findChildren<QWidget*>())
            if (isField(w))
                fields_ << w;
    }

    static bool takesTab(const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus; }

    bool isField(QWidget* w) const {
        if (!w->isVisible() || !w->isEnabled() || !takesTab(w) || w->focusProxy() || w->window() != window_ ||
            qobject_cast<QTabBar*>(w) || qobject_cast<QGroupBox*>(w) || qobject_cast<QScrollArea*>(w))
            return false;
        for (QWidget* p = w->parentWidget(); p && p != window_; p = p->parentWidget())
            if (qobject_cast<QToolBar*>(p) || qobject_cast<QTabBar*>(p) || qobject_cast<QAbstractItemView*>(p) || qobject_cast<QAbstractSpinBox*>(p) ||
                qobject_cast<QComboBox*>(p) || qobject_cast<QTextEdit*>(p) || qobject_cast<QPlainTextEdit*>(p))
                return false;  // part of another field
        return true;
    }

    bool isGroup(const QWidget* w) const {
        if (w == window_ || qobject_cast<const QGroupBox*>(w))
            return true;
        return qobject_cast<const QStackedWidget*>(w->parentWidget()) != nullptr;
    }

    QWidget* groupOf(QWidget* w) const {
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            if (isGroup(p))
                return p;
        return window_;
    }

    QRect rectOf(const QWidget* w) const { return QRect(w->mapTo(window_, QPoint(0, 0)), w->size()); }

    QStringList faults() const {
        // Units of every group: its own fields, and its inner groups placed at their first field.
        QMap<QWidget*, QList<Unit>> units;
        QMap<QWidget*, int> groupChain;
        for (QWidget* f : fields_) {
            const int at = chain_.value(f, -1);
            units[groupOf(f)].append({f, rectOf(f), at});
            for (QWidget* g = groupOf(f); g != window_; g = groupOf(g))
                groupChain[g] = groupChain.contains(g) ? std::min(groupChain[g], at) : at;
        }
        for (auto it = groupChain.cbegin(); it != groupChain.cend(); ++it)
            units[groupOf(it.key())].append({it.key(), rectOf(it.key()), it.value()});

        QStringList out;
        for (auto it = units.begin(); it != units.end(); ++it) {
            QList<Unit> byChain = it.value();
            std::stable_sort(byChain.begin(), byChain.end(), [](const Unit& a, const Unit& b) { return a.chain < b.chain; });
            const QList<Unit> byScreen = screenOrder(it.value());
            // Tab goes round the window: its fields may start anywhere in the round.
            if (it.key() == window_ && !byChain.isEmpty()) {
                qsizetype first = 0;
                while (first < byChain.size() && byChain.at(first).widget != byScreen.at(0).widget)
                    ++first;
                std::rotate(byChain.begin(), byChain.begin() + first, byChain.end());
            }
            bool same = true;
            for (qsizetype i = 0; i < byChain.size(); ++i)
                same = same && byChain.at(i).widget == byScreen.at(i).widget;
            if (!same)
                out << QStringLiteral("%1: Tab goes %2; the screen reads %3")
                           .arg(fieldName(it.key()), names(byChain), names(byScreen));
        }
        return out;
    }

    // A tall unit (a grid, a list) with nothing beside it on its right: read after the fields
    // it stands beside, as the block on the right of a form.
    static bool isSidePanel(const Unit& p, const QList<Unit>& all, int line) {
        if (p.rect.height() < 3 * line)
            return false;
        int beside = 0;
        for (const Unit& u : all) {
            if (u.widget == p.widget || u.rect.bottom() < p.rect.top() || u.rect.top() > p.rect.bottom())
                continue;
            if (u.rect.right() > p.rect.left())
                return false;
            ++beside;
        }
        return beside > 0;
    }

    static QList<Unit> screenOrder(const QList<Unit>& all) {
        int line = INT_MAX;  // the height of one line: the lowest unit
        for (const Unit& u : all)
            line = std::min(line, u.rect.height());
        QList<Unit> list, panels;
        for (const Unit& u : all)
            (isSidePanel(u, all, line) ? panels : list).append(u);
        std::stable_sort(list.begin(), list.end(), [](const Unit& a, const Unit& b) {
            return std::pair(a.rect.top(), a.rect.left()) < std::pair(b.rect.top(), b.rect.left());
        });
        QList<Unit> out;
        qsizetype rowStart = 0;
        for (qsizetype i = 1; i <= list.size(); ++i) {
            if (i < list.size() && list.at(i).rect.top() < list.at(rowStart).rect.top() + line / 2)
                continue;
            QList<Unit> row = list.mid(rowStart, i - rowStart);
            std::stable_sort(row.begin(), row.end(), [](const Unit& a, const Unit& b) { return a.rect.left() < b.rect.left(); });
            out += row;
            rowStart = i;
        }
        for (const Unit& p : panels) {
            qsizetype at = 0;
            while (at < out.size() && out.at(at).rect.top() <= p.rect.bottom())
                ++at;
            out.insert(at, p);
        }
        return out;
    }

    static QString names(const QList<Unit>& list) {
        QStringList n;
        for (const Unit& u : list)
            n << fieldName(u.widget);
        return n.join(QStringLiteral(", "));
    }

    QWidget* window_;
    QHash<QWidget*, int> chain_;
    QList<QWidget*> fields_;
};

}  // namespace tarvic::test

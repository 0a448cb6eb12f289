#include "KeyNavigation.h"

#include <QAbstractItemView>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <algorithm>

namespace tarvic {

namespace {

// QWidget::focusNextPrevChild is protected; reaching it through a class of our own keeps each
// widget's own version (a scroll area scrolls the new field into view).
struct FocusStepper : QWidget {
    static bool step(QWidget* w, bool forward) {
        bool (QWidget::*stepper)(bool) = &FocusStepper::focusNextPrevChild;
        return (w->*stepper)(forward);
    }
};

template <class T>
T* enclosing(QWidget* w) {
    for (; w && !w->isWindow(); w = w->parentWidget())
        if (auto* t = qobject_cast<T*>(w))
            return t;
    return nullptr;
}

QAbstractItemView* gridOf(QWidget* w) {
    // A grid, or the cell editor of one (the editor sits in the grid's viewport).
    if (auto* v = qobject_cast<QAbstractItemView*>(w))
        return v;
    return enclosing<QAbstractItemView>(w);
}

bool isMultiLineText(const QWidget* w) {
    if (auto* t = qobject_cast<const QTextEdit*>(w))
        return !t->isReadOnly();
    if (auto* t = qobject_cast<const QPlainTextEdit*>(w))
        return !t->isReadOnly();
    return false;
}

bool turnPage(QTabWidget* tabs, bool forward) {
    const int n = tabs->count();
    for (int step = 1; step < n; ++step) {
        const int page = ((tabs->currentIndex() + (forward ? step : -step)) % n + n) % n;
        if (tabs->isTabEnabled(page) && tabs->isTabVisible(page)) {
            tabs->setCurrentIndex(page);
            return true;
        }
    }
    return false;
}

}  // namespace

void moveOn(QWidget* from, bool forward) {
    // The step starts from the widget holding the focus: give it to from first, which also
    // closes (and keeps) a cell being edited when from is its grid.
    if (!from->hasFocus())
        from->setFocus(Qt::OtherFocusReason);
    FocusStepper::step(from->isWindow() ? from : from->parentWidget(), forward);
}

bool moveOnKey(QWidget* receiver, const QKeyEvent* key) {
    if (key->type() != QEvent::KeyPress)
        return false;
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const int k = key->key();
    const bool tab = k == Qt::Key_Tab || k == Qt::Key_Backtab;
    const bool forward = k == Qt::Key_Tab && !(mods & Qt::ShiftModifier);

    if (mods & (Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (mods & Qt::ControlModifier) {
        const bool page = k == Qt::Key_PageDown || k == Qt::Key_PageUp;
        if (!tab && !page)
            return false;
        if (auto* tabs = enclosing<QTabWidget>(receiver)) {
            turnPage(tabs, page ? k == Qt::Key_PageDown : forward);
            return true;
        }
        if (!tab)
            return false;
        if (QAbstractItemView* grid = gridOf(receiver)) {
            moveOn(grid, forward);
            return true;
        }
        if (isMultiLineText(receiver)) {
            moveOn(receiver, forward);
            return true;
        }
        return false;
    }
    if (!tab)
        return false;

    if (auto* date = qobject_cast<QDateTimeEdit*>(receiver) ? qobject_cast<QDateTimeEdit*>(receiver)
                                                            : enclosing<QDateTimeEdit>(receiver)) {
        if (!gridOf(date)) {
            moveOn(date, forward);
            return true;
        }
    }
    if (isMultiLineText(receiver)) {
        moveOn(receiver, forward);
        return true;
    }
    if (QAbstractItemView* grid = gridOf(receiver)) {
        // An editable grid keeps Tab for its cells (a new row grows from its last one).
        if (grid->editTriggers() == QAbstractItemView::NoEditTriggers || !grid->tabKeyNavigation()) {
            moveOn(grid, forward);
            return true;
        }
    }
    return false;
}

namespace {

bool takesTab(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

bool hasItemRightOf(QGridLayout* grid, int top, int rows, int column) {
    for (int i = 0; i < grid->count(); ++i) {
        int r = 0, c = 0, rs = 0, cs = 0;
        grid->getItemPosition(i, &r, &c, &rs, &cs);
        if (c >= column && r < top + rows && r + rs > top)
            return true;
    }
    return false;
}

// The items of a layout in the order they are seen: grid and form layouts by row, then
// column; box layouts in their direction.
QList<QLayoutItem*> itemsInOrder(QLayout* layout) {
    struct Placed {
        int row, column, index;
        QLayoutItem* item;
    };
    QList<Placed> placed;
    auto* grid = qobject_cast<QGridLayout*>(layout);
    for (int i = 0; i < layout->count(); ++i) {
        int row = 0, column = i;
        if (grid) {
            int rows = 0, columns = 0;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            // A tall item with nothing on its right (a list beside the fields) is reached
            // after the fields it stands beside.
            if (rows >= 3 && !hasItemRightOf(grid, row, rows, column + columns))
                row += rows - 1;
        } else if (auto* form = qobject_cast<QFormLayout*>(layout)) {
            QFormLayout::ItemRole role{};
            form->getItemPosition(i, &row, &role);
            column = int(role);
        } else if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
            if (box->direction() == QBoxLayout::RightToLeft || box->direction() == QBoxLayout::BottomToTop)
                column = -i;
        }
        placed.append({row, column, i, layout->itemAt(i)});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.row, a.column, a.index) < std::tie(b.row, b.column, b.index);
    });
    QList<QLayoutItem*> items;
    for (const Placed& p : placed)
        items.append(p.item);
    return items;
}

void collect(QWidget* w, QList<QWidget*>& fields);

void collect(QLayout* layout, QList<QWidget*>& fields) {
    for (QLayoutItem* item : itemsInOrder(layout)) {
        if (QWidget* w = item->widget())
            collect(w, fields);
        else if (QLayout* inner = item->layout())
            collect(inner, fields);
    }
}

void collect(QWidget* w, QList<QWidget*>& fields) {
    if (w->isWindow())
        return;
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        if (takesTab(tabs->tabBar()))
            fields.append(tabs->tabBar());
        for (int i = 0; i < tabs->count(); ++i)
            collect(tabs->widget(i), fields);
        return;
    }
    if (auto* stack = qobject_cast<QStackedWidget*>(w)) {
        for (int i = 0; i < stack->count(); ++i)
            collect(stack->widget(i), fields);
        return;
    }
    if (auto* split = qobject_cast<QSplitter*>(w)) {
        for (int i = 0; i < split->count(); ++i)
            collect(split->widget(i), fields);
        return;
    }
    if (auto* scroll = qobject_cast<QScrollArea*>(w); scroll && scroll->widget()) {
        collect(scroll->widget(), fields);
        return;
    }
    if (w->layout()) {
        if (auto* box = qobject_cast<QGroupBox*>(w); box && box->isCheckable())
            fields.append(box);
        collect(w->layout(), fields);
        return;
    }
    if (takesTab(w))
        fields.append(w);
}

}  // namespace

void setTabOrderFromLayout(QWidget* root) {
    QList<QWidget*> fields;
    if (root->layout())
        collect(root->layout(), fields);
    for (qsizetype i = 1; i < fields.size(); ++i)
        QWidget::setTabOrder(fields.at(i - 1), fields.at(i));
}

}  // namespace tarvic

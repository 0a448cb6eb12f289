#include "TaskWindow.h"

#include "shell/kit/KeyNavigation.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvic {

void Center_Form(QWidget* w, QWidget* container) {
    QRect area;
    if (container && !container->isWindow())
        return;  // only a window or the screen can hold a task window
    // A window larger than its container (a frame still being maximized, say) is centred on
    // the screen instead, rather than pushed against the screen's edge.
    if (container && container->frameGeometry().width() >= w->frameGeometry().width() &&
        container->frameGeometry().height() >= w->frameGeometry().height()) {
        area = container->frameGeometry();
    } else {
        QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        area = screen->availableGeometry();
    }
    const QSize size = w->frameGeometry().size();
    QPoint at(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
    // A window taller or wider than its container still opens with its toolbar on the screen.
    if (QScreen* screen = container ? container->screen() : w->screen()) {
        const QRect avail = screen->availableGeometry();
        at.setX(std::max(avail.left(), std::min(at.x(), avail.right() + 1 - size.width())));
        at.setY(std::max(avail.top(), std::min(at.y(), avail.bottom() + 1 - size.height())));
    }
    w->move(at);
}

namespace {

// A window laid out for a small screen opens wider where the frame or the screen has room for
// the columns its grids would otherwise hide behind a sideways scroll bar; it never shrinks.
void growToColumns(QWidget* w) {
    int wanted = 0;
    for (const QTableView* grid : w->findChildren<QTableView*>()) {
        if (grid->isVisibleTo(w) && grid->model())
            wanted = std::max(wanted, grid->horizontalHeader()->length() - grid->viewport()->width());
    }
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (wanted <= 0 || !screen)
        return;
    // Within the main frame (the outermost window, for one opened over another task window), or
    // the screen when that frame is (being) maximized.
    const QWidget* frame = w->parentWidget() ? w->parentWidget()->window() : nullptr;
    while (frame && frame->parentWidget())
        frame = frame->parentWidget()->window();
    // Before it is first mapped a window's border is not known yet: its frame's stands for it.
    const int decoration = std::max({0, w->frameGeometry().width() - w->width(),
                                     frame ? frame->frameGeometry().width() - frame->width() : 0});
    const int room = (frame && !(frame->windowState() & Qt::WindowMaximized) ? frame->width()
                                                                            : screen->availableGeometry().width()) -
                     decoration;
    if (room > w->width())
        w->resize(std::min(w->width() + wanted, room), w->height());
}

QStyle::StandardPixmap pictureFor(int position, const QString& tooltip) {
    if (position == 1)
        return QStyle::SP_DialogCloseButton;
    if (tooltip.startsWith(QLatin1String("New"), Qt::CaseInsensitive))
        return QStyle::SP_FileIcon;
    if (tooltip.startsWith(QLatin1String("Save"), Qt::CaseInsensitive))
        return QStyle::SP_DialogSaveButton;
    if (tooltip.startsWith(QLatin1String("Search"), Qt::CaseInsensitive))
        return QStyle::SP_FileDialogContentsView;
    if (tooltip.startsWith(QLatin1String("Delete"), Qt::CaseInsensitive))
        return QStyle::SP_TrashIcon;
    if (tooltip.startsWith(QLatin1String("Print"), Qt::CaseInsensitive))
        return QStyle::SP_FileDialogDetailedView;
    if (tooltip.startsWith(QLatin1String("Refresh"), Qt::CaseInsensitive))
        return QStyle::SP_BrowserReload;
    return QStyle::SP_ArrowRight;
}

int positionOfKey(int key) {
    switch (key) {
    case Qt::Key_Escape: return 1;
    case Qt::Key_F2: return 2;
    case Qt::Key_F3: return 3;
    case Qt::Key_F4: return 4;
    case Qt::Key_F5: return 5;
    case Qt::Key_F6: return 6;
    default: return 0;
    }
}

}  // namespace

TaskWindow::TaskWindow(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), session_(session) {
    outer_ = new QVBoxLayout(this);
    outer_->setContentsMargins(0, 0, 0, 0);
    outer_->setSpacing(0);
    body_ = new QVBoxLayout;
    body_->setContentsMargins(8, 8, 8, 8);
    body_->setSpacing(6);
    outer_->addLayout(body_, 1);
    // The window previews every key and focus change of its own widgets before they do.
    qApp->installEventFilter(this);
}

TaskWindow::~TaskWindow() { qApp->removeEventFilter(this); }

QAction* TaskWindow::setTool(int position, const QString& tooltip, std::function<void()> handler) {
    Q_ASSERT(position >= 1 && position <= kPositions);
    if (!toolbar_) {
        toolbar_ = new QToolBar(this);
        toolbar_->setObjectName(QStringLiteral("Toolbar1"));
        toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        toolbar_->setIconSize(QSize(24, 24));
        toolbar_->setMovable(false);
        outer_->insertWidget(0, toolbar_);
    }
    if (QAction* old = tools_[position]) {
        toolbar_->removeAction(old);
        delete old;
    }
    const QString text = tooltip.section(QLatin1Char('{'), 0, 0).trimmed();
    auto* action = new QAction(style()->standardIcon(pictureFor(position, tooltip)), text, this);
    action->setToolTip(tooltip);
    action->setObjectName(QStringLiteral("Toolbar1_%1").arg(position));
    connect(action, &QAction::triggered, this, [h = std::move(handler)] { h(); });
    // Keep the buttons in position order whatever order they were added in.
    QAction* before = nullptr;
    for (int p = position + 1; p <= kPositions && !before; ++p)
        before = tools_[p];
    toolbar_->insertAction(before, action);
    tools_[position] = action;
    return action;
}

QAction* TaskWindow::tool(int position) const {
    return (position >= 1 && position <= kPositions) ? tools_[position] : nullptr;
}

bool TaskWindow::pressTool(int position) {
    QAction* action = tool(position);
    if (!action || !action->isEnabled() || !action->isVisible())
        return false;
    action->trigger();
    return true;
}

namespace {
// Held as a child of its widget, so that it lives exactly as long as the widget.
class EnterAction : public QObject {
public:
    EnterAction(QWidget* owner, std::function<void()> action) : QObject(owner), run(std::move(action)) {
        setObjectName(QLatin1String(kName));
    }
    static EnterAction* of(QWidget* w) {
        return dynamic_cast<EnterAction*>(w->findChild<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly));
    }
    static constexpr const char* kName = "tarvicEnterAction";
    std::function<void()> run;
};
}  // namespace

void TaskWindow::onEnter(QWidget* w, std::function<void()> action) {
    delete EnterAction::of(w);
    new EnterAction(w, std::move(action));
}

bool TaskWindow::guarded(const std::function<void()>& work) const {
    return runGuarded(prompter(), const_cast<TaskWindow*>(this), work, failures_);
}

void TaskWindow::bindColumn(QWidget* field, QAnyStringView table, QAnyStringView column) {
    tarvic::bindColumn(session_, field, table, column);
}

void TaskWindow::bindLength(QWidget* field, int limit) { tarvic::bindLength(session_, field, limit); }

QWidget* TaskWindow::openWindow(const QString& name, const WindowArgs& args, WindowRegistry::Opening how) {
    if (!canOpen(name))
        return nullptr;
    QWidget* w = nullptr;
    guarded([&] { w = session_.windows->open(name, session_, this, args, how); });
    return w;
}

void TaskWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        // Tab follows the screen: the order the layouts place the fields in.
        setTabOrderFromLayout(this);
        growToColumns(this);
        Center_Form(this, parentWidget() ? parentWidget()->window() : nullptr);
    }
}

bool TaskWindow::ownsWidget(QObject* o) const {
    if (!o || !o->isWidgetType())
        return false;
    return static_cast<QWidget*>(o)->window() == this;
}

bool TaskWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::FocusIn)
        return false;
    if (!ownsWidget(watched))
        return false;
    auto* w = static_cast<QWidget*>(watched);
    if (type == QEvent::FocusIn) {
        auto* edit = qobject_cast<QLineEdit*>(w);
        // A grid's cell editor is opened by the key that is typed into it: the view selects
        // its text before that key, and selecting again would swallow it.
        const QWidget* host = edit && edit->parentWidget() ? edit->parentWidget()->parentWidget() : nullptr;
        if (edit && !qobject_cast<const QAbstractItemView*>(host)) {
            // After the mouse press that may have given the focus has placed the cursor, and
            // only while nothing has been typed since.
            QTimer::singleShot(0, edit, [edit, before = edit->text()] {
                if (edit->hasFocus() && edit->text() == before)
                    edit->selectAll();
            });
        }
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    return moveOnKey(w, key) || handleKey(w, key);
}

bool TaskWindow::handleKey(QWidget* receiver, QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier)
        return false;
    const int k = key->key();
    if (const int position = positionOfKey(k)) {
        if (!toolbar_) {
            if (position == 1) {
                close();
                return true;
            }
            return false;
        }
        if (!tool(position))
            return false;  // only the keys of existing buttons are mapped
        pressTool(position);
        return true;  // a mapped key never reaches the field, pressed or not
    }
    if (k != Qt::Key_Return && k != Qt::Key_Enter)
        return false;
    for (QWidget* w = receiver; w && w != this; w = w->parentWidget()) {
        if (auto* enter = EnterAction::of(w)) {
            const auto action = enter->run;  // the action may close the window
            action();
            return true;
        }
    }
    if (qobject_cast<QTextEdit*>(receiver) || qobject_cast<QPlainTextEdit*>(receiver))
        return false;
    // Enter on a button presses it, as on every desktop the users know; elsewhere it moves on.
    if (auto* button = qobject_cast<QPushButton*>(receiver)) {
        if (button->isEnabled())
            button->click();
        return true;
    }
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QCoreApplication::sendEvent(receiver, &tab);
    return true;
}

}  // namespace tarvic

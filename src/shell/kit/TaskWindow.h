#pragma once
// The base of every task window: toolbar positions, keys, Enter as Tab, select-on-focus and
// placement over the main window. A window states only its fields and actions:
//
//     class frm_Thing : public TaskWindow {
//         frm_Thing(Session& s, QWidget* parent) : TaskWindow(s, parent) {
//             setWindowTitle("THING MAINTENANCE");
//             setTool(1, kCloseTip, [this] { close(); });
//             setTool(2, kNewTip, [this] { Load_Init(); });
//             setTool(3, kSaveTip, [this] { Save_Record(); });
//             body()->addWidget(...);
//         }
//     };
//
// Keys (the window sees each key before its fields): Escape and F2..F6 press the button at
// positions 1..6 exactly like a click, and only while that button exists, is visible and is
// enabled; a window without a toolbar closes on Escape. Enter moves on as Tab does, except
// in multi-line text boxes and in widgets given their own Enter action with onEnter().
// A line edit that takes the focus selects its whole text.
#include "shell/Session.h"
#include "shell/WindowRegistry.h"
#include "shell/kit/ColumnBinding.h"
#include "shell/kit/Guard.h"

#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QToolBar;
class QVBoxLayout;

namespace tarvic {

inline const QString kCloseTip = QStringLiteral("Close { ESC }");
inline const QString kNewTip = QStringLiteral("New Record { F2 }");
inline const QString kSaveTip = QStringLiteral("Save Record { F3 }");
inline const QString kSearchTip = QStringLiteral("Search Record { F4 }");

// Centres w on container: a window (its frame), or the screen when container is null.
void Center_Form(QWidget* w, QWidget* container = nullptr);

class TaskWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPositions = 6;

    // parent is the main window: the task window is a window of its own placed over it.
    explicit TaskWindow(Session& session, QWidget* parent = nullptr);
    ~TaskWindow() override;

    // Puts a button at a toolbar position (1..6) with its tooltip; the text under its picture
    // is the tooltip without the key ("Save Record"). Creates Toolbar1 on first use.
    QAction* setTool(int position, const QString& tooltip, std::function<void()> handler);
    // The button at a position, or nullptr.
    QAction* tool(int position) const;
    QToolBar* toolbar() const { return toolbar_; }
    // Presses the button at a position as its key does: nothing when it is missing, hidden
    // or disabled. Returns whether it was pressed.
    bool pressTool(int position);

    // Enter in w runs action instead of moving on (a search field that searches, a grid
    // whose Enter chooses the row).
    void onEnter(QWidget* w, std::function<void()> action);

    // The layout under the toolbar where a window puts its content.
    QVBoxLayout* body() const { return body_; }

    // Runs a load or a save: a database failure is shown (the window's own message for a
    // failure it names with setFailureMessages, else the database's text) and false returned.
    bool guarded(const std::function<void()>& work) const;
    void setFailureMessages(const FailureMessages& messages) { failures_ = messages; }

    // Ties a field to the column it is stored in, or bounds one stored in none
    // (ColumnBinding.h).
    void bindColumn(QWidget* field, QAnyStringView table, QAnyStringView column);
    void bindLength(QWidget* field, int limit);

    // Opens a registered window by name over this one (see WindowRegistry::open); nullptr
    // when no window of that name is registered.
    QWidget* openWindow(const QString& name, const WindowArgs& args = {},
                        WindowRegistry::Opening how = WindowRegistry::Opening::AsCatalogued);
    // Whether openWindow can open that window.
    bool canOpen(const QString& name) const { return session_.windows && session_.windows->has(name); }

    Session& session() const { return session_; }
    Prompter& prompter() const { return *session_.prompter; }
    Database& db() const { return *session_.db; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool ownsWidget(QObject* o) const;
    bool handleKey(QWidget* receiver, QKeyEvent* key);

    Session& session_;
    QToolBar* toolbar_ = nullptr;
    QVBoxLayout* outer_ = nullptr;
    QVBoxLayout* body_ = nullptr;
    std::array<QAction*, kPositions + 1> tools_{};
    FailureMessages failures_;
    bool placed_ = false;
};

}  // namespace tarvic

#pragma once
// Every window that can be opened, by its own name (the window name of the menu catalogue:
// frm_CSP_State, frm_Counter, ...). The shell knows no subsystem: each subsystem library
// registers its windows and the program's main() calls those registration functions, so a
// window built later plugs in by registering, and a window opens another by name without
// knowing its class:
//
//     session().windows->open(QStringLiteral("frm_CBPT01_FRDB"), session(), this,
//                             {{{QStringLiteral("CBPT_NO"), bookingNo}}});
//
// A window opened with values shows one document (the receipt of booking 7, voucher FRDB01 12):
// opened again for the same document while it is open, the open one comes to the front, so
// there is never a second editable copy of it.
//
// The main menu opens the window named by each entry; an entry whose window is not
// registered stays in the menu, disabled.
#include "shell/Session.h"
#include "shell/kit/Picker.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <type_traits>

namespace tarvic {

// What a window is opened with: named values (a booking number, a voucher's code and
// number) and, for a picker, where the chosen code goes.
struct WindowArgs {
    QVariantHash values;
    PickCallback onPick = {};
    // The values that name the document the window shows; empty: all of them. A value left out
    // says how it was opened (from the sales or the operations desk), not what it shows.
    QStringList identity = {};

    QVariant value(const QString& key) const { return values.value(key); }
};

class WindowRegistry {
public:
    using Factory = std::function<QWidget*(Session& session, QWidget* parent, const WindowArgs& args)>;
    enum class Opening { AsCatalogued, Modal, Modeless };

    // Registers a window under its name; its object name must be that name.
    void add(const QString& window, Factory factory) { factories_.insert(window, std::move(factory)); }
    // A window that takes no arguments may be built from (session, parent) alone.
    template <class F>
    requires std::is_invocable_r_v<QWidget*, F, Session&, QWidget*>
    void add(const QString& window, F make) {
        add(window,
            Factory([make](Session& s, QWidget* parent, const WindowArgs&) -> QWidget* { return make(s, parent); }));
    }
    // The common case: a window class built from (session, parent), or from (session, parent,
    // args) when it takes arguments.
    template <class W>
    void add(const QString& window) {
        add(window, [](Session& session, QWidget* parent, const WindowArgs& args) -> QWidget* {
            if constexpr (std::is_constructible_v<W, Session&, QWidget*, const WindowArgs&>)
                return new W(session, parent, args);
            else
                return new W(session, parent);
        });
    }

    bool has(const QString& window) const { return factories_.contains(window); }
    // The registered names, sorted.
    QStringList windows() const;

    // Builds the window, which deletes itself when closed; nullptr when the name is not
    // registered. Throws what the window's constructor throws. The caller shows it.
    QWidget* create(const QString& window, Session& session, QWidget* parent, const WindowArgs& args = {}) const;

    // Builds and shows a window opened from another one (parent): modal over the whole
    // program, or modeless beside it; AsCatalogued follows the menu catalogue (modeless for a
    // window no menu entry opens). Returns the window, or nullptr when it is not registered.
    // The same window already open for the same document (args' identifying values) is
    // brought to the front and returned instead, as it is; a window opened without values is
    // always a new one (a picker answers the window that opened it).
    QWidget* open(const QString& window, Session& session, QWidget* parent, const WindowArgs& args = {},
                  Opening how = Opening::AsCatalogued) const;

private:
    QHash<QString, Factory> factories_;
};

}  // namespace tarvic

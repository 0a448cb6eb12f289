#pragma once
// A hostile user let loose on every registered window over the demo books: each editable field
// gets a hostile value (cycled per field, the same every run), every enabled button is pressed
// in turn (closing last) with every question answered Yes, and what the windows then show and
// store is recorded for the test to judge:
//  - every message, with the window, the button and the values that led to it;
//  - a success message after which the books read exactly as before (nothing was stored);
//  - a real modal dialog that would block a user's program (refused and closed at once).
// File dialogs are answered with a path in a private folder (a file to read holds SQL-like
// text). Tests that link every subsystem.
#include "admin/frm_ExpImpMenuDetails.h"
#include "app/AllWindows.h"
#include "data/SchemaTables.h"
#include "engine/admin/DemoData.h"
#include "sales/QuotationPagePane.h"
#include "shell/MainWindow.h"
#include "shell/kit/ColumnBinding.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/TaskWindow.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDateEdit>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QValidator>
#include <QtTest>

#include <memory>

namespace tarvic::test {

using namespace Qt::StringLiterals;

// One kind of hostile value. An empty text stands for the field's longest text and one more
// character; typed values go key by key (the key filters see them), the others are pasted.
struct HostileValue {
    const char* kind;
    QString text;
    bool typed = false;
};

inline const QString kSqlLike = u"'; DROP TABLE MST_PARTY; --"_s;

inline const QList<HostileValue>& hostileValues() {
    static const QList<HostileValue> values{
        {"longest and one more", {}},
        {"non-ASCII and emoji", u"ÉMILIE Ñ ü 日本 😀🚌 ₹ ﷼"_s},
        {"quotes and backslashes", u"O'BRIEN \"QUOTED\" \\ \\\\ '' \"\" `"_s},
        {"SQL-like", kSqlLike},
        {"negative", u"-125.50"_s, true},
        {"zero", u"0"_s, true},
        {"huge", u"99999999999999999"_s, true},
        {"fractional", u"0.005"_s, true},
        {"impossible date", u"31/02/2025"_s},
        {"tabs and newlines", u"A\tB\r\nC\nD\t"_s},
        {"huge pasted", u"99999999999999999.999"_s},
        {"negative pasted", u"-0.01"_s},
        // At the edge rather than past it, so that saves get through with the rest hostile.
        {"largest amount", u"9999999999999.99"_s, true},
        {"one", u"1"_s, true},
    };
    return values;
}

// A message shown while walking, with where it came from.
struct WalkMessage {
    QString window;
    QString step;  // the button pressed, or the field filled
    QString kind;
    QString text;
    QString values;  // what the fields held
    QString line() const { return u"%1 / %2: %3 \"%4\" (%5)"_s.arg(window, step, kind, text, values); }
};

// Whether a message shows what only the database or its driver says.
inline bool carriesDriverText(const QString& text) {
    static const QStringList marks{u"[unixODBC]"_s, u"ODBC"_s,   u"SQLSTATE"_s,       u"driver"_s,      u"QODBC"_s,
                                   u"psql"_s,       u"sqlite"_s, u"value too long"_s, u"syntax error"_s};
    for (const QString& m : marks)
        if (text.contains(m, Qt::CaseInsensitive))
            return true;
    return false;
}

// A message that says something was stored. Not: a file written, a line added to the list
// of the window that opened it (stored with that document), or derived rows rebuilt (the same
// rows again when they were right).
inline bool claimsStored(const ScriptedPrompter::Message& m) {
    if (m.kind != "information"_L1 || !m.text.contains("SUCCESS"_L1))
        return false;
    static const QStringList outputs{u"EXPORT"_s, u"PDF"_s,           u"DOCUMENT"_s,     u"SAVED TO"_s,
                                     u"MAIL"_s,   u"ADDED TO LIST"_s, u"RE-GENERATION"_s};
    for (const QString& o : outputs)
        if (m.text.contains(o))
            return false;
    return true;
}

class HostileWalk {
public:
    TestSession ts;
    WindowRegistry registry;
    std::unique_ptr<MainWindow> main;
    QTemporaryDir files;

    QList<WalkMessage> messages;  // every message shown
    QStringList emptySuccesses;   // a success message with the books unchanged
    QStringList modalDialogs;     // a real modal dialog that opened
    int fieldsFilled = 0;
    int buttonsPressed = 0;

    HostileWalk() {
        // The demo of a new office, as `tarvic-admin init` adds it.
        addDemoData(ts.db());
        addReportDemo(ts.db());
        addGstDemo(ts.db());
        ts.session.consultantCode =
            ts.db().scalar(u"SELECT MIN(CONSULTANT_CODE) FROM M_TBL_CONSULTANT WHERE TC_ROLE='ADMIN'"_s).toInt();
        // The demo's booking with its quotation, lead, customer and an itinerary: windows that
        // show one document are walked a second time over these.
        const auto booking = ts.db().firstRow(
            u"SELECT DOC_NO, QUOTATION_NO, LEAD_NO, PARTY_CODE FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' "
            "ORDER BY DOC_NO"_s);
        const QVariant itinerary = ts.db().scalar(u"SELECT MIN(ITN_DOCNO) FROM M_TBL_ITINERARY_HEADER"_s);
        if (booking)
            demoDocument_.values = {{u"CBPT_NO"_s, booking->value(0)},      {u"QUOT_NO"_s, booking->value(1)},
                                    {u"QUOTATION_NO"_s, booking->value(1)}, {u"LEAD_NO"_s, booking->value(2)},
                                    {u"PARTY_CODE"_s, booking->value(3)},   {u"ITN_DOCNO"_s, itinerary}};
        registerAllWindows(registry);
        ts.session.windows = &registry;
        main = std::make_unique<MainWindow>(ts.session, registry);
        tables_ = schemaTables(ts.db());
        const auto pathFor = [this](const QString& filter) {
            const QString ext = filter.section("*."_L1, 1).section(u')', 0, 0).section(u' ', 0, 0);
            return files.filePath(u"walk."_s + (ext.isEmpty() ? u"txt"_s : ext));
        };
        // A file to write goes into the walk's folder under the first filter's extension; a file
        // to read is one the walk wrote, holding hostile text.
        ts.prompter.pathAnswer = [pathFor](const ScriptedPrompter::PathPrompt& p) {
            const QString path = pathFor(p.filters.section(";;"_L1, 0, 0));
            if (p.kind == "open"_L1) {
                QFile file(path);
                if (file.open(QIODevice::WriteOnly))
                    file.write(kSqlLike.toUtf8());
            }
            return path;
        };
        // A dialog that runs its own event loop while a button or key is still being handled
        // blocks the program until a user answers it: refused and noted. (A modal window merely
        // shown is closed with the others the step opened.)
        QObject::connect(&watch_, &QTimer::timeout, &watch_, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!acting_ || !modal)
                return;
            modalDialogs << u"%1 / %2: %3 \"%4\""_s.arg(
                window_, step_, QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle());
            if (auto* d = qobject_cast<QDialog*>(modal))
                d->reject();
            else
                modal->close();
        });
        watch_.start(50);
    }
    // Walks the named windows (every registered one when empty), in name order.
    void walk(const QStringList& only = {}) {
        QVERIFY(showActive(*main));
        int round = 0;
        for (const QString& name : registry.windows())
            if (only.isEmpty() || only.contains(name)) {
                walkOne(name, round++, {});
                walkOne(name, round++, demoDocument_);
            }
    }

    // Every message whose text matches, as lines.
    QStringList messagesWhere(const std::function<bool(const WalkMessage&)>& match) const {
        QStringList out;
        for (const WalkMessage& m : messages)
            if (match(m))
                out << m.line();
        return out;
    }

    // A checksum of every row of every table.
    QByteArray books() {
        QCryptographicHash all(QCryptographicHash::Sha1);
        for (const TableInfo& t : tables_)
            all.addData(fingerprint(ts.db(), t).checksum());
        return all.result();
    }

private:
    void walkOne(const QString& name, int round, const WindowArgs& args) {
        window_ = args.values.isEmpty() ? name : name + u" over the demo booking"_s;
        step_ = u"opening"_s;
        ts.prompter.answers = QList<bool>(100, true);
        QPointer<QWidget> w = registry.create(name, ts.session, main.get(), args);
        QVERIFY2(w, qPrintable(name));
        showActive(*w);
        note();
        const QSet<QWidget*> before = openWindows();
        auto* task = qobject_cast<TaskWindow*>(w.data());
        // The fields that show the document the window was opened with keep it, so that the
        // hostile values meet that document.
        keep_.clear();
        for (QLineEdit* e : w->findChildren<QLineEdit*>())
            for (const QVariant& v : args.values)
                if (!e->text().trimmed().isEmpty() && e->text().trimmed() == v.toString())
                    keep_.insert(e);
        // Each button gets the fields filled anew, the values shifted so each field meets
        // other kinds. A new record (which drops the document shown) comes after the other
        // buttons, the close button last.
        QList<std::pair<QString, std::function<bool()>>> presses;
        const auto addTool = [&](int p) {
            if (task && task->tool(p) && !sendsToPrinter(task->tool(p)))
                presses.append(
                    {u"tool %1 (%2)"_s.arg(p).arg(task->tool(p)->toolTip()), [task, p] { return task->pressTool(p); }});
        };
        for (int p = 3; p <= TaskWindow::kPositions; ++p)
            addTool(p);
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
            if (!qobject_cast<QPushButton*>(b) || qobject_cast<QToolBar*>(b->parentWidget()))
                continue;
            QPointer<QAbstractButton> button(b);
            presses.append({b->objectName().isEmpty() ? b->text() : b->objectName(), [button] {
                                if (!button || !button->isEnabled() || !button->isVisible())
                                    return false;
                                button->click();
                                return true;
                            }});
        }
        addTool(2);
        // Closing comes last, with the fields full: a window that keeps what it holds on
        // leaving (a lookup grid writes its rows) meets hostile values there too.
        presses.append({u"closing"_s, [task, w] {
                            if (!(task && task->pressTool(1)) && w)
                                w->close();
                            return true;
                        }});
        int shift = round;
        for (const auto& [label, press] : presses) {
            if (!w || !w->isVisible())
                break;
            const QString values = fill(w, shift++);
            closeOthers(before, w);
            if (!w || !w->isVisible())
                break;
            step_ = label;
            ts.prompter.answers = QList<bool>(100, true);
            const qsizetype shown = ts.prompter.messages.size();
            const QByteArray was = books();
            acting_ = true;
            if (press())
                ++buttonsPressed;
            acting_ = false;
            settle();
            note(values);
            // A success must have changed the books.
            for (qsizetype i = shown; i < ts.prompter.messages.size(); ++i)
                if (claimsStored(ts.prompter.messages[i]) && books() == was) {
                    emptySuccesses << u"%1 / %2: \"%3\" with the books unchanged (%4)"_s.arg(
                        window_, label, ts.prompter.messages[i].text, values);
                    break;
                }
            closeOthers(before, w);
        }
        if (w) {
            w->close();
            QTRY_VERIFY2(w.isNull() || !w->isVisible(), qPrintable(name));
            delete w.data();
        }
        closeOthers({}, nullptr);
    }

    // Fills every editable field of w with a hostile value; returns what it put where.
    QString fill(QWidget* w, int shift) {
        step_ = u"filling"_s;
        QStringList put;
        const auto& values = hostileValues();
        int i = shift;
        const auto next = [&] { return values[i++ % values.size()]; };
        for (QWidget* f : w->findChildren<QWidget*>()) {
            if (!f->isVisible() || !f->isEnabled() || !owned(w, f))
                continue;
            QString what;
            acting_ = true;
            const auto done = qScopeGuard([this] { acting_ = false; });
            if (auto* e = qobject_cast<QLineEdit*>(f)) {
                if (e->isReadOnly() || insideA<QAbstractSpinBox>(e) || insideA<QAbstractItemView>(e) ||
                    keep_.contains(e))
                    continue;
                auto* list = qobject_cast<QComboBox*>(e->parentWidget());
                if (list && list->count() > 0 && (i++ % 2 == 0 || !keep_.isEmpty())) {
                    // A list's own item every other time, and always over a document shown,
                    // so that a save can get past it.
                    const int item = i % list->count();
                    list->setCurrentIndex(item);
                    emit list->activated(item);
                    what = u"item "_s + QString::number(item);
                } else if (!e->inputMask().isEmpty()) {
                    // A date typed in its mask: impossible, or today's so that a save gets on.
                    const QString date = i++ % 2 ? u"31022025"_s : QDate::currentDate().toString(u"ddMMyyyy"_s);
                    e->setFocus();
                    e->selectAll();
                    QTest::keyClicks(e, date);
                    what = u"date "_s + date;
                } else {
                    // A field that takes numbers only gets numbers (its refusal of letters
                    // is a rule of its own), so that its window's save gets further.
                    HostileValue v = next();
                    if (takesNumbersOnly(e))
                        while (!v.typed && !v.text.startsWith(u'9') && !v.text.startsWith(u'-'))
                            v = next();
                    enter(e, v, e->maxLength());
                    what = QString::fromLatin1(v.kind);
                }
                if (w && e && e->isVisible() && e->isEnabled())
                    QTest::keyClick(e, Qt::Key_Return);  // moves on, or looks up what was typed
            } else if (auto* p = qobject_cast<QPlainTextEdit*>(f); p && !p->isReadOnly()) {
                const HostileValue v = next();
                enter(p, v, boundLength(p));
                what = v.kind;
            } else if (auto* t = qobject_cast<QTextEdit*>(f);
                       t && !t->isReadOnly() && !qobject_cast<QTextBrowser*>(t)) {
                const HostileValue v = next();
                enter(t, v, boundLength(t));
                what = v.kind;
            } else if (auto* d = qobject_cast<QDateEdit*>(f); d && !d->isReadOnly()) {
                static const QStringList dates{u"31022025"_s, u"00000000"_s, u"29022023"_s, u"31129999"_s};
                const QString date = dates[i++ % dates.size()];
                d->setFocus();
                d->selectAll();
                QTest::keyClicks(d, date);
                what = u"date "_s + date;
            } else if (auto* c = qobject_cast<QComboBox*>(f); c && !c->isEditable() && c->count() > 0) {
                // (An editable list's line is filled as a line edit.)
                const int item = i++ % c->count();
                c->setCurrentIndex(item);
                emit c->activated(item);
                what = u"item "_s + QString::number(item);
            } else if (auto* b = qobject_cast<QCheckBox*>(f)) {
                b->click();
                what = u"toggled"_s;
            } else if (auto* r = qobject_cast<QRadioButton*>(f); r && !r->isChecked() && i++ % 3 == 0) {
                r->click();  // one option in three taken
                what = u"chosen"_s;
            } else if (auto* v = qobject_cast<QAbstractItemView*>(f)) {
                what = fillCells(v, i);
                if (what.isEmpty())
                    continue;
            } else {
                continue;
            }
            acting_ = false;
            ++fieldsFilled;
            put << (f->objectName().isEmpty() ? QString::fromLatin1(f->metaObject()->className()) : f->objectName()) +
                       u'=' + what;
            QApplication::processEvents();
            if (!w || !w->isVisible())
                break;
        }
        note(put.join(", "_L1));
        return put.join(", "_L1);
    }

    // Types or pastes hostile values into the editable cells of a grid's last row, each
    // committed by Tab as a user moves on; returns what went where, empty when nothing did.
    QString fillCells(QAbstractItemView* view, int& i) {
        const QAbstractItemModel* m = view->model();
        if (qobject_cast<QHeaderView*>(view) || view->editTriggers() == QAbstractItemView::NoEditTriggers || !m ||
            m->rowCount() == 0)
            return {};
        QStringList put;
        const int row = m->rowCount() - 1;
        for (int c = 0; c < m->columnCount(); ++c) {
            const QModelIndex cell = m->index(row, c);
            if (!(m->flags(cell) & Qt::ItemIsEditable) || view->visualRect(cell).isEmpty())
                continue;
            view->setFocus();
            view->setCurrentIndex(cell);
            view->edit(cell);
            QLineEdit* editor = nullptr;
            for (QLineEdit* e : view->viewport()->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
                if (e->isVisible())
                    editor = e;
            if (!editor)
                continue;
            const HostileValue v = hostileValues()[i++ % hostileValues().size()];
            enter(editor, v, editor->maxLength());
            QTest::keyClick(editor, Qt::Key_Tab);
            put << u"%1:%2 %3"_s.arg(row).arg(c).arg(QString::fromLatin1(v.kind));
            if (!view->isVisible() || view->model() != m || m->rowCount() <= row)
                break;  // the grid was filled anew
        }
        return put.join("; "_L1);
    }

    // Puts a value into a field: typed key by key or pasted over what it holds.
    template <class Field>
    void enter(Field* f, const HostileValue& v, int limit) {
        const QString text = v.text.isEmpty() ? QString((limit > 0 && limit < 32767 ? limit : 4999) + 1, u'W') : v.text;
        f->setFocus();
        f->selectAll();
        if (v.typed) {
            for (QChar c : text)
                typeChar(f, c);
        } else {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
        }
    }

    static bool takesNumbersOnly(const QLineEdit* e) {
        if (!e->validator())
            return false;
        QString letter = u"A"_s;
        int at = 1;
        return e->validator()->validate(letter, at) == QValidator::Invalid;
    }

    // Printing asks the system's printer dialog, which a user answers: never pressed (the
    // same page is saved as PDF through a scripted path).
    static bool sendsToPrinter(const QAction* tool) { return tool->toolTip().startsWith("Print {"_L1); }

    template <class T>
    static bool insideA(const QWidget* w) {
        for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            if (qobject_cast<const T*>(p))
                return true;
        return false;
    }

    // A field of the window itself, not of a window it holds.
    static bool owned(const QWidget* window, const QWidget* f) { return f->window() == window; }

    static QSet<QWidget*> openWindows() {
        QSet<QWidget*> out;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                out.insert(w);
        return out;
    }

    // Closes the windows a step opened (pickers, documents opened from the one walked).
    void closeOthers(const QSet<QWidget*>& keep, QWidget* walked) {
        for (int pass = 0; pass < 3; ++pass) {
            bool closed = false;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w != main.get() && w != walked && !keep.contains(w) && !qobject_cast<QMenu*>(w)) {
                    w->close();
                    closed = true;
                }
            settle();
            if (!closed)
                break;
        }
    }

    static void settle() {
        for (int k = 0; k < 3; ++k) {
            QApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // Takes the messages shown since the last look.
    void note(const QString& values = {}) {
        for (qsizetype i = seen_; i < ts.prompter.messages.size(); ++i) {
            const auto& m = ts.prompter.messages[i];
            messages.append({window_, step_, m.kind, m.text, values});
        }
        seen_ = ts.prompter.messages.size();
    }

    std::vector<TableInfo> tables_;
    QSet<QLineEdit*> keep_;  // fields showing the document opened; not empty: over a document
    WindowArgs demoDocument_;
    QTimer watch_;
    QString window_;
    QString step_;
    qsizetype seen_ = 0;
    bool acting_ = false;  // a button or a field's keys are being handled
};

}  // namespace tarvic::test

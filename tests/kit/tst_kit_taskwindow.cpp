// The task window's conventions: toolbar keys, Escape, Enter, select-on-focus, placement,
// ordered checks and confirmation questions.
#include "shell/kit/Checks.h"
#include "shell/kit/TaskWindow.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

// A window with three fields and a toolbar that counts presses.
class Probe : public TaskWindow {
public:
    Probe(Session& s, QWidget* parent = nullptr) : TaskWindow(s, parent) {
        setTool(1, kCloseTip, [this] { close(); });
        setTool(3, kSaveTip, [this] { ++saves; });  // out of order on purpose
        setTool(2, kNewTip, [this] { ++news; });
        a = new QLineEdit(this);
        b = new QLineEdit(this);
        notes = new QPlainTextEdit(this);
        c = new QLineEdit(this);
        body()->addWidget(a);
        body()->addWidget(b);
        body()->addWidget(notes);
        body()->addWidget(c);
    }
    int saves = 0;
    int news = 0;
    QLineEdit* a;
    QLineEdit* b;
    QPlainTextEdit* notes;
    QLineEdit* c;
};

Session plainSession(Prompter& p) {
    Session s;
    s.prompter = &p;
    return s;
}

struct Fixture {
    ScriptedPrompter p;
    Session s = plainSession(p);
    Probe w{s};
};

}  // namespace

class tst_kit_taskwindow : public QObject {
    Q_OBJECT
private slots:
    void functionKeysPressLikeClicks() {
        Fixture f;
        auto& [p, s, w] = f;
        QVERIFY(showActive(w));
        w.a->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        QCOMPARE(w.saves, 1);
        // A click on the button does the same thing.
        auto* button = qobject_cast<QToolButton*>(w.toolbar()->widgetForAction(w.tool(3)));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.saves, 2);
        QTest::keyClick(w.b, Qt::Key_F2);
        QCOMPARE(w.news, 1);

        // Disabled: neither the key nor the click acts, and the key does not reach the field.
        w.tool(3)->setEnabled(false);
        QTest::keyClick(w.a, Qt::Key_F3);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.saves, 2);
        w.tool(3)->setEnabled(true);
        QTest::keyClick(w.a, Qt::Key_F3);
        QCOMPARE(w.saves, 3);
        // F4 has no button: the key is left to the field.
        QVERIFY(!w.pressTool(4));
        QVERIFY(w.isVisible());
    }

    void escapeClosesFromAnyField() {
        Fixture f;
        auto& [p, s, w] = f;
        QVERIFY(showActive(w));
        w.notes->setFocus();
        QTest::keyClick(w.notes, Qt::Key_Escape);
        QVERIFY(!w.isVisible());

        // Without a toolbar the window closes itself.
        TaskWindow bare(s);
        auto* field = new QLineEdit(&bare);
        bare.body()->addWidget(field);
        QVERIFY(showActive(bare));
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!bare.isVisible());
    }

    void enterMovesOnAsTab() {
        Fixture f;
        auto& [p, s, w] = f;
        QVERIFY(showActive(w));
        w.a->setFocus();
        QTest::keyClick(w.a, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.b);
        QTest::keyClick(w.b, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), w.notes);
        // A multi-line box keeps its Enter.
        QTest::keyClick(w.notes, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.notes);
        QCOMPARE(w.notes->toPlainText(), QStringLiteral("\n"));
        // A field with its own Enter action runs it instead of moving on.
        int searched = 0;
        w.onEnter(w.c, [&] { ++searched; });
        w.c->setFocus();
        QTest::keyClick(w.c, Qt::Key_Return);
        QCOMPARE(searched, 1);
        QCOMPARE(QApplication::focusWidget(), w.c);
    }

    void focusedFieldSelectsItsText() {
        Fixture f;
        auto& [p, s, w] = f;
        w.b->setText(QStringLiteral("OLD NAME"));
        QVERIFY(showActive(w));
        w.a->setFocus();
        QTest::mouseClick(w.b, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(w.b->selectedText(), QStringLiteral("OLD NAME"));
        QTest::keyClicks(w.b, QStringLiteral("NEW"));
        QCOMPARE(w.b->text(), QStringLiteral("NEW"));
    }

    void centredOverItsMainWindow() {
        ScriptedPrompter p;
        Session s = plainSession(p);
        QWidget main;
        main.setGeometry(100, 80, 1000, 700);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        Probe w(s, &main);
        w.resize(300, 200);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect m = main.frameGeometry();
        const QRect f = w.frameGeometry();
        QVERIFY(qAbs(f.center().x() - m.center().x()) <= 1);
        QVERIFY(qAbs(f.center().y() - m.center().y()) <= 1);
        QVERIFY(w.isWindow());
    }

    void orderedChecksStopAtFirstFailure() {
        Fixture f;
        auto& [p, s, w] = f;
        QVERIFY(showActive(w));
        w.a->setText(QStringLiteral("X"));
        int evaluated = 0;
        auto run = [&] {
            return runChecks(p, &w, {
                {[&] { ++evaluated; return w.a->text().isEmpty(); }, w.a, QStringLiteral("PLEASE ENTER A ....")},
                {[&] { ++evaluated; return w.b->text().isEmpty(); }, w.b, QStringLiteral("PLEASE ENTER B ....")},
                {[&] { ++evaluated; return w.c->text().isEmpty(); }, w.c, QStringLiteral("PLEASE ENTER C ....")},
            });
        };
        w.c->setFocus();
        QVERIFY(!run());
        QCOMPARE(p.texts(), QStringList{QStringLiteral("PLEASE ENTER B ....")});
        QCOMPARE(evaluated, 2);  // the third check never ran
        QCOMPARE(QApplication::focusWidget(), w.b);
        w.b->setText(QStringLiteral("Y"));
        w.c->setText(QStringLiteral("Z"));
        p.clear();
        QVERIFY(run());
        QVERIFY(p.messages.isEmpty());
    }

    void confirmationText() {
        Confirmation q{QStringLiteral(" YOU ARE ABOUT TO UPDATE STATE ...."),
                       {{QStringLiteral(" COUNTRY :"), QStringLiteral("INDIA")}, {QStringLiteral(" STATE : "), QStringLiteral("KERALA")}}};
        QCOMPARE(q.text(), QStringLiteral(" YOU ARE ABOUT TO UPDATE STATE ....\n COUNTRY :INDIA\n STATE : KERALA\n"
                                          " ARE YOU SURE WANT TO PROCEED (Y/N) ?"));
        ScriptedPrompter p;
        p.answers = {true, false};
        QVERIFY(q.ask(p, nullptr));
        QVERIFY(!q.ask(p, nullptr));
        QCOMPARE(p.messages.at(0).kind, QStringLiteral("question"));
        Confirmation bare{{}, {}, QStringLiteral("SURE (Y/N) ?")};
        QCOMPARE(bare.text(), QStringLiteral("SURE (Y/N) ?"));
    }
};

QTEST_MAIN(tst_kit_taskwindow)
#include "tst_kit_taskwindow.moc"

// Typing filters: the rules as functions, and attached to fields as a user types and pastes.
#include "shell/kit/KeyFilters.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

using namespace tarvic;

class tst_kit_filters : public QObject {
    Q_OBJECT

    // Types keys one by one into a field; "\b" is Backspace.
    static void type(QLineEdit& e, const QString& keys) {
        for (QChar c : keys) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(&e, Qt::Key_Backspace);
            else
                QTest::keyClicks(&e, QString(c));
        }
    }

private slots:
    void rules() {
        // Num_Key: digits, Backspace and minus only.
        QCOMPARE(Num_Key('7'), int('7'));
        QCOMPARE(Num_Key('-'), int('-'));
        QCOMPARE(Num_Key(kBackspace), kBackspace);
        QCOMPARE(Num_Key('.'), 0);
        QCOMPARE(Num_Key('a'), 0);
        // Amt_Key: digits, point, Backspace.
        QCOMPARE(Amt_Key('.'), int('.'));
        QCOMPARE(Amt_Key('-'), 0);
        QCOMPARE(Amt_Key(' '), 0);
        // Dec_Key's odd rule: a text without a point keeps anything, letters included...
        QCOMPARE(Dec_Key(QStringLiteral("12"), 'x'), int('x'));
        QCOMPARE(Dec_Key(QStringLiteral("12"), '.'), int('.'));
        // ...an empty text or one holding a point keeps only digits and Backspace.
        QCOMPARE(Dec_Key(QString(), '.'), 0);
        QCOMPARE(Dec_Key(QString(), '5'), int('5'));
        QCOMPARE(Dec_Key(QStringLiteral("1.5"), '.'), 0);
        QCOMPARE(Dec_Key(QStringLiteral("1.5"), 'x'), 0);
        QCOMPARE(Dec_Key(QStringLiteral("1.5"), kBackspace), kBackspace);
        QCOMPARE(Dec_Key(QString(), kBackspace), kBackspace);
        // Upper_Key: only a..z move.
        QCOMPARE(Upper_Key('a'), int('A'));
        QCOMPARE(Upper_Key('z'), int('Z'));
        QCOMPARE(Upper_Key('A'), int('A'));
        QCOMPARE(Upper_Key('1'), int('1'));
        QCOMPARE(Upper_Key(0xE9), 0xE9);  // é is not a..z
        QCOMPARE(upperAscii(QStringLiteral("ab-1 z\u00e9")), QStringLiteral("AB-1 Z\u00e9"));
    }

    void amountFieldAsTyped() {
        QLineEdit e;
        attachFilter(&e, KeyFilter::Amount);
        type(e, QStringLiteral(".1.5."));  // point first dropped, second point dropped
        QCOMPARE(e.text(), QStringLiteral("1.5"));
        type(e, QStringLiteral("a-x 9"));
        QCOMPARE(e.text(), QStringLiteral("1.59"));
        type(e, QStringLiteral("\b\b\b"));
        QCOMPARE(e.text(), QStringLiteral("1"));
        type(e, QStringLiteral(".25"));
        QCOMPARE(e.text(), QStringLiteral("1.25"));
    }

    void decimalFieldKeepsAnythingUntilAPoint() {
        QLineEdit e;
        attachFilter(&e, KeyFilter::Decimal);
        type(e, QStringLiteral("x"));  // empty: digits only
        QCOMPARE(e.text(), QString());
        type(e, QStringLiteral("12km"));
        QCOMPARE(e.text(), QStringLiteral("12km"));
        type(e, QStringLiteral(".5x.7"));
        QCOMPARE(e.text(), QStringLiteral("12km.57"));
    }

    void numberAndUpperFields() {
        QLineEdit n;
        attachFilter(&n, KeyFilter::Number);
        type(n, QStringLiteral("-12.5-a"));
        QCOMPARE(n.text(), QStringLiteral("-125-"));

        QLineEdit u;
        attachFilter(&u, KeyFilter::Upper);
        type(u, QStringLiteral("ab c-9z"));
        QCOMPARE(u.text(), QStringLiteral("AB C-9Z"));
    }

    void pasteCannotBypass() {
        QClipboard* clip = QGuiApplication::clipboard();
        QLineEdit u;
        attachFilter(&u, KeyFilter::Upper);
        clip->setText(QStringLiteral("mixed Case 1"));
        u.paste();
        QCOMPARE(u.text(), QStringLiteral("MIXED CASE 1"));

        QLineEdit a;
        attachFilter(&a, KeyFilter::Amount);
        a.setText(QStringLiteral("1.5"));
        a.end(false);
        clip->setText(QStringLiteral(".3"));
        a.paste();  // a second point
        QCOMPARE(a.text(), QStringLiteral("1.5"));
        clip->setText(QStringLiteral("2x"));
        a.paste();
        QCOMPARE(a.text(), QStringLiteral("1.5"));
        clip->setText(QStringLiteral("25"));
        a.paste();
        QCOMPARE(a.text(), QStringLiteral("1.525"));

        QLineEdit n;
        attachFilter(&n, KeyFilter::Number);
        clip->setText(QStringLiteral("12.0"));
        n.paste();
        QCOMPARE(n.text(), QString());
        clip->setText(QStringLiteral("-12"));
        n.paste();
        QCOMPARE(n.text(), QStringLiteral("-12"));
    }

    void reattachingReplacesTheFilter() {
        QLineEdit e;
        attachFilter(&e, KeyFilter::Upper);
        attachFilter(&e, KeyFilter::Number);
        type(e, QStringLiteral("a1"));
        QCOMPARE(e.text(), QStringLiteral("1"));
    }
};

QTEST_MAIN(tst_kit_filters)
#include "tst_kit_filters.moc"

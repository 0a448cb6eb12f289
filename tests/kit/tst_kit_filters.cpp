// Typing filters attached to fields, as a user types and pastes.
#include "shell/kit/KeyFilters.h"
#include "support/Drive.h"

#include <QClipboard>

using namespace tarvic;
using namespace tarvic::test;
Q_DECLARE_METATYPE(tarvic::KeyFilter)

class tst_kit_filters : public QObject {
    Q_OBJECT
private slots:
    // Typed keys pass the key rule ("\b" is Backspace); pasted text never passes a key event,
    // so the same rule guards the whole text.
    void typedAndPasted_data() {
        QTest::addColumn<KeyFilter>("filter");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("text");
        // clang-format off
        const KeyFilter A = KeyFilter::Amount, D = KeyFilter::Decimal, N = KeyFilter::Number, U = KeyFilter::Upper;
        QTest::newRow("amount: leading and second point") << A << "" << ".1.5." << "" << "1.5";
        QTest::newRow("amount: letters, minus, space") << A << "" << "1.5a-x 9\b\b.25" << "" << "1.25";
        QTest::newRow("amount: pasted second point") << A << "1.5" << "" << ".3" << "1.5";
        QTest::newRow("amount: pasted letter") << A << "1.5" << "" << "2x" << "1.5";
        QTest::newRow("amount: pasted digits") << A << "1.5" << "" << "25" << "1.525";
        QTest::newRow("amount: pasted leading point") << A << "" << "" << ".5" << ".5";
        QTest::newRow("decimal: digits only while empty") << D << "" << "x12km" << "" << "12km";
        QTest::newRow("decimal: digits only after a point") << D << "" << "12km.5x.7\b" << "" << "12km.5";
        QTest::newRow("decimal: pasted second point") << D << "1.5" << "" << ".2" << "1.5";
        QTest::newRow("number: digits and minus") << N << "" << "-12.5-a" << "" << "-125-";
        QTest::newRow("number: pasted point") << N << "" << "" << "12.0" << "";
        QTest::newRow("number: pasted minus") << N << "" << "" << "-12" << "-12";
        QTest::newRow("upper: typed") << U << "" << "zürich café ßø-9" << "" << "ZÜRICH CAFÉ ßØ-9";
        QTest::newRow("upper: pasted") << U << "" << "" << "o'neil, łódź αθήνα 𐐨" << "O'NEIL, ŁÓDŹ ΑΘΉΝΑ 𐐀";
        // clang-format on
    }
    void typedAndPasted() {
        QFETCH(KeyFilter, filter);
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QLineEdit e(start);
        attachFilter(&e, filter);
        e.end(false);
        for (QChar c : typed) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(&e, Qt::Key_Backspace);
            else
                typeChar(&e, c);
        }
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            e.paste();
        }
        QTEST(e.text(), "text");
    }

    void reattachingReplacesTheFilter() {
        QLineEdit e;
        attachFilter(&e, KeyFilter::Upper);
        attachFilter(&e, KeyFilter::Number);
        QTest::keyClicks(&e, QStringLiteral("a1"));
        QCOMPARE(e.text(), QStringLiteral("1"));
    }
};

QTEST_MAIN(tst_kit_filters)
#include "tst_kit_filters.moc"

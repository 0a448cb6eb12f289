// Every text field bounded by its column: typed and pasted text stops there (a multi-line box
// says so), a save that would still exceed a column names the field and stores nothing, and
// no registered window leaves an editable text field without a bound.
#include "data/Numbering.h"
#include "masters/frm_Party.h"
#include "support/EveryWindow.h"

#include <QAbstractSpinBox>
#include <QClipboard>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBrowser>
#include <QTextEdit>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QString kAddressTooLong = u"ADDRESS CANNOT BE LONGER THAN 1000 CHARACTERS ...."_s;

struct PartyWindow {
    TestSession ts;
    frm_Party w{ts.session};
    PartyWindow() {
        ts.db().exec(u"INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (1, 'AGENT')"_s);
        ts.db().exec(u"INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA')"_s);
        ts.db().exec(u"INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (1, 10, 'KERALA')"_s);
        ts.db().exec(
            u"INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES (1, 10, 101, 'KOCHI')"_s);
        w.Load_Init();
        QVERIFY(showActive(w));
    }
};

void paste(QWidget* field, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

// What a fault report calls a field: its own name, or its list's for a list's line.
QString nameOf(const QWidget* field) {
    const QWidget* named = qobject_cast<const QComboBox*>(field->parentWidget()) ? field->parentWidget() : field;
    return named->objectName().isEmpty() ? QString::fromLatin1(named->metaObject()->className()) : named->objectName();
}

template <class T>
bool insideA(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const T*>(p))
            return true;
    return false;
}

// The editable text fields of a window without a bound, and the editable grid cells whose
// editor takes any length.
QStringList unbounded(QWidget* w) {
    QStringList out;
    for (QLineEdit* e : w->findChildren<QLineEdit*>()) {
        const auto* list = qobject_cast<const QComboBox*>(e->parentWidget());
        if (list && list->lineEdit() != e)
            continue;  // the line of a list made read-only, on its way out
        if (!insideA<QAbstractSpinBox>(e) && !insideA<QAbstractItemView>(e) && e->maxLength() >= 32767)
            out << nameOf(e);
    }
    for (QPlainTextEdit* t : w->findChildren<QPlainTextEdit*>())
        if (!t->isReadOnly() && boundLength(t) == 0)
            out << nameOf(t);
    for (QTextEdit* t : w->findChildren<QTextEdit*>())
        if (!qobject_cast<QTextBrowser*>(t) && !t->isReadOnly() && boundLength(t) == 0)
            out << nameOf(t);
    for (QAbstractItemView* v : w->findChildren<QAbstractItemView*>()) {
        if (qobject_cast<QHeaderView*>(v) || v->editTriggers() == QAbstractItemView::NoEditTriggers || !v->model() ||
            v->model()->rowCount() == 0)
            continue;
        const QAbstractItemModel* m = v->model();
        for (int c = 0; c < m->columnCount(); ++c) {
            const QModelIndex cell = m->index(m->rowCount() - 1, c);
            if (!(m->flags(cell) & Qt::ItemIsEditable))
                continue;
            std::unique_ptr<QWidget> editor(
                v->itemDelegateForIndex(cell)->createEditor(v->viewport(), QStyleOptionViewItem(), cell));
            if (auto* e = qobject_cast<QLineEdit*>(editor.get()); e && e->maxLength() >= 32767)
                out << u"%1 column %2"_s.arg(v->objectName()).arg(c);
        }
    }
    return out;
}

}  // namespace

class TstTextBounds : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // A line edit stops at its column, typed or pasted; a multi-line box keeps what fits of a
    // paste and refuses further typing, and says so each time.
    void typedAndPastedTextStopsAtTheColumn() {
        PartyWindow f;
        typeInto(f.w.txt_GSTIN, QString(60, u'G'));
        QCOMPARE(f.w.txt_GSTIN->text(), QString(50, u'G'));
        f.w.txt_GSTIN->clear();
        paste(f.w.txt_GSTIN, QString(120, u'P'));
        QCOMPARE(f.w.txt_GSTIN->text(), QString(50, u'P'));

        QPlainTextEdit* address = f.w.txt_Address;
        address->setFocus();
        QTest::keyClicks(address, u"MG ROAD "_s);
        paste(address, QString(1500, u'Z'));
        QCOMPARE(address->toPlainText().size(), 1000);
        QCOMPARE(address->toPlainText(), u"MG ROAD "_s + QString(992, u'Z'));
        QTRY_COMPARE(f.ts.prompter.texts(), QStringList{kAddressTooLong});
        QTest::keyClicks(address, u"X"_s);
        QCOMPARE(address->toPlainText().size(), 1000);
        QTRY_COMPARE(f.ts.prompter.texts(), (QStringList{kAddressTooLong, kAddressTooLong}));
        // A shorter text replaces what was there, as typed.
        address->selectAll();
        paste(address, u"KOCHI"_s);
        QCOMPARE(address->toPlainText(), u"KOCHI"_s);
    }

    // An address the box did not stop (a text set past its limiter) is refused by the save
    // before anything is written: the field's own words, the focus on it, no row, no number.
    void tooLongAddressRefusedNamingTheField() {
        PartyWindow f;
        typeInto(f.w.txt_PartyName, u"LONG ADDRESS TRAVELS"_s);
        choose(f.w.Cmb_PartyType, u"AGENT"_s);
        f.w.txt_ContPerson->setText(u"RAVI"_s);
        f.w.txt_MobileNOs->setText(u"9847012345"_s);
        choose(f.w.Cmb_Country, u"INDIA"_s);
        choose(f.w.Cmb_State, u"KERALA"_s);
        choose(f.w.Cmb_Place, u"KOCHI"_s);
        {
            const QSignalBlocker past(f.w.txt_Address->document());
            f.w.txt_Address->setPlainText(QString(5000, u'A'));
        }
        const qint64 counter = Numbering(f.ts.db()).Get_Counter(u"PARTY"_s);
        f.ts.answer({true});
        f.w.txt_MobileNOs->setFocus();
        QTest::keyClick(f.w.txt_MobileNOs, Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts().size(), 2);
        QCOMPARE(f.ts.prompter.texts().last(), kAddressTooLong);
        QCOMPARE(QApplication::focusWidget(), f.w.txt_Address);
        QCOMPARE(count(f.ts.db(), u"M_TBL_PARTY"_s), 0);
        QCOMPARE(Numbering(f.ts.db()).Get_Counter(u"PARTY"_s), counter);
        QCOMPARE(f.w.lbl_PartyCode->text(), u"0"_s);
    }

    // Every registered window, as it opens: no editable text field, and no editable grid cell,
    // takes text of any length.
    void everyWindowBoundsItsTextFields() {
        EveryWindow all;
        QStringList faults;
        all.forEach([&](const QString& name, QWidget& w) {
            for (const QString& field : unbounded(&w))
                faults << name + u": "_s + field;
        });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }
};

QTEST_MAIN(TstTextBounds)
#include "tst_text_bounds.moc"

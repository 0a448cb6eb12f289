// The listing model: rows read a page at a time in one total order, pages dropped as the view
// moves on, sizes from a count, summaries from their own aggregate, export in one pass.
#include "data/Money.h"
#include "shell/Prompter.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/ListingWindow.h"
#include "shell/kit/QueryModel.h"
#include "support/TestSession.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

using namespace tarvic;

namespace {

// code, kind, amount (NULL when empty), day: listed by kind, then code.
struct Item {
    int code;
    const char* kind;
    const char* amount;
    int day;
};
const Item kItems[] = {{1, "B", "1234.50", 1},     {2, "A", "0.10", 2},  {3, "B", "-0.75", 3}, {4, "C", "", 4},
                       {5, "A", "99999999.99", 5}, {6, "B", "0.01", 6},  {7, "A", "10", 7},    {8, "C", "0.05", 8},
                       {9, "B", "7.77", 9},        {10, "A", "1.00", 10}};
const QStringList kOrder{"2", "5", "7", "10", "1", "3", "6", "9", "4", "8"};

struct Fixture {
    test::TestSession ts;
    test::TestDb& t = ts.t;
    Fixture() {
        Database& db = t.db();
        db.exec(
            QStringLiteral("CREATE TABLE T_LIST (CODE INTEGER NOT NULL PRIMARY KEY, KIND VARCHAR(10), "
                           "AMT NUMERIC(18,2), ON_DAY TIMESTAMP)"));
        for (const Item& i : kItems)
            db.exec(QStringLiteral("INSERT INTO T_LIST (CODE, KIND, AMT, ON_DAY) VALUES (?, ?, %1, ?)")
                        .arg(*i.amount ? db.dialect().amount() : QStringLiteral("NULL")),
                    *i.amount ? QVariantList{i.code, QString::fromLatin1(i.kind), QString::fromLatin1(i.amount),
                                             QDateTime(QDate(2024, 3, i.day), QTime(9, 5, 7))}
                              : QVariantList{i.code, QString::fromLatin1(i.kind),
                                             QDateTime(QDate(2024, 3, i.day), QTime(9, 5, 7))});
    }
    std::unique_ptr<QueryModel> rows(int pageSize) {
        auto m = std::make_unique<QueryModel>(
            t.db(),
            QList<ListColumn>{ListColumn::serial(QStringLiteral("SLNO"), 700),
                              ListColumn::number(QStringLiteral("CODE"), QStringLiteral("CODE"), 800),
                              ListColumn::text(QStringLiteral("KIND"), QStringLiteral("KIND"), 800).hiddenColumn(),
                              ListColumn::money(QStringLiteral("AMOUNT"), QStringLiteral("AMT"), 1400),
                              ListColumn::moment(QStringLiteral("ON"), QStringLiteral("ON_DAY"), 2000)});
        m->setSelect(QStringLiteral("*"));
        m->setOrder(QStringLiteral("KIND, CODE"));
        m->setPageSize(pageSize);
        m->setPagesHeld(2);
        return m;
    }
};

// Every column's cells, read row by row from the top as a view scrolling down reads them.
QList<QStringList> columns(const QueryModel& m) {
    QList<QStringList> out(m.columnCount());
    for (int r = 0; r < m.rowCount(); ++r)
        for (int c = 0; c < m.columnCount(); ++c)
            out[c] << m.text(r, c);
    return out;
}

// A member of the listing family over the rows above: a kind option, a code option that
// refuses what is no number, totals per kind, and a click that records the chosen code.
class ItemListing : public ListingWindow {
public:
    QLineEdit* txt_Kind = new QLineEdit(this);
    QLineEdit* txt_Code = new QLineEdit(this);
    QStringList chosen;
    explicit ItemListing(Session& s)
        : ListingWindow(
              s, nullptr,
              {.objectName = QStringLiteral("frm_LstItems"),
               .title = QStringLiteral("ITEMS"),
               .statement = QStringLiteral("SELECT {columns} FROM T_LIST WHERE {filter}"),
               .dateColumn = QStringLiteral("ON_DAY"),
               .detail = {.objectName = QStringLiteral("Grid1"),
                          .select = QStringLiteral("*"),
                          .orderBy = QStringLiteral("ON_DAY DESC, CODE"),
                          .columns = {ListColumn::number(QStringLiteral("CODE"), QStringLiteral("CODE"), 800)}},
               .summaries = {{.objectName = QStringLiteral("Grid2"),
                              .select = QStringLiteral("KIND, COALESCE(SUM(AMT),0) AS TOTL"),
                              .groupBy = QStringLiteral("KIND"),
                              .orderBy = QStringLiteral("KIND"),
                              .columns = {ListColumn::text(QStringLiteral("KIND"), QStringLiteral("KIND"), 800),
                                          ListColumn::money(QStringLiteral("TOTAL"), QStringLiteral("TOTL"), 1400)}}},
               .onChosen = [this](ListingWindow& w, int row) { chosen << w.Grid1->text(row, 0); }}) {
        addOption(QStringLiteral("Option1"), QStringLiteral("ALL"), nullptr, [](ListFilter&) {});
        addOption(QStringLiteral("Option2"), QStringLiteral("KIND"), txt_Kind,
                  [this](ListFilter& f) { f.equal(QStringLiteral("KIND"), txt_Kind->text()); });
        addOption(QStringLiteral("Option3"), QStringLiteral("CODE"), txt_Code, [this](ListFilter& f) {
            bool ok = false;
            const int code = txt_Code->text().toInt(&ok);
            ok ? f.add(QStringLiteral("CODE=?"), {code}) : f.refuse();
        });
    }
    QStringList show(QRadioButton* option) {
        option->setChecked(true);
        QTest::mouseClick(Cmd_Show, Qt::LeftButton);
        QStringList out;
        for (int r = 0; r < Grid1->rowCount(); ++r)
            out << Grid1->text(r, 0);
        return out;
    }
    QStringList totals() const {
        QStringList out;
        for (int r = 0; r < summaryGrid(0)->rowCount(); ++r)
            out << summaryGrid(0)->text(r, 0) + ' ' + summaryGrid(0)->text(r, 1);
        return out;
    }
};

const ListQuery kAll{QStringLiteral("SELECT {columns} FROM T_LIST WHERE CODE > ?"), {0}};

}  // namespace

class tst_kit_querymodel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void pagesFollowTheViewInOneOrder() {
        Fixture f;
        auto m = f.rows(3);
        m->load(kAll);
        QCOMPARE(m->rowCount(), 10);
        QCOMPARE(m->statementsSinceLoad(), 2);  // the first page, then the count
        const QList<QStringList> cells = columns(*m);
        QCOMPARE(cells.at(1), kOrder);
        QCOMPARE(cells.at(0), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        QCOMPARE(cells.at(3),
                 (QStringList{"0.10", "99999999.99", "10.00", "1.00", "1234.50", "-0.75", "0.01", "7.77", "", "0.05"}));
        QCOMPARE(cells.at(4).first(), QStringLiteral("02/03/2024 09:05:07"));
        QCOMPARE(m->statementsSinceLoad(), 5);  // one statement per further page
        QVERIFY(m->pagesHeld() <= 2);
        // The first page was dropped on the way down: it is read again.
        QCOMPARE(m->text(1, 1), QStringLiteral("5"));
        QCOMPARE(m->statementsSinceLoad(), 6);
        QCOMPARE(m->text(10, 1), QString());

        // A result within one page needs no count; a new load forgets the old rows.
        m->load({QStringLiteral("SELECT {columns} FROM T_LIST WHERE KIND=?"), {QStringLiteral("C")}});
        QCOMPARE(m->statementsSinceLoad(), 1);
        QCOMPARE(columns(*m).at(1), (QStringList{"4", "8"}));
        m->load({QStringLiteral("SELECT {columns} FROM T_LIST WHERE KIND=?"), {QStringLiteral("Z")}});
        QCOMPARE(m->rowCount(), 0);
    }

    void everyPageInPlaceWhicheverWayItIsRead() {
        // Forty rows read a row per page: pages near the top forwards, near the bottom
        // backwards from the end, in the middle by row number; NULL kinds and a descending
        // key included. Each row must sit where one full pass puts it.
        Fixture f;
        for (int code = 11; code <= 40; ++code)
            f.t.db().exec(QStringLiteral("INSERT INTO T_LIST (CODE, KIND) VALUES (?, ?)"),
                          {code, code % 4 == 0 ? QVariant() : QVariant(QString(QChar('A' + code % 3)))});
        QueryModel m(f.t.db(), {ListColumn::serial(QStringLiteral("SLNO"), 700),
                                ListColumn::number(QStringLiteral("CODE"), QStringLiteral("CODE"), 800)});
        m.setSelect(QStringLiteral("CODE, KIND"));
        m.setOrder(QStringLiteral("KIND DESC, CODE"));
        m.setPageSize(1);
        m.load(kAll);
        QStringList streamed, paged;
        m.forEachRow([&](const QStringList& cells) {
            streamed << cells.join('/');
            return true;
        });
        for (int r = 0; r < m.rowCount(); ++r)
            paged << m.text(r, 0) + '/' + m.text(r, 1);
        QCOMPARE(streamed.size(), 40);
        QCOMPARE(paged, streamed);
    }

    void listingFiltersOptionsTotalsAndClick() {
        Fixture f;
        ItemListing w(f.ts.session);
        w.txt_FromDate->setDate(QDate(2024, 3, 3));
        w.txt_ToDate->setDate(QDate(2024, 3, 5));  // the whole to-date: 09:05 on the 5th counts
        auto option = [&](const char* name) { return w.findChild<QRadioButton*>(QLatin1String(name)); };
        QCOMPARE(w.show(option("Option1")), (QStringList{"5", "4", "3"}));
        QCOMPARE(w.totals(), (QStringList{"A 99999999.99", "B -0.75", "C 0.00"}));
        w.txt_Kind->setText(QStringLiteral("B"));
        QCOMPARE(w.show(option("Option2")), QStringList{"3"});
        QCOMPARE(w.totals(), QStringList{"B -0.75"});
        // The kind typed stays, but counts only while its option is chosen.
        w.txt_Code->setText(QStringLiteral("4"));
        QCOMPARE(w.show(option("Option3")), QStringList{"4"});
        w.txt_Code->setText(QStringLiteral("4 OR 1=1"));
        QCOMPARE(w.show(option("Option3")), QStringList{});
        QCOMPARE(w.totals(), QStringList{});
        QVERIFY(f.ts.prompter.messages.isEmpty());

        w.show(option("Option1"));
        w.Grid1->setFocus();
        w.Grid1->setCurrentCell(1, 0);
        QTest::keyClick(w.Grid1, Qt::Key_Return);
        QCOMPARE(w.chosen, QStringList{"4"});
    }

    void summaryIsItsOwnAggregate() {
        Fixture f;
        QueryModel m(f.t.db(), {ListColumn::serial(QStringLiteral("SLNO"), 700),
                                ListColumn::text(QStringLiteral("KIND"), QStringLiteral("KIND"), 800),
                                ListColumn::number(QStringLiteral("NOS"), QStringLiteral("NOS"), 800),
                                ListColumn::money(QStringLiteral("TOTAL"), QStringLiteral("TOTL"), 1400)});
        m.setSelect(QStringLiteral("KIND, COUNT(*) AS NOS, COALESCE(SUM(AMT),0) AS TOTL"), QStringLiteral("KIND"));
        m.setOrder(QStringLiteral("KIND"));
        m.setPageSize(2);
        m.load(kAll);
        QCOMPARE(m.rowCount(), 3);  // groups counted, not rows
        QStringList lines;
        for (int r = 0; r < m.rowCount(); ++r)
            lines << QStringList{m.text(r, 0), m.text(r, 1), m.text(r, 2), m.text(r, 3)}.join(' ');
        // Exact to the paisa on both engines (SQLite sums REALs).
        QCOMPARE(lines, (QStringList{"1 A 4 100000011.09", "2 B 4 1241.53", "3 C 2 0.05"}));
    }

    void exportWritesEveryRowInOnePass() {
        Fixture f;
        auto m = f.rows(3);
        m->load(kAll);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rows.xls"));
        setSavePathProvider([&](QWidget*, const QString&, const QString&, QString*) { return path; });
        ScriptedPrompter p;
        const int before = m->statementsSinceLoad();
        Exp_Xls(nullptr, m.get(), p);
        setSavePathProvider({});
        QCOMPARE(p.texts(), QStringList{QStringLiteral("Successfully Export to ") + path});
        QCOMPARE(m->statementsSinceLoad(), before);  // the pages on screen are left as they are
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.at(0), QStringLiteral("\"SLNO\"\t\"CODE\"\t\"KIND\"\t\"AMOUNT\"\t\"ON\""));
        QCOMPARE(lines.at(10), QStringLiteral("\"10\"\t\"8\"\t\"C\"\t\"0.05\"\t\"08/03/2024 09:05:07\""));
        QVERIFY(m->pagesHeld() <= 2);
    }

    void rowColoursAndAPageThatFails() {
        Fixture f;
        auto m = f.rows(3);
        m->setRowColours([](const QSqlRecord& r) {
            return r.value(QStringLiteral("KIND")).toString() == QLatin1String("B") ? RowColours{Qt::yellow, Qt::blue}
                                                                                    : RowColours{};
        });
        m->load(kAll);
        QCOMPARE(m->index(4, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        QCOMPARE(m->index(4, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
        QVERIFY(!m->index(0, 1).data(Qt::BackgroundRole).isValid());
        // The table goes away under the list: the unread rows show blank and it is said once.
        QSignalSpy failed(m.get(), &QueryModel::pageFailed);
        f.t.db().exec(QStringLiteral("DROP TABLE T_LIST"));
        QCOMPARE(m->text(9, 1), QString());
        QCOMPARE(m->text(8, 1), QString());
        QVERIFY(failed.wait(2000));
        QCOMPARE(failed.size(), 1);
    }
};

QTEST_MAIN(tst_kit_querymodel)
#include "tst_kit_querymodel.moc"

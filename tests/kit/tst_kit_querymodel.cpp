// The listing model (rows read a page at a time in one total order, pages dropped as the view
// moves on, sizes from a count, summaries from their own aggregate, export in one pass) and
// grid export: Exp_Xls's sheet text and workbook, and the export routine under them.
#include "data/GridExport.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/ListingWindow.h"
#include "support/TestSession.h"

#include <QDateEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QtTest>

using namespace tarvic;
using namespace Qt::StringLiterals;

namespace {

// Row n (code n, on the n-th at 09:05:07) has kind kKinds[n-1] and amount kAmounts[n-1], NULL
// when empty: listed by kind, then code.
const char kKinds[] = "BABCABACBA";
const char* const kAmounts[] = {"1234.50", "0.10", "-0.75", "", "99999999.99", "0.01", "10", "0.05", "7.77", "1.00"};

struct Fixture {
    test::TestSession ts;
    Fixture() {
        Database& db = ts.db();
        db.exec(
            u"CREATE TABLE T_LIST (CODE INTEGER NOT NULL PRIMARY KEY, KIND VARCHAR(10), "
            "AMT NUMERIC(18,2), ON_DAY TIMESTAMP)"_s);
        for (int code = 1; code <= 10; ++code) {
            const QString amount = QString::fromLatin1(kAmounts[code - 1]);
            QVariantList args{code, QString(QChar(kKinds[code - 1])), QDateTime(QDate(2024, 3, code), QTime(9, 5, 7))};
            if (!amount.isEmpty())
                args.insert(2, amount);
            db.exec(u"INSERT INTO T_LIST (CODE, KIND, AMT, ON_DAY) VALUES (?, ?, %1, ?)"_s.arg(
                        amount.isEmpty() ? u"NULL"_s : db.dialect().amount()),
                    args);
        }
    }
    std::unique_ptr<QueryModel> rows(int pageSize) {
        auto m = std::make_unique<QueryModel>(
            ts.db(),
            QList<ListColumn>{ListColumn::serial(u"SLNO"_s, 700), ListColumn::number(u"CODE"_s, u"CODE"_s, 800),
                              ListColumn::text(u"KIND"_s, u"KIND"_s, 800).hiddenColumn(),
                              ListColumn::money(u"AMOUNT"_s, u"AMT"_s, 1400),
                              ListColumn::moment(u"ON"_s, u"ON_DAY"_s, 2000)});
        m->setSelect(u"*"_s);
        m->setOrder(u"KIND, CODE"_s);
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

// A grid's rows, their first columns joined by spaces.
QStringList texts(const ListGrid* grid, int columns) {
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < columns; ++c)
            row << grid->text(r, c);
        out << row.join(' ');
    }
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
        : ListingWindow(s, nullptr,
                        {.objectName = u"frm_LstItems"_s,
                         .title = u"ITEMS"_s,
                         .statement = u"SELECT {columns} FROM T_LIST WHERE {filter}"_s,
                         .dateColumn = u"ON_DAY"_s,
                         .detail = {.objectName = u"Grid1"_s,
                                    .select = u"*"_s,
                                    .orderBy = u"ON_DAY DESC, CODE"_s,
                                    .columns = {ListColumn::number(u"CODE"_s, u"CODE"_s, 800)}},
                         .summaries = {{.objectName = u"Grid2"_s,
                                        .select = u"KIND, COALESCE(SUM(AMT),0) AS TOTL"_s,
                                        .groupBy = u"KIND"_s,
                                        .orderBy = u"KIND"_s,
                                        .columns = {ListColumn::text(u"KIND"_s, u"KIND"_s, 800),
                                                    ListColumn::money(u"TOTAL"_s, u"TOTL"_s, 1400)}}},
                         .onChosen = [this](ListingWindow& w, int row) { chosen << w.Grid1->text(row, 0); }}) {
        addOption(u"Option1"_s, u"ALL"_s, nullptr, [](ListFilter&) {});
        addOption(u"Option2"_s, u"KIND"_s, txt_Kind, [this](ListFilter& f) { f.equal(u"KIND"_s, txt_Kind->text()); });
        addOption(u"Option3"_s, u"CODE"_s, txt_Code, [this](ListFilter& f) {
            bool ok = false;
            const int code = txt_Code->text().toInt(&ok);
            ok ? f.add(u"CODE=?"_s, {code}) : f.refuse();
        });
    }
    QStringList show(QRadioButton* option) {
        option->setChecked(true);
        QTest::mouseClick(Cmd_Show, Qt::LeftButton);
        return texts(Grid1, 1);
    }
    QStringList totals() const { return texts(summaryGrid(0), 2); }
};

const ListQuery kAll{u"SELECT {columns} FROM T_LIST WHERE CODE > ?"_s, {0}};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A member of a zip archive, through unzip(1).
QByteArray zipMember(const QString& zip, const QString& member) {
    QProcess p;
    p.start(u"unzip"_s, {u"-p"_s, zip, member});
    p.waitForFinished(30000);
    return p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
}

}  // namespace

class tst_kit_querymodel : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    ScriptedPrompter p;

    // Exp_Xls with the save dialog answered by path (and filter, when given).
    void exportTo(QAbstractItemModel* m, const QString& path, const QString& filter = {}) {
        p.clear();
        setSavePathProvider([&](QWidget*, const QString&, const QString&, QString* selected) {
            if (!filter.isEmpty())
                *selected = filter;
            return path;
        });
        Exp_Xls(nullptr, m, p);
        setSavePathProvider({});
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void pagesFollowTheViewInOneOrder() {
        Fixture f;
        auto m = f.rows(3);
        m->load(kAll);
        QCOMPARE(m->rowCount(), 10);
        QCOMPARE(m->statementsSinceLoad(), 2);  // the first page, then the count
        const QList<QStringList> cells = columns(*m);
        QCOMPARE(cells.at(1), (QStringList{"2", "5", "7", "10", "1", "3", "6", "9", "4", "8"}));
        QCOMPARE(cells.at(0), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        QCOMPARE(cells.at(3),
                 (QStringList{"0.10", "99999999.99", "10.00", "1.00", "1234.50", "-0.75", "0.01", "7.77", "", "0.05"}));
        QCOMPARE(cells.at(4).first(), u"02/03/2024 09:05:07"_s);
        QCOMPARE(m->statementsSinceLoad(), 5);  // one statement per further page
        QVERIFY(m->pagesHeld() <= 2);
        // The first page was dropped on the way down: it is read again.
        QCOMPARE(m->text(1, 1), u"5"_s);
        QCOMPARE(m->statementsSinceLoad(), 6);
        QCOMPARE(m->text(10, 1), QString());
        // A result within one page needs no count; a new load forgets the old rows.
        m->load({u"SELECT {columns} FROM T_LIST WHERE KIND=?"_s, {u"C"_s}});
        QCOMPARE(m->statementsSinceLoad(), 1);
        QCOMPARE(columns(*m).at(1), (QStringList{"4", "8"}));
        m->load({u"SELECT {columns} FROM T_LIST WHERE KIND=?"_s, {u"Z"_s}});
        QCOMPARE(m->rowCount(), 0);
    }

    void summaryAndEveryPageInPlace() {
        // A summary is its own aggregate: groups counted, not rows.
        Fixture f;
        QueryModel s(f.ts.db(),
                     {ListColumn::serial(u"SLNO"_s, 700), ListColumn::text(u"KIND"_s, u"KIND"_s, 800),
                      ListColumn::number(u"NOS"_s, u"NOS"_s, 800), ListColumn::money(u"TOTAL"_s, u"TOTL"_s, 1400)});
        s.setSelect(u"KIND, COUNT(*) AS NOS, COALESCE(SUM(AMT),0) AS TOTL"_s, u"KIND"_s);
        s.setOrder(u"KIND"_s);
        s.setPageSize(2);
        s.load(kAll);
        QCOMPARE(s.rowCount(), 3);  // groups counted, not rows
        QStringList lines;
        for (int r = 0; r < s.rowCount(); ++r)
            lines << QStringList{s.text(r, 0), s.text(r, 1), s.text(r, 2), s.text(r, 3)}.join(' ');
        // Exact to the paisa on both engines (SQLite sums REALs).
        QCOMPARE(lines, (QStringList{"1 A 4 100000011.09", "2 B 4 1241.53", "3 C 2 0.05"}));
        // Forty rows read a row per page: pages near the top forwards, near the bottom
        // backwards from the end, in the middle by row number; NULL kinds and a descending
        // key included. Each row must sit where one full pass puts it.
        for (int code = 11; code <= 40; ++code)
            f.ts.db().exec(u"INSERT INTO T_LIST (CODE, KIND) VALUES (?, ?)"_s,
                           {code, code % 4 == 0 ? QVariant() : QVariant(QString(QChar('A' + code % 3)))});
        QueryModel m(f.ts.db(), {ListColumn::serial(u"SLNO"_s, 700), ListColumn::number(u"CODE"_s, u"CODE"_s, 800)});
        m.setSelect(u"CODE, KIND"_s);
        m.setOrder(u"KIND DESC, CODE"_s);
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
        w.txt_Kind->setText(u"B"_s);
        QCOMPARE(w.show(option("Option2")), QStringList{"3"});
        QCOMPARE(w.totals(), QStringList{"B -0.75"});
        // The kind typed stays, but counts only while its option is chosen.
        w.txt_Code->setText(u"4"_s);
        QCOMPARE(w.show(option("Option3")), QStringList{"4"});
        w.txt_Code->setText(u"4 OR 1=1"_s);
        QCOMPARE(w.show(option("Option3")), QStringList{});
        QCOMPARE(w.totals(), QStringList{});
        QVERIFY(f.ts.prompter.messages.isEmpty());
        w.show(option("Option1"));
        w.Grid1->setFocus();
        w.Grid1->setCurrentCell(1, 0);
        QTest::keyClick(w.Grid1, Qt::Key_Return);
        QCOMPARE(w.chosen, QStringList{"4"});
    }

    // Row colours; an export writes every row in one pass and leaves the pages on screen as
    // they are; a page that cannot be read shows blank and is said once.
    void coloursExportAndAPageThatFails() {
        Fixture f;
        auto m = f.rows(3);
        m->setRowColours([](const QSqlRecord& r) {
            return r.value(u"KIND"_s).toString() == QLatin1String("B") ? RowColours{Qt::yellow, Qt::blue}
                                                                       : RowColours{};
        });
        m->load(kAll);
        QCOMPARE(m->index(4, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        QCOMPARE(m->index(4, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
        QVERIFY(!m->index(0, 1).data(Qt::BackgroundRole).isValid());
        const QString path = dir.filePath(u"rows.xls"_s);
        const int before = m->statementsSinceLoad();
        exportTo(m.get(), path);
        QCOMPARE(p.texts(), QStringList{u"Successfully Export to "_s + path});
        QCOMPARE(m->statementsSinceLoad(), before);
        QVERIFY(m->pagesHeld() <= 2);
        const QStringList lines = QString::fromUtf8(readAll(path)).split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.at(0), u"\"SLNO\"\t\"CODE\"\t\"KIND\"\t\"AMOUNT\"\t\"ON\""_s);
        QCOMPARE(lines.at(10), u"\"10\"\t\"8\"\t\"C\"\t\"0.05\"\t\"08/03/2024 09:05:07\""_s);
        QSignalSpy failed(m.get(), &QueryModel::pageFailed);
        f.ts.db().exec(u"DROP TABLE T_LIST"_s);
        QCOMPARE(m->text(9, 1), QString());
        QCOMPARE(m->text(8, 1), QString());
        QVERIFY(failed.wait(2000));
        QCOMPARE(failed.size(), 1);
    }

    // Every cell quoted with inner quotes doubled, hidden columns included, UTF-8 after a
    // byte-order mark; an empty grid gives its headings and one blank line.
    void sheetTextAndWorkbook() {
        QTableWidget grid;
        Load_EmptyGrid(&grid, {{u"SL NO"_s, 800}, {u"NAME"_s, 3000}, {u"CODE"_s, 900, Qt::AlignLeft, true}});
        const QString path = dir.filePath(u"list.xls"_s);
        const QByteArray head = "\xEF\xBB\xBF\"SL NO\"\t\"NAME\"\t\"CODE\"\r\n";
        exportTo(grid.model(), path);
        QCOMPARE(p.texts(), QStringList{u"Successfully Export to "_s + path});
        QCOMPARE(readAll(path), head + "\"\"\t\"\"\t\"\"\r\n");
        addGridRow(&grid, {u"1"_s, u"O'NEIL \"X\" & SONS"_s, u"P001"_s});
        addGridRow(&grid, {u"2"_s, u"A\tB"_s, u"P002"_s});
        addGridRow(&grid, {u"3"_s, u"ZÜRICH CAFÉ"_s, QString()});
        exportTo(grid.model(), path);
        QCOMPARE(readAll(path), head +
                                    "\"1\"\t\"O'NEIL \"\"X\"\" & SONS\"\t\"P001\"\r\n"
                                    "\"2\"\t\"A\tB\"\t\"P002\"\r\n"
                                    "\"3\"\t\"Z\xC3\x9CRICH CAF\xC3\x89\"\t\"\"\r\n");

        // The routine itself, by default: a tab, no quotes, no mark.
        GridExport::ExportGrid(*grid.model(), path);
        QVERIFY(readAll(path).startsWith("SL NO\tNAME\tCODE\r\n1\t"));
        // Cancelled: nothing written, nothing shown. A failure shows its description, never
        // the success message, and leaves no file.
        exportTo(grid.model(), u"   "_s);
        QVERIFY(p.messages.isEmpty());
        for (const QString& bad : {dir.filePath(u"missing/x.xls"_s), dir.filePath(u"missing/x.xlsx"_s)}) {
            exportTo(grid.model(), bad);
            QCOMPARE(p.messages.size(), 1);
            QVERIFY(!p.messages.at(0).text.startsWith(u"Successfully"_s));
            QVERIFY(!QFile::exists(bad));
        }
        // Numbers are numbers, codes with leading zeros stay text; the workbook filter with a
        // bare name writes a workbook under .xlsx.
        QStandardItemModel m(2, 3);
        m.setHorizontalHeaderLabels({u"CODE"_s, u"NAME"_s, u"AMOUNT"_s});
        const QStringList cells = {"007", "R&D <ONE>", "1234.50", "12", "TWO", "-0.75"};
        for (int i = 0; i < cells.size(); ++i)
            m.setItem(i / 3, i % 3, new QStandardItem(cells.at(i)));
        const QString book = dir.filePath(u"book.xlsx"_s);
        GridExport::ExportWorkbook(m, book);
        const QByteArray sheet = zipMember(book, u"xl/worksheets/sheet1.xml"_s);
        const QByteArray strings = zipMember(book, u"xl/sharedStrings.xml"_s);
        QVERIFY2(!sheet.isEmpty(), "no sheet in the workbook");
        for (const char* s : {"CODE", "NAME", "AMOUNT", "007", "R&amp;D &lt;ONE&gt;", "TWO"})
            QVERIFY2(strings.contains(s), s);
        for (const char* v : {"<v>1234.5</v>", "<v>12</v>", "<v>-0.75</v>"})
            QVERIFY2(sheet.contains(v), v);
        QVERIFY(!strings.contains(">12<"));
        const QString bare = dir.filePath(u"list2"_s);
        exportTo(&m, bare, kWorkbookFilter);
        QCOMPARE(p.texts(), QStringList{u"Successfully Export to "_s + bare + u".xlsx"_s});
        QVERIFY(readAll(bare + u".xlsx"_s).startsWith("PK"));
    }
};

QTEST_MAIN(tst_kit_querymodel)
#include "tst_kit_querymodel.moc"

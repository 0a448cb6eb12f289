// Grid export: the delimited ".xls" text, the true workbook, and Exp_Xls's dialog flow.
#include "data/GridExport.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"

#include <QProcess>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvic;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// A member of a zip archive, through unzip(1).
QByteArray zipMember(const QString& zip, const QString& member) {
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, member});
    p.waitForFinished(30000);
    return p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
}

}  // namespace

class tst_kit_export : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void emptyGridGivesTwoLines() {
        QTableWidget grid;
        Load_EmptyGrid(&grid, {{QStringLiteral("SL NO"), 800}, {QStringLiteral("NAME"), 3000},
                               {QStringLiteral("CODE"), 900, Qt::AlignLeft, true}});
        const QString path = dir.filePath(QStringLiteral("empty.xls"));
        GridExport::ExportGrid(*grid.model(), path, QStringLiteral("\t"), QStringLiteral("\""));
        QCOMPARE(readAll(path), QByteArray("\"SL NO\"\t\"NAME\"\t\"CODE\"\r\n\"\"\t\"\"\t\"\"\r\n"));
    }

    void rowsHiddenColumnsAndQuotes() {
        QTableWidget grid;
        Load_EmptyGrid(&grid, {{QStringLiteral("SL NO"), 800}, {QStringLiteral("NAME"), 3000},
                               {QStringLiteral("CODE"), 900, Qt::AlignLeft, true}});
        addGridRow(&grid, {QStringLiteral("1"), QStringLiteral("HOTEL \"SEA VIEW\""), QStringLiteral("P001")});
        addGridRow(&grid, {QStringLiteral("2"), QStringLiteral("A\tB"), QStringLiteral("P002")});
        QVERIFY(grid.isColumnHidden(2));
        QCOMPARE(grid.rowCount(), 2);  // the blank row was taken by the first record
        const QString path = dir.filePath(QStringLiteral("rows.xls"));
        GridExport::ExportGrid(*grid.model(), path, QStringLiteral("\t"), QStringLiteral("\""));
        QCOMPARE(readAll(path), QByteArray("\"SL NO\"\t\"NAME\"\t\"CODE\"\r\n"
                                           "\"1\"\t\"HOTEL \"SEA VIEW\"\"\t\"P001\"\r\n"
                                           "\"2\"\t\"A\tB\"\t\"P002\"\r\n"));
        // The routine's own defaults: a tab and no quotes.
        GridExport::ExportGrid(*grid.model(), path);
        QVERIFY(readAll(path).startsWith("SL NO\tNAME\tCODE\r\n1\t"));
    }

    void workbookOpensAsZipWithTheSheet() {
        QStandardItemModel m(2, 3);
        m.setHorizontalHeaderLabels({QStringLiteral("CODE"), QStringLiteral("NAME"), QStringLiteral("AMOUNT")});
        m.setItem(0, 0, new QStandardItem(QStringLiteral("007")));
        m.setItem(0, 1, new QStandardItem(QStringLiteral("R&D <ONE>")));
        m.setItem(0, 2, new QStandardItem(QStringLiteral("1234.50")));
        m.setItem(1, 0, new QStandardItem(QStringLiteral("12")));
        m.setItem(1, 1, new QStandardItem(QStringLiteral("TWO")));
        m.setItem(1, 2, new QStandardItem(QStringLiteral("-0.75")));
        const QString path = dir.filePath(QStringLiteral("book.xlsx"));
        GridExport::ExportWorkbook(m, path);
        QVERIFY(readAll(path).startsWith("PK"));
        const QByteArray sheet = zipMember(path, QStringLiteral("xl/worksheets/sheet1.xml"));
        const QByteArray strings = zipMember(path, QStringLiteral("xl/sharedStrings.xml"));
        QVERIFY2(!sheet.isEmpty(), "no sheet in the workbook");
        for (const char* s : {"CODE", "NAME", "AMOUNT", "007", "R&amp;D &lt;ONE&gt;", "TWO"})
            QVERIFY2(strings.contains(s), s);
        // Numbers are numbers, codes with leading zeros stay text.
        QVERIFY(sheet.contains("<v>1234.5</v>"));
        QVERIFY(sheet.contains("<v>12</v>"));
        QVERIFY(sheet.contains("<v>-0.75</v>"));
        QVERIFY(!strings.contains(">12<"));
    }

    void expXlsFlow() {
        QStandardItemModel m(1, 2);
        m.setHorizontalHeaderLabels({QStringLiteral("A"), QStringLiteral("B")});
        m.setItem(0, 0, new QStandardItem(QStringLiteral("x")));
        ScriptedPrompter p;
        QString answer;
        QString filterChosen;
        QString titleSeen, filtersSeen;
        setSavePathProvider([&](QWidget*, const QString& title, const QString& filters, QString* selected) {
            titleSeen = title;
            filtersSeen = filters;
            if (!filterChosen.isEmpty())
                *selected = filterChosen;
            return answer;
        });

        // Cancel (or blanks): nothing written, nothing shown.
        answer = QStringLiteral("   ");
        Exp_Xls(nullptr, &m, p);
        QVERIFY(p.messages.isEmpty());
        QCOMPARE(titleSeen, QStringLiteral("SELECT PATH TO SAVE SPREADSHEET"));
        QVERIFY(filtersSeen.startsWith(QStringLiteral("EXCEL SHEET (*.xls)")));
        QVERIFY(filtersSeen.contains(QStringLiteral("EXCEL WORKBOOK (*.xlsx)")));

        answer = dir.filePath(QStringLiteral("list.xls"));
        Exp_Xls(nullptr, &m, p);
        QCOMPARE(p.texts(), QStringList{QStringLiteral("Successfully Export to ") + answer});
        QCOMPARE(readAll(answer), QByteArray("\"A\"\t\"B\"\r\n\"x\"\t\"\"\r\n"));

        // The workbook filter with a bare name writes a workbook under .xlsx.
        p.clear();
        answer = dir.filePath(QStringLiteral("list2"));
        filterChosen = kWorkbookFilter;
        Exp_Xls(nullptr, &m, p);
        QCOMPARE(p.texts(), QStringList{QStringLiteral("Successfully Export to ") + answer + QStringLiteral(".xlsx")});
        QVERIFY(readAll(answer + QStringLiteral(".xlsx")).startsWith("PK"));

        // A failure shows its description, never the success message.
        for (const QString& bad : {dir.filePath(QStringLiteral("missing/x.xls")), dir.filePath(QStringLiteral("missing/x.xlsx"))}) {
            p.clear();
            answer = bad;
            Exp_Xls(nullptr, &m, p);
            QCOMPARE(p.messages.size(), 1);
            QVERIFY(!p.messages.at(0).text.startsWith(QStringLiteral("Successfully")));
            QCOMPARE(p.messages.at(0).kind, QStringLiteral("information"));
            QVERIFY(!QFile::exists(bad));
        }
        setSavePathProvider({});
    }
};

QTEST_MAIN(tst_kit_export)
#include "tst_kit_export.moc"

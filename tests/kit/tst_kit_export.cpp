// Grid export: Exp_Xls's sheet text and workbook, and the export routine under them.
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
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
    // Every cell quoted with inner quotes doubled, hidden columns included, UTF-8 after a
    // byte-order mark; an empty grid gives its headings and one blank line.
    void sheetText() {
        QTableWidget grid;
        Load_EmptyGrid(&grid, {{QStringLiteral("SL NO"), 800},
                               {QStringLiteral("NAME"), 3000},
                               {QStringLiteral("CODE"), 900, Qt::AlignLeft, true}});
        const QString path = dir.filePath(QStringLiteral("list.xls"));
        const QByteArray head = "\xEF\xBB\xBF\"SL NO\"\t\"NAME\"\t\"CODE\"\r\n";
        exportTo(grid.model(), path);
        QCOMPARE(p.texts(), QStringList{QStringLiteral("Successfully Export to ") + path});
        QCOMPARE(readAll(path), head + "\"\"\t\"\"\t\"\"\r\n");

        addGridRow(&grid, {QStringLiteral("1"), QStringLiteral("O'NEIL \"X\" & SONS"), QStringLiteral("P001")});
        addGridRow(&grid, {QStringLiteral("2"), QStringLiteral("A\tB"), QStringLiteral("P002")});
        addGridRow(&grid, {QStringLiteral("3"), QStringLiteral("ZÜRICH CAFÉ"), QString()});
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
        exportTo(grid.model(), QStringLiteral("   "));
        QVERIFY(p.messages.isEmpty());
        for (const QString& bad :
             {dir.filePath(QStringLiteral("missing/x.xls")), dir.filePath(QStringLiteral("missing/x.xlsx"))}) {
            exportTo(grid.model(), bad);
            QCOMPARE(p.messages.size(), 1);
            QVERIFY(!p.messages.at(0).text.startsWith(QStringLiteral("Successfully")));
            QVERIFY(!QFile::exists(bad));
        }
    }

    // Numbers are numbers, codes with leading zeros stay text; the workbook filter with a
    // bare name writes a workbook under .xlsx.
    void workbook() {
        QStandardItemModel m(2, 3);
        m.setHorizontalHeaderLabels({QStringLiteral("CODE"), QStringLiteral("NAME"), QStringLiteral("AMOUNT")});
        const QStringList cells = {"007", "R&D <ONE>", "1234.50", "12", "TWO", "-0.75"};
        for (int i = 0; i < cells.size(); ++i)
            m.setItem(i / 3, i % 3, new QStandardItem(cells.at(i)));
        const QString path = dir.filePath(QStringLiteral("book.xlsx"));
        GridExport::ExportWorkbook(m, path);
        const QByteArray sheet = zipMember(path, QStringLiteral("xl/worksheets/sheet1.xml"));
        const QByteArray strings = zipMember(path, QStringLiteral("xl/sharedStrings.xml"));
        QVERIFY2(!sheet.isEmpty(), "no sheet in the workbook");
        for (const char* s : {"CODE", "NAME", "AMOUNT", "007", "R&amp;D &lt;ONE&gt;", "TWO"})
            QVERIFY2(strings.contains(s), s);
        for (const char* v : {"<v>1234.5</v>", "<v>12</v>", "<v>-0.75</v>"})
            QVERIFY2(sheet.contains(v), v);
        QVERIFY(!strings.contains(">12<"));

        const QString bare = dir.filePath(QStringLiteral("list2"));
        exportTo(&m, bare, kWorkbookFilter);
        QCOMPARE(p.texts(), QStringList{QStringLiteral("Successfully Export to ") + bare + QStringLiteral(".xlsx")});
        QVERIFY(readAll(bare + QStringLiteral(".xlsx")).startsWith("PK"));
    }
};

QTEST_MAIN(tst_kit_export)
#include "tst_kit_export.moc"

// Each program's manual page says everything its --help says: every command and option with
// its text, the description and the environment, so the page and the program cannot disagree.
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString run(const QString& program, const QStringList& args, const QStringList& env = {}) {
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& item : env)
        e.insert(item.section(u'=', 0, 0), item.section(u'=', 1));
    p.setProcessEnvironment(e);
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString collapsed(QString text) {
    return text.replace(QRegularExpression(u".\b"_s), QString()).simplified();
}

// The help text's entries: each paragraph, and each indented item with its continuation lines
// (what the page sets as a paragraph or a tagged item). Headings and the usage line are left
// to the page's sections and synopsis.
QStringList entries(const QString& help) {
    QStringList out;
    for (const QString& line : help.split(u'\n')) {
        const QString t = line.trimmed();
        const bool heading = !line.startsWith(u' ') && t.endsWith(u':');
        if (t.isEmpty() || heading || t.startsWith(u"Usage:"_s)) {
            out << QString();
            continue;
        }
        const bool item = line.startsWith(u"  "_s) && !line.startsWith(u"    "_s);
        if (item || out.isEmpty() || out.last().isEmpty())
            out << t;
        else
            out.last() += u' ' + t;
    }
    out.removeAll(QString());
    return out;
}

}  // namespace

class TstManPages : public QObject {
    Q_OBJECT
private slots:
    void everyEntryOfTheHelpIsOnThePage_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("tarvic") << u"tarvic"_s << QStringList();
        QTest::newRow("tarvic-admin") << u"tarvic-admin"_s
                                      << QStringList{u"setup"_s,   u"init"_s,           u"upgrade"_s, u"create-login"_s,
                                                     u"company"_s, u"check"_s,          u"move-to-server"_s,
                                                     u"backup"_s,  u"restore"_s,        u"due"_s,     u"version"_s};
    }
    void everyEntryOfTheHelpIsOnThePage() {
        QFETCH(QString, program);
        QFETCH(QStringList, commands);
        const QString bin = qEnvironmentVariable("TARVIC_BIN_DIR");
        const QString page = bin + u"/dist/man/%1.1"_s.arg(program);
        QVERIFY2(QFile::exists(page), qPrintable(page + u" was not made (Debian package help2man)"_s));
        QVERIFY(QFile::exists(page + u".gz"_s));
        const QString help = run(bin + u"/src/"_s + program, {u"--help"_s});
        const QString text = collapsed(run(u"man"_s, {u"-E"_s, u"ascii"_s, u"--nj"_s, u"--nh"_s, u"-l"_s, page},
                                           {u"MANWIDTH=200"_s, u"LC_ALL=C.UTF-8"_s}));
        QVERIFY2(text.startsWith(program + u"(1)"_s, Qt::CaseInsensitive), qPrintable(text.left(200)));
        const QStringList items = entries(help);
        QVERIFY(items.size() >= 8);
        for (const QString& item : items)
            QVERIFY2(text.contains(collapsed(item)), qPrintable(u"not on the page: "_s + item));
        // Every command is an item of the help, so on the page too.
        for (const QString& command : commands)
            QVERIFY2(
                std::any_of(items.begin(), items.end(), [&](const QString& i) { return i.startsWith(command + u' '); }),
                qPrintable(command));
        QVERIFY(text.contains(u"SYNOPSIS "_s + program + u" [options]"_s));
    }
};

QTEST_MAIN(TstManPages)
#include "tst_manpages.moc"

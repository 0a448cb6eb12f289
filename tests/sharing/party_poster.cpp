// One copy of the program saving new parties through the party window, as fast as a user
// could: waits for "go" on its input so that two copies start in the same instant, then
// saves --count parties named "<--name> <n>". After each save it prints the code the window
// shows and the message it gave: "<code>|<message>".
#include "masters/frm_Party.h"
#include "shell/Prompter.h"
#include "shell/Session.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QLabel>
#include <QLineEdit>
#include <QTextStream>
#include <QtTest>

#include <cstdio>
#include <iostream>

using namespace tarvic;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption setOpt(QStringLiteral("set"), QStringLiteral("Connection attribute."), QStringLiteral("KEY=VALUE"));
    const QCommandLineOption countOpt(QStringLiteral("count"), QStringLiteral("Parties to save."), QStringLiteral("N"));
    const QCommandLineOption nameOpt(QStringLiteral("name"), QStringLiteral("Party name prefix."), QStringLiteral("TEXT"));
    parser.addOptions({setOpt, countOpt, nameOpt});
    parser.process(app);

    ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
    cs.overrides = parser.values(setOpt).join(QLatin1Char(';'));
    try {
        Database db(cs, QStringLiteral("copy"));
        ScriptedPrompter prompter;
        Session session;
        session.db = &db;
        session.prompter = &prompter;
        session.userFullName = parser.value(nameOpt);
        session.loginId = 1;
        session.companyName = QStringLiteral("TARVIC HOLIDAYS");

        frm_Party w(session);
        w.show();
        std::printf("ready\n");
        std::fflush(stdout);
        std::string go;
        std::getline(std::cin, go);

        const int count = parser.value(countOpt).toInt();
        for (int i = 1; i <= count; ++i) {
            w.Load_Init();
            w.txt_PartyName->setText(QStringLiteral("%1 %2").arg(parser.value(nameOpt)).arg(i));
            w.Cmb_PartyType->setCurrentIndex(w.Cmb_PartyType->findText(QStringLiteral("AGENT")));
            w.txt_ContPerson->setText(QStringLiteral("RAVI"));
            w.txt_MobileNOs->setText(QStringLiteral("9847012345"));
            prompter.clear();
            prompter.answers = {true};
            w.txt_MobileNOs->setFocus();
            QTest::keyClick(w.txt_MobileNOs, Qt::Key_F3);
            const QStringList said = prompter.texts();
            std::printf("%s|%s\n", qPrintable(w.lbl_PartyCode->text()), qPrintable(said.isEmpty() ? QString() : said.last()));
            std::fflush(stdout);
        }
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 2;
    }
    return 0;
}

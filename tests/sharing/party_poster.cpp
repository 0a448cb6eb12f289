// One copy of the program saving new parties through the party window, as fast as a user
// could. Run as "tarvic-party-poster CONNECTION-ATTRIBUTES COUNT NAME": it waits for "go" on
// its input so that two copies start in the same instant, then saves COUNT parties named
// "NAME <n>". After each save it prints the code the window shows and the message it gave:
// "<code>|<message>".
#include "masters/frm_Party.h"
#include "shell/Prompter.h"
#include "shell/Session.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <cstdio>
#include <iostream>

using namespace tarvic;
using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
    cs.overrides = args.value(1);
    try {
        Database db(cs, u"copy"_s);
        ScriptedPrompter prompter;
        Session session{.db = &db, .prompter = &prompter, .userFullName = args.value(3), .loginId = 1};
        session.companyName = u"TARVIC HOLIDAYS"_s;
        frm_Party w(session);
        w.show();
        std::printf("ready\n");
        std::fflush(stdout);
        std::string go;
        std::getline(std::cin, go);
        for (int i = 1; i <= args.value(2).toInt(); ++i) {
            w.Load_Init();
            w.txt_PartyName->setText(u"%1 %2"_s.arg(args.value(3)).arg(i));
            w.Cmb_PartyType->setCurrentIndex(w.Cmb_PartyType->findText(u"AGENT"_s));
            w.txt_ContPerson->setText(u"RAVI"_s);
            w.txt_MobileNOs->setText(u"9847012345"_s);
            prompter.clear();
            prompter.answers = {true};
            w.txt_MobileNOs->setFocus();
            QTest::keyClick(w.txt_MobileNOs, Qt::Key_F3);
            const QString said = prompter.texts().value(prompter.texts().size() - 1);
            std::printf("%s|%s\n", qPrintable(w.lbl_PartyCode->text()), qPrintable(said));
            std::fflush(stdout);
        }
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 2;
    }
    return 0;
}

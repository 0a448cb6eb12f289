#pragma once
// A logged-on session over a fresh database, with a scripted prompter, for window tests.
#include "support/TestDb.h"
#include "shell/Prompter.h"
#include "shell/Session.h"

namespace tarvic::test {

struct TestSession {
    TestDb t;
    ScriptedPrompter prompter;
    Session session;

    TestSession() {
        session.db = &t.db();
        session.prompter = &prompter;
        session.userFullName = QStringLiteral("ADMINISTRATOR");
        session.loginId = 1;
        session.consultantCode = 0;
        session.companyName = QStringLiteral("TARVIC HOLIDAYS");
    }
    Database& db() { return t.db(); }
    // Forgets what was shown and asked, and sets the answers to the next questions.
    void answer(const QList<bool>& answers = {true}) {
        prompter.clear();
        prompter.answers = answers;
    }
};

}  // namespace tarvic::test

#pragma once
// A logged-on session over a fresh database, with a scripted prompter, for window tests.
#include "shell/Prompter.h"
#include "shell/Session.h"
#include "support/TestDb.h"

#include <functional>
#include <utility>

namespace tarvic::test {

// A scripted prompter that runs onQuestion (once) when the next question is asked: another
// workstation acting between the window's look and its save.
struct ActingPrompter : ScriptedPrompter {
    std::function<void()> onQuestion;
    bool question(QWidget* w, const QString& text, const QString& title = kTitle) override {
        if (onQuestion)
            std::exchange(onQuestion, {})();
        return ScriptedPrompter::question(w, text, title);
    }
};

struct TestSession {
    TestDb t;
    ActingPrompter prompter;
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

#pragma once
// Every message box of the system goes through a Prompter: information, critical and Yes/No
// boxes titled "Morvane", and the file dialogs. The program shows real boxes and dialogs;
// tests install a ScriptedPrompter that records each message and answers each question and
// each file prompt from a script.
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace tarvic {

class Prompter {
public:
    virtual ~Prompter() = default;
    // Style 64.
    virtual void information(QWidget* parent, const QString& text, const QString& title = kTitle) = 0;
    // Style 16.
    virtual void critical(QWidget* parent, const QString& text, const QString& title = kTitle) = 0;
    // Style 48.
    virtual void exclamation(QWidget* parent, const QString& text, const QString& title = kTitle) = 0;
    // Style 4: true for Yes.
    virtual bool question(QWidget* parent, const QString& text, const QString& title = kTitle) = 0;

    // A file to read; empty when cancelled. A prompter without dialogs (an automated run)
    // answers every file prompt as cancelled.
    virtual QString askOpenPath(QWidget* parent, const QString& title, const QString& filter);
    // A file to write, offered under suggested (suggestedFileName when empty); filters are
    // ";;"-joined, and chosenFilter, when given, receives the one chosen. Empty when cancelled.
    virtual QString askSavePath(QWidget* parent, const QString& title, const QString& filters,
                                const QString& suggested = {}, QString* chosenFilter = nullptr);

    // The name a save offers: the caption of the window asking, today's date and the first
    // filter's extension ("LEAD REGISTER 2026-12-08.xls").
    static QString suggestedFileName(QWidget* parent, const QString& filters);
    // The first extension a filter names ("PDF FILES (*.pdf)" -> "pdf"); empty when none.
    static QString extensionOf(const QString& filter);

    static inline const QString kTitle = QStringLiteral("Morvane");
};

// Real message boxes.
class BoxPrompter : public Prompter {
public:
    void information(QWidget* parent, const QString& text, const QString& title = kTitle) override;
    void critical(QWidget* parent, const QString& text, const QString& title = kTitle) override;
    void exclamation(QWidget* parent, const QString& text, const QString& title = kTitle) override;
    bool question(QWidget* parent, const QString& text, const QString& title = kTitle) override;
    QString askOpenPath(QWidget* parent, const QString& title, const QString& filter) override;
    QString askSavePath(QWidget* parent, const QString& title, const QString& filters, const QString& suggested = {},
                        QString* chosenFilter = nullptr) override;
};

// For tests: records every message as "<kind>|<title>|<text>" and answers questions in order
// (No once the script runs out).
class ScriptedPrompter : public Prompter {
public:
    struct Message {
        QString kind;   // "information", "critical", "exclamation", "question"
        QString title;
        QString text;
    };
    void information(QWidget*, const QString& text, const QString& title = kTitle) override { record(QStringLiteral("information"), title, text); }
    void critical(QWidget*, const QString& text, const QString& title = kTitle) override { record(QStringLiteral("critical"), title, text); }
    void exclamation(QWidget*, const QString& text, const QString& title = kTitle) override { record(QStringLiteral("exclamation"), title, text); }
    bool question(QWidget*, const QString& text, const QString& title = kTitle) override {
        record(QStringLiteral("question"), title, text);
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    // A file prompt as asked: "open" or "save", its title, filters and the name offered.
    struct PathPrompt {
        QString kind;
        QString title;
        QString filters;
        QString suggested;
    };
    // Answers file prompts: pathAnswer when set, else paths in order (cancelled once they run
    // out). A save's chosen filter is chosenFilter when set, else the one of the answer's
    // extension, else the first.
    QString askOpenPath(QWidget* parent, const QString& title, const QString& filter) override {
        return answerPath({QStringLiteral("open"), title, filter, QString()}, parent, nullptr);
    }
    QString askSavePath(QWidget* parent, const QString& title, const QString& filters, const QString& suggested = {},
                        QString* chosenFilter = nullptr) override {
        return answerPath({QStringLiteral("save"), title, filters, suggested}, parent, chosenFilter);
    }
    // Texts of the messages so far, in order.
    QStringList texts() const {
        QStringList t;
        for (const Message& m : messages)
            t << m.text;
        return t;
    }
    void clear() {
        messages.clear();
        answers.clear();
        pathPrompts.clear();
    }

    QList<Message> messages;
    QList<bool> answers;
    QList<PathPrompt> pathPrompts;
    QStringList paths;
    QString chosenFilter;
    std::function<QString(const PathPrompt&)> pathAnswer;

private:
    QString answerPath(PathPrompt prompt, QWidget* parent, QString* chosenFilter);
    void record(const QString& kind, const QString& title, const QString& text) { messages.append({kind, title, text}); }
};

}  // namespace tarvic

#pragma once
// Every message box of the system goes through a Prompter: information, critical and Yes/No
// boxes titled "Morvane". The program shows real boxes; tests install a ScriptedPrompter
// that records each message and answers each question from a script.
#include <QString>
#include <QStringList>

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

    static inline const QString kTitle = QStringLiteral("Morvane");
};

// Real message boxes.
class BoxPrompter : public Prompter {
public:
    void information(QWidget* parent, const QString& text, const QString& title = kTitle) override;
    void critical(QWidget* parent, const QString& text, const QString& title = kTitle) override;
    void exclamation(QWidget* parent, const QString& text, const QString& title = kTitle) override;
    bool question(QWidget* parent, const QString& text, const QString& title = kTitle) override;
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
    // Texts of the messages so far, in order.
    QStringList texts() const {
        QStringList t;
        for (const Message& m : messages)
            t << m.text;
        return t;
    }
    void clear() { messages.clear(); answers.clear(); }

    QList<Message> messages;
    QList<bool> answers;

private:
    void record(const QString& kind, const QString& title, const QString& text) { messages.append({kind, title, text}); }
};

}  // namespace tarvic

#pragma once
// The save sequence of every document window, whatever its form: the ordered checks, the
// Yes/No question, the save through the engine, the number shown on success and put back on
// failure with every field kept as typed, the success message, the document shown again, and
// its fields editable or read-only by its state (a cancelled document said to be so). A window
// states only its steps and owns its form:
//
//     editor_ = new DocumentEditor(this, {
//         .checks = [this] { return QList<Check>{...}; },
//         .question = [this] { return Confirmation{" YOU ARE ABOUT TO ...", {...}}; },
//         .save = [this] { return Bookings(db(), user()).save(entry()); },
//         .saved = [](qint64) { return QStringLiteral("UPDATION OF ... SUCCESSFULLY DONE ..."); },
//         .show = [this](qint64 n) { return Show_Record(n); },
//     });
//     editor_->setNumberLabel(lbl_DocNo);
//     editor_->setEditableHook([this](bool on) { ... });
//     // Show_Record ends with editor_->shown(number, state, modifiable);
//     // Save_Record is editor_->save();
#include "engine/DocumentState.h"
#include "shell/kit/Checks.h"
#include "shell/kit/Guard.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QLabel;
class QWidget;

namespace tarvic {

class TaskWindow;

// Makes a text field read-only or editable, and look it: a read-only field takes the locked
// background (the grey of a locked lead), so that a saved document does not look as if it
// could still be typed in. Line edits, plain and rich text boxes and spin/date boxes.
void setReadOnlyField(QWidget* field, bool readOnly);
// Gives every text field of a window the background of its present state, whoever set it.
void showReadOnlyLook(QWidget* window);

struct DocumentSteps {
    std::function<QList<Check>()> checks;  // in their fixed order; empty: none
    std::function<Confirmation()> question;  // empty: saved without a question
    std::function<qint64()> save;  // the engine's operation: the number saved; throws DbError
    std::function<QString(qint64 number)> saved;  // the success message; empty: none
    std::function<bool(qint64 number)> show;  // shows the saved document again
    QString saving = {};  // shown in the status label while the save runs; empty: nothing
    FailureMessages failures = {};  // the window's own words for a duplicate, a lock, a change
};

class DocumentEditor : public QObject {
    Q_OBJECT
public:
    DocumentEditor(TaskWindow* window, DocumentSteps steps);

    // Where the number is shown ("0" for a new document).
    void setNumberLabel(QLabel* label);
    // Where a cancelled document says so ("CANCELLED"), and a save in progress its saving
    // text; cleared otherwise.
    void setStatusLabel(QLabel* label);
    // Turns the window's own fields and its save button editable or read-only; every text
    // field then looks what it is (showReadOnlyLook).
    void setEditableHook(std::function<void(bool)> hook);

    qint64 number() const { return number_; }
    DocState state() const { return state_; }
    bool editable() const { return next_.save; }

    // A new document: number 0, editable.
    void startNew();
    // A saved document was shown: its number and state decide what may happen next (a live
    // one is editable only when its kind may be modified).
    void shown(qint64 number, DocState state, bool modifiable);
    // Checks, asks, saves and shows the document again. Refuses quietly while read-only.
    // Returns whether the document was saved.
    bool save();

signals:
    // A save succeeded and the document is shown under its number.
    void saved(qint64 number);

private:
    void apply();

    QPointer<TaskWindow> window_;
    DocumentSteps steps_;
    QPointer<QLabel> numberLabel_;
    QPointer<QLabel> statusLabel_;
    std::function<void(bool)> editableHook_;
    qint64 number_ = 0;
    DocState state_ = DocState::New;
    NextSteps next_ = nextSteps(DocState::New, false);
};

}  // namespace tarvic

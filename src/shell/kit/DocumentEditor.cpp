#include "DocumentEditor.h"

#include "shell/kit/TaskWindow.h"

#include <QLabel>

namespace tarvic {

DocumentEditor::DocumentEditor(TaskWindow* window, DocumentSteps steps)
    : QObject(window), window_(window), steps_(std::move(steps)) {}

void DocumentEditor::setNumberLabel(QLabel* label) {
    numberLabel_ = label;
    apply();
}

void DocumentEditor::setStatusLabel(QLabel* label) {
    statusLabel_ = label;
    apply();
}

void DocumentEditor::setEditableHook(std::function<void(bool)> hook) {
    editableHook_ = std::move(hook);
}

void DocumentEditor::apply() {
    if (numberLabel_)
        numberLabel_->setText(QString::number(number_));
    if (statusLabel_)
        statusLabel_->setText(state_ == DocState::Cancelled ? QStringLiteral("CANCELLED") : QString());
}

void DocumentEditor::startNew() {
    number_ = 0;
    state_ = DocState::New;
    next_ = nextSteps(state_, false);
    apply();
    if (editableHook_)
        editableHook_(true);
}

void DocumentEditor::shown(qint64 number, DocState state, bool modifiable) {
    number_ = number;
    state_ = state;
    next_ = nextSteps(state, modifiable);
    apply();
    if (editableHook_)
        editableHook_(next_.save);
}

bool DocumentEditor::save() {
    if (!window_ || !next_.save || !steps_.save)
        return false;
    Prompter& prompter = window_->prompter();
    if (steps_.checks && !runChecks(prompter, window_, steps_.checks()))
        return false;
    if (steps_.question && !steps_.question().ask(prompter, window_))
        return false;
    qint64 saved = 0;
    if (!runGuarded(prompter, window_, [&] { saved = steps_.save(); }, steps_.failures)) {
        // Nothing was kept: a new document has no number yet, and what was typed stays.
        apply();
        return false;
    }
    number_ = saved;
    apply();
    if (steps_.saved) {
        const QString text = steps_.saved(saved);
        if (!text.isEmpty())
            prompter.information(window_, text);
    }
    if (steps_.show)
        steps_.show(saved);
    emit this->saved(saved);
    return true;
}

}  // namespace tarvic

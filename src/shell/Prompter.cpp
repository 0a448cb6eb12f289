#include "Prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace tarvic {

namespace {
// One box, waited for; the pointer may be busy (hourglass) when a message comes, so the
// arrow is shown while the box is up.
int showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    return answer;
}
}  // namespace

void BoxPrompter::information(QWidget* parent, const QString& text, const QString& title) {
    showBox(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void BoxPrompter::critical(QWidget* parent, const QString& text, const QString& title) {
    showBox(parent, QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void BoxPrompter::exclamation(QWidget* parent, const QString& text, const QString& title) {
    showBox(parent, QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool BoxPrompter::question(QWidget* parent, const QString& text, const QString& title) {
    // Style 4: Yes and No, no icon; Yes is the first button and the default.
    return showBox(parent, QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::Yes) == QMessageBox::Yes;
}

}  // namespace tarvic

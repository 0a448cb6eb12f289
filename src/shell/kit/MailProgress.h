#pragma once
// What every window that mails shares: the installation's mail settings or the message that
// there are none, and the progress of mail to several recipients, one message at a time.
//
//     const auto settings = readMailSettings(*this);   // nullopt: already said why
//     MailProgress progress(this, total);
//     for (...) { if (!progress.step(i, text)) { ...stopped... } mailer.send(...); }
#include "data/Mailer.h"

#include <QProgressDialog>

#include <optional>

namespace tarvic {

class TaskWindow;

// The mail settings; nullopt once the window has said there are none or shown why they could
// not be read.
std::optional<MailSettings> readMailSettings(TaskWindow& window);

// Modal to the window, cancellable, shown at once, titled as the window.
class MailProgress : public QProgressDialog {
public:
    MailProgress(QWidget* window, int total);
    // Shows the message about to go (done sent before it); false once cancelled.
    bool step(int done, const QString& label);
};

}  // namespace tarvic

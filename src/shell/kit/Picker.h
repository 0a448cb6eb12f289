#pragma once
// Hand-off from a picker (search) window to the window that opened it.
//
// The caller gives the picker a callback; when the user chooses a row the picker calls it
// with the row's code and closes itself. The callback fills the caller's code field and
// runs the caller's own Show_ routine, just as each caller did when it was chosen by a
// selector number:
//
//     auto* search = new frm_SearchGroupMeet(session(), this,
//         [this](const QString& code) { txt_GroupCode->setText(code); Show_GroupMeetName(); });
//     search->show();
//
// The picker never knows who opened it; a picker opened from the main menu gets an empty
// callback and only shows its list. The callback must not outlive the caller: capture a
// QPointer, or make the picker a child of the caller (closing the caller closes it).
#include <QString>
#include <functional>

namespace tarvic {

using PickCallback = std::function<void(const QString& code)>;

}  // namespace tarvic

#pragma once
// "SEARCH GROUP / MEET ": finds groups and meetings by a name pattern and hands the chosen
// group's code to the window that opened the search (the address-book windows).
#include "shell/kit/Picker.h"
#include "shell/kit/TaskWindow.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvic {

class frm_SearchGroupMeet : public TaskWindow {
    Q_OBJECT
public:
    // onPick receives the chosen GROUP_CODE; empty when opened from the menu.
    frm_SearchGroupMeet(Session& session, QWidget* parent, PickCallback onPick = {});

    QLineEdit* txt_GroupMeetName = nullptr;
    QPushButton* Cmd_Show = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Load_Grid1();

private:
    void Load_EmptyGrid1();
    void rowChosen(int row);

    PickCallback onPick_;
};

}  // namespace tarvic

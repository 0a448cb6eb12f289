#pragma once
// "GST MAINTENANCE": the GST rates and SAC code per kind of supply, chosen on the invoice. The
// entry area above, every row in the grid below; a row chosen from the grid is edited under
// its own GST FOR, a new GST FOR adds a row.
#include "shell/kit/TaskWindow.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarvic {

class frm_GSTMaintenance : public TaskWindow {
    Q_OBJECT
public:
    frm_GSTMaintenance(Session& session, QWidget* parent);

    QLineEdit* txt_GSTFor = nullptr;
    QLineEdit* txt_SACCode = nullptr;
    QLineEdit* txt_CGSTPer = nullptr;
    QLineEdit* txt_SGSTPer = nullptr;
    QLineEdit* txt_IGSTPer = nullptr;
    QLabel* lbl_CreatedByOn = nullptr;
    QLabel* lbl_UpdateByOn = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Load_Init();
    void Load_Grid();
    void Save_Record();
    void Show_Record(int row);
};

}  // namespace tarvic

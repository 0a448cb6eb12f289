#pragma once
// "COUNTRY MAINTENANCE": countries (M_TBL_CSP_COUNTRY), coded from counter COUNTRY.
#include "shell/kit/TaskWindow.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarvic {

class frm_CSP_Country : public TaskWindow {
    Q_OBJECT
public:
    frm_CSP_Country(Session& session, QWidget* parent = nullptr);

    QLineEdit* txt_Name = nullptr;
    QLabel* lbl_Code = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Load_Init();
    void Save_Record();
    void Load_Grid1();

private:
    void Load_EmptyGrid1();
    void rowChosen(int row);
};

}  // namespace tarvic

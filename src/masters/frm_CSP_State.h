#pragma once
// "STATE MAINTNE": the states of a country (M_TBL_CSP_STATE) with their tax state code and
// the one default (home) state that decides between intra- and inter-state tax.
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarvic {

class frm_CSP_State : public TaskWindow {
    Q_OBJECT
public:
    frm_CSP_State(Session& session, QWidget* parent = nullptr);

    QComboBox* Cmb_Country = nullptr;
    QLabel* lbl_CountryCode = nullptr;
    QLabel* lbl_Code = nullptr;
    QLineEdit* txt_Name = nullptr;
    QLineEdit* txt_StateCode = nullptr;
    QComboBox* Cmb_Def = nullptr;
    QLabel* lbl_CreatedByOn = nullptr;
    QLabel* lbl_UpdateByOn = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Load_Init();
    void Save_Record();
    void Load_Grid1();

private:
    void Load_Country();
    void Load_EmptyGrid1();
    void countryChosen();
    void clearEntry();
    void rowChosen(int row);
};

}  // namespace tarvic

#pragma once
// "PLACE MAINTENANCE ": towns and cities of a state (M_TBL_CSP_PLACE), coded from counter
// PLACE.
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarvic {

class frm_CSP_Place : public TaskWindow {
    Q_OBJECT
public:
    frm_CSP_Place(Session& session, QWidget* parent = nullptr);

    QComboBox* Cmb_Country = nullptr;
    QLabel* lbl_CountryCode = nullptr;
    QComboBox* Cmb_State = nullptr;
    QLabel* lbl_StateCode = nullptr;
    QLabel* lbl_PlaceCode = nullptr;
    QLineEdit* txt_Name = nullptr;
    QLabel* lbl_CreatedByOn = nullptr;
    QLabel* lbl_UpdateByOn = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Load_Init();
    void Save_Record();
    void Load_Grid1();

private:
    void Load_Country();
    void Load_State();
    void Load_EmptyGrid1();
    void countryChosen();
    void stateChosen();
    void clearLoaded();
    void rowChosen(int row);
};

}  // namespace tarvic

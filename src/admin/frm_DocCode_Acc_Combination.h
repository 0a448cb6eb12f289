#pragma once
// "DOCUMENT - ACCOUNT CODE LINKAGE MASTER": the accounts each document code may post to
// (M_TBL_DOCUMENTACCOUNT_COMB). The codes of salary slips and loans are locked: their
// accounts are shown, never changed or deleted.
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarvic {

class frm_DocCode_Acc_Combination : public TaskWindow {
    Q_OBJECT
public:
    frm_DocCode_Acc_Combination(Session& session, QWidget* parent = nullptr);

    static bool isLockedCode(const QString& docCode);

    QComboBox* Cmb_DocCode = nullptr;
    QLabel* lbl_DocDesc = nullptr;
    QLineEdit* txt_AccCode = nullptr;
    QLineEdit* txt_AccDesc = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Save_Record();
    void Delete_Record();
    void Load_Init();

private:
    void Load_DocumentCode();
    void Load_EmptyGrid1();
    void Show_DocumentDesc();
    void Load_Grid1();
    void Chk_DocCode();
    void Lock_Record(bool locked);
    void docCodeChosen();
    void rowChosen(int row);
    QString docCode() const;

    int chosenRow_ = -1;  // the grid row whose account is in the fields, -1 for none
};

}  // namespace tarvic

#pragma once
// Registration of consultants: one window for both masters, configured by ConsultantTable.
// frm_RegdConsultant registers tour consultants, frm_Regd_Consultant_OP the operational team.
// Saving a consultant writes its code into its login row in the same transaction.
#include "masters/ConsultantTable.h"
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvic {

class CodeField;

class ConsultantMaster : public TaskWindow {
    Q_OBJECT
public:
    ConsultantMaster(const ConsultantTable& table, Session& session, QWidget* parent = nullptr);

    const ConsultantTable& config() const { return table_; }
    int consultantCode() const { return code_; }

    QLabel* lbl_Code = nullptr;
    QLineEdit* txt_Name = nullptr;
    QLineEdit* txt_Login = nullptr;
    QLabel* lbl_LoginName = nullptr;
    QLineEdit* txt_MobNO = nullptr;
    QComboBox* Cmb_TCRole = nullptr;
    QLabel* lbl_CreatedBy = nullptr;
    QLabel* lbl_CreatedOn = nullptr;
    QLabel* lbl_UpdateBy = nullptr;
    QLabel* lbl_UpdateOn = nullptr;
    QLineEdit* txt_SrcRecord = nullptr;
    QPushButton* Cmd_Show = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Load_Init();
    void Save_Record();
    void Show_Record(int code);
    void Show_LoginName();
    void Load_Grid1();

private:
    void Load_EmptyGrid1();
    void rowChosen(int row);

    const ConsultantTable& table_;
    CodeField* login_ = nullptr;
    int code_ = 0;  // 0 until a consultant is shown or saved
};

class frm_RegdConsultant : public ConsultantMaster {
    Q_OBJECT
public:
    frm_RegdConsultant(Session& session, QWidget* parent = nullptr)
        : ConsultantMaster(ConsultantTable::tour(), session, parent) {}
};

class frm_Regd_Consultant_OP : public ConsultantMaster {
    Q_OBJECT
public:
    frm_Regd_Consultant_OP(Session& session, QWidget* parent = nullptr)
        : ConsultantMaster(ConsultantTable::operations(), session, parent) {}
};

}  // namespace tarvic

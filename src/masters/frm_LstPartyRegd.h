#pragma once
// "LIST OF PARTY REGISTRATION BETWEEN DATES": parties created in a date range, with optional
// party type (exact) and country, state and place names (LIKE patterns as typed); Grid2
// counts them per type. The to-date takes in the whole of its day.
#include "shell/kit/TaskWindow.h"

#include <QDate>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvic {

class frm_LstPartyRegd : public TaskWindow {
    Q_OBJECT
public:
    frm_LstPartyRegd(Session& session, QWidget* parent = nullptr);

    QDateEdit* txt_FromDate = nullptr;
    QDateEdit* txt_ToDate = nullptr;
    QComboBox* Cmb_PartyType = nullptr;  // first item blank: every type
    QLineEdit* txt_Country = nullptr;
    QLineEdit* txt_State = nullptr;
    QLineEdit* txt_Place = nullptr;
    QPushButton* Cmd_Show = nullptr;
    QPushButton* Cmd_Export = nullptr;
    QTableWidget* Grid1 = nullptr;
    QTableWidget* Grid2 = nullptr;

    void Load_Grid1();
    void Load_Grid2();
    void Exp_Xls();

private:
    void Load_PartyType();
    void Load_EmptyGrid1();
    void Load_EmptyGrid2();
    // The filter of both grids (placeholders) and its values.
    QString filter(QVariantList* values) const;
};

}  // namespace tarvic

#pragma once
// "COMPANY PROFILE": shows the company row (MST_LOCATIONDETAILS) and edits the location of
// the company picture the generated pages put in their header, and the letterhead, bank
// details and jurisdiction city the printed vouchers carry. Name, city and state are shown only.
#include "shell/kit/TaskWindow.h"

#include <QHash>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvic {

class frm_CompanyProfile : public TaskWindow {
    Q_OBJECT
public:
    frm_CompanyProfile(Session& session, QWidget* parent = nullptr);

    QLabel* lbl_CompName = nullptr;
    QLabel* lbl_CityName = nullptr;
    QLabel* lbl_StateName = nullptr;
    QLineEdit* txt_ImgUrl = nullptr;
    // The printed vouchers' site data, by column of the company row.
    QHash<QString, QLineEdit*> letterhead;
    QPushButton* Cmd_Save = nullptr;

    void Show_Record();
    void Save_Record();
};

}  // namespace tarvic

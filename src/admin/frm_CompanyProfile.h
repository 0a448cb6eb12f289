#pragma once
// "COMPANY PROFILE": the company row (MST_LOCATIONDETAILS): its name, city and state, the
// letterhead, bank details and jurisdiction city every printed document carries, and the
// location of the picture the generated pages put in their header. A line at the top names
// what is still to be filled in; the administrator is brought here after logon until nothing is.
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

    // What is still needed, or nothing when the profile is complete.
    QLabel* lbl_Needed = nullptr;
    QLineEdit* txt_CompName = nullptr;
    QLineEdit* txt_CityName = nullptr;
    QLineEdit* txt_StateName = nullptr;
    QLineEdit* txt_ImgUrl = nullptr;
    QLineEdit* txt_DueDays = nullptr;  // how many days ahead the office's due board looks
    // Every field by its column of the company row (the four above included).
    QHash<QString, QLineEdit*> letterhead;
    QPushButton* Cmd_Save = nullptr;

    void Show_Record();
    void Save_Record();

private:
    void showNeeded(const QStringList& unfilled);
};

}  // namespace tarvic

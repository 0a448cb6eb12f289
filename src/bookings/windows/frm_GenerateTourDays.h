#pragma once
// "GENERATE TOUR DAYS": one button that rewrites every tour day from the quotation lines, the
// line in hand shown as it goes; a line above it says what that is for.
#include "shell/kit/TaskWindow.h"

class QLabel;
class QPushButton;

namespace tarvic {

class frm_GenerateTourDays : public TaskWindow {
    Q_OBJECT
public:
    frm_GenerateTourDays(Session& session, QWidget* parent = nullptr);

    QPushButton* Cmd_Generate = nullptr;
    QLabel* lbl_About = nullptr;
    QLabel* lbl_Message = nullptr;
    QLabel* lbl_Details = nullptr;

    void Generate_TourDays();
};

}  // namespace tarvic

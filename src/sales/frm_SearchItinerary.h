#pragma once
// "SEARCH ITINERARY": finds itineraries, active or not, by a pattern over their name, states,
// description or places (the user's own wildcards), or by their code; choosing a row hands
// the code to the window that opened the search and closes it.
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvic {

class ListGrid;
class QueryModel;

class frm_SearchItinerary : public TaskWindow {
    Q_OBJECT
public:
    frm_SearchItinerary(Session& session, QWidget* parent, const WindowArgs& args = {});

    QComboBox* Cmb_Active = nullptr;
    QRadioButton* Opt_Name = nullptr;
    QRadioButton* Opt_States = nullptr;
    QRadioButton* Opt_Desc = nullptr;
    QRadioButton* Opt_Places = nullptr;
    QRadioButton* Opt_Code = nullptr;
    QLineEdit* txt_Search = nullptr;
    QPushButton* Cmd_Show = nullptr;
    ListGrid* Grid1 = nullptr;

    void Load_Grid1();

private:
    void rowChosen(int row);

    PickCallback onPick_;
    QueryModel* model_ = nullptr;
};

}  // namespace tarvic

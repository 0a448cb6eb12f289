#pragma once
// "IMPORT ITINERARY": copies another itinerary's day lines and/or notes over those of the
// itinerary open in the itinerary window (ITN_DOCNO), in one transaction: the target keeps
// all it had or gets all of the source.
#include "shell/kit/TaskWindow.h"

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvic {

class frm_Itinerary_Import : public TaskWindow {
    Q_OBJECT
public:
    frm_Itinerary_Import(Session& session, QWidget* parent, const WindowArgs& args);

    QLabel* lbl_TrgItnNo = nullptr;
    QLabel* lbl_TrgName = nullptr;
    QLabel* lbl_TrgDuration = nullptr;
    QLineEdit* txt_ItnDocNO = nullptr;
    QPushButton* Cmd_SrcItn = nullptr;
    QPushButton* Cmd_Search = nullptr;
    QLabel* lbl_SrcName = nullptr;
    QLabel* lbl_SrcDuration = nullptr;
    QCheckBox* Chk_Details = nullptr;
    QCheckBox* Chk_Notes = nullptr;
    QPushButton* Cmd_Import = nullptr;
    QLabel* lbl_Msg = nullptr;

    // Shows the typed source's name and duration (and keeps its number for the import).
    void Show_Source();
    void Import_Itinerary();

private:
    void progress(const QString& text);

    WindowArgs args_;
    qint64 target_ = 0;
    qint64 source_ = 0;  // set only by a look-up that found the itinerary
};

}  // namespace tarvic

#pragma once
// "ITINERARY HEADER": a standard tour programme with its day lines (shown) and its eleven
// notes (one tab each). The header and every note are saved together, the number taken inside
// the same transaction. F5 and F6 open the day lines and the import for the itinerary shown.
#include "shell/kit/TaskWindow.h"

#include <QHash>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace tarvic {

class ListGrid;
class QueryModel;

class frm_Itinerary_Header : public TaskWindow {
    Q_OBJECT
public:
    frm_Itinerary_Header(Session& session, QWidget* parent, const WindowArgs& args = {});

    QLabel* lbl_ItnNo = nullptr;
    QLineEdit* txt_ItnName = nullptr;
    QLineEdit* txt_States = nullptr;
    QLineEdit* txt_Desc = nullptr;
    QLineEdit* txt_Places = nullptr;
    QLineEdit* txt_Nights = nullptr;
    QLabel* lbl_Days = nullptr;
    QLabel* lbl_Duration = nullptr;
    QComboBox* Cmb_Active = nullptr;
    QLabel* lbl_CreatedBy = nullptr;
    QLabel* lbl_CreatedOn = nullptr;
    QLabel* lbl_UpdateBy = nullptr;
    QLabel* lbl_UpdateOn = nullptr;
    QTabWidget* tab_Itinerary = nullptr;
    ListGrid* Grid1 = nullptr;

    // The tab's text box of a note code (ITN_EXCL, ...).
    QPlainTextEdit* note(const QString& code) const { return notes_.value(code); }
    qint64 number() const { return docNo_; }

    void Load_Init();
    void Show_Duration();
    void Show_Record(qint64 docNo);
    void Load_Grid1();
    void Save_Record();

private:
    void setNumber(qint64 docNo);

    qint64 docNo_ = 0;
    QueryModel* model_ = nullptr;
    QHash<QString, QPlainTextEdit*> notes_;
};

}  // namespace tarvic

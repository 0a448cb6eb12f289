#pragma once
// "QUOTATION-AGENT COMBINATION": records that a quotation was given to an agent (a party).
// An agent is combined with a quotation once; the database refuses a second pair from any
// workstation. Opened with DOC_NO it shows that combination.
#include "shell/kit/TaskWindow.h"

#include <QSqlRecord>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvic {

class CodeField;

class frm_Quot_Agent_Comb : public TaskWindow {
    Q_OBJECT
public:
    frm_Quot_Agent_Comb(Session& session, QWidget* parent, const WindowArgs& args = {});

    QLabel* lbl_DocNo = nullptr;
    QLineEdit* txt_PartyCode = nullptr;
    QPushButton* Cmd_SrcParty = nullptr;
    QLabel* lbl_PartyName = nullptr;
    QLineEdit* txt_QuotNo = nullptr;
    QPushButton* Command1 = nullptr;  // the quotation search
    QLabel* lbl_LeadNo = nullptr;
    QLabel* lbl_Itinerary = nullptr;
    QLabel* lbl_StrtDt = nullptr;
    QLabel* lbl_EndDt = nullptr;
    QLabel* lbl_Duration = nullptr;
    QLabel* lbl_Adult = nullptr;
    QLabel* lbl_Child = nullptr;
    QLabel* lbl_CreatedBy = nullptr;
    QLabel* lbl_UpdateBy = nullptr;

    // The combination on screen (0 for a new one) and the quotation shown (0 for none).
    qint64 number() const { return docNo_; }
    qint64 quotationNo() const { return quotNo_; }

    void Load_Init();
    void Save_Record();
    void Delete_Record();
    void Show_Record(qint64 docNo);
    // Shows the quotation typed in txt_QuotNo, or clears its details when there is none.
    void Show_Quotation();

private:
    void showQuotation(const std::optional<QSqlRecord>& row);
    void clearQuotation();
    QList<std::pair<QString, QString>> details() const;

    CodeField* party_ = nullptr;
    qint64 docNo_ = 0;
    qint64 quotNo_ = 0;
};

}  // namespace tarvic

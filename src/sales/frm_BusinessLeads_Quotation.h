#pragma once
// "GENERATE QUOTATION AGAINST BUSINESS LEADS ( QGBL01 )": a quotation for a lead, on a
// standard itinerary, with its travellers, its priced lines (kept by the line windows, which
// this window opens by name and reloads from when they report a change), its totals and its
// own copy of the itinerary. Three states: new (number 0, no line buttons), open for entry
// (QOFE: the lead fixed, lines and itinerary editable) and locked (LCK_QUOT 'Y': nothing
// writes, and the save re-reads the lock inside its transaction).
//
//     openWindow("frm_BusinessLeads_Quotation", {{{"QUOT_NO", 12}}});   // shows quotation 12
#include "engine/sales/QuotationStore.h"
#include "engine/sales/QuotationTotals.h"
#include "masters/ConsultantRole.h"
#include "sales/QuotationPages.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentEditor.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"
#include "shell/kit/TaskWindow.h"

#include <QHash>

#include <array>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tarvic {

class QuotationPagePane;
struct MailMessage;

class frm_BusinessLeads_Quotation : public TaskWindow {
    Q_OBJECT
public:
    frm_BusinessLeads_Quotation(Session& session, QWidget* parent, const WindowArgs& args = {});

    // Entry fields.
    QLabel* lbl_DocCode = nullptr;
    QLabel* lbl_DocNO = nullptr;
    QDateEdit* txt_DocDate = nullptr;
    QLineEdit* txt_LeadCode = nullptr;
    QPushButton* Cmd_Src = nullptr;
    QLineEdit* txt_ItineraryNO = nullptr;
    QPushButton* Cmd_SrcItinerary = nullptr;
    QLabel* lbl_ItineraryName = nullptr;
    QLabel* lbl_Duration = nullptr;
    QLabel* lbl_PartyName = nullptr;  // the lead's party
    QLineEdit* txt_Adult = nullptr;
    QLineEdit* txt_Children = nullptr;
    QLineEdit* txt_Ages = nullptr;
    QDateEdit* txt_JStartDt = nullptr;
    QDateEdit* txt_JEndDt = nullptr;
    QLineEdit* txt_BookBy = nullptr;
    QLineEdit* txt_TouristName = nullptr;
    QLineEdit* txt_TouristMobNO = nullptr;
    QLineEdit* txt_TouristEmail = nullptr;

    // Totals.
    QLabel* lbl_TotlAmount = nullptr;
    QComboBox* Cmb_MrkOn = nullptr;
    QLineEdit* txt_CommPer = nullptr;
    QLineEdit* txt_CommAmt = nullptr;
    QLabel* lbl_TotlAmount2 = nullptr;
    QLineEdit* txt_TaxibleAmt = nullptr;
    CodeList* Cmb_TaxName = nullptr;
    QLineEdit* txt_TaxPercent = nullptr;
    QLabel* lbl_TaxAmount = nullptr;
    QLabel* lbl_GrandTotal = nullptr;
    QLabel* lbl_Status = nullptr;
    QLabel* lbl_Lock = nullptr;
    QLabel* lbl_LockBy = nullptr;
    QLabel* lbl_CreatedBy = nullptr;
    QLabel* lbl_UpdateBy = nullptr;

    // Grids and their sums.
    ListGrid* GridHotel = nullptr;
    ListGrid* GridVeh = nullptr;
    ListGrid* GridOthrChrg = nullptr;
    ListGrid* Grid1 = nullptr;
    ListGrid* Grid_Itinerary = nullptr;
    ListGrid* Grid_OthrQuotation = nullptr;
    QLabel* lbl_HotelSum = nullptr;
    QLabel* lbl_VehSum = nullptr;
    QLabel* lbl_OthrSum = nullptr;

    QPushButton* Cmd_AddHotel = nullptr;
    QPushButton* Cmd_AddVehicle = nullptr;
    QPushButton* Cmd_AddOthrCosting = nullptr;
    QPushButton* Cmd_Mod_Itn = nullptr;
    QPushButton* Cmd_ModInclusion = nullptr;
    QPushButton* Cmd_ModExclusion = nullptr;
    QPushButton* Cmd_ModHotelUse = nullptr;
    QPushButton* Cmd_DelItn = nullptr;
    QPushButton* Cmd_PrintHotelVoucher = nullptr;
    QTabWidget* tabs = nullptr;

    // The page tabs: each page's pane (browser, mail fields, buttons).
    QuotationPagePane* pagePane(QuotationPage page) const { return pages_[size_t(page)]; }
    QCheckBox* Check2 = nullptr;  // the itinerary's days with their dates
    QPushButton* Cmd_GenCostSht = nullptr;

    qint64 number() const { return number_; }
    bool locked() const { return locked_; }
    // The lead panel's value of a lead column (PARTY_NAME, LEAD_STATUS, ...).
    QString leadValue(const QString& column) const;

    void Load_Init();
    // Shows a stored quotation; false (after saying so) when there is none.
    bool Show_Record(qint64 number);
    // Reads the lead typed; a new quotation takes its travellers from it.
    void Show_LeadDetails();
    void Show_ItineraryName();
    void Save_Record();
    // Stores the header with the totals now shown, without a question or a success message.
    bool Save_Transaction();
    // Line grids, their sums, the summary and the totals, from the database.
    void Load_GridSummary();
    void Load_Itinerary();
    void Calc_GrandTotal();
    void Chk_MrkUp();
    void Delete_ItnQuote();
    // Stores the quotation silently, then writes and shows the quotation, confirmation and
    // vehicle pages.
    void Preview_Pages();
    void Generate_CostSheet();
    // Save to Doc: the page's bytes under a name chosen; Exp_Pdf the same page as a PDF.
    void Exp_Doc(QuotationPage page);
    void Exp_Pdf(QuotationPage page);
    void Send_Email(QuotationPage page);

private:
    QuotationHeader header() const;
    void applyState();
    void clearLead();
    void showLead(const QSqlRecord& lead);
    void loadOtherQuotations(qint64 leadNo);
    void openLines(const QString& window);
    void openNotes(const QString& code);
    void setMoney(QLabel* label, Money m);
    QWidget* buildEntry();
    QWidget* buildLead();
    QWidget* buildCosting();
    QWidget* buildItinerary();
    QWidget* buildTotals();
    void buildPages();
    // Stores the quotation on screen (unless the caller just did), writes the page afresh from
    // it and shows it: a page is never that of another quotation. False (after saying why)
    // when it cannot.
    bool refreshPage(QuotationPage page, MailMessage* mail = nullptr, bool store = true);
    ListGrid* grid(const QString& name, QueryModel** model, const QList<ListColumn>& columns);
    void setUpSave();
    // The save's checks, in their order.
    QList<Check> saveChecks();

    TCRoleCheck role_;
    DocumentEditor* editor_ = nullptr;
    qint64 number_ = 0;
    qint64 leadNo_ = 0;       // the lead last looked up, 0 while the code typed names none
    qint64 itineraryNo_ = 0;  // the same for the itinerary
    QString status_;
    bool locked_ = false;
    bool calculating_ = false;
    Money total_;
    Money total2_;      // total amount 2 as last computed: the taxable amount follows it
    QString exceeded_;  // the first figure beyond the largest amount, as last computed
    QString leadParty_;
    QHash<QString, QLabel*> leadPanel_;
    QueryModel* hotel_ = nullptr;
    QueryModel* vehicle_ = nullptr;
    QueryModel* other_ = nullptr;
    QueryModel* summary_ = nullptr;
    QueryModel* itinerary_ = nullptr;
    QueryModel* quotations_ = nullptr;
    QList<QWidget*> entry_;  // the fields a lock makes read-only
    std::array<QuotationPagePane*, 4> pages_{};
};

}  // namespace tarvic

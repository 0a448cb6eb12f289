#pragma once
// "GST RETURNS ( GSTR-1 / GSTR-3B )": the returns of a month or a quarter built from the
// books, as the engine builds them. The period is chosen by keyboard (return type, month,
// year, Enter); the window shows the totals of each GSTR-1 section, the GSTR-3B summary and
// the exceptions, every approved invoice left out of the return with its reasons. Enter or a
// double click on an exception opens its invoice. Export writes the files tarvic-admin
// gst-return writes: both JSON files and the workbook.
#include "engine/gst/GstReturn.h"
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvic {

class frm_GstReturn : public TaskWindow {
    Q_OBJECT
public:
    enum SectionCol { SecName, SecDocuments, SecTaxable, SecIgst, SecCgst, SecSgst, SecCess, SecValue };
    enum SummaryCol { SumTable, SumDescription, SumPlace, SumTaxable, SumIgst, SumCgst, SumSgst, SumCess };
    enum ExceptionCol { ExSlNo, ExDate, ExDocNo, ExInvoiceNo, ExParty, ExReason, ExGstin, ExStateCode, ExValue };

    frm_GstReturn(Session& session, QWidget* parent = nullptr);

    QComboBox* Cmb_ReturnType = nullptr;  // MONTHLY / QUARTERLY
    QComboBox* Cmb_Month = nullptr;
    QLineEdit* txt_Year = nullptr;
    QPushButton* Cmd_Show = nullptr;
    QPushButton* Cmd_Export = nullptr;
    QLabel* lbl_Return = nullptr;    // GSTIN, period and invoice counts
    QLabel* lbl_Problems = nullptr;  // what keeps the return from being filed
    QTableWidget* Grid1 = nullptr;   // GSTR-1 sections
    QTableWidget* Grid2 = nullptr;   // GSTR-3B summary
    QTableWidget* Grid3 = nullptr;   // exceptions

    // The period on screen; invalid when the year is not one.
    gst::Period period() const;
    // Builds the return of the period on screen and shows it.
    bool Load_Grid();
    // Asks where to write the files and writes them.
    void Exp_Return();
    const gst::GstReturn& shownReturn() const { return return_; }

private:
    void showReturn();
    void openException(int row);

    gst::GstReturn return_;
};

}  // namespace tarvic

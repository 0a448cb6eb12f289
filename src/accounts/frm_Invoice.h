#pragma once
// "PREPARE INVOICE" (frm_Invoice, INV001) and "GENERATE PROFORMA INVOICE" (frm_Invoice_P,
// INV006): one window in two configurations. A booking number loads the bill party, its
// state and the booking's figures; lines come from the line entry window; the tax kind
// follows the home state and the party's state; totals are recomputed after every change.
// A saved invoice is shown locked.
#include "engine/accounts/InvoiceStore.h"
#include "shell/kit/DocumentEditor.h"
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvic {

struct InvoiceWindowConfig {
    const InvoiceKind* kind;
    QString objectName;
    QString title;
    QString lineWindow;
    QString searchWindow;
    QString question;
    QString saved;
};
const InvoiceWindowConfig& taxInvoiceWindow();
const InvoiceWindowConfig& proformaWindow();

class frm_Invoice : public TaskWindow {
    Q_OBJECT
public:
    frm_Invoice(Session& session, QWidget* parent, const InvoiceWindowConfig& config);
    ~frm_Invoice() override;

    QLineEdit* txt_CBPTNo = nullptr;
    QPushButton* Cmd_SearchCBPT = nullptr;
    QLabel* lbl_InvNO = nullptr;
    QLineEdit* txt_InvoiceNO = nullptr;
    QDateEdit* txt_DocDate = nullptr;
    QLineEdit* txt_PartyAliasName = nullptr;  // tax invoice only
    QComboBox* Cmb_GSTFor = nullptr;          // tax invoice only
    QLineEdit* txt_SACCode = nullptr;
    QLineEdit* txt_DiscAmt = nullptr;
    QTableWidget* Grid1 = nullptr;

    // Read-only figures, by object name (lbl_PartyName, lbl_GrandTotal, ...).
    QLabel* shown(const QString& name) const;

    void Load_Init();
    bool Show_CBPTDetails(qint64 booking);
    bool Show_InvoiceDetails(qint64 number);
    void Save_Record();
    // Adds a line; false (having said so) when a figure would pass the largest amount.
    bool addLine(const InvoiceLine& line);
    // Delete in the grid: the current line goes and the rest are numbered from 1 again.
    void deleteCurrentLine();
    void Calc_Total();

    qint64 number() const { return editor_->number(); }
    const std::vector<InvoiceLine>& lines() const { return lines_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* label(const char* name);
    void setShown(const char* name, const QString& text);
    void clearBooking();
    void chooseGstFor();
    void applyTaxKind();
    void showLines();
    void setLocked(bool locked);
    void openLineWindow();
    void openSearch();
    void print();
    InvoiceDraft draft() const;
    QList<Check> checks() const;
    qint64 saveDraft();

    const InvoiceWindowConfig& config_;
    DocumentEditor* editor_ = nullptr;
    bool numberTaken_ = false;  // read by Save_Record before the checks
    bool locked_ = false;
    bool quiet_ = false;  // reloading a saved invoice: its booking's figures without messages
    std::optional<InvoiceBooking> booking_;
    std::optional<HomeState> home_;
    GstRow gst_;
    std::optional<TaxKind> taxKind_;
    GstRates applied_;
    std::vector<InvoiceLine> lines_;
};

}  // namespace tarvic

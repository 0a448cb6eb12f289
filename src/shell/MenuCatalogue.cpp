#include "MenuCatalogue.h"

namespace tarvic {

namespace {
using Kind = MenuItem::Kind;

const MenuItem kItems[] = {
    {Kind::Top, "mnu_Master", nullptr, "&MASTER", nullptr, false},
    {Kind::Submenu, "mnu_PLAS", "mnu_Master", "PROFILE | LOGINS | ACL | SMTP", nullptr, false},
    {Kind::Entry, "mnu_CompanyProfile", "mnu_PLAS", "COMPANY &PROFILE", "frm_CompanyProfile", false},
    {Kind::Entry, "mnu_Login", "mnu_PLAS", "CREATE LO&GINS", "frm_AddLogins", true},
    {Kind::Entry, "mnu_GMR", "mnu_PLAS", "GRANT MEN&U ACCESS RIGHTS", "frm_GrantAccess", true},
    {Kind::Entry, "mnu_SmtpServer", "mnu_PLAS", "SMTP SERVER", "frm_SMTP", false},
    {Kind::Entry, "mnu_DocCode_Maintenance", "mnu_Master", "DOCUMENT CODE MAINTENANCE", "frm_DocCode_Masters", false},
    {Kind::Entry, "mnu_DocCode_Acc_Comb", "mnu_Master", "DOCUMENT-A/C CODES COMBINATION", "frm_DocCode_Acc_Combination", true},
    {Kind::Entry, "mnu_CounterReset", "mnu_Master", "COUNTER &RESET", "frm_Counter", false},
    {Kind::Submenu, "mnu_CSP", "mnu_Master", "COUNTR&Y | STATE | PLACE", nullptr, false},
    {Kind::Entry, "mnu_Country", "mnu_CSP", "COUNTR&Y", "frm_CSP_Country", false},
    {Kind::Entry, "mnu_State", "mnu_CSP", "&STATE", "frm_CSP_State", false},
    {Kind::Entry, "mnu_Place", "mnu_CSP", "&PLACE", "frm_CSP_Place", false},
    {Kind::Entry, "mnu_GroupMeetName", "mnu_Master", "GRO&UP / MEET NAME", "frm_GroupMeet", false},
    {Kind::Entry, "mnu_PartyType", "mnu_Master", "PART&Y TYPE", "frm_PartyType", false},
    {Kind::Entry, "mnu_CBPTStatus", "mnu_Master", "CBPT STATUS - ACCOUNTS", "frm_CBPTSTATUS", false},
    {Kind::Entry, "mnu_CBPTStatus_OPS", "mnu_Master", "CBPT STATUS - OPERATION", "frm_CBPTSTATUS_OPS", false},
    {Kind::Submenu, "mnu_HotelS", "mnu_Master", "&HOTELS", nullptr, false},
    {Kind::Entry, "mnu_MealPlan", "mnu_HotelS", "&MEAL PLAN", "frm_MealPlan", false},
    {Kind::Entry, "mnu_RoomType", "mnu_HotelS", "&ROOM TYPE", "frm_RoomType", false},
    {Kind::Entry, "mnu_HotelStatus", "mnu_HotelS", "&HOTEL STATUS", "frm_HotelStatus", false},
    {Kind::Submenu, "mnu_Leads", "mnu_Master", "&LEADS", nullptr, false},
    {Kind::Entry, "mnu_LeadStatus", "mnu_Leads", "LEAD STAT&US", "frm_LeadStatus", false},
    {Kind::Entry, "mnu_LeadType", "mnu_Leads", "LEAD T&YPE", "frm_LeadType", false},
    {Kind::Entry, "mnu_LeadReqType", "mnu_Leads", "LEAD RE&QUEST TYPE", "frm_LeadRequestType", false},
    {Kind::Entry, "mnu_VehicleBrand", "mnu_Master", "&VEHICLE BRAND", "frm_VehicleBrand", false},
    {Kind::Entry, "mnu_GSTMaintenance", "mnu_Master", "&GST MAINTENANCE", "frm_GSTMaintenance", false},
    {Kind::Entry, "mnu_TaxMaintenance", "mnu_Master", "TA&X MAINTENANCE", "frm_TaxMaintenance", false},
    {Kind::Entry, "mnu_BankMaintenance", "mnu_Master", "&BANK MAINTENANCE", "frm_Bank", false},
    {Kind::Entry, "mnu_PaymentMode", "mnu_Master", "PA&YMENT MODE", "frm_PaymentMode", false},
    {Kind::Entry, "mnu_ReminderTemplates", "mnu_Master", "REMINDER E-MAIL TEMPLATES", "frm_ReminderTemplate", false},
    {Kind::Entry, "mnu_ScheduleTemplate", "mnu_Master", "PAYMENT SCHEDULE TEMPLATE", "frm_ScheduleTemplate", false},
    {Kind::Entry, "mnu_SupplierTemplates", "mnu_Master", "SUPPLIER MAIL TEMPLATES", "frm_SupplierTemplates", false},
    {Kind::Top, "mnu_Registration", nullptr, "RE&GISTRATION", nullptr, false},
    {Kind::Entry, "mnu_AddressBook", "mnu_Registration", "ADDRES BOO&K", "frm_AddressBook", false},
    {Kind::Entry, "mnu_RegItinerary", "mnu_Registration", "RE&GISTER ITINERARY", "frm_Itinerary_Header", true},
    {Kind::Entry, "mnu_PartyMaintenance", "mnu_Registration", "PART&Y MAINTENANCE", "frm_Party", false},
    {Kind::Entry, "mnu_TourConsultant", "mnu_Registration", "TOUR CONS&ULTANT", "frm_RegdConsultant", true},
    {Kind::Entry, "mnu_OpsConsultant", "mnu_Registration", "&OPERATION CONSULTANT", "frm_Regd_Consultant_OP", true},
    {Kind::Top, "mnu_Transaction", nullptr, "&TRANSACTION", nullptr, false},
    {Kind::Entry, "mnu_BFLC01", "mnu_Transaction", "BUSINESS LEADS FOR CONSULTANT ( BLFC01 )", "frm_BusinessLeads", true},
    {Kind::Entry, "mnu_QGBL01", "mnu_Transaction", "&QUOTATION AGAINST BUSINESS LEAD ( QGBL01 )", "frm_BusinessLeads_Quotation", true},
    {Kind::Entry, "mnu_QuotAgent_Comb", "mnu_Transaction", "QUOTATION - A&GENT COMBINATION", "frm_Quot_Agent_Comb", false},
    {Kind::Entry, "mnu_ReGenerateTouringDate", "mnu_Transaction", "RE-GENERATE TOURING DATE", "frm_GenerateTourDays", false},
    {Kind::Entry, "mnu_UpdHotelStatus", "mnu_Transaction", "UPDATE &HOTEL STATUS", "frm_UpdateHotelStatus", true},
    {Kind::Entry, "mnu_CBPT01_SALES", "mnu_Transaction", "CUSTOMER BOOKED FOR PACKAGED TOUR ( CBPT01 ) - SALES", "frm_CBPT_SALES", true},
    {Kind::Entry, "mnu_CBPT01", "mnu_Transaction", "CUSTOMER BOOKED FOR PACKAGED TOUR ( CBPT01 ) - OPS", "frm_CBPT01", true},
    {Kind::Entry, "mnu_AssignCBPTOps", "mnu_Transaction", "ASSIGN CBPT TO OPERATION", "frm_CBPT_ConsOpt", false},
    {Kind::Entry, "mnu_CBPTLogsheet", "mnu_Transaction", "CBPT LOG SHEET - OPERATION", "frm_Update_CBPT_Ops", true},
    {Kind::Entry, "mnu_VehBookSheet", "mnu_Transaction", "&VEHICLE BOOKING SHEET ( VBS001 )", "frm_VehBookSheet", true},
    {Kind::Entry, "mnu_ModPartyCBPT", "mnu_Transaction", "MODIFY PART&Y FOR CBPT", "frm_Mod_Party_CBPT", false},
    {Kind::Entry, "mnu_CBPT_Feedback", "mnu_Transaction", "CBPT FEEDBAC&K FORM", "frm_FeedBackForm", false},
    {Kind::Submenu, "mnu_ModifyANCP", "mnu_Transaction", "MODIFY ANCP", nullptr, false},
    {Kind::Entry, "mnu_Modify_ANCP01", "mnu_ModifyANCP", "MODIFY ADVICE NOTE CREDIT POSTING - HOTEL ( ANCP01 )", "frm_CBPT01_ANCP01_Mod", false},
    {Kind::Entry, "mnu_Modify_ANCP02", "mnu_ModifyANCP", "MODIFY ADVICE NOTE CREDIT POSTING - VEHICLE ( ANCP02 )", "frm_CBPT01_ANCP02_Mod", false},
    {Kind::Entry, "mnu_Modify_ANCP03", "mnu_ModifyANCP", "MODIFY ADVICE NOTE CREDIT POSTING - OTHRCHRG ( ANCP03 )", "frm_CBPT01_ANCP03_Mod", false},
    {Kind::Entry, "mnu_Mod_SWS_ANCPANDP08", "mnu_ModifyANCP", "MODIFY SINGLE &WINDOW SERVICE ( ANCP-ANDP08 )", "frm_SWS_ANCPANDP08_Mod", false},
    {Kind::Entry, "mnu_FAAN01", "mnu_Transaction", "FUND AD&J ADVICE NOTE ( FAAN01 )", "frm_FAAN01", false},
    {Kind::Entry, "mnu_GenerateInvoice_P", "mnu_Transaction", "GENERATE P&ROFORMA INVOICE", "frm_Invoice_P", true},
    {Kind::Entry, "mnu_GenerateInvoice", "mnu_Transaction", "&GENERATE INVOICE", "frm_Invoice", true},
    {Kind::Entry, "mnu_BulkPosting_FTCR", "mnu_Transaction", "BULK POSTING FUND TRANSFER ( FTCR01 )", "frm_FTCR_BulkPosting", true},
    {Kind::Entry, "mnu_BulkPosting_FRDB", "mnu_Transaction", "BULK POSTING FUND RECEIVE ( FRDB01 )", "frm_FRDB_BulkPosting", true},
    {Kind::Entry, "mnu_SWS_ANCPANDP08", "mnu_Transaction", "SINGLE &WINDOWS SERVICE ( ANDP08-ANCP08 )", "frm_SWS_ANCPANDP08", false},
    {Kind::Entry, "mnu_ANCP08", "mnu_Transaction", "ADVICE NOTE CREDIT POSTING - MISC ( ANCP08 )", "frm_ANCP08", false},
    {Kind::Entry, "mnu_ANDP08", "mnu_Transaction", "ADVICE NOTE DEBIT POSTING - MISC ( ANDP08 )", "frm_ANDP08", false},
    {Kind::Entry, "mnu_APCM01", "mnu_Transaction", "GENERAL E&XPENSE ( APCM01 )", "frm_APCM01", true},
    {Kind::Entry, "mnu_FRDM01", "mnu_Transaction", "GENERAL IN&COME ( FRDM01 )", "frm_FRDM01", false},
    {Kind::Entry, "mnu_BCAP01", "mnu_Transaction", "BAN&K CREDIT AMOUNT POSTING ( BCAP01 )", "frm_BCAP01", false},
    {Kind::Entry, "mnu_BDAP01", "mnu_Transaction", "BANK &DEBIT AMOUNT POSTING ( BDAP01 )", "frm_BDAP01", false},
    {Kind::Entry, "mnu_FTCB01", "mnu_Transaction", "FUND TRANSFER CREDIT FROM BANK ( FTCB01 )", "frm_FTCB01", false},
    {Kind::Entry, "mnu_SupplierRequests", "mnu_Transaction", "SUPPLIER REQUESTS", "frm_SupplierRequests", true},
    {Kind::Top, "mnu_SearchRecord", nullptr, "&SEARCH RECORD", nullptr, false},
    {Kind::Entry, "mnu_SrcGroupMeet", "mnu_SearchRecord", "SEARCH - GROUP / MEET", "frm_SearchGroupMeet", false},
    {Kind::Entry, "mnu_Src_AddressBook", "mnu_SearchRecord", "SEARCH - ADDRESS &BOOK", "frm_Search_AddressBook", false},
    {Kind::Entry, "mnu_SrcParty", "mnu_SearchRecord", "SEARCH - PART&Y", "frm_Search_Party", false},
    {Kind::Entry, "mnu_SrcItinerary", "mnu_SearchRecord", "SEARCH - ITINERARY", "frm_SearchItinerary", false},
    {Kind::Entry, "mnu_SrcLead", "mnu_SearchRecord", "SEARCH - &LEAD", "frm_SearchLead", false},
    {Kind::Entry, "mnu_SrcQuotation", "mnu_SearchRecord", "SEARCH - &QUOTATION", "frm_SearchQuotation", false},
    {Kind::Entry, "mnu_SrcCBPT01", "mnu_SearchRecord", "SEARCH -CUSTOMER BOOKED FOR PACKAGE TOUR ( CBPT01 )", "frm_SearchCBPT01", false},
    {Kind::Top, "mnu_Queries", nullptr, "&QUERIES", nullptr, false},
    {Kind::Entry, "mnu_LstAddressBook", "mnu_Queries", "LIST ADDRESS BOO&K", "frm_LstAddressBook", true},
    {Kind::Entry, "mnu_LstPartyRegd", "mnu_Queries", "LIST OF PART&Y REGISTRATION", "frm_LstPartyRegd", true},
    {Kind::Entry, "mnu_LstBLFC01", "mnu_Queries", "LIST OF BUSINESS LEADS ( BLFC01 ) BETWEEN DATES", "frm_LstBLFC01", true},
    {Kind::Entry, "mnu_LstQGBL01", "mnu_Queries", "LIST OF &QUOTATION ( QGBL01 ) BETWEEN DATES", "frm_QGBL01", true},
    {Kind::Entry, "mnu_LstQuotTourWise", "mnu_Queries", "LIST QUOTATION DETAILS TOUR WISE", "frm_LstQGBL01_Det", true},
    {Kind::Entry, "mnu_LstCBPT", "mnu_Queries", "LIST OF CUSTOMER BOOK PACKAGE TOUR ( CBPT )", "frm_LstCBPT01", true},
    {Kind::Entry, "mnu_LstFRDB01", "mnu_Queries", "LIST OF MONEY RECEIVE AGAINST CBPT ( FRDB01 )", "frm_LstFRDB01", true},
    {Kind::Entry, "mnu_LstFTCR01", "mnu_Queries", "LIST OF &PAYMENT TO PARTY ( FTCR01)", "frm_LstFTCR01", true},
    {Kind::Entry, "mnu_LstRefundParty", "mnu_Queries", "LIST OF REF&UND FROM PARTY ( FTREF01 )", "frm_LstFTREF01", true},
    {Kind::Entry, "mnu_LstHotelBookedBetweenDates", "mnu_Queries", "LIST OF HOTEL BOOKED BETWEEN DATES", "frm_LstHotelBookedBetwenDates", true},
    {Kind::Entry, "mnu_LstANCP01", "mnu_Queries", "LIST AD&VICE NOTE CR POSTING - HOTEL ( ANCP01 )", "frm_LstANCP01", true},
    {Kind::Entry, "mnu_LstANCP02", "mnu_Queries", "LIST ADVICE NOTE CR POSTING - VEHICLE ( ANCP02 )", "frm_LstANCP02", false},
    {Kind::Entry, "mnu_LstANCP03", "mnu_Queries", "LIST ADVICE NOTE CR POSTING - OTHERS ( ANCP03 )", "frm_LstANCP03", true},
    {Kind::Entry, "mnu_LstANCP08", "mnu_Queries", "LIST ADVICE NOTE CR POSTING - M&ISC ( ANCP08 )", "frm_LstANCP08", true},
    {Kind::Entry, "mnu_LstANDP08", "mnu_Queries", "LIST ADVICE NOTE DB POSTING - M&ISC ( ANDP08 )", "frm_LstANDP08", true},
    {Kind::Entry, "mnu_LstInv006", "mnu_Queries", "LIST OF P&ROFORMA INVOICES BETWEEN DATES ( INV006 )", "frm_LstInvoice_P", true},
    {Kind::Entry, "mnu_LstInv001", "mnu_Queries", "LIST OF IN&VOICES BETWEEN DATES ( INV001 )", "frm_LstInv001", true},
    {Kind::Entry, "mnu_LstPLStatementTour", "mnu_Queries", "LIST P/L STATEMENT TOUR WISE", "frm_LstPLTourwise", true},
    {Kind::Entry, "mnu_LstCBPTBal_ConsWise", "mnu_Queries", "LIST CBPT BA&LANCES CONSULTANT WISE", "frm_LstCBPTBal_ConsultWise", true},
    {Kind::Entry, "mnu_PartyCBPTBalance", "mnu_Queries", "PARTY CBPT WISE BALANCES", "frm_PartyLedger_CBPT", true},
    {Kind::Entry, "mnu_LDOP", "mnu_Queries", "LED&GER DETAILS OF PARTY ( LDOP )", "frm_LDOP", true},
    {Kind::Entry, "mnu_LDMA", "mnu_Queries", "LEDGER DETAILS OF MISC A/C ( LDMA )", "frm_LDMA", true},
    {Kind::Entry, "mnu_UnmatchCBPTQuotANCP", "mnu_Queries", "UN-MATCH CBPT QUOTATION ANCP", "frm_UnMatchANCP", true},
    {Kind::Entry, "mnu_LstAPCM01", "mnu_Queries", "LIST OF MISC E&XPENSE ( APCM01 )", "frm_LstAPCM01", true},
    {Kind::Entry, "mnu_LstFRDM01", "mnu_Queries", "LIST OF MISC IN&COME ( FRDM01 )", "frm_LstFRDM01", true},
    {Kind::Entry, "mnu_OutstandingLst_CBPT", "mnu_Queries", "OUTSTANDING LIST - PARTY ( CBPT )", "frm_LstPO", true},
    {Kind::Entry, "mnu_OutstandingList_LDMA", "mnu_Queries", "OUTSTANDING LIST - MISC A/C ( LDMA )", "frm_LstPO_MA", true},
    {Kind::Entry, "mnu_LstBDAP01", "mnu_Queries", "LIST BANK &DEBIT AMOUNT POSTINGS ( BDAP01 )", "frm_LstBDAP01", true},
    {Kind::Entry, "mnu_LstBCAP01", "mnu_Queries", "LIST BAN&K CREDIT AMOUNT POSTINGS ( BCAP01 )", "frm_LstBCAP01", true},
    {Kind::Entry, "mnu_LstFTCB01", "mnu_Queries", "LIST FUND &TRANSFER CREDIT FROM BANK ( FTCB01 )", "frm_LstFTCB01", true},
    {Kind::Entry, "mnu_CRDBListing", "mnu_Queries", "CREDIT - DEBIT LISTING", "frm_CRDBList", true},
    {Kind::Entry, "mnu_GstReturns", "mnu_Queries", "GST RETURNS ( GSTR-1 / GSTR-3B )", "frm_GstReturn", true},
    {Kind::Entry, "mnu_TodayBoard", "mnu_Queries", "TODAY - DUES AND DEADLINES", "frm_TodayBoard", true},
    {Kind::Top, "mnu_Cancellation", nullptr, "&CANCELLATION", nullptr, false},
    {Kind::Entry, "mnu_CNCL_FRDB01", "mnu_Cancellation", "CANCEL - MONEY RECEIVE AGAINST CBPT ( FRDB01 )", "frm_CNCL_FRDB01", false},
    {Kind::Entry, "mnu_CNCL_FTCR01", "mnu_Cancellation", "CANCEL - PAYMENT TO PARTY ( FTCR01 )", "frm_CNCL_FTCR01", false},
    {Kind::Entry, "mnu_CNCL_FTREF01", "mnu_Cancellation", "CANCEL - REFUND AMOUNT FROM PARTY ( FTREF01 )", "frm_CNCL_FTREF01", false},
    {Kind::Entry, "mnu_CNCL_ANCP01", "mnu_Cancellation", "CANCEL - ADV CREDIT NOTE POSTING - HOTEL ( ANCP01 )", "frm_CNCL_ANCP01", false},
    {Kind::Entry, "mnu_CNCL_ANCP02", "mnu_Cancellation", "CANCEL - ADV CREDIT NOTE POSTING - VEHICLE ( ANCP02 )", "frm_CNCL_ANCP02", false},
    {Kind::Entry, "mnu_CNCL_ANCP03", "mnu_Cancellation", "CANCEL - ADV CREDIT NOTE POSTING - OTHERS ( ANCP03 )", "frm_CNCL_ANCP03", false},
    {Kind::Entry, "mnu_CNCL_ANCP08", "mnu_Cancellation", "CANCEL - ADV CREDIT NOTE POSTING - MISC ( ANCP08 )", "frm_CNCL_ANCP08", false},
    {Kind::Entry, "mnu_CNCL_ANDP08", "mnu_Cancellation", "CANCEL - ADV DEBIT NOTE POSTING - MISC ( ANDP08 )", "frm_CNCL_ANDP08", false},
    {Kind::Entry, "mnu_CNCL_FAAN01", "mnu_Cancellation", "CANCEL - FUND ADJ ADVICE NOTE ( FAAN01 )", "frm_CNCL_FAAN01", false},
    {Kind::Entry, "mnu_CNCL_Inv001", "mnu_Cancellation", "CANCEL - INVOICE ( INV001 )", "frm_CNCL_INV001", false},
    {Kind::Entry, "mnu_CNCL_CBPT01", "mnu_Cancellation", "CANCEL - CUSTOMER BOOKED BY PACKAGE TOUR ( CBPT01 )", "frm_CNCL_CBPT01", false},
    {Kind::Entry, "mnu_CNCL_APCM01", "mnu_Cancellation", "CANCEL - MISC EXPENSE ( APCM01 )", "frm_CNCL_APCM01", false},
    {Kind::Entry, "mnu_CNCL_FRDM01", "mnu_Cancellation", "CANCEL - MISC IN&COME ( FRDM01 )", "frm_CNCL_FRDM01", false},
    {Kind::Entry, "mnu_CNCL_BCAP01", "mnu_Cancellation", "CANCEL - BAN&K CREDIT AMOUNT POSTING ( BCAP01 )", "frm_CNCL_BCAP01", false},
    {Kind::Entry, "mnu_CNCL_BDAP01", "mnu_Cancellation", "CANCEL - BANK &DEBIT AMOUNT POSTING ( BDAP01 )", "frm_CNCL_BDAP01", false},
    {Kind::Entry, "mnu_CNCL_FTCB01", "mnu_Cancellation", "CANCEL - FUND &TRANSFER CREDIT FROM BANK ( FTCB01 )", "frm_CNCL_FTCB01", false},
    {Kind::Entry, "mnu_CNCL_Inv006", "mnu_Cancellation", "CANCEL - PROFORMA INVOICE ( INV006 )", "frm_CNCL_INV006", false},
    {Kind::Top, "mnu_MiscAction", nullptr, "MISC ACTION", nullptr, false},
    {Kind::Entry, "mnu_SendBulkEmail", "mnu_MiscAction", "SEND BULK E-MAIL", "frm_SendBulkEmail", false},
    {Kind::Entry, "mnu_ExpImpMenudetails", "mnu_MiscAction", "E&XPORT / IMPORT MENU DETAILS", "frm_ExpImpMenuDetails", false},
};
}  // namespace

const QList<MenuItem>& MenuCatalogue::items() {
    static const QList<MenuItem> list(std::begin(kItems), std::end(kItems));
    return list;
}

const MenuItem* MenuCatalogue::find(const QString& name) {
    for (const MenuItem& item : items()) {
        if (name == QLatin1String(item.name))
            return &item;
    }
    return nullptr;
}

const MenuItem* MenuCatalogue::entryOpening(const QString& window) {
    for (const MenuItem& item : items()) {
        if (item.window && window == QLatin1String(item.window))
            return &item;
    }
    return nullptr;
}

const QStringList& MenuCatalogue::innerWindows() {
    static const QStringList names{
        QStringLiteral("frm_WebAccess"),
        QStringLiteral("frm_PartyWebAccess"),
        QStringLiteral("frm_BusinessLead_Add"),
        QStringLiteral("frm_BusinessLead_Action"),
        QStringLiteral("frm_Itinerary_Details"),
        QStringLiteral("frm_Itinerary_Import"),
        QStringLiteral("frm_BusinessLead_ModItinerary"),
        QStringLiteral("frm_BusinessLeads_ModNotes"),
        QStringLiteral("frm_BQ_AddHotel"),
        QStringLiteral("frm_BQ_AddVehicle"),
        QStringLiteral("frm_BQ_AddOthrCharges"),
        QStringLiteral("frm_Search_QuotAgentComb"),
        QStringLiteral("frm_CBPT01_ANCP01"),
        QStringLiteral("frm_CBPT01_ANCP02"),
        QStringLiteral("frm_CBPT01_ANCP03"),
        QStringLiteral("frm_CBPT_StatusUpdate"),
        QStringLiteral("frm_Update_CBPT_OpsLog"),
        QStringLiteral("frm_UpdateHotelStatus_Line"),
        QStringLiteral("frm_VehBookSheet_Add"),
        QStringLiteral("frm_Search_SWS"),
        QStringLiteral("frm_InvoiceAdd"),
        QStringLiteral("frm_InvoiceAdd_P"),
        QStringLiteral("frm_Search_Invoice"),
        QStringLiteral("frm_Search_Invoice_P"),
        QStringLiteral("frm_CBPT01_FRDB"),
        QStringLiteral("frm_CBPT01_FTCR"),
        QStringLiteral("frm_CBPT01_FTRF"),
        QStringLiteral("frm_Search_FRDB01"),
        QStringLiteral("frm_Search_FTCR01"),
        QStringLiteral("rpt_Voucher"),
        QStringLiteral("rpt_HotelVoucher"),
        QStringLiteral("rpt_RoomingList"),
    };
    return names;
}

bool MenuCatalogue::knowsWindow(const QString& window) {
    return entryOpening(window) || innerWindows().contains(window);
}

int MenuCatalogue::entryCount() {
    int n = 0;
    for (const MenuItem& item : items())
        n += item.kind == Kind::Entry ? 1 : 0;
    return n;
}

int MenuCatalogue::modelessCount() {
    int n = 0;
    for (const MenuItem& item : items())
        n += item.kind == Kind::Entry && item.modeless ? 1 : 0;
    return n;
}

}  // namespace tarvic

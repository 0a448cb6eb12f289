#include "LookupMasters.h"

#include "masters/GeographyMaster.h"
#include "masters/frm_SearchGroupMeet.h"
#include "shell/kit/LookupGridWindow.h"

namespace tarvic {

namespace {

using K = LookupColumn::Kind;

// Every list is edited the same way: texts typed in the grid, upper case, rows added on the
// new-row line with a code typed or left to take the next; a stored code is never changed
// and no row is ever deleted (documents and parties keep their codes).
LookupGridConfig lookup(const char* window, const char* caption, const char* source, const char* sourceCaption,
                        const char* table, const char* orderBy, QList<LookupColumn> columns) {
    LookupGridConfig c;
    c.windowName = QString::fromLatin1(window);
    c.caption = QString::fromLatin1(caption);
    c.sourceName = QString::fromLatin1(source);
    c.sourceCaption = QString::fromLatin1(sourceCaption);
    c.table = QString::fromLatin1(table);
    c.orderBy = QString::fromLatin1(orderBy);
    c.keyColumn = columns.first().name;
    c.columns = std::move(columns);
    c.upperCase = true;
    c.allowAdd = true;
    c.allowDelete = false;
    return c;
}

LookupColumn code(const char* name, const char* heading = "CODE") {
    return {QString::fromLatin1(name), QString::fromLatin1(heading), 1200, K::Integer};
}

LookupColumn text(const char* name, const char* heading, int widthTwips) {
    return {QString::fromLatin1(name), QString::fromLatin1(heading), widthTwips, K::Text};
}

}  // namespace

LookupGridConfig frm_PartyType_Config() {
    return lookup("frm_PartyType", "PARTY TYPE", "Adodc1", "PARTY TYPE MAINTENANCE", "M_TBL_PARTYTYPE",
                  "PARTYTYPE_CODE", {code("PARTYTYPE_CODE"), text("PARTY_TYPE", "PARTY TYPE", 5000)});
}

LookupGridConfig frm_LeadType_Config() {
    return lookup("frm_LeadType", "LEAD TYPE MAINTENANCE", "Adodc1", "LEAD TYPE MAINTENANCE", "M_TBL_LEADTYPE",
                  "LEADTYPE_CODE", {code("LEADTYPE_CODE"), text("LEAD_TYPE", "LEAD TYPE", 5000)});
}

LookupGridConfig frm_LeadRequestType_Config() {
    return lookup("frm_LeadRequestType", "LEAD REQUEST TYPE", "Adodc1", "LEAD REQUEST TYPE", "M_TBL_LEADNATURE",
                  "LEADREQ_CODE", {code("LEADREQ_CODE"), text("LEADREQ_TYPE", "LEAD REQUEST TYPE", 5000)});
}

LookupGridConfig frm_MealPlan_Config() {
    return lookup("frm_MealPlan", "MEAL PLAN", "Adodc1", "MEAL PLAN", "M_TBL_MEALPLAN", "MEALPLAN_CODE",
                  {code("MEALPLAN_CODE"), text("MEAL_PLAN", "MEAL PLAN", 2000),
                   text("PLAN_DESC", "DESCRIPTION", 6000)});
}

LookupGridConfig frm_RoomType_Config() {
    return lookup("frm_RoomType", "ROOM TYPE", "Adodc1", "ROOM TYPE", "M_TBL_HOTELROOMTYPE", "ROOMTYPE_CODE",
                  {code("ROOMTYPE_CODE"), text("ROOM_TYPE", "ROOM TYPE", 5000)});
}

LookupGridConfig frm_VehicleBrand_Config() {
    return lookup("frm_VehicleBrand", "VEHICLE BRAND", "Adodc1", "VEHICLE BRAND MAINTENANCE", "MST_VEHICLEBRANDTYPE",
                  "VEH_BRANDID", {code("VEH_BRANDID"), text("VEH_BRAND", "VEHICLE BRAND", 5000)});
}

LookupGridConfig frm_TaxMaintenance_Config() {
    // No ordering: the rows come in the order the database returns them.
    return lookup("frm_TaxMaintenance", "TAX MAINTENANCE", "Adodc1", "TAX MAINTENANCE", "M_TBL_TAX", "",
                  {code("TAX_CODE"), text("TAX_NAME", "TAX NAME", 4000),
                   {QStringLiteral("TAX_PER"), QStringLiteral("TAX PER (%)"), 1600, K::Decimal}});
}

LookupGridConfig frm_Bank_Config() {
    return lookup("frm_Bank", "BANK MAINTENANCE", "Ado_Bank", "BANK MAINTENANCE", "MST_BANK", "BANK_ID",
                  {code("BANK_ID", "BANK ID"), text("BANK_NAME", "BANK NAME", 5000)});
}

LookupGridConfig frm_PaymentMode_Config() {
    return lookup("frm_PaymentMode", "PAYMENT MODES", "Ado_PayMode", "PAYMENT MODES", "MST_PAYMODE", "MODE_ID",
                  {code("MODE_ID", "ID"), text("PAY_MODE", "PAYMENT MODE", 5000)});
}

LookupGridConfig frm_GroupMeet_Config() {
    return lookup("frm_GroupMeet", "GROUP MEET MAINTENANCE", "Adodc1", "GROUP MEET MAINTENANCE", "M_TBL_PARTYGROUP",
                  "GROUP_CODE", {code("GROUP_CODE"), text("GROUP_NAME", "GROUP / MEETING NAME", 5000)});
}

QList<LookupGridConfig> lookupWindowConfigs() {
    return {frm_PartyType_Config(),    frm_LeadType_Config(),       frm_LeadRequestType_Config(), frm_MealPlan_Config(),
            frm_RoomType_Config(),     frm_VehicleBrand_Config(),   frm_TaxMaintenance_Config(),  frm_Bank_Config(),
            frm_PaymentMode_Config(),  frm_GroupMeet_Config()};
}

void registerLookupWindows(WindowRegistry& registry) {
    for (const LookupGridConfig& config : lookupWindowConfigs()) {
        registry.add(config.windowName, [config](Session& s, QWidget* parent, const WindowArgs&) -> QWidget* {
            return new LookupGridWindow(s, parent, config);
        });
    }
}

void registerGeographyAndLookupWindows(WindowRegistry& registry) {
    registerLookupWindows(registry);
    registerGeographyWindows(registry);
    // Opened from the menu the search has no caller: it only shows its list.
    registry.add(QStringLiteral("frm_SearchGroupMeet"), [](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
        return new frm_SearchGroupMeet(s, parent, args.onPick);
    });
}

}  // namespace tarvic

#include "sales/ItineraryDayEditor.h"
#include "sales/SalesWindows.h"
#include "sales/frm_BusinessLeads_ModNotes.h"
#include "sales/frm_Itinerary_Header.h"
#include "sales/frm_Itinerary_Import.h"
#include "sales/frm_SearchItinerary.h"

namespace tarvic {

void registerItineraryWindows(WindowRegistry& registry) {
    registry.add<frm_Itinerary_Header>(QStringLiteral("frm_Itinerary_Header"));
    registry.add<frm_SearchItinerary>(QStringLiteral("frm_SearchItinerary"));
    registry.add<frm_Itinerary_Import>(QStringLiteral("frm_Itinerary_Import"));
    registry.add<frm_BusinessLeads_ModNotes>(QStringLiteral("frm_BusinessLeads_ModNotes"));
    // The day lines of a standard itinerary and of a quotation's copy: one editor, two tables.
    for (const DayEditorConfig& config : {DayEditorConfig::standard(), DayEditorConfig::quotation()})
        registry.add(config.object,
                     WindowRegistry::Factory([config](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
                         return new ItineraryDayEditor(config, s, parent, args);
                     }));
}

}  // namespace tarvic

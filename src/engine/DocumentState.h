#pragma once
// The states a document is in and what may happen next in each; the status literals and the
// conditions over them are the storage's (data/DocumentStatus.h), named once there.
#include "data/DocumentStatus.h"

namespace tarvic {

enum class DocState {
    New,        // not saved yet: number 0
    Live,       // saved and approved; may change while its booking is open
    Cancelled,  // cancelled: shown, never changed again
    Locked,     // live, but its booking is no longer live or its lock forbids the kind
};

// What may happen next to a document in a state.
struct NextSteps {
    bool save = false;    // saved (a new one numbered, a live one rewritten)
    bool cancel = false;  // cancelled
};
NextSteps nextSteps(DocState state, bool modifiable);


}  // namespace tarvic

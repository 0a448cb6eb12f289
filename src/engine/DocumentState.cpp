#include "DocumentState.h"

namespace tarvic {

NextSteps nextSteps(DocState state, bool modifiable) {
    switch (state) {
        case DocState::New:
            return {true, false};
        case DocState::Live:
            return {modifiable, true};
        case DocState::Locked:
        case DocState::Cancelled:
            break;
    }
    return {};
}


}  // namespace tarvic

#include "docking/snap_candidates.h"

#include "docking/work_area_snap.h"

namespace SnapCandidates {

bool First(std::initializer_list<Candidate> candidates, float& position) {
    for (auto [distance, value] : candidates) {
        if (AvailableArea::Near(distance, 0)) {
            position = value;
            return true;
        }
    }
    return false;
}

bool Last(std::initializer_list<Candidate> candidates, float& position) {
    bool any = false;
    for (auto [distance, value] : candidates) {
        if (AvailableArea::Near(distance, 0)) {
            position = value;
            any = true;
        }
    }
    return any;
}

}  // namespace SnapCandidates

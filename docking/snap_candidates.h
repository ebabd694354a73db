#pragma once
// The candidates of a drag step's snap to the partner window: each is a distance from an
// edge and the position the window takes when that distance is within the snap distance.

#include <initializer_list>
#include <utility>

namespace SnapCandidates {

using Candidate = std::pair<double, float>;

// The first candidate that holds decides; false when none does.
bool First(std::initializer_list<Candidate> candidates, float& position);
// Every candidate that holds moves the window, so the last one decides.
bool Last(std::initializer_list<Candidate> candidates, float& position);

}  // namespace SnapCandidates

// Copying a caller's orientation-point record into the board's own storage.
#pragma once

#include "TAVLO.h"
#include "tavlo_sim.h"

namespace tavlo_sim {

// Reads each matrix only when it has a rows array, at least two rows, both rows present and a
// positive column count; any other matrix is kept as an empty edge. Nothing in the record is
// written or freed.
OrientPoints CopyOrientPoints(const CEdgeOrientPoints& record);

}  // namespace tavlo_sim

#pragma once

namespace zeb {

// Line pictures are large (up to megabytes while supersampled) and short-lived. Allocated in
// the heap they keep its pages after they are freed; mapped on their own they go back to the
// system at once. Call once, early.
void MapLargeBlocksOnTheirOwn();

}  // namespace zeb

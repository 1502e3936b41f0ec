#pragma once
// Which folder the explorer shows: the start folder, typed paths and their completions, the
// back/forward history, and the well-known locations other modules open or write to.

#include "places/locations.h"
#include "places/navigation_history.h"
#include "places/typed_path.h"

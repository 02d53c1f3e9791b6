#include "GraphStyle.h"

namespace sono {

GraphStyle graphStyleOf(int stored) {
    return stored >= 0 && stored <= 6 ? GraphStyle(stored) : GraphStyle::Standard;
}

} // namespace sono

#pragma once
// The seven graph styles of the views, numbered as the options file stores them (0 = the first
// item of the Graphic menu).
namespace sono {

enum class GraphStyle { Standard = 0, Flowers, Green, Space, Fire, Dark, Sunset };

// The stored number as a style; numbers outside 0..6 give Standard.
GraphStyle graphStyleOf(int stored);

} // namespace sono

#pragma once
// Libraries the program links (Qt's start-up among them) may return from their AVX code without
// clearing the upper halves of the vector registers, and the C library's own AVX-512 routines
// never clear them either. Until something does, every SSE instruction of the program's
// baseline-built loops waits on those halves: on some machines (virtual ones especially) a loop
// runs ten times slower, and a batch run of an effect took ten times its time in a benchmark
// that never started Qt. Long loops therefore clear them before each step.
namespace sono {

// Marks the upper halves of the vector registers unused (vzeroupper) on a machine with AVX;
// nothing elsewhere. Vector values the caller keeps in registers are not live across the call.
void clearUpperVectorHalves();

} // namespace sono

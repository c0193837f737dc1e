#pragma once
// Starting Qt's GUI leaves the upper halves of the processor's AVX registers
// in use on x86: some library it loads returns without clearing them. From
// then on every SSE instruction pays for a state transition, and the maths
// library's pow, sin and cos run about ten times slower on that thread and
// on every thread started after it, which inherits the state. A search that
// takes 25 ms on the command line took 200 ms in a window.
//
// Clearing the state is one instruction. Work that computes much (a search,
// a coverage table, a drawing) calls this where it starts on its thread.

namespace platform {

// Clears the upper halves of the AVX registers (vzeroupper) where the
// processor has them; does nothing elsewhere. The values the program holds
// in the lower halves, all it uses, stay.
void ReleaseUpperVectorState() noexcept;

}  // namespace platform

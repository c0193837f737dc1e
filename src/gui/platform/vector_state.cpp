#include "platform/vector_state.h"

namespace platform {

void ReleaseUpperVectorState() noexcept
{
#if defined(__x86_64__) || defined(__i386__)
    // vzeroupper is an illegal instruction without AVX.
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        __asm__ volatile("vzeroupper");
#endif
}

}  // namespace platform

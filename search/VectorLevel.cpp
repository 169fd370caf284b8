#include "search/VectorLevel.h"

#include <algorithm>

namespace {

VectorLevel g_limit = VectorLevel::Avx2;

}  // namespace

VectorLevel ProcessorVectorLevel()
{
#if defined(__SSE2__)
    static const VectorLevel s_level = __builtin_cpu_supports("avx2") ? VectorLevel::Avx2 : VectorLevel::Sse2;
    return s_level;
#else
    return VectorLevel::Scalar;
#endif
}

VectorLevel CurrentVectorLevel()
{
    return std::min(g_limit, ProcessorVectorLevel());
}

void LimitVectorLevel(VectorLevel level)
{
    g_limit = level;
}

// Built with AVX2 (see CMakeLists.txt); called only where the processor has it.
#include "search/AnchorScan.h"

const char* FindCandidatesAvx2(const CAnchorBytes& anchor, const char* pch, const char* pchEnd, CCandidates& found)
{
    return FindCandidatesIn<CAvx2Lanes>(anchor, pch, pchEnd, found);
}

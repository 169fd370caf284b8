#pragma once

// How wide the search scans: the widest vectors the processor has, chosen
// at run time, so one build serves every x86 processor. Tests lower it to
// run each narrower path on the same machine.
enum class VectorLevel { Scalar, Sse2, Avx2 };

// The level in use: the processor's, or lower where a test limited it.
VectorLevel CurrentVectorLevel();
VectorLevel ProcessorVectorLevel();
// For tests: use no more than this level from now on.
void LimitVectorLevel(VectorLevel level);

#pragma once

#include "framework/portable/ByteBuffer.h"
#include "framework/portable/StdioFile.h"

#include <array>
#include <cstddef>

// Up to kSlices slices spread evenly over a list, each read whole; a list
// no larger than the sample is one slice. What the search learns of the
// list before it reads it: which anchor is rarest, whether it can be UTF-8.
class CListSample {
public:
    static constexpr std::size_t kSlices = 8;

    explicit CListSample(CStdioFile& file);

    std::size_t Slices() const { return m_nSlices; }
    const char* Slice(std::size_t i) { return m_bytes.Data() + i * m_nSliceBytes; }
    const char* SliceEnd(std::size_t i) { return Slice(i) + m_anRead[i]; }
    // True when a slice holds bytes that no UTF-8 text holds.
    bool RulesOutUtf8();

private:
    bool m_bWhole = false;  // one slice, the whole list
    std::size_t m_nSlices = kSlices;
    std::size_t m_nSliceBytes;
    std::array<std::size_t, kSlices> m_anRead{};
    CByteBuffer m_bytes;
};

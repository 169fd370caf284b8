#include "search/ListSample.h"

#include "framework/portable/Utf8.h"

#include <algorithm>
#include <cstdint>

CListSample::CListSample(CStdioFile& file)
{
    const std::uint64_t nLength = file.GetLength();
    m_nSliceBytes = static_cast<std::size_t>(std::clamp<std::uint64_t>(nLength / 512, 4096, 16384));
    if (nLength <= kSlices * m_nSliceBytes) {
        m_bWhole = true;
        m_nSlices = 1;
        m_nSliceBytes = static_cast<std::size_t>(nLength);
    }
    m_bytes.Grow(m_nSlices * m_nSliceBytes);
    for (std::size_t i = 0; i < m_nSlices; ++i) {
        const std::uint64_t nOffset = m_nSlices == 1 ? 0 : (nLength - m_nSliceBytes) * i / (m_nSlices - 1);
        m_anRead[i] = file.ReadAt(nOffset, m_bytes.Data() + i * m_nSliceBytes, m_nSliceBytes);
    }
}

bool CListSample::RulesOutUtf8()
{
    for (std::size_t i = 0; i < m_nSlices; ++i) {
        const Utf8Form form = m_bWhole ? Utf8FormOf(Slice(i), SliceEnd(i)) : Utf8FormOfSlice(Slice(i), SliceEnd(i));
        if (form == Utf8Form::NotUtf8)
            return true;
    }
    return false;
}

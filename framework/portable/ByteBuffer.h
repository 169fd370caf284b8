#pragma once

#include <cstddef>
#include <cstring>
#include <memory>

// Working memory for bytes that are always written before they are read:
// unlike a vector it leaves new bytes uninitialised, so a large buffer
// costs nothing until it is used.
class CByteBuffer {
public:
    char* Data() { return m_pData.get(); }
    std::size_t Size() const { return m_nSize; }

    // At least nSize bytes, the old ones kept.
    void Grow(std::size_t nSize)
    {
        if (nSize <= m_nSize)
            return;
        std::unique_ptr<char[]> pData(new char[nSize]);
        if (m_nSize > 0)
            std::memcpy(pData.get(), m_pData.get(), m_nSize);
        m_pData = std::move(pData);
        m_nSize = nSize;
    }

private:
    std::unique_ptr<char[]> m_pData;
    std::size_t m_nSize = 0;
};

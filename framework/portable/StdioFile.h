#pragma once

#include "framework/portable/ByteBuffer.h"
#include "framework/portable/OsFile.h"
#include "framework/portable/String.h"

#include <cstddef>
#include <functional>

// Calls for runs of whole lines, raw as stored; the memory is valid during
// the call only.
using ScanLines = std::function<void(const char* pchBegin, const char* pchEnd)>;

// The length of a line's text, given its bytes up to and with its LF (the
// last line of a file may have none). The text-mode rules of the program,
// the same on every platform: CR LF or LF end a line; every other byte, a
// lone CR and 0x1A included, is text.
inline std::size_t LineTextLength(const char* pchLine, std::size_t nBytes)
{
    if (nBytes == 0 || pchLine[nBytes - 1] != '\n')
        return nBytes;
    return nBytes - (nBytes >= 2 && pchLine[nBytes - 2] == '\r' ? 2 : 1);
}

// A file read and written with those rules: written LF becomes CR LF.
class CStdioFile {
public:
    static constexpr std::size_t kDefaultBlockSize = 64 * 1024;

    // Reads the file through a memory map where the platform and the file
    // allow it, else in blocks of kDefaultBlockSize.
    CStdioFile() = default;
    // Always reads in blocks of this size.
    explicit CStdioFile(std::size_t nBlockSize) : m_nBlockSize(nBlockSize), m_bMap(false) {}

    void OpenRead(const CString& strPath) { m_file.OpenRead(strPath); }
    bool CreateNew(const CString& strPath) { return m_file.CreateNew(strPath); }

    // Raw bytes from the current position.
    std::size_t Read(void* pBuffer, std::size_t nCount) { return m_file.Read(pBuffer, nCount); }

    // The whole file from its start, as runs of whole lines: each line ends
    // with its LF (a CR before it still there), but the file's last line
    // perhaps. A block holds one line at least, growing while one is longer.
    void ReadLines(const ScanLines& scanLines);

    // Writes the text with each LF as CR LF.
    void WriteString(const CString& strText);
    void Sync() { m_file.Sync(); }
    void Close() { m_file.Close(); }
    void Abort() { m_file.Abort(); }

private:
    std::size_t m_nBlockSize = kDefaultBlockSize;
    bool m_bMap = true;
    COsFile m_file;
    CByteBuffer m_buffer;
};

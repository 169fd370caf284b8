#pragma once

#include "framework/portable/ByteBuffer.h"
#include "framework/portable/OsFile.h"
#include "framework/portable/String.h"

#include <cstddef>

// A file with the text-mode rules of the program, the same on every
// platform: written LF becomes CR LF; read CR LF or LF ends a line. All
// other bytes, a lone CR and 0x1A included, pass as they are.
class CStdioFile {
public:
    static constexpr std::size_t kDefaultBlockSize = 64 * 1024;

    explicit CStdioFile(std::size_t nBlockSize = kDefaultBlockSize) : m_nBlockSize(nBlockSize) {}

    void OpenRead(const CString& strPath) { m_file.OpenRead(strPath); }
    bool CreateNew(const CString& strPath) { return m_file.CreateNew(strPath); }

    // Raw bytes, no line-end rules.
    std::size_t Read(void* pBuffer, std::size_t nCount) { return m_file.Read(pBuffer, nCount); }
    void SeekToBegin();

    // The next run of whole lines, each ending with one LF: the line end
    // read (CR LF or LF), or one added to a last line that had none. The
    // memory is the file's and valid until the next call. False at the end.
    // The buffer holds one block, more only while a single line is longer.
    bool ReadLines(const char*& pchBegin, const char*& pchEnd);

    // Writes the text with each LF as CR LF.
    void WriteString(const CString& strText);
    void Sync() { m_file.Sync(); }
    void Close() { m_file.Close(); }
    void Abort() { m_file.Abort(); }

private:
    std::size_t m_nBlockSize;
    COsFile m_file;
    CByteBuffer m_buffer;
    std::size_t m_nKeepFrom = 0;  // start of the unfinished line after the last run
    std::size_t m_nKeepTo = 0;
    bool m_bAtEnd = false;
};

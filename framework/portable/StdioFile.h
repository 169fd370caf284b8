#pragma once

#include "framework/portable/ByteBuffer.h"
#include "framework/portable/OsFile.h"
#include "framework/portable/String.h"

#include <cstddef>
#include <cstdint>
#include <functional>

// Given a run of whole lines, raw as stored (each ends with its LF, a CR
// before it still there, but the file's last line perhaps); the bytes are
// valid during the call only. False stops the reading.
using WholeLinesHandler = std::function<bool(const char* pchBegin, const char* pchEnd)>;

// A file read and written with the program's text-mode rules (LineEnds.h),
// the same on every platform: written LF becomes CR LF; lines are read in
// blocks of whole lines.
class CStdioFile {
public:
    static constexpr std::size_t kDefaultBlockSize = 256 * 1024;

    explicit CStdioFile(std::size_t nBlockSize = kDefaultBlockSize) : m_nBlockSize(nBlockSize) {}

    void OpenRead(const CString& strPath) { m_file.OpenRead(strPath); }
    bool CreateNew(const CString& strPath) { return m_file.CreateNew(strPath); }

    // Raw bytes from a place in the file, fewer than asked only at its end.
    std::size_t ReadAt(std::uint64_t nOffset, void* pBuffer, std::size_t nCount)
    {
        m_file.Seek(nOffset);
        return m_file.Read(pBuffer, nCount);
    }
    std::uint64_t GetLength() const { return m_file.GetLength(); }

    // The file from its start, a block of whole lines a call, to its end
    // or until the handler stops it; a block grows while one line is
    // longer. False when the handler stopped it.
    bool ReadLines(const WholeLinesHandler& handleLines);

    // Writes the text with each LF as CR LF.
    void WriteString(const CString& strText);
    void Sync() { m_file.Sync(); }
    void Close() { m_file.Close(); }
    void Abort() { m_file.Abort(); }

private:
    std::size_t m_nBlockSize;
    COsFile m_file;
    CByteBuffer m_buffer;
};

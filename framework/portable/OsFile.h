#pragma once

#include "framework/portable/String.h"

#include <cstddef>
#include <cstdint>

// A file handle of the operating system, closed by its destructor. Every
// failure is thrown as a CFileException naming the path. Opened files are not
// shared with other openers where the platform can refuse them.
class COsFile {
public:
    COsFile() = default;
    COsFile(const COsFile&) = delete;
    COsFile& operator=(const COsFile&) = delete;
    ~COsFile();

    // An existing plain file, for reading from its start. A folder, a pipe or
    // a device of that name is a file error at once.
    void OpenRead(const CString& strPath);
    // A new file for writing; false, and nothing opened, if the name is taken.
    bool CreateNew(const CString& strPath);
    // Bytes read from the current place, fewer than nCount only at the end.
    std::size_t Read(void* pBuffer, std::size_t nCount);
    // Where the next read starts, from the start of the file.
    void Seek(std::uint64_t nOffset);
    std::uint64_t GetLength() const;
    void Write(const void* pBuffer, std::size_t nCount);
    // Waits until the written bytes are on the disk.
    void Sync();
    void Close();
    // Closes without a word about failures, for clean-up on the way out.
    void Abort();

    bool IsOpen() const { return m_hFile != kInvalid; }

private:
    static constexpr std::intptr_t kInvalid = -1;
    [[noreturn]] void ThrowLastError() const;

    CString m_strPath;
    std::intptr_t m_hFile = kInvalid;  // a descriptor or a HANDLE
};

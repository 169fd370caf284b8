#pragma once

#include "framework/portable/String.h"

#include <cstddef>
#include <cstdint>
#include <functional>

// A file handle of the operating system, closed by its destructor. Every
// failure is thrown as a CFileException naming the path. Opened files are not
// shared with other openers where the platform can refuse them.
class COsFile {
public:
    COsFile() = default;
    COsFile(const COsFile&) = delete;
    COsFile& operator=(const COsFile&) = delete;
    ~COsFile();

    // An existing file, for reading from its start.
    void OpenRead(const CString& strPath);
    // A new file for writing; false, and nothing opened, if the name is taken.
    bool CreateNew(const CString& strPath);
    // Bytes read, fewer than nCount only at the end of the file.
    std::size_t Read(void* pBuffer, std::size_t nCount);
    void Write(const void* pBuffer, std::size_t nCount);
    void SeekToBegin();
    // Maps the whole file into memory and calls scan over its bytes; false,
    // without a call, where the platform or the file gives no map (Windows,
    // an empty file, not a plain file). A file that another program cuts
    // short meanwhile is a file error, never a crash.
    bool ScanMapped(const std::function<void(const char* pchBegin, const char* pchEnd)>& scan);
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

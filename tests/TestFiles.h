#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes. Dir() ends with a separator, like the program
// directory.
class CTempDir {
public:
    CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;
    ~CTempDir();

    const std::string& Dir() const { return m_strDir; }
    std::string Path(const std::string& strName) const { return m_strDir + strName; }

private:
    std::string m_strDir;
};

void WriteBytes(const std::string& strPath, const std::string& bytes);
std::string ReadBytes(const std::string& strPath);
// Names in the folder, sorted.
std::string ListFolder(const std::string& strDir);

// The committed default journal list, LF ends.
std::string DefaultJournalFile();

#pragma once

#include "framework/portable/LeadBytes.h"

#include <string>
#include <vector>

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
// Names in the folder, sorted, divided by spaces.
std::string ListFolder(const std::string& strDir);
std::string WithCrLf(const std::string& text);

// The committed default journal list, LF ends.
std::string DefaultJournalFile();

// Every text a search run in strDir sets, in order.
std::vector<std::string> RunAndCollect(const std::string& strDir, const std::string& query,
                                       const CLeadBytes& leadBytes = CLeadBytes());
// The last text a run sets, or "(nothing)": against the data file in dir, or
// against one of these bytes.
std::string ShownIn(const CTempDir& dir, const std::string& query, const CLeadBytes& leadBytes = CLeadBytes());
std::string Shown(const std::string& fileBytes, const std::string& query, const CLeadBytes& leadBytes = CLeadBytes());

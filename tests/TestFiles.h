#pragma once

#include "search/ListCoding.h"
#include "search/SearchRun.h"

#include <filesystem>
#include <string>

// Paths in the tests are UTF-8, as the file layer takes them (FileSystem.h),
// on Windows in WTF-8, which also carries a lone surrogate (Wtf8.h). There a
// full one is taken in the long form, as the program takes it.
std::filesystem::path PathOf(const std::string& strUtf8);
// The same path as a user's shell has it: not in the long form.
std::filesystem::path ShellPathOf(const std::string& strUtf8);

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes. Its name has Polish, Greek and Japanese
// letters, outside any one ANSI code page, so that every test meets such a
// folder. Dir() ends with a separator, like the program directory.
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

// A file of the project's source tree: beside the tests, or where
// NORVANE_SOURCE_DIR says.
std::string SourceFile(const std::string& strRelativePath);
// The committed default journal list, LF ends.
std::string DefaultJournalFile();

// The query as the driver takes it elsewhere than on Windows: its bytes as
// they are, for a list in either coding.
CQuery QueryOfBytes(const std::string& query);

// What the results box shows after a run, or "(nothing)" when the run left
// it alone; what it is in, and the journals the run counted.
struct CShown {
    std::string text = "(nothing)";
    TextCoding coding = TextCoding::Ansi;
    std::size_t nJournals = 0;
};
// Against the data file in dir, or against a data file of these bytes, a
// list not in UTF-8 read in the code page given.
CShown ShownIn(const CTempDir& dir, const CQuery& query, const CListCoding& ansi);
CShown ShownFor(const std::string& fileBytes, const CQuery& query, const CListCoding& ansi);

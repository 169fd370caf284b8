#include "tests/TestFiles.h"

#include "framework/portable/FileSystem.h"
#include "search/SearchRun.h"
#include "store/DataFile.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

fs::path PathOf(const std::string& strUtf8)
{
    return fs::u8path(strUtf8);
}

CTempDir::CTempDir()
{
    std::random_device random;
    for (;;) {
        const fs::path dir = fs::temp_directory_path() /
                             PathOf("norvane-test \xC5\x81ukasz \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 "
                                    "\xE6\x97\xA5\xE6\x9C\xAC " + std::to_string(random()));
        if (fs::create_directory(dir)) {
            m_strDir = (dir / "").u8string();
            return;
        }
    }
}

CTempDir::~CTempDir()
{
    std::error_code error;
    fs::remove_all(PathOf(m_strDir), error);
}

void WriteBytes(const std::string& strPath, const std::string& bytes)
{
    std::ofstream out(PathOf(strPath), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + strPath);
}

std::string ReadBytes(const std::string& strPath)
{
    std::ifstream in(PathOf(strPath), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + strPath);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string ListFolder(const std::string& strDir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(PathOf(strDir)))
        names.insert(entry.path().filename().u8string());
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "" : " ") + name;
    return list;
}

std::string WithCrLf(const std::string& text)
{
    return std::regex_replace(text, std::regex("\n"), "\r\n");
}

std::string SourceFile(const std::string& strRelativePath)
{
    const char* pszDir = std::getenv("NORVANE_SOURCE_DIR");
    const std::string strDir = pszDir && *pszDir ? std::string(pszDir) + kPathSeparator : ProgramDirectory().GetString();
    return ReadBytes(strDir + strRelativePath);
}

std::string DefaultJournalFile()
{
    return SourceFile("store/default-journals.txt");
}

std::vector<std::string> RunAndCollect(const std::string& strDir, const std::string& query, const CLeadBytes& leadBytes)
{
    std::vector<std::string> shown;
    RunSearch(
        strDir.c_str(), CString(query.data(), query.size()),
        [&](const CString& text) { shown.emplace_back(text.GetString(), text.GetLength()); }, leadBytes);
    return shown;
}

std::string ResultsIn(const CTempDir& dir, const std::string& query, const CLeadBytes& leadBytes)
{
    const std::vector<std::string> shown = RunAndCollect(dir.Dir(), query, leadBytes);
    return shown.empty() ? "(nothing)" : shown.back();
}

std::string ResultsFor(const std::string& fileBytes, const std::string& query, const CLeadBytes& leadBytes)
{
    CTempDir dir;
    WriteBytes(dir.Path("Norvane.txt"), fileBytes);
    return ResultsIn(dir, query, leadBytes);
}

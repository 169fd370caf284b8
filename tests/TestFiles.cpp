#include "tests/TestFiles.h"

#include "search/SearchRun.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

CTempDir::CTempDir()
{
    std::random_device random;
    for (;;) {
        const fs::path dir = fs::temp_directory_path() / ("norvane-test-" + std::to_string(random()));
        if (fs::create_directory(dir)) {
            m_strDir = (dir / "").string();
            return;
        }
    }
}

CTempDir::~CTempDir()
{
    std::error_code error;
    fs::permissions(m_strDir, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(m_strDir, error);
}

void WriteBytes(const std::string& strPath, const std::string& bytes)
{
    std::ofstream out(strPath, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + strPath);
}

std::string ReadBytes(const std::string& strPath)
{
    std::ifstream in(strPath, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + strPath);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string ListFolder(const std::string& strDir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(strDir))
        names.insert(entry.path().filename().string());
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "" : " ") + name;
    return list;
}

std::string WithCrLf(const std::string& text)
{
    return std::regex_replace(text, std::regex("\n"), "\r\n");
}

std::string DefaultJournalFile()
{
    return ReadBytes(NORVANE_SOURCE_DIR "/store/default-journals.txt");
}

std::vector<std::string> RunAndCollect(const std::string& strDir, const std::string& query, const CLeadBytes& leadBytes)
{
    std::vector<std::string> shown;
    RunSearch(
        strDir.c_str(), CString(query.data(), query.size()),
        [&](const CString& text) { shown.emplace_back(text.GetString(), text.GetLength()); }, leadBytes);
    return shown;
}

std::string ShownIn(const CTempDir& dir, const std::string& query, const CLeadBytes& leadBytes)
{
    const std::vector<std::string> shown = RunAndCollect(dir.Dir(), query, leadBytes);
    return shown.empty() ? "(nothing)" : shown.back();
}

std::string Shown(const std::string& fileBytes, const std::string& query, const CLeadBytes& leadBytes)
{
    CTempDir dir;
    WriteBytes(dir.Path("Norvane.txt"), fileBytes);
    return ShownIn(dir, query, leadBytes);
}

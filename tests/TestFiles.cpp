#include "tests/TestFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

CTempDir::CTempDir()
{
    std::string pattern = (fs::temp_directory_path() / "norvane-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_strDir = pattern + "/";
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
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(strDir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "" : " ") + name;
    return list;
}

std::string DefaultJournalFile()
{
    return ReadBytes(NORVANE_SOURCE_DIR "/store/default-journals.txt");
}

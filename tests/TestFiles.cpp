#include "tests/TestFiles.h"

#include "framework/portable/FileSystem.h"
#include "framework/portable/LongPath.h"
#include "framework/portable/Wtf8.h"
#include "search/SearchRun.h"
#include "store/DataFile.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <cstdlib>
#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// The names in a folder. This tool chain's std::filesystem walks no folder
// whose path passes MAX_PATH on Windows, so the system's own calls do it.
std::set<std::string> NamesIn(const fs::path& dir)
{
    std::set<std::string> names;
#if defined(_WIN32)
    WIN32_FIND_DATAW data;
    const HANDLE hFind = ::FindFirstFileW((dir.wstring() + L"\\*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot list " + dir.u8string());
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.insert(Wtf8FromUtf16(reinterpret_cast<const char16_t*>(name.data()), name.size()).GetString());
    } while (::FindNextFileW(hFind, &data));
    ::FindClose(hFind);
#else
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().u8string());
#endif
    return names;
}

void RemoveTree(const fs::path& path)
{
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(path, error))) {  // never into a link
        for (const std::string& name : NamesIn(path))
            RemoveTree(path / ShellPathOf(name));
    }
    fs::remove(path, error);
}

}  // namespace

fs::path ShellPathOf(const std::string& strUtf8)
{
#if defined(_WIN32)
    const std::u16string wide = Utf16FromWtf8(CString(strUtf8.data(), strUtf8.size()));
    // No '/', no "..", no separator at the end, as the long form needs.
    fs::path path = fs::path(std::wstring(wide.begin(), wide.end())).lexically_normal();
    if (!path.has_filename() && path.has_relative_path())
        path = path.parent_path();
    return path;
#else
    return fs::u8path(strUtf8);
#endif
}

fs::path PathOf(const std::string& strUtf8)
{
#if defined(_WIN32)
    return fs::path(LongPathForm(ShellPathOf(strUtf8).wstring()));
#else
    return fs::u8path(strUtf8);
#endif
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
    try {
        RemoveTree(PathOf(m_strDir));
    } catch (const std::exception&) {
        // A folder left in the temporary folder harms no test.
    }
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
    std::string list;
    for (const auto& name : NamesIn(PathOf(strDir)))
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

CQuery QueryOfBytes(const std::string& query)
{
    const CString strQuery(query.data(), query.size());
    return {strQuery, [strQuery] { return CAnsiText{strQuery, false}; }};
}

CShown ShownIn(const CTempDir& dir, const CQuery& query, const CListCoding& ansi)
{
    CShown shown;
    RunSearch(
        dir.Dir().c_str(), query,
        [&](const CString& text, std::size_t nJournals, TextCoding coding) {
            shown = {std::string(text.GetString(), text.GetLength()), coding, nJournals};
        },
        ansi);
    return shown;
}

CShown ShownFor(const std::string& fileBytes, const CQuery& query, const CListCoding& ansi)
{
    CTempDir dir;
    WriteBytes(dir.Path("Norvane.txt"), fileBytes);
    return ShownIn(dir, query, ansi);
}

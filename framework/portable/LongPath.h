#pragma once

#include <string>

// A path in the long form ("\\?\"), which the system takes literally, or a
// device path ("\\.\"), which it resolves itself: either goes on as it is.
template <class TChar>
bool IsVerbatimPath(const std::basic_string<TChar>& path)
{
    return path.size() >= 4 && path[0] == '\\' && path[1] == '\\' && (path[2] == '?' || path[2] == '.') &&
           path[3] == '\\';
}

// The form of a full path that Windows' wide file calls take at any length,
// past the 260 characters of MAX_PATH: "C:\dir" as "\\?\C:\dir",
// "\\server\share\dir" as "\\?\UNC\server\share\dir". A path already in
// that form, a device path ("\\.\"), and any path that is not full, are
// given back as they are. The form is taken literally: no "." or ".." is
// resolved and no '/' is a separator, so the path must be full already.
template <class TChar>
std::basic_string<TChar> LongPathForm(const std::basic_string<TChar>& path)
{
    const auto Is = [&](std::size_t i, char ch) { return i < path.size() && path[i] == static_cast<TChar>(ch); };
    const auto IsLetter = [&](std::size_t i) {
        return i < path.size() && ((path[i] >= 'A' && path[i] <= 'Z') || (path[i] >= 'a' && path[i] <= 'z'));
    };
    const std::basic_string<TChar> prefix = {'\\', '\\', '?', '\\'};
    if (IsVerbatimPath(path))
        return path;
    if (Is(0, '\\') && Is(1, '\\'))
        return prefix + std::basic_string<TChar>{'U', 'N', 'C'} + path.substr(1);
    if (IsLetter(0) && Is(1, ':') && Is(2, '\\'))
        return prefix + path;
    return path;
}

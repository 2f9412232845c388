#pragma once
// Folder helpers of the open and save dialogs. Paths are UTF-8 and use this
// platform's folder separator (a backslash on Windows, a slash elsewhere).

#include <string>

namespace pictavo {

#ifdef _WIN32
inline constexpr char kFolderSeparator = '\\';
#else
inline constexpr char kFolderSeparator = '/';
#endif

// The path with one separator at its end: appended unless the last
// character already is one. An empty path gives the separator alone.
std::string AddBackslash(const std::string& path);

// The part of the path before its last separator (that separator left out);
// a path without a separator comes back whole. "/pics/a.bmp" gives "/pics",
// "/a.bmp" gives "".
std::string FolderOf(const std::string& path);

}  // namespace pictavo

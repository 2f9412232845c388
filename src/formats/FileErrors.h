#pragma once
// The program's error numbers for failures of the operating system's file
// calls, shared by the picture reader and the BMP writer.

#include <cstddef>
#include <cstdint>
#include <string>

namespace pictavo {

// The error number for an errno value of a failed open, read or write.
// ENOENT counts as a missing folder (76); callers that open an existing
// file decide between a missing file and a missing folder themselves.
int fileErrorNumber(int errnoValue);

// Opens an existing regular file for reading (UTF-8 path), without ever
// blocking: every file the program reads goes through here. Throws
// pictavo::Error: 53 file missing, 76 folder missing, 70 permission refused,
// 75 anything else (a folder, named pipe or device in place of the file).
int openFileForReading(const std::string& path);

// Reads up to n bytes at offset, going on after interruptions and short
// reads; fewer only where the file ends (it may have shrunk meanwhile).
// Keeps no file position, so several threads may read one file at once.
// Throws pictavo::Error with the file error number when reading fails.
std::size_t readFileAt(int fd, std::uint8_t* out, std::size_t n, std::uint64_t offset);

// The folder part of a path ("." when it has no slash).
std::string folderOfPath(const std::string& path);

}  // namespace pictavo

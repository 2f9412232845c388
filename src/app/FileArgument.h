#pragma once
// A picture named from outside the program: on the command line ("pictavo
// FILE", as a file manager starts it) the first argument other than
// "--program-dir DIR", made a full path (a "file:" address becomes its local
// path; further files are ignored), or one file dropped on the window.

#include <string>

class QMimeData;

namespace pictavo {

// The full path as the bytes the file system names it by (UTF-8 where
// the name is), or empty when no file is named.
std::string fileArgument(int argc, char** argv);
// One argument as a full path, relative to the working folder.
std::string fullFilePath(const std::string& argument);
// The file of a drag, when it carries exactly one local file; else empty.
std::string droppedFile(const QMimeData* data);

}  // namespace pictavo

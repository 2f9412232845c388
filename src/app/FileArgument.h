#pragma once
// The picture named on the command line ("pictavo FILE", as a file manager
// starts it): the first argument other than "--program-dir DIR", made a
// full path (a "file:" address becomes its local path). Further files are
// ignored.

#include <string>

namespace pictavo {

// The full path (UTF-8), or empty when no file is named.
std::string fileArgument(int argc, char** argv);
// One argument as a full path, relative to the working folder.
std::string fullFilePath(const std::string& argument);

}  // namespace pictavo

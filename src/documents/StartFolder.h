#pragma once
// Where the file dialogs start: the program folder when the user may write
// there (a program unpacked in the user's own folder), otherwise (an
// installed program) the user's pictures folder, else the home folder.

#include <string>

namespace pictavo {

// programFolder and the result end with a folder separator.
std::string startFolder(const std::string& programFolder);

}  // namespace pictavo

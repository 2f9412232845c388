#pragma once
// Where the program lives: the folder of the running binary (links
// resolved), whose Data folder holds the brush stamps and the patterns.
// "--program-dir DIR" among the arguments names another folder (tests bring
// their own Data folder that way).

#include <QString>

namespace pictavo {

QString programFolder(int argc, char** argv);

}  // namespace pictavo

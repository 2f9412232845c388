#pragma once
// The draft: when the user leaves a never-saved drawing through the exit
// confirmation's slider, the canvas is written here as a BMP, replacing the
// previous draft. Nothing in the program reads it back.
//
// On Windows the draft lives at the fixed path
// "C:\Program Files\brandwick\file\autosave.bmp"; elsewhere at
// "brandwick/file/autosave.bmp" under the user's data folder
// ($XDG_DATA_HOME, usually ~/.local/share).

#include <string>

namespace pictavo {

class Surface;

// The draft's full path (UTF-8).
std::string draftPath();

// Writes the surface's persistent image to the draft path, creating its
// folder when missing. Throws pictavo::Error like writeBmpFile.
void writeDraft(const Surface& canvas);

}  // namespace pictavo

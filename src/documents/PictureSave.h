#pragma once
// Saving the canvas under a chosen name, for Save As and the exit
// confirmation: the name's extension chooses PNG, JPEG or BMP (SaveFormat.h).
// A JPEG first asks for its quality in the prompt "JPEG 质量" (1 to 100,
// 90 at first, then the last value of this run; nothing is stored).

#include <string>

class QWidget;

namespace pictavo {

class Surface;

// False when the quality prompt was cancelled: nothing is written. Throws
// what the writers throw; an existing file then keeps every byte.
bool savePicture(QWidget* owner, const std::string& path, const Surface& canvas);

// The quality a prompt answer gives: its leading number, within 1 to 100.
int jpegQualityFrom(const std::string& answer);

}  // namespace pictavo

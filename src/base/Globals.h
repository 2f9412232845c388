#pragma once
// The program-wide variables. They live for the whole run and start as 0 or
// empty; start-up sets dataPath and dlgResult. Modal dialogs write their
// values here and set dlgResult (1 accepted, 6 accepted by the brightness
// dialog, 2 cancelled or nothing pending); the opener acts on the accept
// value and sets dlgResult back to 2.

#include <cstdint>
#include <string>

namespace pictavo {

struct Globals {
  std::int32_t canvasWidth = 0;
  std::int32_t canvasHeight = 0;
  std::uint32_t canvasBackColor = 0;  // a Color, 0x00BBGGRR
  std::int32_t dlgResult = 0;
  std::string dataPath;  // program folder + separator + "Data" + separator

  std::string textFontName;
  std::int16_t textFontSize = 0;
  std::string textString;  // UTF-8
  std::int16_t textStyleIndex = 0;

  std::int32_t strokeWidth = 0;
  std::uint32_t strokeColor = 0;  // a Color
  std::int16_t brightValue = 0;
  float sharpenValue = 0.0f;
  std::string maskFile;
  std::int16_t rgbRed = 0, rgbGreen = 0, rgbBlue = 0;
};

// The one instance of the running program.
Globals& globals();

}  // namespace pictavo

#pragma once
// The small pictures of the auxiliary windows and the new-canvas banner,
// drawn in code so the program needs no picture files for them.

#include <QIcon>
#include <QPixmap>

namespace pictavo::art {

// A fully transparent icon: a window given it shows no title-bar icon.
QIcon noWindowIcon();

QPixmap errorIcon();        // 33 x 33, red disc with a white cross
QPixmap feedbackMark();     // 16 x 16, speech bubble beside "我要反馈"
QPixmap confirmMark();      // 16 x 16, green tick beside "我知道啦!"
QPixmap promptIcon();       // 28 x 28, question mark
QPixmap shredderIcon();     // 42 x 43, paper going into a shredder
QPixmap highlightFrame();   // 79 x 29, orange frame drawn around a button
QPixmap pointerMark();      // 18 x 14, small arrow marking a line of text
QPixmap newCanvasBanner(int width, int height);

}  // namespace pictavo::art

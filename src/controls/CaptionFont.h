#pragma once
// The caption font of the tool bar: "微软雅黑" where it is installed, else
// the installed CJK sans font "WenQuanYi Micro Hei", else the application's.

#include <QFont>

namespace pictavo {

QFont captionFont(double pointSize = 9.0);

}  // namespace pictavo

#pragma once
// The question before New, Open or a dropped file replaces a drawing that
// is in no file: a message box "Pictavo2012" asking
// "当前图片的修改尚未保存。是否先保存?" with "保存(&S)" (the default),
// "不保存(&N)" and "取消" (also Esc and the close box). Object name
// "keepDrawing".

class QWidget;

namespace pictavo {

enum class KeepDrawing { Save, Discard, Cancel };

KeepDrawing askKeepDrawing(QWidget* owner);

}  // namespace pictavo

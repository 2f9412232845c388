#pragma once
// The text dialog frmText: font, size and style of the text tool, the text
// itself and a preview. It starts from the program-wide variables
// textFontName, textFontSize, textStyleIndex and textString, and writes
// them back only when accepted (dlgResult 1). Cancel sets dlgResult to 2;
// the close box leaves it as it was. Escape does nothing; Enter in the text
// box accepts instead of starting a new line.
//
// Object names: the window "frmText"; "cboFont", "cboSize", "cboStyle",
// "txtText", "pPreview", "Label1", "Image2", "cmdOK", "cmdCancel".

#include <QDialog>

class QComboBox;
class QPlainTextEdit;

namespace pictavo {

class TextPreview;

class TextDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TextDialog(QWidget* owner);

  // Shows a new dialog modally, owned by the caller's window; returns
  // dlgResult once it has closed.
  static int ask(QWidget* owner);

  // The index of the first entry equal to text, ignoring case; 0 when the
  // text is empty or no entry is equal.
  static int FindListIndex(const QComboBox* list, const QString& text);

  TextPreview* preview() const { return preview_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void load();
  void refreshPreview();
  void acceptText();
  void cancel();

  QComboBox* font_ = nullptr;
  QComboBox* size_ = nullptr;
  QComboBox* style_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  TextPreview* preview_ = nullptr;
};

}  // namespace pictavo

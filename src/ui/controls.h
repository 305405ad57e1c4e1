#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QString>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The controls of the old windows on Qt widgets. Each keeps its old name as objectName: a plain
// control is "Label2", element 1 of the control array Label16 is "Label16_1".
namespace ui {

// Texts are kept as the game's bytes in the records; windows show them as QString.
QString ToQString(std::string_view bytes);
// A stored text as a label shows it: up to its first zero byte (an entry beyond the end of a
// file reads as zeros, which would otherwise show as empty boxes).
QString ToShownText(std::string_view bytes);
std::string ToBytes(const QString& text);

// "Label16" with index 1 gives "Label16_1"; index -1 (not an array) gives the name itself.
QString ControlName(const QString& name, int index = -1);

// A label; every label can be clicked, and tells which element of its array it is. Its text is
// always plain text: names from the game's files may hold '<' or '&'.
class Label : public QLabel {
  Q_OBJECT
 public:
  Label(QWidget* parent, const QString& name, int index = -1);
  int index() const { return index_; }

  // Marks a label the designer acts on: a pointing hand, `hint` as tooltip, and unless
  // takesFocus is false, a stop of the Tab key where Enter or Space clicks it.
  void setClickable(const QString& hint, bool takesFocus = true);
  // A text wider than the label ends in "..." instead of being cut off; the label then asks for
  // no more width than its minimum. text() stays the whole text.
  void setElided(bool elided);

  QSize minimumSizeHint() const override;

 signals:
  void clicked(int index);
  // The same click with the keyboard modifiers held during it (Shift steps some values back).
  void clickedWith(int index, Qt::KeyboardModifiers modifiers);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void emitClick(Qt::KeyboardModifiers modifiers);

  int index_;
  bool pressed_ = false;
  bool elided_ = false;
};

// How a box shows a stored text field and stores what is typed in it: `width` bytes, cut or
// padded with blanks, a typed line break as `breaks` says.
enum class LineBreaks {
  None,     // one line
  CrLf,     // CR LF
  AsStored  // the form the stored text uses (its first break), LF where it has none
};
struct TextField {
  std::size_t width = 0;
  LineBreaks breaks = LineBreaks::None;
};

// A stored text as a box shows it: up to its first zero byte, without trailing blanks, each
// CR LF, lone CR and lone LF one line break.
QString ShownFieldText(std::string_view stored);
// A box's text as its field stores it, before the cut to the width and without trailing blanks.
// `stored` is what the box was filled from: LineBreaks::AsStored follows it.
std::string TypedFieldBytes(const QString& text, LineBreaks breaks, std::string_view stored);

// What a text box keeps of the stored field it shows. Bytes nobody edited stay as they are: a box
// filled from stored bytes gives back exactly those bytes while its text is the one it was filled
// with (whatever they hold: CR, LF, 0xA0, zero padding); only an edited text is coded anew.
class FieldBox {
 public:
  virtual ~FieldBox() = default;

  void setField(TextField field) { field_ = field; }
  // Shows ShownFieldText(stored) and remembers the bytes.
  void setBytes(std::string_view stored);
  // The bytes the field stores: as filled while unedited, else the text cut or blank-padded.
  std::string bytes() const;
  // Bytes the text takes when stored (a CR LF counts two), trailing blanks not counted.
  std::size_t typedLength() const;
  bool edited() const;
  // While set, bytes() codes the text even when it is unedited (a new entry stores what it shows).
  void setStoresAsShown(bool asShown) { storesAsShown_ = asShown; }

 protected:
  virtual QString fieldText() const = 0;
  virtual void showFieldText(const QString& text) = 0;
  // A text set from code is the designer's text, not the stored one.
  void forgetStoredBytes() { filledFromStore_ = false; }

 private:
  TextField field_;
  std::string stored_;
  QString filled_;  // the box's text right after it was filled
  bool filledFromStore_ = false;
  bool storesAsShown_ = false;
};

// For its lifetime the text boxes of `window` store what they show: what is appended as a new
// entry is stored as a typed entry is, not with the bytes of the entry it was copied from.
class StoresAsShown {
 public:
  explicit StoresAsShown(QWidget* window);
  ~StoresAsShown();
  StoresAsShown(const StoresAsShown&) = delete;
  StoresAsShown& operator=(const StoresAsShown&) = delete;

 private:
  void mark(bool asShown) const;
  QPointer<QWidget> window_;
};

// A one-line text box. changed() follows every change of the text, typed or set from code, as
// the old change event did; setting the same text again raises nothing. It takes no line breaks:
// Enter goes to the window (its default button), and pasted or set breaks become blanks. A
// field's width in characters is its maxLength(): typing beyond it is refused where it is made.
// A text set from code shows from its beginning, the cursor before its first character.
// Ctrl+Z and Ctrl+Y take back and redo its own typing first (see control_keys.h).
class TextBox : public QLineEdit, public FieldBox {
  Q_OBJECT
 public:
  TextBox(QWidget* parent, const QString& name, int index = -1);
  int index() const { return index_; }

  void setText(const QString& text);

 signals:
  void changed(int index);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  QString fieldText() const override { return QLineEdit::text(); }
  void showFieldText(const QString& text) override { setText(text); }

 private:
  void onTextChanged(const QString& text);

  int index_;
};

// A text box of several lines (a long text, a description), with the same changed() as TextBox.
// Tab moves on to the next control; Enter starts a new line.
class TextArea : public QPlainTextEdit, public FieldBox {
  Q_OBJECT
 public:
  TextArea(QWidget* parent, const QString& name, int index = -1);
  int index() const { return index_; }

  // The text with its line breaks as '\n' and its no-break spaces kept (toPlainText() makes them
  // blanks).
  QString text() const;
  void setText(const QString& text);

 signals:
  void changed(int index);

 protected:
  QString fieldText() const override { return text(); }
  void showFieldText(const QString& text) override { setText(text); }

 private:
  void onTextChanged();

  int index_;
  QString last_;
};

// A drop-down list (not editable). Position -1 is no selection. Setting the position from code
// raises clicked() exactly as the user's choice does (the reload flags of the special, effect
// and creature special editors depend on it); for a drop-down list the old click and change
// events are this one signal. Adding entries never moves the position. A text cut short by the
// box's place shows whole in its tooltip (above the box's own hint) and in the open list.
class ComboBox : public QComboBox {
  Q_OBJECT
 public:
  ComboBox(QWidget* parent, const QString& name, int index = -1);
  int index() const { return index_; }

  int position() const { return currentIndex(); }
  // -1 clears. A position outside -1..count()-1 changes nothing and returns false.
  bool setPosition(int position);

  // These hide QComboBox's versions so that adding to an empty list keeps position -1.
  void addItem(const QString& text);
  void insertItem(int position, const QString& text);
  void clear();  // no event, position -1
  // Sizes the box for `characters` characters whatever its entries, so that a list of
  // thousands of names is never measured to be shown.
  void setWidthInCharacters(int characters);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // The open list is made at its first opening. Its rows are one line each, so it measures one
  // row, not all; a list sized in characters drops below the box without measuring any entry.
  void showPopup() override;

  // True when the text shown is wider than the room the box gives it.
  bool isTextCut() const;

 signals:
  void clicked(int position);

 protected:
  bool event(QEvent* event) override;

 private:
  // The open list is as wide as its widest entry, measured for short lists only.
  void widenOpenList();

  int index_;
  int widthInCharacters_ = 0;  // 0: sized by Qt's policy
};

// A check box with value 0 or 1. The user's click raises QAbstractButton::clicked; setValue from
// code raises nothing. A read-only box shows a value the designer changes elsewhere: it takes no
// clicks and no focus, and its box has the window's colour, as a read-only text box has.
class CheckBox : public QCheckBox {
  Q_OBJECT
 public:
  CheckBox(QWidget* parent, const QString& name, int index = -1);
  int index() const { return index_; }
  int value() const { return isChecked() ? 1 : 0; }
  void setValue(int value);  // anything but 0 checks
  void setReadOnly(bool readOnly);
  bool isReadOnly() const { return readOnly_; }

 protected:
  bool hitButton(const QPoint& position) const override;

 private:
  bool readOnly_ = false;
  int index_;
};

// A command button; QAbstractButton::clicked is its click event, setText its caption. Enter on
// the focused button presses it, as Space does.
class Button : public QPushButton {
  Q_OBJECT
 public:
  Button(QWidget* parent, const QString& name, int index = -1);
  int index() const { return index_; }

 private:
  int index_;
};

// A frame with a caption that groups controls.
class Frame : public QGroupBox {
  Q_OBJECT
 public:
  Frame(QWidget* parent, const QString& name, const QString& caption = {});
};

// A control array in one call: elements 0..count-1 named ControlName(name, i), owned by parent.
template <class Control>
std::vector<Control*> makeArray(QWidget* parent, const QString& name, int count) {
  std::vector<Control*> controls;
  controls.reserve(count > 0 ? count : 0);
  for (int i = 0; i < count; ++i) controls.push_back(new Control(parent, name, i));
  return controls;
}

inline std::vector<Label*> makeLabelArray(QWidget* parent, const QString& name, int count) {
  return makeArray<Label>(parent, name, count);
}
inline std::vector<TextBox*> makeTextBoxArray(QWidget* parent, const QString& name, int count) {
  return makeArray<TextBox>(parent, name, count);
}
inline std::vector<ComboBox*> makeComboBoxArray(QWidget* parent, const QString& name, int count) {
  return makeArray<ComboBox>(parent, name, count);
}
inline std::vector<CheckBox*> makeCheckBoxArray(QWidget* parent, const QString& name, int count) {
  return makeArray<CheckBox>(parent, name, count);
}

}  // namespace ui

#pragma once

#include "core/definitions.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace maps {

// What sets a short-text entry apart from a long-text one.
struct MapTextKind {
  const char* formName;
  const char* caption;
  std::size_t width;  // characters stored
  int count;          // texts in the map
  bool multiLine;
  const char* reminder;     // a line under the box, or null
  const char* lengthLabel;  // name of the label that shows the length
  const std::string& (core::MapRecord::*read)(int) const;
  void (core::MapRecord::*write)(int, std::string_view);
  const char* stepName;  // the undo step of a store: "Map Text" and the text's number
};

// The entry dialog of one map text: the box shows it without its
// padding and gives it back unchanged until it is edited, the length label follows every change,
// and "OK" stores the box, cut or padded, into the map record in memory and announces the
// change. A typed line break takes the form the text already uses, LF where it has none. The box
// takes no more characters than are stored.
//
// The dialog edits the text `TextIndex` named when it opened, and another only when its own list
// opens one (openText): the short and long text dialogs share `TextIndex`, and a store in one
// never moves the other. A repaint puts the stored text back only when the map changed under
// the text; being covered or activated never costs typing.
class MapTextEntryForm : public ui::Form {
  Q_OBJECT

 public:
  MapTextEntryForm(const MapTextKind& kind, core::ModDefinitions& defs, QWidget* parent = nullptr);

  unsigned watchedChanges() const override { return core::MapChanged; }

  // Edits text `index` from now on (the designer picked it in the list).
  void openText(int index);

 protected:
  void Form_Load() override;
  void Form_Paint() override;
  void Text1_Change();
  void Command1_Click();
  void Command2_Click();

 private:
  // Drops what the last edit of a long text added beyond the stored width, at the place it was
  // added (a one-line box refuses it as it is typed).
  bool refuseOverflow();
  void showLength();
  ui::FieldBox* field() const;
  void setBoxText(const QString& text);

  const MapTextKind& kind_;
  core::ModDefinitions& defs_;
  ui::Label* Label1_;
  // Text1 is a one-line box for a text, several lines for a long text: one of the two is set.
  ui::TextBox* line_ = nullptr;
  ui::TextArea* area_ = nullptr;
  QWidget* Text1_;
  ui::Label* lengthLabel_;
  ui::Button* Command1_;
  ui::Button* Command2_;
  int textIndex_ = -1;     // the text this dialog edits
  int shownIndex_ = -1;    // the text the box was filled from
  std::string shownText_;  // ... as it was stored then
  int lastEditEnd_ = 0;    // where the last edit of a long text ended
};

}  // namespace maps

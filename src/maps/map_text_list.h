#pragma once

#include "core/definitions.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/forms_registry.h"

#include <string>
#include <vector>

class QHBoxLayout;

namespace maps {

// What sets the short-text list apart from the long-text one.
struct MapTextListKind {
  const char* formName;
  const char* caption;
  int rows;               // rows shown at once
  int textWidth;          // characters a row shows before it is cut off on screen
  const char* entryForm;  // the dialog a click on a row opens
  const std::string& (core::MapRecord::*read)(int) const;
};

// A page of map texts: Label1 numbers each row (" 17:"), Label2 shows the text as stored, and a
// click on a row hands its number over in TextIndex and opens the entry dialog. "OK" closes.
class MapTextListForm : public ui::Form {
  Q_OBJECT

 public:
  MapTextListForm(const MapTextListKind& kind, core::ModDefinitions& defs,
                  ui::FormsRegistry& registry, QWidget* parent = nullptr);

  unsigned watchedChanges() const override { return core::MapChanged; }

 protected:
  void Form_Paint() override;
  void Label2_Click(int row);
  void Command2_Click();

  // The text shown in row 0.
  virtual int firstText() const { return 0; }
  // The buttons' row, "OK" last; a list adds its own buttons in front of it.
  QHBoxLayout* buttons() const { return buttons_; }

  core::ModDefinitions& defs_;

 private:
  const MapTextListKind& kind_;
  ui::FormsRegistry& registry_;
  std::vector<ui::Label*> Label1_;
  std::vector<ui::Label*> Label2_;
  QHBoxLayout* buttons_;
};

}  // namespace maps

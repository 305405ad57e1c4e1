#pragma once

#include "maps/map_text_list.h"

namespace maps {

// The 51 short texts of the map, 17 to a page over three pages. The page shown (TextPage)
// outlives the window, and the paging buttons follow it from the moment the window opens.
class frmTextEd : public MapTextListForm {
  Q_OBJECT

 public:
  static constexpr int RowsPerPage = 17;
  static constexpr int LastPage = 2;

  frmTextEd(core::ModDefinitions& defs, ui::FormsRegistry& registry, QWidget* parent = nullptr);

 protected:
  void Form_Load() override;
  int firstText() const override { return RowsPerPage * defs_.TextPage; }
  void Command1_Click();
  void Command3_Click();

 private:
  void setPagingButtons();

  ui::Button* Command1_;
  ui::Button* Command3_;
};

}  // namespace maps

#pragma once

#include "core/definitions.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/entry_pager.h"
#include "ui/form.h"
#include "ui/forms_registry.h"
#include "ui/paging_buttons.h"

#include <array>
#include <memory>
#include <vector>

namespace spells {

// The spell editor: one entry of Mag.dat at a time, paged, saved in its slot or appended as a
// new spell. It shows and edits the spell working record.
class frmMagicEd : public ui::Form {
  Q_OBJECT

 public:
  frmMagicEd(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
             QWidget* parent = nullptr);

  // The list window picks through here, so the question about unsaved changes comes first.
  ui::EntryPager& pager() { return *pager_; }

  unsigned watchedChanges() const override { return core::SpellsChanged; }

  void move_mag_to_screen();
  // The screen into `spell`; the caption of the first number box that cannot be stored (and
  // `spell` unchanged), or empty.
  QString move_screen_to_mag(core::SpellRecord& spell) const;

 protected:
  void Form_Load() override;
  void Form_Paint() override;
  bool Form_QueryUnload() override;

 private:
  void buildControls();
  ui::EntryPager::Hooks pagerHooks();
  bool unsaved() const;
  core::Status readEntry(long entry, ui::PageMove move);
  core::Status announced(const core::Status& status);

  void Combo2_Click(int position);
  void Text10_Change();
  void Text11_Change();
  void Command5_Click();

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::FormsRegistry& registry_;
  std::unique_ptr<ui::EntryPager> pager_;

  ui::Button *Command7_, *Command1_, *Command4_, *Command8_, *Command5_;
  ui::Button* cmdWhereUsed_ = nullptr;
  ui::Label* MainLabel_;
  ui::PagingButtons* paging_;
  ui::TextBox *Text1_, *Text10_;
  ui::TextArea* Text11_;
  // Text2 .. Text20 by their number; the names the design gives the number boxes.
  std::array<ui::TextBox*, 21> number_{};
  ui::ComboBox *Combo1_, *Combo2_, *Combo3_, *Combo4_;
  ui::Frame* Frame2_;
  std::vector<ui::CheckBox*> Check1_;
  ui::CheckBox* Check2_;
  ui::Button* Command9_;
  ui::Label *Label17_, *Label18_, *Label19_, *Label13_;
  ui::Button *Command2_, *Command3_;
};

}  // namespace spells

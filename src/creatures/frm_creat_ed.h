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
#include <optional>
#include <vector>

namespace creatures {

// The creature editor: Mon.dat entry by entry in the creature working record, with paging,
// save, append as a new entry, and the creature list, picture and special effects beside it.
class frmCreatEd : public ui::Form {
  Q_OBJECT

 public:
  frmCreatEd(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
             QWidget* parent = nullptr);
  ~frmCreatEd() override;

  // The paging and saving shared with the other catalogue editors; the creature list picks
  // through it so that unsaved changes are asked about.
  ui::EntryPager& pager() { return *pager_; }

  unsigned watchedChanges() const override { return core::CreaturesChanged; }

  void move_mon_to_screen();
  // Takes the screen into `creature` (all but CreatureNo and CreatureSpecials). Returns the
  // caption of the first number box that cannot be stored, and then changes nothing.
  QString move_screen_to_mon(core::CreatureRecord& creature) const;

 protected:
  void Form_Paint() override;
  bool Form_QueryUnload() override;
  void Form_Unload() override;

 private:
  void buildControls();
  // Tab visits the controls as the screen shows them: row by row, left to right.
  void orderTabStops();
  // "Save vs. Spell" and so on: the name of saving throw box `category` in messages and tips.
  static QString SaveCaption(int category);
  // A number box, the caption a refusal names it by, and its field in `creature`.
  struct NumberBox {
    ui::TextBox* box;
    QString caption;
    std::int16_t* field;
  };
  std::vector<NumberBox> numberBoxes(core::CreatureRecord& creature) const;
  ui::EntryPager::Hooks pagerHooks();
  bool hasUnsavedChanges() const;
  void showSpecialEffects();
  void creaturesChanged();

  void Command5_Click();  // Show List
  void Command6_Click();  // View
  void Command9_Click();  // Edit

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::FormsRegistry& registry_;
  std::unique_ptr<ui::EntryPager> pager_;
  // The working record as the screen last showed it; a repaint that finds only the special
  // slots changed updates "Special Effects" and keeps the designer's typing.
  std::optional<core::CreatureRecord> shownRecord_;
  long shownCount_ = -1;
  long shownEntry_ = -1;

  ui::Label* MainLabel_ = nullptr;
  ui::PagingButtons* paging_ = nullptr;
  ui::Button *Command1_ = nullptr, *Command2_ = nullptr, *Command3_ = nullptr, *Command4_ = nullptr,
             *Command5_ = nullptr, *Command6_ = nullptr, *Command7_ = nullptr, *Command8_ = nullptr,
             *Command9_ = nullptr;
  ui::Button* cmdWhereUsed_ = nullptr;
  ui::TextBox *Text1_ = nullptr, *Text2_ = nullptr, *Text3_ = nullptr, *Text4_ = nullptr,
              *Text5_ = nullptr, *Text6_ = nullptr, *Text7_ = nullptr, *Text8_ = nullptr,
              *Text9_ = nullptr, *Text10_ = nullptr, *Text11_ = nullptr, *Text12_ = nullptr,
              *Text13_ = nullptr, *Text14_ = nullptr, *Text15_ = nullptr, *Text16_ = nullptr,
              *Text17_ = nullptr, *Text18_ = nullptr, *Text19_ = nullptr, *Text21_ = nullptr,
              *Text22_ = nullptr;
  std::vector<ui::TextBox*> Text20_;
  ui::ComboBox *Combo1_ = nullptr, *Combo2_ = nullptr, *Combo3_ = nullptr;
  ui::CheckBox* Check1_ = nullptr;
};

}  // namespace creatures

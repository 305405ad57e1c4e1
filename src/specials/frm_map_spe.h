#pragma once

#include "core/definitions.h"
#include "specials/special_screen.h"
#include "ui/catalogue_names.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/forms_registry.h"

#include <QString>

#include <array>
#include <map>

class QAbstractItemModel;
class QStringListModel;

namespace specials {

// The special square editor: one special of the map in memory, CurrentSpecial, edited in place.
// Every change of a field that others depend on stores the window and rebuilds it from the
// record; "OK" stores everything once more. Nothing here writes Maps.dat.
//
// The special stays on its own square (a new one on the square selected when the window was
// filled), which the caption names: "Special 12 at 16X, 15Y". Only "OK" moves it to another
// selected square, and asks first.
class frmMapSpe : public ui::Form {
  Q_OBJECT

 public:
  frmMapSpe(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
            QWidget* parent = nullptr);
  ~frmMapSpe() override;

  unsigned watchedChanges() const override;

 protected:
  void Form_Paint() override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // --- Building the window (frm_map_spe_layout.cpp) ---
  void buildControls();
  void placeControls();
  void connectHandlers();

  // --- Handlers ---
  void CheckForChange();
  void Command1_Click();
  void Command2_Click();

  // The window as the special it stores on square (x, y).
  StoreResult screenAsSpecial(std::int16_t x, std::int16_t y) const;
  // The one place where a store changes the map record and says so; marks the refused boxes.
  void storeSpecial(const StoreResult& stored, const std::string& step);
  // Rebuilds from the record after a store, keeping what is being typed.
  void showStored();
  ScreenReading readScreen() const;
  // The square the special is on, by the record; a free entry keeps the square selected when
  // the window was filled.
  void followPlace(bool filledAnew);
  bool selectionIsElsewhere() const;

  // --- The rebuild ---
  bool editsAnEntry() const;
  ScreenPlan planNow();
  // Shows `plan`. With keepTyping, a box that kept its field and reads as the stored value (or
  // was refused) keeps its text and cursor: the designer may be typing in it.
  void rebuild(const ScreenPlan& plan, bool keepTyping);
  void showBox(Box which, const BoxPlan& plan, bool keepTyping);
  void showList(List which, const ListPlan& plan);
  QAbstractItemModel* modelFor(ListSource source);
  void markRefused(Box which, bool refused);
  QString boxName(Box which) const;

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::FormsRegistry& registry_;

  ui::Label* Label1_ = nullptr;
  std::array<ui::Label*, CaptionCount> captions_{};  // Label2..Label10
  std::array<ui::TextBox*, BoxCount> boxes_{};       // Text1..Text6
  ui::ComboBox* Combo1_ = nullptr;
  std::array<ui::ComboBox*, ListCount> lists_{};  // Combo2, Combo3, Combo4, Combo5, Combo7
  ui::ComboBox* Combo6_ = nullptr;
  ui::Button* Command1_ = nullptr;
  ui::Button* Command2_ = nullptr;

  std::map<ListSource, QStringListModel*> fixedLists_;
  std::map<ListSource, ui::CatalogueNames*> catalogueLists_;
  ScreenPlan shown_;
  int shownSpecial_ = -1;  // the entry the controls show; -1 before the first rebuild
  std::int16_t placeX_ = 0, placeY_ = 0;  // the square the special is stored on
  bool storing_ = false;  // the rebuild that follows a store keeps what is being typed
  std::array<bool, BoxCount> refused_{};
};

}  // namespace specials

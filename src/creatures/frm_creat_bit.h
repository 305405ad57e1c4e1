#pragma once

#include "core/definitions.h"
#include "ui/controls.h"
#include "ui/picture_viewer.h"
#include "ui/window_ids.h"

namespace creatures {

// The picture of the creature in the working record: Data/MonN.bmp for its stored Bitmap N
// (a number typed but not saved is not shown). Follows the working record as it changes.
class frmCreatBit : public ui::PictureForm {
  Q_OBJECT

 public:
  explicit frmCreatBit(core::ModDefinitions& defs, QWidget* parent = nullptr)
      : ui::PictureForm(ui::window::CreaturePicture, parent), defs_(defs) {}

  unsigned watchedChanges() const override { return core::CreaturesChanged; }

 protected:
  // The caption goes with the picture: the name as stored, trailing blanks kept.
  void Form_Paint() override {
    setWindowTitle(ui::ToShownText(defs_.Creature.CreatureName));
    ui::PictureForm::Form_Paint();
  }
  std::filesystem::path picturePath() const override {
    return ui::NumberedPicturePath(defs_, "Mon", defs_.Creature.Bitmap);
  }

 private:
  core::ModDefinitions& defs_;
};

}  // namespace creatures

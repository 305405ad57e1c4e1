#pragma once

#include "core/definitions.h"
#include "ui/picture_viewer.h"

namespace maps {

// The picture that the draw-picture special CurrentSpecial names by its Param1, from
// Data/MapN.bmp. It follows a stored change of the number at once.
class frmMapBit : public ui::PictureForm {
  Q_OBJECT

 public:
  explicit frmMapBit(const core::ModDefinitions& defs, QWidget* parent = nullptr);

  unsigned watchedChanges() const override { return core::MapChanged; }

 protected:
  std::filesystem::path picturePath() const override;

 private:
  const core::ModDefinitions& defs_;
};

}  // namespace maps

#pragma once

#include "core/definitions.h"
#include "ui/form.h"

#include <filesystem>
#include <string_view>

namespace ui {

class Label;
class PictureBox;

// The bitmap of number `number` in a numbered series of the Data folder, letter case ignored:
// ("Map", 12) is Data/Map12.bmp and ("Mon", -3) is Data/Mon-3.bmp (plain decimal, no blanks).
std::filesystem::path NumberedPicturePath(const core::ModDefinitions& defs, std::string_view prefix,
                                          long number);

// A window that shows one bitmap file in its picture box `Picture1` and fits itself to it.
//
// Every paint asks picturePath() and loads that file afresh, so the window follows a stored
// change of the number behind it as soon as it repaints (let watchedChanges() name the change).
// A missing or unreadable file leaves the picture empty and names the file in the line
// `PictureProblem` under it; no message box is ever shown, so a repaint cannot pile them up.
// Only Windows bitmaps are read, whatever the content of a file named .bmp.
class PictureForm : public Form {
  Q_OBJECT

 public:
  explicit PictureForm(const QString& name, QWidget* parent = nullptr);

  PictureBox* picture() const { return picture_; }
  // The text naming a missing or unreadable file; empty while a picture is shown.
  QString problem() const;

  // Loads `path` into Picture1, or empties it and names the file; then fits the window to what
  // it shows. True when the picture was loaded.
  bool showPicture(const std::filesystem::path& path);

 protected:
  // The file to show, asked on every paint.
  virtual std::filesystem::path picturePath() const = 0;
  void Form_Paint() override;

 private:
  void fitWindow();

  PictureBox* picture_;
  Label* problem_;
};

}  // namespace ui

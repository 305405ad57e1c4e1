#include "ui/picture_viewer.h"

#include "ui/controls.h"
#include "ui/picture_box.h"

#include <QImageReader>
#include <QLayout>
#include <QVBoxLayout>

#include <string>
#include <system_error>

namespace ui {

std::filesystem::path NumberedPicturePath(const core::ModDefinitions& defs, std::string_view prefix,
                                          long number) {
  return defs.DataFile(std::string(prefix) + std::to_string(number) + ".bmp");
}

PictureForm::PictureForm(const QString& name, QWidget* parent)
    : Form(name, parent),
      picture_(new PictureBox(body(), QStringLiteral("Picture1"))),
      problem_(new Label(body(), QStringLiteral("PictureProblem"))) {
  closeOnEscape();
  problem_->setTextFormat(Qt::PlainText);
  problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  problem_->setContentsMargins(8, 8, 8, 8);
  problem_->setContentsMargins(8, 8, 8, 8);
  problem_->hide();
  auto* layout = new QVBoxLayout(body());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(picture_, 0, Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(problem_);
  // The window takes the size of what it shows: the picture, or the line naming the file.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Form::layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QString PictureForm::problem() const {
  return problem_->isHidden() ? QString() : problem_->text();
}

void PictureForm::Form_Paint() {
  showPicture(picturePath());
}

bool PictureForm::showPicture(const std::filesystem::path& path) {
  const QString shown = QString::fromStdString(path.string());
  std::error_code error;
  QImage image;
  if (std::filesystem::is_regular_file(path, error)) {
    QImageReader reader(shown, "bmp");
    reader.setAutoDetectImageFormat(false);
    image = reader.read();
    if (image.isNull())
      problem_->setText(tr("The picture %1 cannot be read: %2.").arg(shown, reader.errorString()));
  } else {
    problem_->setText(tr("The picture %1 is missing.").arg(shown));
  }
  picture_->setBackground(image);
  problem_->setVisible(image.isNull());
  fitWindow();
  return !image.isNull();
}

void PictureForm::fitWindow() {
  body()->layout()->activate();
  adjustSize();
}

}  // namespace ui

#include "ui/dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

std::optional<QString> QtDialogs::inputBox(QWidget* parent, const QString& prompt,
                                           const QString& title, const QString& defaultAnswer) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultAnswer, &ok);
  if (!ok) return std::nullopt;
  return answer;
}

void QtDialogs::messageBox(QWidget* parent, const QString& text, const QString& title) {
  QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

Dialogs::SaveChoice QtDialogs::askSaveDiscardCancel(QWidget* parent, const QString& text,
                                                    const QString& title) {
  const auto button = QMessageBox::question(
      parent, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
      QMessageBox::Save);
  if (button == QMessageBox::Save) return SaveChoice::Save;
  if (button == QMessageBox::Discard) return SaveChoice::Discard;
  return SaveChoice::Cancel;
}

Dialogs::MoveChoice QtDialogs::askMoveKeepCancel(QWidget* parent, const QString& text,
                                                 const QString& title) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Cancel, parent);
  QPushButton* move = box.addButton("Move", QMessageBox::AcceptRole);
  QPushButton* keep = box.addButton("Keep Place", QMessageBox::AcceptRole);
  box.setDefaultButton(move);
  box.exec();
  if (box.clickedButton() == move) return MoveChoice::Move;
  if (box.clickedButton() == keep) return MoveChoice::KeepPlace;
  return MoveChoice::Cancel;
}

bool QtDialogs::askConfirm(QWidget* parent, const QString& text, const QString& title,
                           const QString& action) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Cancel, parent);
  QPushButton* confirm = box.addButton(action, QMessageBox::DestructiveRole);
  box.setDefaultButton(QMessageBox::Cancel);
  box.exec();
  return box.clickedButton() == confirm;
}

bool QtDialogs::askOpenAnyway(QWidget* parent, const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
  QPushButton* openAnyway = box.addButton("Open Anyway", QMessageBox::AcceptRole);
  QPushButton* quit = box.addButton("Quit", QMessageBox::RejectRole);
  box.setDefaultButton(quit);
  box.setEscapeButton(quit);
  box.exec();
  return box.clickedButton() == openAnyway;
}

QString QtDialogs::chooseDirectory(QWidget* parent, const QString& caption) {
  return QFileDialog::getExistingDirectory(parent, caption);
}

}  // namespace ui

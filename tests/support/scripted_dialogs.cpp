#include "support/scripted_dialogs.h"

namespace ui {

std::optional<QString> ScriptedDialogs::inputBox(QWidget*, const QString& prompt,
                                                 const QString& title,
                                                 const QString& defaultAnswer) {
  shown_.push_back(Shown{Kind::Input, prompt, title, defaultAnswer, {}});
  if (inputs_.empty()) {
    ++unanswered_;
    return std::nullopt;
  }
  const QueuedInput input = inputs_.front();
  inputs_.pop_front();
  if (input.cancelled) return std::nullopt;
  return input.answer;
}

void ScriptedDialogs::messageBox(QWidget*, const QString& text, const QString& title) {
  shown_.push_back(Shown{Kind::Message, text, title, {}, {}});
}

Dialogs::SaveChoice ScriptedDialogs::askSaveDiscardCancel(QWidget*, const QString& text,
                                                          const QString& title) {
  shown_.push_back(Shown{Kind::SaveQuestion, text, title, {}, {}});
  if (saveChoices_.empty()) {
    ++unanswered_;
    return SaveChoice::Cancel;
  }
  const SaveChoice choice = saveChoices_.front();
  saveChoices_.pop_front();
  return choice;
}

Dialogs::MoveChoice ScriptedDialogs::askMoveKeepCancel(QWidget*, const QString& text,
                                                       const QString& title) {
  shown_.push_back(Shown{Kind::MoveQuestion, text, title, {}, {}});
  if (moveChoices_.empty()) {
    ++unanswered_;
    return MoveChoice::Cancel;
  }
  const MoveChoice choice = moveChoices_.front();
  moveChoices_.pop_front();
  return choice;
}

bool ScriptedDialogs::askConfirm(QWidget*, const QString& text, const QString& title,
                                 const QString& action) {
  const bool overwrite = action == QStringLiteral("Overwrite");
  shown_.push_back(Shown{overwrite ? Kind::OverwriteQuestion : Kind::ConfirmQuestion,
                         text,
                         title,
                         {},
                         overwrite ? QString() : action});
  std::deque<bool>& answers = overwrite ? overwrites_ : confirms_;
  if (answers.empty()) {
    ++unanswered_;
    return false;
  }
  const bool confirmed = answers.front();
  answers.pop_front();
  return confirmed;
}

bool ScriptedDialogs::askOpenAnyway(QWidget*, const QString& text, const QString& title) {
  shown_.push_back(Shown{Kind::OpenAnywayQuestion, text, title, {}, {}});
  if (openAnyways_.empty()) {
    ++unanswered_;
    return false;
  }
  const bool openAnyway = openAnyways_.front();
  openAnyways_.pop_front();
  return openAnyway;
}

QString ScriptedDialogs::chooseDirectory(QWidget*, const QString& caption) {
  shown_.push_back(Shown{Kind::Directory, caption, {}, {}, {}});
  if (directories_.empty()) {
    ++unanswered_;
    return {};
  }
  QString path = directories_.front();
  directories_.pop_front();
  return path;
}

std::vector<QString> ScriptedDialogs::messages() const {
  std::vector<QString> texts;
  for (const Shown& s : shown_)
    if (s.kind == Kind::Message) texts.push_back(s.prompt);
  return texts;
}

int ScriptedDialogs::pendingAnswers() const {
  return static_cast<int>(inputs_.size() + saveChoices_.size() + moveChoices_.size() +
                          overwrites_.size() + confirms_.size() + openAnyways_.size() +
                          directories_.size());
}

}  // namespace ui

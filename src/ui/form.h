#pragma once

#include <QMainWindow>
#include <QString>

class QMenu;
class QAction;

namespace ui {

// Base of every window. A window is written in the old vocabulary: it builds its controls in its
// constructor (inside body()), reads the shared records in Form_Load, and rebuilds what it shows
// from the records in Form_Paint.
//
// Paint runs when the window is shown (first show, or show after hide), on refresh(), and when
// another window changed shared state that this window watches (see ChangeHub). It never runs
// merely because the window was covered, uncovered or activated, so typing that was not stored
// yet survives those.
//
// Closing a window discards it (it is deleted later by the event loop); the forms registry then
// creates a fresh one on the next show.
class Form : public QMainWindow {
  Q_OBJECT

 public:
  // `name` becomes the objectName (the old form name, e.g. "frmMapEd").
  explicit Form(const QString& name, QWidget* parent = nullptr);
  ~Form() override;

  // Where the window puts its controls and layouts (the central widget).
  QWidget* body() const { return body_; }

  // Non-modal show: loads on first show, paints when the window becomes visible, and only raises
  // a window that is already visible.
  void showForm();
  void hideForm();
  // Runs Form_Paint at once (loading first if needed). A refresh asked for during a paint runs
  // once, right after that paint.
  void refresh();
  // Asks Form_QueryUnload, then runs Form_Unload and discards the window. False when refused.
  bool closeForm();

  bool isLoaded() const { return loaded_; }
  // True from the moment the close was accepted, even before the object is deleted.
  bool isClosed() const { return closed_; }

  // The StateChange bits (core/definitions.h) whose changes this window shows.
  virtual unsigned watchedChanges() const { return 0; }
  // The origin to pass to ModDefinitions::NotifyChanged for changes this window makes, so that
  // the change hub does not repaint the window that made them.
  const void* changeOrigin() const { return static_cast<const Form*>(this); }

  // Menus of the old design: a top-level menu and its entries, named for tests and tools. A menu
  // of that name that already exists is given back, its caption kept.
  QMenu* addMenu(const QString& name, const QString& caption);
  QAction* addMenuEntry(QMenu* menu, const QString& name, const QString& caption);

 signals:
  // The close was accepted: the window is discarded and may outlive the shared state it showed.
  void unloaded();

 protected:
  // Escape closes the window as its close box does: for a secondary window (a list, an entry
  // box, a picture), which stores nothing on closing.
  void closeOnEscape();

  virtual void Form_Load() {}
  virtual void Form_Paint() {}
  virtual void Form_Resize() {}
  // False keeps the window open (for example when the user cancels a save question).
  virtual bool Form_QueryUnload() { return true; }
  virtual void Form_Unload() {}

  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ensureLoaded();
  void runPaint();

  QWidget* body_;
  bool loaded_ = false;
  bool closed_ = false;
  bool painting_ = false;
  bool repaintAsked_ = false;
};

}  // namespace ui

#pragma once

#include "core/catalogue.h"
#include "core/packing.h"
#include "core/status.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QObject;
class QWidget;

namespace ui {

// Which way the pager moves: some editors read "<" into the working record only.
enum class PageMove { First, Previous, Next, Last, Pick };

// The part every catalogue editor (items, creatures, spells, shops) shares: paging with its
// guards, the question about unsaved changes before the entry on screen is left, the refusal of
// numbers that cannot be stored, the question when another editor changed the entry on disk,
// the empty catalogue and the 32767 limit. The form keeps only what is its own, given as Hooks.
class EntryPager {
 public:
  struct Hooks {
    QString noun;                 // "item": "Save changes to item 5?"
    QString newCaption;           // the append button: "New Item"
    QString savedMessage;         // shown after a save ("Creature Saved"); empty for none
    std::function<long()> count;  // entries in the catalogue
    // The place the working record was read from (0: none), not the number it carries: paging
    // goes from slot to slot, and a save writes back to the same slot.
    std::function<long()> shown;
    // Reads entry n into the working record (and the scratch record where the editor wants it).
    std::function<core::Status(long entry, PageMove move)> read;
    // move_screen_to_x into the working record. Returns the caption of the first field that
    // cannot be stored, and then takes nothing; empty when all was taken.
    std::function<QString()> takeScreen;
    // The screen, with what other windows edited in the working record, differs from the entry
    // as this editor last read or stored it (DiffersFromStored).
    std::function<bool()> unsaved;
    // Write the working record to its slot; `overwrite` as in core's writes.
    std::function<core::Status(bool overwrite)> write;
    // Append it after the last entry on disk; as core's appends, changedOnDisk() when another
    // editor added entries (count() then gives the file's count).
    std::function<core::Status()> append;
    // move_x_to_screen.
    std::function<void()> show;
    // The name of entry n as lists show it, for "Go To..."; may read the name cache.
    std::function<QString(long entry)> name;
  };

  EntryPager(QWidget* window, Dialogs& dialogs, Hooks hooks);
  ~EntryPager();
  EntryPager(const EntryPager&) = delete;
  EntryPager& operator=(const EntryPager&) = delete;

  // "Record 5 of 12".
  QString recordLine() const;
  // From now on the window's title names the entry shown, as `name` gives its stored name:
  // "Ember Dart - Spell Editor", marked while it holds unsaved changes. Set after each paint.
  void nameInTitle(std::function<std::string()> name);
  // The place of the entry on screen (0: none).
  long shown() const { return hooks_.shown(); }
  // Shows the working record (read again by someone else, an undo) with its name in the title.
  void showEntry();

  // "<<", "<", ">", ">>": nothing beyond the ends or in an empty catalogue; each asks about
  // unsaved changes first. Ctrl+Home and Ctrl+End page to the first and last entry from any
  // control of the window, a text box too.
  void first();
  void previous();
  void next();
  void last();
  // Shows entry n (a pick from a list), after asking about unsaved changes. False when the
  // designer cancelled or the read failed.
  bool pick(long entry);
  // "Go To...": asks for an entry's number or part of its name and shows that entry as a pick
  // does. A name goes to the entry of that whole name, else to the next one after the entry
  // shown whose name holds the text. False when nothing was shown.
  bool goTo();
  // The entry `answer` names by number or name as goTo() finds it; 0 when none.
  long findEntry(const QString& answer) const;

  // Before the entry on screen is dropped (another entry, closing the window): asks "Save
  // changes to item 5?" when there are unsaved changes. False keeps everything as it was.
  bool mayLeave();
  // The entry on screen differs from the one stored (what mayLeave asks about).
  bool unsaved() const;

  // "Save": takes the screen and writes the entry. False when refused, cancelled or failed (a
  // message said why, and the typing stays on screen).
  bool save();
  // "New": takes the screen and appends it as the last entry; when another editor added
  // entries, asks before adding it after them. False as for save().
  bool append();

 private:
  bool moveTo(long entry, PageMove move);
  bool takeScreen(const QString& refusedAction);
  // Runs a write; on a change made on disk by someone else asks `question` and writes again.
  bool writeAsking(const std::function<core::Status(bool)>& write, const QString& question);
  QString appendQuestion(long known) const;
  void showInTitle() const;
  void tell(const QString& message) const;
  void say(const QString& done) const;

  QWidget* window_;
  Dialogs& dialogs_;
  Hooks hooks_;
  std::function<std::string()> name_;
  std::unique_ptr<QObject> pagingKeys_;  // Ctrl+Home and Ctrl+End, whatever has the focus
};

// The question before a write over another editor's change: "Item 5 was changed on disk since
// it was opened. Overwrite it?" (`since`: "it was opened").
QString ChangedOnDiskQuestion(const QString& subject, const QString& since);

// One number box of an editor and the field it stores.
struct NumberField {
  const TextBox* box;
  QString caption;  // as the window labels it, for the refusal message
  std::int16_t* field;
};

// The catalogue editors read their number boxes as whole numbers. Every box is converted before
// any field changes: returns the caption of the first box that cannot be stored (and changes
// nothing), or an empty string when every field took its box.
QString TakeWholeNumbers(const std::vector<NumberField>& fields);

// A coded field shown in a list where position p stands for code p + firstCode. A code with no
// position shows no selection.
void ShowCode(ComboBox* list, int code, int firstCode);
// The code of the list's position; with no selection the stored code is kept, so a value the
// list cannot show survives a save that did not touch the list.
std::int16_t CodeFromList(const ComboBox* list, int firstCode, std::int16_t stored);

// True when `screen` differs from entry n as this editor last read or stored it (or it never
// read it). The disk is not read: that would take another editor's change for this one's, and
// the save after the question would overwrite it without asking.
template <class Record>
bool DiffersFromStored(const core::Catalogue<Record>& catalogue, long entry, const Record& screen) {
  const std::optional<Record> stored = catalogue.LastSeen(entry);
  if (!stored) return true;
  return core::Packed(*stored) != core::Packed(screen);
}

}  // namespace ui

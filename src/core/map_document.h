#pragma once

#include "core/map_history.h"
#include "core/map_record.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace core {

// A rectangle of squares, both corners included; empty when right < left.
struct SquareRect {
  int left = 0;
  int top = 0;
  int right = -1;
  int bottom = -1;

  // The rectangle spanned by two corners given in any order.
  static SquareRect Spanning(int x0, int y0, int x1, int y1);
  static SquareRect WholeMap() { return {0, 0, MapSize - 1, MapSize - 1}; }

  bool empty() const { return right < left || bottom < top; }
  int width() const { return empty() ? 0 : right - left + 1; }
  int height() const { return empty() ? 0 : bottom - top + 1; }
  bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
  // The smallest rectangle holding both.
  SquareRect united(const SquareRect& other) const;
  friend bool operator==(const SquareRect&, const SquareRect&) = default;
};

// What one change to the map touched, for the windows that show it.
struct MapChange {
  enum Part : unsigned {
    Squares = 1u << 0,     // the square words inside `squares`
    Specials = 1u << 1,    // the entries in `specials`
    Texts = 1u << 2,       // the texts in `texts` and the long texts in `longTexts`
    Properties = 1u << 3,  // the map's numbers and encounter slots, and its number in the editor
    Selection = 1u << 4,   // the selected square or region
    Replaced = 1u << 5,    // another map altogether (New, Open): everything
  };
  unsigned parts = 0;
  SquareRect squares;
  std::vector<int> specials;
  std::vector<int> texts;
  std::vector<int> longTexts;
  const void* origin = nullptr;  // the window that made it, if any

  // What differs between two states of the map.
  static MapChange Between(const MapRecord& before, const MapRecord& after);
};

// The map being edited: its record, its number in the editor, the state it was last loaded or
// saved in, the undo history and the selection. Every change goes through here as one named
// undo step, and every observer hears what it touched, so no window commits or repaints by hand.
// The number and the selected square live in the hand-over Integers that other windows read
// (CurrentMap, SelectedX, SelectedY); the document is their only writer.
class MapDocument {
 public:
  using Edit = std::function<void(MapRecord&)>;
  using Observer = std::function<void(const MapChange&)>;

  MapDocument(std::int16_t& number, std::int16_t& selectedX, std::int16_t& selectedY);
  MapDocument(const MapDocument&) = delete;
  MapDocument& operator=(const MapDocument&) = delete;

  const MapRecord& Map() const { return map_; }
  std::int16_t Number() const { return number_; }
  // The map differs from the state it was last loaded, saved or blanked in.
  bool IsModified() const { return !(map_ == saved_); }
  const MapHistory& History() const { return history_; }

  // --- Whole maps: the history starts afresh ---
  // `map` is now the map being edited, as loaded from (or blank for) number `number`.
  void Replace(const MapRecord& map, std::int16_t number, const void* origin = nullptr);
  // The map in memory is now the one on disk.
  void MarkSaved() { saved_ = map_; }

  // --- Changes, each one undo step named `label` ("Copy Square", "Map Text 20") ---
  // Runs `edit` on the map record. A change that changes nothing is no step and tells no one.
  bool Apply(const std::string& label, const Edit& edit, const void* origin = nullptr);
  // The map's number in the editor; the next save writes it to that slot.
  bool Renumber(std::int16_t number, const void* origin = nullptr);

  // A gesture of many changes (a wall drag) as one step: the changes between Begin and End are
  // shown as they come and taken back together. Apply inside uses the gesture's label.
  void BeginStep(const std::string& label);
  void EndStep();
  bool InStep() const { return stepOpen_; }

  bool Undo(const void* origin = nullptr);
  bool Redo(const void* origin = nullptr);

  // --- Selection ---
  int SelectedX() const { return selectedX_; }
  int SelectedY() const { return selectedY_; }
  bool SelectionOnGrid() const;
  // Selects one square and drops any region.
  void Select(int x, int y, const void* origin = nullptr);
  // A rectangle of squares (empty: none), beside the selected square.
  const SquareRect& Region() const { return region_; }
  void SetRegion(const SquareRect& region, const void* origin = nullptr);

  // --- Observers ---
  int Observe(Observer observer);
  void Unobserve(int id);

 private:
  void Tell(MapChange change);
  bool Move(bool back, const void* origin);

  MapRecord map_;
  MapRecord saved_;
  MapHistory history_;
  std::int16_t& number_;
  std::int16_t& selectedX_;
  std::int16_t& selectedY_;
  SquareRect region_;
  bool stepOpen_ = false;
  std::string stepLabel_;
  MapRecord stepStart_;
  std::int16_t stepStartNumber_ = 0;
  std::vector<std::pair<int, Observer>> observers_;
  int nextObserverId_ = 1;
};

}  // namespace core

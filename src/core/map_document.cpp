#include "core/map_document.h"

#include <algorithm>

namespace core {

SquareRect SquareRect::Spanning(int x0, int y0, int x1, int y1) {
  return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

SquareRect SquareRect::united(const SquareRect& other) const {
  if (empty()) return other;
  if (other.empty()) return *this;
  return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
          std::max(bottom, other.bottom)};
}

MapChange MapChange::Between(const MapRecord& before, const MapRecord& after) {
  MapChange change;
  for (int y = 0; y < MapSize; ++y) {
    for (int x = 0; x < MapSize; ++x) {
      if (before.Square(x, y) != after.Square(x, y))
        change.squares = change.squares.united({x, y, x, y});
    }
  }
  if (!change.squares.empty()) change.parts |= Squares;
  for (int i = 0; i < SpecialCount; ++i) {
    if (!(before.GetSpecial(i) == after.GetSpecial(i))) change.specials.push_back(i);
  }
  if (!change.specials.empty()) change.parts |= Specials;
  for (int t = 0; t < MapTextCount; ++t) {
    if (before.Text(t) != after.Text(t)) change.texts.push_back(t);
  }
  for (int t = 0; t < MapLongTextCount; ++t) {
    if (before.LongText(t) != after.LongText(t)) change.longTexts.push_back(t);
  }
  if (!change.texts.empty() || !change.longTexts.empty()) change.parts |= Texts;
  bool properties =
      before.MapNo != after.MapNo || before.HitRefresh != after.HitRefresh ||
      before.ManaRefresh != after.ManaRefresh || before.EncounterChance != after.EncounterChance ||
      before.EncounterLevel != after.EncounterLevel || before.GraphicSet != after.GraphicSet;
  for (int s = 0; s < EncounterSlotCount && !properties; ++s) {
    for (int f = 0; f < EncounterFieldCount; ++f) {
      const auto field = static_cast<EncounterField>(f);
      if (before.Encounter(s, field) != after.Encounter(s, field)) properties = true;
    }
  }
  if (properties) change.parts |= Properties;
  return change;
}

MapDocument::MapDocument(std::int16_t& number, std::int16_t& selectedX, std::int16_t& selectedY)
    : number_(number), selectedX_(selectedX), selectedY_(selectedY) {}

void MapDocument::Replace(const MapRecord& map, std::int16_t number, const void* origin) {
  stepOpen_ = false;
  map_ = map;
  saved_ = map;
  number_ = number;
  history_.Clear();
  region_ = {};
  MapChange change;
  change.parts = MapChange::Replaced | MapChange::Squares | MapChange::Specials | MapChange::Texts |
                 MapChange::Properties | MapChange::Selection;
  change.squares = SquareRect::WholeMap();
  change.origin = origin;
  Tell(std::move(change));
}

bool MapDocument::Apply(const std::string& label, const Edit& edit, const void* origin) {
  const MapRecord before = map_;
  edit(map_);
  MapChange change = MapChange::Between(before, map_);
  if (change.parts == 0) return false;
  if (!stepOpen_) history_.Record(label, before, map_, number_, number_);
  change.origin = origin;
  Tell(std::move(change));
  return true;
}

bool MapDocument::Renumber(std::int16_t number, const void* origin) {
  if (number == number_ && map_.MapNo == number) return false;
  const MapRecord before = map_;
  const std::int16_t numberBefore = number_;
  number_ = number;
  map_.MapNo = number;
  if (!stepOpen_) history_.Record("Map Number", before, map_, numberBefore, number_);
  MapChange change;
  change.parts = MapChange::Properties;
  change.origin = origin;
  Tell(std::move(change));
  return true;
}

void MapDocument::BeginStep(const std::string& label) {
  if (stepOpen_) EndStep();
  stepOpen_ = true;
  stepLabel_ = label;
  stepStart_ = map_;
  stepStartNumber_ = number_;
}

void MapDocument::EndStep() {
  if (!stepOpen_) return;
  stepOpen_ = false;
  history_.Record(stepLabel_, stepStart_, map_, stepStartNumber_, number_);
}

bool MapDocument::Undo(const void* origin) {
  return Move(true, origin);
}

bool MapDocument::Redo(const void* origin) {
  return Move(false, origin);
}

bool MapDocument::Move(bool back, const void* origin) {
  EndStep();
  const MapRecord before = map_;
  const std::int16_t numberBefore = number_;
  if (!(back ? history_.Undo(map_, &number_) : history_.Redo(map_, &number_))) return false;
  MapChange change = MapChange::Between(before, map_);
  if (number_ != numberBefore) change.parts |= MapChange::Properties;
  change.origin = origin;
  Tell(std::move(change));
  return true;
}

bool MapDocument::SelectionOnGrid() const {
  return selectedX_ >= 0 && selectedX_ < MapSize && selectedY_ >= 0 && selectedY_ < MapSize;
}

void MapDocument::Select(int x, int y, const void* origin) {
  selectedX_ = static_cast<std::int16_t>(x);
  selectedY_ = static_cast<std::int16_t>(y);
  region_ = {};
  MapChange change;
  change.parts = MapChange::Selection;
  change.origin = origin;
  Tell(std::move(change));
}

void MapDocument::SetRegion(const SquareRect& region, const void* origin) {
  if (region == region_) return;
  region_ = region;
  MapChange change;
  change.parts = MapChange::Selection;
  change.origin = origin;
  Tell(std::move(change));
}

int MapDocument::Observe(Observer observer) {
  observers_.emplace_back(nextObserverId_, std::move(observer));
  return nextObserverId_++;
}

void MapDocument::Unobserve(int id) {
  std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void MapDocument::Tell(MapChange change) {
  // An observer may unsubscribe while being told: tell a copy of the list.
  const auto observers = observers_;
  for (const auto& [id, observer] : observers) observer(change);
}

}  // namespace core

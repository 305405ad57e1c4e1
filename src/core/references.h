#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// What a stored number names.
enum class RefTarget : int { Map, Item, Creature, Shop, Spell, MapPicture, CreaturePicture, Flag };

// The files of a game folder, in the order the checker lists them.
enum class GameFile : int { Maps, Items, Shops, Creatures, Spells, SpellProgression, Pictures };

// The file's name as the designer knows it ("Maps.dat", "Data" for the pictures).
std::string_view GameFileName(GameFile file);

// Which table of a record a slot number counts in.
enum class SlotKind : int { None, Special, Encounter, Effect, CreatureSpecial, Stock };

// A place in the game's files: a file, a map or entry of it, and where inside that.
struct Place {
  Place() = default;
  Place(GameFile file, long entry, SlotKind slotKind = SlotKind::None, int slot = -1, int x = -1,
        int y = -1)
      : file(file), entry(entry), slotKind(slotKind), slot(slot), x(x), y(y) {}

  GameFile file = GameFile::Maps;
  long entry = 0;  // map or entry number; 0 for the file as a whole
  SlotKind slotKind = SlotKind::None;
  int slot = -1;       // special number, slot or stock position
  int x = -1, y = -1;  // square of a map special, when it lies on the map

  friend bool operator==(const Place&, const Place&) = default;
};

// "Map 3, square 12X, 4Y, special 7", "Item 5, effect slot 2", "Shop.dat".
std::string DescribePlace(const Place& place);

// One place that names a number: `use` says how it names it ("Exit to Building", "Stock").
struct Reference {
  RefTarget target = RefTarget::Map;
  long number = 0;
  Place place;
  std::string_view use;
};

// Every reference of a game folder, looked up by what they name. Built once by the checker's
// pass over the files; "Where Used" asks it afterwards.
class ReferenceIndex {
 public:
  void Add(Reference reference);
  // Room for this many references, when the caller can tell.
  void Reserve(std::size_t references) { references_.reserve(references); }
  // Sorts the references by target and number. The first look-up after an Add does it when it
  // was not called: a check that never looks up does not pay for it.
  void Finish() const;

  // The places that name `number` of `target`, in file order.
  std::span<const Reference> UsesOf(RefTarget target, long number) const;
  // Every reference: sorted by target and number after Finish, else in the order added.
  std::span<const Reference> All() const { return references_; }

 private:
  mutable std::vector<Reference> references_;
  mutable bool sorted_ = true;
};

}  // namespace core

#include "core/game_check.h"

#include "core/game_scan.h"

#include <array>
#include <cctype>
#include <cstdio>

namespace core {

std::string_view SeverityName(Severity severity) {
  static constexpr std::array<std::string_view, 3> names = {"error", "warning", "note"};
  return names.at(static_cast<std::size_t>(severity));
}

namespace {

struct TargetWords {
  std::string_view noun;    // "shop"
  std::string_view plural;  // "shops"
  std::string_view file;    // "Shop.dat"
};

TargetWords WordsFor(RefTarget target) {
  switch (target) {
    case RefTarget::Map:
      return {"map", "maps", "Maps.dat"};
    case RefTarget::Item:
      return {"item", "items", "Item.dat"};
    case RefTarget::Creature:
      return {"creature", "creatures", "Mon.dat"};
    case RefTarget::Shop:
      return {"shop", "shops", "Shop.dat"};
    case RefTarget::Spell:
      return {"spell", "spells", "Mag.dat"};
    case RefTarget::MapPicture:
    case RefTarget::CreaturePicture:
      return {"picture", "pictures", "Data"};
    case RefTarget::Flag:
      break;
  }
  return {"flag", "flags", ""};
}

std::string PictureName(RefTarget target, long number) {
  return (target == RefTarget::MapPicture ? "Map" : "Mon") + std::to_string(number) + ".bmp";
}

std::string JsonText(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

std::string DescribeFinding(const Finding& finding) {
  std::string message = finding.message;
  // Messages that start with a lower-case word read on after the place.
  return DescribePlace(finding.place) + ": " + message;
}

std::string FindingLine(const Finding& finding) {
  return std::string(SeverityName(finding.severity)) + ": " + DescribeFinding(finding);
}

std::string FindingsJson(const std::vector<Finding>& findings) {
  std::string out = "[";
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& f = findings[i];
    const Place& p = f.place;
    out += i == 0 ? "\n  {" : ",\n  {";
    out += "\"severity\": " + JsonText(SeverityName(f.severity));
    out += ", \"file\": " + JsonText(GameFileName(p.file));
    out += ", \"place\": " + JsonText(DescribePlace(p));
    if (p.entry != 0) out += ", \"entry\": " + std::to_string(p.entry);
    if (p.x >= 0) out += ", \"x\": " + std::to_string(p.x) + ", \"y\": " + std::to_string(p.y);
    if (p.slot >= 0) out += ", \"slot\": " + std::to_string(p.slot);
    out += ", \"message\": " + JsonText(f.message) + "}";
  }
  return out + (findings.empty() ? "]\n" : "\n]\n");
}

// --- Resolving the references -------------------------------------------------------------

const GameScan::Held* GameScan::HeldFor(RefTarget target) const {
  switch (target) {
    case RefTarget::Map:
      return &maps_;
    case RefTarget::Item:
      return &items_;
    case RefTarget::Creature:
      return &creatures_;
    case RefTarget::Shop:
      return &shops_;
    case RefTarget::Spell:
      return &spells_;
    default:
      return nullptr;
  }
}

void GameScan::Resolve() {
  for (const Reference& reference : check_.index.All()) ResolveOne(reference);
}

// The texts are made only for a reference that is found wanting: most are sound.
void GameScan::ResolveOne(const Reference& r) {
  const auto names = [&r] {
    return std::string(r.use) + " names " + std::string(WordsFor(r.target).noun) + " " +
           std::to_string(r.number) + ", but ";
  };
  if (r.target == RefTarget::Flag) {
    if (r.use == "Set Flag" || flagsSet_.count(r.number) != 0) return;
    Add(Severity::Warning, r.place,
        std::string(r.use) + " tests flag " + std::to_string(r.number) +
            ", but no Set Flag special of any map sets it");
    return;
  }
  const TargetWords words = WordsFor(r.target);
  if (r.target == RefTarget::MapPicture || r.target == RefTarget::CreaturePicture) {
    // References to one picture mostly come one after another (a catalogue read in order).
    if (r.target != lastPicture_.first || r.number != lastPicture_.second) {
      lastPicture_ = {r.target, r.number};
      std::string lower = PictureName(r.target, r.number);
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      lastPictureFound_ = pictures_.count(lower) != 0;
      lastPictureMessage_.clear();
    }
    if (lastPictureFound_) return;
    // A whole catalogue can name one missing picture: its message is made once.
    if (lastPictureMessage_.empty() || r.use != lastPictureUse_) {
      lastPictureUse_ = r.use;
      lastPictureMessage_ = names() + "Data/" + PictureName(r.target, r.number) + " is missing";
    }
    Add(Severity::Error, r.place, lastPictureMessage_);
    return;
  }
  const Held& held = *HeldFor(r.target);
  if (r.number < 1) {
    Add(Severity::Error, r.place, names() + std::string(words.noun) + " numbers start at 1");
  } else if (r.number > held.count) {
    const std::string holds = held.count == 0 ? "no " + std::string(words.plural)
                              : held.count == 1
                                  ? "1 " + std::string(words.noun)
                                  : std::to_string(held.count) + " " + std::string(words.plural);
    Add(Severity::Error, r.place, names() + std::string(words.file) + " holds " + holds);
  } else if (held.empty[static_cast<std::size_t>(r.number - 1)]) {
    Add(Severity::Warning, r.place,
        names() + std::string(words.noun) + " " + std::to_string(r.number) +
            (r.target == RefTarget::Map ? " is a slot of Maps.dat that no map was saved to"
                                        : " is empty (it has no name)"));
  }
}

Result<GameCheck> CheckGameFolder(const std::filesystem::path& folder,
                                  const CheckOptions& options) {
  GameScan scan(folder, options);
  if (Status s = scan.Run(); !s.ok()) return s;
  return std::move(scan.result());
}

std::vector<Reference> MapReferences(const MapRecord& map, long number) {
  return GameScan::ReferencesOf(map, number);
}

}  // namespace core

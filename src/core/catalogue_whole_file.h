#pragma once

// The catalogue's passes over many slots: the one chunked reader and the several-slot write.
// Included at the end of core/catalogue.h.

#include "core/catalogue.h"

#include <algorithm>
#include <new>
#include <string>

namespace core {

template <class Record>
Status Catalogue<Record>::ReadSlots(long firstSlot, std::span<std::uint8_t> out,
                                    bool remember) const {
  if (!isOpen()) return Status::Error("Cannot read " + fileName_ + ": the file is not open");
  if (firstSlot < 1) {
    return Status::Error("Cannot read " + file_.path().string() + ": slot " +
                         std::to_string(firstSlot) + " does not exist, slots start at 1");
  }
  Status status = FollowReplacedFile();
  if (!status.ok()) return status;
  constexpr std::size_t slotLength = Record::SlotLength;
  status = file_.ReadAt(static_cast<std::uint64_t>(firstSlot - 1) * slotLength, out);
  if (!status.ok()) return status;
  if (remember) RememberRead(firstSlot, out);
  return Status::Ok();
}

template <class Record>
void Catalogue<Record>::RememberRead(long firstSlot, std::span<const std::uint8_t> bytes) const {
  constexpr std::size_t slotLength = Record::SlotLength;
  for (std::size_t at = 0; at + Record::PackedSize <= bytes.size(); at += slotLength) {
    guard_.remember(firstSlot + static_cast<long>(at / slotLength),
                    bytes.subspan(at, Record::PackedSize));
  }
}

template <class Record>
Status Catalogue<Record>::WriteSlots(const std::vector<SlotBytes>& changes, bool overwrite,
                                     std::string stepLabel) {
  if (!isOpen()) return Status::Error("Cannot write " + fileName_ + ": the file is not open");
  Status status = FollowReplacedFile();
  if (!status.ok()) return status;
  const std::string where = file_.path().string();
  constexpr std::size_t slotLength = Record::SlotLength;
  auto size = file_.Size();
  if (!size.ok()) return size.status();
  std::uint64_t newSize = *size;
  for (const SlotBytes& change : changes) {
    if (change.slot < 1 ||
        static_cast<std::uint64_t>(change.slot) > catalogue_detail::LastEntrySlot)
      return Status::Error("Cannot write " + where + ": slot " + std::to_string(change.slot) +
                           " cannot hold an entry");
    if (change.bytes.size() > slotLength)
      return Status::Error("Cannot write " + where + ": " + std::to_string(change.bytes.size()) +
                           " bytes do not fit a slot of " + std::to_string(slotLength));
    newSize = std::max(newSize, static_cast<std::uint64_t>(change.slot) * slotLength);
  }

  std::vector<std::uint8_t> contents;
  try {
    contents.resize(static_cast<std::size_t>(newSize));
  } catch (const std::bad_alloc&) {
    return Status::Error("Cannot write " + where + ": there is not enough memory");
  }
  status = file_.ReadAt(0, std::span(contents).first(static_cast<std::size_t>(*size)));
  if (!status.ok()) return status;
  const auto slotAt = [&contents](long slot) {
    return std::span(contents).subspan(static_cast<std::size_t>(slot - 1) * slotLength, slotLength);
  };
  // Every check before any change: the file as it is now against what this editor read.
  if (!overwrite) {
    for (const SlotBytes& change : changes) {
      const std::string what =
          change.slot == 1 ? "The header" : "Entry " + std::to_string(change.slot - 1);
      status = guard_.compare(change.slot, slotAt(change.slot), what, file_.path());
      if (!status.ok()) return status;
    }
  }
  CatalogueWrite step{std::move(stepLabel), 0, {}, *size, newSize, true};
  if (!step.label.empty()) {
    for (const SlotBytes& change : changes) {
      const auto packed = slotAt(change.slot).first(Record::PackedSize);
      step.changes.push_back({change.slot, {packed.begin(), packed.end()}, {}});
    }
  }
  for (const SlotBytes& change : changes)
    std::copy(change.bytes.begin(), change.bytes.end(), slotAt(change.slot).begin());

  status = file_.ReplaceWith(contents);
  if (!status.ok()) {
    // A failure after the rename (the folder's sync) still left the new file at the path.
    std::vector<std::uint8_t> now(contents.size());
    auto nowSize = file_.Size();
    if (!nowSize.ok() || *nowSize != contents.size() || !file_.ReadAt(0, now).ok() ||
        now != contents)
      return status;
  }
  ++generation_;
  for (const SlotBytes& change : changes) {
    const auto packed = slotAt(change.slot).first(Record::PackedSize);
    guard_.remember(change.slot, packed);
    rememberNames(change.slot, Record::unpack(packed));
  }
  if (!step.label.empty()) {
    for (CatalogueWrite::Slot& slot : step.changes) {
      const auto packed = slotAt(slot.slot).first(Record::PackedSize);
      slot.after.assign(packed.begin(), packed.end());
    }
    history_.Record(std::move(step));
  }
  return status;
}

}  // namespace core

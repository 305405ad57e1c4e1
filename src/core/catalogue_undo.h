#pragma once

// Undo and redo of the catalogue's own writes. Included at the end of core/catalogue.h.

#include "core/catalogue.h"

#include <algorithm>
#include <new>
#include <string>
#include <vector>

namespace core {

namespace catalogue_detail {

inline const std::vector<std::uint8_t>& BytesOf(const CatalogueWrite::Slot& slot, bool after) {
  return after ? slot.after : slot.before;
}

}  // namespace catalogue_detail

template <class Record>
std::string Catalogue<Record>::slotName(long slot) const {
  return slot == 1 ? "The header" : "Entry " + std::to_string(slot - 1);
}

template <class Record>
Status Catalogue<Record>::stepAgain(bool forward, bool overwrite) {
  using catalogue_detail::BytesOf;
  if (forward ? !history_.CanRedo() : !history_.CanUndo()) return Status::Ok();
  if (!isOpen()) return Status::Error("Cannot write " + fileName_ + ": the file is not open");
  Status status = FollowReplacedFile();
  if (!status.ok()) return status;
  const CatalogueWrite& step = forward ? history_.ToRedo() : history_.ToUndo();
  const std::uint64_t lengthFrom = forward ? step.lengthBefore : step.lengthAfter;
  const std::uint64_t lengthTo = forward ? step.lengthAfter : step.lengthBefore;
  auto size = file_.Size();
  if (!size.ok()) return size.status();

  // The step only goes over the bytes it left there: anything else is another editor's.
  if (!overwrite) {
    const std::string where = file_.path().string();
    std::vector<std::uint8_t> now(Record::PackedSize);
    for (const CatalogueWrite::Slot& slot : step.changes) {
      status = file_.Read(slot.slot, now);
      if (!status.ok()) return status;
      if (now != BytesOf(slot, !forward)) {
        return Status::ChangedOnDisk(slotName(slot.slot) + " in " + where +
                                     " was changed on disk since this editor wrote it.");
      }
    }
    if (lengthTo != lengthFrom && *size != lengthFrom) {
      return Status::ChangedOnDisk(where + " was changed on disk since this editor wrote it: it " +
                                   "now holds " + std::to_string(*size) + " bytes, not " +
                                   std::to_string(lengthFrom) + ".");
    }
  }

  status = step.wholeFile ? putFileWhole(step, forward, lengthTo)
                          : putSlotsInPlace(step, forward, lengthTo);
  // A failure that still left the file as the step wants it (a folder that would not sync after
  // the rename) is reported, and the step counts as taken; otherwise the slots hold what they
  // hold, and that is what this editor last saw there.
  bool arrived = status.ok();
  if (!arrived) {
    auto now = file_.Size();
    arrived = now.ok() && *now == lengthTo;
  }
  for (const CatalogueWrite::Slot& slot : step.changes) {
    std::vector<std::uint8_t> now(Record::PackedSize);
    if (!status.ok() && !file_.Read(slot.slot, now).ok()) {
      arrived = false;
      continue;
    }
    if (!status.ok() && now != BytesOf(slot, forward)) arrived = false;
    const std::vector<std::uint8_t>& seen = status.ok() ? BytesOf(slot, forward) : now;
    guard_.remember(slot.slot, seen);
    rememberNames(slot.slot, Record::unpack(seen));
  }
  if (arrived) {
    if (forward)
      history_.Redone();
    else
      history_.Undone();
  }
  return status;
}

// As the append wrote them: the header counts an entry only while the entry is on disk, so it
// goes first when the file gets shorter and last when it gets longer. A failure puts back what
// was written before it.
template <class Record>
Status Catalogue<Record>::putSlotsInPlace(const CatalogueWrite& step, bool forward,
                                          std::uint64_t length) {
  using catalogue_detail::BytesOf;
  auto size = file_.Size();
  if (!size.ok()) return size.status();
  const bool shorter = length < *size;
  std::vector<const CatalogueWrite::Slot*> order;
  for (const CatalogueWrite::Slot& slot : step.changes) order.push_back(&slot);
  std::stable_partition(order.begin(), order.end(), [shorter](const CatalogueWrite::Slot* slot) {
    return (slot->slot == 1) == shorter;
  });
  const auto startOf = [](long slot) {
    return static_cast<std::uint64_t>(slot - 1) * Record::SlotLength;
  };
  Status status;
  std::vector<const CatalogueWrite::Slot*> written;
  for (const CatalogueWrite::Slot* slot : order) {
    // A slot that the shorter file no longer holds goes with the cut.
    if (shorter && startOf(slot->slot) >= length) continue;
    status = file_.Store(slot->slot, BytesOf(*slot, forward));
    if (!status.ok()) break;  // the store put its own slot back
    written.push_back(slot);
  }
  if (status.ok() && shorter) status = file_.CutBackTo(length);
  if (status.ok()) return status;
  Status putBack;
  for (auto slot = written.rbegin(); slot != written.rend() && putBack.ok(); ++slot)
    putBack = file_.Store((*slot)->slot, BytesOf(**slot, !forward));
  return Status::WithFailedUndo(status, putBack);
}

template <class Record>
Status Catalogue<Record>::putFileWhole(const CatalogueWrite& step, bool forward,
                                       std::uint64_t length) {
  using catalogue_detail::BytesOf;
  auto size = file_.Size();
  if (!size.ok()) return size.status();
  std::vector<std::uint8_t> contents;
  try {
    contents.resize(static_cast<std::size_t>(std::max(*size, length)));
  } catch (const std::bad_alloc&) {
    return Status::Error("Cannot write " + file_.path().string() + ": there is not enough memory");
  }
  Status status = file_.ReadAt(0, std::span(contents).first(static_cast<std::size_t>(*size)));
  if (!status.ok()) return status;
  for (const CatalogueWrite::Slot& slot : step.changes) {
    const std::vector<std::uint8_t>& bytes = BytesOf(slot, forward);
    const auto start = static_cast<std::size_t>(slot.slot - 1) * Record::SlotLength;
    if (start >= contents.size()) continue;
    const std::size_t inside = std::min(bytes.size(), contents.size() - start);
    std::copy_n(bytes.begin(), inside, contents.begin() + static_cast<std::ptrdiff_t>(start));
  }
  contents.resize(static_cast<std::size_t>(length));
  status = file_.ReplaceWith(contents);
  // The path may name the new file even after a failure: a pass that began before is void.
  ++generation_;
  return status;
}

}  // namespace core

#include "textform/game_data.h"

#include "core/record_file.h"
#include "textform/file_form.h"
#include "textform/game_lock.h"
#include "textform/in_order.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

namespace textform {

namespace fs = std::filesystem;

namespace {

constexpr int EntryNameDigits = 5;
// The export makes its text in pieces of about this many bytes of slots.
constexpr std::size_t PieceBytes = std::size_t{1} << 20;
// Room for a piece's text: more than the largest text a megabyte of slots makes, which then
// never grows (room reserved but never written costs no memory).
constexpr std::size_t PieceTextRoom = std::size_t{8} << 20;

std::string EntryFileName(long entry) {
  char name[32];
  std::snprintf(name, sizeof name, "%0*ld.json", EntryNameDigits, entry);
  return name;
}

// The entry number of "00012.json"; none for other names.
std::optional<long> EntryNumberOf(const std::string& name) {
  if (name.size() < 6 || name.substr(name.size() - 5) != ".json") return std::nullopt;
  const std::string digits = name.substr(0, name.size() - 5);
  if (digits.size() < static_cast<std::size_t>(EntryNameDigits) ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
      digits.size() > 9)
    return std::nullopt;
  return std::stol(digits);
}

core::Result<std::vector<std::uint8_t>> ReadWhole(const fs::path& path, std::size_t slotLength) {
  auto file = core::RecordFile::OpenForReading(path, slotLength);
  if (!file.ok()) return file.status();
  auto size = file->Size();
  if (!size.ok()) return size.status();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*size));
  core::Status status = file->ReadAt(0, bytes);
  if (!status.ok()) return status;
  return bytes;
}

// Reads a whole text file into `text`, whose room is kept from file to file: a large import
// reads several files of tens of megabytes, and fresh room costs more than the read.
core::Status ReadTextInto(const fs::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return core::Status::Error("Cannot read " + path.string() + ": it cannot be opened");
  in.seekg(0, std::ios::end);
  text.resize(static_cast<std::size_t>(std::max<std::streamoff>(0, in.tellg())));
  in.seekg(0);
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (!in) return core::Status::Error("Cannot read " + path.string());
  return core::Status::Ok();
}

core::Result<std::string> ReadText(const fs::path& path) {
  std::string text;
  if (core::Status status = ReadTextInto(path, text); !status.ok()) return status;
  return text;
}

core::Status WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) return core::Status::Error("Cannot write " + path.string());
  return core::Status::Ok();
}

// A text file written part by part, as the text form of a large record file is made.
class TextFileOut {
 public:
  explicit TextFileOut(const fs::path& path)
      : path_(path), fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)) {}
  TextFileOut(const TextFileOut&) = delete;
  TextFileOut& operator=(const TextFileOut&) = delete;
  ~TextFileOut() {
    if (fd_ >= 0) ::close(fd_);
  }

  core::Status Write(std::string_view part) {
    if (fd_ < 0) return Failed();
    while (!part.empty()) {
      const ssize_t written = ::write(fd_, part.data(), part.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return Failed();
      part.remove_prefix(static_cast<std::size_t>(written));
    }
    return core::Status::Ok();
  }
  core::Status Close() {
    const int fd = std::exchange(fd_, -1);
    return fd >= 0 && ::close(fd) == 0 ? core::Status::Ok() : Failed();
  }

 private:
  core::Status Failed() const {
    return core::Status::Error("Cannot write " + path_.string() + ": " + std::strerror(errno));
  }
  fs::path path_;
  int fd_;
};

// Removes the entry files an earlier split export left in `folder`, and the folder when empty.
void RemoveSplitForm(const fs::path& folder, const RecordFileInfo& file) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (EntryNumberOf(name) || name == std::string(file.stem) + ".json")
      fs::remove(entry.path(), error);
  }
  fs::remove(folder, error);  // only when nothing else is in it
}

// What the import knew of a record file before it wrote: to see a change made meanwhile.
struct DiskState {
  bool exists = false;
  std::uint64_t size = 0;
  std::int64_t modified = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const DiskState&, const DiskState&) = default;
};

DiskState StateOf(const fs::path& path) {
  struct stat info {};
  DiskState state;
  if (::stat(path.c_str(), &info) != 0) return state;
  state.exists = true;
  state.size = static_cast<std::uint64_t>(info.st_size);
  state.modified =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  state.inode = info.st_ino;
  return state;
}

// One record file of an import: where its text form is, and what it becomes.
struct Planned {
  const RecordFileInfo* file;
  fs::path path;  // in the game's Dat folder
  DiskState before;
  std::vector<std::uint8_t> old, bytes;
};

// Reads and checks the text form of one record file, in either form.
core::Result<std::vector<std::uint8_t>> ReadTextForm(const fs::path& source,
                                                     const RecordFileInfo& file, bool& found,
                                                     std::string& text) {
  const fs::path single = source / (std::string(file.stem) + ".json");
  const fs::path folder = source / std::string(file.stem);
  std::error_code error;
  const bool hasSingle = fs::exists(single, error);
  const bool hasFolder = fs::is_directory(folder, error);
  found = hasSingle || hasFolder;
  if (hasSingle && hasFolder)
    return core::Status::Error(source.string() + " holds both " + single.filename().string() +
                               " and the folder " + folder.filename().string() +
                               "; keep one form of " + std::string(file.fileName));
  if (hasSingle) {
    if (core::Status read = ReadTextInto(single, text); !read.ok()) return read;
    auto bytes = FileFromJson(file, text);
    if (!bytes.ok()) return core::Status::Error(single.string() + ", " + bytes.status().message());
    return bytes;
  }
  if (!hasFolder) return std::vector<std::uint8_t>{};
  const fs::path head = folder / (std::string(file.stem) + ".json");
  auto headText = ReadText(head);
  if (!headText.ok()) return headText.status();
  long last = 0, count = 0;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (const auto number = EntryNumberOf(entry.path().filename().string())) {
      last = std::max(last, *number);
      ++count;
    }
  }
  if (count != last) {
    for (long entry = 1; entry <= last; ++entry)
      if (!fs::exists(folder / EntryFileName(entry), error))
        return core::Status::Error((folder / EntryFileName(entry)).string() +
                                   " is missing: the entries run from 1 to " +
                                   std::to_string(last) + " without a gap");
    return core::Status::Error(folder.string() + " names an entry twice");
  }
  auto bytes = FileFromSplitJson(
      file, *headText, last, [&](long entry) { return ReadText(folder / EntryFileName(entry)); },
      [&](long entry) { return (folder / EntryFileName(entry)).string(); });
  if (!bytes.ok() && bytes.status().message().rfind("line ", 0) == 0)
    return core::Status::Error(head.string() + ", " + bytes.status().message());
  return bytes;
}

bool Report(const Progress& progress, double done) {
  return !progress || progress(std::clamp(done, 0.0, 1.0));
}

}  // namespace

core::Result<ExportSummary> ExportGameData(const fs::path& game, const fs::path& target,
                                           const ExportOptions& options) {
  const fs::path dat = core::ResolveIgnoringCase(game, "Dat");
  std::error_code error;
  if (!fs::is_directory(dat, error))
    return core::Status::Error("Cannot export: " + game.string() + " holds no Dat folder");
  fs::create_directories(target, error);
  if (error) return core::Status::Error("Cannot make " + target.string() + ": " + error.message());

  // Every record file is read, and the place of its text form made ready, before any text is
  // made: the text is then made in pieces on several threads and written in order.
  struct Source {
    const RecordFileInfo* file;
    std::vector<std::uint8_t> bytes;
    fs::path single, folder;
  };
  ExportSummary summary;
  std::vector<Source> sources;
  std::uint64_t total = 0, done = 0;
  for (const RecordFileInfo& file : RecordFiles()) {
    const fs::path path = core::ResolveIgnoringCase(dat, std::string(file.fileName));
    if (!fs::exists(path, error)) {
      summary.missing.emplace_back(file.fileName);
      continue;
    }
    auto bytes = ReadWhole(path, file.slotLength);
    if (!bytes.ok()) return bytes.status();
    total += bytes->size();
    sources.push_back({&file, std::move(bytes.value()), target / (std::string(file.stem) + ".json"),
                       target / std::string(file.stem)});
  }
  for (const Source& source : sources) {
    RemoveSplitForm(source.folder, *source.file);
    if (!options.split) continue;
    fs::remove(source.single, error);
    fs::create_directories(source.folder, error);
    if (error)
      return core::Status::Error("Cannot make " + source.folder.string() + ": " + error.message());
  }

  // A piece is about a megabyte of slots: the entries from `first` up to `last` of one file.
  struct Piece {
    std::size_t source, first, last;
  };
  std::vector<Piece> pieces;
  for (std::size_t s = 0; s < sources.size(); ++s) {
    const std::size_t entries = EntryCount(*sources[s].file, sources[s].bytes);
    const std::size_t perPiece = std::max<std::size_t>(1, PieceBytes / sources[s].file->slotLength);
    std::size_t first = 0;
    do {
      pieces.push_back({s, first, std::min(first + perPiece, entries)});
      first += perPiece;
    } while (first < entries);
  }

  // A piece of the one file is its text; the split form's pieces write their entries' files.
  struct Made {
    core::Status status;
    std::string text;
  };
  // The texts of pieces written are made again into: fresh room for each would cost more (the
  // system's fresh pages) than the making.
  std::vector<std::string> spare;
  std::mutex spareMutex;
  std::optional<TextFileOut> out;
  core::Status failure;
  MakeInParallelUseInOrder<Made>(
      pieces.size(),
      [&](std::size_t index, std::size_t) {
        const Piece& piece = pieces[index];
        const Source& source = sources[piece.source];
        Made made;
        if (!options.split) {
          {
            const std::lock_guard lock(spareMutex);
            if (!spare.empty()) {
              made.text = std::move(spare.back());
              spare.pop_back();
            }
          }
          made.text.clear();
          made.text.reserve(PieceTextRoom);  // room enough once, never grown piece by piece
          AppendJsonEntries(*source.file, source.bytes, piece.first, piece.last, made.text);
          return made;
        }
        for (std::size_t entry = piece.first; entry < piece.last && made.status.ok(); ++entry)
          made.status = WriteText(source.folder / EntryFileName(static_cast<long>(entry) + 1),
                                  SplitJsonEntry(*source.file, source.bytes, entry));
        return made;
      },
      [&](std::size_t index, Made& made) {
        const Piece& piece = pieces[index];
        const Source& source = sources[piece.source];
        const bool first = index == 0 || pieces[index - 1].source != piece.source;
        const bool last = index + 1 == pieces.size() || pieces[index + 1].source != piece.source;
        core::Status status;
        if (first && options.split) {
          status = WriteText(source.folder / (std::string(source.file->stem) + ".json"),
                             SplitJsonHead(*source.file, source.bytes));
        } else if (first) {
          std::string opening;
          AppendJsonOpening(*source.file, source.bytes, opening);
          status = out.emplace(source.single).Write(opening);
        }
        if (status.ok()) status = made.status;
        if (status.ok() && !options.split) {
          status = out->Write(made.text);
          const std::lock_guard lock(spareMutex);
          spare.push_back(std::move(made.text));
        }
        if (status.ok() && last && !options.split) {
          std::string closing;
          AppendJsonClosing(*source.file, source.bytes, closing);
          status = out->Write(closing);
          if (status.ok()) status = out->Close();
        }
        if (!status.ok()) {
          failure = status;
          return false;
        }
        if (!last) return true;
        summary.written.push_back(options.split ? std::string(source.file->stem) + "/"
                                                : source.single.filename().string());
        done += source.bytes.size();
        if (!Report(options.progress,
                    total ? static_cast<double>(done) / static_cast<double>(total) : 1)) {
          failure = core::Status::Error("The export was cancelled");
          return false;
        }
        return true;
      });
  if (!failure.ok()) return failure;
  return summary;
}

core::Result<ImportSummary> ImportGameData(const fs::path& source, const fs::path& game,
                                           const ImportOptions& options) {
  const fs::path dat = core::ResolveIgnoringCase(game, "Dat");
  std::error_code error;
  if (!fs::is_directory(dat, error))
    return core::Status::Error("Cannot import: " + game.string() + " holds no Dat folder");
  if (!fs::is_directory(source, error))
    return core::Status::Error("Cannot import: " + source.string() + " is not a folder");

  // Everything is read and checked before anything is written. The text forms are read and
  // checked on several threads; what follows is done in order on this one, as one file after the
  // other: the first refusal is the first file's, and each record file is read as it was then.
  struct Checked {
    core::Result<std::vector<std::uint8_t>> bytes;
    bool found = false;
  };
  const auto& files = RecordFiles();
  std::vector<std::string> texts(ThreadsFor(files.size()));  // each thread's JSON files in turn
  std::vector<Planned> plan;
  std::size_t step = 0;
  core::Status failure;
  const auto refuse = [&failure](const std::string& message) {
    failure = core::Status::Error("Nothing was imported. " + message);
    return false;
  };
  MakeInParallelUseInOrder<Checked>(
      files.size(),
      [&](std::size_t index, std::size_t worker) {
        Checked checked{std::vector<std::uint8_t>{}, false};
        checked.bytes = ReadTextForm(source, files[index], checked.found, texts[worker]);
        return checked;
      },
      [&](std::size_t index, Checked& checked) {
        const RecordFileInfo& file = files[index];
        Planned planned{
            &file, core::ResolveIgnoringCase(dat, std::string(file.fileName)), {}, {}, {}};
        planned.before = StateOf(planned.path);
        if (!checked.bytes.ok()) return refuse(checked.bytes.status().message());
        if (!checked.found) {
          if (planned.before.exists)
            return refuse(source.string() + " holds no " + std::string(file.stem) +
                          ".json nor a folder " + std::string(file.stem) + " for " +
                          std::string(file.fileName));
          return true;
        }
        planned.bytes = std::move(checked.bytes.value());
        if (planned.before.exists) {
          auto old = ReadWhole(planned.path, file.slotLength);
          if (!old.ok()) return refuse(old.status().message());
          planned.old = std::move(old.value());
        }
        if (!Report(options.progress, 0.8 * static_cast<double>(++step) / files.size())) {
          failure = core::Status::Error("The import was cancelled; nothing was written");
          return false;
        }
        if (!planned.before.exists || planned.old != planned.bytes)
          plan.push_back(std::move(planned));
        return true;
      });
  if (!failure.ok()) return failure;

  ImportSummary summary;
  for (const RecordFileInfo& file : RecordFiles())
    if (std::none_of(plan.begin(), plan.end(), [&](const Planned& p) { return p.file == &file; }))
      summary.unchanged.emplace_back(file.fileName);
  if (plan.empty()) return summary;

  std::optional<GameFolderLock> lock;
  if (options.takeLock) {
    auto taken = GameFolderLock::Take(dat);
    if (!taken.ok())
      return core::Status::Error("Nothing was imported. " + taken.status().message());
    lock.emplace(std::move(taken.value()));
  }
  for (const Planned& planned : plan)
    if (StateOf(planned.path) != planned.before)
      return core::Status::ChangedOnDisk("Nothing was imported. " + planned.path.string() +
                                         " changed on disk while the import read it; import again");

  // Each file replaced whole, the files side by side; when one fails, those replaced are put back
  // and the first failure in the plan's order is told.
  struct Outcome {
    core::Status status = core::Status::Ok();
    bool opened = false;
  };
  std::vector<Outcome> outcomes(plan.size());
  std::size_t done = 0;
  MakeInParallelUseInOrder<bool>(
      plan.size(),
      [&](std::size_t index, std::size_t) {
        const Planned& planned = plan[index];
        auto file = core::RecordFile::Open(planned.path, planned.file->slotLength);
        outcomes[index] = {file.ok() ? file->ReplaceWith(planned.bytes) : file.status(),
                           file.ok()};
        return true;
      },
      [&](std::size_t, bool) {
        Report(options.progress,
               0.8 + 0.2 * static_cast<double>(++done) / static_cast<double>(plan.size()));
        return true;
      });
  const auto failed =
      std::find_if(outcomes.begin(), outcomes.end(), [](const Outcome& o) { return !o.status.ok(); });
  if (failed == outcomes.end()) {
    for (const Planned& planned : plan) summary.written.emplace_back(planned.file->fileName);
    return summary;
  }
  std::string message = "The import stopped: " + failed->status.message();
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const Planned& planned = plan[i];
    if (!outcomes[i].status.ok()) {
      if (outcomes[i].opened && !planned.before.exists) fs::remove(planned.path, error);
      continue;
    }
    auto again = core::RecordFile::Open(planned.path, planned.file->slotLength);
    const core::Status undone =
        again.ok() ? (planned.before.exists ? again->ReplaceWith(planned.old) : core::Status::Ok())
                   : again.status();
    if (again.ok() && !planned.before.exists) fs::remove(planned.path, error);
    message += undone.ok() ? "\n" + planned.path.filename().string() + " was put back as it was"
                           : "\nPutting " + planned.path.string() + " back failed too. " +
                                 undone.message();
  }
  return core::Status::Error(message);
}

core::Result<std::string> ShowRecordFile(const fs::path& path) {
  const RecordFileInfo* file = RecordFileNamed(path.filename().string());
  if (!file)
    return core::Status::Error("Cannot show " + path.string() +
                               ": not one of the game's record files (Maps.dat, Item.dat, "
                               "Shop.dat, Mon.dat, Mag.dat, MagProg.dat)");
  auto bytes = ReadWhole(path, file->slotLength);
  if (!bytes.ok()) return bytes.status();
  return FileToJson(*file, *bytes);
}

}  // namespace textform

#include "control/data/loaded_drawings.h"

#include <algorithm>
#include <filesystem>

#include "control/core/errors.h"
#include "control/data/byte_source.h"
#include "control/data/data_path.h"
#include "control/data/drawing_reader.h"
#include "control/data/file_source.h"
#include "control/data/layer_archive.h"
#include "control/data/resource_archive.h"
#include "platform/kernel/beep.h"

namespace quelmar::data {
namespace {

void Report(const LoadContext& context, std::string_view source, std::string_view member, const char* what) {
  if (context.Problems) context.Problems->Report({std::string(source), std::string(member), what});
}

}  // namespace

std::string UpperName(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

int DrawingTable::FindDrawing(std::string_view name) const {
  const std::string wanted = UpperName(name.substr(0, kMaxNameLength));
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (UpperName(entries_[i]->Name) == wanted) return static_cast<int>(i) + 1;
  }
  return 0;
}

int DrawingTable::LoadDrawing(int flags, std::string_view source, std::string_view member, bool fallback,
                              const LoadContext& context) {
  const bool fromArchive = (flags & kLoadFromArchive) != 0;
  const std::string name(fromArchive ? member.substr(0, kMaxNameLength) : source.substr(0, kMaxNameLength));
  loadError_ = kLoadOk;
  if (FindDrawing(name) != 0) return 0;
  if (entries_.size() >= kMaxDrawings) {
    kernel::Beep();
    return 0;
  }

  // Open the source; a source that cannot be opened leaves no entry.
  std::unique_ptr<ByteSource> input;
  try {
    if (fromArchive) {
      usedFolder_ = context.DataFolder;
      auto path = ResolveDataFile(context.DataFolder, source);
      if (!path && fallback && !context.FallbackFolder.empty()) {
        path = ResolveDataFile(context.FallbackFolder, source);
        if (path) usedFolder_ = context.FallbackFolder;
      }
      if (path) input = OpenArchiveMember(indexCache_, *path, UpperName(member));
    } else if (ResourceArchiveType(source)) {
      input = OpenBuiltInArchive(source);
    } else if (const auto path = ResolveDataFile(context.DataFolder, source)) {
      input = std::make_unique<FileSource>(*path);
    }
  } catch (const Error& e) {
    input.reset();
    Report(context, source, fromArchive ? member : std::string_view{}, e.what());
  }
  if (!input) {
    loadError_ = kLoadSourceNotOpened;
    return 0;
  }

  // Register, then read into the entry's store under its own owner tag.
  auto entry = std::make_unique<LoadedDrawing>();
  entry->Name = name;
  entry->Owner = entries_.empty() ? ObjectHeap::kBaseMapOwner : heap_.NewOwner();
  entry->Kind = KindLetter(name, entries_.empty());
  if (context.Rules) entry->Bounds = BoundsOf(name, entry->Kind, *context.Rules);
  const std::uint16_t owner = entry->Owner;
  entry->Store.SetAllocator([this, owner](std::size_t bytes) { return heap_.Allocate(owner, bytes); });
  heap_.Allocate(owner, kPageTableCopyBytes);

  ReadDrawingOptions options;
  options.RegistryName = name;
  options.ExpectedStreetVersion = context.ExpectedStreetVersion;
  options.CollectRouteLabels = (entry->Kind == 'G' || entry->Kind == 'P') && !context.RouteSearchRunning;
  options.RouteNames = context.RouteNames;
  try {
    ReadDrawing(*input, entry->Store, options);
    input->Finish();
  } catch (const Error& e) {
    // Keep what was read, and say what was lost.
    Report(context, source, fromArchive ? member : std::string_view{}, e.what());
  }
  const DrawingFile& file = entry->Store.File();
  if (file.Extents) {
    entry->Extents = {file.Extents->X1, file.Extents->Y1, file.Extents->X2, file.Extents->Y2};
  }
  loadError_ = entry->Store.OutOfMemory() ? kLoadOutOfMemory : file.LoadError;
  entries_.push_back(std::move(entry));
  return static_cast<int>(entries_.size());
}

void DrawingTable::UnloadDrawing(int index) {
  if (index < 1 || index > Count()) return;
  const auto it = entries_.begin() + (index - 1);
  heap_.Free((*it)->Owner);
  entries_.erase(it);
}

void DrawingTable::HideDrawing(std::string_view name, bool hidden) {
  if (const int i = FindDrawing(name)) {
    At(i).Flags = hidden ? (At(i).Flags | kDrawingHidden) : (At(i).Flags & ~kDrawingHidden);
  }
}

void DrawingTable::LockDrawing(std::string_view name, bool locked) {
  if (const int i = FindDrawing(name)) {
    At(i).Flags = locked ? (At(i).Flags | kDrawingLocked) : (At(i).Flags & ~kDrawingLocked);
  }
}

void DrawingTable::Clear() {
  entries_.clear();
  heap_ = ObjectHeap();
  loadError_ = kLoadOk;
}

}  // namespace quelmar::data

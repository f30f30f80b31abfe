#include "control/search/street_archive.h"

#include "control/core/errors.h"
#include "control/data/drawing_reader.h"
#include "control/data/layer_archive.h"

namespace quelmar::search {

StreetArchive::StreetArchive(const std::filesystem::path& path, data::ArchiveIndexCache& cache)
    : path_(path), file_(std::make_shared<data::FileArchiveInput>(path)), identity_(data::IdentityOf(*file_)) {
  index_ = cache.Find(identity_);
  if (!index_) {
    index_ = std::make_shared<const data::LayerIndex>(data::LayerIndex::Read(*file_));
    cache.Insert(identity_, index_);
  }
}

std::vector<std::string> StreetArchive::MemberNames() const {
  std::vector<std::string> names;
  for (const data::LayerIndexEntry& entry : index_->Entries()) names.push_back(entry.name);
  return names;
}

std::optional<data::Drawing> StreetArchive::ReadMember(std::size_t member, std::int32_t expectedStreetVersion,
                                                       core::ProblemReporter* problems) const {
  const std::string& name = index_->Entries().at(member).name;
  auto report = [&](const char* what) {
    if (problems) problems->Report({path_.filename().string(), name, what});
  };
  std::unique_ptr<data::ArchiveMemberSource> source;
  try {
    source = data::OpenLayerMember(file_, *index_, member);
  } catch (const Error& e) {
    report(e.what());
    return std::nullopt;
  }
  data::Drawing drawing;
  data::ReadDrawingOptions options;
  options.RegistryName = name;
  options.ExpectedStreetVersion = expectedStreetVersion;
  try {
    data::ReadDrawing(*source, drawing, options);
    source->Finish();
  } catch (const Error& e) {
    // Keep what was read, and say what was lost.
    report(e.what());
  }
  return drawing;
}

}  // namespace quelmar::search

// Layer archives and plain PKZIP files from hostile bytes: the index, the
// walk from each entry to its member, the member's decoding, the engine's
// look-up, the plain local-header walk and the built-in archives' walk.
// Only DataError may come out.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "control/core/errors.h"
#include "control/data/layer_archive.h"
#include "control/data/resource_archive.h"
#include "control/data/zip_archive.h"

namespace {

using namespace quelmar::data;

// Reads a member to its end, or to 1 MB: enough to reach any fault.
void Drain(ArchiveMemberSource& member) {
  std::uint8_t buffer[4096];
  std::size_t total = 0;
  while (std::size_t n = member.Read(buffer)) {
    total += n;
    if (total > (1u << 20)) break;
  }
}

void ReadLayerArchive(const std::shared_ptr<MemoryArchiveInput>& input) {
  const LayerIndex index = LayerIndex::Read(*input);
  for (std::size_t i = 0; i < index.Entries().size() && i < 16; ++i) {
    (void)index.FindByKey(index.Entries()[i].name);
    try {
      std::unique_ptr<ArchiveMemberSource> member = OpenLayerMember(input, index, i);
      Drain(*member);
    } catch (const quelmar::DataError&) {
    }
  }
  (void)index.FindByKey("YAB12A.DCM");
  (void)index.FindExact("TARVO.DCM");
}

void ReadPlainArchive(const std::shared_ptr<MemoryArchiveInput>& input) {
  for (const ZipLocalHeader& header : ListZipMembers(*input)) {
    if (!AcceptedCoding(header)) continue;
    ArchiveMemberSource member(input, header);
    Drain(member);
    break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto input = std::make_shared<MemoryArchiveInput>(std::span(data, size));
  try {
    ReadLayerArchive(input);
  } catch (const quelmar::DataError&) {
  }
  try {
    ReadPlainArchive(input);
  } catch (const quelmar::DataError&) {
  }
  try {
    Drain(*OpenResourceArchive(std::span(data, size), "TARVO"));
  } catch (const quelmar::DataError&) {
  }
  return 0;
}

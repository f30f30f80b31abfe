// list ARCHIVE, cat ARCHIVE MEMBER, pack [--implode[=VARIANT]] -o ARCHIVE FILE...
//
// Both commands that read take layer archives (the sorted member index ahead
// of a ZIP stream) and plain PKZIP files; a file that begins with a local
// header or an empty archive's end record is a plain PKZIP file.
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/core/errors.h"
#include "control/data/archive_input.h"
#include "control/data/archive_writer.h"
#include "control/data/layer_archive.h"
#include "control/data/zip_archive.h"
#include "platform/kernel/atomic_file.h"
#include "tools/quelmar-data/builder/output/archive_members.h"
#include "tools/quelmar-data/commands.h"

namespace quelmar::tools {
namespace {

using data::ArchiveMemberSource;
using data::FileArchiveInput;
using data::LayerIndex;
using data::ZipLocalHeader;

std::string Method(const ZipLocalHeader& header) {
  std::string text = data::DescribeCoding(header);
  if (!data::AcceptedCoding(header)) text += " (not read)";
  return text;
}

void PrintRow(const std::string& name, const std::string& method, const std::string& packed, const std::string& size) {
  std::printf("%-14s %-26s %10s %10s\n", name.c_str(), method.c_str(), packed.c_str(), size.c_str());
}

void PrintMember(const std::string& name, const ZipLocalHeader& header) {
  PrintRow(name, Method(header), std::to_string(header.compressedSize), std::to_string(header.uncompressedSize));
}

int RunList(const std::string& path) {
  auto input = std::make_shared<FileArchiveInput>(path);
  if (builder::IsPlainZip(*input)) {
    const std::vector<ZipLocalHeader> members = data::ListZipMembers(*input);
    std::printf("%s: PKZIP archive, %zu members\n", path.c_str(), members.size());
    PrintRow("NAME", "METHOD", "PACKED", "SIZE");
    for (const ZipLocalHeader& header : members) PrintMember(header.name, header);
    return 0;
  }
  const LayerIndex index = LayerIndex::Read(*input);
  std::printf("%s: layer archive, %zu index entries\n", path.c_str(), index.Entries().size());
  PrintRow("NAME", "METHOD", "PACKED", "SIZE");
  int status = 0;
  for (std::size_t i = 0; i < index.Entries().size(); ++i) {
    const std::string& name = index.Entries()[i].name;
    const std::optional<ZipLocalHeader> header = data::ReadLocalHeader(*input, index.LocalHeaderOffset(i));
    if (!header) {
      PrintRow(name, "no local header at " + std::to_string(index.LocalHeaderOffset(i)), "", "");
      status = 1;
      continue;
    }
    // The header's own name shows only when it differs from the index's.
    PrintMember(header->name == name ? name : name + " (" + header->name + ")", *header);
  }
  return status;
}

int RunCat(const std::string& path, const std::string& member) {
  std::unique_ptr<ArchiveMemberSource> source = builder::OpenNamedMember(path, member);
  if (!source) {
    std::fprintf(stderr, "quelmar-data cat: %s has no member %s\n", path.c_str(), member.c_str());
    return 1;
  }
  std::vector<std::uint8_t> buffer(65536);
  while (std::size_t n = source->Read(buffer)) {
    if (std::fwrite(buffer.data(), 1, n, stdout) != n) throw IoError("cannot write to standard output");
  }
  if (std::fflush(stdout) != 0) throw IoError("cannot write to standard output");
  return 0;
}

struct PackOptions {
  std::string output;
  std::vector<std::string> files;
  std::optional<std::string> implode;
};

std::string MemberName(const std::string& file) {
  std::string name = std::filesystem::path(file).filename().string();
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return name;
}

int RunPack(const PackOptions& options) {
  std::optional<data::ImplodeVariant> variant;
  if (options.implode) {
    variant = data::ParseImplodeVariant(*options.implode);
    if (!variant) {
      std::fprintf(stderr, "quelmar-data pack: unknown implode variant %s (4k2, 8k2, 4k3 or 8k3)\n",
                   options.implode->c_str());
      return 1;
    }
  }
  data::ArchiveWriter writer(data::ArchiveLayout::kLayerArchive);
  for (const std::string& file : options.files) {
    std::string contents;
    std::error_code error;
    if (!kernel::ReadWholeFile(file, &contents, &error)) throw IoError("cannot read " + file + ": " + error.message());
    struct stat info {};
    const std::time_t modified = ::stat(file.c_str(), &info) == 0 ? info.st_mtime : 0;
    writer.Add(MemberName(file),
               std::span(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size()), variant, modified);
  }
  writer.WriteFile(options.output);
  return 0;
}

// Runs a subcommand, turning its failures into a message and status 1.
template <class Run>
int Guarded(const char* command, Run run) {
  try {
    return run();
  } catch (const Error& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "quelmar-data %s: %s\n", command, error.what());
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "quelmar-data %s: %s\n", command, error.what());
  }
  return 1;
}

}  // namespace

void AddArchiveCommands(CLI::App& cli, int& exitCode) {
  auto listPath = std::make_shared<std::string>();
  CLI::App* list = cli.add_subcommand("list", "List the members of a layer archive or PKZIP file");
  list->add_option("archive", *listPath, "The archive")->required();
  list->callback([listPath, &exitCode] { exitCode = Guarded("list", [&] { return RunList(*listPath); }); });

  auto catArgs = std::make_shared<std::pair<std::string, std::string>>();
  CLI::App* cat = cli.add_subcommand("cat", "Write a member's decompressed bytes to standard output");
  cat->add_option("archive", catArgs->first, "The layer archive or PKZIP file")->required();
  cat->add_option("member", catArgs->second,
                  "The member's name; in a layer archive also found by its first 5 characters "
                  "(6 for names beginning with Y), as the map does")
      ->required();
  cat->callback([catArgs, &exitCode] {
    exitCode = Guarded("cat", [&] { return RunCat(catArgs->first, catArgs->second); });
  });

  auto pack = std::make_shared<PackOptions>();
  CLI::App* packCommand = cli.add_subcommand(
      "pack", "Write a layer archive of files, named by their upper-cased base names (at most 12 characters)");
  packCommand->add_option("-o,--output", pack->output, "The archive to write")->required();
  // A flag, so that "--implode FILE" never takes the file for a variant.
  packCommand->add_flag("--implode{8k3}", pack->implode,
                        "Implode the members; --implode=VARIANT picks 4k2, 8k2, 4k3 or 8k3 (dictionary size and "
                        "number of trees), 8k3 by default. Without it members are stored");
  packCommand->add_option("files", pack->files, "The files to pack")->required();
  packCommand->callback([pack, &exitCode] { exitCode = Guarded("pack", [&] { return RunPack(*pack); }); });
}

}  // namespace quelmar::tools

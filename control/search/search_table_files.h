#pragma once
// The search tables as the lookups read them: each file of the search-files
// folder read whole on first use and kept until the file changes (its size
// or modification time), so a lookup costs no file access when it repeats.
// A table that is missing or cannot be read is empty, which every lookup
// takes as "nothing found".
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "control/data/search_table_layout.h"

namespace quelmar::search {

using data::TableBytes;
using data::kZipTableFile;
using data::kCityTableFile;
using data::kExchangeTableFile;

class SearchTableFile {
 public:
  using Bytes = std::shared_ptr<const std::vector<std::uint8_t>>;

  // `name` is the file's name in the folder ("ZIP.BIN").
  explicit SearchTableFile(std::string_view name) : name_(name) {}

  // The bytes of the table in `folder` (a data folder as the configuration
  // names it); an empty table when there is none.
  Bytes Read(std::string_view folder);

 private:
  std::string name_;
  std::mutex mutex_;
  std::string folder_;
  std::string path_;
  std::int64_t size_ = -1;
  std::int64_t modified_ = 0;
  Bytes bytes_;
};

// The three tables of one control.
struct SearchTableFiles {
  SearchTableFile Zip{kZipTableFile};
  SearchTableFile Cities{kCityTableFile};
  SearchTableFile Exchanges{kExchangeTableFile};
};

inline TableBytes View(const SearchTableFile::Bytes& bytes) { return {bytes->data(), bytes->size()}; }

}  // namespace quelmar::search

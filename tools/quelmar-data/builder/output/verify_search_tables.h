#pragma once
// Reads the three search tables back as the lookups do and checks what the
// lookups rely on: every offset inside the file, every record whole, the
// order the bisections and scans assume, and the counts.
#include <string>
#include <vector>

#include "control/data/search_table_layout.h"

namespace quelmar::builder {

struct TableCheck {
  std::string Summary;                // "42455 ZIP codes in 85 blocks"
  std::vector<std::string> Problems;  // empty for a sound table
};

TableCheck CheckZipTable(data::TableBytes bytes);
TableCheck CheckCityTable(data::TableBytes bytes);
TableCheck CheckExchangeTable(data::TableBytes bytes);

}  // namespace quelmar::builder

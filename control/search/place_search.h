#pragma once
// PlaceSearch: the place, ZIP code and exchange lookups of one control over
// the tables of its search-files folder, reporting each hit as the control
// reports it (the result text and the FindPlace event, or the Street text and
// the Find event). The tables are read once and kept while they are unchanged.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "control/data/draw_object.h"
#include "control/search/search_table_files.h"
#include "control/search/short_string.h"

namespace quelmar::core {
class ControlContext;
}

namespace quelmar::search {

// Where the hits of a lookup go.
struct PlaceReports {
  // A place line or exchange line: the control sets `result` and fires FindPlace.
  std::function<void(const std::string& line)> Place;
  // A city line of a list lookup: the control sets `Street` and fires Find.
  std::function<void(const std::string& line)> Street;
};

struct PlaceQuery {
  std::string Folder;  // the search-files folder (Path_data3)
  int Decimals = 4;    // the control's coordinate decimals
  // List lookups for a centre (street search): hits go out as place lines.
  bool CentreMode = false;
};

class PlaceSearch {
 public:
  // The user's own places, which list lookups and the closest-place search
  // take first; none until the user street layer provides them.
  std::function<std::vector<std::string>(const ShortString& query, bool centreMode)> UserCityLines;
  std::function<std::vector<data::PlaceObject>()> UserPlaces;

  // The ZIP result line for `zip`; nullopt when nothing is found.
  std::optional<std::string> Zip(const PlaceQuery& query, std::int32_t zip);

  // The place lookup: a list lookup when `text` holds "*" or "?", else an
  // exact one; each with its "DES"/"DE" repetitions. An exact lookup started
  // while another runs (from an event handler) does nothing.
  void City(const PlaceQuery& query, const ShortString& text, const PlaceReports& reports);

  // The exchange lookup of a typed area code and exchange; each hit is
  // reported as a place line.
  void Exchanges(const PlaceQuery& query, std::string_view text, const PlaceReports& reports);

  SearchTableFiles& Tables() { return tables_; }

 private:
  SearchTableFiles tables_;
  bool exactRunning_ = false;
};

// Creates the search, attaches it to `context` and returns it.
PlaceSearch& AttachPlaceSearch(core::ControlContext& context);

}  // namespace quelmar::search

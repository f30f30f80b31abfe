#pragma once
// Place points and label points: which places a layer shows, how a place is
// stored, and where inside an area its name goes.
#include <functional>
#include <optional>
#include <vector>

#include "control/data/drawing_writer.h"
#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

inline constexpr std::uint8_t kPlaceNameCode = 16;  // "Place Name"
inline constexpr std::uint8_t kLandmarkCode = 15;   // "Landmark"
inline constexpr std::int32_t kMaxPopulation = 8388607;  // what 24 bits hold

// Which places the national base map shows: cities of 50,000 and more, the
// capitals, and the major places of Canada and Mexico.
bool BaseMapPlace(const Place& place);

// Writes the chosen places as PlaceObjects on the place-name layer, in the
// order given. Names are stored in capitals; the national capital's name
// begins with "*"; a state capital stores its population negated.
void WritePlaces(data::DrawingWriter& writer, const std::vector<Place>& places,
                 const std::function<bool(const Place&)>& chosen);

// A point landmark or airport as a PlaceObject on the landmark layer.
void WriteLandmarkPoint(data::DrawingWriter& writer, std::string_view name, TMapPoint at);

// A point inside the largest ring, fit for the area's name; nullopt when there
// are no rings.
std::optional<TMapPoint> LabelPointOf(const std::vector<Ring>& rings);

}  // namespace quelmar::builder

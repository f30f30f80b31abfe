#include "tools/quelmar-data/builder/inputs/state_capitals.h"

namespace quelmar::builder {

const std::vector<StateCapital>& StateCapitals() {
  static const std::vector<StateCapital> kCapitals = {
      {"AL", "Montgomery"},     {"AK", "Juneau"},       {"AZ", "Phoenix"},    {"AR", "Little Rock"},
      {"CA", "Sacramento"},     {"CO", "Denver"},       {"CT", "Hartford"},   {"DE", "Dover"},
      {"FL", "Tallahassee"},    {"GA", "Atlanta"},      {"HI", "Honolulu"},   {"ID", "Boise"},
      {"IL", "Springfield"},    {"IN", "Indianapolis"}, {"IA", "Des Moines"}, {"KS", "Topeka"},
      {"KY", "Frankfort"},      {"LA", "Baton Rouge"},  {"ME", "Augusta"},    {"MD", "Annapolis"},
      {"MA", "Boston"},         {"MI", "Lansing"},      {"MN", "St. Paul"},   {"MS", "Jackson"},
      {"MO", "Jefferson City"}, {"MT", "Helena"},       {"NE", "Lincoln"},    {"NV", "Carson City"},
      {"NH", "Concord"},        {"NJ", "Trenton"},      {"NM", "Santa Fe"},   {"NY", "Albany"},
      {"NC", "Raleigh"},        {"ND", "Bismarck"},     {"OH", "Columbus"},   {"OK", "Oklahoma City"},
      {"OR", "Salem"},          {"PA", "Harrisburg"},   {"RI", "Providence"}, {"SC", "Columbia"},
      {"SD", "Pierre"},         {"TN", "Nashville"},    {"TX", "Austin"},     {"UT", "Salt Lake City"},
      {"VT", "Montpelier"},     {"VA", "Richmond"},     {"WA", "Olympia"},    {"WV", "Charleston"},
      {"WI", "Madison"},        {"WY", "Cheyenne"},
  };
  return kCapitals;
}

}  // namespace quelmar::builder

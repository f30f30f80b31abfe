#pragma once
// The telephone prefix geodata of the phone-number library (Debian
// python3-phonenumbers, phonenumbers/geodata/data*.py): Python dictionaries
// of dialling prefixes to place descriptions,
//    '1312':{'en': 'Chicago, IL'},
//    '1907212':{'en': 'Anchorage, AK'},
// of which the North American ones (country code 1) are read: a prefix of
// an area code and 0 to 3 digits of an exchange.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar::builder {

struct PhonePrefix {
  std::string Digits;  // after the country code: "312", "907212"
  std::string Place;   // "Chicago"; empty when the description names no place
  std::string State;   // "IL"; empty when the description is a state or region name
};

// The North American prefixes of one file's text with 3 to 6 digits, in file
// order. Only the English descriptions are read; "\'" and "\uXXXX" escapes
// are decoded (to UTF-8). A description that is not "Place, ST" keeps an
// empty place and state. Lines of other forms are passed over.
std::vector<PhonePrefix> ParsePhonePrefixes(std::string_view text);

// Every data*.py file of the geodata folder, in file name order. Throws
// quelmar::IoError when the folder cannot be read.
std::vector<PhonePrefix> ReadPhonePrefixes(const std::filesystem::path& geodataFolder);

}  // namespace quelmar::builder

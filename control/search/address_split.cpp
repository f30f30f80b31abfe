#include "control/search/address_split.h"

#include <array>
#include <vector>

#include "control/data/state_table.h"
#include "control/search/city_name.h"
#include "control/search/result_line.h"
#include "control/search/title_case.h"

namespace quelmar::search {
namespace {

constexpr int kMaxFields = 5;
constexpr int kZipLength = 5;
constexpr int kStateLength = 2;
constexpr int kMaxStateFromZip = 8;

struct Field {
  ShortString Text;
  bool Removed = false;
};
using Fields = std::array<Field, kMaxFields>;

// Field n, counting from 1 as the address is written.
Field& FieldNumber(Fields& fields, int n) { return fields[static_cast<std::size_t>(n - 1)]; }
const Field& FieldNumber(const Fields& fields, int n) { return fields[static_cast<std::size_t>(n - 1)]; }

bool IsDigits(const ShortString& text, int from, int count) {
  if (text.Length() < from + count - 1) return false;
  for (int pos = from; pos < from + count; ++pos) {
    if (!IsDigit(text.At(pos))) return false;
  }
  return true;
}

// A ZIP+4 code ("60613-1234") is its five-digit ZIP code.
ShortString WithoutZipFour(const ShortString& field) {
  if (field.Length() == 10 && IsDigits(field, 1, 5) && field.At(6) == '-' && IsDigits(field, 7, 4)) {
    return field.Copy(1, 5);
  }
  return field;
}

// The fields between commas. A state code and a ZIP code written in one
// field, as addresses usually are ("IL 60613"), become two fields.
Fields SplitFields(const ShortString& text) {
  std::vector<ShortString> pieces;
  for (int n = 1; n <= kMaxFields; ++n) {
    const ShortString field = Trim(ResultField(text, n, ','));
    const int space = field.Pos(" ");
    const ShortString zip = WithoutZipFour(field.From(space + 1));
    if (space == kStateLength + 1 && data::StateNumber(field.Copy(1, kStateLength).View()) != 0 &&
        zip.Length() == kZipLength && IsDigits(zip, 1, kZipLength)) {
      pieces.push_back(field.Copy(1, kStateLength));
      pieces.push_back(zip);
    } else {
      pieces.push_back(WithoutZipFour(field));
    }
  }
  Fields fields;
  for (int n = 1; n <= kMaxFields && n <= static_cast<int>(pieces.size()); ++n) {
    FieldNumber(fields, n).Text = pieces[static_cast<std::size_t>(n - 1)];
  }
  return fields;
}

int LastNonEmptyField(const Fields& fields) {
  for (int n = kMaxFields; n >= 1; --n) {
    if (!FieldNumber(fields, n).Text.Empty()) return n;
  }
  return 0;
}

// Exactly five characters that read as an integer whose five-digit,
// zero-padded form is the text again: five decimal digits.
bool IsZipCode(const ShortString& text) {
  if (text.Length() != kZipLength) return false;
  for (int pos = 1; pos <= kZipLength; ++pos) {
    if (!IsDigit(text.At(pos))) return false;
  }
  return true;
}

std::int32_t ZipNumber(const ShortString& zip) {
  std::int32_t number = 0;
  for (int pos = 1; pos <= zip.Length(); ++pos) number = number * 10 + (zip.At(pos) - '0');
  return number;
}

bool IsStateCode(const ShortString& text) {
  return text.Length() == kStateLength && data::StateNumber(text.View()) != 0;
}

ShortString PlaceName(const ShortString& placeLine) {
  return Trim(ExpandDirectionals(UpperCase(ResultField(placeLine, 1))));
}

}  // namespace

SplitAddressResult SplitAddress(const ShortString& address, const AddressLookups& lookups) {
  SplitAddressResult result;
  // What follows a "|" (the search radius) is not part of the address.
  const int bar = address.Pos("|");
  const ShortString text = bar > 0 ? address.Copy(1, bar - 1) : address;
  Fields fields = SplitFields(UpperCase(Trim(ReduceSpaces(text))));
  const int last = LastNonEmptyField(fields);

  for (int n = last; n >= 1; --n) {
    Field& field = FieldNumber(fields, n);
    if (!IsZipCode(field.Text)) continue;
    result.Zip = field.Text;
    const ShortString zipLine = lookups.ZipLine ? lookups.ZipLine(ZipNumber(field.Text)) : ShortString();
    result.State = ResultField(zipLine, 3).Copy(1, kMaxStateFromZip);
    field.Removed = true;
    break;
  }

  for (int n = last; n >= 1; --n) {
    Field& field = FieldNumber(fields, n);
    if (field.Removed || !IsStateCode(field.Text)) continue;
    result.State = field.Text;
    field.Removed = true;
    break;
  }

  for (int n = last; n >= 1; --n) {
    Field& field = FieldNumber(fields, n);
    if (field.Removed || field.Text.Empty()) continue;
    const ShortString candidate = Trim(ReduceSpaces(ExpandDirectionals(field.Text)));
    const ShortString placeLine =
        lookups.PlaceLine ? lookups.PlaceLine(TitleCaseName(candidate) + "," + result.State) : ShortString();
    // Compared in their Saint forms: "ST LOUIS" is the place "ST. LOUIS".
    if (!CityContains(candidate, PlaceName(placeLine))) continue;
    if (ResultField(placeLine, 2).Copy(1, kStateLength) == result.State) {
      result.City = candidate;
      field.Removed = true;
      break;
    }
    // The field that lies nearest the end of the address is the likeliest
    // city; a street field before it that happens to name a place elsewhere
    // does not replace it.
    if (result.TypedCity.Empty()) result.TypedCity = candidate;
  }

  // Empty fields take no part: "MAIN ST,,IL" still has its street.
  int remaining = 0;
  const Field* street = nullptr;
  for (int n = 1; n <= last; ++n) {
    const Field& field = FieldNumber(fields, n);
    if (field.Removed || field.Text.Empty()) continue;
    ++remaining;
    street = &field;
  }
  if (remaining == 1) result.Street = street->Text;
  return result;
}

}  // namespace quelmar::search

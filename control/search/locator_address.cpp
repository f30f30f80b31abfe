#include "control/search/locator_address.h"

#include "control/search/result_line.h"
#include "control/search/title_case.h"

namespace quelmar::search {
namespace {

constexpr int kMaxStateLength = 8;

// The n-th word of a text, words separated by runs of blanks.
ShortString Word(const ShortString& text, int n) {
  int found = 0;
  int pos = 1;
  while (pos <= text.Length()) {
    while (text.At(pos) == ' ') ++pos;
    const int start = pos;
    while (pos <= text.Length() && text.At(pos) != ' ') ++pos;
    if (pos > start && ++found == n) return text.Copy(start, pos - start);
  }
  return {};
}

}  // namespace

LocatorAddress SplitLocatorAddress(const ShortString& typed) {
  const ShortString text = UpperCase(typed);
  LocatorAddress address;
  address.Street = Trim(ResultField(text, 1, ','));
  address.City = Trim(ResultField(text, 2, ','));
  address.State = Trim(ResultField(text, 3, ','));
  address.Zip = Trim(ResultField(text, 4, ','));
  if (address.Zip.Empty() && IsDigit(address.State.Last())) {
    const ShortString stateAndZip = address.State;
    address.State = Word(stateAndZip, 1);
    address.Zip = Word(stateAndZip, 2);
  }
  // Cut only after the split: «IL  60614» must keep the last digit of its ZIP code.
  address.State = address.State.Copy(1, kMaxStateLength);
  return address;
}

ShortString LocatorPlaceText(const LocatorAddress& address) {
  if (address.City.Empty()) return {};
  ShortString text = TitleCaseName(address.City);
  if (!address.State.Empty()) text.Append("," + address.State.Str());
  return text;
}

}  // namespace quelmar::search

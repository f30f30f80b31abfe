#pragma once
// Packing of name text into the stored forms that the engine decodes
// (control/data/name_unpack.h, tables in control/data/name_codes.h). Both
// packers are deterministic and take any bytes.
#include <string>
#include <string_view>

namespace quelmar::builder {

struct PackedText {
  std::string Bytes;      // the stored form
  std::string Text;       // exactly what Bytes decode to: the input, cleaned and perhaps cut
  bool Cut = false;       // words were dropped from the end to fit the stored limits
  bool Replaced = false;  // characters the stored form cannot hold were replaced
};

// A street name as stored in a NameString ("N MAIN ST", "I-90/I-94").
// UnpackNameAbbreviated(Bytes) == Text, and Text == plain unless Cut or
// Replaced. In each "/" part a route prefix that starts the part and is
// followed by a letter or digit ("I-", "US HWY ", "SR ", ...) and a street
// type that ends it (" ST", " AVE", ...) become word codes; the rest is packed
// into the fewest bytes with the pair table, and bytes of 127 and above are
// escaped. Bytes 1..31 would read back as word codes, so each becomes a blank
// (Replaced). A name longer than 80 characters or 40 stored bytes loses whole
// words from its end (at blanks and "/"; a single word too long loses
// characters) until it fits (Cut).
PackedText PackStreetName(std::string_view plain);

// A name of the search tables (places, ZIP codes, exchanges), which are read
// with the pair step alone: UnpackPairs(Bytes) == Text. Bytes 1..31 become
// blanks (Replaced); a text longer than the pair step's 128 characters or
// `maxBytes` stored bytes loses whole words from its end (Cut).
PackedText PackPairText(std::string_view plain, std::size_t maxBytes);

// A label text of a water or feature name, stored as written ("Chicago O'Hare
// International"). UnpackLabelWords(Bytes) == Text. A long word of the table,
// in its title case, that begins a word of the text (it may run on, as "Lake"
// in "Lakewood") becomes one byte; the longest such word is taken. Bytes
// 129..200 of the text would read back as long words, so each is replaced by
// its nearest plain ASCII character in the Windows-1252 code page ("À" → "A",
// "’" → "'"), or "?" where there is none (Replaced). A text longer than 255
// characters or 120 stored bytes loses whole words from its end (Cut).
PackedText PackLabelText(std::string_view plain);

}  // namespace quelmar::builder

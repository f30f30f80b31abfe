#pragma once
// Texts that the search text rules must survive: empty, blanks only,
// separators only, full-length and over-long names, digit runs far past any
// key, bytes above 127 and an embedded NUL. Each comes with every prefix of
// a few mixed ones, so the rules also meet every way a text can be cut off.
#include <string>
#include <vector>

namespace quelmar::search::testing {

inline std::vector<std::string> HostileTexts() {
  std::vector<std::string> texts = {
      "",
      " ",
      std::string(255, ' '),
      ",,,,,,,,,,",
      "\t\t\t\t",
      "::::",
      "----",
      "....",
      "||||",
      "#",
      "*?*?",
      std::string(255, 'A'),
      std::string(300, 'W'),
      std::string(255, '9'),
      std::string(400, '1'),
      std::string(254, 'N') + ".",
      std::string(252, 'A') + " ST",
      std::string(200, '0') + "W1",
      "N56W24790",
      std::string("IL\0X", 4),
      "\x80\xff\xe9\xc9 \xa0",
  };
  std::string words;
  while (words.size() < 300) words += "SAINT N. MC COURT ";
  texts.push_back(words);
  std::string commas;
  while (commas.size() < 300) commas += "12345,IL,";
  texts.push_back(commas);
  for (const std::string mixed : {"123 n. Main Street, St. Paul, MN, 55101|5", "-87:35:13, 41:59:18",
                                  "50W201-50W299", "O BRIEN ST (DE KALB)"}) {
    for (std::size_t length = 0; length < mixed.size(); ++length) texts.push_back(mixed.substr(0, length));
  }
  return texts;
}

}  // namespace quelmar::search::testing

#pragma once
// The display form of names, which the map data stores in capitals.
#include "control/search/short_string.h"

namespace quelmar::search {

// Each word with its first letter in capitals and the rest in small letters,
// except: two-letter words stay in capitals («NE», «US», «SR») unless they are
// ON, IN, AT, TO, OF, ST, TR, RD, CT, LN, DR or MC; the letter after "Mc" is
// a capital; the first " DE " reads " De " and the first " O " reads " O'".
// «N MAIN ST» gives «N Main St», «O BRIEN ST» gives «O'Brien St».
ShortString TitleCaseName(const ShortString& name);

}  // namespace quelmar::search

#pragma once
// What the control knows before its first map: where its data folders are,
// the names of its fixed files and the start-up switches. One per control.
#include <string>

namespace quelmar::core {

struct StartupSettings {
  // Folder of "Autoload.cty", "Autoload.str" and the configuration file:
  // the current directory at construction, with a final separator.
  std::string workingFolder;
  // A copy of the working folder taken at INIT: the configuration file's folder.
  std::string configFolder;
  // Folder of the host program (with a final separator): the user road file lives there.
  std::string applicationFolder;

  std::string Path_states0 = "f:\\TARVO50\\States0";
  std::string Path_states1 = "f:\\TARVO50\\States1";
  std::string Path_data1 = "f:\\TARVO50\\Data1";
  std::string Path_data2 = "f:\\TARVO50\\Data2";
  std::string Path_data3 = "f:\\TARVO50\\Data3";

  std::string configFileName = "Quelmar50.Cfg";
  std::string baseArchiveName = "TARVO.ZIP";
  std::string dataRoot = "TARVO50";
  std::string productCaption = " QUELMAR50.OCX";

  bool AutoConfig = true;
  bool SaveView = true;
  bool IgnoreMem = false;
  std::string TitlePrint = "Point to Point Directions";
  std::string TitleUser = "Generic Copyright";

  // "HTAP": the route search writes its trace until the configuration turns it off.
  bool routeTrace = false;
  friend bool operator==(const StartupSettings&, const StartupSettings&) = default;
};

}  // namespace quelmar::core

#pragma once
// `quelmar serve-script`: a script acts as the map server's host. The
// command makes the server ("TarvoServer.clsMapServ") through the class
// registry and gives the script three objects of its own to pass by name:
// Picture (the picture box the server draws into), Events (the events
// object, whose Signal... calls print as events) and Form (the form with
// the special-options menu). Each line calls the server as `quelmar run`
// calls the control:
//
//   Initialize "K1ABC", Events, Form
//   DrawMapFromCorners Picture, -88, 42, -87, 41
//
// With an output file, the picture's lasting image is written as PNG at the end.
#include <string>

namespace quelmar::app {

struct ServeScriptOptions {
  std::string script = "-";
  std::string size = "640x480";
  std::string output;
};

// The exit status: 0 every line worked, 1 a line, the server or the image failed.
int RunServeScript(const ServeScriptOptions& options);

}  // namespace quelmar::app

// quelmar: the command-line host of the map control.
//   quelmar run [FILE|-]     late-bound calls, one per line
//   quelmar render ...       draws a view to a PNG file
//   quelmar geocode ADDRESS  geocodes addresses and prints the hits with their quality
//   quelmar route FROM TO    finds a road route and prints its directions
//   quelmar members [--idl]  lists the control's members from its type information
//   quelmar register [LIB]   registers the control library in the class registry
//   quelmar unregister [LIB] removes it
#include <dlfcn.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "apps/quelmar/control_host.h"
#include "apps/quelmar/members_command.h"
#include "apps/quelmar/data_tree.h"
#include "apps/quelmar/event_texts.h"
#include "apps/quelmar/geocode_command.h"
#include "apps/quelmar/render_command.h"
#include "apps/quelmar/route_command.h"
#include "apps/quelmar/serve_script_command.h"
#include "apps/quelmar/script_runner.h"
#include "apps/quelmar/size_argument.h"
#include "control/automation/tarvo_ids.h"
#include "platform/com/activation.h"
#include "platform/com/error_info.h"
#include "platform/com/server_exports.h"

namespace fs = std::filesystem;
using namespace quelmar;

namespace {

// The control library installed beside this program: ../lib/libquelmar50.so.
std::string DefaultLibrary() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "libquelmar50.so";
  return (self.parent_path().parent_path() / "lib" / "libquelmar50.so").string();
}

int RunServerEntry(const std::string& library, const char* entry) {
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    std::cerr << "quelmar: cannot load " << library << ": " << dlerror() << "\n";
    return 1;
  }
  auto fn = reinterpret_cast<com::DllRegisterServerFunction>(dlsym(handle, entry));
  if (!fn) {
    std::cerr << "quelmar: " << library << " is not a self-registering server (no " << entry << ")\n";
    dlclose(handle);
    return 1;
  }
  const com::HRESULT hr = fn();
  std::optional<com::ErrorInfo> info = com::GetErrorInfo();
  dlclose(handle);
  if (hr < 0) {
    std::cerr << "quelmar: " << entry << " failed: " << app::HResultText(hr) << (info ? ": " + info->description : "")
              << "\n";
    return 1;
  }
  std::cout << (std::string(entry) == "DllRegisterServer" ? "registered " : "unregistered ") << library << " in "
            << com::ClassRegistry::DefaultPath().string() << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App cli{"quelmar: the command-line host of the map control"};
  cli.footer("Exit status: 0 success, 1 a call, the control or a file failed, 2 wrong arguments.");
  cli.require_subcommand(1);

  std::string script = "-";
  std::string runSize = "640x480";
  bool designMode = false;
  CLI::App* run = cli.add_subcommand("run", "Run late-bound calls, one per line, and print results and events");
  run->add_option("file", script, "Script file, or - for standard input")->capture_default_str();
  run->add_option("--size", runSize, "Size of the control, WxH pixels")->capture_default_str();
  std::string runData;
  run->add_option("--data", runData, "The map data tree (folder of MAP.INI); default: the tree the README's main command built");
  run->add_flag("--design-mode", designMode, "Host the control as a designer would (ambient UserMode false)");
  bool autoConfig = false;
  run->add_flag("--auto-config", autoConfig,
                "Let the control read Quelmar50.Cfg of the working folder at start-up and write it at the end");
  bool startupEvents = false;
  run->add_flag("--startup-events", startupEvents,
                "Also print the events of the control's start-up (its first paint) before the script's own");
  run->footer(
      "Lines:  Member arg, arg ...   call a method or read a property\n"
      "        Member = value        write a property\n"
      "Arguments are numbers, \"quoted strings\" and True/False; commas are optional; # starts a comment.\n"
      "Example: printf 'ZoomWindow -88, 42, -87, 41\\nLonLeft\\n' | quelmar run -\n"
      "Exit status: 0 every line worked, 1 a line failed or the control could not be made, 2 wrong arguments.");

  app::RenderOptions render;
  CLI::App* renderCmd = cli.add_subcommand("render", "Draw a view of the map into a PNG file");
  renderCmd->add_option("--corners", render.corners, "View corners LON1,LAT1,LON2,LAT2 (degrees)")->delimiter(',')->expected(4);
  renderCmd->add_option("--center", render.center, "View centre LON,LAT (degrees)")->delimiter(',')->expected(2);
  renderCmd->add_option("--miles", render.milesPerInch, "With --center: scale in miles per screen inch");
  renderCmd->add_option("--size", render.size, "Image size WxH pixels")->capture_default_str();
  renderCmd->add_option("-o,--output", render.output, "PNG file to write")->required();
  renderCmd->add_option("--data", render.data, "The map data tree (folder of MAP.INI); default: the tree the README's main command built");
  renderCmd->add_option("--call", render.calls,
                        "A call as a line of quelmar run, made after the view is set and before the image is "
                        "written; its result prints as in quelmar run (repeatable)");
  renderCmd->footer("Without --corners or --center the control's start view (the contiguous United States) is drawn.\n"
                    "Exit status: 0 written, 1 a call or the drawing failed, 2 wrong arguments.");

  app::GeocodeOptions geocode;
  CLI::App* geocodeCmd = cli.add_subcommand("geocode", "Geocode addresses and print each hit with its precision and score");
  geocodeCmd->add_option("address", geocode.addresses, "\"NUMBER STREET, CITY, STATE ZIP\" (a \"|MILES\" suffix sets the radius)")
      ->required();
  geocodeCmd->add_option("--data", geocode.data, "The map data tree (folder of MAP.INI); default: the tree the README's main command built");
  geocodeCmd->add_flag("--tsv", geocode.tsv, "One line per hit: address, precision, score and the hit's fields, tab-separated");
  geocodeCmd->footer("Precisions: house (number on its range), street, intersection, zip, city; the score (0 to 1) is how\n"
                     "much of the typed address the hit matches.\n"
                     "Exit status: 0 every address was looked up (found or not), 1 the control or a call failed, 2 wrong arguments.");

  app::RouteOptions route;
  CLI::App* routeCmd = cli.add_subcommand("route", "Find a road route between two points and print its directions");
  routeCmd->add_option("from", route.from, "The start as LON,LAT in degrees")->required();
  routeCmd->add_option("to", route.to, "The finish as LON,LAT in degrees")->required();
  routeCmd->add_option("--type", route.type, "shortest-bias, fastest, least-turns or shortest")->capture_default_str();
  routeCmd->add_flag("--km", route.km, "Distances in kilometres");
  routeCmd->add_flag("--hours", route.hours, "Times as hours and minutes");
  routeCmd->add_flag("--tsv", route.tsv, "The route rows as the control gives them, then TOTAL, miles and seconds");
  routeCmd->add_option("--data", route.data, "The map data tree (folder of MAP.INI); default: the tree the README's main command built");
  routeCmd->footer("Exit status: 0 a route was found, 1 no route or a failed call, 2 wrong arguments.");

  app::ServeScriptOptions serve;
  CLI::App* serveCmd =
      cli.add_subcommand("serve-script", "Act as the map server's host: make the server and run calls on it, one per line");
  serveCmd->add_option("file", serve.script, "Script file, or - for standard input")->capture_default_str();
  serveCmd->add_option("--size", serve.size, "Size of the host's picture, WxH pixels")->capture_default_str();
  serveCmd->add_option("-o,--output", serve.output, "PNG file to write the picture's image to at the end");
  serveCmd->footer(
      "The script passes the host's objects by name: Picture, Events and Form.\n"
      "Example: printf 'Initialize \"K1ABC\", Events, Form\\nDrawMapFromCorners Picture, -88, 42, -87, 41\\n' | "
      "quelmar serve-script - -o map.png\n"
      "Exit status: 0 every line worked, 1 a line, the server or the image failed, 2 wrong arguments.");

  bool idl = false;
  CLI::App* members = cli.add_subcommand("members", "List the control's members, events and enumerations from its type information");
  members->add_flag("--idl", idl, "Write the whole type library as an IDL declaration instead");

  std::string library = DefaultLibrary();
  CLI::App* reg = cli.add_subcommand("register", "Register the control library in the class registry");
  reg->add_option("library", library, "Path of libquelmar50.so")->capture_default_str();
  CLI::App* unreg = cli.add_subcommand("unregister", "Remove the control library from the class registry");
  unreg->add_option("library", library, "Path of libquelmar50.so")->capture_default_str();

  const std::string first = argc > 1 ? argv[1] : "";
  if (!first.empty() && first[0] != '-' && first != "run" && first != "render" && first != "register" &&
      first != "unregister" && first != "members" && first != "geocode" && first != "route" && first != "serve-script") {
    std::cerr << "quelmar: unknown command \"" << argv[1]
              << "\"; the commands are run, render, geocode, route, serve-script, members, register and unregister\n";
    return 2;
  }
  // Help exits 0; every other argument error exits 2, the tool's own status
  // for wrong arguments, rather than the parser's internal numbers.
  try {
    cli.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return cli.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return cli.exit(e);
  } catch (const CLI::ParseError& e) {
    cli.exit(e);
    return 2;
  }

  if (serveCmd->parsed()) return app::RunServeScript(serve);
  if (reg->parsed()) return RunServerEntry(fs::absolute(library).string(), "DllRegisterServer");
  if (unreg->parsed()) return RunServerEntry(fs::absolute(library).string(), "DllUnregisterServer");

  com::Activator activator;
  if (run->parsed()) {
    app::HostOptions options;
    options.designMode = designMode;
    options.autoConfig = autoConfig;
    if (!app::ParseSize(runSize, &options.width, &options.height)) {
      std::cerr << "quelmar run: --size must be WxH with each side 1 to 16384, not \"" << runSize << "\"\n";
      return 2;
    }
    std::ifstream file;
    if (script != "-") {
      file.open(script);
      if (!file) {
        std::cerr << "quelmar run: cannot open " << script << "\n";
        return 2;
      }
    }
    std::istream& in = script == "-" ? std::cin : file;
    bool scriptStarted = false;
    app::ControlHost* hostPointer = nullptr;
    app::ControlHost host(activator, options, [&](const std::string& name, const std::vector<com::Variant>& args) {
      if (!scriptStarted && !startupEvents) return;
      std::cout << "event " << name << "(";
      for (std::size_t i = 0; i < args.size(); ++i) std::cout << (i ? ", " : "") << app::FormatValue(args[i]);
      std::cout << ")\n";
      // What a handler would read: every hit, not only the last.
      for (const std::string& property : app::EventTextProperties(name)) {
        const app::CallResult read = hostPointer->Call(property, {});
        if (read.hr >= 0) std::cout << "  " << property << " -> " << app::FormatValue(read.value) << "\n";
      }
    });
    hostPointer = &host;
    std::string error;
    if (!host.Create(automation::kProgId, &error)) {
      std::cerr << "quelmar run: " << error << "\n";
      return 1;
    }
    if (!app::UseDataTree(host, runData, &error)) {
      std::cerr << "quelmar run: " << error << "\n";
      return 1;
    }
    // The start-up paint happens now, so the script's output begins with its own calls.
    host.PumpMessages();
    scriptStarted = true;
    return app::RunScript(host, in, std::cout) == 0 ? 0 : 1;
  }

  if (geocodeCmd->parsed()) return app::GeocodeCommand(activator, geocode, std::cout, std::cerr);
  if (routeCmd->parsed()) return app::RouteCommand(activator, route, std::cout, std::cerr);

  if (members->parsed()) {
    app::ControlHost host(activator, app::HostOptions{}, {});
    std::string error;
    if (!host.Create(automation::kProgId, &error)) {
      std::cerr << "quelmar members: " << error << "\n";
      return 1;
    }
    return app::PrintMembers(host.Control(), idl, std::cout, std::cerr);
  }

  if (!app::ParseSize(render.size, &render.width, &render.height)) {
    std::cerr << "quelmar render: --size must be WxH with each side 1 to 16384, not \"" << render.size << "\"\n";
    return 2;
  }
  return app::RenderCommand(activator, render);
}

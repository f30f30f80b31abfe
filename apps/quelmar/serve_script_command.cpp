#include "apps/quelmar/serve_script_command.h"

#include <fstream>
#include <iostream>

#include "apps/host_objects/host_form.h"
#include "apps/host_objects/host_picture.h"
#include "apps/quelmar/control_host.h"
#include "apps/quelmar/script_parser.h"
#include "apps/quelmar/size_argument.h"
#include "platform/com/activation.h"
#include "platform/com/dispatch_call.h"

namespace quelmar::app {

std::string FormatValue(const com::Variant& v);

namespace {

constexpr char kServerProgId[] = "TarvoServer.clsMapServ";

bool RunLine(com::IDispatch* server, const ScriptLine& line, std::ostream& out) {
  const com::DispatchCall call =
      line.isPut ? com::InvokeByName(server, line.member, com::DISPATCH_PROPERTYPUT, line.args)
                 : com::InvokeByName(server, line.member, com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, line.args);
  if (call.hr < 0) {
    const std::string why = call.hr == com::DISP_E_EXCEPTION ? call.excep.bstrDescription : std::string();
    out << "error " << HResultText(call.MemberResult()) << ": " << (why.empty() ? line.member + " failed" : why) << "\n";
    return false;
  }
  if (!line.isPut && !call.value.IsEmpty()) out << line.member << " -> " << FormatValue(call.value) << "\n";
  return true;
}

}  // namespace

int RunServeScript(const ServeScriptOptions& options) {
  int width = 0, height = 0;
  if (!ParseSize(options.size, &width, &height)) {
    std::cerr << "quelmar serve-script: --size must be WxH with each side 1 to 16384, not \"" << options.size << "\"\n";
    return 2;
  }
  std::ifstream file;
  if (options.script != "-") {
    file.open(options.script);
    if (!file) {
      std::cerr << "quelmar serve-script: cannot open " << options.script << "\n";
      return 2;
    }
  }
  std::istream& in = options.script == "-" ? std::cin : file;

  com::Activator activator;
  com::ComPtr<com::IDispatch> server;
  if (const com::HRESULT hr = activator.CreateInstance(kServerProgId, com::IID_IDispatch, server.PutVoid()); hr < 0) {
    std::cerr << "quelmar serve-script: cannot create " << kServerProgId << " (" << HResultText(hr) << ")\n";
    return 1;
  }
  com::ComPtr<HostPicture> picture;
  picture.Attach(new HostPicture(width, height));
  com::ComPtr<HostForm> form;
  form.Attach(new HostForm());
  com::ComPtr<HostEvents> events;
  events.Attach(new HostEvents([](const std::string& name, const std::vector<com::Variant>& args) {
    std::cout << "event " << name << "(";
    for (std::size_t i = 0; i < args.size(); ++i) std::cout << (i ? ", " : "") << FormatValue(args[i]);
    std::cout << ")\n";
  }));
  const ScriptObjects objects = {{"Picture", com::Variant(static_cast<com::IDispatch*>(picture.Get()))},
                                 {"Events", com::Variant(static_cast<com::IDispatch*>(events.Get()))},
                                 {"Form", com::Variant(static_cast<com::IDispatch*>(form.Get()))}};
  int failures = 0;
  std::string text;
  for (int lineNumber = 1; std::getline(in, text); ++lineNumber) {
    const ParseResult parsed = ParseScriptLine(text, objects);
    if (!parsed.error.empty()) {
      std::cout << "error: line " << lineNumber << ": " << parsed.error << "\n";
      ++failures;
    } else if (parsed.line && !RunLine(server.Get(), *parsed.line, std::cout)) {
      ++failures;
    }
    std::cout << std::flush;
  }
  server = nullptr;  // the server ends (and keeps its configuration) before the host's objects go
  if (!options.output.empty() && !picture->SavePng(options.output)) {
    std::cerr << "quelmar serve-script: cannot write " << options.output << "\n";
    return 1;
  }
  return failures ? 1 : 0;
}

}  // namespace quelmar::app

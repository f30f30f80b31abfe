// Views drawn through the map server, as a host asks for them: the server
// made through the class registry (the build registers it), initialised with
// a host's events object and form, then DrawMapFromCorners into a 1024 x 768
// picture, alternating between two street-level views of Chicago so that
// every draw moves the view (with the street data of the default map tree
// when there is one). Reports draws per second.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "apps/host_objects/host_form.h"
#include "apps/host_objects/host_picture.h"
#include "platform/com/activation.h"
#include "platform/com/dispatch_call.h"
#include "platform/kernel/ini_file.h"

namespace {

using namespace quelmar;
using com::Variant;

struct HostedServer {
  HostedServer() {
    std::filesystem::create_directories(folder);
    ::setenv("TARVOSERVER_FOLDER", folder.c_str(), 1);
    ok = activator.CreateInstance("TarvoServer.clsMapServ", com::IID_IDispatch, server.PutVoid()) >= 0;
    events.Attach(new app::HostEvents({}));
    form.Attach(new app::HostForm());
    picture.Attach(new app::HostPicture(1024, 768));
    ok = ok && Call("Initialize", {Variant("BENCH"), Variant(static_cast<com::IDispatch*>(events.Get())),
                                   Variant(static_cast<com::IDispatch*>(form.Get()))});
    UseDataTree();
  }
  // The street data of the tree the README's main command builds
  // ($QUELMAR_DATA, else ~/.local/share/quelmar/map), through the server's
  // own data path properties.
  void UseDataTree() {
    const char* data = std::getenv("QUELMAR_DATA");
    const char* home = std::getenv("HOME");
    const std::filesystem::path root = data && *data ? std::filesystem::path(data)
                                       : home ? std::filesystem::path(home) / ".local/share/quelmar/map"
                                              : std::filesystem::path();
    kernel::IniFile ini;
    if (root.empty() || !ini.Load(root / "MAP.INI")) return;
    const char* section = "Application Interface";
    const auto put = [&](const char* property, const char* key) {
      const std::string folder = ini.GetOr(section, key, "");
      if (folder.empty()) return;
      com::InvokeByName(server.Get(), property, com::DISPATCH_PROPERTYPUT, {Variant((root / folder).string())});
    };
    put("strStates0", "StatesPath");
    put("strStates1", "StatesPath");
    put("strData1", "Data1Path");
    put("strData2", "Data2Path");
    put("strData3", "Data3Path");
  }
  bool Call(const std::string& member, const std::vector<Variant>& args) {
    return com::InvokeByName(server.Get(), member, com::DISPATCH_METHOD, args).hr >= 0;
  }
  bool Draw(double x1, double y1, double x2, double y2) {
    return Call("DrawMapFromCorners", {Variant(static_cast<com::IDispatch*>(picture.Get())), Variant(x1), Variant(y1),
                                       Variant(x2), Variant(y2)});
  }
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "quelmar-server-bench";
  com::Activator activator;
  com::ComPtr<com::IDispatch> server;
  com::ComPtr<app::HostEvents> events;
  com::ComPtr<app::HostForm> form;
  com::ComPtr<app::HostPicture> picture;
  bool ok = false;
};

void BM_ServerDrawByCorners(benchmark::State& state) {
  HostedServer host;
  if (!host.ok) {
    state.SkipWithError("the map server is not registered (build it: ninja -C build)");
    return;
  }
  bool east = false;
  for (auto _ : state) {
    const double x = east ? -87.62 : -87.66;
    if (!host.Draw(x - 0.02, 41.90, x + 0.02, 41.87)) {
      state.SkipWithError("a draw failed");
      return;
    }
    east = !east;
  }
  state.counters["draws/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ServerDrawByCorners)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

// The command-line host run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct RunResult {
  int status = -1;
  std::string out;  // standard output and error together
};

// Runs quelmar with a shell command line, feeding `input` on standard input.
RunResult Quelmar(const std::string& args, const std::string& input = "") {
  const fs::path in = fs::temp_directory_path() / ("quelmar-cli-" + std::to_string(::getpid()) + ".in");
  std::ofstream(in) << input;
  const std::string command = std::string(QUELMAR_BIN) + " " + args + " < " + in.string() + " 2>&1";
  RunResult run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) run.out.append(buffer.data(), n);
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  fs::remove(in);
  return run;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(QuelmarRun, PrintsResultsOfTheViewMembers) {
  const RunResult r = Quelmar("run -",
                        "ZoomWindow -88, 42, -87, 41\n"
                        "LonLeft\nLatTop\n"
                        "Distance -87, 41, -87, 42\n"
                        "Distance -87, 41, -87, 41\n"
                        "LonLatStr -87.5, 41.25\n"
                        "LLmode = 1\n"
                        "LonLatStr -87.5, 41.25\n"
                        "HeadsUp -87 41 -87 40\n");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(Contains(r.out, "LonLeft -> -88.16")) << r.out;
  EXPECT_TRUE(Contains(r.out, "Distance -> 69115\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "Distance -> 0\n")) << r.out;
  // Degrees, minutes and seconds by default; the degree sign reaches the host as UTF-8.
  EXPECT_TRUE(Contains(r.out, "LonLatStr -> \"- 87\xC2\xB0" "30' 00")) << r.out;
  EXPECT_TRUE(Contains(r.out, "LonLatStr -> \"-87.500032, 41.249984\"\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "HeadsUp -> 180\n")) << r.out;
  // The zoom repaints: its events show in order.
  EXPECT_TRUE(Contains(r.out, "event Status(1)\nevent PaintBefore(")) << r.out;
}

TEST(QuelmarRun, FailedCallsPrintTheirCodeAndFailTheRun) {
  const RunResult r = Quelmar("run", "ZoomPan \"east\"\nGrid = True\nGrid\nLonLeft = 5\nNoSuchThing\nDistance 1 2\n");
  EXPECT_NE(r.status, 0);
  EXPECT_TRUE(Contains(r.out, "error 0x80020005: argument 1 of ZoomPan has the wrong type")) << r.out;
  EXPECT_TRUE(Contains(r.out, "Grid -> True")) << r.out;  // later lines still run
  EXPECT_TRUE(Contains(r.out, "error 0x80020003: LonLeft cannot be written")) << r.out;
  EXPECT_TRUE(Contains(r.out, "error 0x80020006:")) << r.out;
  EXPECT_TRUE(Contains(r.out, "error 0x8002000E:")) << r.out;
}

TEST(QuelmarRun, FreeAllThenCallsFailCleanly) {
  const RunResult r = Quelmar("run", "ExecMethod \"FREEALL\"\nLonLeft\n");
  EXPECT_NE(r.status, 0);
  EXPECT_TRUE(Contains(r.out, "error 0x8000FFFF: LonLeft failed: the map panel was freed by FREEALL")) << r.out;
}

TEST(QuelmarRun, DesignModeAndScriptFiles) {
  const fs::path script = fs::temp_directory_path() / "quelmar-cli-script.txt";
  std::ofstream(script) << "result\n# nothing else\n";
  const RunResult r = Quelmar("run --design-mode " + script.string());
  fs::remove(script);
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(Contains(r.out, "result -> \"Run Time\"")) << r.out;
}

// Width and height from a PNG file's header, or (0, 0).
std::pair<int, int> PngSize(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::array<unsigned char, 24> h{};
  if (!in.read(reinterpret_cast<char*>(h.data()), h.size())) return {0, 0};
  if (h[1] != 'P' || h[2] != 'N' || h[3] != 'G') return {0, 0};
  auto be32 = [&](int at) { return (h[at] << 24) | (h[at + 1] << 16) | (h[at + 2] << 8) | h[at + 3]; };
  return {be32(16), be32(20)};
}

TEST(QuelmarRender, WritesAPngOfTheRequestedSize) {
  const fs::path out = fs::temp_directory_path() / "quelmar-cli-us.png";
  fs::remove(out);
  const RunResult r = Quelmar("render --corners -125,24,-66,50 --size 800x500 -o " + out.string());
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(PngSize(out), std::make_pair(800, 500));
  fs::remove(out);

  const RunResult centred = Quelmar("render --center -87.63,41.88 --miles 2 --size 320x200 -o " + out.string());
  EXPECT_EQ(centred.status, 0) << centred.out;
  EXPECT_EQ(PngSize(out), std::make_pair(320, 200));
  fs::remove(out);
}

TEST(QuelmarMembers, ListsTheInterfaceAndWritesADeclaration) {
  const RunResult list = Quelmar("members");
  EXPECT_EQ(list.status, 0) << list.out;
  EXPECT_TRUE(Contains(list.out, "      36       3  method  HeadsUp(VARIANT x1, VARIANT y1, VARIANT x2, VARIANT y2) -> int32\n"))
      << list.out;
  EXPECT_TRUE(Contains(list.out, "     668     136  get     Handle() -> int32  [hidden]\n")) << list.out;
  EXPECT_TRUE(Contains(list.out, "enum TxCoord: CdLonlat = 0, CdLatLon = 1\n")) << list.out;
  const RunResult idl = Quelmar("members --idl");
  EXPECT_EQ(idl.status, 0) << idl.out;
  EXPECT_TRUE(Contains(idl.out, "library Quelmar50\n")) << idl.out;
  EXPECT_TRUE(Contains(idl.out, "[id(29), propput] HRESULT Scale([in] double value);")) << idl.out;
  EXPECT_TRUE(Contains(idl.out, "[default, source] dispinterface ITarvoEvents;")) << idl.out;
  EXPECT_LT(idl.out.find("enum TxCoord"), idl.out.find("interface ITarvo : IDispatch"));
}

TEST(QuelmarCommandLine, WrongArgumentsGetClearMessages) {
  struct Case {
    const char* args;
    const char* message;
  } cases[] = {
      {"render --size 800x500", "--output is required"},
      {"render --size 0x5 -o x.png", "--size must be WxH"},
      {"render --size 4294967297x1 -o x.png", "--size must be WxH"},
      {"render --size 800x500x2 -o x.png", "--size must be WxH"},
      {"render --size +800x500 -o x.png", "--size must be WxH"},
      {"render --corners -87,41,-87,42 -o x.png", "--corners must span an area"},
      {"render --corners 1,2,3 -o x.png", "--corners"},
      {"render --corners 1,2,3,4 --center 1,2 -o x.png", "either --corners or --center"},
      {"render --miles 3 -o x.png", "--miles needs --center"},
      {"render --center -87,41 --miles 0 -o x.png", "--miles must be a number of miles per inch above 0"},
      {"render --center -87,41 --miles nan -o x.png", "--miles must be"},
      {"render --center -87,41 --miles -5 -o x.png", "--miles must be"},
      {"run /no/such/script", "cannot open /no/such/script"},
      {"run --size big", "--size must be WxH"},
      {"geocode", "address is required"},
      {"", "A subcommand is required"},
      {"fly", "unknown command \"fly\""},
  };
  // Wrong arguments exit 2, whichever check finds them.
  for (const Case& c : cases) {
    const RunResult r = Quelmar(c.args);
    EXPECT_EQ(r.status, 2) << c.args << " -> " << r.out;
    EXPECT_TRUE(Contains(r.out, c.message)) << c.args << " -> " << r.out;
  }
  const RunResult help = Quelmar("run --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(Contains(help.out, "Member = value")) << help.out;
  EXPECT_TRUE(Contains(help.out, "Exit status: 0")) << help.out;
}

TEST(QuelmarGeocode, ReportsEachAddressFoundOrNot) {
  // A tree without street or search data: every address is looked up and
  // none is found; a tree that is not one fails.
  const fs::path tree = fs::temp_directory_path() / ("quelmar-geocode-" + std::to_string(::getpid()));
  for (const char* folder : {"DATA1", "DATA2", "DATA3", "STATES0"}) fs::create_directories(tree / folder);
  std::ofstream(tree / "MAP.INI") << "[Application Interface]\nData1Path=DATA1\nData2Path=DATA2\nData3Path=DATA3\n"
                                     "StatesPath=STATES0\n";
  RunResult r = Quelmar("geocode --data " + tree.string() + " \"1060 W Addison St, Chicago, IL\" 60613");
  EXPECT_EQ(r.status, 0) << r.out;
  // (A sanitizer build may add its own report after the output.)
  EXPECT_TRUE(r.out.starts_with("1060 W Addison St, Chicago, IL\n  no match\n60613\n  no match\n")) << r.out;
  r = Quelmar("geocode --tsv --data " + tree.string() + " 60613");
  EXPECT_TRUE(r.out.starts_with("60613\tnone\t0.00\t\n")) << r.out;
  fs::remove_all(tree);
  r = Quelmar("geocode --data " + tree.string() + " 60613");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_TRUE(Contains(r.out, "quelmar geocode: ")) << r.out;
}

TEST(QuelmarCommandLine, OutputBeginsWithTheScriptsOwnLines) {
  const RunResult quiet = Quelmar("run -", "LonLeft\n");
  // (A sanitizer build may append its own report after the script's output.)
  EXPECT_TRUE(quiet.out.starts_with("LonLeft -> -130\n")) << quiet.out;
  EXPECT_FALSE(Contains(quiet.out, "event ")) << quiet.out;
  const RunResult startup = Quelmar("run --startup-events -", "LonLeft\n");
  EXPECT_TRUE(Contains(startup.out, "event PaintAfter(")) << startup.out;
  // The calls of render print their results as run does.
  const fs::path out = fs::temp_directory_path() / "quelmar-cli-call.png";
  const RunResult render = Quelmar("render --center -87.63,41.88 --miles 2 --size 320x200 --call LonLeft -o " + out.string());
  EXPECT_EQ(render.status, 0) << render.out;
  EXPECT_TRUE(Contains(render.out, "LonLeft -> -87.")) << render.out;
  fs::remove(out);
  // Reserved slots are marked as such in the member list.
  EXPECT_TRUE(Contains(Quelmar("members").out, "Reserved1()  [reserved: not callable]\n"));
}

TEST(QuelmarCommandLine, AnUnregisteredControlIsReported) {
  const fs::path empty = fs::temp_directory_path() / "quelmar-cli-empty-registry.ini";
  fs::remove(empty);
  const RunResult r = Quelmar("run", "LonLeft\n");
  ASSERT_EQ(r.status, 0) << r.out;  // the test registry has the control
  const std::string env = "QUELMAR_REGISTRY=" + empty.string() + " ";
  const std::string command = "env " + env + QUELMAR_BIN + " run < /dev/null 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  std::array<char, 4096> buffer;
  while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) out.append(buffer.data(), n);
  EXPECT_NE(::pclose(pipe), 0);
  EXPECT_TRUE(Contains(out, "cannot create Quelmar50.Tarvo")) << out;
}

}  // namespace

namespace {

// A script as the map server's host: the server draws into the host's
// picture and reports the view through the host's events object.
TEST(QuelmarServeScript, AScriptHostsTheMapServer) {
  const fs::path folder = fs::temp_directory_path() / ("quelmar-serve-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path png = folder / "map.png";
  ::setenv("TARVOSERVER_FOLDER", folder.c_str(), 1);  // the server's files go there, not beside the library
  const RunResult r = Quelmar("serve-script - --size 200x150 -o " + png.string(),
                              "Initialize \"K1ABC\", Events, Form\n"
                              "DrawMapFromCorners Picture, -88.2, 42.2, -87.3, 41.6\n"
                              "ZoomIn Picture\n"
                              "blnControlOk\n");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(Contains(r.out, "event SignalInformation(-88.2, ")) << r.out;
  EXPECT_TRUE(Contains(r.out, "\"Tarvo Mapping V5 Server\")\nDrawMapFromCorners -> True\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "blnControlOk -> True\n")) << r.out;
  EXPECT_GT(fs::exists(png) ? fs::file_size(png) : 0, 500u);
  EXPECT_EQ(Quelmar("serve-script - --size 0x10", "").status, 2);
  const RunResult bad = Quelmar("serve-script -", "DrawMapFromCorners Nothing, 1, 2, 3, 4\n");
  EXPECT_EQ(bad.status, 1) << bad.out;
  ::unsetenv("TARVOSERVER_FOLDER");
  fs::remove_all(folder);
}

}  // namespace

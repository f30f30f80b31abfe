#include "control/config/config_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace quelmar::config {
namespace {

using Read = std::function<void(ConfigModel&, const std::string&)>;
using Write = std::function<void(const ConfigModel&, ConfigWriter&)>;

struct KeyRule {
  const char* Section;
  const char* Key;
  Read Reader;
  Write Writer;
};

std::string Cut(const std::string& text, std::size_t most) { return text.substr(0, most); }

std::int32_t Clamp(std::int32_t v, std::int32_t lo, std::int32_t hi) { return std::clamp(v, lo, hi); }

// A list value's whole-number entries (each rounded, within int32).
std::vector<std::int32_t> Integers(const std::string& value) {
  std::vector<std::int32_t> numbers;
  for (const double n : ConfigList(value)) numbers.push_back(RoundedInteger(n));
  return numbers;
}

// Colour list lines "i,$colour", i from 1.
template <std::size_t N>
void WriteColours(ConfigWriter& w, const char* key, const std::array<std::uint32_t, N>& colours) {
  for (std::size_t i = 0; i < N; ++i) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "$%08X", colours[i]);
    w.Text(key, std::to_string(i + 1) + "," + colour);
  }
}

// The colour after a list value's index: "i,$colour".
std::uint32_t ColourAfterIndex(const std::string& value) {
  const std::size_t comma = value.find(',');
  return comma == std::string::npos ? 0 : ConfigColour(value.substr(comma + 1));
}

// A data path of the start-up settings.
KeyRule TextKey(const char* section, const char* key, std::string core::StartupSettings::*member) {
  return {section, key, [member](ConfigModel& m, const std::string& v) { m.Settings.Startup.*member = v; },
          [key, member](const ConfigModel& m, ConfigWriter& w) { w.Text(key, m.Settings.Startup.*member); }};
}

KeyRule StoredText(const char* section, const char* key, std::string StoredValues::*member, std::size_t most = 255) {
  return {section, key, [member, most](ConfigModel& m, const std::string& v) { m.Stored.*member = Cut(v, most); },
          [key, member](const ConfigModel& m, ConfigWriter& w) { w.Text(key, m.Stored.*member); }};
}

KeyRule StoredBool(const char* section, const char* key, bool StoredValues::*member) {
  return {section, key, [member](ConfigModel& m, const std::string& v) { m.Stored.*member = ConfigBoolean(v); },
          [key, member](const ConfigModel& m, ConfigWriter& w) { w.Boolean(key, m.Stored.*member); }};
}

KeyRule StoredInt(const char* section, const char* key, std::int32_t StoredValues::*member) {
  return {section, key, [member](ConfigModel& m, const std::string& v) { m.Stored.*member = ConfigInteger(v); },
          [key, member](const ConfigModel& m, ConfigWriter& w) { w.Integer(key, m.Stored.*member); }};
}

KeyRule StoredReal2(const char* section, const char* key, double StoredValues::*member) {
  return {section, key, [member](ConfigModel& m, const std::string& v) { m.Stored.*member = ConfigReal(v); },
          [key, member](const ConfigModel& m, ConfigWriter& w) { w.Real2(key, m.Stored.*member); }};
}

KeyRule LoadSwitch(const char* key, bool core::LayerOptions::*member) {
  return {"Overlays", key, [member](ConfigModel& m, const std::string& v) { m.Settings.Layers.*member = ConfigBoolean(v); },
          [key, member](const ConfigModel& m, ConfigWriter& w) { w.Boolean(key, m.Settings.Layers.*member); }};
}

KeyRule ShadeSwitch(const char* key, bool core::ShadingSwitches::*member) {
  return {"Shades", key,
          [member](ConfigModel& m, const std::string& v) { m.Settings.Layers.Shading.*member = ConfigBoolean(v); },
          [key, member](const ConfigModel& m, ConfigWriter& w) { w.Boolean(key, m.Settings.Layers.Shading.*member); }};
}

// A print margin, inches, held within what the Printer dialog allows.
KeyRule Margin(const char* key, double core::PrintSettings::*member) {
  return {"Printer", key,
          [member](ConfigModel& m, const std::string& v) { m.Settings.Print.*member = std::clamp(ConfigReal(v), 0.0, 4.0); },
          [key, member](const ConfigModel& m, ConfigWriter& w) { w.Real2(key, m.Settings.Print.*member); }};
}

const std::vector<KeyRule>& KeyTable() {
  using S = core::StartupSettings;
  static const std::vector<KeyRule> kTable = [] {
    std::vector<KeyRule> t;
    t.push_back(TextKey("Directories", "CDSTATE=", &S::Path_states0));
    t.push_back(TextKey("Directories", "CDDATA1=", &S::Path_data1));
    t.push_back(TextKey("Directories", "CDDATA2=", &S::Path_data2));
    t.push_back(TextKey("Directories", "CDDATA3=", &S::Path_data3));
    t.push_back(TextKey("Directories", "CDSTATE1=", &S::Path_states1));
    t.push_back(StoredText("Directories", "CDOVR=", &StoredValues::OverlayFolder));
    t.push_back(StoredText("Directories", "CDLIB=", &StoredValues::LibraryFolder));
    t.push_back({"Directories", "CDCONT=",
                 [](ConfigModel& m, const std::string& v) { m.Settings.Underlay.SetUnderlayFile(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Text("CDCONT=", m.Settings.Underlay.UnderlayFile()); }});
    t.push_back(StoredText("Directories", "CDHELP=", &StoredValues::HelpFolder));
    t.push_back(StoredText("Directories", "BMP=", &StoredValues::Bitmap));
    t.push_back(StoredText("Directories", "OVR=", &StoredValues::Overlay));
    t.push_back(StoredText("Directories", "LIB=", &StoredValues::Library));

    t.push_back({"Visible", "UNDER=", [](ConfigModel& m, const std::string& v) { m.Settings.Underlay.SetUnderlay(ConfigBoolean(v)); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("UNDER=", m.Settings.Underlay.Underlay()); }});
    t.push_back({"Visible", "OVER=", [](ConfigModel& m, const std::string& v) { m.Settings.Layers.Overlay = ConfigBoolean(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("OVER=", m.Settings.Layers.Overlay); }});
    t.push_back({"Visible", "MAIN=", [](ConfigModel& m, const std::string& v) { m.Settings.Layers.Mainlay = ConfigBoolean(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("MAIN=", m.Settings.Layers.Mainlay); }});
    t.push_back(StoredBool("Visible", "DBASE=", &StoredValues::Database));

    t.push_back({"Modules", "ASP=",
                 [](ConfigModel& m, const std::string& v) {
                   const double aspect = ConfigReal(v);
                   m.ScreenAspect = aspect > 0 ? aspect : 1.0;
                 },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Number("ASP=", m.ScreenAspect); }});
    // Whatever the file says, reading the key sets the loading ratio to 4.
    t.push_back({"Modules", "BRATIO=", [](ConfigModel& m, const std::string&) { m.Stored.LoadRatio = 4; },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Number("BRATIO=", m.Stored.LoadRatio); }});
    t.push_back({"Modules", "TIGER=",
                 [](ConfigModel& m, const std::string& v) { m.Settings.Layers.StreetDetailMiles = ConfigInteger(v); },
                 [](const ConfigModel& m, ConfigWriter& w) {
                   w.Integer("TIGER=", std::llround(std::clamp(m.Settings.Layers.StreetDetailMiles, -2e9, 2e9)));
                 }});
    t.push_back({"Modules", "CSPC=",
                 [](ConfigModel& m, const std::string& v) { m.Settings.Labels.CityDensity = Clamp(ConfigInteger(v), 0, 20); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Integer("CSPC=", m.Settings.Labels.CityDensity); }});
    t.push_back({"Modules", "PMODE=",
                 [](ConfigModel& m, const std::string& v) {
                   if (const std::int32_t mode = ConfigInteger(v); mode < 4) m.Stored.PrintMode = mode;
                 },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Integer("PMODE=", m.Stored.PrintMode); }});
    t.push_back(StoredBool("Modules", "BKPNT=", &StoredValues::BackPaint));

    t.push_back(StoredBool("Overlays", "LMAIN=", &StoredValues::MainLayer));
    t.push_back(LoadSwitch("LHYDRO=", &core::LayerOptions::Load_Hydro));
    t.push_back(LoadSwitch("LHNET=", &core::LayerOptions::Load_Highway));
    t.push_back(LoadSwitch("LSTATE=", &core::LayerOptions::Load_State));
    t.push_back(LoadSwitch("LCITY=", &core::LayerOptions::Load_City));
    t.push_back(LoadSwitch("LAIR=", &core::LayerOptions::Load_Air));
    t.push_back(LoadSwitch("LLAND=", &core::LayerOptions::Load_Landmark));
    t.push_back(LoadSwitch("LCNTY=", &core::LayerOptions::Load_County));

    t.push_back(StoredBool("Options", "HINT=", &StoredValues::Hints));
    t.push_back({"Options", "TOOL=", [](ConfigModel& m, const std::string& v) { m.Settings.Panel.ShowToolbar = ConfigBoolean(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("TOOL=", m.Settings.Panel.ShowToolbar); }});
    t.push_back(StoredBool("Options", "STATUS=", &StoredValues::StatusBar));
    t.push_back(StoredBool("Options", "GLOBE=", &StoredValues::Globe));
    t.push_back({"Options", "XDT=",
                 [](ConfigModel& m, const std::string& v) { m.Settings.Labels.SelectiveLabeling = ConfigBoolean(v) ? 1 : 0; },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("XDT=", m.Settings.Labels.SelectiveLabeling != 0); }});
    t.push_back(StoredBool("Options", "PC=", &StoredValues::Pc));
    t.push_back(StoredBool("Options", "BEEP=", &StoredValues::Beep));
    t.push_back(StoredBool("Options", "OPTID=", &StoredValues::OptionIds));
    t.push_back({"Options", "IGNM=", [](ConfigModel& m, const std::string& v) { m.Settings.Startup.IgnoreMem = ConfigBoolean(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("IGNM=", m.Settings.Startup.IgnoreMem); }});
    t.push_back({"Options", "UMONO=",
                 [](ConfigModel& m, const std::string& v) {
                   m.Settings.Underlay.SetUnderlayStyle(static_cast<TxUndMode>(Clamp(ConfigInteger(v), 0, 3)));
                 },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Integer("UMONO=", m.Settings.Underlay.UnderlayStyle()); }});
    t.push_back({"Options", "UMNT=",
                 [](ConfigModel& m, const std::string& v) {
                   m.Settings.Underlay.SetReliefFromConfiguration(static_cast<std::int16_t>(Clamp(ConfigInteger(v), -32768, 32767)));
                 },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Integer("UMNT=", m.Settings.Underlay.ReliefValue()); }});

    const char* font = " Font Info ";
    t.push_back({font, "IMAX=", [](ConfigModel& m, const std::string& v) { m.Settings.Labels.TextSize = Clamp(ConfigInteger(v), 1, 200); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Integer("IMAX=", m.Settings.Labels.TextSize); }});
    t.push_back(StoredInt(font, "IMIN=", &StoredValues::SecondTextSize));
    t.push_back({font, "SMJ=",
                 [](ConfigModel& m, const std::string& v) {
                   m.Settings.Labels.StreetLabelMiles = ConfigReal(v);
                   m.Settings.Labels.SecondLabelMiles = ConfigReal(v) / 2;
                 },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Number("SMJ=", m.Settings.Labels.StreetLabelMiles); }});
    t.push_back({font, "SHADO=", [](ConfigModel& m, const std::string& v) { m.Settings.Labels.Shadow = ConfigBoolean(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("SHADO=", m.Settings.Labels.Shadow); }});
    t.push_back(StoredInt(font, "SHFACT=", &StoredValues::ShadeFactor));
    t.push_back(StoredInt(font, "SHPOL=", &StoredValues::ShadePolygons));
    // Written, never read back.
    t.push_back({font, "BWON=", [](ConfigModel&, const std::string&) {},
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("BWON=", m.Settings.Print.BlackWhite); }});
    t.push_back(StoredBool(font, "SCBAR=", &StoredValues::ScaleBar));
    t.push_back({font, "NET=", [](ConfigModel& m, const std::string& v) { m.Settings.Route.ShowNet = ConfigBoolean(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("NET=", m.Settings.Route.ShowNet); }});
    t.push_back({font, "PGR=", [](ConfigModel& m, const std::string& v) { m.Settings.Startup.routeTrace = ConfigBoolean(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("PGR=", m.Settings.Startup.routeTrace); }});
    t.push_back({font, "LVIEW=", [](ConfigModel& m, const std::string& v) { m.Settings.Startup.SaveView = ConfigBoolean(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("LVIEW=", m.Settings.Startup.SaveView); }});
    t.push_back({font, "LWIND=",
                 [](ConfigModel& m, const std::string& v) {
                   const std::vector<double> n = ConfigList(v);
                   if (n.size() < 4) return;
                   const auto units = [](double degrees) {
                     return static_cast<std::int32_t>(std::clamp(std::round(degrees * 15625), -2147483647.0, 2147483647.0));
                   };
                   m.StartWindow = core::MapRect{units(n[0]), units(n[1]), units(n[2]), units(n[3])};
                 },
                 [](const ConfigModel& m, ConfigWriter& w) {
                   std::string text;
                   for (std::size_t i = 0; i < 4; ++i) {
                     char part[64];
                     std::snprintf(part, sizeof part, "%9.6f", std::isfinite(m.View[i]) ? m.View[i] : 0.0);
                     text += (i ? "," : "") + std::string(part);
                   }
                   w.Text("LWIND=", text);
                 }});

    t.push_back(Margin("MLT=", &core::PrintSettings::MarginLeft));
    t.push_back(Margin("MRT=", &core::PrintSettings::MarginRight));
    t.push_back(Margin("MTP=", &core::PrintSettings::MarginTop));
    t.push_back(Margin("MBT=", &core::PrintSettings::MarginBottom));
    t.push_back({"Printer", "SIZE=",
                 [](ConfigModel& m, const std::string& v) {
                   if (const std::int32_t size = ConfigInteger(v); size == 1 || size == 2) m.Stored.PaperSize = size;
                 },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Integer("SIZE=", m.Stored.PaperSize); }});
    t.push_back(StoredInt("Printer", "FSIZE=", &StoredValues::FontSize));
    t.push_back(StoredText("Printer", "TITLE=", &StoredValues::Title, 40));
    t.push_back(StoredInt("Printer", "FPS=", &StoredValues::Fps));
    t.push_back({"Printer", "XYMODE=",
                 [](ConfigModel& m, const std::string& v) {
                   m.Settings.Panel.LLmode = static_cast<TxLLMode>(Clamp(ConfigInteger(v), 0, 3));
                 },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Integer("XYMODE=", m.Settings.Panel.LLmode); }});
    t.push_back({"Printer", "UNIT=", [](ConfigModel& m, const std::string& v) { m.DistanceUnit = ConfigInteger(v) == 2 ? 2 : 1; },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Integer("UNIT=", m.DistanceUnit); }});
    t.push_back(StoredInt("Printer", "PRTOR=", &StoredValues::PrintOrientation));

    t.push_back(StoredText("Search", "PLC=", &StoredValues::PlaceText, 40));
    t.push_back(StoredText("Search", "STR=", &StoredValues::StreetText, 40));
    t.push_back(StoredText("Search", "ZIP=", &StoredValues::ZipText, 10));
    t.push_back(StoredText("Search", "ACODE=", &StoredValues::AreaCodeText, 10));
    t.push_back(StoredInt("Search", "STNUM=", &StoredValues::StreetNumber));
    t.push_back({"Search", "MARKPT=", [](ConfigModel& m, const std::string& v) { m.Settings.Search.MarkPoint = ConfigBoolean(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("MARKPT=", m.Settings.Search.MarkPoint); }});
    t.push_back(StoredText("Search", "SSRC=", &StoredValues::AddressText, 40));
    t.push_back(StoredInt("Search", "SMODE=", &StoredValues::SearchMode));
    t.push_back({"Search", "ZMARD=",
                 [](ConfigModel& m, const std::string& v) {
                   const std::vector<std::int32_t> n = Integers(v);
                   if (n.size() >= 3 && n[0] >= 1 && n[0] <= kConfigDialogPositions) m.Stored.DialogPositions[n[0] - 1] = {n[1], n[2]};
                 },
                 [](const ConfigModel& m, ConfigWriter& w) {
                   for (int i = 0; i < kConfigDialogPositions; ++i) {
                     w.List("ZMARD=", {i + 1, m.Stored.DialogPositions[i][0], m.Stored.DialogPositions[i][1]});
                   }
                 }});

    t.push_back({"Landmarks", "LAND=",
                 [](ConfigModel& m, const std::string& v) {
                   const std::vector<std::int32_t> n = Integers(v);
                   if (n.size() >= 2 && n[0] >= 1 && n[0] <= kConfigLandmarks) {
                     m.Tables.Landmarks[n[0] - 1] = static_cast<std::uint8_t>(Clamp(n[1], 0, 255));
                   }
                 },
                 [](const ConfigModel& m, ConfigWriter& w) {
                   for (int i = 0; i < kConfigLandmarks; ++i) w.List("LAND=", {i + 1, m.Tables.Landmarks[i]});
                 }});
    t.push_back({"Layers", "LAYER=",
                 [](ConfigModel& m, const std::string& v) {
                   const std::vector<std::int32_t> n = Integers(v);
                   if (n.size() >= 2 && n[0] >= 1 && n[0] <= kConfigLayers) m.Tables.Layers[n[0] - 1] = n[1] > 0;
                 },
                 [](const ConfigModel& m, ConfigWriter& w) {
                   for (int i = 0; i < kConfigLayers; ++i) w.List("LAYER=", {i + 1, m.Tables.Layers[i] ? 1 : 0});
                 }});

    t.push_back(ShadeSwitch("CNTYON=", &core::ShadingSwitches::County));
    t.push_back(ShadeSwitch("MCDON=", &core::ShadingSwitches::Mcd));
    t.push_back(ShadeSwitch("PLCON=", &core::ShadingSwitches::Place));
    t.push_back({"Shades", "AUTOQ=", [](ConfigModel& m, const std::string& v) { m.Settings.Panel.AutoQuery = ConfigBoolean(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Boolean("AUTOQ=", m.Settings.Panel.AutoQuery); }});
    t.push_back(ShadeSwitch("STATEON=", &core::ShadingSwitches::State));
    t.push_back({"Fills", "FILLS=",
                 [](ConfigModel& m, const std::string& v) {
                   // The three texts in the order they come.
                   auto& fills = m.Stored.Fills;
                   const auto free = std::find(fills.begin(), fills.end(), std::string());
                   if (free != fills.end()) *free = Cut(v, 40);
                 },
                 [](const ConfigModel& m, ConfigWriter& w) {
                   for (const std::string& fill : m.Stored.Fills) w.Text("FILLS=", fill);
                 }});
    t.push_back({"Shades", "STSHD=",
                 [](ConfigModel& m, const std::string& v) {
                   const std::int32_t i = ConfigInteger(v.substr(0, v.find(',')));
                   const std::uint32_t colour = ColourAfterIndex(v);
                   if (i >= 1 && i <= kConfigStyleColours) m.Tables.StyleColours[i - 1] = colour;
                   // Entries past the table set the palette's first colours.
                   if (i > kConfigStyleColours && i <= kConfigStyleColours + 16) m.Tables.PaletteColours[i - 57] = colour;
                 },
                 [](const ConfigModel& m, ConfigWriter& w) { WriteColours(w, "STSHD=", m.Tables.StyleColours); }});
    t.push_back({"Shades", "PALSHD=",
                 [](ConfigModel& m, const std::string& v) {
                   const std::int32_t i = ConfigInteger(v.substr(0, v.find(',')));
                   if (i >= 1 && i <= kConfigPaletteColours) m.Tables.PaletteColours[i - 1] = ColourAfterIndex(v);
                 },
                 [](const ConfigModel& m, ConfigWriter& w) { WriteColours(w, "PALSHD=", m.Tables.PaletteColours); }});

    t.push_back({"Route", "PRIOR=",
                 [](ConfigModel& m, const std::string& v) {
                   const std::vector<std::int32_t> n = Integers(v);
                   if (n.size() >= 3 && n[0] >= 1 && n[0] <= 5) {
                     m.Settings.Roads.speed[n[0]] = Clamp(n[1], 0, 1000);
                     m.Settings.Roads.priority[n[0]] = Clamp(n[2], 0, 5);
                   }
                 },
                 [](const ConfigModel& m, ConfigWriter& w) {
                   for (int c = 1; c <= 5; ++c) w.List("PRIOR=", {c, m.Settings.Roads.speed[c], m.Settings.Roads.priority[c]});
                 }});
    t.push_back({"Route", "HTYPE=", [](ConfigModel& m, const std::string& v) { m.Settings.Roads.routeHighlight = ConfigInteger(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Integer("HTYPE=", m.Settings.Roads.routeHighlight); }});
    t.push_back({"Route", "HCLR=", [](ConfigModel& m, const std::string& v) { m.Settings.Roads.routeLineColour = ConfigInteger(v); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Integer("HCLR=", m.Settings.Roads.routeLineColour); }});
    t.push_back({"Route", "TFACTOR=",
                 [](ConfigModel& m, const std::string& v) { m.Settings.Route.TurnFactor = Clamp(ConfigInteger(v), 0, 10); },
                 [](const ConfigModel& m, ConfigWriter& w) { w.Integer("TFACTOR=", m.Settings.Route.TurnFactor); }});
    t.push_back(StoredReal2("Route", "RTERAD=", &StoredValues::RouteRadius));
    // Written, never read back.
    t.push_back({"Route", "MAXRMPA=", [](ConfigModel&, const std::string&) {},
                 [](const ConfigModel& m, ConfigWriter& w) { w.Real2("MAXRMPA=", m.Settings.Route.RampAngleLimit); }});
    return t;
  }();
  return kTable;
}

}  // namespace

void ReadConfig(const std::vector<ConfigEntry>& entries, ConfigModel& model) {
  model.StartWindow.reset();
  model.Settings.Startup.SaveView = false;
  model.Stored.Fills = {};
  for (const ConfigEntry& entry : entries) {
    for (const KeyRule& rule : KeyTable()) {
      if (entry.Key == rule.Key) {
        rule.Reader(model, entry.Value);
        break;
      }
    }
  }
  if (model.Settings.Startup.Path_data3.empty()) model.Settings.Startup.Path_data3 = model.Settings.Startup.Path_data2;
  if (!model.Settings.Startup.SaveView) model.StartWindow.reset();
}

std::string WriteConfig(const ConfigModel& model) {
  ConfigWriter writer;
  std::string section;
  for (const KeyRule& rule : KeyTable()) {
    if (section != rule.Section) {
      section = rule.Section;
      writer.Section(section);
    }
    rule.Writer(model, writer);
  }
  return writer.Text();
}

}  // namespace quelmar::config

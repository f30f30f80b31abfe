#pragma once
// The trace log: a text file that the paint pass (while printing), the
// closest-street search, routing and configuration saving append lines to
// while the trace switch (option 65535) is on. Each line is appended and the
// file closed again, so a crash loses nothing written before it. One per
// control.
#include <string>
#include <string_view>

namespace quelmar::core {

class TraceLog {
 public:
  // The file the product writes, "c:\QUELMAR50.TXT", lives here in the
  // working folder unless $QUELMAR_TRACE_LOG names another file.
  static constexpr const char* kFileName = "QUELMAR50.TXT";

  // The log's file: $QUELMAR_TRACE_LOG, else `workingFolder` + kFileName.
  static std::string DefaultPath(const std::string& workingFolder);

  const std::string& Path() const { return path_; }
  void SetPath(std::string path) { path_ = std::move(path); }
  bool On() const { return on_; }
  void SetOn(bool on) { on_ = on; }

  // Appends `line` and a line end while the log is on; false when the file
  // cannot be written (the caller goes on: the log is a diagnostic).
  bool Write(std::string_view line) const;

 private:
  std::string path_;
  bool on_ = false;
};

}  // namespace quelmar::core

#pragma once
// ProblemReporter: where readers report damaged or unreadable data they
// skip. A load goes on past a bad member; the reporter tells someone. The
// default does nothing; the control writes each problem to its trace log and
// counts it, the data tool prints it.
#include <cstdint>
#include <string>
#include <string_view>

namespace quelmar::core {

struct DataProblem {
  std::string Archive;  // the archive or file, as the load named it
  std::string Member;   // the member of an archive, empty for a plain file
  std::string What;     // what was wrong, as the reader said it
};

class ProblemReporter {
 public:
  virtual ~ProblemReporter() = default;
  virtual void Report(const DataProblem& /*problem*/) {}
};

// One line of text for a problem: "archive member: what".
std::string DescribeProblem(const DataProblem& problem);

// Counts the problems and keeps the last one's text.
class CountingProblemReporter final : public ProblemReporter {
 public:
  void Report(const DataProblem& problem) override;
  std::int32_t Count() const { return count_; }
  const std::string& Last() const { return last_; }
  void Reset();

 private:
  std::int32_t count_ = 0;
  std::string last_;
};

}  // namespace quelmar::core

#include "control/core/problem_reporter.h"

#include <limits>

namespace quelmar::core {

std::string DescribeProblem(const DataProblem& problem) {
  std::string text = problem.Archive;
  if (!problem.Member.empty()) text += (text.empty() ? "" : " ") + problem.Member;
  if (!text.empty()) text += ": ";
  return text + problem.What;
}

void CountingProblemReporter::Report(const DataProblem& problem) {
  if (count_ < std::numeric_limits<std::int32_t>::max()) ++count_;
  last_ = DescribeProblem(problem);
}

void CountingProblemReporter::Reset() {
  count_ = 0;
  last_.clear();
}

}  // namespace quelmar::core

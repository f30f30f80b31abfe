#include "platform/kernel/beep.h"

#include <atomic>

namespace quelmar::kernel {

namespace {
std::atomic<long> beeps{0};  // the speaker is the machine's, shared by every control
}

void Beep() { ++beeps; }
long BeepCount() { return beeps; }

}  // namespace quelmar::kernel

#pragma once
// The desktop's warning beep. Engine code beeps when an operation ends early
// on bad data; without a speaker the beep is counted so tests can see it.

namespace quelmar::kernel {

void Beep();
// Beeps since the process started.
long BeepCount();

}  // namespace quelmar::kernel

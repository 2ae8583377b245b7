// Faults that the scenario driver arms to exercise the program's failure paths.
#pragma once

namespace tb::faults {

enum class Fault { glcontext, menubar, memory };

// The next request of that kind fails once.
void arm(Fault fault);
// True (and disarmed) when the fault was armed; the failing operation calls it.
bool take(Fault fault);

} // namespace tb::faults

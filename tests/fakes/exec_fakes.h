// Recording stand-ins for the hidden command runner; each run is logged in
// fakes.events. Each test starts from ResetExecFakes() (and ResetRuntimeFakes()).
#pragma once

#include <vector>

#include "runtime/text.h"

struct ExecFakes {
  std::vector<Text> outputs;  // what the runs return, in turn; then empty texts
  int closeWindowInRun = 0;   // the run (from 1) during which the window is closed
  int runs = 0;
};

extern ExecFakes execFakes;
void ResetExecFakes();

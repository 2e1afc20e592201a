// Recording stand-ins for the hidden command runner; each run is logged in
// fakes.events. Each test starts from ResetExecFakes() (and ResetRuntimeFakes()).
#pragma once

#include <vector>

#include "exec/run_hidden.h"
#include "runtime/text.h"

struct ExecFakes {
  std::vector<Text> outputs;     // what the runs return, in turn; then empty texts
  std::vector<ChildExit> exits;  // how the runs end, in turn; then started with code 0
  int closeWindowInRun = 0;      // the run (from 1) during which the window is closed
  int runs = 0;
};

extern ExecFakes execFakes;
void ResetExecFakes();

#include "tests/fakes/exec_fakes.h"

#include <string>

#include "exec/run_hidden.h"
#include "tests/fakes/runtime_fakes.h"

ExecFakes execFakes;

void ResetExecFakes() {
  execFakes = ExecFakes();
  fakes.events.clear();
}

Text RunHidden(const Text& line, ChildExit* exit) {
  fakes.events.push_back(ConcatText({"run ", line}));
  int run = ++execFakes.runs;
  if (run == execFakes.closeWindowInRun) fakes.mainWindowClosed = true;
  if (exit) {
    *exit = run <= static_cast<int>(execFakes.exits.size()) ? execFakes.exits[static_cast<size_t>(run - 1)]
                                                            : ChildExit{true, 0};
  }
  return run <= static_cast<int>(execFakes.outputs.size()) ? execFakes.outputs[static_cast<size_t>(run - 1)] : Text();
}

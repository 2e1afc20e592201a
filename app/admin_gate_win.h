// The administrator gate of start-up.
#pragma once

// Asks advpack's IsNTAdmin whether the process has administrator rights. When it
// has not, shows "请以管理员模式运行" and ends the process with code 0; when the
// library or the export is missing, says so and ends it with code -1.
void RunAdministratorGate();

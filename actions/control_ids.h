// The controls the handlers address, by role. The values are the controls'
// Windows identifiers; none is IDOK (1) or IDCANCEL (2).
#pragma once

enum ControlId : int {
  pageTabs = 100,
  addressEdit1 = 101,
  addressEdit2 = 102,
  pingCheck = 103,
  tracertCheck = 104,
  checkButton = 105,
  connectionNameEdit = 111,
  ipEdit = 112,
  gatewayEdit = 113,
  maskEdit = 114,
  dnsEdit = 115,
  connectivityButton = 116,
  showParamsButton = 117,
  saveButton = 118,
  resetButton = 121,
};

// Recording stand-ins for the WinINet-backed routines, for native tests of the
// connectivity check. Each test starts from ResetHttpFakes().
#pragma once

#include <deque>
#include <vector>

#include "http/fetch_page.h"

struct HttpFakes {
  std::vector<Text> checkedUrls;
  std::vector<PageRequest> fetched;
  std::deque<bool> connectionAnswers;  // one per CheckConnection call; false when used up
  std::deque<Bytes> pages;             // one per FetchPage call; empty when used up
  int callsWithoutWaitCursor = 0;      // probe calls made while the arrow showed
};

extern HttpFakes httpFakes;
void ResetHttpFakes();

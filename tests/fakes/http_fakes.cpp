#include "tests/fakes/http_fakes.h"

#include "http/internet_check.h"
#include "tests/fakes/runtime_fakes.h"

HttpFakes httpFakes;

void ResetHttpFakes() { httpFakes = HttpFakes(); }

bool CheckConnection(const Text& url) {
  httpFakes.checkedUrls.push_back(url);
  if (!fakes.waitCursor) ++httpFakes.callsWithoutWaitCursor;
  if (httpFakes.connectionAnswers.empty()) return false;
  const bool answer = httpFakes.connectionAnswers.front();
  httpFakes.connectionAnswers.pop_front();
  return answer;
}

Bytes FetchPage(const PageRequest& request) {
  httpFakes.fetched.push_back(request);
  if (!fakes.waitCursor) ++httpFakes.callsWithoutWaitCursor;
  if (httpFakes.pages.empty()) return {};
  Bytes page = httpFakes.pages.front();
  httpFakes.pages.pop_front();
  return page;
}

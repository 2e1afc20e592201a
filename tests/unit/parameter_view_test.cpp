#include <gtest/gtest.h>

#include "actions/handlers.h"
#include "tests/fakes/runtime_fakes.h"

namespace {

TEST(ParameterView, EachButtonLaunchesOneConsoleKeptOpenByK) {
  struct Case {
    void (*handler)();
    LaunchedConsole launch;
  };
  const Case cases[] = {
      {OnShowParamsButton, {"cmd /k ipconfig /all", true}},
      {OnResetButton, {"cmd /k netsh winsock reset", false}},
  };
  for (const Case& c : cases) {
    ResetRuntimeFakes();
    c.handler();
    ASSERT_EQ(fakes.launches.size(), 1u) << c.launch.line;
    EXPECT_EQ(fakes.launches[0], c.launch);
    EXPECT_TRUE(fakes.messages.empty());
    EXPECT_TRUE(fakes.readOrder.empty()) << "reads nothing from the page";
    EXPECT_EQ(fakes.processEventsCalls, 0) << "dispatches nothing";
    // Only the console that is waited for freezes the window, under the wait cursor.
    EXPECT_EQ(fakes.launches[0].underWaitCursor, c.launch.wait);
    EXPECT_FALSE(fakes.waitCursor) << "the arrow is back";
  }
}

TEST(ParameterView, TwoClicksOnResetOpenTwoConsoles) {
  ResetRuntimeFakes();
  OnResetButton();
  OnResetButton();
  EXPECT_EQ(fakes.launches, (std::vector<LaunchedConsole>(2, {"cmd /k netsh winsock reset", false})));
}

}  // namespace

// Skin installation at start-up, over the in-memory files of the runtime fakes.
#include "app/skin_install.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/fakes/runtime_fakes.h"
#include "tests/fakes/skin_fakes.h"

namespace {

const Text kPath = "C:\\Nevrolt\\SkinH_EL.dll";

class SkinInstall : public testing::Test {
 protected:
  void SetUp() override {
    ResetRuntimeFakes();
    ResetSkinFakes();
  }
  // Runs ApplyBuiltInSkin; the exit code, or 1000 when the program went on.
  int Apply(int number) {
    try {
      ApplyBuiltInSkin(number);
    } catch (const ProgramExited& exited) {
      return exited.code;
    }
    return 1000;
  }
};

TEST_F(SkinInstall, FirstStartWritesTheLibraryHiddenAndHandsOverSkin11) {
  EXPECT_EQ(Apply(11), 1000);
  ASSERT_TRUE(fakes.files.count(kPath));
  EXPECT_EQ(fakes.files[kPath].bytes, skinFakes.library);
  EXPECT_EQ(fakes.files[kPath].attributes, 2);
  ASSERT_EQ(skinFakes.calls.size(), 1u);
  EXPECT_EQ(skinFakes.calls[0].path, kPath);
  EXPECT_EQ(skinFakes.calls[0].skin, FakeSkin(11));
  EXPECT_TRUE(fakes.messages.empty());
}

TEST_F(SkinInstall, AMatchingLibraryIsLeftAsItIsAttributesIncluded) {
  fakes.files[kPath] = {skinFakes.library, 0x21, false};  // read-only and archive
  EXPECT_EQ(Apply(11), 1000);
  EXPECT_EQ(fakes.files[kPath].bytes, skinFakes.library);
  EXPECT_EQ(fakes.files[kPath].attributes, 0x21);
  EXPECT_EQ(skinFakes.calls.size(), 1u);
}

TEST_F(SkinInstall, AForeignFileOfThatNameIsReplacedBeforeLoading) {
  for (int attributes : {0x80, 0x07, 0x01}) {
    SCOPED_TRACE(attributes);
    SetUp();
    fakes.files[kPath] = {{'M', 'Z', 9, 9}, attributes, false};
    EXPECT_EQ(Apply(11), 1000);
    EXPECT_EQ(fakes.files[kPath].bytes, skinFakes.library);
    EXPECT_EQ(fakes.files[kPath].attributes, 2);
    EXPECT_EQ(skinFakes.calls.size(), 1u);
  }
}

// The comparison is made on the held file, and the file stays held until the
// engine is loaded: a file swapped in before the hold is caught and rewritten.
TEST_F(SkinInstall, TheLibraryIsHeldFromTheComparisonUntilItIsLoaded) {
  for (int swaps : {0, 1, 3}) {
    SCOPED_TRACE(swaps);
    SetUp();
    fakes.files[kPath] = {skinFakes.library, 2, false};
    fakes.swapsBeforeHold = swaps;
    EXPECT_EQ(Apply(11), 1000);
    EXPECT_EQ(fakes.files[kPath].bytes, skinFakes.library);
    ASSERT_EQ(skinFakes.calls.size(), 1u);
    EXPECT_EQ(skinFakes.calls[0].held, kPath);
    EXPECT_TRUE(fakes.heldFile.empty()) << "still held after loading";
  }
}

TEST_F(SkinInstall, AFileThatKeepsBeingSwappedStopsStartUpAndNothingLoads) {
  fakes.swapsBeforeHold = 4;
  EXPECT_EQ(Apply(11), -1);
  EXPECT_TRUE(skinFakes.calls.empty());
  EXPECT_TRUE(fakes.heldFile.empty());
  ASSERT_EQ(fakes.messages.size(), 1u);
  EXPECT_EQ(fakes.messages[0].icon, 16);
}

TEST_F(SkinInstall, WhatCannotBeMadeRightStopsStartUpBeforeAnythingLoads) {
  struct Case {
    const char* what;
    FakeFile present;
    bool exists;
    bool writesFail;
    bool inTheWay;
  };
  const Case cases[] = {
      {"a folder of that name", {{}, 0x10, true}, true, false, true},
      {"a foreign file that cannot be replaced", {{'X'}, 0x80, false}, true, true, true},
      {"no file, and no write access", {}, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    if (c.exists) fakes.files[kPath] = c.present;
    fakes.writesFail = c.writesFail;
    EXPECT_EQ(Apply(11), -1);
    EXPECT_TRUE(skinFakes.calls.empty());
    ASSERT_EQ(fakes.messages.size(), 1u);
    EXPECT_EQ(fakes.messages[0].text, Joined(SkinEngineErrorText(kPath, c.inTheWay), 16).text);
    EXPECT_EQ(fakes.messages[0].icon, 16);
    if (c.exists) {
      EXPECT_EQ(fakes.files[kPath].bytes, c.present.bytes);
    }
  }
}

TEST_F(SkinInstall, TheErrorNamesLibraryFunctionAndTheFileInTheWay) {
  Text plain = Joined(SkinEngineErrorText(kPath, false), 16).text;
  Text blocked = Joined(SkinEngineErrorText(kPath, true), 16).text;
  for (const Text& text : {plain, blocked}) {
    EXPECT_NE(text.find("SkinH_EL.dll"), Text::npos);
    EXPECT_NE(text.find("SkinH_AttachRes"), Text::npos);
  }
  EXPECT_EQ(plain.find(kPath), Text::npos);
  EXPECT_NE(blocked.find(kPath), Text::npos);
  EXPECT_NE(blocked.find("请删除它"), Text::npos);
}

// The path is the system's text (ANSI); the rest is the program's own (GBK).
TEST_F(SkinInstall, ThePathInTheErrorKeepsItsOwnCodePage) {
  for (const MessagePiece& piece : SkinEngineErrorText(kPath, true)) {
    EXPECT_EQ(piece.origin, piece.text == kPath ? kAnsiText : kProgramText) << piece.text;
  }
}

TEST_F(SkinInstall, AnEngineThatCannotBeCalledStopsStartUp) {
  skinFakes.engineLoads = false;
  EXPECT_EQ(Apply(11), -1);
  ASSERT_EQ(fakes.messages.size(), 1u);
  EXPECT_EQ(fakes.messages[0].text, Joined(SkinEngineErrorText(kPath, false), 16).text);
}

TEST_F(SkinInstall, OnlySkins1To33AreHandedOverOtherNumbersGiveNothing) {
  const std::pair<int, bool> numbers[] = {{1, true},   {33, true},  {11, true},       {0, false},
                                          {34, false}, {-1, false}, {INT_MIN, false}, {INT_MAX, false}};
  for (const auto& [number, inRange] : numbers) {
    SCOPED_TRACE(number);
    SetUp();
    EXPECT_EQ(SkinNumberInRange(number), inRange);
    EXPECT_EQ(Apply(number), 1000);
    ASSERT_EQ(skinFakes.calls.size(), 1u);
    EXPECT_EQ(skinFakes.calls[0].skin, inRange ? FakeSkin(number) : Bytes());
  }
}

}  // namespace

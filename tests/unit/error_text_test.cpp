#include "core/error_text.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "core/errors.h"

namespace ss {
namespace {

// The exception in flight, as both error boxes tell it.
template <class Raise>
ExceptionText TextOf(Raise raise) {
  try {
    raise();
  } catch (...) {
    return CurrentExceptionText();
  }
  return {};
}

TEST(CurrentExceptionText, NamesEveryKindOfErrorOutOfMemoryIncluded) {
  const ExceptionText own = TextOf([] { throw EReadError("Stream read error"); });
  EXPECT_EQ(own.className, "EReadError");
  EXPECT_EQ(own.message, "Stream read error");
  EXPECT_NE(own.address, nullptr);
  const ExceptionText memory = TextOf([] { throw std::bad_alloc(); });
  EXPECT_EQ(memory.className, "EOutOfMemory");
  EXPECT_EQ(memory.message, "Out of memory");
  const ExceptionText library = TextOf([] { throw std::runtime_error("broken"); });
  EXPECT_EQ(library.className, "Exception");
  EXPECT_EQ(library.message, "broken");
  EXPECT_EQ(TextOf([] { throw 42; }).message, "Unknown error");
}

TEST(ErrorBoxText, AddsAFullStopOnlyAfterBytesThatSortAfterIt) {
  EXPECT_EQ(ErrorBoxText("File not found"), "File not found.");
  EXPECT_EQ(ErrorBoxText("'x' is not a valid integer value"), "'x' is not a valid integer value.");
  EXPECT_EQ(ErrorBoxText("Ends in a stop."), "Ends in a stop.");
  // "-", "," and "!" sort before "."; "/" and bytes from 0x80 after it.
  EXPECT_EQ(ErrorBoxText("dash-"), "dash-");
  EXPECT_EQ(ErrorBoxText("bang!"), "bang!");
  EXPECT_EQ(ErrorBoxText("slash/"), "slash/.");
  EXPECT_EQ(ErrorBoxText("high\xE9"), "high\xE9.");
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(ApplicationErrorText, FollowsTheStartupBoxFormat) {
  EXPECT_EQ(ApplicationErrorText("EFOpenError", "suitestart.exe", 0x1A2B,
                                 "Cannot open file \"C:\\x\\tarvix.dll\". File not found"),
            "Exception EFOpenError in module suitestart.exe at 00001A2B.\r\n"
            "Cannot open file \"C:\\x\\tarvix.dll\". File not found.\r\n");
  EXPECT_EQ(ApplicationErrorText("EReadError", "m.exe", 0xABCDEF01, "Stream read error."),
            "Exception EReadError in module m.exe at ABCDEF01.\r\nStream read error.\r\n");
  EXPECT_EQ(ApplicationErrorText("E", "m", 0, ""), "Exception E in module m at 00000000.\r\n\r\n");
  // The message is text, never a format.
  EXPECT_EQ(ApplicationErrorText("E", "m", 0, "100%s"),
            "Exception E in module m at 00000000.\r\n100%s.\r\n");
}

TEST(FileOpenMessage, TrimsTrailingBlanksAndFullStopsOfTheSystemText) {
  EXPECT_EQ(
      FileOpenMessage("C:\\a b\\tarvix.dll", "The system cannot find the file specified.\r\n"),
      "Cannot open file \"C:\\a b\\tarvix.dll\". The system cannot find the file specified");
  EXPECT_EQ(TrimSystemMessage("Access denied. . \t\x01"), "Access denied");
  EXPECT_EQ(TrimSystemMessage("v1.0 is in use"), "v1.0 is in use");
}

TEST(FileNamePart, TakesWhatFollowsTheLastSeparator) {
  EXPECT_EQ(FileNamePart("C:\\dir\\sub\\suitestart.exe"), "suitestart.exe");
  EXPECT_EQ(FileNamePart("C:name.exe"), "name.exe");
  EXPECT_EQ(FileNamePart("plain"), "plain");
}

}  // namespace
}  // namespace ss

#include "core/unique_handle.h"

#include <gtest/gtest.h>

#include <vector>

namespace ss {
namespace {

// A handle kind whose "nothing" is -1, as files' and searches' are, recording what it frees.
std::vector<int> freed;
struct FakeTraits {
  static int Invalid() { return -1; }
  static void Free(int h) { freed.push_back(h); }
};
using FakeHandle = UniqueHandle<int, FakeTraits>;

TEST(UniqueHandle, FreesEachHandleOnceThroughMovesResetsAndRelease) {
  freed.clear();
  {
    FakeHandle none;
    EXPECT_FALSE(none);
    FakeHandle zero(0);  // 0 is a handle for this kind, not "nothing"
    EXPECT_TRUE(zero);
    FakeHandle moved(std::move(zero));
    EXPECT_FALSE(zero);
    FakeHandle other(7);
    other = std::move(moved);  // frees 7, takes 0
    other.reset(8);            // frees 0
    FakeHandle given(9);
    EXPECT_EQ(given.release(), 9);
    EXPECT_FALSE(given);
  }  // frees 8
  EXPECT_EQ(freed, (std::vector<int>{7, 0, 8}));
}

}  // namespace
}  // namespace ss

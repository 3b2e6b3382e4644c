#include "engine/result.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace sarvexa {
namespace {

Result<int> Half(int n) {
  if (n % 2 != 0) return Fail("odd: " + std::to_string(n));
  return n / 2;
}

Result<void> Check(bool good) {
  if (!good) return Fail("not good");
  return Ok();
}

struct FieldProblem {
  int id = 0;
  std::string message;
};

TEST(Result, HoldsEitherTheValueOrTheReason) {
  const Result<int> even = Half(8);
  ASSERT_TRUE(even.ok());
  EXPECT_EQ(*even, 4);
  const Result<int> odd = Half(7);
  ASSERT_FALSE(odd);
  EXPECT_EQ(odd.error(), "odd: 7");

  EXPECT_TRUE(Check(true).ok());
  EXPECT_EQ(Check(false).error(), "not good");

  // A string value and a string reason stay apart.
  const Result<std::string> text = std::string("value");
  EXPECT_TRUE(text.ok());
  const Result<std::string> failed = Fail("reason");
  EXPECT_EQ(failed.error(), "reason");

  // A richer reason, and a value that can only move.
  const Result<std::unique_ptr<int>, FieldProblem> owned = std::make_unique<int>(3);
  EXPECT_EQ(**owned, 3);
  const Result<void, FieldProblem> field = Fail(FieldProblem{1006, "hour"});
  EXPECT_EQ(field.error().id, 1006);
}

}  // namespace
}  // namespace sarvexa

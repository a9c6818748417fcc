// The first C++ exception a process throws makes the runtime open what unwinding needs (two more
// handles under Wine), once. Cases that count the process's handles around a throw must not see
// that, whether they run alone or after others: each run of the program throws one first.

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class FirstException : public testing::Environment {
public:
  void SetUp() override {
    try {
      throw std::runtime_error("the process's first exception");
    } catch (const std::runtime_error&) {
      // Thrown only to be caught.
    }
  }
};

[[maybe_unused]] const testing::Environment* const kFirstException =
    testing::AddGlobalTestEnvironment(new FirstException);

}  // namespace

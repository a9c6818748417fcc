// RegistryKey over the in-memory hive: it owns one handle, cannot be copied, and every handle
// it was given is closed exactly once, whichever way it leaves.

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
#include <vector>

#include "classlib/registry/memory_hive.h"
#include "classlib/registry/registry_key.h"

namespace {

namespace api = classlib::registry_api;
namespace hive = classlib::memory_hive;
using classlib::RegistryKey;

static_assert(!std::is_copy_constructible_v<RegistryKey>);
static_assert(!std::is_copy_assignable_v<RegistryKey>);
static_assert(std::is_nothrow_move_constructible_v<RegistryKey>);
static_assert(std::is_nothrow_move_assignable_v<RegistryKey>);

class RegistryKeyTest : public ::testing::Test {
protected:
  void SetUp() override {
    hive::Reset();
    hive::CreateKey("A");
    hive::CreateKey("B");
    hive::SetSeamHook([this](const hive::SeamCall& call) {
      if (call.op == hive::SeamOp::CloseKey) closes_.push_back({call.key, call.result});
    });
  }
  void TearDown() override { hive::Reset(); }

  static api::Key Open(const char* path) {
    api::Key key = 0;
    EXPECT_EQ(api::OpenKey(api::kCurrentUser, path, api::kAllAccess, &key), api::kSuccess);
    return key;
  }

  struct Close {
    api::Key key;
    long result;
    friend bool operator==(const Close&, const Close&) = default;
  };
  std::vector<Close> closes_;
};

TEST_F(RegistryKeyTest, ClosesItsKeyOnceWhenItGoesOutOfScope) {
  const auto a = Open("A");
  {
    const RegistryKey key(a);
    EXPECT_EQ(hive::OpenHandles(), std::vector<std::string>{"A"});
  }
  EXPECT_TRUE(hive::OpenHandles().empty());
  EXPECT_EQ(closes_, (std::vector<Close>{{a, api::kSuccess}}));
}

TEST_F(RegistryKeyTest, MovingHandsTheKeyOverAndTheSourceClosesNothing) {
  const auto a = Open("A");
  {
    RegistryKey first(a);
    RegistryKey second(std::move(first));
    EXPECT_FALSE(first);  // NOLINT(bugprone-use-after-move): a moved-from key holds none
    EXPECT_EQ(second.Get(), a);
    EXPECT_TRUE(closes_.empty());
  }
  EXPECT_EQ(closes_, (std::vector<Close>{{a, api::kSuccess}}));
}

TEST_F(RegistryKeyTest, MoveAssignmentClosesTheKeyItHeld) {
  const auto a = Open("A");
  const auto b = Open("B");
  {
    RegistryKey target(a);
    RegistryKey source(b);
    target = std::move(source);
    EXPECT_EQ(closes_, (std::vector<Close>{{a, api::kSuccess}}));
    EXPECT_EQ(hive::OpenHandles(), std::vector<std::string>{"B"});
    auto& alias = target;
    target = std::move(alias);  // onto itself: keeps its key
    EXPECT_EQ(target.Get(), b);
  }
  EXPECT_EQ(closes_, (std::vector<Close>{{a, api::kSuccess}, {b, api::kSuccess}}));
}

TEST_F(RegistryKeyTest, CloseNowLeavesNothingForTheDestructor) {
  const auto a = Open("A");
  {
    RegistryKey key(a);
    key.Close();
    EXPECT_FALSE(key);
    key.Close();
  }
  EXPECT_EQ(closes_, (std::vector<Close>{{a, api::kSuccess}}));
}

TEST_F(RegistryKeyTest, AnEmptyKeyClosesNothing) {
  { const RegistryKey key; }
  EXPECT_TRUE(closes_.empty());
}

}  // namespace

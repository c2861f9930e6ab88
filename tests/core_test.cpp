#include "core/throw_entry.hpp"
#include <gtest/gtest.h>
TEST(Smoke, Parses) { EXPECT_EQ(zelvo::parseThrow("１2"), 12); }

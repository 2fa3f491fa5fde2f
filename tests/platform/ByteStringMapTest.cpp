#include "platform/ByteStringMap.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace kelvara {
namespace {

// Filled from nothing (so it grows many times), with keys that differ only after a NUL and
// values replaced later: it answers as std::map does.
TEST(ByteStringMapTest, AnswersAsAMapThroughGrowthAndReplacement)
{
    ByteStringMap map;
    std::map<std::string, std::string> model;
    std::mt19937 rng(5);
    for (int i = 0; i < 20000; ++i) {
        std::string key = std::to_string(rng() % 5000);
        key.push_back('\0');
        key.push_back(static_cast<char>(rng() % 3));
        const std::string value(rng() % 4, static_cast<char>('a' + i % 26));
        ASSERT_TRUE(map.assign(key, value));
        model[key] = value;
    }
    EXPECT_EQ(map.size(), model.size());
    for (const auto& [key, value] : model)
        EXPECT_EQ(map.find(key), std::optional<std::string_view>(value));
    EXPECT_FALSE(map.find(std::string("1\0\3", 3)));
    EXPECT_FALSE(ByteStringMap().find("x"));
}

} // namespace
} // namespace kelvara

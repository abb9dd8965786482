// The table that finds a component's footprint group by key during collection: every key added is
// found as its own group, through growth and whatever the keys share; absent keys find none.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "arranger/group_index.h"
#include "platform/short_string.h"

namespace plz {
namespace {

struct Group {
    ShortString<255> Key;
};

TEST(GroupIndex, FindsEachGroupByItsKeyAndNoneForOthers) {
    std::vector<std::string> keys = {"", "0805", "0805 ", "080", std::string(255, 'x'), std::string("a\0b", 3)};
    for (int i = 0; i < 3000; ++i) keys.push_back("FP" + std::to_string(i));
    GroupIndex<Group> index;
    EXPECT_EQ(index.Find("0805"), nullptr);
    std::vector<std::unique_ptr<Group>> groups;
    for (const std::string& key : keys) {
        groups.push_back(std::make_unique<Group>(Group{ShortString<255>(key)}));
        index.Add(groups.back().get());
    }
    for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(index.Find(keys[i]), groups[i].get()) << i;
    for (const char* absent : {"08", "0805  ", "FP3000", "fp1", "a"}) EXPECT_EQ(index.Find(absent), nullptr) << absent;
    index.Clear();
    EXPECT_EQ(index.Find("0805"), nullptr);
}

}  // namespace
}  // namespace plz

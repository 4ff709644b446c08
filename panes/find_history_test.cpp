#include "panes/find_history.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

class MapProfile : public Profile {
public:
    std::string read(const std::string& section, const std::string& key) override {
        auto it = values.find({section, key});
        return it == values.end() ? std::string() : it->second;
    }
    void write(const std::string& section, const std::string& key, const std::string& value) override {
        values[{section, key}] = value;
        written.push_back(key);
    }
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> written;
};

}  // namespace

TEST(FindHistory, NewestFirstUpToTen) {
    MapProfile profile;
    profile.values[{"FIND_NAME", "TEXT00"}] = "first";
    profile.values[{"FIND_NAME", "TEXT03"}] = "second";
    profile.values[{"FIND_NAME", "TEXT10"}] = "beyond";
    FindHistory history;
    history.load(profile);
    EXPECT_EQ(history.entries(), (std::vector<std::string>{"first", "second"}));

    history.remember("new");
    history.remember("");
    EXPECT_EQ(history.entries(), (std::vector<std::string>{"new", "first", "second"}));
    history.save(profile);
    EXPECT_EQ(profile.written, (std::vector<std::string>{"TEXT00", "TEXT01", "TEXT02"}));
    EXPECT_EQ((profile.values[{"FIND_NAME", "TEXT02"}]), "second");

    for (int i = 0; i < 12; ++i) history.remember("t" + std::to_string(i));
    ASSERT_EQ(history.entries().size(), FindHistory::Limit);
    EXPECT_EQ(history.entries().front(), "t11");
    EXPECT_EQ(history.entries().back(), "t2");
}

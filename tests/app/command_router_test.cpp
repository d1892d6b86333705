#include "viewer/app/command_router.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// Runs the given ids, logging each; `Describe` adds an item it only describes.
class Target final : public CommandTarget {
public:
    Target(std::string n, std::set<int> ids, std::vector<std::string>& log) : name(std::move(n)), calls(log) {
        for (int id : ids) AddCommand(id, [this, id] { calls.push_back(name + " " + std::to_string(id)); });
    }
    void Describe(int id) {
        AddUpdate(id, [](CmdUI& ui) {
            ui.Enable(false);
            ui.SetCheck();
        });
    }
    std::string name;
    std::vector<std::string>& calls;
};

TEST(CommandRouter, TheFirstTargetInTheChainThatHandlesACommandWins) {
    std::vector<std::string> calls;
    Target view("view", {1, 2}, calls), doc("doc", {2, 3}, calls), frame("frame", {3, 4}, calls);
    CommandRouter router({&view, &doc, &frame});
    EXPECT_TRUE(router.Route(2));
    EXPECT_TRUE(router.Route(3));
    EXPECT_TRUE(router.Route(4));
    EXPECT_FALSE(router.Route(5));
    EXPECT_EQ(calls, (std::vector<std::string>{"view 2", "doc 3", "frame 4"}));
}

TEST(CommandRouter, ItemsAreEnabledByTheirHandlerUnlessAnUpdateHandlerSaysOtherwise) {
    std::vector<std::string> calls;
    Target view("view", {1}, calls), doc("doc", {2}, calls);
    doc.Describe(1);  // a later update handler does not override an earlier command handler
    view.Describe(2);
    CommandRouter router({&view, &doc});
    EXPECT_TRUE(router.Update(1).enabled);
    const CmdUI second = router.Update(2);
    EXPECT_FALSE(second.enabled);
    EXPECT_TRUE(second.checked);
    EXPECT_FALSE(router.Update(9).enabled);  // nobody handles it: greyed
    EXPECT_TRUE(calls.empty());
    // An item a target only describes runs nothing there: the command goes on down the chain.
    EXPECT_TRUE(router.Route(2));
    EXPECT_EQ(calls, (std::vector<std::string>{"doc 2"}));
}

}  // namespace

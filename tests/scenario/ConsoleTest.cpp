// The console as a person reads it: it scrolls, and it empties itself when full.
#include "Scenario.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(Console, FullConsoleWarnsAndStartsAfresh) {
    // Each R prints a 38-character bounds line (39 with its return): about 830 fill it.
    std::string script;
    for (int i = 0; i < 860; ++i) script += "key R\n";
    script += "print dialog\nkey return\nprint console\n";
    ScenarioResult r = runScenario(script);
    ASSERT_EQ(r.status, 0) << r.errors;
    bool warned = false;
    for (const std::string& item : r.withPrefix("item: "))
        warned |= item.find("console is full") != std::string::npos;
    EXPECT_TRUE(warned);
    std::vector<std::string> console = r.withPrefix("console: ");
    // Only the lines printed after the erase are left.
    ASSERT_FALSE(console.empty());
    EXPECT_LT(console.size(), 40u);
    for (const std::string& line : console)
        EXPECT_EQ(line, "Window Bounds: (-0.05,1.05,-0.05,1.05)");
}

TEST(Console, EraseCommandEmptiesItAndPrintingGoesOn) {
    ScenarioResult r = runScenario(
        "choose 134 2\nchoose 134 4\nprint console\necho --\nkey R\nprint console\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    auto it = std::find(r.lines.begin(), r.lines.end(), "--");
    ASSERT_NE(it, r.lines.end());
    EXPECT_EQ(std::count_if(r.lines.begin(), it,
                            [](const std::string& l) { return l.rfind("console: ", 0) == 0; }),
              0);
    EXPECT_EQ(std::count_if(it, r.lines.end(),
                            [](const std::string& l) { return l.rfind("console: ", 0) == 0; }),
              1);
}

} // namespace

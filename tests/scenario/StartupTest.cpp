// The program as a person first meets it: the console, the windows and their places.
#include "Scenario.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kHelp = {
    "Ilvaron: a desktop explorer for one-dimensional iterated maps",
    "Keyboard shortcuts:",
    "\t spacebar: iterate one step",
    "\t upArrow: increment \xC2\xB5",
    "\t downArrow: decrement \xC2\xB5",
    "\t rightArrow: f^n -> f^{n+1}",
    "\t leftArrow: f^n -> f^{n-1}",
    "\t Command . to cancel long operations",
    "Otherwise check the menus for command key equivalents.",
};

TEST(Startup, ConsoleHoldsTheBoundsAndTheHelp) {
    ScenarioResult r = runScenario("print console\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    std::vector<std::string> console = r.withPrefix("console: ");
    ASSERT_EQ(console.size(), 10u);
    EXPECT_EQ(console[0], "Window Bounds: (-0.05,1.05,-0.05,1.05)");
    for (std::size_t i = 0; i < kHelp.size(); ++i) EXPECT_EQ(console[i + 1], kHelp[i]);
    EXPECT_EQ(r.lastLine(), "exit: 0");
}

TEST(Startup, WindowPlacesOnWideAndTallScreens) {
    struct Case {
        const char* screen;
        const char* plot;
        const char* console;
        const char* second;
    } cases[] = {
        {"1280x1024", "2 64 952 1014", "955 64 1280 984", "42 104 992 1019"},
        {"800x1200", "2 64 800 862", "2 887 760 1205", "2 64 800 862"},
    };
    for (const Case& c : cases) {
        ScenarioResult r = runScenario("print windows\nchoose 129 1\nprint windows\n",
                                       {"--screen", c.screen});
        ASSERT_EQ(r.status, 0) << r.errors;
        std::vector<std::string> w = r.withPrefix("window: ");
        ASSERT_EQ(w.size(), 5u) << c.screen;
        const std::string title = "\"Logistic Map f=\xC2\xB5*x*(1-x), \xC2\xB5 = 3.569946 n = 1\"";
        EXPECT_EQ(w[0], std::string("plot visible ") + c.plot + " " + title) << c.screen;
        EXPECT_EQ(w[1].substr(0, w[1].find(" \"")), std::string("console visible ") + c.console);
        // The new plot comes to the front, 40 pixels down and right where it fits.
        EXPECT_EQ(w[2], std::string("plot visible ") + c.second + " " + title) << c.screen;
        EXPECT_EQ(w[3], std::string("plot visible ") + c.plot + " " + title) << c.screen;
    }
}

TEST(Startup, FailedChecksShowTheirAlertAndEnd) {
    struct Case {
        std::vector<std::string> options;
        const char* message; // a word of the alert's text, or null when there is no alert
    } cases[] = {
        {{"--gestalt", "sysv=0x05FF"}, "newer system"},
        {{"--gestalt", "vers=error"}, "newer system"},
        {{"--gestalt", "qd=0x00FF"}, "Colour QuickDraw"},
        {{"--fail", "glcontext"}, "OpenGL"},
        {{"--fail", "menubar"}, nullptr},
    };
    for (const Case& c : cases) {
        ScenarioResult r = runScenario("print dialog\nkey return\nprint windows\n", c.options);
        EXPECT_EQ(r.lastLine(), "exit: 0") << c.options[1];
        std::vector<std::string> items = r.withPrefix("item: ");
        if (c.message) {
            bool found = false;
            for (const std::string& i : items) found |= i.find(c.message) != std::string::npos;
            EXPECT_TRUE(found) << c.options[1];
        } else {
            EXPECT_TRUE(items.empty()) << c.options[1];
        }
        // The program ended at the alert: no plot window was ever listed.
        for (const std::string& w : r.withPrefix("window: "))
            EXPECT_EQ(w.find("plot"), std::string::npos) << c.options[1];
    }
    // The exact boundary passes.
    ScenarioResult ok = runScenario("print windows\n", {"--gestalt", "sysv=0x0600", "--gestalt",
                                                         "qd=0x0100"});
    EXPECT_EQ(ok.withPrefix("window: plot").size(), 1u);
}

} // namespace

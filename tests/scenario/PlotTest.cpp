// A plot window as a person uses it: keys, menus, pixels, window handling.
#include "Scenario.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

// The first plot on the default screen: content (2, 64) to (952, 1014), frame -0.05..1.05.
struct FirstPlot {
    static constexpr int left = 2, top = 64, size = 950;
    static constexpr double lo = -0.05, hi = 1.05;
    static int h(double x) { return left + static_cast<int>(std::trunc((x - lo) * size / (hi - lo))); }
    static int v(double y) { return top + static_cast<int>(std::trunc((hi - y) * size / (hi - lo))); }
};

std::string titleOf(const ScenarioResult& r, std::size_t index) {
    std::vector<std::string> w = r.withPrefix("window: plot ");
    if (index >= w.size()) return "";
    const std::string& line = w[index];
    std::size_t q = line.find('"');
    return q == std::string::npos ? "" : line.substr(q);
}

TEST(Plot, KeysChangeMuAndNAndReset) {
    ScenarioResult r = runScenario(
        "key up\nprint windows\n"
        "key right\nprint windows\n"
        "key left\nkey left\nprint windows\n"
        "key down\nkey down\nprint windows\n"
        "key space\nkey R\nprint console\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(titleOf(r, 0), "\"Logistic Map f=\xC2\xB5*x*(1-x), \xC2\xB5 = 3.669946 n = 1\"");
    EXPECT_EQ(titleOf(r, 1), "\"Logistic Map f=\xC2\xB5*x*(1-x), \xC2\xB5 = 3.669946 n = 2\"");
    // n never drops below 1.
    EXPECT_EQ(titleOf(r, 2), "\"Logistic Map f=\xC2\xB5*x*(1-x), \xC2\xB5 = 3.669946 n = 1\"");
    EXPECT_EQ(titleOf(r, 3), "\"Logistic Map f=\xC2\xB5*x*(1-x), \xC2\xB5 = 3.469946 n = 1\"");
    std::vector<std::string> console = r.withPrefix("console: ");
    ASSERT_EQ(console.size(), 11u);
    // R prints the standard frame again.
    EXPECT_EQ(console.back(), "Window Bounds: (-0.05,1.05,-0.05,1.05)");
}

TEST(Plot, CobwebLayersWhereTheyBelong) {
    using P = FirstPlot;
    const double mu = 3.5699456;
    std::string script;
    script += probe(P::h(0.5), P::v(mu * 0.25), 2);        // the red graph at its top
    script += probe(P::h(0.8), P::v(mu * 0.8 * 0.2), 2);   // and further right
    script += probe(P::h(0.25), P::v(0.25), 1);            // the black diagonal
    script += probe(P::h(0.5), P::v(0.7), 1);              // the orbit's first vertical step
    script += probe(P::h(0.0), P::v(0.4), 1);              // the vertical axis, inverted
    script += "choose 134 13\n";                           // black background
    script += probe(P::h(0.0), P::v(0.4), 1);
    script += probe(P::h(0.3), P::v(0.0), 1);              // the horizontal axis
    ScenarioResult before = runScenario(script.substr(0, script.find("choose")));
    ASSERT_EQ(before.status, 0) << before.errors;
    EXPECT_TRUE(anyNear(before, P::h(0.5), P::v(mu * 0.25), 2, isRed));
    EXPECT_TRUE(anyNear(before, P::h(0.8), P::v(mu * 0.8 * 0.2), 2, isRed));
    EXPECT_TRUE(anyNear(before, P::h(0.25), P::v(0.25), 1, isBlack));
    EXPECT_TRUE(anyNear(before, P::h(0.5), P::v(0.7), 1, isBlue));
    // On the white background the inverted axis is black.
    EXPECT_TRUE(anyNear(before, P::h(0.0), P::v(0.4), 1, isBlack));

    ScenarioResult after = runScenario(script);
    ASSERT_EQ(after.status, 0) << after.errors;
    // Over black the axes show white, and nothing else is left white there.
    Rgb c;
    ASSERT_TRUE(after.pixel(P::h(0.3) - 1, P::v(0.0) - 1, c));
    EXPECT_TRUE(anyNear(after, P::h(0.3), P::v(0.0), 1, isWhite));
    EXPECT_TRUE(anyNear(after, P::h(0.0), P::v(0.4), 1, isWhite));
}

TEST(Plot, MenusChooseMapsKindsAndToggles) {
    ScenarioResult r = runScenario(
        "choose 131 6\nchoose 131 1\nchoose 132 8\n"
        // A click on the bar brings the marks up to date; item 6 carries no command.
        "choose 132 6\nprint menus\n"
        "choose 131 7\nprint windows\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    std::vector<std::string> marked;
    for (const std::string& m : r.withPrefix("menu: "))
        if (m.find(" check ") != std::string::npos) marked.push_back(m.substr(0, m.find(" check ")));
    // Only the logistic map, the cobweb kind, the axes and the unit square carry marks.
    EXPECT_EQ(marked, (std::vector<std::string>{"131 1", "132 1", "132 7", "132 8"}));
    EXPECT_EQ(titleOf(r, 0).substr(0, 31), "\"Circle Map, \xCE\xA9 = 0.618034, f =");
}

TEST(Plot, NewPlotsRotateAndTheConsoleHidesAndReturns) {
    ScenarioResult r = runScenario(
        "choose 129 1\nchoose 131 6\nprint windows\n"
        "choose 134 1\nprint windows\n"
        "choose 134 2\nclick 967 54\nprint windows\n"
        "choose 134 2\nprint windows\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    std::vector<std::string> w = r.withPrefix("window: ");
    ASSERT_GE(w.size(), 12u);
    // The tent plot in front, then the window menu's next plot brings the logistic one.
    EXPECT_NE(w[0].find("Tent Map"), std::string::npos) << w[0];
    EXPECT_NE(w[3].find("Logistic Map"), std::string::npos) << w[3];
    // The console's close box only hides it; Window 2 shows it again.
    bool hidden = false, shownAgain = false;
    for (std::size_t i = 6; i < 9 && i < w.size(); ++i)
        hidden |= w[i].rfind("console hidden", 0) == 0;
    for (std::size_t i = 9; i < w.size(); ++i) shownAgain |= w[i].rfind("console visible", 0) == 0;
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(shownAgain);
    EXPECT_EQ(w[9].rfind("console visible", 0), 0u) << w[9];
}

TEST(Plot, GrowingReprintsTheBounds) {
    // Drag the first plot's grow box 100 pixels up and left.
    ScenarioResult r = runScenario("drag 944 1006 844 906\nprint windows\nprint console\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    std::vector<std::string> w = r.withPrefix("window: plot ");
    ASSERT_FALSE(w.empty());
    EXPECT_EQ(w[0].substr(0, w[0].find(" \"")), "visible 2 64 852 914");
    std::vector<std::string> console = r.withPrefix("console: ");
    ASSERT_EQ(console.size(), 11u);
    EXPECT_EQ(console.back(), "Window Bounds: (-0.05,1.05,-0.05,1.05)");
}

} // namespace

namespace {

TEST(Plot, KeysReachThePlotBehindTheConsole) {
    ScenarioResult r = runScenario("choose 134 2\nkey up\nkey right\nprint windows\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    std::vector<std::string> w = r.withPrefix("window: ");
    ASSERT_GE(w.size(), 2u);
    EXPECT_EQ(w[0].rfind("console visible", 0), 0u) << w[0];
    EXPECT_NE(w[1].find("\xC2\xB5 = 3.669946 n = 2"), std::string::npos) << w[1];
}

TEST(Plot, EveryKindDrawsIntoTheWindow) {
    // Bifurcation, density, Lyapunov and exit time: each puts the map's blue into the plot.
    for (int kind : {2, 3, 4, 5}) {
        std::string shot = "/tmp/ilvaron-kind-" + std::to_string(kind) + ".png";
        ScenarioResult r = runScenario("choose 132 " + std::to_string(kind) + "\nshot " + shot + "\n");
        ASSERT_EQ(r.status, 0) << r.errors;
        Image img;
        ASSERT_TRUE(readPng(shot, img));
        std::remove(shot.c_str());
        int blue = 0;
        for (int y = 64; y < 1014; ++y)
            for (int x = 2; x < 952; ++x) blue += isBlue(img.at(x, y));
        EXPECT_GT(blue, 500) << "plot kind " << kind;
    }
}

} // namespace

namespace {

TEST(Plot, BackgroundColourThroughThePicker) {
    using P = FirstPlot;
    // The picker opens with the shared background colour, black before its first use:
    // confirming it turns the white plot black; cancelling leaves the plot as it is.
    const std::string spot = probe(P::h(0.8), P::v(0.9), 0);
    ScenarioResult ok = runScenario("choose 134 12\nprint dialog\nkey return\n" + spot);
    ASSERT_EQ(ok.status, 0) << ok.errors;
    EXPECT_FALSE(ok.withPrefix("item: ").empty());
    Rgb c{};
    ASSERT_TRUE(ok.pixel(P::h(0.8), P::v(0.9), c));
    EXPECT_TRUE(isBlack(c)) << c.r << " " << c.g << " " << c.b;

    ScenarioResult cancel = runScenario("choose 134 14\nchoose 134 12\nkey escape\n" + spot);
    ASSERT_EQ(cancel.status, 0) << cancel.errors;
    ASSERT_TRUE(cancel.pixel(P::h(0.8), P::v(0.9), c));
    EXPECT_TRUE(isWhite(c)) << c.r << " " << c.g << " " << c.b;
}

} // namespace

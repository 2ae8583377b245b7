#include "Map.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

double iterateTimes(Map& m, double x, int t) {
    for (int i = 0; i < t; ++i) x = m.f(x);
    return x;
}

TEST(Orbit, CommandsKeepCurrentAtTheEndOfTheOrbit) {
    logistic m;
    m.setInitial(0.2);
    EXPECT_EQ(m.initial, 0.2);
    EXPECT_DOUBLE_EQ(m.current, iterateTimes(m, 0.2, 500));
    double end = m.current;
    m.eraseTransients();
    EXPECT_EQ(m.initial, end);
    EXPECT_DOUBLE_EQ(m.current, iterateTimes(m, 0.2, 1000));

    m.setTime(0);
    EXPECT_EQ(m.time, 0);
    EXPECT_EQ(m.current, m.initial);
    m.setTime(3);
    EXPECT_DOUBLE_EQ(m.current, iterateTimes(m, m.initial, 3));
}

TEST(Orbit, NegativeTimeRunsNoStep) {
    tent m;
    m.setInitial(0.3);
    m.setTime(-5);
    EXPECT_EQ(m.time, 0);
    EXPECT_EQ(m.current, 0.3);
}

TEST(Orbit, ParameterChangesKeepInitialAndTime) {
    logistic m;
    m.setInitial(0.3);
    m.setParameter(4.0, 0);
    EXPECT_EQ(m.n, 1);
    m.setParameter(3.2, -5);
    EXPECT_EQ(m.n, 1);
    EXPECT_EQ(m.mu, 3.2);
    m.setParameter(1); // right arrow: n becomes 2, current follows f^2
    EXPECT_EQ(m.n, 2);
    EXPECT_EQ(m.initial, 0.3);
    EXPECT_EQ(m.time, 500);
    EXPECT_DOUBLE_EQ(m.current, iterateTimes(m, 0.3, 500));
    m.setParameter(-1);
    m.setParameter(-1); // n + k = 0: ignored
    EXPECT_EQ(m.n, 1);
    m.setParameter(0.1);
    EXPECT_DOUBLE_EQ(m.mu, 3.3); // no clamping to the mu interval either
    m.mu = 4.0;
    m.setParameter(0.1);
    EXPECT_DOUBLE_EQ(m.mu, 4.1);
}

} // namespace

#include "Map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace {

struct MapCase {
    int number;
    const char* name;
    double mu, muMin, muMax, xMin, xMax;
    double xCrit;
    std::function<double(double mu, double x)> base;
    std::function<double(double mu, double x)> term; // at the image x_k
    double x0;                                       // a point to iterate from
    double f1;                                       // f(x0) with n = 1, worked by hand
};

const double kOmega = 0.6180339887498949;
const double kTwoPi = 6.283185307179586;

std::vector<MapCase> cases() {
    return {
        {1, "Logistic Map f=\xB5*x*(1-x),", 3.5699456, 0, 4, -0.05, 1.05, 0.5,
         [](double m, double x) { return m * x * (1 - x); },
         [](double m, double x) { return std::log(std::fabs(m * (1 - 2 * x))); }, 0.3,
         0.749688576},
        {2, "Cosine Map, f=\xB5*cos(x),", 1, 0, 3.14159, -3.2, 3.2, 0,
         [](double m, double x) { return m * std::cos(x); },
         [](double m, double x) { return std::log(std::fabs(m * std::sin(x))); }, 0, 1},
        {3, "Cubic Map f = \xB5*x -x^3,", 2.4, 0, 3.5, -2, 2, std::sqrt(0.8),
         [](double m, double x) { return x * (m - x * x); },
         [](double m, double x) { return std::log(std::fabs(m - 3 * x * x)); }, 1, 1.4},
        {4, "Exponential Map, f = x*exp(-\xB5*(1-x)),", -2.6, -4, 0, -1, 3, 1 / 2.6,
         [](double m, double x) { return x * std::exp(-m * (1 - x)); },
         [](double m, double x) { return std::log(std::fabs(1 + m * x)) - m * (1 - x); }, 0.5,
         0.5 * std::exp(1.3)},
        {5, "Tangent Map, f=\xB5*tan(x),", 1, 0, 3.14159, -3.2, 3.2, 0,
         [](double m, double x) { return m * std::tan(x); },
         [](double m, double x) { return std::log(std::fabs(m / (std::cos(x) * std::cos(x)))); },
         0.25, std::tan(0.25)},
        {6, "Tent Map, f = \xB5 x<0.5, \xB5(1-x) x > 0.5", 1.8, 1, 2, -0.05, 1.05, 0.5,
         [](double m, double x) { return x < 0.5 ? m * x : m * (1 - x); },
         [](double m, double) { return std::log(m); }, 0.25, 0.45},
        {7, "Circle Map, \xBD = 0.618034, f = \xBD+x+\xB5sin(2\xB9x)/2\xB9", 0.7, 0, 2, 0, 1, 0.5,
         [](double m, double x) {
             double y = x + kOmega + m * std::sin(kTwoPi * x) / kTwoPi;
             return y - std::floor(y);
         },
         [](double m, double x) { return std::log(std::fabs(1 + m * std::cos(kTwoPi * x))); }, 0,
         kOmega},
    };
}

void PrintTo(const MapCase& c, std::ostream* os) { *os << "map " << c.number; }

class MapFamily : public ::testing::TestWithParam<MapCase> {};

TEST_P(MapFamily, DefaultsIntervalsAndName) {
    const MapCase& c = GetParam();
    std::unique_ptr<Map> m(newMap(c.number));
    EXPECT_EQ(m->mu, c.mu);
    EXPECT_EQ(m->muMin, c.muMin);
    EXPECT_EQ(m->muMax, c.muMax);
    EXPECT_EQ(m->xMin, c.xMin);
    EXPECT_EQ(m->xMax, c.xMax);
    EXPECT_STREQ(m->name, c.name);
    EXPECT_LT(std::strlen(m->name), sizeof m->name);
    EXPECT_NEAR(m->xCrit(), c.xCrit, 1e-15);
    // Nothing is iterated at construction.
    EXPECT_EQ(m->initial, 0.5);
    EXPECT_EQ(m->current, 0.5);
    EXPECT_EQ(m->time, 500);
    EXPECT_EQ(m->n, 1);
    EXPECT_EQ(m->color[0], 0.0f);
    EXPECT_EQ(m->color[1], 0.0f);
    EXPECT_EQ(m->color[2], 1.0f);
}

TEST_P(MapFamily, FIteratesTheBaseMapNTimes) {
    const MapCase& c = GetParam();
    std::unique_ptr<Map> m(newMap(c.number));
    EXPECT_NEAR(m->f(c.x0), c.f1, 1e-12);
    m->n = 3;
    double x = c.x0;
    for (int i = 0; i < 3; ++i) x = c.base(c.mu, x);
    EXPECT_DOUBLE_EQ(m->f(c.x0), x);
    m->n = 0;
    EXPECT_EQ(m->f(c.x0), c.x0);
}

TEST_P(MapFamily, DfAveragesTheTermsAtTheImages) {
    const MapCase& c = GetParam();
    std::unique_ptr<Map> m(newMap(c.number));
    for (int n : {1, 3}) {
        m->n = n;
        double x = c.x0, sum = 0;
        for (int i = 0; i < n; ++i) {
            x = c.base(c.mu, x);
            sum += c.term(c.mu, x);
        }
        EXPECT_NEAR(m->df(c.x0), sum / n, 1e-12) << "n = " << n;
    }
}

std::string caseName(const ::testing::TestParamInfo<MapCase>& info) {
    static const char* names[] = {"", "logistic", "cosine", "cubic", "exponential",
                                  "tangent", "tent", "circle"};
    return names[info.param.number];
}

INSTANTIATE_TEST_SUITE_P(SevenMaps, MapFamily, ::testing::ValuesIn(cases()), caseName);

TEST(MapFactory, OutOfRangeNumbersMakeTheLogisticMap) {
    for (int number : {0, 8, -1, 1000}) {
        std::unique_ptr<Map> m(newMap(number));
        EXPECT_NE(dynamic_cast<logistic*>(m.get()), nullptr) << number;
    }
    std::unique_ptr<Map> t(newMap(6));
    EXPECT_NE(dynamic_cast<tent*>(t.get()), nullptr);
}

TEST(MapFormulas, PointsThatFixTheArithmetic) {
    logistic l;
    l.mu = 4;
    EXPECT_EQ(l.f(0.5), 1);
    EXPECT_DOUBLE_EQ(l.df(0.5), std::log(4.0));

    tent t;
    for (double x : {-3.0, 0.1, 0.5, 0.9, 7.0}) EXPECT_DOUBLE_EQ(t.df(x), std::log(1.8));
    t.n = 5;
    EXPECT_DOUBLE_EQ(t.df(0.3), std::log(1.8));
    // x = 0.5 takes the second branch.
    t.n = 1;
    EXPECT_DOUBLE_EQ(t.f(0.5), 1.8 * 0.5);

    circle c;
    for (double x : {-0.3, -2.75, -1e-9}) {
        double y = c.f(x);
        EXPECT_GE(y, 0.0) << x;
        EXPECT_LT(y, 1.0) << x;
    }
    EXPECT_EQ(std::strlen(c.name), 46u);

    // A negative count runs nothing instead of four billion steps.
    logistic neg;
    neg.n = -5;
    EXPECT_EQ(neg.f(0.3), 0.3);
}

TEST(MapFormulas, LyapunovCountOfZeroIsNotANumber) {
    cubic c;
    c.n = 0;
    EXPECT_TRUE(std::isnan(c.df(0.3)));
}

TEST(CircleName, HugeOmegaStaysInsideTheBuffer) {
    circle c;
    for (double omega : {1e300, -1.7e308, 1e45}) {
        c.omega = omega;
        std::memset(c.name, 'x', sizeof c.name);
        c.nameWithOmega("Circle Map, omega= %lf");
        ASSERT_NE(std::memchr(c.name, '\0', sizeof c.name), nullptr);
        char expected[60];
        std::snprintf(expected, sizeof expected, "Circle Map, omega= %g", omega);
        EXPECT_STREQ(c.name, expected);
    }
    c.omega = 0.25;
    c.nameWithOmega("Circle Map, omega= %lf");
    EXPECT_STREQ(c.name, "Circle Map, omega= 0.250000");
}

} // namespace

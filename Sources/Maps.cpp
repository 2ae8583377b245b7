// The seven maps: base formulas, derivative terms, critical points and defaults.
#include "Map.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

// Counted loops run their count down to zero; a count below zero runs nothing,
// where a plain decrement-and-test would run about four billion times.
#define FOR_COUNT(k, count) for (std::int32_t k = (count); k > 0; --k)

namespace {

void setName(char (&name)[60], const char* text) {
    std::strncpy(name, text, sizeof name - 1);
    name[sizeof name - 1] = '\0';
}

} // namespace

logistic::logistic() {
    mu = 3.5699456;
    muMin = 0;
    muMax = 4;
    xMin = -0.05;
    xMax = 1.05;
    setName(name, "Logistic Map f=\xB5*x*(1-x),");
}

double logistic::f(double x) {
    FOR_COUNT(k, n) x = (mu * x) * (1 - x);
    return x;
}

double logistic::df(double x) {
    double sum = 0;
    FOR_COUNT(k, n) {
        x = (mu * x) * (1 - x);
        sum += std::log(std::fabs(mu * (1 + (-2) * x)));
    }
    return sum / static_cast<double>(n);
}

cosine::cosine() {
    mu = 1;
    muMin = 0;
    muMax = 3.14159;
    xMin = -3.2;
    xMax = 3.2;
    setName(name, "Cosine Map, f=\xB5*cos(x),");
}

double cosine::f(double x) {
    FOR_COUNT(k, n) x = mu * std::cos(x);
    return x;
}

double cosine::df(double x) {
    double sum = 0;
    FOR_COUNT(k, n) {
        x = mu * std::cos(x);
        sum += std::log(std::fabs(mu * std::sin(x)));
    }
    return sum / static_cast<double>(n);
}

double cosine::xCrit() { return 0; }

cubic::cubic() {
    mu = 2.4;
    muMin = 0;
    muMax = 3.5;
    xMin = -2;
    xMax = 2;
    setName(name, "Cubic Map f = \xB5*x -x^3,");
}

double cubic::f(double x) {
    FOR_COUNT(k, n) x = x * (mu - x * x);
    return x;
}

double cubic::df(double x) {
    double sum = 0;
    FOR_COUNT(k, n) {
        x = x * (mu - x * x);
        sum += std::log(std::fabs(mu + ((-3) * x) * x));
    }
    return sum / static_cast<double>(n);
}

double cubic::xCrit() { return std::sqrt(mu / 3); }

exponential::exponential() {
    mu = -2.6;
    muMin = -4;
    muMax = 0;
    xMin = -1;
    xMax = 3;
    setName(name, "Exponential Map, f = x*exp(-\xB5*(1-x)),");
}

double exponential::f(double x) {
    FOR_COUNT(k, n) x = x * std::exp(-mu * (1 - x));
    return x;
}

double exponential::df(double x) {
    double sum = 0;
    FOR_COUNT(k, n) {
        x = x * std::exp(-mu * (1 - x));
        sum += std::log(std::fabs(mu * x + 1)) - mu * (1 - x);
    }
    return sum / static_cast<double>(n);
}

double exponential::xCrit() { return -1 / mu; }

tangent::tangent() {
    mu = 1;
    muMin = 0;
    muMax = 3.14159;
    xMin = -3.2;
    xMax = 3.2;
    setName(name, "Tangent Map, f=\xB5*tan(x),");
}

double tangent::f(double x) {
    FOR_COUNT(k, n) x = mu * std::tan(x);
    return x;
}

double tangent::df(double x) {
    double sum = 0;
    FOR_COUNT(k, n) {
        x = mu * std::tan(x);
        sum += std::log(std::fabs(mu / (std::cos(x) * std::cos(x))));
    }
    return sum / static_cast<double>(n);
}

double tangent::xCrit() { return 0; }

tent::tent() {
    mu = 1.8;
    muMin = 1;
    muMax = 2;
    xMin = -0.05;
    xMax = 1.05;
    setName(name, "Tent Map, f = \xB5 x<0.5, \xB5(1-x) x > 0.5");
}

double tent::f(double x) {
    FOR_COUNT(k, n) x = x < 0.5 ? mu * x : mu * (1 - x);
    return x;
}

// The slope has modulus mu everywhere, so no orbit is needed.
double tent::df(double) { return std::log(mu); }

circle::circle() {
    mu = 0.7;
    muMin = 0;
    muMax = 2;
    xMin = 0;
    xMax = 1;
    omega = 0.6180339887498949;
    twoPi = 6.283185307179586;
    nameWithOmega("Circle Map, \xBD = %lf, f = \xBD+x+\xB5sin(2\xB9x)/2\xB9");
}

void circle::nameWithOmega(const char* format) {
    int length = std::snprintf(name, sizeof name, format, omega);
    if (length >= 0 && static_cast<std::size_t>(length) < sizeof name) return;
    // Too long for the buffer (a huge omega): the short form keeps the number whole.
    std::string shortFormat(format);
    std::size_t at = shortFormat.find("%lf");
    if (at != std::string::npos) shortFormat.replace(at, 3, "%g");
    std::snprintf(name, sizeof name, shortFormat.c_str(), omega);
}

double circle::f(double x) {
    FOR_COUNT(k, n) {
        double y = x + (omega + mu * std::sin(twoPi * x) / twoPi);
        x = y - std::floor(y);
    }
    return x;
}

double circle::df(double x) {
    double sum = 0;
    FOR_COUNT(k, n) {
        double y = x + (omega + mu * std::sin(twoPi * x) / twoPi);
        x = y - std::floor(y);
        sum += std::log(std::fabs(1 + mu * std::cos(twoPi * x)));
    }
    return sum / static_cast<double>(n);
}

Map* newMap(int number) {
    switch (number) {
    case 2: return new cosine;
    case 3: return new cubic;
    case 4: return new exponential;
    case 5: return new tangent;
    case 6: return new tent;
    case 7: return new circle;
    default: return new logistic;
    }
}

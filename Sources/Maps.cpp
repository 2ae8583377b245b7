// The seven maps: base formulas, derivative terms, critical points and defaults.
#include "Map.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Counted loops run their count down to zero; a count below zero runs nothing,
// where a plain decrement-and-test would run about four billion times.
template <typename Base>
double iterateBase(std::int32_t count, double x, Base base) {
    for (std::int32_t k = count; k > 0; --k) x = base(x);
    return x;
}

// The mean of term at the images x_1 to x_count of x under base.
template <typename Base, typename Term>
double meanOfTerms(std::int32_t count, double x, Base base, Term term) {
    double sum = 0;
    for (std::int32_t k = count; k > 0; --k) {
        x = base(x);
        sum += term(x);
    }
    return sum / static_cast<double>(count);
}

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
    return iterateBase(n, x, [this](double x) { return (mu * x) * (1 - x); });
}

double logistic::df(double x) {
    return meanOfTerms(
        n, x, [this](double x) { return (mu * x) * (1 - x); },
        [this](double x) { return std::log(std::fabs(mu * (1 + (-2) * x))); });
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
    return iterateBase(n, x, [this](double x) { return mu * std::cos(x); });
}

double cosine::df(double x) {
    return meanOfTerms(
        n, x, [this](double x) { return mu * std::cos(x); },
        [this](double x) { return std::log(std::fabs(mu * std::sin(x))); });
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
    return iterateBase(n, x, [this](double x) { return x * (mu - x * x); });
}

double cubic::df(double x) {
    return meanOfTerms(
        n, x, [this](double x) { return x * (mu - x * x); },
        [this](double x) { return std::log(std::fabs(mu + ((-3) * x) * x)); });
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
    return iterateBase(n, x, [this](double x) { return x * std::exp(-mu * (1 - x)); });
}

double exponential::df(double x) {
    return meanOfTerms(
        n, x, [this](double x) { return x * std::exp(-mu * (1 - x)); },
        [this](double x) { return std::log(std::fabs(mu * x + 1)) - mu * (1 - x); });
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
    return iterateBase(n, x, [this](double x) { return mu * std::tan(x); });
}

double tangent::df(double x) {
    return meanOfTerms(
        n, x, [this](double x) { return mu * std::tan(x); },
        [this](double x) { return std::log(std::fabs(mu / (std::cos(x) * std::cos(x)))); });
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
    return iterateBase(n, x, [this](double x) { return x < 0.5 ? mu * x : mu * (1 - x); });
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

double circle::step(double x) const {
    double y = x + (omega + mu * std::sin(twoPi * x) / twoPi);
    return y - std::floor(y);
}

double circle::f(double x) {
    return iterateBase(n, x, [this](double x) { return step(x); });
}

double circle::df(double x) {
    return meanOfTerms(
        n, x, [this](double x) { return step(x); },
        [this](double x) { return std::log(std::fabs(1 + mu * std::cos(twoPi * x))); });
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

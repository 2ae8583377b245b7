// The family of one-dimensional maps x -> f(x) with the parameter mu, and their orbit state.
#pragma once

#include <cstdint>

struct OpaqueWindowPtr;

class Map {
public:
    double xMin;        // the x interval: standard frame of the cobweb, density and exit plots
    double xMax;
    double initial;     // the orbit's initial point
    double current;     // the point reached from initial after time steps of f
    std::int32_t time;  // number of iterations
    float color[3];     // the map's own drawing colour, red, green, blue in 0..1
    char name[60];      // MacRoman, NUL-terminated: the start of the window title
    double mu;
    double muMin;       // the mu interval: standard frame of the bifurcation and Lyapunov plots
    double muMax;
    std::int32_t n;     // the power of the iterate that f computes

    Map();
    virtual ~Map();
    virtual void setParameter();
    // The n-th iterate of the base map.
    virtual double f(double x);
    // The mean log-modulus of the base map's derivative along n steps from x.
    virtual double df(double x);
    // Where the base map's derivative vanishes.
    virtual double xCrit();

    // Orbit state and parameter commands; each keeps current = F^time(initial).
    void setTime(long t);
    void setTime();
    void setInitial(double x);
    double getInitial();
    void eraseTransients();
    void setParameter(double newMu, int newN);
    void setParameter(int k);
    void setParameter(double d);
    void chooseColor();
    // Draws one more cobweb step at once and advances the orbit by it.
    void iterate(OpaqueWindowPtr* window);

    // The cobweb plot's layers.
    void cobweb(OpaqueWindowPtr* window);
    void drawF(OpaqueWindowPtr* window, double xStart, double xScale, int nPixels);
    void drawCriticalLine(OpaqueWindowPtr* window);

    // The other analyses, each over the window's pixel columns.
    void bifurcation(OpaqueWindowPtr* window, double xStart, double xScale, int nPixels);
    void lyapunov(OpaqueWindowPtr* window, double xStart, double xScale, int nPixels);
    void density(OpaqueWindowPtr* window, double xStart, double xScale, int nPixels);
    void exitTime(OpaqueWindowPtr* window, double xStart, double xScale, int nPixels);
};

class logistic : public Map {
public:
    logistic();
    double f(double x) override;
    double df(double x) override;
};

class cosine : public Map {
public:
    cosine();
    double f(double x) override;
    double df(double x) override;
    double xCrit() override;
};

class cubic : public Map {
public:
    cubic();
    double f(double x) override;
    double df(double x) override;
    double xCrit() override;
};

class exponential : public Map {
public:
    exponential();
    double f(double x) override;
    double df(double x) override;
    double xCrit() override;
};

class tangent : public Map {
public:
    tangent();
    double f(double x) override;
    double df(double x) override;
    double xCrit() override;
};

class tent : public Map {
public:
    tent();
    double f(double x) override;
    double df(double x) override;
};

class circle : public Map {
public:
    double omega;
    double twoPi;

    circle();
    using Map::setParameter;
    void setParameter() override;
    double f(double x) override;
    double df(double x) override;

    // One step of the base map: the fractional part of x + omega + mu sin(2 pi x) / 2 pi.
    double step(double x) const;

    // Names the map after its omega with a printf format holding one %lf. When the
    // number would not fit the name buffer it is written in %g form instead.
    void nameWithOmega(const char* format);
};

// The map of a Map menu item: 1 to 7 in menu order; any other number is the logistic map.
Map* newMap(int number);

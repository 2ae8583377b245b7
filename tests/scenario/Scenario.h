// Runs the program under the scenario driver and collects what it printed.
#pragma once

#include <string>
#include <vector>

struct Rgb {
    int r, g, b;
};

struct ScenarioResult {
    std::vector<std::string> lines; // standard output, line by line
    std::string errors;             // standard error
    int status = -1;                // the driver's exit status

    // Lines that start with the prefix, the prefix removed.
    std::vector<std::string> withPrefix(const std::string& prefix) const;
    // The colour that a `pixel X Y` line reported.
    bool pixel(int x, int y, Rgb& out) const;
    std::string lastLine() const { return lines.empty() ? std::string() : lines.back(); }
};

ScenarioResult runScenario(const std::string& script, const std::vector<std::string>& options = {});

// `pixel` lines for every point of the square of the given radius around (x, y).
std::string probe(int x, int y, int radius);
// True when some probed pixel around (x, y) satisfies the test.
template <typename Test>
bool anyNear(const ScenarioResult& r, int x, int y, int radius, Test test) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            Rgb c;
            if (r.pixel(x + dx, y + dy, c) && test(c)) return true;
        }
    return false;
}

inline bool isRed(const Rgb& c) { return c.r > 200 && c.g < 80 && c.b < 80; }
inline bool isBlue(const Rgb& c) { return c.b > 200 && c.r < 80 && c.g < 80; }
inline bool isBlack(const Rgb& c) { return c.r < 60 && c.g < 60 && c.b < 60; }
inline bool isWhite(const Rgb& c) { return c.r > 200 && c.g > 200 && c.b > 200; }

// A PNG written by a `shot` line.
struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
    Rgb at(int x, int y) const {
        const unsigned char* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
        return Rgb{p[0], p[1], p[2]};
    }
};
bool readPng(const std::string& path, Image& out);

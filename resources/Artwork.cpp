#include "Artwork.h"

#include "tb/QuickDraw.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace artwork {
namespace {

struct Image {
    int width, height;
    std::vector<std::uint8_t> rgba;
    Image(int w, int h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * h * 4, 0) {}
    void blend(int x, int y, const std::uint8_t c[3], double alpha) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
        for (int k = 0; k < 3; ++k) p[k] = static_cast<std::uint8_t>(p[k] + (c[k] - p[k]) * alpha);
        p[3] = 255;
    }
};

} // namespace

tb::res::Bytes splashPicture(int width, int height) {
    Image img(width, height);
    // A deep blue gradient, lighter toward the top.
    for (int y = 0; y < height; ++y) {
        double t = static_cast<double>(y) / height;
        std::uint8_t row[3] = {static_cast<std::uint8_t>(10 + 20 * (1 - t)),
                               static_cast<std::uint8_t>(20 + 40 * (1 - t)),
                               static_cast<std::uint8_t>(60 + 80 * (1 - t))};
        for (int x = 0; x < width; ++x) img.blend(x, y, row, 1.0);
    }
    // The bifurcation diagram of the logistic map for mu from 2.8 to 4, between the
    // captions: the attractor's density shows as brightness.
    const int top = 80, bottom = height - 110;
    const std::uint8_t ink[3] = {255, 230, 140};
    std::vector<int> hits(static_cast<std::size_t>(width) * height, 0);
    for (int col = 0; col < width; ++col) {
        double mu = 2.8 + 1.2 * col / (width - 1);
        double x = 0.5;
        for (int i = 0; i < 300; ++i) x = mu * x * (1 - x);
        for (int i = 0; i < 600; ++i) {
            x = mu * x * (1 - x);
            int row = bottom - static_cast<int>(std::lround(x * (bottom - top)));
            if (row >= 0 && row < height) ++hits[static_cast<std::size_t>(row) * width + col];
        }
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (int h = hits[static_cast<std::size_t>(y) * width + x])
                img.blend(x, y, ink, std::min(1.0, 0.35 + 0.15 * h));
    Rect frame;
    frame.top = 0;
    frame.left = 0;
    frame.bottom = static_cast<short>(height);
    frame.right = static_cast<short>(width);
    return tb::pictureFromPixels(frame, img.rgba.data(), width, height);
}

tb::res::Bytes magnifierCursor(bool plus) {
    const int size = 16;
    Image img(size, size);
    for (auto& b : img.rgba) b = 0;
    const std::uint8_t black[3] = {0, 0, 0}, white[3] = {255, 255, 255};
    const double cx = 6.0, cy = 6.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double d = std::hypot(x - cx, y - cy);
            if (d <= 4.2)
                img.blend(x, y, white, 1.0);
            else if (d <= 5.8)
                img.blend(x, y, black, 1.0);
        }
    }
    // The handle, toward the bottom right.
    for (int k = 0; k < 5; ++k) {
        for (int w = 0; w < 2; ++w) {
            img.blend(10 + k + w, 10 + k, black, 1.0);
            img.blend(10 + k, 10 + k + w, black, 1.0);
        }
    }
    for (int k = 4; k <= 8; ++k) img.blend(k, 6, black, 1.0);
    if (plus)
        for (int k = 4; k <= 8; ++k) img.blend(6, k, black, 1.0);
    tb::res::Writer w;
    w.u16(size).u16(size).u16(6).u16(6);
    w.bytes(img.rgba.data(), img.rgba.size());
    return w.take();
}

} // namespace artwork

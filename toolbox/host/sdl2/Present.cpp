// The SDL2 host's output: the screen image on the window surface, and the cursor.
#include "host/sdl2/Sdl2Window.h"

#include <algorithm>
#include <cstring>

namespace tb::sdl2 {
namespace {

// Beyond the screen image (a resize not composed yet) the window shows this.
constexpr std::uint8_t kBorder[3] = {0x20, 0x20, 0x20};

struct Packing {
    Uint32 rMask, gMask, bMask, alpha;
    Uint8 rShift, gShift, bShift, rLoss, gLoss, bLoss;
    Uint32 pack(std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
        return ((Uint32(r >> rLoss) << rShift) & rMask) | ((Uint32(g >> gLoss) << gShift) & gMask) |
               ((Uint32(b >> bLoss) << bShift) & bMask) | alpha;
    }
};

Packing packingOf(const SDL_PixelFormat* f) {
    return Packing{f->Rmask, f->Gmask, f->Bmask, f->Amask, f->Rshift, f->Gshift, f->Bshift,
                   f->Rloss, f->Gloss, f->Bloss};
}

// Nearest-neighbour copy of an RGBA image, `scale` pixels a side for each, into a 32-bit
// surface of any channel order; the rest of the surface gets the border colour.
void convert(const std::uint8_t* rgba, int w, int h, int scale, SDL_Surface* dst) {
    const Packing p = packingOf(dst->format);
    const Uint32 border = p.pack(kBorder[0], kBorder[1], kBorder[2]);
    std::vector<Uint32> row(std::size_t(dst->w));
    for (int y = 0; y < dst->h; ++y) {
        int sy = y / scale;
        if (sy < h) {
            // A scaled row repeats the one above it.
            if (y % scale == 0) {
                const std::uint8_t* src = rgba + std::size_t(sy) * w * 4;
                for (int x = 0; x < dst->w; ++x) {
                    int sx = x / scale;
                    row[std::size_t(x)] =
                        sx < w ? p.pack(src[sx * 4], src[sx * 4 + 1], src[sx * 4 + 2]) : border;
                }
            }
        } else if (sy == h && y % scale == 0) {
            std::fill(row.begin(), row.end(), border);
        }
        std::memcpy(static_cast<std::uint8_t*>(dst->pixels) + std::size_t(y) * dst->pitch, row.data(),
                    row.size() * 4);
    }
}

} // namespace

void Sdl2Window::present(const std::uint8_t* rgba, int width, int height) {
    if (!rgba || width <= 0 || height <= 0 || width > 32767 || height > 32767) return;
    // The toolbox presents again while GL windows are up even when nothing changed; the
    // comparison costs far less than converting and sending the picture.
    std::size_t bytes = std::size_t(width) * height * 4;
    if (!stale_ && width == imageW_ && height == imageH_ && std::memcmp(image_.data(), rgba, bytes) == 0)
        return;
    image_.assign(rgba, rgba + std::size_t(width) * height * 4);
    imageW_ = width;
    imageH_ = height;
    show();
}

void Sdl2Window::show() {
    stale_ = true; // until the picture is really on the window
    SDL_Surface* dst = SDL_GetWindowSurface(window_);
    if (!dst) return;
    if (image_.empty()) {
        SDL_FillRect(dst, nullptr, SDL_MapRGB(dst->format, kBorder[0], kBorder[1], kBorder[2]));
    } else if (dst->format->BytesPerPixel == 4) {
        if (SDL_MUSTLOCK(dst) && SDL_LockSurface(dst) != 0) return;
        convert(image_.data(), imageW_, imageH_, scale_, dst);
        if (SDL_MUSTLOCK(dst)) SDL_UnlockSurface(dst);
    } else {
        // An unusual surface: let SDL convert, more slowly.
        SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(image_.data(), imageW_, imageH_, 32, imageW_ * 4,
                                                              SDL_PIXELFORMAT_RGBA32);
        if (!src) return;
        SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE);
        SDL_FillRect(dst, nullptr, SDL_MapRGB(dst->format, kBorder[0], kBorder[1], kBorder[2]));
        SDL_Rect to{0, 0, imageW_ * scale_, imageH_ * scale_};
        SDL_BlitScaled(src, nullptr, dst, &to);
        SDL_FreeSurface(src);
    }
    SDL_UpdateWindowSurface(window_);
    stale_ = false;
}

void Sdl2Window::setCursor(CursorShape shape, const CursorImage* image) {
    if (shape == CursorShape::image) {
        constexpr int kMaxSide = 256;
        bool usable = image && image->width > 0 && image->height > 0 && image->width <= kMaxSide &&
                      image->height <= kMaxSide &&
                      image->rgba.size() >= std::size_t(image->width) * image->height * 4;
        if (!usable) {
            setCursor(CursorShape::arrow, nullptr);
            return;
        }
        if (shape_ == CursorShape::image && imageCursor_ && shownImage_.id == image->id &&
            shownImage_.width == image->width && shownImage_.height == image->height &&
            shownImage_.hotSpot.h == image->hotSpot.h && shownImage_.hotSpot.v == image->hotSpot.v &&
            shownImage_.rgba == image->rgba)
            return;
        // On a scaled screen the cursor grows with everything else.
        int s = scale_, w = image->width * s, h = image->height * s;
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
        if (!surface) return;
        for (int y = 0; y < h; ++y) {
            auto* out = static_cast<std::uint8_t*>(surface->pixels) + std::size_t(y) * surface->pitch;
            const std::uint8_t* in = image->rgba.data() + std::size_t(y / s) * image->width * 4;
            for (int x = 0; x < w; ++x) std::memcpy(out + x * 4, in + (x / s) * 4, 4);
        }
        int hx = std::clamp(int(image->hotSpot.h), 0, image->width - 1) * s;
        int hy = std::clamp(int(image->hotSpot.v), 0, image->height - 1) * s;
        SDL_Cursor* c = SDL_CreateColorCursor(surface, hx, hy);
        SDL_FreeSurface(surface);
        if (!c) return;
        SDL_SetCursor(c);
        if (imageCursor_) SDL_FreeCursor(imageCursor_);
        imageCursor_ = c;
        shownImage_ = *image;
        shape_ = shape;
        return;
    }
    if (shape == shape_) return;
    static constexpr SDL_SystemCursor kSystem[] = {SDL_SYSTEM_CURSOR_ARROW, SDL_SYSTEM_CURSOR_IBEAM,
                                                   SDL_SYSTEM_CURSOR_CROSSHAIR, SDL_SYSTEM_CURSOR_WAIT};
    std::size_t i = shape == CursorShape::ibeam ? 1 : shape == CursorShape::cross ? 2
                  : shape == CursorShape::watch ? 3 : 0;
    if (!systemCursors_[i]) systemCursors_[i] = SDL_CreateSystemCursor(kSystem[i]);
    if (!systemCursors_[i]) return;
    SDL_SetCursor(systemCursors_[i]);
    shape_ = shape;
}

} // namespace tb::sdl2

#include "Fonts/FontEngine.h"

#include "Text/MacRoman.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <unordered_map>

namespace tb::fonts {
namespace {

// What a font number draws with: a face family, and whether codes go through
// the Symbol encoding.
enum class Family { sans, mono, serif };

struct Mapping {
    Family family;
    bool symbol;
};

Mapping mappingOf(short fontNum) {
    switch (fontNum) {
    case fontMonaco: return {Family::mono, false};
    case fontTimes: return {Family::serif, false};
    case fontSymbol: return {Family::sans, true};
    default: return {Family::sans, false};
    }
}

const char* familyName(Family f) {
    switch (f) {
    case Family::mono: return "DejaVu Sans Mono";
    case Family::serif: return "DejaVu Serif";
    case Family::sans: break;
    }
    return "DejaVu Sans";
}

// Size 0 (and nonsense) is the classic default of 12; huge sizes are capped so
// one glyph cannot ask for an enormous bitmap.
short clampSize(short size) {
    if (size <= 0) return 12;
    return std::min<short>(size, 255);
}

struct LoadedFace {
    FT_Face face = nullptr;
    bool synthBold = false;
    bool synthItalic = false;
    short pixelSize = 0; // the size last set on the face
};

struct Match {
    std::string file;
    int index = 0;
    std::string family; // the first family name of the match
    bool isFamily = false; // the match belongs to the requested family
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
};

bool matchFont(const char* family, bool bold, bool italic, Match& out) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;

    bool ok = false;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
        ok = true;
        out.file = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &out.index) != FcResultMatch) out.index = 0;
        if (FcPatternGetInteger(match, FC_WEIGHT, 0, &out.weight) != FcResultMatch)
            out.weight = FC_WEIGHT_REGULAR;
        if (FcPatternGetInteger(match, FC_SLANT, 0, &out.slant) != FcResultMatch)
            out.slant = FC_SLANT_ROMAN;
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            if (i == 0) out.family = reinterpret_cast<const char*>(name);
            if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family)) == 0)
                out.isFamily = true;
        }
    }
    FcPatternDestroy(match);
    return ok;
}

class Engine {
public:
    static Engine& get() {
        static Engine engine;
        return engine;
    }

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    const Glyph& glyph(short fontNum, short size, short face, unsigned char code) {
        const Mapping map = mappingOf(fontNum);
        size = clampSize(size);
        face &= faceBold | faceItalic; // underline is drawn by the caller
        const std::uint32_t key = (std::uint32_t(map.family) << 26) | (std::uint32_t(map.symbol) << 25) |
                                  (std::uint32_t(size) << 10) | (std::uint32_t(face) << 8) | code;
        auto it = glyphs_.find(key);
        if (it != glyphs_.end()) return it->second;
        return glyphs_.emplace(key, render(map, size, face, code)).first->second;
    }

    Metrics metrics(short fontNum, short size, short face) {
        const Mapping map = mappingOf(fontNum);
        size = clampSize(size);
        Metrics m;
        LoadedFace* lf = sized(map.family, face, size);
        if (!lf) {
            m.ascent = static_cast<short>((size * 4 + 4) / 5);
            m.descent = static_cast<short>(std::max(1, size - m.ascent));
            m.widMax = size;
            return m;
        }
        const FT_Size_Metrics& sm = lf->face->size->metrics;
        m.ascent = static_cast<short>((sm.ascender + 63) >> 6);
        m.descent = static_cast<short>((-sm.descender + 63) >> 6);
        m.widMax = static_cast<short>((sm.max_advance + 63) >> 6);
        const int height = static_cast<int>((sm.height + 32) >> 6);
        m.leading = static_cast<short>(std::max(0, height - m.ascent - m.descent));
        return m;
    }

private:
    Engine() {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
            std::fprintf(stderr, "fonts: FreeType could not start; text will not be drawn\n");
        }
        if (!FcInit()) std::fprintf(stderr, "fonts: fontconfig could not start\n");
    }

    ~Engine() {
        for (auto& [key, lf] : faces_)
            if (lf.face) FT_Done_Face(lf.face);
        if (library_) FT_Done_FreeType(library_);
    }

    // The face for a family and style, loaded once; null when no face at all exists.
    LoadedFace* loaded(Family family, short face) {
        const bool bold = face & faceBold;
        const bool italic = face & faceItalic;
        const int key = int(family) * 4 + (bold ? 2 : 0) + (italic ? 1 : 0);
        auto it = faces_.find(key);
        if (it != faces_.end()) return it->second.face ? &it->second : nullptr;

        LoadedFace& lf = faces_[key];
        if (!library_) return nullptr;
        const char* wanted = familyName(family);
        Match match;
        bool found = matchFont(wanted, bold, italic, match) && match.isFamily;
        if (found) found = open(match, lf);
        if (!found) {
            Match fallback;
            const bool have = matchFont("sans-serif", bold, italic, fallback) && open(fallback, lf);
            if (warned_.insert(wanted).second) {
                if (have)
                    std::fprintf(stderr, "fonts: %s not found (package fonts-dejavu-core); using %s\n",
                                 wanted, fallback.family.c_str());
                else
                    std::fprintf(stderr,
                                 "fonts: %s not found and no sans face either; text will not be drawn\n",
                                 wanted);
            }
            if (!have) return nullptr;
            match = fallback;
        }
        lf.synthBold = bold && match.weight < FC_WEIGHT_DEMIBOLD;
        lf.synthItalic = italic && match.slant == FC_SLANT_ROMAN;
        return &lf;
    }

    bool open(const Match& match, LoadedFace& lf) {
        FT_Face f = nullptr;
        if (FT_New_Face(library_, match.file.c_str(), match.index, &f) != 0) return false;
        if (FT_Select_Charmap(f, FT_ENCODING_UNICODE) != 0) {
            FT_Done_Face(f);
            return false;
        }
        lf.face = f;
        return true;
    }

    LoadedFace* sized(Family family, short face, short size) {
        LoadedFace* lf = loaded(family, face);
        if (!lf) return nullptr;
        if (lf->pixelSize != size) {
            if (FT_Set_Pixel_Sizes(lf->face, 0, static_cast<FT_UInt>(size)) != 0) return nullptr;
            lf->pixelSize = size;
        }
        return lf;
    }

    Glyph render(Mapping map, short size, short face, unsigned char code) {
        Glyph g;
        // Control codes have no picture and take no room; line ends and tabs are
        // the text engine's business.
        if (code < 0x20 || code == 0x7F) return g;
        LoadedFace* lf = sized(map.family, face, size);
        if (!lf) {
            g.advance = std::max(1, size / 2);
            return g;
        }
        const char32_t ch = map.symbol ? text::symbolToUnicode(code) : text::macRomanToUnicode(code);
        const FT_UInt index = FT_Get_Char_Index(lf->face, ch);
        if (FT_Load_Glyph(lf->face, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) {
            g.advance = std::max(1, size / 2);
            return g;
        }
        FT_GlyphSlot slot = lf->face->glyph;
        if (lf->synthBold) FT_GlyphSlot_Embolden(slot);
        if (lf->synthItalic) FT_GlyphSlot_Oblique(slot);
        g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;

        const FT_Bitmap& bm = slot->bitmap;
        if (bm.pixel_mode != FT_PIXEL_MODE_GRAY || bm.width == 0 || bm.rows == 0) return g;
        g.width = static_cast<int>(bm.width);
        g.height = static_cast<int>(bm.rows);
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.coverage.resize(std::size_t(g.width) * g.height);
        const int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
        for (int y = 0; y < g.height; ++y) {
            // A negative pitch means the buffer runs bottom-up.
            const unsigned char* row = bm.pitch >= 0 ? bm.buffer + std::ptrdiff_t(y) * bm.pitch
                                                     : bm.buffer + std::ptrdiff_t(g.height - 1 - y) * -bm.pitch;
            for (int x = 0; x < g.width; ++x)
                g.coverage[std::size_t(y) * g.width + x] =
                    static_cast<std::uint8_t>(levels == 255 ? row[x] : row[x] * 255 / levels);
        }
        return g;
    }

    FT_Library library_ = nullptr;
    std::map<int, LoadedFace> faces_;
    std::unordered_map<std::uint32_t, Glyph> glyphs_;
    std::set<std::string> warned_; // families already reported missing
};

} // namespace

const Glyph& glyph(short fontNum, short size, short face, unsigned char code) {
    return Engine::get().glyph(fontNum, size, face, code);
}

Metrics metrics(short fontNum, short size, short face) {
    return Engine::get().metrics(fontNum, size, face);
}

int textWidth(short fontNum, short size, short face, const unsigned char* text, int length) {
    if (!text || length <= 0) return 0;
    int width = 0;
    for (int i = 0; i < length; ++i) width += glyph(fontNum, size, face, text[i]).advance;
    return width;
}

bool fontNumber(const unsigned char* pascalName, short* number) {
    struct Entry {
        const char* name;
        short number;
    };
    static constexpr Entry kNames[] = {
        {"Monaco", fontMonaco}, {"Geneva", fontGeneva}, {"Times", fontTimes}, {"Symbol", fontSymbol}};
    short found = fontSystem;
    bool known = false;
    if (pascalName) {
        const std::size_t length = pascalName[0];
        for (const auto& e : kNames) {
            if (std::strlen(e.name) != length) continue;
            bool same = true;
            for (std::size_t i = 0; i < length && same; ++i)
                same = std::tolower(pascalName[1 + i]) == std::tolower(static_cast<unsigned char>(e.name[i]));
            if (same) {
                found = e.number;
                known = true;
                break;
            }
        }
    }
    if (number) *number = found;
    return known;
}

} // namespace tb::fonts

#include "tb/Scrap.h"

#include "Text/MacRoman.h"
#include "tb/Driver.h"
#include "tb/Host.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

struct OpaqueScrapRef {
    int unused = 0;
};

namespace {

struct Flavor {
    ScrapFlavorType type;
    ScrapFlavorFlags flags;
    std::vector<unsigned char> bytes;
};

OpaqueScrapRef gScrapRef;
std::vector<Flavor> gFlavors;  // what this process put, in order
std::string gHostTextWeSet;    // the host clipboard as we last left it
bool gOwnsHostText = false;

// When someone else changed the host clipboard since our last put, the scrap is theirs:
// our private flavours describe an old clipboard and go.
void followHost() {
    tb::Host* h = tb::host();
    if (!h) return;
    std::string now = h->clipboardText();
    if (gOwnsHostText && now == gHostTextWeSet) return;
    gFlavors.clear();
    gHostTextWeSet = now;
    gOwnsHostText = true;
    if (!now.empty()) {
        std::string mac = tb::text::utf8ToMacRoman(now, true);
        gFlavors.push_back(Flavor{kScrapFlavorTypeText, kScrapFlavorMaskNone,
                                  std::vector<unsigned char>(mac.begin(), mac.end())});
    }
}

Flavor* find(ScrapFlavorType type) {
    auto it = std::find_if(gFlavors.begin(), gFlavors.end(), [type](const Flavor& f) { return f.type == type; });
    return it == gFlavors.end() ? nullptr : &*it;
}

std::string fourCC(ScrapFlavorType t) {
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) s += char((t >> shift) & 0xFF);
    return tb::text::macRomanToUtf8(s, false);
}

bool printClipboard(const tb::driver::Words& args, std::ostream& out) {
    if (!args.empty()) return false;
    followHost();
    for (const Flavor& f : gFlavors) out << "clipboard: " << fourCC(f.type) << " " << f.bytes.size() << "\n";
    if (const Flavor* text = find(kScrapFlavorTypeText)) {
        // One output line per text line, so multi-line text stays readable.
        std::string utf8 = tb::text::macRomanToUtf8(
            std::string(text->bytes.begin(), text->bytes.end()), true);
        std::size_t start = 0;
        while (start < utf8.size()) {
            std::size_t end = utf8.find('\n', start);
            if (end == std::string::npos) end = utf8.size();
            out << "clipboard-text: " << utf8.substr(start, end - start) << "\n";
            start = end + 1;
        }
    }
    return true;
}

const bool gRegistered = [] {
    tb::driver::registerPrintSubject("clipboard", printClipboard);
    return true;
}();

} // namespace

OSStatus ClearCurrentScrap() {
    (void)gRegistered;
    gFlavors.clear();
    gHostTextWeSet.clear();
    gOwnsHostText = true;
    if (tb::Host* h = tb::host()) h->setClipboardText(std::string());
    return noErr;
}

OSStatus GetCurrentScrap(ScrapRef* scrap) {
    if (!scrap) return paramErr;
    followHost();
    *scrap = &gScrapRef;
    return noErr;
}

OSStatus PutScrapFlavor(ScrapRef scrap, ScrapFlavorType flavorType, ScrapFlavorFlags flags,
                        Size flavorSize, const void* flavorData) {
    if (scrap != &gScrapRef) return badScrapRefErr;
    if (flavorSize < 0 || (flavorSize > 0 && !flavorData)) return paramErr;
    followHost();
    if (find(flavorType)) return duplicateScrapFlavorErr;
    const auto* p = static_cast<const unsigned char*>(flavorData);
    Flavor f{flavorType, flags, std::vector<unsigned char>(p, p + flavorSize)};
    if (flavorType == kScrapFlavorTypeText) {
        gHostTextWeSet = tb::text::macRomanToUtf8(std::string(f.bytes.begin(), f.bytes.end()), true);
        gOwnsHostText = true;
        if (tb::Host* h = tb::host()) h->setClipboardText(gHostTextWeSet);
    }
    gFlavors.push_back(std::move(f));
    return noErr;
}

OSStatus GetScrapFlavorSize(ScrapRef scrap, ScrapFlavorType flavorType, Size* byteCount) {
    if (!byteCount) return paramErr;
    *byteCount = 0;
    if (scrap != &gScrapRef) return badScrapRefErr;
    followHost();
    const Flavor* f = find(flavorType);
    if (!f) return noTypeErr;
    *byteCount = Size(f->bytes.size());
    return noErr;
}

OSStatus GetScrapFlavorFlags(ScrapRef scrap, ScrapFlavorType flavorType, ScrapFlavorFlags* flags) {
    if (!flags) return paramErr;
    *flags = 0;
    if (scrap != &gScrapRef) return badScrapRefErr;
    followHost();
    const Flavor* f = find(flavorType);
    if (!f) return noTypeErr;
    *flags = f->flags;
    return noErr;
}

OSStatus GetScrapFlavorData(ScrapRef scrap, ScrapFlavorType flavorType, Size* byteCount,
                            void* destination) {
    if (!byteCount) return paramErr;
    if (scrap != &gScrapRef) { *byteCount = 0; return badScrapRefErr; }
    followHost();
    const Flavor* f = find(flavorType);
    if (!f) { *byteCount = 0; return noTypeErr; }
    Size n = std::min<Size>(std::max<Size>(*byteCount, 0), Size(f->bytes.size()));
    if (n > 0 && !destination) { *byteCount = 0; return paramErr; }
    if (n > 0) std::memcpy(destination, f->bytes.data(), std::size_t(n));
    *byteCount = n;
    return noErr;
}

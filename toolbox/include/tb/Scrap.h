// Scrap Manager: the clipboard, as flavours of one current scrap.
#pragma once

#include "tb/Types.h"

struct OpaqueScrapRef;
typedef OpaqueScrapRef* ScrapRef;
typedef FourCharCode ScrapFlavorType;
typedef UInt32 ScrapFlavorFlags;

enum : ScrapFlavorType {
    kScrapFlavorTypeText = FOUR_CHAR("TEXT"),
    kScrapFlavorTypePicture = FOUR_CHAR("PICT"),
};

enum : ScrapFlavorFlags {
    kScrapFlavorMaskNone = 0,
    kScrapFlavorMaskSenderOnly = 1,
    kScrapFlavorMaskTranslated = 2,
};

enum : OSStatus {
    noScrapErr = -100,
    noTypeErr = -102,
    internalScrapErr = -4988,
    duplicateScrapFlavorErr = -4989,
    badScrapRefErr = -4990,
};

// 'TEXT' is the host clipboard's text (MacRoman with CR here); other flavours stay in
// this process and are dropped when another program puts text on the host clipboard.
OSStatus ClearCurrentScrap();
OSStatus GetCurrentScrap(ScrapRef* scrap);
// A flavour can be put once per clearing; a second put of it is duplicateScrapFlavorErr.
OSStatus PutScrapFlavor(ScrapRef scrap, ScrapFlavorType flavorType, ScrapFlavorFlags flags,
                        Size flavorSize, const void* flavorData);
// noTypeErr (size 0) when the scrap holds no such flavour.
OSStatus GetScrapFlavorSize(ScrapRef scrap, ScrapFlavorType flavorType, Size* byteCount);
OSStatus GetScrapFlavorFlags(ScrapRef scrap, ScrapFlavorType flavorType, ScrapFlavorFlags* flags);
// Copies at most *byteCount bytes and sets *byteCount to what was copied.
OSStatus GetScrapFlavorData(ScrapRef scrap, ScrapFlavorType flavorType, Size* byteCount,
                            void* destination);

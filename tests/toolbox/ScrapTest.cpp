// The scrap: 'TEXT' through the host clipboard with its character set and line ends,
// private flavours, errors, and what `print clipboard` shows.
#include "HeadlessFixture.h"

#include "tb/Scrap.h"

#include <string>

namespace {

using ScrapTest = HeadlessTest;

std::string flavorText(ScrapRef s) {
    Size n = 0;
    if (GetScrapFlavorSize(s, kScrapFlavorTypeText, &n) != noErr) return "<none>";
    std::string t(std::size_t(n), '\0');
    EXPECT_EQ(GetScrapFlavorData(s, kScrapFlavorTypeText, &n, t.data()), noErr);
    t.resize(std::size_t(n));
    return t;
}

TEST_F(ScrapTest, TextGoesToTheHostAsUtf8WithLineFeeds) {
    ScrapRef s = nullptr;
    ASSERT_EQ(ClearCurrentScrap(), noErr);
    ASSERT_EQ(GetCurrentScrap(&s), noErr);
    const char mac[] = "\xB5=3.5\rn=2\r"; // MacRoman mu, CR line ends
    ASSERT_EQ(PutScrapFlavor(s, kScrapFlavorTypeText, 0, Size(sizeof mac - 1), mac), noErr);
    EXPECT_EQ(host->clipboardText(), "\xC2\xB5=3.5\nn=2\n");
    EXPECT_EQ(flavorText(s), std::string(mac));
    // A second put of the same flavour is refused and changes nothing.
    EXPECT_EQ(PutScrapFlavor(s, kScrapFlavorTypeText, 0, 1, "x"), duplicateScrapFlavorErr);
    EXPECT_EQ(flavorText(s), std::string(mac));
}

TEST_F(ScrapTest, HostTextIsReadAsMacRomanWithReturns) {
    host->setClipboardText("\xCF\x80 r\xC3\xA9sum\xC3\xA9\nline \xE2\x82\xAC"); // pi, e-acute, euro
    ScrapRef s = nullptr;
    ASSERT_EQ(GetCurrentScrap(&s), noErr);
    EXPECT_EQ(flavorText(s), "\xB9 r\x8Esum\x8E\rline \xDB");
    // A short buffer gets a prefix and the count of what was copied.
    char buf[3] = {0, 0, 0};
    Size n = 2;
    EXPECT_EQ(GetScrapFlavorData(s, kScrapFlavorTypeText, &n, buf), noErr);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(std::string(buf, 2), "\xB9 ");
}

TEST_F(ScrapTest, PictureStaysInProcessUntilAnotherProgramTakesTheClipboard) {
    host->setClipboardText("old");
    ScrapRef s = nullptr;
    ClearCurrentScrap();
    GetCurrentScrap(&s);
    EXPECT_EQ(host->clipboardText(), "");
    const unsigned char pict[12] = {0, 12, 0, 0, 0, 0, 0, 10, 0, 10, 0xFF, 0};
    ASSERT_EQ(PutScrapFlavor(s, kScrapFlavorTypePicture, kScrapFlavorMaskNone, 12, pict), noErr);
    Size n = 0;
    EXPECT_EQ(GetScrapFlavorSize(s, kScrapFlavorTypeText, &n), noTypeErr);
    EXPECT_EQ(n, 0);
    ASSERT_EQ(GetScrapFlavorSize(s, kScrapFlavorTypePicture, &n), noErr);
    EXPECT_EQ(n, 12);
    unsigned char back[12] = {};
    EXPECT_EQ(GetScrapFlavorData(s, kScrapFlavorTypePicture, &n, back), noErr);
    EXPECT_EQ(std::memcmp(back, pict, 12), 0);

    host->setClipboardText("from elsewhere");
    EXPECT_EQ(GetScrapFlavorSize(s, kScrapFlavorTypePicture, &n), noTypeErr);
    EXPECT_EQ(flavorText(s), "from elsewhere");
}

TEST_F(ScrapTest, BadArgumentsGiveErrorsAndNoWrites) {
    ScrapRef s = nullptr;
    EXPECT_EQ(GetCurrentScrap(nullptr), paramErr);
    ClearCurrentScrap();
    GetCurrentScrap(&s);
    EXPECT_EQ(PutScrapFlavor(nullptr, kScrapFlavorTypeText, 0, 1, "x"), badScrapRefErr);
    EXPECT_EQ(PutScrapFlavor(s, kScrapFlavorTypeText, 0, -1, "x"), paramErr);
    EXPECT_EQ(PutScrapFlavor(s, kScrapFlavorTypeText, 0, 4, nullptr), paramErr);
    EXPECT_EQ(GetScrapFlavorSize(s, kScrapFlavorTypeText, nullptr), paramErr);
    ASSERT_EQ(PutScrapFlavor(s, kScrapFlavorTypeText, 0, 3, "abc"), noErr);
    Size n = -5;
    char guard = 'g';
    EXPECT_EQ(GetScrapFlavorData(s, kScrapFlavorTypeText, &n, &guard), noErr);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(guard, 'g');
}

TEST_F(ScrapTest, PrintClipboardListsFlavoursThenTextLines) {
    ScrapRef s = nullptr;
    ClearCurrentScrap();
    GetCurrentScrap(&s);
    PutScrapFlavor(s, kScrapFlavorTypeText, 0, 7, "one\rtwo");
    PutScrapFlavor(s, kScrapFlavorTypePicture, 0, 4, "PPPP");
    script("print clipboard\n");
    host->feedAll();
    EXPECT_EQ(out.str(), "clipboard: TEXT 7\nclipboard: PICT 4\nclipboard-text: one\nclipboard-text: two\n");

    out.str("");
    ClearCurrentScrap();
    script("print clipboard\n");
    host->feedAll();
    EXPECT_EQ(out.str(), "");
}

} // namespace

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <bit>
#include <iconv.h>
#include <map>
#include <optional>
#include <random>
#include <string>

namespace kelvara {
namespace {

// The reference: iconv asked directly, one code at a time, with nothing of ours between.
class Reference
{
public:
    explicit Reference(int codePage)
        : m_cd(iconv_open(std::endian::native == std::endian::big ? "UTF-16BE" : "UTF-16LE",
                          codePage == kCodePageBig5 ? "CP950" : "CP936"))
    {}
    ~Reference()
    {
        if (valid())
            iconv_close(m_cd);
    }
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    /// The text iconv makes of bytes, or nothing when it refuses any of them.
    std::optional<std::u16string> decode(std::string bytes)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char16_t out[8];
        char* in = bytes.data();
        std::size_t inLeft = bytes.size();
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t outLeft = sizeof(out);
        if (iconv(m_cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0)
            return std::nullopt;
        return std::u16string(out, (sizeof(out) - outLeft) / sizeof(char16_t));
    }

private:
    iconv_t m_cd;
};

bool isTrail(unsigned char b, int codePage)
{
    if (codePage == kCodePageBig5)
        return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE);
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

std::string code(int lead, int trail)
{
    return {static_cast<char>(lead), static_cast<char>(trail)};
}

// Big5 gives two codes to a few characters; the encoder can answer only one of them.
const std::map<std::string, std::string> kBig5Twins = {
    {code(0xA2, 0xCC), code(0xA4, 0x51)}, {code(0xA2, 0xCE), code(0xA4, 0xCA)},
    {code(0xF9, 0xE9), code(0xA2, 0xA5)}, {code(0xF9, 0xEA), code(0xA2, 0xA6)},
    {code(0xF9, 0xEB), code(0xA2, 0xA7)}, {code(0xF9, 0xF9), code(0xA2, 0xA4)},
    {code(0xF9, 0xFA), code(0xA2, 0x7E)}, {code(0xF9, 0xFB), code(0xA2, 0xA1)},
    {code(0xF9, 0xFC), code(0xA2, 0xA2)}, {code(0xF9, 0xFD), code(0xA2, 0xA3)},
};

struct RoundTrip
{
    int decoded = 0;
    int undecodable = 0;
    int twins = 0;
};

// Fills r as it goes; stops at the first code that decodes wrongly.
void checkEveryDoubleByteCode(int codePage, RoundTrip& r)
{
    Reference ref(codePage);
    ASSERT_TRUE(ref.valid());
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x01; trail <= 0xFF; ++trail) {
            const std::string bytes = code(lead, trail);
            const std::u16string ours = DecodeCodePage(bytes, codePage);
            const std::optional<std::u16string> expected = ref.decode(bytes);
            if (expected) {
                ++r.decoded;
                ASSERT_EQ(ours, *expected) << std::hex << lead << ' ' << trail;
                bool usedDefault = true;
                const std::string back = EncodeCodePage(ours, codePage, &usedDefault);
                EXPECT_FALSE(usedDefault) << std::hex << lead << ' ' << trail;
                const auto twin = kBig5Twins.find(bytes);
                if (codePage == kCodePageBig5 && twin != kBig5Twins.end()) {
                    ++r.twins;
                    EXPECT_EQ(back, twin->second) << std::hex << lead << ' ' << trail;
                } else {
                    EXPECT_EQ(back, bytes) << std::hex << lead << ' ' << trail;
                }
            } else if (isTrail(static_cast<unsigned char>(trail), codePage)) {
                ++r.undecodable;
                ASSERT_EQ(ours, u"\uFFFD") << std::hex << lead << ' ' << trail;
            } else {
                // A lead byte without a proper trail is one bad byte; the next byte is read
                // on its own.
                ++r.undecodable;
                ASSERT_EQ(ours, u"\uFFFD" + DecodeCodePage(bytes.substr(1), codePage))
                    << std::hex << lead << ' ' << trail;
            }
        }
    }
}

TEST(CodePageTest, EveryGbkDoubleByteCodeRoundTrips)
{
    RoundTrip r;
    checkEveryDoubleByteCode(kCodePageGbk, r);
    // GBK defines 21886 double-byte characters; the count guards against a loop that
    // checked nothing.
    EXPECT_GT(r.decoded, 21000);
    EXPECT_GT(r.undecodable, 0);
}

TEST(CodePageTest, EveryBig5DoubleByteCodeRoundTrips)
{
    RoundTrip r;
    checkEveryDoubleByteCode(kCodePageBig5, r);
    EXPECT_GT(r.decoded, 13000);
    EXPECT_EQ(r.twins, static_cast<int>(kBig5Twins.size()));
}

TEST(CodePageTest, SingleBytesDecodeAsIconvDoes)
{
    for (int cp : {kCodePageGbk, kCodePageBig5}) {
        Reference ref(cp);
        for (int b = 0x00; b <= 0xFF; ++b) {
            const std::string bytes(1, static_cast<char>(b));
            const auto expected = ref.decode(bytes);
            const std::u16string ours = DecodeCodePage(bytes, cp);
            if (expected)
                EXPECT_EQ(ours, *expected) << cp << ' ' << b;
            else
                EXPECT_EQ(ours, u"\uFFFD") << cp << ' ' << b;
        }
    }
}

TEST(CodePageTest, TruncatedInputEndsInOneReplacement)
{
    EXPECT_EQ(DecodeCodePage("ab\xC4", kCodePageGbk), u"ab\uFFFD");
    EXPECT_EQ(DecodeCodePage("\xC4\xE3\xBA", kCodePageGbk), u"\u4F60\uFFFD");
    EXPECT_EQ(DecodeCodePage("\xA7\x41\xA6", kCodePageBig5), u"\u4F60\uFFFD");
    EXPECT_EQ(DecodeCodePage("", kCodePageGbk), u"");
}

TEST(CodePageTest, AsciiAfterAStrayLeadByteSurvives)
{
    // In Big5 0x80-0xA0 are no trail bytes: the stray lead is one bad byte, the rest reads on.
    EXPECT_EQ(DecodeCodePage("\xA7\x90"
                             "0b",
                             kCodePageBig5),
              u"\uFFFD\uFFFD0b");
    EXPECT_EQ(DecodeCodePage("\xC4\x0A"
                             "x",
                             kCodePageGbk),
              u"\uFFFD\nx");
    EXPECT_EQ(DecodeCodePage(std::string("\xC4\0z", 3), kCodePageGbk),
              std::u16string(u"\uFFFD\0z", 3));
}

TEST(CodePageTest, GarbageNeverGrowsAndNeverCrashes)
{
    std::mt19937 rng(936950);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(rng() % 2000, '\0');
        for (char& c : bytes)
            c = static_cast<char>(rng());
        for (int cp : {kCodePageGbk, kCodePageBig5}) {
            const std::u16string text = DecodeCodePage(bytes, cp);
            EXPECT_LE(text.size(), bytes.size());
            EXPECT_GE(text.size(), bytes.size() / 2);
        }
    }
}

TEST(CodePageTest, LongTextCrossesTheConversionChunks)
{
    // Far more than one conversion chunk, with bad bytes at odd places among the characters.
    std::string bytes;
    std::u16string expected;
    for (int i = 0; i < 3000; ++i) {
        bytes += "\xC4\xE3";
        expected += u'\u4F60';
        if (i % 257 == 0) {
            bytes += "\xFF";
            expected += u'\uFFFD';
        }
        if (i % 5 == 0) {
            bytes += "a";
            expected += u'a';
        }
    }
    EXPECT_EQ(DecodeCodePage(bytes, kCodePageGbk), expected);
    const std::u16string clean(5000, u'\u4F60');
    EXPECT_EQ(DecodeCodePage(EncodeCodePage(clean, kCodePageGbk), kCodePageGbk), clean);
}

TEST(CodePageTest, CharactersTheCodePageLacksBecomeTheDefaultChar)
{
    bool usedDefault = false;
    EXPECT_EQ(EncodeCodePage(u"a\u0E01b", kCodePageGbk, &usedDefault), "a?b");
    EXPECT_TRUE(usedDefault);
    // One character outside the basic plane is one '?', not two.
    EXPECT_EQ(EncodeCodePage(u"x\U0001F600y", kCodePageBig5, &usedDefault), "x?y");
    EXPECT_TRUE(usedDefault);
    // Broken surrogates, in the middle and at the end.
    EXPECT_EQ(EncodeCodePage(std::u16string(u"a") + char16_t(0xDC00) + u"b", kCodePageGbk), "a?b");
    EXPECT_EQ(EncodeCodePage(std::u16string(u"a") + char16_t(0xD800), kCodePageGbk), "a?");
    EXPECT_EQ(EncodeCodePage(u"\u4F60", kCodePageGbk, &usedDefault), "\xC4\xE3");
    EXPECT_FALSE(usedDefault);
    EXPECT_EQ(EncodeCodePage(u"\u4F60", kCodePageBig5), "\xA7\x41");
}

TEST(CodePageTest, RepresentableDependsOnTheCodePage)
{
    EXPECT_TRUE(IsRepresentable(u"abc \u4F60", kCodePageGbk));
    EXPECT_TRUE(IsRepresentable(u"", kCodePageBig5));
    EXPECT_FALSE(IsRepresentable(u"\u0E01", kCodePageGbk));
    // Simplified 们 is GBK only; Traditional 們 is in both.
    EXPECT_TRUE(IsRepresentable(u"\u4EEC", kCodePageGbk));
    EXPECT_FALSE(IsRepresentable(u"\u4EEC", kCodePageBig5));
    EXPECT_TRUE(IsRepresentable(u"\u5011", kCodePageBig5));
}

TEST(CodePageTest, CutStopsBeforeALeadByteThatWouldBeSplit)
{
    EXPECT_EQ(CutLength("ab\xC4\xE3", 3, kCodePageGbk), 2u);
    EXPECT_EQ(CutLength("ab\xC4\xE3", 4, kCodePageGbk), 4u);
    EXPECT_EQ(CutLength("ab\xC4\xE3"
                        "c",
                        4, kCodePageGbk),
              4u);
    // The trail byte 0xE3 is in the lead-byte range too: only reading from the start tells
    // that the cut after it is whole.
    EXPECT_EQ(CutLength("\xC4\xE3\x41", 2, kCodePageGbk), 2u);
    EXPECT_EQ(CutLength("\xC4\xE3\xC4\xE3", 3, kCodePageGbk), 2u);
    EXPECT_EQ(CutLength("\xA7\x41\xA7\x41", 3, kCodePageBig5), 2u);
    EXPECT_EQ(CutLength("\xA7\x41\xA7\x41", 1, kCodePageBig5), 0u);
}

TEST(CodePageTest, CutKeepsWhatFits)
{
    EXPECT_EQ(CutLength("abc", 3, kCodePageGbk), 3u);
    EXPECT_EQ(CutLength("abc", 100, kCodePageGbk), 3u);
    EXPECT_EQ(CutLength("abc", 0, kCodePageGbk), 0u);
    EXPECT_EQ(CutLength("", 0, kCodePageGbk), 0u);
    // A text that fits is kept whole, even one ending in a stray lead byte.
    EXPECT_EQ(CutLength("ab\xC4", 3, kCodePageGbk), 3u);
}

TEST(CodePageTest, LeadBytesOfBothCodePages)
{
    for (int cp : {kCodePageGbk, kCodePageBig5}) {
        EXPECT_FALSE(IsLeadByte(0x41, cp));
        EXPECT_FALSE(IsLeadByte(0x80, cp));
        EXPECT_TRUE(IsLeadByte(0x81, cp));
        EXPECT_TRUE(IsLeadByte(0xFE, cp));
        EXPECT_FALSE(IsLeadByte(0xFF, cp));
    }
}

} // namespace
} // namespace kelvara

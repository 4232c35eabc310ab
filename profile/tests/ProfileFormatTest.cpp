// The byte form of profile files, in memory: the field table, the layouts saveProfile
// writes, and what the reader makes of every prefix form, including broken and early-ending input.

#include "ProfileTestSupport.h"

#include <functional>
#include <set>

namespace velmora::test {
namespace {

using namespace std::string_literals;

std::string zeros(std::size_t n)
{
    return std::string(n, '\0');
}

// UTF-16LE bytes of the given code units.
std::string units(std::initializer_list<unsigned> codeUnits)
{
    std::string bytes;
    for (const unsigned u : codeUnits) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

std::string repeatedUnit(unsigned unit, std::size_t count)
{
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i)
        bytes += units({unit});
    return bytes;
}

// ---- the table ----------------------------------------------------------------------------

TEST(ProfileFields, FollowTheFileOrder)
{
    SiteProfile p;
    // Position, field, control: the file order written out against the record's members.
    const std::vector<std::tuple<std::string_view, std::string*, int>> expected = {
        {"pageTitle", &p.pageTitle, 1006},
        {"homeHeading", &p.homeHeading, 1007},
        {"homeSubheading", &p.homeSubheading, 1092},
        {"companyName", &p.companyName, 1005},
        {"homeBody", &p.homeBody, 1008},
        {"picturePath", &p.picturePath, 1104},
        {"testimonialsHeading", &p.testimonialsHeading, 1012},
        {"testimonials[0]", &p.testimonials[0], 1085},
        {"testimonials[1]", &p.testimonials[1], 1086},
        {"testimonials[2]", &p.testimonials[2], 1087},
        {"testimonials[3]", &p.testimonials[3], 1088},
        {"testimonials[4]", &p.testimonials[4], 1089},
        {"testimonials[5]", &p.testimonials[5], 1090},
        {"faqHeading", &p.faqHeading, 1042},
        {"faqQuestions[0]", &p.faqQuestions[0], 1046},
        {"faqAnswers[0]", &p.faqAnswers[0], 1047},
        {"faqQuestions[1]", &p.faqQuestions[1], 1049},
        {"faqAnswers[1]", &p.faqAnswers[1], 1050},
        {"faqQuestions[2]", &p.faqQuestions[2], 1052},
        {"faqAnswers[2]", &p.faqAnswers[2], 1053},
        {"faqQuestions[3]", &p.faqQuestions[3], 1055},
        {"faqAnswers[3]", &p.faqAnswers[3], 1056},
        {"faqQuestions[4]", &p.faqQuestions[4], 1058},
        {"faqAnswers[4]", &p.faqAnswers[4], 1059},
        {"featuresHeading", &p.featuresHeading, 1023},
        {"featuresDescription", &p.featuresDescription, 1025},
        {"features[0]", &p.features[0], 1095},
        {"features[1]", &p.features[1], 1096},
        {"features[2]", &p.features[2], 1097},
        {"features[3]", &p.features[3], 1098},
        {"features[4]", &p.features[4], 1099},
        {"features[5]", &p.features[5], 1100},
        {"specialOffer", &p.specialOffer, 1038},
        {"companyDescription", &p.companyDescription, 1070},
        {"paymentLink", &p.paymentLink, 1080},
        {"aboutHeading1", &p.aboutHeading1, 1110},
        {"aboutHeading2", &p.aboutHeading2, 1114},
        {"aboutBody1", &p.aboutBody1, 1112},
        {"aboutBody2", &p.aboutBody2, 1116},
        {"productName", &p.productName, 1128},
        {"productDescription", &p.productDescription, 1130},
        {"price", &p.price, 1134},
        {"mailingAddress", &p.mailingAddress, 1132},
        {"siteUrl", &p.siteUrl, 1185},
    };
    ASSERT_EQ(profileFields.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [name, member, control] = expected[i];
        const ProfileField& field = profileFields[i];
        SCOPED_TRACE("position " + std::to_string(i + 1));
        EXPECT_EQ(field.name, name);
        EXPECT_EQ(field.control, control);
        EXPECT_EQ(&field.of(p), member);
        EXPECT_EQ(&field.of(static_cast<const SiteProfile&>(p)), member);
    }
}

TEST(ProfileFields, NamesControlsAndTextsAreDistinct)
{
    SiteProfile p;
    std::set<std::string_view> names;
    std::set<int> controls;
    std::set<const std::string*> texts;
    for (const ProfileField& field : profileFields) {
        names.insert(field.name);
        controls.insert(field.control);
        texts.insert(&field.of(p));
    }
    EXPECT_EQ(names.size(), 44u);
    EXPECT_EQ(controls.size(), 44u);
    EXPECT_EQ(texts.size(), 44u);
}

// ---- writing: byte layouts ----------------------------------------------------------------

struct LayoutCase {
    const char* name;
    std::function<void(SiteProfile&)> fill;
    std::string bytes;
};

std::string titleOf(std::size_t length, const std::string& prefix)
{
    return prefix + std::string(length, 'x') + zeros(43);
}

const LayoutCase kLayouts[] = {
    {"EmptyRecordIs44ZeroBytes", [](SiteProfile&) {}, zeros(44)},
    {"PicturePathAlone", [](SiteProfile& p) { p.picturePath = "C:\\Pictures\\widget.gif"; },
     zeros(5) + "\x16"s + "C:\\Pictures\\widget.gif" + zeros(38)},
    {"OneCharacter", [](SiteProfile& p) { p.pageTitle = "x"; }, titleOf(1, "\x01"s)},
    {"Length254OneBytePrefix", [](SiteProfile& p) { p.pageTitle.assign(254, 'x'); }, titleOf(254, "\xFE"s)},
    {"Length255SixteenBit", [](SiteProfile& p) { p.pageTitle.assign(255, 'x'); }, titleOf(255, "\xFF\xFF\x00"s)},
    {"Length256SixteenBit", [](SiteProfile& p) { p.pageTitle.assign(256, 'x'); }, titleOf(256, "\xFF\x00\x01"s)},
    {"Length65533SixteenBit", [](SiteProfile& p) { p.pageTitle.assign(65533, 'x'); },
     titleOf(65533, "\xFF\xFD\xFF"s)},
    {"Length65534ThirtyTwoBit", [](SiteProfile& p) { p.pageTitle.assign(65534, 'x'); },
     titleOf(65534, "\xFF\xFF\xFF\xFE\xFF\x00\x00"s)},
    {"Length65535ThirtyTwoBit", [](SiteProfile& p) { p.pageTitle.assign(65535, 'x'); },
     titleOf(65535, "\xFF\xFF\xFF\xFF\xFF\x00\x00"s)},
    {"Length70000ThirtyTwoBit", [](SiteProfile& p) { p.pageTitle.assign(70000, 'x'); },
     titleOf(70000, "\xFF\xFF\xFF\x70\x11\x01\x00"s)},
    {"CrLfKept", [](SiteProfile& p) { p.homeBody = "one\r\ntwo\r\n"; },
     zeros(4) + "\x0A"s + "one\r\ntwo\r\n" + zeros(39)},
    {"HighBytesAndZeroKept", [](SiteProfile& p) { p.companyName = "Caf\xE9 \x80\0!"s; },
     zeros(3) + "\x08"s + "Caf\xE9 \x80\0!"s + zeros(40)},
    {"AboutHeadingsBeforeBodies",
     [](SiteProfile& p) {
         p.aboutHeading1 = "H1";
         p.aboutBody1 = "B1";
         p.aboutHeading2 = "H2";
         p.aboutBody2 = "B2";
     },
     zeros(35) + "\x02"s + "H1" + "\x02"s + "H2" + "\x02"s + "B1" + "\x02"s + "B2" + zeros(5)},
    {"PriceBeforeMailingAddressThenSiteUrl",
     [](SiteProfile& p) {
         p.mailingAddress = "M";
         p.price = "9";
         p.siteUrl = "www.x";
     },
     zeros(41) + "\x01"s + "9" + "\x01"s + "M" + "\x05"s + "www.x"},
    {"OnlyTextsAreWritten",
     [](SiteProfile& p) {
         p.homeHeadingBold = true;
         p.hostingCustomer = true;
         p.homeBodyStyle = {"Arial", ColorText::fromValue(0x123456)};
         p.backgroundColor = ColorText::fromValue(0xFFFFFF);
         p.buttonSet = {'A', 'D'};
     },
     zeros(44)},
};

void PrintTo(const LayoutCase& c, std::ostream* os)
{
    *os << c.name;
}

class ProfileLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(ProfileLayout, EncodesToTheseBytes)
{
    SiteProfile p;
    GetParam().fill(p);
    const std::string bytes = encodeProfile(p);
    ASSERT_EQ(bytes.size(), GetParam().bytes.size());
    EXPECT_TRUE(bytes == GetParam().bytes);
}

TEST_P(ProfileLayout, DecodesBackToTheTexts)
{
    SiteProfile written;
    GetParam().fill(written);
    SiteProfile read = oldProfile();
    decodeProfile(read, GetParam().bytes);
    expectTexts(read, written);
    EXPECT_TRUE(sameNonTexts(read, oldProfile()));
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileLayout, testing::ValuesIn(kLayouts),
                         [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST(ProfileLengthPrefix, ThreeForms)
{
    EXPECT_EQ(encodeLengthPrefix(0), "\x00"s);
    EXPECT_EQ(encodeLengthPrefix(254), "\xFE"s);
    EXPECT_EQ(encodeLengthPrefix(255), "\xFF\xFF\x00"s);
    EXPECT_EQ(encodeLengthPrefix(65533), "\xFF\xFD\xFF"s);
    EXPECT_EQ(encodeLengthPrefix(65534), "\xFF\xFF\xFF\xFE\xFF\x00\x00"s);
    EXPECT_EQ(encodeLengthPrefix(0xFFFFFFFF), "\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s);
}

TEST(ProfileLengthPrefix, BeyondThirtyTwoBitsIsRefused)
{
    try {
        encodeLengthPrefix(0x100000000ULL);
        FAIL() << "no error";
    } catch (const ProfileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "A text of 4294967296 characters is longer than a profile file can hold (4294967295)");
    }
}

// ---- reading ------------------------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::string bytes;
    // Changes the "old" record into the one expected after the load.
    std::function<void(SiteProfile&)> expect;
    bool pastEnd = false;
};

void allEmpty(SiteProfile& p)
{
    for (const ProfileField& field : profileFields)
        field.of(p).clear();
}

// The first `count` fields empty, the rest keeping their old texts.
std::function<void(SiteProfile&)> firstEmpty(std::size_t count)
{
    return [count](SiteProfile& p) {
        for (std::size_t i = 0; i < count; ++i)
            profileFields[i].of(p).clear();
    };
}

const ReadCase kReads[] = {
    {"FortyFourZeroBytes", zeros(44), allEmpty},
    {"ExtraBytesAfterTheLastStringIgnored", zeros(43) + "\x02"s + "ok" + "\xFF\xFF\xFF\xFF\x05trailing"s,
     [](SiteProfile& p) {
         allEmpty(p);
         p.siteUrl = "ok";
     }},
    {"SixteenBitFormForAShortText", "\xFF\x03\x00"s + "abc" + zeros(43),
     [](SiteProfile& p) {
         allEmpty(p);
         p.pageTitle = "abc";
     }},
    {"ThirtyTwoBitFormForAShortText", "\xFF\xFF\xFF\x03\x00\x00\x00"s + "abc" + zeros(43),
     [](SiteProfile& p) {
         allEmpty(p);
         p.pageTitle = "abc";
     }},
    {"WideTextConvertedToWindows1252", "\xFF\xFE\xFF\x04"s + units({'A', 0xE9, 0x20AC, 0x0081}) + zeros(43),
     [](SiteProfile& p) {
         allEmpty(p);
         p.pageTitle = "A\xE9\x80\x81";
     }},
    {"WideCrLfKept", "\xFF\xFE\xFF\x04"s + units({'a', '\r', '\n', 'b'}) + zeros(43),
     [](SiteProfile& p) {
         allEmpty(p);
         p.pageTitle = "a\r\nb";
     }},
    {"WideZeroUnitKept", "\xFF\xFE\xFF\x02"s + units({0, 'z'}) + zeros(43),
     [](SiteProfile& p) {
         allEmpty(p);
         p.pageTitle = "\0z"s;
     }},
    {"WideCharacterOutsideCodePageIsQuestionMark",
     "\xFF\xFE\xFF\x05"s + units({0x0100, 'x', 0x0080, 0x4E2D, 0xFFFF}) + zeros(43),
     [](SiteProfile& p) {
         allEmpty(p);
         p.pageTitle = "?x???";
     }},
    {"WideSurrogatePairIsOneQuestionMark", "\xFF\xFE\xFF\x04"s + units({'a', 0xD83D, 0xDE00, 'b'}) + zeros(43),
     [](SiteProfile& p) {
         allEmpty(p);
         p.pageTitle = "a?b";
     }},
    {"WideLoneSurrogatesAreQuestionMarks",
     "\xFF\xFE\xFF\x06"s + units({0xDC00, 'a', 0xD800, 'b', 0xD800, 0xD800}) + zeros(43),
     [](SiteProfile& p) {
         allEmpty(p);
         p.pageTitle = "?a?b??";
     }},
    // The reader converts 2048 units at a time: a pair split across two of them is still one '?'.
    {"WideSurrogatePairAcrossTheReadersChunks",
     zeros(43) + "\xFF\xFE\xFF\xFF\x02\x08"s + repeatedUnit('a', 2047) + units({0xD83D, 0xDE00, 'b'}),
     [](SiteProfile& p) {
         allEmpty(p);
         p.siteUrl = std::string(2047, 'a') + "?b";
     }},
    {"WideLoneHighSurrogateEndingAChunk",
     zeros(43) + "\xFF\xFE\xFF\xFF\x01\x08"s + repeatedUnit('a', 2047) + units({0xD83D, 'b'}),
     [](SiteProfile& p) {
         allEmpty(p);
         p.siteUrl = std::string(2047, 'a') + "?b";
     }},
    {"WideEmpty", "\xFF\xFE\xFF\x00"s + zeros(43),
     [](SiteProfile& p) { allEmpty(p); }},
    {"WideSixteenBitCount", zeros(43) + "\xFF\xFE\xFF\xFF\x2C\x01"s + repeatedUnit('w', 300),
     [](SiteProfile& p) {
         allEmpty(p);
         p.siteUrl.assign(300, 'w');
     }},
    {"WideThirtyTwoBitCount", zeros(43) + "\xFF\xFE\xFF\xFF\xFF\xFF\x00\x00\x01\x00"s + repeatedUnit(0xE9, 65536),
     [](SiteProfile& p) {
         allEmpty(p);
         p.siteUrl.assign(65536, '\xE9');
     }},
    // In the second prefix 0xFFFE is a plain 16-bit length, not a second marker.
    {"WideCountFFFEIsALength", zeros(43) + "\xFF\xFE\xFF\xFF\xFE\xFF"s + repeatedUnit('v', 65534),
     [](SiteProfile& p) {
         allEmpty(p);
         p.siteUrl.assign(65534, 'v');
     }},
    {"WideAndNarrowMixed", "\xFF\xFE\xFF\x01"s + units({'W'}) + "\x01N"s + "\xFF\xFE\xFF\x01"s + units({'w'}) + zeros(41),
     [](SiteProfile& p) {
         allEmpty(p);
         p.pageTitle = "W";
         p.homeHeading = "N";
         p.homeSubheading = "w";
     }},

    // Files that end early: the complete strings are in, the rest keep their old texts.
    {"EmptyFile", "", [](SiteProfile&) {}, true},
    {"OneStringShort", zeros(43), firstEmpty(43), true},
    {"PrefixCutInTheSixteenBitNumber", zeros(43) + "\xFF\x01"s, firstEmpty(43), true},
    {"PrefixCutInTheThirtyTwoBitNumber", zeros(10) + "\xFF\xFF\xFF\x01\x00"s, firstEmpty(10), true},
    {"LengthPastTheEnd", "\x01T"s + "\x05" + "abc", [](SiteProfile& p) { p.pageTitle = "T"; }, true},
    {"FourGigabyteLengthInFiftyBytes", ("\x01T"s + "\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s + std::string(41, 'x')),
     [](SiteProfile& p) { p.pageTitle = "T"; }, true},
    {"SixteenBitLengthPastTheEnd", zeros(20) + "\xFF\x00\x10"s + std::string(4095, 'x'), firstEmpty(20), true},
    {"WideMarkerCut", zeros(5) + "\xFF\xFE"s, firstEmpty(5), true},
    {"WideMarkerThenNothing", zeros(5) + "\xFF\xFE\xFF"s, firstEmpty(5), true},
    {"WideOddByteCount", zeros(5) + "\xFF\xFE\xFF\x01"s + "A", firstEmpty(5), true},
    {"WideCountPastTheEnd", zeros(5) + "\xFF\xFE\xFF\x05"s + units({'a', 'b', 'c', 'd'}), firstEmpty(5), true},
    {"WideFourGigabyteCount", zeros(5) + "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s + std::string(30, 'x'),
     firstEmpty(5), true},
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.name;
}

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, LoadsWhatTheBytesHold)
{
    const ReadCase& c = GetParam();
    SiteProfile expected = oldProfile();
    c.expect(expected);
    SiteProfile p = oldProfile();
    if (c.pastEnd) {
        try {
            decodeProfile(p, c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const ProfileError& error) {
            EXPECT_EQ(std::string(error.what()), kPastEnd);
        }
    } else {
        EXPECT_NO_THROW(decodeProfile(p, c.bytes));
    }
    expectTexts(p, expected);
    EXPECT_TRUE(sameNonTexts(p, oldProfile())) << "styles, colours, buttonSet or flags changed";
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRead, testing::ValuesIn(kReads),
                         [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// ---- round trips --------------------------------------------------------------------------

TEST(ProfileRoundTrip, AllFortyFourDistinctTexts)
{
    const SiteProfile written = distinctProfile();
    SiteProfile read = oldProfile();
    decodeProfile(read, encodeProfile(written));
    expectTexts(read, written);
    EXPECT_TRUE(sameNonTexts(read, oldProfile()));
}

TEST(ProfileRoundTrip, EveryPrefixBoundary)
{
    SiteProfile written;
    const std::size_t lengths[] = {0, 1, 254, 255, 256, 65533, 65534, 65535, 65536, 100000};
    std::size_t i = 0;
    for (const ProfileField& field : profileFields) {
        const std::size_t length = lengths[i % std::size(lengths)];
        field.of(written).assign(length, static_cast<char>('a' + i % 26));
        ++i;
    }
    SiteProfile read = oldProfile();
    decodeProfile(read, encodeProfile(written));
    expectTexts(read, written);
}

// Any prefix of a valid file loads the complete strings it holds and then stops at the end.
TEST(ProfileRoundTrip, EveryTruncationStopsWithThePastEndError)
{
    SiteProfile written;
    int i = 0;
    for (const ProfileField& field : profileFields)
        field.of(written) = std::string(static_cast<std::size_t>(i++ % 3), 'a');
    written.homeBody.assign(300, 'b');
    const std::string bytes = encodeProfile(written);
    const SiteProfile old = oldProfile();
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        SiteProfile read = old;
        try {
            decodeProfile(read, std::string_view(bytes).substr(0, cut));
            ADD_FAILURE() << "cut at " << cut << ": no error";
        } catch (const ProfileError& error) {
            ASSERT_EQ(std::string(error.what()), kPastEnd) << "cut at " << cut;
        }
        // Fields whose strings end within the cut hold the written text, the others their old one.
        std::size_t offset = 0;
        for (const ProfileField& field : profileFields) {
            const std::string& text = field.of(written);
            offset += encodeLengthPrefix(text.size()).size() + text.size();
            const std::string& expected = offset <= cut ? text : field.of(old);
            ASSERT_EQ(field.of(read), expected) << "cut at " << cut << ", " << field.name;
        }
    }
}

} // namespace
} // namespace velmora::test

#include "model/Cp1252.h"
#include "model/SiteProfile.h"
#include "model/StateJson.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ColorText, StoresTheTenCharacterTextAndReadsItBackAsRgb)
{
    struct Case {
        std::uint32_t bgr;
        const char* stored;
        const char* html;
    };
    const Case cases[] = {
        {0x00AA7755, "0X00AA7755", "5577AA"},
        {0x000000FF, "0X000000FF", "FF0000"},
        {0x00FFFFFF, "0X00FFFFFF", "FFFFFF"},
        {0x00000000, "0X00000000", "000000"},
        {0x00010203, "0X00010203", "030201"},
    };
    for (const Case& c : cases) {
        const ColorText color = ColorText::fromValue(c.bgr);
        EXPECT_EQ(color.text(), c.stored);
        EXPECT_EQ(color.htmlHex(), c.html) << c.stored;
    }
    EXPECT_EQ(ColorText().htmlHex(), "");
}

TEST(ColorText, RecognisesOnlyTheStoredForm)
{
    for (const char* good : {"", "0X00AA7755", "0XFFFFFFFF"})
        EXPECT_TRUE(ColorText::isStoredForm(good)) << good;
    for (const char* bad : {"0x00AA7755", "0X00aa7755", "0X00AA775", "#5577AA", "0X00AA7755 ", "0X00GG7755"})
        EXPECT_FALSE(ColorText::isStoredForm(bad)) << bad;
}

TEST(SiteProfile, StartsEmpty)
{
    const SiteProfile fresh;
    EXPECT_TRUE(fresh.companyName.empty());
    EXPECT_TRUE(fresh.testimonials[5].empty());
    EXPECT_FALSE(fresh.hostingCustomer);
    EXPECT_TRUE(fresh.orderStyle.faceName.empty());
    EXPECT_TRUE(fresh.orderStyle.textColor.empty());
    EXPECT_TRUE(fresh.navLinkColor.empty());
    EXPECT_EQ(fresh.buttonSet.templateChoice, '\0');
    EXPECT_EQ(fresh.buttonSet.buttonChoice, '\0');
}

TEST(Cp1252, EveryByteSurvivesARoundTripThroughUtf8)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const auto back = cp1252::fromUtf8(cp1252::toUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Cp1252, MapsTheHighCharactersAndRefusesWhatItCannotHold)
{
    EXPECT_EQ(cp1252::fromUtf8("\u20AC \u00E9 \u2122"), std::string("\x80 \xE9 \x99"));
    EXPECT_EQ(cp1252::toUtf8("\x80\x96"), "\u20AC\u2013");

    cp1252::DecodeError error{};
    EXPECT_FALSE(cp1252::fromUtf8("ab\u03A9", &error));
    EXPECT_EQ(error.offset, 2u);
    EXPECT_EQ(error.codePoint, U'\u03A9');
    for (const char* illFormed : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xFF"})
        EXPECT_FALSE(cp1252::fromUtf8(illFormed)) << illFormed;
}

TEST(StateJson, PrintsEveryFieldAndReadsItBack)
{
    SiteProfile profile;
    profile.companyName = "Caf\xE9 \x80 & Co";
    profile.homeBody = "one\r\ntwo";
    profile.testimonials[3] = "fourth";
    profile.faqAnswers[4] = "last answer";
    profile.homeHeadingItalic = true;
    profile.faqStyle = {"Verdana", ColorText::fromValue(0x00AA7755)};
    profile.navBarColor = ColorText::fromValue(0);
    profile.buttonSet = {'B', 'D'};

    const std::string json = stateToJson(profile);
    EXPECT_NE(json.find("\"companyName\": \"Caf\u00E9 \u20AC & Co\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"textColor\": \"0X00AA7755\""), std::string::npos);
    EXPECT_LT(json.find("\"price\""), json.find("\"picturePath\""));
    EXPECT_LT(json.find("\"picturePath\""), json.find("\"testimonials\""));
    EXPECT_LT(json.find("\"navLinkColor\""), json.find("\"buttonSet\""));

    SiteProfile back;
    applyStateJson(back, json);
    EXPECT_EQ(back, profile);
}

TEST(StateJson, MissingKeysKeepTheRecordAndColoursMayBeGivenAsRgb)
{
    SiteProfile profile;
    profile.price = "9.95";
    applyStateJson(profile, R"({"companyName": "Acme", "backgroundColor": "#5577aa",
                                "orderStyle": {"textColor": "#FF0000"}})");
    EXPECT_EQ(profile.price, "9.95");
    EXPECT_EQ(profile.companyName, "Acme");
    EXPECT_EQ(profile.backgroundColor.text(), "0X00AA7755");
    EXPECT_EQ(profile.orderStyle.textColor.text(), "0X000000FF");
    EXPECT_EQ(profile.orderStyle.faceName, "");
}

TEST(StateJson, RejectsBadStatesNamingTheProblemAndChangingNothing)
{
    struct Case {
        const char* json;
        const char* message;
    };
    const Case cases[] = {
        {"{", "not valid JSON"},
        {"[]", "the state must be one JSON object"},
        {R"({"companyname": "x"})", "\"companyname\": unknown key"},
        {R"({"price": 9.95})", "\"price\": must be a string"},
        {R"({"testimonials": ["a", "b"]})", "\"testimonials\": must be an array of 6 strings"},
        {R"({"faqQuestions": ["a", "b", "c", "d", 5]})", "\"faqQuestions[4]\": must be a string"},
        {R"({"hostingCustomer": "yes"})", "\"hostingCustomer\": must be true or false"},
        {R"({"navBarColor": "0x00AA7755"})", "\"navBarColor\": must be"},
        {R"({"faqStyle": {"faceName": "Arial", "size": 10}})", "\"faqStyle.size\": unknown key"},
        {R"({"buttonSet": {"templateChoice": "D"}})", "\"buttonSet.templateChoice\": must be"},
        {R"({"buttonSet": {"buttonChoice": "AB"}})", "\"buttonSet.buttonChoice\": must be"},
        {R"({"companyName": "Acme \u03A9"})", "\"companyName\": character U+03A9 cannot be held in Windows-1252"},
    };
    for (const Case& c : cases) {
        SiteProfile profile;
        profile.companyName = "kept";
        try {
            applyStateJson(profile, c.json);
            ADD_FAILURE() << "accepted " << c.json;
        } catch (const StateError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_EQ(profile.companyName, "kept") << c.json;
    }
}

TEST(StateJson, AnErrorLateInTheObjectLeavesEarlierKeysUnapplied)
{
    SiteProfile profile;
    EXPECT_THROW(applyStateJson(profile, R"({"companyName": "new", "price": 1})"), StateError);
    EXPECT_EQ(profile.companyName, "");
}

} // namespace
} // namespace velmora

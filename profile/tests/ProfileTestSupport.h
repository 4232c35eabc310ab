#pragma once

#include "profile/ProfileFile.h"
#include "testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::test {

inline const std::string kPastEnd = "An attempt was made to access an unnamed file past its end.";

inline std::filesystem::path dataFile(const char* name)
{
    return std::filesystem::path(VELMORA_SOURCE_DIR) / "profile/tests/data" / name;
}

// A record whose every text is "old <name>" and whose other fields are all set, so that a
// load that changes a field it should not (or fails to change one it should) shows.
inline SiteProfile oldProfile()
{
    SiteProfile p;
    for (const ProfileField& field : profileFields)
        field.of(p) = "old " + std::string(field.name);
    p.homeHeadingBold = true;
    p.homeHeadingUnderline = true;
    p.hostingCustomer = true;
    p.homeBodyStyle = {"Arial", ColorText::fromValue(0x00AA7755)};
    p.faqStyle = {"Verdana", ColorText::fromValue(0)};
    p.orderStyle = {"Georgia", ColorText::fromValue(0x000000FF)};
    p.backgroundColor = ColorText::fromValue(0x00FFFFFF);
    p.navBarColor = ColorText::fromValue(0x00123456);
    p.navLinkColor = ColorText::fromValue(0x00654321);
    p.buttonSet = {'B', 'D'};
    return p;
}

// 44 distinct texts with CR LF pairs, high Windows-1252 bytes and a zero byte.
inline SiteProfile distinctProfile()
{
    SiteProfile p;
    int i = 0;
    for (const ProfileField& field : profileFields) {
        std::string text = std::string(field.name) + "\r\nsecond line \x80\x81\x9F\xA0\xE9\xFF #" + std::to_string(i);
        if (i % 7 == 0)
            text += std::string(1, '\0') + "after zero";
        if (i == 10)
            text += std::string(300, 'L'); // a 16-bit length
        field.of(p) = text;
        ++i;
    }
    return p;
}

// Everything but the 44 texts.
inline bool sameNonTexts(const SiteProfile& a, const SiteProfile& b)
{
    SiteProfile x = a;
    SiteProfile y = b;
    for (const ProfileField& field : profileFields) {
        field.of(x).clear();
        field.of(y).clear();
    }
    return x == y;
}

inline void expectTexts(const SiteProfile& actual, const SiteProfile& expected)
{
    for (const ProfileField& field : profileFields) {
        const std::string& a = field.of(actual);
        const std::string& e = field.of(expected);
        if (a.size() > 200 || e.size() > 200) {
            EXPECT_TRUE(a == e) << field.name << ": sizes " << a.size() << " and " << e.size();
        } else {
            EXPECT_EQ(a, e) << field.name;
        }
    }
}

} // namespace velmora::test

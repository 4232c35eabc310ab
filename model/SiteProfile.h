#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace velmora {

// A colour held as the text "%#8.8X" makes of a 0x00BBGGRR value ("0X00AA7755");
// empty while no colour was chosen.
class ColorText {
public:
    ColorText() = default;
    static ColorText fromValue(std::uint32_t bgr);
    // Takes a stored text as is; callers check its form first (see isStoredForm).
    static ColorText fromStored(std::string text);
    static bool isStoredForm(const std::string& text);

    const std::string& text() const { return text_; }
    bool empty() const { return text_.empty(); }
    // RRGGBB in upper-case hexadecimal, or "" for a colour never chosen.
    std::string htmlHex() const;

    friend bool operator==(const ColorText&, const ColorText&) = default;

private:
    explicit ColorText(std::string text) : text_(std::move(text)) {}
    std::string text_;
};

// The look of one section's text: all that is kept of a font-picker answer.
struct TextStyle {
    std::string faceName;
    ColorText textColor;

    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// Navigation style: letters picked in the two style lists; '\0' means none picked yet.
struct ButtonSet {
    char templateChoice = '\0'; // 'A', 'B', 'C': ready-made designs
    char buttonChoice = '\0';   // 'A', 'B', 'C': picture sets; 'D': text links

    friend bool operator==(const ButtonSet&, const ButtonSet&) = default;
};

// Everything the user supplies for the site. Texts are Windows-1252 bytes with CR LF line
// breaks, held exactly as typed.
struct SiteProfile {
    std::string companyName;
    std::string pageTitle;
    std::string homeHeading;
    std::string homeSubheading;
    std::string homeBody;
    std::string testimonialsHeading;
    std::array<std::string, 6> testimonials;
    std::string featuresHeading;
    std::string featuresDescription;
    std::array<std::string, 6> features;
    std::string specialOffer;
    std::string faqHeading;
    std::array<std::string, 5> faqQuestions;
    std::array<std::string, 5> faqAnswers;
    std::string companyDescription;
    std::string paymentLink;
    std::string aboutHeading1;
    std::string aboutBody1;
    std::string aboutHeading2;
    std::string aboutBody2;
    std::string siteUrl;
    std::string productName;
    std::string productDescription;
    std::string mailingAddress;
    std::string price;

    std::string picturePath;

    bool homeHeadingBold = false;
    bool homeHeadingItalic = false;
    bool homeHeadingUnderline = false;
    bool hostingCustomer = false;

    TextStyle homeBodyStyle;
    TextStyle testimonialsStyle;
    TextStyle featuresStyle;
    TextStyle faqStyle;
    TextStyle aboutStyle;
    TextStyle orderStyle;

    ColorText backgroundColor;
    ColorText navBarColor;
    ColorText navLinkColor;

    ButtonSet buttonSet;

    friend bool operator==(const SiteProfile&, const SiteProfile&) = default;
};

} // namespace velmora

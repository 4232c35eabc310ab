#pragma once

#include "model/SiteProfile.h"

#include <array>
#include <string>
#include <string_view>

namespace velmora {

// One text of the record: its name ("pageTitle", "testimonials[0]"; list entries count from 0
// as in the record), the wizard's edit control that shows it, and where it lives in the
// record. Entries of the three text lists also name their list and place in it.
struct TextField {
    std::string_view name;
    int control;
    std::string& (*text)(SiteProfile&);
    const std::string& (*constText)(const SiteProfile&);
    std::string_view list = {}; // "testimonials", "features", "faqQuestions", "faqAnswers"
    int index = -1;

    std::string& of(SiteProfile& profile) const { return text(profile); }
    const std::string& of(const SiteProfile& profile) const { return constText(profile); }
};

namespace detail {

template <auto Member>
std::string& textOf(SiteProfile& p) { return p.*Member; }
template <auto Member>
const std::string& constTextOf(const SiteProfile& p) { return p.*Member; }
template <auto Member, std::size_t Index>
std::string& entryOf(SiteProfile& p) { return (p.*Member)[Index]; }
template <auto Member, std::size_t Index>
const std::string& constEntryOf(const SiteProfile& p) { return (p.*Member)[Index]; }

template <auto Member>
constexpr TextField text(std::string_view name, int control)
{
    return {name, control, &textOf<Member>, &constTextOf<Member>};
}
template <auto Member, std::size_t Index>
constexpr TextField entry(std::string_view list, std::string_view name, int control)
{
    return {name, control, &entryOf<Member, Index>, &constEntryOf<Member, Index>, list, static_cast<int>(Index)};
}

} // namespace detail

// The record's 44 texts (the 43 edit texts and picturePath), in the record's order. The state
// JSON, the profile file's order and the wizard's edit boxes all go through this one table.
inline constexpr std::array<TextField, 44> textFields = {{
    detail::text<&SiteProfile::companyName>("companyName", 1005),
    detail::text<&SiteProfile::pageTitle>("pageTitle", 1006),
    detail::text<&SiteProfile::homeHeading>("homeHeading", 1007),
    detail::text<&SiteProfile::homeSubheading>("homeSubheading", 1092),
    detail::text<&SiteProfile::homeBody>("homeBody", 1008),
    detail::text<&SiteProfile::testimonialsHeading>("testimonialsHeading", 1012),
    detail::entry<&SiteProfile::testimonials, 0>("testimonials", "testimonials[0]", 1085),
    detail::entry<&SiteProfile::testimonials, 1>("testimonials", "testimonials[1]", 1086),
    detail::entry<&SiteProfile::testimonials, 2>("testimonials", "testimonials[2]", 1087),
    detail::entry<&SiteProfile::testimonials, 3>("testimonials", "testimonials[3]", 1088),
    detail::entry<&SiteProfile::testimonials, 4>("testimonials", "testimonials[4]", 1089),
    detail::entry<&SiteProfile::testimonials, 5>("testimonials", "testimonials[5]", 1090),
    detail::text<&SiteProfile::featuresHeading>("featuresHeading", 1023),
    detail::text<&SiteProfile::featuresDescription>("featuresDescription", 1025),
    detail::entry<&SiteProfile::features, 0>("features", "features[0]", 1095),
    detail::entry<&SiteProfile::features, 1>("features", "features[1]", 1096),
    detail::entry<&SiteProfile::features, 2>("features", "features[2]", 1097),
    detail::entry<&SiteProfile::features, 3>("features", "features[3]", 1098),
    detail::entry<&SiteProfile::features, 4>("features", "features[4]", 1099),
    detail::entry<&SiteProfile::features, 5>("features", "features[5]", 1100),
    detail::text<&SiteProfile::specialOffer>("specialOffer", 1038),
    detail::text<&SiteProfile::faqHeading>("faqHeading", 1042),
    detail::entry<&SiteProfile::faqQuestions, 0>("faqQuestions", "faqQuestions[0]", 1046),
    detail::entry<&SiteProfile::faqQuestions, 1>("faqQuestions", "faqQuestions[1]", 1049),
    detail::entry<&SiteProfile::faqQuestions, 2>("faqQuestions", "faqQuestions[2]", 1052),
    detail::entry<&SiteProfile::faqQuestions, 3>("faqQuestions", "faqQuestions[3]", 1055),
    detail::entry<&SiteProfile::faqQuestions, 4>("faqQuestions", "faqQuestions[4]", 1058),
    detail::entry<&SiteProfile::faqAnswers, 0>("faqAnswers", "faqAnswers[0]", 1047),
    detail::entry<&SiteProfile::faqAnswers, 1>("faqAnswers", "faqAnswers[1]", 1050),
    detail::entry<&SiteProfile::faqAnswers, 2>("faqAnswers", "faqAnswers[2]", 1053),
    detail::entry<&SiteProfile::faqAnswers, 3>("faqAnswers", "faqAnswers[3]", 1056),
    detail::entry<&SiteProfile::faqAnswers, 4>("faqAnswers", "faqAnswers[4]", 1059),
    detail::text<&SiteProfile::companyDescription>("companyDescription", 1070),
    detail::text<&SiteProfile::paymentLink>("paymentLink", 1080),
    detail::text<&SiteProfile::aboutHeading1>("aboutHeading1", 1110),
    detail::text<&SiteProfile::aboutBody1>("aboutBody1", 1112),
    detail::text<&SiteProfile::aboutHeading2>("aboutHeading2", 1114),
    detail::text<&SiteProfile::aboutBody2>("aboutBody2", 1116),
    detail::text<&SiteProfile::siteUrl>("siteUrl", 1185),
    detail::text<&SiteProfile::productName>("productName", 1128),
    detail::text<&SiteProfile::productDescription>("productDescription", 1130),
    detail::text<&SiteProfile::mailingAddress>("mailingAddress", 1132),
    detail::text<&SiteProfile::price>("price", 1134),
    detail::text<&SiteProfile::picturePath>("picturePath", 1104),
}};

// The place in textFields of the field an edit control shows, or -1.
constexpr int textFieldIndexOfControl(int control)
{
    for (std::size_t i = 0; i < textFields.size(); ++i) {
        if (textFields[i].control == control)
            return static_cast<int>(i);
    }
    return -1;
}

// The field an edit control shows, or nullptr.
inline const TextField* textFieldOfControl(int control)
{
    const int index = textFieldIndexOfControl(control);
    return index < 0 ? nullptr : &textFields[static_cast<std::size_t>(index)];
}

// The fields in the order of `controls`; every id must name a field (checked at compile time
// where the result is constexpr).
template <std::size_t N>
constexpr std::array<TextField, N> textFieldsInOrder(const std::array<int, N>& controls)
{
    std::array<TextField, N> fields{};
    for (std::size_t i = 0; i < N; ++i) {
        const int index = textFieldIndexOfControl(controls[i]);
        if (index < 0)
            throw "no text field shows this control"; // not a constant expression: a build error
        fields[i] = textFields[static_cast<std::size_t>(index)];
    }
    return fields;
}

} // namespace velmora

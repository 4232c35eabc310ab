#include "ui/MainTemplate.h"

#include <vector>

namespace velmora::ui {
namespace {

using platform::ControlSpec;
using enum platform::ControlKind;

// A multi-line edit box: Enter starts a new line, a vertical scroll bar.
constexpr unsigned kMulti = platform::MultiLine | platform::VScroll;
// A multi-line box whose Enter presses CREATE; Ctrl+Enter starts a new line.
constexpr unsigned kMultiNoEnter = platform::MultiLine | platform::EnterNotTaken;

// Outside the pages: the tab control first, so the pages' controls lie above it.
constexpr ControlSpec kFrame[] = {
    {id::tabs, TabControl, {7, 7, 353, 225}, ""},
    {id::create, PushButton, {370, 9, 50, 14}, "CREATE", platform::DefaultButton},
    {id::preview, PushButton, {370, 26, 50, 14}, "PREVIEW"},
    {id::promote, PushButton, {370, 42, 50, 14}, "PROMOTE"},
    {id::upload, PushButton, {370, 58, 50, 14}, "Upload"},
    {id::webHostAdvice, PushButton, {370, 105, 50, 32}, "What Should I Do With My Web Site?", platform::MultiLine},
    {id::saveProfile, PushButton, {369, 176, 50, 14}, "Save Profile"},
    {id::loadProfile, PushButton, {370, 193, 50, 14}, "Load Profile"},
    {id::exit, PushButton, {370, 210, 50, 14}, "EXIT"},
};

constexpr ControlSpec kWelcome[] = {
    {1198, Picture, {25, 24, 323, 184}, "", 0, ":/pictures/137"},
    {1202, Picture, {200, 212, 111, 13}, "", 0, ":/pictures/140"},
    {id::next, PushButton, {312, 211, 39, 15}, "Next  >>"},
};

constexpr ControlSpec kAnatomy[] = {
    {1200, Picture, {14, 27, 223, 196}, "", 0, ":/pictures/139"},
    {1201, Text, {250, 62, 94, 112},
     "This is a skeleton of how your page will look once you create it.  You will notice that there are "
     "pointers describing the different fields that you will be entering.  So you can always use this as a "
     "reference as you go along."},
};

constexpr ControlSpec kStyles[] = {
    {1117, Text, {56, 34, 263, 34},
     "To get you started, we would like you to choose the style for your web page.  You can either choose "
     "one of our custom templates or you can try your hand at designing them yourself."},
    {id::templateList, ListView, {24, 77, 169, 73}, ""},
    {1119, Text, {212, 87, 124, 25}, "Choose from one of our three styles             OR                ",
     platform::Centered},
    {1121, Text, {217, 104, 94, 20}, "Select your own button styles and colors.", platform::Centered},
    {id::buttonList, ListView, {24, 156, 169, 51}, ""},
    {1123, PushButton, {225, 156, 100, 12}, "Background Color"},
    {1124, PushButton, {225, 174, 100, 13}, "Navigation Bar Color"},
    {1125, PushButton, {225, 193, 100, 14}, "Navigation Link Color"},
};

constexpr ControlSpec kHome[] = {
    {1001, Label, {36, 37, 58, 13}, "Company Name"},
    {1005, Edit, {99, 37, 163, 13}, ""},
    {1002, Label, {36, 52, 58, 13}, "Title"},
    {1006, Edit, {99, 52, 163, 13}, ""},
    {1003, Label, {36, 69, 58, 12}, "Heading"},
    {1007, Edit, {99, 69, 163, 12}, ""},
    {id::headingBold, CheckBox, {99, 86, 37, 8}, "Bold"},
    {id::headingItalic, CheckBox, {160, 86, 40, 8}, "Italic"},
    {id::headingUnderline, CheckBox, {219, 86, 43, 8}, "Underline"},
    {1091, Label, {36, 108, 58, 12}, "Subheading"},
    {1092, Edit, {99, 106, 163, 12}, "", kMultiNoEnter},
    {1004, Label, {36, 123, 58, 13}, "Body"},
    {1008, Edit, {99, 125, 163, 63}, "", kMulti},
    {1010, PushButton, {99, 193, 163, 14}, "Body Font And Color"},
};

constexpr ControlSpec kTestimonials[] = {
    {1011, Text, {24, 37, 50, 13}, "Heading", platform::Centered},
    {1012, Edit, {94, 37, 181, 13}, ""},
    {1082, GroupBox, {24, 53, 317, 150}, "Testimonials"},
    {1083, Text, {36, 69, 144, 10}, "Example:  This product is great!"},
    {1084, Text, {196, 62, 142, 23},
     "Example:  \"A great product - our sales doubled in a month!\""},
    {1085, Edit, {36, 91, 144, 30}, "", kMulti},
    {1086, Edit, {197, 91, 139, 30}, "", kMulti},
    {1087, Edit, {36, 125, 144, 31}, "", kMulti},
    {1088, Edit, {197, 125, 139, 31}, "", kMulti},
    {1089, Edit, {36, 162, 144, 31}, "", kMulti},
    {1090, Edit, {197, 162, 139, 31}, "", kMulti},
    {1021, PushButton, {96, 207, 181, 13}, "Testimonials Font And Color"},
};

constexpr ControlSpec kPictures[] = {
    {1101, Text, {24, 57, 136, 47},
     "You can insert pictures of your products here.  Please note that the pictures will be displayed as "
     "the exact size of the image to the right.  Please try to make your images 120x104 pixels.  "
     "Otherwise, they will shrink or stretch to this size.",
     platform::Centered},
    {1102, Picture, {180, 47, 156, 87}, "", 0, ":/pictures/133"},
    {id::picturePath, Edit, {87, 172, 188, 14}, ""},
    {id::browse, PushButton, {116, 193, 134, 14}, "Browse"},
};

constexpr ControlSpec kFeatures[] = {
    {1022, Label, {36, 34, 58, 13}, "Heading"},
    {1023, Edit, {99, 34, 163, 13}, ""},
    {1024, Label, {30, 51, 64, 13}, "Product Description"},
    {1025, Edit, {99, 51, 163, 25}, "", kMulti},
    {1093, GroupBox, {24, 77, 312, 99}, "Special Features"},
    {1095, Edit, {36, 87, 144, 26}, "", kMulti},
    {1096, Edit, {186, 87, 139, 26}, "", kMulti},
    {1097, Edit, {36, 114, 144, 28}, "", kMulti},
    {1098, Edit, {186, 115, 139, 28}, "", kMulti},
    {1099, Edit, {36, 144, 144, 24}, "", kMulti},
    {1100, Edit, {186, 144, 139, 24}, "", kMulti},
    {1037, Label, {24, 180, 70, 12}, "Special Offer"},
    {1038, Edit, {99, 180, 163, 24}, "", kMulti},
    {1036, PushButton, {99, 210, 163, 12}, "Features Font And Color"},
};

constexpr ControlSpec kFaq[] = {
    {1039, Label, {14, 37, 55, 13}, "Heading"},
    {1042, Edit, {74, 37, 126, 13}, "", kMultiNoEnter},
    {1136, PushButton, {212, 37, 124, 14}, "Faq Font And Color"},
    {1040, Label, {14, 57, 55, 15}, "Example"},
    {1043, Text, {74, 57, 126, 15}, "How is the software delivered ?"},
    {1044, Text, {212, 57, 124, 15}, "The software is delivered electronically."},
    {1045, Label, {14, 81, 55, 13}, "FAQ 1"},
    {1046, Edit, {74, 81, 126, 13}, ""},
    {1047, Edit, {212, 72, 124, 24}, "", kMulti},
    {1048, Label, {14, 109, 55, 12}, "FAQ 2"},
    {1049, Edit, {74, 109, 126, 13}, ""},
    {1050, Edit, {212, 98, 124, 25}, "", kMulti},
    {1051, Label, {14, 137, 55, 12}, "FAQ 3"},
    {1052, Edit, {74, 137, 126, 12}, ""},
    {1053, Edit, {212, 127, 124, 27}, "", kMulti},
    {1054, Label, {14, 167, 55, 13}, "FAQ 4"},
    {1055, Edit, {74, 167, 126, 13}, ""},
    {1056, Edit, {212, 157, 124, 26}, "", kMulti},
    {1057, Label, {14, 196, 55, 12}, "FAQ 5"},
    {1058, Edit, {74, 197, 126, 12}, ""},
    {1059, Edit, {212, 186, 124, 26}, "", kMulti},
};

constexpr ControlSpec kAbout[] = {
    {1069, Label, {36, 37, 58, 19}, "Company Description"},
    {1070, Edit, {99, 28, 163, 32}, "", kMulti},
    {1108, GroupBox, {35, 74, 144, 103}, "Heading 1"},
    {1109, Text, {41, 92, 50, 12}, "Heading"},
    {1110, Edit, {42, 105, 127, 12}, ""},
    {1111, Text, {41, 118, 39, 8}, "Body"},
    {1112, Edit, {41, 132, 130, 38}, "", kMulti},
    {1107, GroupBox, {187, 74, 144, 103}, "Heading 2"},
    {1113, Text, {193, 92, 42, 13}, "Heading"},
    {1114, Edit, {195, 105, 130, 13}, ""},
    {1115, Text, {193, 120, 32, 10}, "Body"},
    {1116, Edit, {195, 132, 129, 38}, "", kMulti},
    {1079, Label, {36, 187, 58, 13}, "Payment link"},
    {1080, Edit, {99, 187, 163, 13}, ""},
    {1081, PushButton, {99, 207, 163, 13}, "Body Font And Color"},
};

constexpr ControlSpec kOrder[] = {
    {id::hostingCustomer, CheckBox, {99, 26, 212, 13}, "I am a web hosting customer of our partner web host"},
    {1184, Text, {36, 47, 63, 15}, "Enter Your URL"},
    {id::siteUrl, Edit, {99, 47, 163, 15}, ""},
    {1127, Label, {36, 67, 58, 13}, "Name of Product"},
    {1128, Edit, {99, 67, 163, 15}, ""},
    {1129, Label, {24, 88, 70, 14}, "Product Description"},
    {1130, Edit, {99, 88, 163, 14}, "", platform::NoHScroll},
    {1131, Text, {24, 110, 70, 13}, "Mailing Address"},
    {1132, Edit, {99, 109, 163, 29}, "", kMulti},
    {1133, Label, {36, 150, 58, 11}, "Price (in $)"},
    {1134, Edit, {99, 150, 68, 14}, ""},
    {1135, PushButton, {99, 194, 163, 14}, "Font And Color"},
};

constexpr int kOrderOfKeys[] = {
    1,    2,    1005, 1006, 1007, 1092, 1008, 1010, 1012, 1085, 1086, 1087, 1088, 1089, 1090, 1021, 1023,
    1025, 1095, 1096, 1097, 1098, 1099, 1100, 1038, 1036, 1042, 1046, 1047, 1049, 1050, 1052, 1053, 1055,
    1056, 1058, 1059, 1063, 1065, 1067, 1070, 1110, 1112, 1114, 1116, 1080, 1081, 1104, 1105, 1118, 1122,
    1123, 1124, 1125, 1128, 1130, 1132, 1134, 1135, 1136, 1165, 1166, 1167, 1183, 1185, 1187, 1188, 1196,
    1199,
};

std::vector<ControlSpec> allControls()
{
    std::vector<ControlSpec> controls(std::begin(kFrame), std::end(kFrame));
    for (int page = 0; page < kPageCount; ++page) {
        for (ControlSpec control : kWizardPages[page].controls) {
            if (page != 0)
                control.style |= platform::Hidden;
            controls.push_back(control);
        }
    }
    return controls;
}

} // namespace

const std::array<WizardPage, kPageCount> kWizardPages = {{
    {"Welcome", 1198, kWelcome},
    {"Anatomy", 1200, kAnatomy},
    {"Styles", 1117, kStyles},
    {"Home", 1001, kHome},
    {"Testimonials", 1011, kTestimonials},
    {"Pictures", 1101, kPictures},
    {"Features", 1022, kFeatures},
    {"FAQ", 1039, kFaq},
    {"About", 1108, kAbout},
    {"Order", 1183, kOrder},
}};

const std::span<const int> kKeyboardOrder = kOrderOfKeys;

const std::array<StyleListSpec, 2> kStyleLists = {{
    {id::templateList, "Custom Templates", 100, ":/pictures/129", "ABC"},
    {id::buttonList, "Custom Buttons", 90, ":/pictures/130", "ABCD"},
}};

const platform::DialogTemplate& mainTemplate()
{
    static const std::vector<ControlSpec> controls = allControls();
    static const platform::DialogTemplate dialog{102, "Drennic Velmora Business Edition", 425, 239, controls};
    return dialog;
}

} // namespace velmora::ui

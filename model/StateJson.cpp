#include "model/StateJson.h"

#include "base/CharClass.h"
#include "model/Cp1252.h"
#include "model/TextFields.h"

#include <nlohmann/json.hpp>

#include <vector>
#include <variant>

namespace velmora {
namespace {

using Json = nlohmann::ordered_json;

struct ButtonSetTag {};

// One of the three text lists, as the entries of the table of texts that belong to it.
struct TextList {
    std::string_view name;
    std::vector<const TextField*> entries;
};

using FieldRef = std::variant<const TextField*, TextList, bool SiteProfile::*, TextStyle SiteProfile::*,
                              ColorText SiteProfile::*, ButtonSetTag>;

struct Field {
    std::string_view name;
    FieldRef ref;
};

// Every key of the state object, in the order the printed state lists them: the single texts
// in the record's order, then the text lists, then the choices made with the pickers.
const std::vector<Field>& stateFields()
{
    static const std::vector<Field> fields = [] {
        std::vector<Field> all;
        std::vector<TextList> lists;
        for (const TextField& text : textFields) {
            if (text.list.empty()) {
                all.push_back({text.name, &text});
                continue;
            }
            if (lists.empty() || lists.back().name != text.list)
                lists.push_back({text.list, {}});
            lists.back().entries.push_back(&text);
        }
        for (TextList& list : lists)
            all.push_back({list.name, std::move(list)});
        const Field choices[] = {
            {"homeHeadingBold", &SiteProfile::homeHeadingBold},
            {"homeHeadingItalic", &SiteProfile::homeHeadingItalic},
            {"homeHeadingUnderline", &SiteProfile::homeHeadingUnderline},
            {"hostingCustomer", &SiteProfile::hostingCustomer},
            {"homeBodyStyle", &SiteProfile::homeBodyStyle},
            {"testimonialsStyle", &SiteProfile::testimonialsStyle},
            {"featuresStyle", &SiteProfile::featuresStyle},
            {"faqStyle", &SiteProfile::faqStyle},
            {"aboutStyle", &SiteProfile::aboutStyle},
            {"orderStyle", &SiteProfile::orderStyle},
            {"backgroundColor", &SiteProfile::backgroundColor},
            {"navBarColor", &SiteProfile::navBarColor},
            {"navLinkColor", &SiteProfile::navLinkColor},
            {"buttonSet", ButtonSetTag{}},
        };
        all.insert(all.end(), std::begin(choices), std::end(choices));
        return all;
    }();
    return fields;
}

[[noreturn]] void fail(const std::string& where, const std::string& problem)
{
    throw StateError("\"" + where + "\": " + problem);
}

std::string readText(const Json& value, const std::string& where)
{
    if (!value.is_string())
        fail(where, "must be a string");
    cp1252::DecodeError error{};
    auto text = cp1252::fromUtf8(value.get_ref<const std::string&>(), &error);
    if (!text) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(error.codePoint));
        fail(where, std::string("character ") + hex + " cannot be held in Windows-1252");
    }
    return *text;
}

bool isHex(const std::string& s, std::size_t from)
{
    for (std::size_t i = from; i < s.size(); ++i) {
        if (!chars::isHexDigit(s[i]))
            return false;
    }
    return true;
}

ColorText readColor(const Json& value, const std::string& where)
{
    if (!value.is_string())
        fail(where, "must be a colour text");
    const std::string& text = value.get_ref<const std::string&>();
    if (ColorText::isStoredForm(text))
        return ColorText::fromStored(text);
    if (text.size() == 7 && text[0] == '#' && isHex(text, 1)) {
        const auto rgb = static_cast<std::uint32_t>(std::stoul(text.substr(1), nullptr, 16));
        const std::uint32_t bgr = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
        return ColorText::fromValue(bgr);
    }
    fail(where, "must be \"\", \"0X\" and 8 upper-case hex digits, or \"#RRGGBB\"");
}

TextStyle readStyle(const Json& value, const std::string& where)
{
    if (!value.is_object())
        fail(where, "must be an object with \"faceName\" and \"textColor\"");
    TextStyle style;
    for (const auto& [key, member] : value.items()) {
        if (key == "faceName")
            style.faceName = readText(member, where + "." + key);
        else if (key == "textColor")
            style.textColor = readColor(member, where + "." + key);
        else
            fail(where + "." + key, "unknown key");
    }
    return style;
}

char readLetter(const Json& value, const std::string& where, std::string_view allowed)
{
    const std::string options = allowed == "ABC" ? "\"\", \"A\", \"B\" or \"C\"" : "\"\", \"A\", \"B\", \"C\" or \"D\"";
    if (!value.is_string())
        fail(where, "must be " + options);
    const std::string& text = value.get_ref<const std::string&>();
    if (text.empty())
        return '\0';
    if (text.size() != 1 || allowed.find(text[0]) == std::string_view::npos)
        fail(where, "must be " + options);
    return text[0];
}

ButtonSet readButtonSet(const Json& value, const std::string& where)
{
    if (!value.is_object())
        fail(where, "must be an object with \"templateChoice\" and \"buttonChoice\"");
    ButtonSet set;
    for (const auto& [key, member] : value.items()) {
        if (key == "templateChoice")
            set.templateChoice = readLetter(member, where + "." + key, "ABC");
        else if (key == "buttonChoice")
            set.buttonChoice = readLetter(member, where + "." + key, "ABCD");
        else
            fail(where + "." + key, "unknown key");
    }
    return set;
}

struct Reader {
    SiteProfile& profile;
    const Json& value;
    const std::string& name;

    void operator()(const TextField* text) const { text->of(profile) = readText(value, name); }
    void operator()(const TextList& list) const
    {
        if (!value.is_array() || value.size() != list.entries.size())
            fail(name, "must be an array of " + std::to_string(list.entries.size()) + " strings");
        for (std::size_t i = 0; i < list.entries.size(); ++i)
            list.entries[i]->of(profile) = readText(value[i], std::string(list.entries[i]->name));
    }
    void operator()(bool SiteProfile::*member) const
    {
        if (!value.is_boolean())
            fail(name, "must be true or false");
        profile.*member = value.get<bool>();
    }
    void operator()(TextStyle SiteProfile::*member) const { profile.*member = readStyle(value, name); }
    void operator()(ColorText SiteProfile::*member) const { profile.*member = readColor(value, name); }
    void operator()(ButtonSetTag) const { profile.buttonSet = readButtonSet(value, name); }
};

std::string letter(char c)
{
    return c ? std::string(1, c) : std::string();
}

struct Writer {
    const SiteProfile& profile;

    Json operator()(const TextField* text) const { return cp1252::toUtf8(text->of(profile)); }
    Json operator()(const TextList& list) const
    {
        Json array = Json::array();
        for (const TextField* entry : list.entries)
            array.push_back(cp1252::toUtf8(entry->of(profile)));
        return array;
    }
    Json operator()(bool SiteProfile::*member) const { return profile.*member; }
    Json operator()(TextStyle SiteProfile::*member) const
    {
        const TextStyle& style = profile.*member;
        return Json{{"faceName", cp1252::toUtf8(style.faceName)}, {"textColor", style.textColor.text()}};
    }
    Json operator()(ColorText SiteProfile::*member) const { return (profile.*member).text(); }
    Json operator()(ButtonSetTag) const
    {
        return Json{{"templateChoice", letter(profile.buttonSet.templateChoice)},
                    {"buttonChoice", letter(profile.buttonSet.buttonChoice)}};
    }
};

} // namespace

void applyStateJson(SiteProfile& profile, std::string_view json)
{
    Json root;
    try {
        root = Json::parse(json);
    } catch (const Json::parse_error& e) {
        throw StateError(std::string("not valid JSON: ") + e.what());
    }
    if (!root.is_object())
        throw StateError("the state must be one JSON object");

    SiteProfile filled = profile;
    for (const auto& [key, value] : root.items()) {
        const Field* field = nullptr;
        for (const Field& f : stateFields()) {
            if (key == f.name)
                field = &f;
        }
        if (!field)
            fail(key, "unknown key");
        std::visit(Reader{filled, value, key}, field->ref);
    }
    profile = std::move(filled);
}

std::string stateToJson(const SiteProfile& profile)
{
    Json root = Json::object();
    for (const Field& field : stateFields())
        root[std::string(field.name)] = std::visit(Writer{profile}, field.ref);
    return root.dump(2) + "\n";
}

} // namespace velmora

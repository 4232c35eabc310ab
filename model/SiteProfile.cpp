#include "model/SiteProfile.h"

#include "base/CharClass.h"

#include <cstdio>

namespace velmora {

ColorText ColorText::fromValue(std::uint32_t bgr)
{
    char text[16];
    std::snprintf(text, sizeof text, "%#8.8X", bgr);
    // "%#X" leaves out the prefix for zero; the stored form always has it.
    if (bgr == 0)
        return ColorText("0X00000000");
    return ColorText(text);
}

ColorText ColorText::fromStored(std::string text)
{
    return ColorText(std::move(text));
}

bool ColorText::isStoredForm(const std::string& text)
{
    if (text.empty())
        return true;
    if (text.size() != 10 || text[0] != '0' || text[1] != 'X')
        return false;
    for (std::size_t i = 2; i < text.size(); ++i) {
        if (!chars::isUpperHexDigit(text[i]))
            return false;
    }
    return true;
}

std::string ColorText::htmlHex() const
{
    if (text_.size() < 10)
        return {};
    return {text_[8], text_[9], text_[6], text_[7], text_[4], text_[5]};
}

} // namespace velmora

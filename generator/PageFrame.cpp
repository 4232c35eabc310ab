#include "generator/PageFrame.h"

#include "base/CharClass.h"

#include <algorithm>

namespace velmora {
namespace {

// How the top of the frame differs from page to page; lines are numbered as in the home page.
struct FrameVariant {
    const char* headOpen;       // lines 1-2
    const char* title;          // line 3; nullptr takes the user's page title
    bool bodyAndDivJoined;      // lines 7 and 8 on one line
    const char* rowIndent;      // before lines 10, 11 and 23
    bool fixedBannerBorder;     // line 12 borders the banner in #5577AA
    const char* bannerClose;    // lines 16-17
    bool closeNavCell;          // line 25
    const char* contentOpenEnd; // end of line 27
    int spacers;                // spacer paragraphs of the bottom
};

const FrameVariant& variant(FramedPage page)
{
    static const FrameVariant kVariants[] = {
        // Home
        {"<html><head>", nullptr, false, "", true, "</table>\n</center></div></td>", true, "<br>", 9},
        // Testimonials
        {"<html>\n<head>", "<title>Testimonials</title>", false, " ", false, "</table>\n </center></div></td>", true,
         "<br>", 8},
        // Freq
        {"<html>\n<head>", "<title>Frequently Asked Questions</title>", false, "", false,
         "</table></center></div></td>", true, "<br></font>", 7},
        // Features
        {"<html>\n<head>", "<title>Features</title>", true, "", false, "</table></center></div></td>", true, "<br>",
         9},
        // About
        {"<html>\n<head>", "<title>About the Company</title>", false, "", false, "</table>\n</center></div></td>",
         false, "<br></font>", 9},
    };
    return kVariants[static_cast<int>(page)];
}

constexpr const char* kMetaType = "<meta http-equiv=Content-Type content=text/html; charset=iso-8859-1>";
constexpr const char* kMetaGenerator = "<meta name=GENERATOR content=Microsoft FrontPage 3.0>\n"
                                       "<meta name=Microsoft Border content=none>\n"
                                       "</head>";
constexpr const char* kSpacerParagraph = "<p align=left><font face=Arial><small>&nbsp;</small></font></p>";
constexpr const char* kBottomLines = "<p align=left>&nbsp;</td>\n"
                                     "</tr>\n"
                                     "</table>\n"
                                     "</div>\n"
                                     "</body>\n"
                                     "</html>";

struct NavEntry {
    const char* page;    // the page linked
    const char* alt;     // the picture's alternative text
    const char* caption; // the text link's caption
    std::string PageStyle::*image;
};

// The navigation column, top to bottom; the last entry is the order page.
const NavEntry kNavEntries[] = {
    {"index.html", "HOME", "Home", &PageStyle::homeImage},
    {"testimonials.html", "TESTIMONIALS", "Testimonials", &PageStyle::testimonialsImage},
    {"features.html", "FEATURES", "Features", &PageStyle::featuresImage},
    {"freq.html", "FAQ", "FAQ", &PageStyle::faqImage},
    {"about.html", "COMPANY", "About", &PageStyle::aboutImage},
    {"order.html", "ORDER", "Order", &PageStyle::orderImage},
};

const char* pictureSize(char navKind)
{
    switch (navKind) {
    case 'A': return "WIDTH=95 HEIGHT=27";
    case 'B': return "WIDTH=101 HEIGHT=30";
    default: return "WIDTH=82 HEIGHT=23";
    }
}

} // namespace

void writeBreakingAtCR(PageWriter& w, std::string_view text, std::string_view breakTag)
{
    for (const char c : text) {
        if (c == '\r') {
            w.write(breakTag);
            w.endLine();
        } else {
            w.put(c);
        }
    }
}

void writeFaceName(PageWriter& w, std::string_view face)
{
    const auto plain = [](char c) { return chars::isLetterOrDigit(c) || c == '-'; };
    if (std::all_of(face.begin(), face.end(), plain)) {
        w.write(face);
        return;
    }
    // A face of several words ("DejaVu Sans") would otherwise end at its first blank.
    writeQuotedAttribute(w, face);
}

void writeQuotedAttribute(PageWriter& w, std::string_view text)
{
    w.put('"');
    for (const char c : text) {
        if (c == '&')
            w.write("&amp;");
        else if (c == '"')
            w.write("&quot;");
        else
            w.put(c);
    }
    w.put('"');
}

void writeStyleOpen(PageWriter& w, const TextStyle& style)
{
    w.write("<font face=");
    writeFaceName(w, style.faceName);
    w.write(" color=#").write(style.textColor.htmlHex());
}

void writeBannerHeading(PageWriter& w, const PageContext& context)
{
    const std::string& name = context.profile.companyName;
    const std::string& bar = context.style.barColor;
    w.write("<td><p align=center><strong><big><big><font face=Arial color=").write(bar).write("><big>");
    if (!name.empty())
        w.put(name[0]);
    w.write("</big></font>");
    w.write("<font face=Arial color=").write(context.style.accentColor).write(">");
    for (std::size_t i = 1; i < name.size();) {
        if (name[i] == ' ') {
            w.write("<font color=").write(bar).write(" face=Arial><big>");
            if (i + 1 < name.size())
                w.put(name[i + 1]);
            w.write("</big></font>");
            i += 2;
        } else {
            w.put(name[i]);
            i += 1;
        }
    }
}

void writeNavigation(PageWriter& w, const PageContext& context, OrderLink orderLink)
{
    for (const NavEntry& entry : kNavEntries) {
        w.write("<a href = ");
        const bool isOrder = entry.image == &PageStyle::orderImage;
        if (isOrder && orderLink == OrderLink::ByHosting && context.profile.hostingCustomer)
            w.write("https://").write(context.secureHost).write("/").write(context.siteStem).write("/");
        w.write(entry.page);
        if (context.navKind) {
            w.write("><img src=").write(context.style.*entry.image).write(" alt=").write(entry.alt);
            w.write(" border=0 ").write(pictureSize(context.navKind)).write("></a>");
        } else {
            w.write("><font face = Arial color =").write(context.style.linkColor).write(">");
            w.write(entry.caption).write("</a><br>");
        }
        w.endLine();
    }
}

void writePageTop(PageWriter& w, FramedPage page, const PageContext& context)
{
    const FrameVariant& v = variant(page);
    const PageStyle& style = context.style;

    w.writeLine(v.headOpen);
    w.writeLine(kMetaType);
    if (v.title)
        w.writeLine(v.title);
    else
        w.write("<title>").write(context.profile.pageTitle).write("</title>").endLine();
    w.writeLine(kMetaGenerator);
    w.write("<body topmargin=0 leftmargin=0 bgcolor=").write(style.pageColor).write(" marginheight=0 marginwidth=0>");
    if (!v.bodyAndDivJoined)
        w.endLine();
    w.writeLine("<div align=left>\n"
                  "<table border=0 cellpadding=0 cellspacing=0 width=550 marginheight=0 marginwidth=0>");
    w.write(v.rowIndent).write("<tr>").endLine();
    w.write(v.rowIndent).write("<td width=129 bgcolor=").write(style.barColor).write(">&nbsp; <p>&nbsp;</td>").endLine();
    w.write("<td width=421 bgcolor=").write(style.pageColor);
    w.write(">&nbsp;<div align=center><center><table border=2 cellpadding=2 bordercolor=");
    w.write(v.fixedBannerBorder ? "#5577AA " : style.barColor).write(">").endLine();
    w.writeLine("<tr>");
    writeBannerHeading(w, context);
    w.writeLine("</font></big></big></strong></td>\n"
                  "</tr>");
    w.writeLine(v.bannerClose);
    w.writeLine("</tr>\n"
                  "</table>\n"
                  "</div><div align=left>\n"
                  "<table border=0 cellpadding=0 cellspacing=0 width=550>\n"
                  "<tr>");
    w.write(v.rowIndent).write("<td width=129 bgcolor=").write(style.barColor);
    w.write(" valign=top><p align=center><br>").endLine();
    writeNavigation(w, context, OrderLink::ByHosting);
    if (v.closeNavCell)
        w.writeLine("</td>");
    w.write("<td width=20 bgcolor=").write(style.pageColor).write(" valign=top></td>").endLine();
    w.write("<td width=400 bgcolor=").write(style.pageColor);
    w.write(" valign=top><p align=left><strong><font face=Arial color=#2E527A>").write(v.contentOpenEnd).endLine();
}

void writePageBottom(PageWriter& w, FramedPage page)
{
    for (int i = 0; i < variant(page).spacers; ++i)
        w.write(kSpacerParagraph);
    w.writeLine(kBottomLines);
}

} // namespace velmora

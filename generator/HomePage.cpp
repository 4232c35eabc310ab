#include "generator/Pages.h"

namespace velmora {
namespace {

struct Emphasis {
    bool SiteProfile::*flag;
    const char* open;
    const char* close;
};

constexpr Emphasis kEmphasis[] = {
    {&SiteProfile::homeHeadingBold, "<B>", "</B>"},
    {&SiteProfile::homeHeadingItalic, "<I>", "</I>"},
    {&SiteProfile::homeHeadingUnderline, "<U>", "</U>"},
};

} // namespace

void writeHomePage(PageWriter& w, const PageContext& context)
{
    const SiteProfile& p = context.profile;
    writePageTop(w, FramedPage::Home, context);

    for (const Emphasis& e : kEmphasis) {
        if (p.*e.flag)
            w.writeLine(e.open);
    }
    w.write("</font><font face=Arial color=").write(context.style.accentColor).write(" ><big>");
    w.write(p.homeHeading).write("</big></font></strong></p>").endLine();
    for (const Emphasis& e : kEmphasis) {
        if (p.*e.flag)
            w.writeLine(e.close);
    }

    w.write("<p align=left>");
    writeStyleOpen(w, p.homeBodyStyle);
    w.write("><strong><small>").write(p.homeSubheading).write("</small></strong><br>").endLine();

    if (!p.picturePath.empty())
        w.write("<img src=mainpic alt=picture align=right WIDTH=120 HEIGHT=104>");

    // Each CR of the body ends a paragraph line; its LF still follows as a line of its own.
    writeBreakingAtCR(w, p.homeBody, "<br></p>");
    w.writeLine("</font></p>");

    writePageBottom(w, FramedPage::Home);
}

} // namespace velmora

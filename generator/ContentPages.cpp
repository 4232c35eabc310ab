#include "generator/Pages.h"

namespace velmora {
namespace {

void writeHeading(PageWriter& w, const PageContext& context, std::string_view lead, std::string_view heading)
{
    w.write(lead).write("<font face=Arial color=").write(context.style.accentColor).write("><big>");
    w.write(heading).write("</big></font></strong></p>").endLine();
}

} // namespace

void writeTestimonialsPage(PageWriter& w, const PageContext& context)
{
    const SiteProfile& p = context.profile;
    writePageTop(w, FramedPage::Testimonials, context);
    writeHeading(w, context, "</font>", p.testimonialsHeading);
    // Odd entries are the bold lead lines, even entries the texts that follow them.
    for (std::size_t i = 0; i < p.testimonials.size(); i += 2) {
        w.write("<p align=left>");
        writeStyleOpen(w, p.testimonialsStyle);
        w.write("><strong><small>").write(p.testimonials[i]).write("</small></strong><br>").endLine();
        w.write("<small>").write(p.testimonials[i + 1]).write("</small></font></p>").endLine();
    }
    writePageBottom(w, FramedPage::Testimonials);
}

void writeFaqPage(PageWriter& w, const PageContext& context)
{
    const SiteProfile& p = context.profile;
    writePageTop(w, FramedPage::Freq, context);
    writeHeading(w, context, "", p.faqHeading);
    for (std::size_t i = 0; i < p.faqQuestions.size(); ++i) {
        w.write("<p align=left>");
        writeStyleOpen(w, p.faqStyle);
        w.write("><strong><small>").write(p.faqQuestions[i]).write("</small></strong>").endLine();
        w.write("<br><small>").write(p.faqAnswers[i]).write("</small></font></p>").endLine();
    }
    writePageBottom(w, FramedPage::Freq);
}

void writeFeaturesPage(PageWriter& w, const PageContext& context)
{
    const SiteProfile& p = context.profile;
    writePageTop(w, FramedPage::Features, context);
    writeHeading(w, context, "</font>", p.featuresHeading);
    w.write("<p align=left><font face=Arial><strong><small>").write(p.featuresDescription);
    w.write("</small></strong>").endLine();
    w.writeLine("<ul>");
    for (const std::string& feature : p.features) {
        w.write("<li><p align=left>");
        writeStyleOpen(w, p.featuresStyle);
        w.write(">").write(feature).write("</font></p>").endLine();
        w.writeLine("</li>");
    }
    w.writeLine("</ul><p align=left><strong><font face=Arial><br>\n"
                  "<big>Special Offer</big></font></strong></p>");
    w.write("<p align=left>");
    writeStyleOpen(w, p.featuresStyle);
    w.write("><small>").write(p.specialOffer).write("</small></font></p>").endLine();
    writePageBottom(w, FramedPage::Features);
}

void writeAboutPage(PageWriter& w, const PageContext& context)
{
    const SiteProfile& p = context.profile;
    const TextStyle& style = p.aboutStyle;
    writePageTop(w, FramedPage::About, context);
    writeHeading(w, context, "", "About the Company");
    w.write("<p align=left>");
    writeStyleOpen(w, style);
    w.write("><strong>").write(p.companyDescription).write("</strong>").endLine();
    // The two sections and the spacers of the bottom share one line.
    const std::pair<const std::string*, const std::string*> sections[] = {
        {&p.aboutHeading1, &p.aboutBody1},
        {&p.aboutHeading2, &p.aboutBody2},
    };
    for (const auto& [heading, body] : sections) {
        w.write("<p align=left><strong>");
        writeStyleOpen(w, style);
        w.write("><small>").write(*heading).write("</small></font></strong></p>");
        w.write("<p align=left>");
        writeStyleOpen(w, style);
        w.write("><small>").write(*body).write("</small></font></p>");
    }
    writePageBottom(w, FramedPage::About);
}

} // namespace velmora

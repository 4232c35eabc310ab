#include "generator/CreateSite.h"

#include "generator/Probe.h"

#include <memory>
#include <span>
#include <system_error>

namespace velmora {
namespace {

struct PictureCopy {
    const char* source;
    const char* destination;
};

// The navigation pictures of each set, in copy order, with the names the pages use for them.
const PictureCopy kSetA[] = {
    {"order.gif", "order.gif"},       {"company.gif", "company.gif"}, {"faq.gif", "faq.gif"},
    {"features.gif", "features.gif"}, {"home.gif", "home.gif"},       {"ordernow.gif", "ordernow.gif"},
    {"testimonials.gif", "testimonials.gif"},
};
const PictureCopy kSetB[] = {
    {"faq2.gif", "faq.gif"},           {"home2.gif", "home.gif"},   {"features2.gif", "features.gif"},
    {"about2.gif", "about.gif"},       {"ordernow2.gif", "ordernow.gif"}, {"order2.gif", "order.gif"},
    {"testimonials2.gif", "testimonials.gif"},
};
const PictureCopy kSetC[] = {
    {"faq3.gif", "faq.gif"},           {"home3.gif", "home.gif"},   {"features3.gif", "features.gif"},
    {"about3.gif", "about.gif"},       {"order3.gif", "order.gif"}, {"ordernow3.gif", "ordernow.gif"},
    {"testimonials3.gif", "testimonials.gif"},
};

std::span<const PictureCopy> picturesOf(char set)
{
    switch (set) {
    case 'A': return kSetA;
    case 'B': return kSetB;
    case 'C': return kSetC;
    default: return {};
    }
}

// Copies a picture over an older copy; a failure is noted and the run goes on.
void copyPicture(const std::filesystem::path& from, const std::filesystem::path& to, std::vector<FileFailure>& failures)
{
    std::error_code error;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    if (error)
        failures.push_back({to, "could not copy " + from.string() + ": " + error.message()});
}

} // namespace

GeneratorState& processGeneratorState()
{
    static GeneratorState state;
    return state;
}

CreateReport CreateSite(SiteProfile& profile, const CreateSteps& steps, GeneratorState& state)
{
    CreateReport report;
    const char set = imageSet(profile.buttonSet);
    if (steps.copyPictures) {
        for (const PictureCopy& copy : picturesOf(set))
            copyPicture(steps.pictureFolder / copy.source, steps.outputFolder / copy.destination, report.failures);
    }

    std::vector<std::unique_ptr<PageWriter>> pages;
    for (const char* name : OutputDir::kPageFiles)
        pages.push_back(std::make_unique<PageWriter>(steps.outputFolder / name));
    PageWriter& index = *pages[0];
    PageWriter& testimonials = *pages[1];
    PageWriter& freq = *pages[2];
    PageWriter& features = *pages[3];
    PageWriter& about = *pages[4];
    PageWriter& order = *pages[5];
    PageWriter& salesSlip = *pages[6];

    if (steps.copyEdits)
        steps.copyEdits(profile);
    const std::string stem = siteStem(profile.siteUrl);
    resolvePageStyle(state.pageStyle, profile);
    if (profile.hostingCustomer)
        state.secureHost = probe(profile.siteUrl);

    const PageContext context{profile, state.pageStyle, set, state.secureHost, stem};
    std::vector<FileFailure> pictureFailures;
    writeHomePage(index, context);
    if (steps.copyPictures && !profile.picturePath.empty())
        copyPicture(profile.picturePath, steps.outputFolder / "mainpic", pictureFailures);
    writeTestimonialsPage(testimonials, context);
    writeFaqPage(freq, context);
    writeFeaturesPage(features, context);
    writeAboutPage(about, context);
    if (profile.hostingCustomer)
        writeSalesSlip(salesSlip, state.secureHost, stem);
    writeOrderPage(order, context);
    for (const auto& page : pages)
        page->flush();

    for (const auto& page : pages) {
        if (page->failed())
            report.failures.push_back({page->path(), "could not write the page: " + page->error()});
    }
    report.failures.insert(report.failures.end(), pictureFailures.begin(), pictureFailures.end());

    if (report.ok()) {
        if (steps.congratulate)
            steps.congratulate();
    } else if (steps.reportFailures) {
        steps.reportFailures(report.failures);
    }

    // Closed last to first, after the user has seen the outcome.
    for (auto page = pages.rbegin(); page != pages.rend(); ++page) {
        const bool failedBefore = (*page)->failed();
        (*page)->close();
        if (!failedBefore && (*page)->failed())
            report.failures.push_back({(*page)->path(), "could not write the page: " + (*page)->error()});
    }
    return report;
}

} // namespace velmora

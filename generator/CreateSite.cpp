#include "generator/CreateSite.h"

#include "base/AtomicReplace.h"
#include "generator/Probe.h"

#include <cstring>
#include <memory>
#include <span>

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
// A template of set B or C names its About button "about.gif"; when set A's pictures are
// copied for it (buttons A), its About picture goes under that name too.
const PictureCopy kSetAAboutForTemplate = {"company.gif", "about.gif"};

std::span<const PictureCopy> picturesOf(char set)
{
    switch (set) {
    case 'A': return kSetA;
    case 'B': return kSetB;
    case 'C': return kSetC;
    default: return {};
    }
}

// Copies a picture over an older copy, which stays whole when the copy fails; a failure is
// noted and the run goes on.
void copyPicture(const std::filesystem::path& from, const std::filesystem::path& to, std::vector<FileFailure>& failures)
{
    if (const int error = copyFileReplacing(from, to))
        failures.push_back({to, "could not copy " + from.string() + ": " + std::strerror(error)});
}

std::string lookupWarning(const ProbeResult& lookup)
{
    if (lookup.found())
        return {};
    return "The secure server could not be found: " + lookup.problem + ". The order pages name " +
           lookup.secureHost + ", where orders cannot arrive.";
}

} // namespace

GeneratorState& processGeneratorState()
{
    static GeneratorState state;
    return state;
}

std::vector<std::string> CreateReport::problemLines() const
{
    std::vector<std::string> lines;
    for (const FileFailure& failure : failures)
        lines.push_back(failure.file.string() + ": " + failure.reason);
    if (!lookupWarning.empty())
        lines.push_back(lookupWarning);
    return lines;
}

CreateReport CreateSite(SiteProfile& profile, const CreateSteps& steps, GeneratorState& state)
{
    CreateReport report;
    // What a CREATE that was killed half-way left behind.
    removeLeftoverTemporaries(steps.outputFolder);

    const char set = imageSet(profile.buttonSet);
    if (steps.copyPictures) {
        for (const PictureCopy& copy : picturesOf(set))
            copyPicture(steps.pictureFolder / copy.source, steps.outputFolder / copy.destination, report.failures);
        const char templateLetter = profile.buttonSet.templateChoice;
        if (set == 'A' && (templateLetter == 'B' || templateLetter == 'C'))
            copyPicture(steps.pictureFolder / kSetAAboutForTemplate.source,
                        steps.outputFolder / kSetAAboutForTemplate.destination, report.failures);
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
    const std::string host(siteHost(profile.siteUrl));
    const std::string stem = siteStem(profile.siteUrl);
    resolvePageStyle(state.pageStyle, profile);
    if (profile.hostingCustomer) {
        ProbeResult lookup;
        const auto work = [&] { lookup = probe(host); };
        if (steps.runNetworkWork)
            steps.runNetworkWork(work);
        else
            work();
        state.secureHost = lookup.secureHost;
        report.lookupWarning = lookupWarning(lookup);
    }

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

    // Each complete page replaces its old file before the user hears the outcome.
    for (const auto& page : pages) {
        page->commit();
        if (page->failed())
            report.failures.push_back({page->path(), "could not write the page: " + page->error()});
    }
    report.failures.insert(report.failures.end(), pictureFailures.begin(), pictureFailures.end());

    if (report.ok()) {
        if (steps.congratulate)
            steps.congratulate();
    } else if (steps.reportFailures) {
        steps.reportFailures(report);
    }
    return report;
}

} // namespace velmora

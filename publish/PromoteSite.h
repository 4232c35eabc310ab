#pragma once

// The Promotion Links dialog's OK command: the site's data posted to eight search engines and
// link services and two sign-ups, and result.html reporting how each went.

#include "publish/PromotionEndpoints.h"
#include "publish/PublishView.h"

#include <array>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

// The dialog's eight inputs as typed (Windows-1252), before any encoding.
struct PromotionForm {
    std::string formName;
    std::string formEmail;
    std::string formUrl;
    std::string formTitle;
    std::string formDescription;
    std::string formKeyword1;
    std::string formKeyword2;
    std::string formKeyword3;
};

// The inputs as the dialog's edit boxes hold them when it opens: the five shown addresses,
// "http://" as the site address, the first two keywords empty.
PromotionForm initialPromotionForm();

// One input as it goes into a form body: '%', '&', '=', '+', '#', ';', control characters and
// bytes from 0x80 up as %XX (upper-case hex), every space as '+', everything else unchanged.
std::string formEncode(std::string_view input);

struct PromotionTarget {
    int checkBox;                     // the dialog's check box that turns it on
    std::string_view labelCell;       // its report row's first cell
    std::string_view host;
    std::string_view verb;
    std::span<const std::string_view> paths;  // one post each, in order, sent as they stand
    // The body of post `post` (0-based) from the encoded inputs.
    std::string (*body)(const PromotionForm& encoded, std::size_t post);
    std::string_view successText;
    std::string_view failureText;
    int progressAfter;                // the bar's move after it, whether it ran or not
};

// The targets, in the order they run.
extern const std::array<PromotionTarget, 10> promotionTargets;

// A target's name as its report row shows it ("Award Sites").
std::string_view targetName(const PromotionTarget& target);

inline constexpr std::string_view kPromotionContentType = "Content-Type: application/x-www-form-urlencoded";
inline constexpr int kPromotionStepBeforeReport = 5;
inline constexpr ProgressBar kPromotionBarAtEnd{1, 30, 1};
inline constexpr std::string_view kPromotionReportName = "result.html";

// Whether a reply's status text counts as a success: "200", "201", "203" or "204" exactly.
bool isPromotionSuccess(std::string_view status);

struct TargetOutcome {
    const PromotionTarget* target = nullptr;
    std::string status;   // the first post's status text, empty when there was none
    bool success = false;
};

struct PromoteSteps {
    // The report file; the dialog writes it into the current directory.
    std::filesystem::path report = kPromotionReportName;
    // Which targets run, in the order of promotionTargets; the dialog ticks them all.
    std::array<bool, promotionTargets.size()> checked = {true, true, true, true, true, true, true, true, true, true};
    // Told about each target that ran, once its row is written, within the network work.
    std::function<void(const TargetOutcome&)> targetDone;
    // Opens the finished report (the dialog: the shell's "open"); called outside the network
    // work, only when the run went through.
    std::function<void(const std::string&)> openReport;
};

// Runs one submission. An internet failure ends it with CInternetException: no further post
// and no further row, the report keeps what it holds and is not opened, the bar stays.
void promoteSite(const PromotionForm& form, ProgressBar& bar, const PublishView& view, const PromoteSteps& steps);

} // namespace velmora

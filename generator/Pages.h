#pragma once

#include "generator/PageFrame.h"

#include <string>

namespace velmora {

// The home page; with a product picture chosen it shows "mainpic", which CREATE copies.
void writeHomePage(PageWriter& w, const PageContext& context);
void writeTestimonialsPage(PageWriter& w, const PageContext& context);
void writeFaqPage(PageWriter& w, const PageContext& context);
void writeFeaturesPage(PageWriter& w, const PageContext& context);
void writeAboutPage(PageWriter& w, const PageContext& context);
// The secure variant for a hosting customer, the plain one otherwise.
void writeOrderPage(PageWriter& w, const PageContext& context);
// The order script's template page; it holds nothing of the record but the secure address.
void writeSalesSlip(PageWriter& w, const std::string& secureHost, const std::string& siteStem);

} // namespace velmora

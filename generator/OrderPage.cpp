#include "generator/Pages.h"

namespace velmora {
namespace {

constexpr const char* kHead = "<html>\n"
                              "<head>\n"
                              "<meta http-equiv=Content-Type content=text/html; charset=iso-8859-1>\n"
                              "<title>order</title>\n"
                              "<meta name=GENERATOR content=Microsoft FrontPage 3.0>\n"
                              "<meta name=Microsoft Border content=none>\n"
                              "</head>";

constexpr const char* kAfterBanner = "</table>\n"
                                     "</center></div></td>\n"
                                     "</tr>\n"
                                     "</table>\n"
                                     "</div><div align=left>\n"
                                     "<table border=0 cellpadding=0 cellspacing=0 width=550>\n"
                                     "<tr>";

constexpr const char* kContentOpen = "<td width=20 valign=top></td>\n"
                                     "<td width=400 valign=top><p align=left><strong>";

constexpr const char* kProductTableOpen = "<div align=left><table border=2 cellpadding=4 width=360 cellspacing=1>\n"
                                          "<tr>\n"
                                          "<td width=184 valign=middle><small>";

// Size of the "Order Now" picture by template letter.
const char* orderNowSize(char templateChoice)
{
    switch (templateChoice) {
    case 'A': return "WIDTH=85 HEIGHT=24";
    case 'B': return "WIDTH=101 HEIGHT=30";
    case 'C': return "WIDTH=86 HEIGHT=20";
    default: return nullptr;
    }
}

constexpr const char* kFormTop = "</table></div><br><br>\n"
                                 "<div align=center><center><table width=300 border=0 cellspacing=1 cellpadding=5>\n"
                                 "<font size=-1 face=Helvetica color=#6f6f6f>\n"
                                 "<tr>\n"
                                 "<th colspan=2><p align=center><br>\n"
                                 "<br>\n"
                                 "</font><font size=4 face=Arial color=#6f6f6f>Enter the Shipping/Payment Information\n"
                                 "</font></th></tr>\n"
                                 "<UL>";

constexpr const char* kFormFields =
    "<input type=HIDDEN name=Info       value= >\n"
    "<input type=HIDDEN name=Size       value= >\n"
    "<input type=HIDDEN name=Weight     value= >\n"
    "<br>\n"
    "<tr><td align=right><small><font face=Arial>Name:</font></small></td><td><input type=text name=Name size=25></td></tr>\n"
    "<tr><td align=right><small><font face=Arial>Address:</font></small></td><td><input type=text name=Addr size=25></td></tr>\n"
    "<tr><td align=right><small><font face=Arial>City:</font></small></td><td><input type=text name=City size=25></td></tr>\n"
    "<tr><td align=right><small><font face=Arial>State (2 digit code if US):</font></small></td><td><input type=text name=State size=3></td></tr>\n"
    "<tr><td align=right><small><font face=Arial>Zip Code:</font></small></td><td><input type=text name=Zip size=13></td></tr>\n"
    "<tr><td align=right><small><font face=Arial>Country:</font></small></td><td><input type=text name=Country size=13></td></tr>\n"
    "<tr><td align=right><small><font face=Arial>Phone Number:</font></small></td><td><input type=text name=Phone size=25></td></tr>\n"
    "<tr><td align=right><small><font face=Arial>E-Mail Address:</font></small></td><td><input type=text name=Address2 size=25></td></tr>\n"
    "<tr>\n"
    "<th><small><font face=Arial>Payment Method:</font></small></th><td><input type=radio name=Payment value=check><small><font face=Arial> Check or money order\n"
    "<input type=radio name=Payment value=visa> VISA<br>\n"
    "<input type=radio name=Payment value=mc> MasterCard\n"
    "<input type=radio name=Payment value=amex> Amex</font</small></td>\n"
    "</tr>\n"
    "<tr><th colspan=2><small><font face=Arial>Fill in information below:</small</font></th></tr>\n"
    "<tr><td align=right><small><font face=Arial>Card #:</small></font></td><td><input type=text SIZE=37 name=cardno></td></tr>\n"
    "<tr><td align=right><small><font face=Arial>Exp. Date:</small></font></td><td><input type=text SIZE=37 name=expdate></td></tr>\n"
    "<tr><td align=right><small><font face=Arial>Name-As on Card:</small></font></td><td><input type=text SIZE=37 name=cardname></td></tr>";

constexpr const char* kMailCheckLead =
    "<tr><th align=center><small><font face=Arial>To mail check or<br>money order,<br>send to--&gt;</font></small></th>";

constexpr const char* kFormBottom = "</td>\n"
                                    "</tr>\n"
                                    "</table>\n"
                                    "</center></div><p> </p>\n"
                                    "<input type=hidden name=Operation value=final_confirm>\n"
                                    "<p align=center><br>\n"
                                    "<INPUT TYPE=submit VALUE=Submit My Order>\n"
                                    "<INPUT TYPE=reset value=Reset>\n"
                                    "</p><p align=left>&nbsp;</p>\n"
                                    "<p align=left>&nbsp;</p>\n"
                                    "<p align=left>&nbsp;</p>\n"
                                    "<p align=left>&nbsp;</p>\n"
                                    "</tr>\n"
                                    "</table>\n"
                                    "</div>\n"
                                    "</body>\n"
                                    "</html>";

constexpr const char* kPlainBottom = "<p align=left>&nbsp;</p>\n"
                                     "<p align=left>&nbsp;</p>\n"
                                     "<p align=left>&nbsp;</p>\n"
                                     "<p align=left>&nbsp;</p>\n"
                                     "<p align=left>&nbsp;</p>\n"
                                     "<p align=left>&nbsp;</p>\n"
                                     "<p align=left>&nbsp;</p>\n"
                                     "<p align=left>&nbsp;</p>\n"
                                     "<p align=left>&nbsp;</p>\n"
                                     "<p align=left>&nbsp;</p>\n"
                                     "<p align=left>&nbsp;</td>\n"
                                     "</tr>\n"
                                     "</table>\n"
                                     "</div>\n"
                                     "</body>\n"
                                     "</html>";

// The quoted value of a hidden field that carries a user text.
void writeQuotedValue(PageWriter& w, std::string_view text)
{
    writeQuotedAttribute(w, text);
    w.put('>');
}

void writeOrderTop(PageWriter& w, const PageContext& context, bool secure)
{
    const PageStyle& style = context.style;
    const char* barCellWidth = secure ? "<td width=130 bgcolor=" : "<td width=129 bgcolor=";
    w.writeLine(kHead);
    w.write("<body topmargin=0 leftmargin=0 bgcolor=").write(style.pageColor);
    w.write(secure ? " marginheight=0 marginwidth=0>" : ">").endLine();
    w.writeLine("<div align=left>\n"
                  "<table border=0 cellpadding=0 cellspacing=0 width=550 marginheight=0 marginwidth=0>\n"
                  "<tr>");
    w.write(barCellWidth).write(style.barColor).write(">&nbsp; <p>&nbsp;</td>").endLine();
    w.write("<td width=421>&nbsp;<div align=center><center><table border=2 cellpadding=2 bordercolor=");
    w.write(style.barColor).write(">");
    if (secure)
        w.endLine();
    w.writeLine("<tr>");
    writeBannerHeading(w, context);
    w.writeLine("</tr>");
    w.writeLine(kAfterBanner);
    w.write(barCellWidth).write(style.barColor).write(" valign=top><p align=center><br>").endLine();
    writeNavigation(w, context, OrderLink::Local);
}

void writeProductTable(PageWriter& w, const PageContext& context, bool secure)
{
    const SiteProfile& p = context.profile;
    w.writeLine(kContentOpen);
    w.write("<font face=Arial color=").write(context.style.accentColor);
    w.write("><big><br>Order Now</big></font></strong></p>").endLine();
    w.writeLine(kProductTableOpen);
    writeStyleOpen(w, p.orderStyle);
    w.write("><strong>").write(p.productName).write("</strong><br>").write(p.productDescription);
    w.write("</font></small></td>").endLine();
    w.write("<td width=88 valign=middle>");
    writeStyleOpen(w, p.orderStyle);
    w.write("><small>").write(p.price).write("</small></font></td>").endLine();
    if (const char* size = orderNowSize(p.buttonSet.templateChoice)) {
        w.write("<td width=88 valign=middle align=center>");
        if (secure) {
            w.write("<img src=ordernow.gif alt=Order Now ").write(size).write("></td>");
        } else {
            w.write("       <a href = ").write(p.paymentLink);
            w.write("><img src=ordernow.gif alt=Order Now ").write(size).write("></a></td>");
        }
        w.endLine();
    }
    w.writeLine("</tr>");
}

void writeMailCheckBlock(PageWriter& w, const SiteProfile& p)
{
    w.writeLine(kMailCheckLead);
    w.write("<td align=center><small><font face=Arial><strong>").write(p.companyName).write("<br>Att: Order<br>");
    w.endLine();
    writeBreakingAtCR(w, p.mailingAddress, "<br>");
    w.writeLine("</small></font></strong>");
}

void writeSecureForm(PageWriter& w, const PageContext& context)
{
    const SiteProfile& p = context.profile;
    w.writeLine(kFormTop);
    w.write("<form method=post action=https://").write(context.secureHost).write("/cgi-").write(context.siteStem);
    w.write("/shop/boutique.cgi>").endLine();
    w.write("<input type=text name=Qty size=2 value=0>").write(p.productName).write(" - ").write(p.price);
    w.write("<input type=HIDDEN name=Department value= Sales>").endLine();
    w.writeLine("<input type=HIDDEN name=Prodno     value= A101>");
    w.write("<input type=HIDDEN name=Price      value= ");
    writeQuotedValue(w, p.price);
    w.endLine();
    w.write("<input type=HIDDEN name=Item       value= ");
    writeQuotedValue(w, p.productName);
    w.endLine();
    w.write("<input type=HIDDEN name=Describe   value= ");
    writeQuotedValue(w, p.productDescription);
    w.endLine();
    w.writeLine(kFormFields);
    if (!p.mailingAddress.empty())
        writeMailCheckBlock(w, p);
    w.writeLine(kFormBottom);
}

void writePlainBottom(PageWriter& w, const SiteProfile& p)
{
    w.write("</table></div><p align=left>");
    writeStyleOpen(w, p.orderStyle);
    w.write(">Mail checks To:").write(p.mailingAddress).write("</p></font>").endLine();
    w.writeLine(kPlainBottom);
}

} // namespace

void writeOrderPage(PageWriter& w, const PageContext& context)
{
    const bool secure = context.profile.hostingCustomer;
    writeOrderTop(w, context, secure);
    writeProductTable(w, context, secure);
    if (secure)
        writeSecureForm(w, context);
    else
        writePlainBottom(w, context.profile);
}

} // namespace velmora

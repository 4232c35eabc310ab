#include "generator/Pages.h"

namespace velmora {
namespace {

// The "${...}" tokens are filled in by the partner's order script, never by us.
constexpr const char* kSlipTop = "<HTML>\n"
                                 "<HEAD>\n"
                                 "<TITLE>Sales Slip</TITLE>\n"
                                 "</HEAD>\n"
                                 "<BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#800000 VLINK=#0000A0 ALINK=#000000>\n"
                                 "<p><br>\n"
                                 "<p align=center><font size=+2>The following is your saleslip and a recap of your order.\n"
                                 "</font></p>\n"
                                 "<form method=post";

constexpr const char* kSlipRest =
    "<INPUT TYPE=HIDDEN NAME=Operation VALUE=saleslip>\n"
    "<center>\n"
    "<TABLE BORDER=1 CELLPADDING=4 CELLSPACING=1>\n"
    "<TR>\n"
    "<TD>Name:</TD><TD>${Name}</TD><TD>Phone:</TD><TD>&nbsp;${Phone}</TD>\n"
    "</TR>\n"
    "<TR>\n"
    "<TD>Street Address:</TD><TD>${Addr}</TD><TD>City:</TD><TD>${City}</TD>\n"
    "</TR>\n"
    "<TR>\n"
    "<TD>State:</TD><TD>&nbsp;${State}</TD><TD>Zip Code:</TD><TD>&nbsp;${Zip}</TD>\n"
    "</TR>\n"
    "<TR>\n"
    "<TD>Country:</TD><TD>&nbsp;${Country}</TD><TD>E-Mail:</TD><TD>${Address2}</TD>\n"
    "</TR>\n"
    "<TR>\n"
    "<TD>Payment Method:</TD><TD>${Payment}</TD><TD>Name on Card:</TD><TD>&nbsp;${cardname}</TD>\n"
    "</TR>\n"
    "<TR>\n"
    "<TD>Card Number:</TD><TD>&nbsp;${cardno}</TD><TD>Expiration Dt:</TD><TD>&nbsp;${expdate}</TD>\n"
    "</TR>\n"
    "</TABLE>\n"
    "</center>\n"
    "<p align=center><font size=+2>Your Order:\n"
    "</font></p>\n"
    "<CENTER>\n"
    "<TABLE BORDER=1 CELLPADDING=4 CELLSPACING=1>\n"
    "<INPUT TYPE=HIDDEN NAME=Qty VALUE =${Qty}>\n"
    "<INPUT TYPE=HIDDEN NAME=Prodno VALUE=${Prodno}>\n"
    "<INPUT TYPE=HIDDEN NAME=Item VALUE=${Item}>\n"
    "<INPUT TYPE=HIDDEN NAME=Info VALUE=${Info}>\n"
    "<INPUT TYPE=HIDDEN NAME=Describe VALUE=${Describe}>\n"
    "<INPUT TYPE=HIDDEN NAME=Department VALUE=${Department}>\n"
    "<INPUT TYPE=HIDDEN NAME=Size VALUE=${Size}>\n"
    "<INPUT TYPE=HIDDEN NAME=Weight VALUE=${Weight}>\n"
    "<INPUT TYPE=HIDDEN NAME=Price VALUE=${Price}>\n"
    "<TR>\n"
    "<TD width=80%>${Qty} - ${Prodno} ${Item} ${Describe} ${Department} ${Size} ${Weight}</TD>\n"
    "<TD width=20%>${Price} each</TD>\n"
    "</TR>\n"
    "<TR>\n"
    "<TD width=80%>Amount of purchase:</TD>\n"
    "<TD width=20%>$${SubTotal}</TD></TR>\n"
    "</TABLE>\n"
    "</CENTER>\n"
    "<P><BR>\n"
    "<CENTER>\n"
    "<INPUT TYPE=submit VALUE=Send My Order>\n"
    "</CENTER>\n"
    "</FORM>\n"
    "</body>\n"
    "</html>";

} // namespace

void writeSalesSlip(PageWriter& w, const std::string& secureHost, const std::string& siteStem)
{
    w.writeLine(kSlipTop);
    w.write(" action=https://").write(secureHost).write("/cgi-").write(siteStem).write("/shop/boutique.cgi>").endLine();
    w.writeLine(kSlipRest);
}

} // namespace velmora

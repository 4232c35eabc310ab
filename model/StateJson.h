#pragma once

#include "model/SiteProfile.h"

#include <stdexcept>
#include <string>
#include <string_view>

// The site record as a JSON object: one key per field under the field's own name, texts in
// UTF-8, colours in their stored form. Used by the headless command and the examples.
namespace velmora {

class StateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Fills the fields the object names into `profile`; a missing key keeps the field's value.
// Throws StateError naming the problem (bad JSON, unknown key, wrong type or length, a
// character Windows-1252 cannot hold) before it changes anything.
void applyStateJson(SiteProfile& profile, std::string_view json);

// Every key, in a fixed order, pretty-printed, ending with a line feed.
std::string stateToJson(const SiteProfile& profile);

} // namespace velmora

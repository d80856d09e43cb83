#pragma once
// Every scenario name /__scenario accepts, with what it does; a new
// scenario gets its line here so a mistyped name is refused, not ignored.

#include <string>
#include <string_view>

namespace sim {

bool is_known_scenario(std::string_view name);
// JSON object: name -> description.
std::string scenario_catalog_json();

}  // namespace sim

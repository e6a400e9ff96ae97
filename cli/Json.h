#pragma once
// JSON as the tool writes it: through nlohmann's library, keys in the order they were added.
#include <string>
#include <nlohmann/json.hpp>
#include "cli/StatusRecord.h"

using Json = nlohmann::ordered_json;

// The document indented by two, invalid UTF-8 replaced rather than thrown on, with a line end.
std::string JsonText(const Json& json);

// One difference of a status record: scheme, section, item, value, file's and machine's (or null).
Json DifferenceJson(const ReportedDifference& difference);

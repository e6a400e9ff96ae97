#pragma once
// The tool's HTML pages: one self-contained file each (its style and script inside, nothing
// fetched), so that it opens from a share on a machine without a network. Every text that comes
// from a record or a scheme file is escaped; the page's own script is the only one a browser may
// run (its hash is the page's script policy). Platform-free; every text is UTF-8.
#include <string>
#include <string_view>
#include <vector>
#include "cli/Fleet.h"

// Text for HTML content and quoted attribute values: & < > " ' as character references.
std::string HtmlEscape(std::string_view text);

// A table of fields: the column names and one row of texts per item.
struct FieldTable {
    std::string title;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

// One scheme of a file as the page shows it.
struct SchemeView {
    std::string name;
    std::string description;
    size_t roots = 0;
    size_t links = 0;
    std::vector<FieldTable> tables;
};

// The page of `vlsm fleet --html`: the summary, then one row per machine (problems first) that
// sorts by column and filters by state, each machine's differences folded under its row.
std::string FleetPage(const std::vector<FleetMachine>& machines, unsigned staleDays,
                      const std::string& folder, const std::string& made);

// The page of `vlsm show FILE --html`: one row per scheme, its sections folded under it.
std::string SchemeFilePage(const std::string& file, const std::vector<SchemeView>& schemes);

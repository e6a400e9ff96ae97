#include "cli/HtmlPage.h"
#include "hive/Sha256.h"

namespace {

const char kStyle[] = R"(
body { font: 14px/1.4 "Segoe UI", Tahoma, sans-serif; margin: 1.5em; color: #1b1b1b; }
h1 { font-size: 1.4em; margin: 0 0 .3em; }
.summary { font-size: 1.15em; font-weight: 600; margin: .2em 0 .6em; }
.note { color: #555; margin: 0 0 1em; }
table { border-collapse: collapse; }
th, td { border: 1px solid #c8c8c8; padding: .25em .6em; text-align: left; vertical-align: top; }
thead th { background: #eef1f5; cursor: pointer; user-select: none; white-space: nowrap; }
thead th[aria-sort=ascending]::after { content: " \25B2"; }
thead th[aria-sort=descending]::after { content: " \25BC"; }
td.number { text-align: right; }
td.time, td.state { white-space: nowrap; }
tr.problem > td:first-child { border-left: 4px solid #c62828; }
tr.stale > td:first-child { border-left: 4px solid #ef8f00; }
details table { margin: .4em 0; font-size: .93em; }
details th { background: #f6f6f6; cursor: default; }
summary { cursor: pointer; }
.filter { margin: 0 0 .8em; }
)";

// Sorts a table.sortable by the clicked column (a cell's data-sort when it has one, else its
// text; numbers as numbers), and shows only the rows of the state chosen in #filter.
const char kScript[] = R"(
function sortKey(row, column) {
  var cell = row.cells[column];
  var key = cell.getAttribute("data-sort");
  return key !== null ? key : cell.textContent;
}
function sortBy(table, head, column) {
  var up = head.getAttribute("aria-sort") !== "ascending";
  Array.prototype.forEach.call(head.parentNode.cells, function (h) { h.removeAttribute("aria-sort"); });
  head.setAttribute("aria-sort", up ? "ascending" : "descending");
  var numeric = head.getAttribute("data-kind") === "number";
  var body = table.tBodies[0];
  var rows = Array.prototype.slice.call(body.rows);
  rows.sort(function (a, b) {
    var x = sortKey(a, column), y = sortKey(b, column);
    var order = numeric ? Number(x) - Number(y)
                        : x.localeCompare(y, undefined, {numeric: true, sensitivity: "base"});
    return up ? order : -order;
  });
  rows.forEach(function (row) { body.appendChild(row); });
}
Array.prototype.forEach.call(document.querySelectorAll("table.sortable"), function (table) {
  Array.prototype.forEach.call(table.tHead.rows[0].cells, function (head, column) {
    head.tabIndex = 0;
    head.addEventListener("click", function () { sortBy(table, head, column); });
    head.addEventListener("keydown", function (e) { if (e.key === "Enter") sortBy(table, head, column); });
  });
});
var filter = document.getElementById("filter");
if (filter) {
  filter.addEventListener("change", function () {
    var rows = document.getElementById("machines").tBodies[0].rows;
    Array.prototype.forEach.call(rows, function (row) {
      row.hidden = filter.value !== "" && row.getAttribute("data-state") !== filter.value;
    });
  });
}
)";

std::string Base64(const Sha256::Digest& bytes) {
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const unsigned a = bytes[i];
        const unsigned b = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        const unsigned c = i + 2 < bytes.size() ? bytes[i + 2] : 0;
        const unsigned triple = a << 16 | b << 8 | c;
        out += kDigits[triple >> 18 & 63];
        out += kDigits[triple >> 12 & 63];
        out += i + 1 < bytes.size() ? kDigits[triple >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[triple & 63] : '=';
    }
    return out;
}

// A whole page around `body`. Its policy lets nothing load and no script run but its own.
std::string Document(const std::string& title, const std::string& body) {
    Sha256 hash;
    hash.Update(kScript);
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
           "style-src 'unsafe-inline'; script-src 'sha256-" +
           Base64(hash.Finish()) +
           "'\">\n<meta name=\"viewport\" content=\"width=device-width\">\n<title>" +
           HtmlEscape(title) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n" + body +
           "<script>" + kScript + "</script>\n</body>\n</html>\n";
}

std::string Cell(std::string_view text, const char* attributes = "") {
    return std::string("<td") + attributes + ">" + HtmlEscape(text) + "</td>";
}

std::string FieldTableHtml(const FieldTable& table) {
    std::string out = "<table>\n";
    if (!table.title.empty()) out += "<caption>" + HtmlEscape(table.title) + "</caption>\n";
    out += "<tr>";
    for (const std::string& column : table.columns)
        out += "<th>" + HtmlEscape(column) + "</th>";
    out += "</tr>\n";
    for (const std::vector<std::string>& row : table.rows) {
        out += "<tr>";
        for (const std::string& text : row)
            out += Cell(text);
        out += "</tr>\n";
    }
    return out + "</table>\n";
}

std::string DifferencesHtml(const FleetMachine& m) {
    const std::string count = std::to_string(m.record.differenceCount);
    if (m.record.differences.empty()) return count;
    FieldTable table;
    if (m.record.differences.size() < m.record.differenceCount)
        table.title = "the first " + std::to_string(m.record.differences.size()) + " of " + count;
    table.columns = {"scheme", "section", "item", "value", "file's", "machine's"};
    for (const ReportedDifference& d : m.record.differences)
        table.rows.push_back({d.scheme, d.section, d.item, d.value, d.inFile ? *d.inFile : "(none)",
                              d.onMachine ? *d.onMachine : "(none)"});
    return "<details><summary>" + count +
           (m.record.differenceCount == 1 ? " difference" : " differences") + "</summary>\n" +
           FieldTableHtml(table) + "</details>";
}

} // namespace

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string FleetPage(const std::vector<FleetMachine>& machines, unsigned staleDays,
                      const std::string& folder, const std::string& made) {
    std::string body = "<h1>Vexar Lumen workstations</h1>\n<p class=\"summary\" id=\"summary\">" +
                       HtmlEscape(FleetSummary(machines, staleDays)) +
                       "</p>\n<p class=\"note\">Status folder " + HtmlEscape(folder) + ", read " +
                       HtmlEscape(made) + ".</p>\n";
    body += "<p class=\"filter\"><label>Show <select id=\"filter\"><option value=\"\">every "
            "machine</option>";
    for (int s = 0; s <= static_cast<int>(MachineState::InStep); ++s) {
        const std::string text = MachineStateText(static_cast<MachineState>(s));
        body += "<option value=\"" + text + "\">" + text + "</option>";
    }
    body += "</select></label></p>\n<table id=\"machines\" class=\"sortable\">\n<thead><tr>"
            "<th>Computer</th><th>Last report</th><th data-kind=\"number\">State</th>"
            "<th>Result</th><th data-kind=\"number\">Differences</th><th>File</th>"
            "<th>Version</th></tr></thead>\n<tbody>\n";
    for (const FleetMachine& m : machines) {
        const std::string state = MachineStateText(m.state);
        const char* look = m.state == MachineState::InStep    ? ""
                           : m.state == MachineState::NotSeen ? " class=\"stale\""
                                                              : " class=\"problem\"";
        body += "<tr data-state=\"" + state + "\"" + look + ">" + Cell(m.computer);
        const std::string severity =
            " data-sort=\"" + std::to_string(static_cast<int>(m.state)) + "\"";
        if (m.state == MachineState::Unreadable) {
            body += Cell("") + Cell(state, (severity + " class=\"state\"").c_str()) +
                    Cell(m.problem) + "<td class=\"number\" data-sort=\"0\"></td>" + Cell("") +
                    Cell("");
        } else {
            std::string result = RunResultText(m.record.result);
            if (m.stale) result += ", stale";
            const std::string count =
                " data-sort=\"" + std::to_string(m.record.differenceCount) + "\"";
            body += Cell(m.record.time, " class=\"time\"") +
                    Cell(state, (severity + " class=\"state\"").c_str()) + Cell(result) + "<td" +
                    count + ">" + DifferencesHtml(m) + "</td>" + Cell(FileMatchText(m)) +
                    Cell(m.record.version);
        }
        body += "</tr>\n";
    }
    body += "</tbody>\n</table>\n";
    return Document("Vexar Lumen workstations", body);
}

std::string SchemeFilePage(const std::string& file, const std::vector<SchemeView>& schemes) {
    std::string body =
        "<h1>Scheme file " + HtmlEscape(file) + "</h1>\n<p class=\"summary\" id=\"summary\">" +
        std::to_string(schemes.size()) + (schemes.size() == 1 ? " scheme" : " schemes") + "</p>\n" +
        "<table id=\"schemes\" class=\"sortable\">\n<thead><tr><th>Scheme</th>"
        "<th>Description</th><th data-kind=\"number\">Roots</th>"
        "<th data-kind=\"number\">Links</th></tr></thead>\n<tbody>\n";
    for (const SchemeView& scheme : schemes) {
        body += "<tr><td data-sort=\"" + HtmlEscape(scheme.name) + "\"><details><summary>" +
                HtmlEscape(scheme.name) + "</summary>\n";
        for (const FieldTable& table : scheme.tables)
            body += FieldTableHtml(table);
        body += "</details></td>" + Cell(scheme.description) +
                Cell(std::to_string(scheme.roots), " class=\"number\"") +
                Cell(std::to_string(scheme.links), " class=\"number\"") + "</tr>\n";
    }
    body += "</tbody>\n</table>\n";
    return Document("Scheme file " + file, body);
}

#include "cli/SchemeDifferences.h"
#include <deque>
#include <map>
#include <string_view>
#include <utility>

namespace {

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// The registry's names where the file's differ from them.
struct Renaming {
    const char* inFile;
    const char* inRegistry;
};
const Renaming kSections[] = {
    {"Tabs", "TabSelection"}, {"Folder Display", "WebLinks"}, {"Weblinks", "WebLinks"}};
const Renaming kValues[] = {{"RootFoldersCount", "RootFolderCount"},
                            {"WeblinksCount", "WebLinksCount"}};

std::string Quoted(const std::optional<std::string>& text) {
    return text ? "\"" + *text + "\"" : std::string("(none)");
}

} // namespace

RecordPlace PlaceOfRecord(const std::string& scheme, const std::string& section,
                          const std::string& key) {
    RecordPlace place{section, "", key};
    for (const Renaming& name : kValues)
        if (key == name.inFile) place.value = name.inRegistry;
    const std::string prefix = scheme + " - ";
    if (!StartsWith(section, prefix)) return place;
    std::string_view rest = std::string_view(section).substr(prefix.size());
    const size_t dash = rest.find(" - ");
    if (dash != std::string_view::npos) {
        place.item = std::string(rest.substr(dash + 3));
        rest = rest.substr(0, dash);
    }
    place.section = std::string(rest);
    for (const Renaming& name : kSections)
        if (rest == name.inFile) place.section = name.inRegistry;
    return place;
}

std::vector<RecordDifference> CompareSchemeRecords(const std::string& scheme,
                                                   const std::vector<HiveRecord>& file,
                                                   const std::vector<HiveRecord>& machine) {
    std::map<std::pair<std::string, std::string>, std::deque<size_t>> unmatched;
    for (size_t i = 0; i < machine.size(); ++i)
        unmatched[{machine[i].section, machine[i].key}].push_back(i);
    std::vector<bool> matched(machine.size(), false);

    std::vector<RecordDifference> differences;
    for (const HiveRecord& record : file) {
        std::deque<size_t>& candidates = unmatched[{record.section, record.key}];
        std::optional<std::string> onMachine;
        if (!candidates.empty()) {
            matched[candidates.front()] = true;
            onMachine = machine[candidates.front()].value;
            candidates.pop_front();
        }
        if (onMachine != record.value)
            differences.push_back(
                {PlaceOfRecord(scheme, record.section, record.key), record.value, onMachine});
    }
    for (size_t i = 0; i < machine.size(); ++i)
        if (!matched[i])
            differences.push_back({PlaceOfRecord(scheme, machine[i].section, machine[i].key),
                                   std::nullopt, machine[i].value});
    return differences;
}

RecordDifference DescriptionDifference(const std::string& inFile, const std::string& onMachine) {
    return {{"", "", "description"}, inFile, onMachine};
}

RecordDifference WholeSchemeDifference(bool inFile) {
    RecordDifference difference;
    (inFile ? difference.inFile : difference.onMachine) = "(the scheme)";
    return difference;
}

std::string DescribeDifference(const std::string& scheme, const RecordDifference& difference) {
    const RecordPlace& place = difference.place;
    if (place.section.empty() && place.value.empty())
        return "scheme \"" + scheme + "\": " +
               (difference.inFile ? "not on this computer" : "on this computer, not in the file");
    if (place.section.empty())
        return "scheme \"" + scheme + "\", description: file " + Quoted(difference.inFile) +
               ", machine " + Quoted(difference.onMachine);
    std::string line = "scheme \"" + scheme + "\", section \"" + place.section + "\"";
    if (!place.item.empty()) line += ", item \"" + place.item + "\"";
    return line + ", value \"" + place.value + "\": file " + Quoted(difference.inFile) +
           ", machine " + Quoted(difference.onMachine);
}

// Times ParseSchemeFile on a generated scheme file of at least 50 MB against a bare memchr pass
// that finds every terminator of the same bytes, and prints the ratio. Not a test.
// Two shapes of file: records like the program's own (fields of a few dozen bytes, where the
// parse is one terminator search per field), and the same with kilobyte-long tool tips.
// For each it also prints what storing the field ends alone costs, from offsets found
// beforehand: the part of the parse that no scanning strategy can save.
//   parse_bench [megabytes]
#include "hive/SchemeFileFormat.h"
#include "hive/SettingsHive.h"

#include <algorithm>
#include <cstdint>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Schemes shaped like the program's own: defaults, roots, tabs, toolbars, web links.
void AddScheme(SettingsHive& hive, int index, const std::string& longToolTip) {
    const std::string name =
        "Year " + std::to_string(index % 7 + 1) + " class " + std::to_string(index);
    hive.AddString("Scheme" + std::to_string(index), "Name of scheme", name);
    const std::string defaults = name + " - Defaults";
    hive.AddString(defaults, "DefaultView", "tree1");
    for (const char* key : {"DefaultIconSize", "DefaultFirstTab", "ShortToolTips", "Silent",
                            "Context Menu", "Options Menu"})
        hive.AddNumber(defaults, key, 1);
    const int roots = 2 + index % 5;
    hive.AddNumber(name + " - FolderDisplay", "RootFoldersCount", roots);
    for (int n = 1; n <= roots; ++n) {
        const std::string s = name + " - FolderDisplay - Root " + std::to_string(n);
        hive.AddString(s, "CollapsedIconFile",
                       "C:\\Program Files\\Vexar Lumen\\Pictures\\Closed.bmp");
        hive.AddString(s, "ExpandedIconFile", "C:\\Program Files\\Vexar Lumen\\Pictures\\Open.bmp");
        hive.AddString(s, "RootDisplayName", "Shared work " + std::to_string(n));
        hive.AddString(s, "RootPath", "\\\\school-server\\shared\\year" + std::to_string(n));
        hive.AddNumber(s, "DenyModify", n % 2);
        hive.AddNumber(s, "FolderLevels", 3);
        hive.AddString(s, "LongToolTip", longToolTip);
        hive.AddString(s, "ShortToolTip", "Shared work");
        hive.AddString(s, "Wav File", "");
    }
    for (const char* key : {"Page1", "Page2", "Page3"})
        hive.AddNumber(name + " - Tabs", key, 1);
    for (int page = 1; page <= 3; ++page)
        for (const char* key :
             {"Back", "Copy", "Cut", "Delete", "Forward", "Help", "Icon", "New", "Paste", "Print",
              "Refresh", "Rename", "Side", "Undo", "Up", "View"})
            hive.AddNumber(name + " - ToolBars - Page " + std::to_string(page), key, page % 2);
    const int links = 1 + index % 4;
    hive.AddNumber(name + " - Folder Display", "WeblinksCount", links);
    for (int n = 1; n <= links; ++n) {
        const std::string s = name + " - Weblinks - WebLink " + std::to_string(n);
        hive.AddString(s, "DisplayName", "School library");
        hive.AddString(s, "URL", "http://library.school.example/catalogue?class=" + name);
        hive.AddString(s, "IconFile", "C:\\Program Files\\Vexar Lumen\\Pictures\\Globe.bmp");
        hive.AddString(s, "LongToolTip", "Search the school library's catalogue");
        hive.AddString(s, "ShortToolTip", "Library");
        hive.AddString(s, "Wav File", "");
    }
}

std::string MakeFile(size_t minBytes, size_t toolTipBytes, size_t& records) {
    std::string toolTip = "The work that your teacher has shared with the class.";
    while (toolTip.size() < toolTipBytes)
        toolTip += " Open it to see it.";
    SettingsHive hive;
    const int schemes = 200;
    for (int k = 1; k <= schemes; ++k) {
        hive.AddString("Config Hive", "Config" + std::to_string(k), "Scheme " + std::to_string(k));
        hive.AddString("Config Hive", "Scheme " + std::to_string(k), "Description");
    }
    hive.AddNumber("Scheme Count", "The number of schemes", schemes);
    for (int i = 0; EncodeSchemeFile(hive.Records()).size() < minBytes / 64; ++i)
        AddScheme(hive, i, toolTip);
    // Repeat the block of records up to the size asked for; the parser sees only bytes.
    std::string block = EncodeSchemeFile(hive.Records()).substr(kSchemeFileHeader.size());
    std::string file(kSchemeFileHeader);
    file.reserve(minBytes + block.size());
    size_t repeats = 0;
    while (file.size() < minBytes) {
        file += block;
        ++repeats;
    }
    records = hive.Size() * repeats;
    return file;
}

template <typename F> double BestSeconds(int rounds, F&& run) {
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

struct Timing {
    size_t bytes = 0, records = 0;
    double scan = 0, parse = 0;
};

Timing Measure(const std::string& file) {
    Timing t;
    t.bytes = file.size();
    t.scan = BestSeconds(7, [&] {
        size_t count = 0;
        const char* p = file.data();
        const char* const end = p + file.size();
        while (const void* found = std::memchr(p, kFieldTerminator, end - p)) {
            ++count;
            p = static_cast<const char*>(found) + 1;
        }
        // Keeps the pass from being optimised away.
        if (count == size_t(-1)) std::puts("");
    });
    t.parse = 1e30;
    for (int i = 0; i < 7; ++i) {
        // The records are released after the clock stops: that is not the parser's cost.
        ParsedRecords records;
        const auto start = std::chrono::steady_clock::now();
        ParseSchemeFile(file, records);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        t.parse = std::min(t.parse, took.count());
        t.records = records.size();
    }
    return t;
}

// The field ends that the parser keeps, stored from offsets found beforehand.
double BuildOnly(const std::string& file) {
    std::vector<size_t> ends;
    for (size_t i = kSchemeFileHeader.size(); i < file.size(); ++i)
        if (file[i] == kFieldTerminator) ends.push_back(i);
    double best = 1e30;
    for (int round = 0; round < 7; ++round) {
        std::vector<uint32_t> stored;
        const auto start = std::chrono::steady_clock::now();
        stored.reserve(file.size() / 16);
        for (size_t i = 0; i + 2 < ends.size(); i += 3) {
            stored.push_back(static_cast<uint32_t>(ends[i]));
            stored.push_back(static_cast<uint32_t>(ends[i + 1]));
            stored.push_back(static_cast<uint32_t>(ends[i + 2]));
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (stored.size() == size_t(-1)) std::puts("");
        best = std::min(best, took.count());
    }
    return best;
}

void Print(const char* shape, const Timing& t, size_t expected) {
    std::printf("%s: %.1f MB, %zu records%s, %.0f bytes a record\n", shape, t.bytes / 1e6,
                t.records, t.records == expected ? "" : " (WRONG COUNT)",
                double(t.bytes) / double(t.records ? t.records : 1));
    std::printf("  memchr pass:     %8.2f ms  (%.2f GB/s)\n", t.scan * 1e3, t.bytes / t.scan / 1e9);
    std::printf("  ParseSchemeFile: %8.2f ms  (%.2f GB/s)\n", t.parse * 1e3,
                t.bytes / t.parse / 1e9);
    std::printf("  ratio parse / memchr: %.2f\n", t.parse / t.scan);
}

} // namespace

int main(int argc, char** argv) {
    const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 50;
    bool right = true;
    for (const size_t toolTipBytes : {size_t(0), size_t(4000)}) {
        size_t expected = 0;
        const std::string file = MakeFile(megabytes * 1000 * 1000, toolTipBytes, expected);
        const Timing t = Measure(file);
        Print(toolTipBytes ? "4 KB tool tips" : "program-like records", t, expected);
        const double build = BuildOnly(file);
        std::printf("  storing the field ends alone: %.2f ms (%.2f of the parse)\n", build * 1e3,
                    build / t.parse);
        right = right && t.records == expected;
    }
    return right ? 0 : 1;
}

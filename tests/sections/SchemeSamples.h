#pragma once
// Schemes with a distinct value in every field, and a full text form of a scheme for comparisons
// that show every difference at once.
#include <sstream>
#include <string>
#include <vector>
#include "sections/Scheme.h"

inline FolderRoot SampleRoot(const std::string& tag, int levels, int deny) {
    FolderRoot root;
    root.displayName = tag + " display";
    root.path = "C:\\Shared\\" + tag;
    root.folderLevels = levels;
    root.collapsedIconFile = "C:\\Pictures\\" + tag + " closed.bmp";
    root.expandedIconFile = "C:\\Pictures\\" + tag + " open.bmp";
    root.longToolTip = tag + " long tip";
    root.shortToolTip = tag + " tip";
    root.wavFile = "C:\\Sounds\\" + tag + ".wav";
    root.denyModify = deny;
    return root;
}

inline WebLink SampleLink(const std::string& tag) {
    WebLink link;
    link.displayName = tag + " site";
    link.url = "http://" + tag + ".example/";
    link.iconFile = "C:\\Pictures\\" + tag + " link.bmp";
    link.longToolTip = tag + " long link tip";
    link.shortToolTip = tag + " link tip";
    link.wavFile = "C:\\Sounds\\" + tag + " link.wav";
    return link;
}

// The sixteen switches of a page in field order: Back, Forward, New, Rename, Cut, Copy, Paste,
// Delete, Undo, Print, Refresh, Icon, View, Help, Up, Side.
inline int& Switch(ToolBarPage& page, int i) {
    int* fields[] = {&page.back, &page.forward, &page.newItem, &page.rename,
                     &page.cut,  &page.copy,    &page.paste,   &page.deleteItem,
                     &page.undo, &page.print,   &page.refresh, &page.icon,
                     &page.view, &page.help,    &page.up,      &page.side};
    return *fields[i];
}

// A page with only switch `hot` (field order) on. A file carries switches as 0 or 1, so this is
// as far as a page can give one button a value none of the others has.
inline ToolBarPage OneHotPage(int hot) {
    ToolBarPage page;
    Switch(page, hot) = 1;
    return page;
}

// Two roots and one web link. Within each section no two number fields hold the same value, so
// a name paired with another field's value is seen by any round trip; the toolbar pages are
// one-hot, each on a different button (Cut, Undo, Side).
inline Scheme SampleScheme(const std::string& name) {
    Scheme scheme;
    scheme.name = name;
    scheme.roots.roots = {SampleRoot("Pupils", 5, 1), SampleRoot("Work", 3, 0)};
    scheme.roots.count = 2;
    scheme.webLinks.links = {SampleLink("library")};
    scheme.webLinks.count = 1;
    scheme.tabs.page1 = 1;
    scheme.tabs.page2 = 0;
    scheme.tabs.page3 = 2;
    scheme.toolBars.pages[0] = OneHotPage(4);
    scheme.toolBars.pages[1] = OneHotPage(8);
    scheme.toolBars.pages[2] = OneHotPage(15);
    scheme.defaults.defaultView = "details";
    scheme.defaults.defaultIconSize = 32;
    scheme.defaults.defaultFirstTab = 2;
    scheme.defaults.shortToolTips = 1;
    scheme.defaults.silent = 0;
    scheme.defaults.contextMenu = 3;
    scheme.defaults.optionsMenu = 4;
    return scheme;
}

inline std::string Describe(const ToolBarPage& p) {
    std::ostringstream out;
    out << p.back << p.forward << p.newItem << p.rename << p.cut << p.copy << p.paste
        << p.deleteItem << p.undo << p.print << p.refresh << p.icon << p.view << p.help << p.up
        << p.side;
    return out.str();
}

inline std::string Describe(const Scheme& s) {
    std::ostringstream out;
    out << "name=" << s.name << "\nroots count=" << s.roots.count << "\n";
    for (const FolderRoot& r : s.roots.roots)
        out << " root [" << r.displayName << "|" << r.path << "|" << r.folderLevels << "|"
            << r.collapsedIconFile << "|" << r.expandedIconFile << "|" << r.longToolTip << "|"
            << r.shortToolTip << "|" << r.wavFile << "|" << r.denyModify << "]\n";
    out << "links count=" << s.webLinks.count << "\n";
    for (const WebLink& l : s.webLinks.links)
        out << " link [" << l.displayName << "|" << l.url << "|" << l.iconFile << "|"
            << l.longToolTip << "|" << l.shortToolTip << "|" << l.wavFile << "]\n";
    out << "tabs " << s.tabs.page1 << s.tabs.page2 << s.tabs.page3 << "\n";
    for (const ToolBarPage& p : s.toolBars.pages)
        out << "toolbar " << Describe(p) << "\n";
    const DefaultsSection& d = s.defaults;
    out << "defaults [" << d.defaultView << "|" << d.defaultIconSize << "|" << d.defaultFirstTab
        << "|" << d.shortToolTips << "|" << d.silent << "|" << d.contextMenu << "|" << d.optionsMenu
        << "]\n";
    return out.str();
}

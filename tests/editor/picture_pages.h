#pragma once
// Test support for the Links and My Files pages: the scheme sheet shown over a stored scheme with
// one of those pages in front, and the picture folders its lists draw from.
#include <functional>
#include "editor/MyPropertySheet.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/editor/picture_files.h"
#include "tests/editor/scheme_sheet_bench.h"

class PicturePageTest : public testing::Test {
protected:
    enum Tab { kGeneralTab = 0, kLinksTab = 1, kMyFilesTab = 2 };

    PicturePageTest() { folders.root.Write("User Pictures\\Eco Club.bmp", picture_files::Solid(RGB(0, 150, 0))); }

    // Shows the sheet over `scheme` with page `tab` in front while `script` drives it; `stored`
    // is then a copy of the scheme with what OK would store.
    INT_PTR Edit(int tab, const std::function<void(HWND sheet, HWND page)>& script) {
        StoreScheme(scheme, "Sums");
        CMyPropertySheet sheet(kExistingSchemeCaption);
        sheet.Fill(scheme, scheme.name, "Sums");
        INT_PTR result = -2;
        robot.Run([&] { result = sheet.Show(); },
                  [&] {
                      ShownSheet shown = WaitForSheet(robot, kExistingSchemeCaption);
                      if (!shown.sheet) return;
                      robot.Post(shown.sheet, PSM_SETCURSEL, static_cast<WPARAM>(tab), 0);
                      robot.Settle();
                      shown = WaitForSheet(robot, kExistingSchemeCaption);
                      if (shown.page) script(shown.sheet, shown.page);
                  });
        stored = scheme;
        sheet.StoreInto(stored);
        return result;
    }
    void PressOk(HWND sheet) { PressSheetButton(robot, ShownSheet{sheet, nullptr}, PSBTN_OK); }
    // Rows of list `id` as (name, image).
    std::vector<std::pair<std::string, int>> RowsOf(HWND page, int id) {
        std::vector<std::pair<std::string, int>> rows;
        for (const ListRow& row : robot.ListRows(page, id)) rows.emplace_back(row.texts[0], row.image);
        return rows;
    }
    int Selected(HWND page, int id) {
        int row = -1;
        robot.OnDialogThread([&] { row = ListView(page, id).Selected(); });
        return row;
    }
    // The library image of a picture, as every list of the sheet numbers them.
    int ImageOf(const std::string& path) {
        PictureLibrary library;
        library.Build();
        return library.IndexOf(path);
    }

    RegistrySandbox registry;
    picture_files::Folders folders;
    RecordingNotices notices;
    Robot robot;
    Scheme scheme = SampleScheme("Maths");
    Scheme stored;
};

#pragma once
// The scheme editor: a property sheet over one scheme with the pages General, Links and My Files,
// in that order, each tab with its icon. No Help and no Apply button; F1 on any page opens the
// program's help. Its owner fills it from a scheme, shows it, and on OK stores it back:
//
//   CMyPropertySheet sheet(kExistingSchemeCaption, owner);
//   sheet.Fill(scheme, entry.name, entry.description);
//   if (sheet.Show() == IDOK) sheet.StoreInto(scheme); // then the name and description
#include <string>
#include "editor/MyFilesPage.h"
#include "editor/Page1.h"
#include "editor/Page2.h"
#include "framework/ImageList.h"
#include "framework/PropertySheet.h"
#include "sections/Scheme.h"

inline const char* const kExistingSchemeCaption = "Existing Scheme Properties";
inline const char* const kNewSchemeCaption = "New Scheme Properties";

class CMyPropertySheet : public PropertySheet {
public:
    explicit CMyPropertySheet(const std::string& caption, HWND parent = nullptr);

    // The pages take the scheme's values; name and description are those of its list entry.
    // `stored`, when given, is the scheme as just read from the registry under that name, which
    // the General page would otherwise read again.
    void Fill(const Scheme& scheme, const std::string& name, const std::string& description,
              const Scheme* stored = nullptr);
    // Shows the sheet until it ends with IDOK or IDCANCEL (or cannot be made: -1). A scheme,
    // edited or created, must keep one of its tabs (pupils would get a shell with none): OK
    // without any shows "Tab Selection Error" and the sheet again.
    INT_PTR Show();
    // The pages' values into the scheme. The name and the description stay the owner's: read
    // them from General().
    void StoreInto(Scheme& scheme) const;

    CPage1& General() { return general_; }
    const CPage1& General() const { return general_; }
    CPage2& Links() { return links_; }
    CMyFilesPage& MyFiles() { return myFiles_; }

protected:
    void OnInitialized() override;
    void OnHelp() override;
    void OnDpiChanged(int dpi) override;

private:
    CPage1 general_;
    CPage2 links_;
    CMyFilesPage myFiles_;
    // The tab icons at the sheet's scale.
    void MakeTabImages(int dpi);

    ImageList tabImages_;
};

#pragma once
// "KALVIROのﾊﾞｰｼﾞｮﾝ情報" with the link to the home page.

#include <wx/wx.h>

namespace kalviro {

class CAboutDialog : public wxDialog {
  public:
    explicit CAboutDialog(wxWindow* parent);
};

} // namespace kalviro

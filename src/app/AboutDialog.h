#pragma once
// "KALVIROのﾊﾞｰｼﾞｮﾝ情報" with the link to the home page.

#include <wx/wx.h>

namespace kalviro {

class AboutDialog : public wxDialog {
  public:
    explicit AboutDialog(wxWindow* parent);
};

} // namespace kalviro

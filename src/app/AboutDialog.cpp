#include "app/AboutDialog.h"

#include <wx/hyperlink.h>
#include <wx/statbmp.h>

#include "app/DialogSupport.h"
#include "app/FrameLayout.h"
#include "app/ToolbarImages.h"
#include "platform/Platform.h"

namespace kalviro {

AboutDialog::AboutDialog(wxWindow* parent) {
    Create(parent, 100, u8("KALVIROのﾊﾞｰｼﾞｮﾝ情報"), wxDefaultPosition, wxDefaultSize,
           wxDEFAULT_DIALOG_STYLE);
    SetFont(dialogFont());
    SetClientSize(dluSize(this, 235, 65));
    new wxStaticBitmap(this, wxID_ANY, applicationImage(), dluPoint(this, 13, 11),
                       dluSize(this, 20, 20));
    new wxStaticText(this, wxID_ANY, "", dluPoint(this, 40, 10), dluSize(this, 119, 8));
    new wxStaticText(this, wxID_ANY, u8("振動解析の結果を表示します"), dluPoint(this, 40, 25),
                     dluSize(this, 119, 8));
    auto* ok = new wxButton(this, wxID_OK, "OK", dluPoint(this, 178, 7), dluSize(this, 50, 14));
    ok->SetDefault();
    auto* link = new wxHyperlinkCtrl(this, 1041, kHomePage, kHomePage, dluPoint(this, 40, 41),
                                     dluSize(this, 137, 8), wxHL_ALIGN_LEFT | wxNO_BORDER);
    // The platform opens the address; the dialog stays open.
    link->Bind(wxEVT_HYPERLINK, [](wxHyperlinkEvent&) { platform().openUrl(kHomePage); });
    CentreOnParent();
}

} // namespace kalviro

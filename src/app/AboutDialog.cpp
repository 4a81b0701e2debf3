#include "app/AboutDialog.h"

#include <wx/statbmp.h>

#include "app/DialogSupport.h"
#include "app/FrameLayout.h"
#include "app/ToolbarImages.h"
#include "platform/ProgramVersion.h"

namespace kalviro {

AboutDialog::AboutDialog(wxWindow* parent) {
    Create(parent, 100, u8("KALVIROのﾊﾞｰｼﾞｮﾝ情報"), wxDefaultPosition, wxDefaultSize,
           wxDEFAULT_DIALOG_STYLE);
    SetFont(dialogFont());
    SetClientSize(dluSize(this, 235, 65));
    new wxStaticBitmap(this, wxID_ANY, applicationImage(), dluPoint(this, 13, 11),
                       dluSize(this, 20, 20));
    new wxStaticText(this, wxID_ANY, u8(std::string("KALVIRO バージョン ") + programVersion()),
                     dluPoint(this, 40, 10), dluSize(this, 119, 8));
    new wxStaticText(this, wxID_ANY, u8("振動解析の結果を表示します"), dluPoint(this, 40, 25),
                     dluSize(this, 119, 8));
    auto* ok = new wxButton(this, wxID_OK, "OK", dluPoint(this, 178, 7), dluSize(this, 50, 14));
    ok->SetDefault();
    CentreOnParent();
}

} // namespace kalviro

#include "app/MainFrame.h"

#include <wx/display.h>
#ifdef __WXGTK__
#include <dlfcn.h>
#endif
#include <wx/utils.h>

#include "app/AppConfig.h"
#include "app/AppHooks.h"
#include "app/AboutDialog.h"
#include "app/DialogSupport.h"
#include "app/FrameLayout.h"
#include "app/ToolbarImages.h"
#include "app/MoleculeView.h"
#include "render/ViewCommands.h"

namespace kalviro {
namespace {

MainFrame* theMainFrame = nullptr;

const int kFirstCommand = menuIdFor(cmd::Redraw);
const int kLastCommand = menuIdFor(cmd::OpenGaussian);

// The four key indicators after the message pane.
struct Indicator {
    const char* text;
    wxKeyCode key;
};
const Indicator kIndicators[] = {
    {"ｶﾅ", WXK_NONE}, // X has no kana lock to ask about
    {"CAP", WXK_CAPITAL},
    {"NUM", WXK_NUMLOCK},
    {"SCRL", WXK_SCROLL},
};

bool keyIsOn(wxKeyCode key) {
    if (key == WXK_NONE)
        return false;
    // Not every display reports the lock keys; wx answers false then.
    return wxGetKeyState(key);
}

// GTK pads toolbar buttons so much that twenty of them overflow a 600-pixel
// window; buttons of 16-pixel pictures want a tight frame. GTK is already
// loaded by wx, so its style calls are looked up rather than built against.
void compactToolbarButtons() {
#ifdef __WXGTK__
    static bool done = false;
    if (done)
        return;
    done = true;
    using NewProvider = void* (*)();
    using LoadData = int (*)(void*, const char*, long, void**);
    using DefaultScreen = void* (*)();
    using AddProvider = void (*)(void*, void*, unsigned);
    using Unref = void (*)(void*);
    auto newProvider = reinterpret_cast<NewProvider>(dlsym(RTLD_DEFAULT, "gtk_css_provider_new"));
    auto loadData =
        reinterpret_cast<LoadData>(dlsym(RTLD_DEFAULT, "gtk_css_provider_load_from_data"));
    auto screen = reinterpret_cast<DefaultScreen>(dlsym(RTLD_DEFAULT, "gdk_screen_get_default"));
    auto addProvider = reinterpret_cast<AddProvider>(
        dlsym(RTLD_DEFAULT, "gtk_style_context_add_provider_for_screen"));
    auto unref = reinterpret_cast<Unref>(dlsym(RTLD_DEFAULT, "g_object_unref"));
    if (!newProvider || !loadData || !screen || !addProvider || !unref || !screen())
        return;
    void* css = newProvider();
    loadData(css,
             "toolbar { padding: 0px; } toolbar button { padding: 2px; min-width: 0px; "
             "min-height: 0px; } toolbar separator { margin: 0px 2px; }",
             -1, nullptr);
    constexpr unsigned kApplicationPriority = 600; // GTK_STYLE_PROVIDER_PRIORITY_APPLICATION
    addProvider(screen(), css, kApplicationPriority);
    unref(css);
#endif
}

wxPoint framePosition() {
    const wxRect screen = wxDisplay(0u).GetGeometry();
    const FramePlacement p = mainFramePlacement(screen.width, screen.height);
    return wxPoint(screen.x + p.x, screen.y + p.y);
}

} // namespace

MainFrame* mainFrame() {
    return theMainFrame;
}

void addRecentFile(const std::string& path) {
    if (theMainFrame)
        theMainFrame->addRecentFile(path);
}

MainFrame::MainFrame()
    : wxFrame(nullptr, wxID_ANY, kAppTitle, framePosition(), wxSize(600, 600)) {
    theMainFrame = this;
    SetIcon([] {
        wxIcon icon;
        icon.CopyFromBitmap(applicationImage());
        return icon;
    }());
    buildMenus();
    buildToolBar();
    buildStatusBar();
    view_ = new MoleculeView(this);

    Bind(wxEVT_MENU, &MainFrame::onCommand, this, kFirstCommand, kLastCommand);
    Bind(wxEVT_UPDATE_UI, &MainFrame::onUpdate, this, kFirstCommand, kLastCommand);
    for (int command :
         {cmd::SaveCoordinates, cmd::About, cmd::Exit, cmd::ToggleToolBar, cmd::ToggleStatusBar}) {
        const int id = menuIdFor(command);
        Bind(wxEVT_MENU, &MainFrame::onCommand, this, id);
        Bind(wxEVT_UPDATE_UI, &MainFrame::onUpdate, this, id);
    }
    Bind(wxEVT_MENU, &MainFrame::onRecentFile, this, wxID_FILE1, wxID_FILE4);
    Bind(wxEVT_IDLE, &MainFrame::onIdle, this);

    // Ctrl+O opens a Gaussian file and Ctrl+S saves the coordinates; the
    // empty-document commands and edit keys have nothing to act on.
    wxAcceleratorEntry keys[2];
    keys[0].Set(wxACCEL_CTRL, 'O', menuIdFor(cmd::OpenGaussian));
    keys[1].Set(wxACCEL_CTRL, 'S', menuIdFor(cmd::SaveCoordinates));
    SetAcceleratorTable(wxAcceleratorTable(2, keys));

    recent_.assign(loadRecentFiles());
    rebuildRecentMenu();
    keepOnScreen(this); // a screen smaller than the window would push it off the top
}

MainFrame::~MainFrame() {
    if (theMainFrame == this)
        theMainFrame = nullptr;
}

void MainFrame::buildMenus() {
    auto* bar = new wxMenuBar;
    for (const MenuPopup& popup : menuLayout()) {
        auto* menu = new wxMenu;
        for (const MenuEntry& e : popup.entries) {
            if (e.isSeparator()) {
                menu->AppendSeparator();
                continue;
            }
            menu->Append(menuIdFor(e.id), u8(e.text), u8(statusLine(e.id)),
                         commandIsCheckable(e.id) ? wxITEM_CHECK : wxITEM_NORMAL);
        }
        if (!fileMenu_)
            fileMenu_ = menu;
        bar->Append(menu, u8(popup.title));
    }
    SetMenuBar(bar);
}

void MainFrame::buildToolBar() {
    compactToolbarButtons();
    wxToolBar* tb = CreateToolBar(wxTB_FLAT | wxTB_HORIZONTAL | wxTB_TOP, wxID_ANY);
    tb->SetToolBitmapSize(wxSize(16, 16));
    for (int id : toolbarLayout()) {
        if (id == 0) {
            tb->AddSeparator();
            continue;
        }
        // The texts have no tooltip part: the status bar shows them.
        tb->AddTool(menuIdFor(id), wxEmptyString, toolbarImage(id), wxNullBitmap,
                    commandIsCheckable(id) ? wxITEM_CHECK : wxITEM_NORMAL, wxEmptyString,
                    u8(statusLine(id)));
    }
    tb->Realize();
}

void MainFrame::buildStatusBar() {
    wxStatusBar* sb = CreateStatusBar(kPaneCount, wxSTB_DEFAULT_STYLE, wxID_ANY);
    const int widths[kPaneCount] = {-1, 36, 36, 36, 40};
    sb->SetStatusWidths(kPaneCount, widths);
    SetStatusText(u8(kIdleText), 0);
}

void MainFrame::rebuildRecentMenu() {
    for (wxMenuItem* item : recentItems_)
        fileMenu_->Destroy(item);
    recentItems_.clear();
    if (recent_.entries().empty())
        return;
    // Above "ｱﾌﾟﾘｹｰｼｮﾝの終了", set off by a separator.
    size_t pos = fileMenu_->GetMenuItemCount() - 1;
    int id = wxID_FILE1;
    int n = 1;
    for (const std::string& path : recent_.entries()) {
        const wxString label = wxString::Format("&%d %s", n++, u8(path));
        recentItems_.push_back(fileMenu_->Insert(pos++, id++, label, u8(path)));
    }
    recentItems_.push_back(fileMenu_->InsertSeparator(pos));
}

void MainFrame::addRecentFile(const std::string& path) {
    recent_.add(path);
    saveRecentFiles(recent_.entries());
    rebuildRecentMenu();
}

void MainFrame::onRecentFile(wxCommandEvent& e) {
    const std::size_t index = static_cast<std::size_t>(e.GetId() - wxID_FILE1);
    if (index >= recent_.entries().size())
        return;
    const std::string path = recent_.entries()[index];
    if (appHooks().openFile)
        appHooks().openFile(path);
}

void MainFrame::onCommand(wxCommandEvent& e) {
    const int id = commandForMenuId(e.GetId());
    switch (id) {
    case cmd::About: {
        AboutDialog about(this);
        about.ShowModal();
        return;
    }
    case cmd::Exit:
        Close();
        return;
    case cmd::ToggleToolBar:
        GetToolBar()->Show(!GetToolBar()->IsShown());
        SendSizeEvent();
        return;
    case cmd::ToggleStatusBar:
        GetStatusBar()->Show(!GetStatusBar()->IsShown());
        SendSizeEvent();
        return;
    default:
        if (!runViewCommand(id))
            e.Skip();
    }
}

void MainFrame::onUpdate(wxUpdateUIEvent& e) {
    const int id = commandForMenuId(e.GetId());
    if (id == cmd::ToggleToolBar) {
        e.Check(GetToolBar() && GetToolBar()->IsShown());
        return;
    }
    if (id == cmd::ToggleStatusBar) {
        e.Check(GetStatusBar() && GetStatusBar()->IsShown());
        return;
    }
    const CommandState s = updateCommand(id);
    e.Enable(s.enabled);
    if (s.checkable)
        e.Check(s.checked);
}

void MainFrame::onIdle(wxIdleEvent& e) {
    if (wxStatusBar* sb = GetStatusBar()) {
        for (int i = 0; i < 4; ++i) {
            const wxString text = keyIsOn(kIndicators[i].key) ? u8(kIndicators[i].text) : "";
            if (sb->GetStatusText(i + 1) != text)
                sb->SetStatusText(text, i + 1);
        }
    }
    e.Skip();
}

} // namespace kalviro

#pragma once
// The main window: menus, toolbar, status bar and the 3D view.

#include <wx/wx.h>

#include "app/RecentFilesLogic.h"

namespace kalviro {

class MoleculeView;

class MainFrame : public wxFrame {
  public:
    MainFrame();
    ~MainFrame() override;

    MoleculeView* view() const { return view_; }
    // Puts path at the top of the recent-file list, in the menu and on disk.
    void addRecentFile(const std::string& path);
    const RecentFiles& recentFiles() const { return recent_; }

    // Status bar panes: the message and the four key indicators.
    static constexpr int kPaneCount = 5;

  private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void rebuildRecentMenu();
    void onCommand(wxCommandEvent& e);
    void onUpdate(wxUpdateUIEvent& e);
    void onRecentFile(wxCommandEvent& e);
    void onIdle(wxIdleEvent& e);

    MoleculeView* view_ = nullptr;
    wxMenu* fileMenu_ = nullptr;
    RecentFiles recent_;
    std::vector<wxMenuItem*> recentItems_;
};

// The running main frame, or null.
MainFrame* mainFrame();
// Records a file opened through an open command in the recent-file list.
void addRecentFile(const std::string& path);

} // namespace kalviro

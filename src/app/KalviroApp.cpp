#include "app/KalviroApp.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include <wx/image.h>

#include "app/AxisDialog.h"
#include "app/DataSelectionDialog.h"
#include "app/MainFrame.h"
#include "app/RotationAngleDialog.h"
#include "app/DialogSupport.h"
#include "app/FrameLayout.h"
#include "app/ProgramWiring.h"
#include "app/WxPlatform.h"
#include "app/MoleculeView.h"
#include "document/FileOpening.h"
#include "render/ViewCommands.h"

namespace kalviro {
namespace {

constexpr const char* kOpenTopic = "open";

// A second start's request: bring the window up, open the file.
class InstanceConnection : public wxConnection {
  public:
    explicit InstanceConnection(KalviroApp* app) : app_(app) {}
    bool OnExec(const wxString& topic, const wxString& data) override {
        if (topic != kOpenTopic)
            return false;
        // Finish the exchange before any dialog of the open command runs.
        const std::string path = toU8(data);
        app_->CallAfter([app = app_, path] { app->openFromOutside(path); });
        return true;
    }

  private:
    KalviroApp* app_;
};

class InstanceServer : public wxServer {
  public:
    explicit InstanceServer(KalviroApp* app) : app_(app) {}
    wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
        return topic == kOpenTopic ? new InstanceConnection(app_) : nullptr;
    }

  private:
    KalviroApp* app_;
};

std::string absolute(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code ec;
    const auto abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.string();
}

} // namespace

std::vector<int> startupCommands(const char* text) {
    std::vector<int> ids;
    if (!text)
        return ids;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        char* end = nullptr;
        const long id = std::strtol(word.c_str(), &end, 10);
        if (end != word.c_str() && *end == '\0' && id > 0 && id < 65536)
            ids.push_back(static_cast<int>(id));
    }
    return ids;
}

std::string instanceSocketPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::filesystem::path dir = runtime && *runtime ? std::filesystem::path(runtime)
                                                          : std::filesystem::temp_directory_path();
    return (dir / ("KALVIRO-" + toU8(wxGetUserId()) + ".sock")).string();
}

bool handToRunningInstance(const std::string& path) {
    wxLogNull quiet; // a stale socket is not worth a message
    wxClient client;
    std::unique_ptr<wxConnectionBase> link(
        client.MakeConnection("localhost", u8(instanceSocketPath()), kOpenTopic));
    if (!link)
        return false;
    const bool ok = link->Execute(u8(path));
    link->Disconnect();
    return ok;
}

std::unique_ptr<WxPlatform> installPlatform(MainFrame* frame) {
    auto p = std::make_unique<WxPlatform>([] { return static_cast<wxWindow*>(mainFrame()); },
                                          [] {
                                              if (MainFrame* f = mainFrame())
                                                  f->view()->redraw();
                                          });
    setPlatform(p.get());
    (void)frame;
    return p;
}

bool KalviroApp::OnInit() {
    SetAppName(kAppTitle);
    SetVendorName(u8(kVendorName));
    wxInitAllImageHandlers();
    const std::string file = argc > 1 ? absolute(toU8(argv[1])) : std::string();

    instance_ =
        std::make_unique<wxSingleInstanceChecker>(wxString(kAppTitle) + "-" + wxGetUserId());
    if (instance_->IsAnotherRunning()) {
        // The running window comes up and opens the file; this process ends
        // quietly and successfully.
        handToRunningInstance(file);
        handedOver_ = true;
        return true;
    }
    const std::string socket = instanceSocketPath();
    std::error_code ec;
    std::filesystem::remove(socket, ec); // left by a process that crashed
    server_ = std::make_unique<InstanceServer>(this);
    if (!server_->Create(u8(socket)))
        server_.reset();

    auto* frame = new MainFrame(document_);
    frame_ = frame;
    platform_ = installPlatform(frame);
    wireProgram(frame);
    frame->Show();
    const std::vector<int> commands = startupCommands(std::getenv("KALVIRO_COMMANDS"));
    CallAfter([this, file, commands] {
        if (!frame_)
            return;
        auto* f = static_cast<MainFrame*>(frame_.get());
        if (!file.empty())
            f->openFile(file);
        for (int id : commands)
            f->commands().run(id);
    });
    return true;
}

int KalviroApp::OnRun() {
    return handedOver_ ? 0 : wxApp::OnRun();
}

void KalviroApp::openFromOutside(const std::string& path) {
    if (!frame_ || frame_->IsBeingDeleted())
        return;
    frame_->Iconize(false);
    frame_->Raise();
    if (!path.empty())
        static_cast<MainFrame*>(frame_.get())->openFile(path);
}

int KalviroApp::OnExit() {
    server_.reset();
    std::error_code ec;
    if (!handedOver_)
        std::filesystem::remove(instanceSocketPath(), ec);
    setPlatform(nullptr);
    return wxApp::OnExit();
}

} // namespace kalviro

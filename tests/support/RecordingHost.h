#pragma once
// A command host that writes down each window request with the pan and
// preview mode it saw, so a test can tell whether it came before or after a
// reset.

#include <string>
#include <vector>

#include "document/Document.h"
#include "render/ViewCommands.h"

namespace kalviro::test {

class RecordingHost : public CommandHost {
  public:
    explicit RecordingHost(const Document& doc) : doc_(doc) {}
    std::vector<std::string> calls;
    std::vector<float> panSeen;
    std::vector<int> modeSeen;

    void openGaussianFile() override { note("gaussian"); }
    void openGamessFile() override { note("gamess"); }
    void openCheckpointFile() override { note("checkpoint"); }
    void loadVibrationData() override { note("vibrationdata"); }
    void changeIsotopes() override { note("isotopes"); }
    void saveCoordinates() override { note("coordinates"); }
    void saveIrTable() override { note("ir"); }
    void saveIrTableSorted() override { note("irsorted"); }
    void saveRelativeIntensity() override { note("relative"); }
    void saveIrSpectrum() override { note("spectrum"); }
    void saveImage() override { note("image"); }
    void showSpectrumPreview() override { note("preview"); }
    void computeOrbital() override { note("orbital"); }
    void showAxisDialog() override { note("axis"); }
    void showRotationDialog() override { note("rotation"); }
    void showAbout() override { note("about"); }
    void exitProgram() override { note("exit"); }
    void toggleToolBar() override { note("toolbar"); }
    bool toolBarShown() const override { return true; }
    void toggleStatusBar() override { note("statusbar"); }
    bool statusBarShown() const override { return false; }

  private:
    void note(const char* what) {
        calls.emplace_back(what);
        panSeen.push_back(doc_.molecule.panX);
        modeSeen.push_back(doc_.molecule.viewMode);
    }
    const Document& doc_;
};

} // namespace kalviro::test

// A few thousand random user actions on the real main window: every command
// of its menus and toolbar, mouse presses, drags and clicks on the view, the
// buttons of the modeless dialogs with odd texts in their fields, and file
// loads of every kind (good, cut short, empty, garbage, the wrong kind,
// missing, cancelled). After every action the program's state must still
// hang together. The sequence comes from a fixed seed; a failure names the
// seed and the step, and KALVIRO_STORM_SEED / KALVIRO_STORM_STEPS replay or
// lengthen a run (KALVIRO_STORM_GREYED=1 sends greyed commands too).
//
// wx is started once for the whole test program by the environment in
// MainFrameGuiTest.cpp, which also turns wx assertions into failures.

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <wx/wx.h>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <sstream>

#include "GuiSupport.h"
#include "platform/Messages.h"
#include "app/AppConfig.h"
#include "app/AxisDialog.h"
#include "app/DataSelectionDialog.h"
#include "app/FrameLayout.h"
#include "app/RotationAngleDialog.h"
#include "app/SpectrumPreviewDialog.h"
#include "app/SpectrumWindow.h"
#include "document/PickedAtoms.h"
#include "document/ViewSettings.h"
#include "model/VibrationStore.h"
#include "document/SceneChoices.h"

using namespace kalviro;

namespace {

namespace fs = std::filesystem;
using Answer = std::optional<std::string>;

constexpr std::uint32_t kDefaultSeed = 20261206;
constexpr int kDefaultSteps = 3000;

std::uint32_t envNumber(const char* name, std::uint32_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

bool startsWith(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }

// Every text the program shows in a message box. The basis-set message
// starts with the basis name (empty when the file names none); a fault the
// orbital tracer finds names its place after a sentence; the spectrum window
// names its field or the measured file ("ファイル「name」...").
bool knownMessage(const std::string& text) {
    static const std::set<std::string> whole = {
        "ファイルが開けません", "このファイル形式には対応していません", "$DATA グループを読み込めません",
        "Zマトリックスを読み込めません", "原子番号の選択が不適切です。",
        "適切な番号を指定してください\nデフォルトのHOMOを計算します", "まずIRスペクトルを計算してください",
        "まず相対強度を計算してください", "半値幅には0以外の整数を入力してください",
        "原子番号19以上は対応していません", "IRデータの読み込みができていません",
        msg::kNoModeToAnimate, msg::kOrbitalsNoCoefficients,
        msg::kBadIsoValue, msg::kPairingNoModes, msg::kSpectrumRangeOrder,
        msg::kSpectrumStepNotPositive, msg::kSpectrumTooManyPoints, msg::kSpectrumWidthNotPositive,
        msg::kSpectrumEtaOutOfRange, msg::kSpectrumScalingNotFinite};
    for (const char* head : {msg::kCannotSaveMovie, "ファイルが開けません: ", "ファイルを保存できません: ",
                             msg::kInternalFault, msg::kPairingFailed, "ファイル「"})
        if (startsWith(text, head))
            return true;
    const std::string basis = "\n対応できない基底関数系です";
    return whole.count(text) ||
           (text.size() >= basis.size() && text.find('\n') == text.size() - basis.size() &&
            text.ends_with(basis)) ||
           (startsWith(text, "「") && text.find("」には数値を入力してください") != std::string::npos);
}

// Answers the file dialogs through the storm's choosers, shows nothing,
// keeps every message, and redraws the real view.
struct StormPlatform : Platform {
    std::vector<std::string> messages;
    std::function<Answer()> answerOpen, answerSave;
    std::function<void()> redraw;
    int dialogs = 0;

    void showMessage(const std::string& text) override { messages.push_back(text); }
    // The CSV and text saves use the open form; they get a save answer.
    Answer chooseOpenPath(const FileDialogRequest& r) override {
        return ask(r.hideReadOnly ? answerOpen : answerSave);
    }
    Answer chooseSavePath(const FileDialogRequest&) override { return ask(answerSave); }
    void redrawView() override { redraw ? redraw() : void(); }
    Answer ask(const std::function<Answer()>& answer) {
        return ++dialogs, answer ? answer() : std::nullopt;
    }
};

// wx's own error and warning logs: the program never means to raise one.
struct StormLog : wxLog {
    std::vector<std::string> errors;
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) override {
        if (level <= wxLOG_Warning)
            errors.push_back(msg.utf8_string());
    }
};

// Pending and idle events, then real window-system events too: exposures,
// sizes, the dialogs' windows.
void settle() {
    test::runPendingEvents(2);
    wxTheApp->Yield(true);
}

// Ends every modal dialog, noting its title: nobody answers it otherwise.
struct ModalWatchdog : wxTimer {
    std::vector<std::string> titles;
    void Notify() override {
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* d = dynamic_cast<wxDialog*>(w); d && d->IsModal()) {
                titles.push_back(d->GetTitle().utf8_string());
                d->EndModal(wxID_OK);
            }
    }
};

// Ends the test program when one action takes too long. A toolkit dialog
// that nobody can answer would otherwise hang the run until the CTest
// timeout without saying where.
char stallWhere[160];
struct StallGuard {
    explicit StallGuard(unsigned seconds) : seconds_(seconds) {
        std::signal(SIGALRM, [](int) {
            const char head[] = "stalled at ";
            (void)!write(2, head, sizeof head - 1);
            (void)!write(2, stallWhere, std::strlen(stallWhere));
            std::_Exit(1);
        });
    }
    ~StallGuard() { alarm(0); }
    void at(const std::string& where) {
        std::snprintf(stallWhere, sizeof stallWhere, "%s\n", where.c_str());
        alarm(seconds_);
    }
    unsigned seconds_;
};

bool isOpenWindow(const wxWindow* dlg) {
    for (wxWindow* w : wxTopLevelWindows)
        if (w == dlg)
            return !w->IsBeingDeleted();
    return !dlg;
}

class CommandStormTest : public test::DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        setPlatform(&stormPlatform_);
        doc.scene.dipoleOrigin = "-1";
        saveRecentFiles({});
        previousLog_ = wxLog::SetActiveTarget(&log_);
        frame_ = new MainFrame(doc);
        frame_->Show();
        wireProgram(frame_);
        stormPlatform_.redraw = [this] { frame_ ? frame_->view()->redraw() : void(); };
        stormPlatform_.answerOpen = [this] { return answer("open", chooseFile(note_)); };
        stormPlatform_.answerSave = [this] { return answer("save", chooseSaveTarget(note_)); };
        // Every frame and every pick must leave GL clean and its matrix
        // stacks where they started.
        ViewActions& actions = frame_->view()->actions();
        actions.drawFrame = glChecked("frame", actions.drawFrame, &frames_);
        actions.pickAt = glChecked("pick", actions.pickAt, nullptr);
        frame_->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
            // "ｱﾌﾟﾘｹｰｼｮﾝの終了" reaches here; the storm keeps its window.
            e.CanVeto() && !allowExit_ ? e.Veto() : e.Skip();
        });
        watchdog_.Start(30);
        settle();
        for (const auto& root : {fs::path(test::dataPath("")), fs::path(test::examplePath(""))})
            for (const auto& e : fs::recursive_directory_iterator(root))
                if (e.is_regular_file())
                    goodFiles_.push_back(e.path().string());
        std::sort(goodFiles_.begin(), goodFiles_.end()); // directory order is not fixed
        fs::create_directories(dir_.path("folder.log"));
    }

    void TearDown() override {
        watchdog_.Stop();
        if (frame_)
            test::closeDialogsAndDestroy(frame_);
        settle();
        wxLog::SetActiveTarget(previousLog_);
        saveRecentFiles({});
        DocumentTest::TearDown();
    }

    // f with the GL error flag and the matrix stack depths checked around it.
    std::function<void(int, int)> glChecked(std::string what, std::function<void(int, int)> f,
                                            int* count) {
        return [this, what, f, count](int a, int b) {
            for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR;)
                ++i;
            f(a, b);
            count ? void(++*count) : void();
            if (const GLenum err = glGetError(); err != GL_NO_ERROR)
                glProblems_.push_back(what + ": GL error " + std::to_string(err));
            GLint modelView = 0, projection = 0;
            glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelView);
            glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection);
            if (modelView != 1 || projection != 1)
                glProblems_.push_back(what + ": matrix stacks " + std::to_string(modelView) + "/" +
                                      std::to_string(projection));
        };
    }

    // The seeded stream all mouse, command and dialog actions come from.
    int below(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    template <class T> const T& pick(const std::vector<T>& v) {
        return v[static_cast<std::size_t>(below(static_cast<int>(v.size())))];
    }

    // --- files -------------------------------------------------------------

    // A chooser's answer, noted with what the chooser says of it.
    Answer answer(const char* dialog, Answer path) {
        note(std::string("  ") + dialog + " dialog: " + note_);
        return path;
    }

    // One of eight scratch files named after stem, holding bytes.
    std::string scratch(const std::string& stem, const std::string& ext, const std::string& bytes) {
        const std::string path = dir_.path(stem + std::to_string(below(8)) + "." + ext);
        test::writeFileBytes(path, bytes);
        return path;
    }

    // A path for an open dialog, with a note of what it is; nullopt cancels.
    Answer chooseFile(std::string& note) {
        static const std::vector<std::string> exts = {"log", "out",  "dat",  "com", "gjf",
                                                      "inp", "fchk", "FChk", "fch", "LOG"};
        const std::string good = pick(goodFiles_);
        const std::string goodExt = fs::path(good).extension().string().substr(1);
        switch (below(10)) {
        case 0:
        case 1:
            return note = "good " + good, good;
        case 2: { // cut at a random byte
            const std::string bytes = test::readFileBytes(good);
            const std::string path = scratch("cut", goodExt, "");
            test::writeFileBytes(path, bytes.substr(0, static_cast<std::size_t>(
                                                           between(0, static_cast<int>(bytes.size())))));
            return note = "cut " + good, path;
        }
        case 3: { // bytes replaced here and there: NULs, line ends, digits
            std::string bytes = test::readFileBytes(good);
            auto place = [&] { return static_cast<std::size_t>(below(static_cast<int>(bytes.size()))); };
            static const char pool[] = {'\0', '\r', '\n', '-', '.', 'D', '9', ' ', '\xff', 'E'};
            const int changes = between(1, 20);
            for (int i = 0; i < changes && !bytes.empty(); ++i)
                bytes[place()] = pool[below(sizeof pool)];
            // Now and then a number no file should hold.
            static const std::vector<std::string> numbers = {"1e999", "-1D+999", "nan",
                                                             "inf",   "1e-999",  "99999999999"};
            for (int i = between(0, 3); i > 0 && !bytes.empty(); --i)
                bytes.insert(place(), pick(numbers));
            return note = "mutated " + good, scratch("mutated", goodExt, bytes);
        }
        case 4:
            return note = "empty", scratch("empty", pick(exts), "");
        case 5: {
            std::string bytes(static_cast<std::size_t>(between(1, 6000)), '\0');
            for (char& c : bytes)
                c = static_cast<char>(below(256));
            return note = "garbage", scratch("garbage", pick(exts), bytes);
        }
        case 6: // another kind's contents under this name
            return note = "wrong kind " + good, scratch("wrongkind", pick(exts), test::readFileBytes(good));
        case 7: {
            const int odd = below(3);
            note = odd == 0 ? "missing" : odd == 1 ? "folder" : "unsupported";
            if (odd < 2)
                return dir_.path(odd == 0 ? "gone.log" : "folder.log");
            return dir_.path(chance(0.5) ? "notes.txt" : "noextension");
        }
        default:
            return note = "cancel", std::nullopt;
        }
    }

    Answer chooseSaveTarget(std::string& note) {
        const int k = below(5);
        note = k == 0 ? "save cancelled" : k == 1 ? "save into a missing folder" : "save";
        if (k == 0)
            return std::nullopt;
        return dir_.path(k == 1 ? "no/such/folder/out.csv" : "saved" + std::to_string(below(4)));
    }

    // --- actions -----------------------------------------------------------

    // A command of the menus (wx id) or the toolbar (id negated), among the
    // wx ids take accepts.
    void commandAction(const std::function<bool(int id)>& take) {
        frame_->UpdateWindowUI(wxUPDATE_UI_RECURSE); // as the idle time and menus do
        std::vector<int> ids;
        wxMenuBar* bar = frame_->GetMenuBar();
        for (std::size_t m = 0; m < bar->GetMenuCount(); ++m)
            for (wxMenuItem* it : bar->GetMenu(m)->GetMenuItems())
                if (!it->IsSeparator() && !it->IsSubMenu() && take(it->GetId()))
                    ids.push_back(it->GetId());
        wxToolBar* tb = frame_->GetToolBar();
        for (std::size_t i = 0; i < tb->GetToolsCount(); ++i)
            if (const auto* t = tb->GetToolByPos(static_cast<int>(i)); !t->IsSeparator() && take(t->GetId()))
                ids.push_back(-t->GetId());
        if (ids.empty())
            return;
        const int chosen = pick(ids), id = std::abs(chosen);
        const bool button = chosen < 0;
        const int command = id >= wxID_FILE1 && id <= wxID_FILE9 ? id : commandForMenuId(id);
        // Only what the user can reach: a greyed item or button does nothing.
        wxMenuItem* item = button ? nullptr : bar->FindItem(id);
        const bool enabled = button ? tb->GetToolEnabled(id) : !item || item->IsEnabled();
        if (!enabled && !greyedToo_)
            return note("skip disabled " + std::to_string(command));
        note(std::string(button ? "button " : "menu ") + std::to_string(command));
        aboutExpected_ = command == cmd::About;
        if (!button)
            return test::sendMenu(frame_, id);
        if (tb->FindById(id)->CanBeToggled())
            tb->ToggleTool(id, !tb->GetToolState(id));
        tb->OnLeftClick(id, tb->GetToolState(id));
    }

    // The open commands and the recent files of the file menu.
    static bool opensFile(int id) {
        const int c = commandForMenuId(id);
        return (id >= wxID_FILE1 && id <= wxID_FILE9) || c == cmd::OpenGaussian ||
               c == cmd::LoadData || c == cmd::OpenGamess || c == cmd::OpenCheckpoint;
    }

    void mouse(wxEventType type, wxPoint at, bool left, bool right) {
        wxMouseEvent e(type);
        e.SetPosition(at);
        e.m_leftDown = left;
        e.m_rightDown = right;
        e.m_controlDown = modifiers_ & 1;
        e.m_shiftDown = modifiers_ & 2;
        e.m_altDown = modifiers_ & 4;
        if (type == wxEVT_MOUSEWHEEL) {
            e.m_wheelRotation = chance(0.5) ? 120 : -120;
            e.m_wheelDelta = 120;
            e.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        }
        e.SetEventObject(frame_->view());
        frame_->view()->GetEventHandler()->ProcessEvent(e);
    }
    static std::string text(wxPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

    void mouseAction() {
        modifiers_ = chance(0.7) ? 0 : between(1, 7);
        const wxSize size = frame_->view()->GetClientSize();
        const wxPoint p{between(-30, size.x + 30), between(-30, size.y + 30)};
        switch (below(6)) {
        case 0: { // a click on an atom, or near one
            wxPoint at = p;
            if (doc.atomCount() > 0)
                if (auto q = test::atomOnScreen(*frame_->view(), doc.molecule,
                                                static_cast<std::size_t>(below(static_cast<int>(doc.atomCount())))))
                    at = *q + wxPoint(between(-2, 2), between(-2, 2));
            note("click atom at " + text(at));
            mouse(wxEVT_LEFT_DOWN, at, true, false);
            mouse(wxEVT_LEFT_UP, at, false, false);
            break;
        }
        case 1:
        case 2: { // a drag with the left (pan or pick) or right (rotate) button
            const bool left = chance(0.5);
            note(std::string(left ? "left" : "right") + " drag from " + text(p));
            mouse(left ? wxEVT_LEFT_DOWN : wxEVT_RIGHT_DOWN, p, left, !left);
            wxPoint q = p;
            for (int i = between(0, 6); i > 0; --i)
                mouse(wxEVT_MOTION, q += wxPoint(between(-80, 80), between(-80, 80)), left, !left);
            if (chance(0.9)) // now and then the button comes up elsewhere
                mouse(left ? wxEVT_LEFT_UP : wxEVT_RIGHT_UP, q, false, false);
            break;
        }
        default: { // one event of any kind, in any order with the others
            static const std::vector<wxEventType> kinds = {
                wxEVT_LEFT_DOWN,   wxEVT_LEFT_UP,     wxEVT_RIGHT_DOWN,   wxEVT_RIGHT_UP,
                wxEVT_MOTION,      wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DCLICK, wxEVT_MOUSEWHEEL,
                wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP,   wxEVT_LEAVE_WINDOW, wxEVT_ENTER_WINDOW};
            const int k = below(static_cast<int>(kinds.size()));
            note("mouse event " + std::to_string(k) + " at " + text(p));
            mouse(kinds[static_cast<std::size_t>(k)], p, chance(0.3), chance(0.3));
        }
        }
    }

    // The window made tiny, odd or large: the view's client area goes with
    // it, and the GL drawable a few events later.
    void resize(wxSize size) {
        frame_->SetSize(size);
        frame_->SendSizeEvent();
        for (int i = 0; i < 50; ++i) {
            const wxSize before = frame_->view()->GetClientSize();
            wxTheApp->Yield(true);
            wxMilliSleep(10);
            wxTheApp->Yield(true);
            if (i >= 3 && frame_->view()->GetClientSize() == before)
                return;
        }
    }

    std::string fieldText() {
        static const std::vector<std::string> odd = {
            "", "0", "1", "2", "-1", "7", "100", "2147483647", "2147483648", "-2147483649",
            "99999999999999999999999", "abc", "5x", " 3", "3 ", "1e3", "0x10", "３", "-0", "+2",
            "NaN", "inf", "\t", "日本語", std::string(300, '9'), "1.5", "--1"};
        if (chance(0.5))
            return std::to_string(between(-3, static_cast<int>(doc.atomCount()) + 3));
        return pick(odd);
    }
    // Odd text into field, noted as what.
    std::string type(const std::string& what, wxTextCtrl* field) {
        const std::string text = fieldText();
        note(what + " '" + text + "'");
        field->ChangeValue(wxString::FromUTF8(text));
        return text;
    }

    // One press, typing or click in one of the open modeless dialogs.
    void dialogAction() {
        std::vector<std::function<void()>> acts;
        if (AxisDialog* d = frame_->axisDialog()) {
            acts.push_back([this, d] {
                type("axis dialog", d->originEdit());
                const bool box = chance(0.3);
                const int button = pick(std::vector<int>{wxID_OK, wxID_OK, 1015, wxID_CANCEL});
                note("  box " + std::to_string(box) + " button " + std::to_string(button));
                d->startAtOriginBox()->SetValue(box);
                test::pressButton(d, button);
            });
            acts.push_back([this, d] { note("axis dialog escape"), test::pressEscape(d); });
        }
        if (RotationAngleDialog* d = frame_->rotationDialog())
            acts.push_back([this, d] {
                type("rotation dialog first", d->firstEdit());
                type("rotation dialog second", d->secondEdit());
                const bool ok = chance(0.8);
                note(ok ? "  OK" : "  cancel");
                test::pressButton(d, ok ? wxID_OK : wxID_CANCEL);
            });
        if (DataSelectionDialog* d = frame_->dataSelectionDialog()) {
            acts.push_back([this, d] {
                wxComboBox* list = d->modeList();
                const int entry = between(-1, static_cast<int>(list->GetCount()));
                note("mode entry " + std::to_string(entry));
                if (entry >= 0 && entry < static_cast<int>(list->GetCount()))
                    list->SetSelection(entry);
                test::chooseEntry(list, entry);
            });
            acts.push_back([this, d] { type("orbital number", d->orbitalEdit()); });
            acts.push_back([this, d] { type("isosurface value", d->isoValueEdit()); });
            acts.push_back([this, d] { note("data selection close box"), test::pressCloseBox(d); });
        }
        if (SpectrumPreviewDialog* d = frame_->previewDialog()) {
            acts.push_back([this, d] {
                type("half width, recalculate", d->halfWidthEdit());
                test::pressButton(d, 1027);
            });
            acts.push_back([this, d] {
                note("preview close");
                chance(0.5) ? test::pressEscape(d) : test::pressCloseBox(d);
            });
        }
        if (SpectrumWindow* d = frame_->spectrumWindow()) {
            acts.push_back([this, d] {
                const std::string text = fieldText();
                wxTextCtrl* field = pick(std::vector<wxTextCtrl*>{d->fromEdit(), d->toEdit(),
                                                                  d->stepEdit(), d->widthEdit()});
                note("spectrum field '" + text + "' recalculate");
                field->ChangeValue(wxString::FromUTF8(text));
                test::pressButton(d, chance(0.8) ? SpectrumWindow::kApplyId : SpectrumWindow::kFullRangeId);
            });
            acts.push_back([this, d] { note("spectrum click"), d->clickAt(below(800)); });
            acts.push_back([this, d] { note("spectrum close"), test::pressEscape(d); });
        }
        if (acts.empty())
            return note("no dialog open");
        pick(acts)();
    }

    // --- checks ------------------------------------------------------------

    // What is wrong with the state after an action, or "".
    std::string problems() {
        std::ostringstream out;
        auto fault = [&out](bool wrong, const auto&... parts) {
            if (wrong)
                ((out << parts), ...) << "; ";
        };
        fault(mainFrame() != frame_ || !isOpenWindow(frame_), "the main window is gone");
        const std::pair<const wxWindow*, const char*> dialogs[] = {
            {frame_->axisDialog(), "axis dialog"},   {frame_->rotationDialog(), "rotation dialog"},
            {frame_->dataSelectionDialog(), "data selection"}, {frame_->previewDialog(), "preview"},
            {frame_->spectrumWindow(), "spectrum window"}};
        for (const auto& [dialog, name] : dialogs)
            fault(!isOpenWindow(dialog), "the ", name, " pointer names no window");

        const MoleculeState& m = doc.molecule;
        const PickedAtoms& p = doc.picked;
        const int atoms = static_cast<int>(doc.atomCount());
        int filled = 0;
        for (int slot : p.slots) {
            filled += slot != 0;
            fault(slot < 0 || slot > atoms, "picked slot ", slot, " of ", atoms, " atoms");
        }
        fault(p.count != filled, "pick count ", p.count, " with ", filled, " filled slots");
        for (int n = 1; n <= static_cast<int>(m.atoms.size()); ++n)
            fault(m.atoms[n - 1].selected == 1 &&
                      std::find(std::begin(p.slots), std::end(p.slots), n) == std::end(p.slots),
                  "atom ", n, " highlighted but not picked");

        const VibrationStore& v = doc.vibrations;
        const int mode = doc.scene.selectedMode;
        fault(mode != 0 && (mode < 0 || static_cast<std::size_t>(mode) >= v.frequencies.size()),
              "selected mode ", mode, " of ", v.frequencies.size());
        // The texts of one table line and the vectors of one group come
        // together; a file may print no intensities (Psi4, Molden without [INT]).
        fault(v.frequencies.size() != v.symmetries.size(), v.frequencies.size(), " frequencies, ",
              v.symmetries.size(), " symmetries");
        fault(!v.intensities.empty() && v.intensities.size() != v.modes.size(),
              v.intensities.size(), " intensities, ", v.modes.size(), " modes");
        fault(v.savedModes.size() != v.modes.size() ||
                  v.savedDipoleDerivatives.size() != v.dipoleDerivatives.size(),
              "saved vectors differ in number from the loaded ones");
        for (std::size_t i = 0; i < v.modes.size() && i < v.savedModes.size(); ++i)
            fault(v.modes[i].size() != v.savedModes[i].size(), "mode ", i, " and its saved copy differ in length");

        // Numbers the commands and the mouse make stay numbers.
        const ViewSettings& s = doc.view;
        const float numbers[] = {m.pendingRotationX, m.pendingRotationY, m.pendingRotationZ, m.rotationX,
                                 m.rotationY, m.rotationZ, m.panX, m.panY, m.cameraDistance,
                                 m.viewValue, s.eyeDistance, s.eyeX, s.eyeY};
        fault(!std::all_of(std::begin(numbers), std::end(numbers), [](float f) { return std::isfinite(f); }),
              "a rotation, pan or camera value is not finite");
        auto finite = [](double x, double y, double z) {
            return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
        };
        bool loadedFinite = true, shownFinite = true;
        for (const Atom& a : m.atoms) {
            const Vector3& l = a.loadedPosition;
            loadedFinite = loadedFinite && finite(l.x, l.y, l.z);
            shownFinite = shownFinite && finite(a.x, a.y, a.z);
        }
        fault(loadedFinite && !shownFinite, "finite atoms turned into non-numbers");

        for (; checkedMessages_ < stormPlatform_.messages.size(); ++checkedMessages_) {
            const std::string& text = stormPlatform_.messages[checkedMessages_];
            fault(!knownMessage(text), "unknown message '", text, "'");
        }
        for (const std::string& e : glProblems_)
            fault(true, e);
        for (const std::string& e : log_.errors)
            fault(true, "wx log: ", e);
        // The About box is the one modal dialog the program runs itself.
        for (const std::string& t : watchdog_.titles)
            fault(!aboutExpected_ || t != "KALVIROのﾊﾞｰｼﾞｮﾝ情報", "a modal dialog nobody expected: '", t, "'");
        glProblems_.clear();
        log_.errors.clear();
        watchdog_.titles.clear();
        aboutExpected_ = false;
        return out.str();
    }

    void note(const std::string& what) {
        recent_.push_back(what);
        recent_.size() > 12 ? recent_.pop_front() : void();
    }
    std::string history() const {
        std::string h;
        for (const std::string& r : recent_)
            h += "\n    " + r;
        return h;
    }

    void openExample() {
        stormPlatform_.answerOpen = [] { return test::examplePath("formaldehyde_opt_freq.log"); };
        frame_->commands().run(cmd::OpenGaussian);
    }

    MainFrame* frame_ = nullptr;
    StormPlatform stormPlatform_;
    StormLog log_;
    wxLog* previousLog_ = nullptr;
    ModalWatchdog watchdog_;
    test::TempDir dir_;
    std::vector<std::string> goodFiles_;
    std::mt19937 rng_;
    std::deque<std::string> recent_;
    std::string note_; // what the last file chooser picked
    std::vector<std::string> glProblems_;
    std::size_t checkedMessages_ = 0;
    int modifiers_ = 0, frames_ = 0;
    bool aboutExpected_ = false, allowExit_ = false;
    // Greyed commands as well: start-up commands (KALVIRO_COMMANDS) skip the
    // enable rules.
    bool greyedToo_ = std::getenv("KALVIRO_STORM_GREYED") != nullptr;
};

TEST_F(CommandStormTest, ThousandsOfRandomActionsKeepTheProgramWhole) {
    const std::uint32_t seed = envNumber("KALVIRO_STORM_SEED", kDefaultSeed);
    const int steps = static_cast<int>(envNumber("KALVIRO_STORM_STEPS", kDefaultSteps));
    rng_.seed(seed);
    std::cout << "command storm: seed " << seed << ", " << steps << " steps" << std::endl;
    // Tiny, odd and large windows.
    const std::vector<wxSize> sizes = {{600, 600}, {120, 90}, {40, 30}, {900, 300}, {300, 900}, {1200, 1000}};

    StallGuard guard(120);
    for (int step = 0; step < steps; ++step) {
        const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
        guard.at(where);
        try {
            const int kind = below(20);
            if (kind < 7)
                commandAction([](int) { return true; });
            else if (kind < 10)
                commandAction(opensFile);
            else if (kind < 16)
                mouseAction();
            else if (kind == 16 && chance(0.2)) {
                const wxSize size = pick(sizes);
                note("window " + std::to_string(size.x) + "x" + std::to_string(size.y));
                resize(size);
            } else
                dialogAction();
            settle();
        } catch (const std::exception& e) {
            FAIL() << where << ": exception escaped: " << e.what() << history();
        } catch (...) {
            FAIL() << where << ": an exception escaped" << history();
        }
        const std::string wrong = problems();
        ASSERT_TRUE(wrong.empty()) << where << ": " << wrong << history();
        ASSERT_FALSE(HasFailure()) << where << history();
    }
    std::cout << "command storm: " << frames_ << " frames, " << stormPlatform_.messages.size()
              << " messages, " << stormPlatform_.dialogs << " file dialogs" << std::endl;

    // Afterwards the window still shows a molecule: its first size, the start
    // orientation, atoms on, a good file, and a saved picture with more than
    // background in it.
    resize(wxSize(600, 600));
    frame_->commands().run(cmd::ResetCoordinates);
    if (doc.view.atomsShown != 1)
        frame_->commands().run(cmd::AtomsShown);
    openExample();
    ASSERT_EQ(doc.atomCount(), 4u);
    const std::string picture = dir_.path("after.bmp");
    stormPlatform_.answerSave = [&picture] { return picture; };
    const int framesBefore = frames_;
    frame_->view()->redraw();
    EXPECT_EQ(frames_, framesBefore + 1);
    frame_->commands().run(cmd::SaveImage);
    const std::string bmp = test::readFileBytes(picture);
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_GT(test::pixelsUnlikeTheFirst(bmp), 500u);
    const std::string wrong = problems();
    EXPECT_TRUE(wrong.empty()) << wrong;
}

// The timer draws the moving mode while files of every kind load and the
// mode list closes; the coordinates never move, and a file without modes
// stops the animation by itself.
TEST_F(CommandStormTest, AnimationRunsSafelyWhileFilesLoadAndDialogsClose) {
    openExample();
    const std::vector<Atom> still = doc.molecule.atoms;
    test::sendMenu(frame_, menuIdFor(cmd::Animate));
    ASSERT_TRUE(doc.animation.playing);
    auto play = [](int ms) {
        for (int t = 0; t < ms; t += 20)
            wxMilliSleep(20), settle();
    };
    const int framesBefore = frames_;
    play(400);
    EXPECT_GT(frames_, framesBefore + 3);
    EXPECT_NE(doc.animation.phase, 0.0);
    for (std::size_t i = 0; i < still.size(); ++i)
        EXPECT_EQ(doc.molecule.atoms[i].position(), still[i].position()) << i;
    // Saved from the window while it plays: a GIF, and the animation goes on.
    stormPlatform_.answerSave = [this] { return dir_.path("mode.gif"); };
    frame_->commands().run(cmd::SaveAnimation);
    EXPECT_EQ(test::readFileBytes(dir_.path("mode.gif")).substr(0, 6), "GIF89a");
    EXPECT_TRUE(doc.animation.playing);

    // The last file has atoms and no modes.
    for (const std::string& file : {test::dataPath("ir/three_modes.log"),
                                   test::dataPath("gaussian-output/g16_freq_only.log"),
                                   test::examplePath("formaldehyde_zmatrix.dat")}) {
        stormPlatform_.answerOpen = [file] { return file; };
        frame_->commands().run(cmd::OpenGaussian);
        play(100);
        frame_->closeDataSelectionDialog();
        play(100);
    }
    EXPECT_FALSE(doc.animation.playing);
    const std::string wrong = problems();
    EXPECT_TRUE(wrong.empty()) << wrong;
}

TEST_F(CommandStormTest, MiddleClickWithModifiersOnTheViewOpensNothing) {
    StallGuard guard(30); // the toolkit's box would block here
    guard.at("Ctrl+Alt+middle click on the view");
    modifiers_ = 1 | 4; // Ctrl and Alt
    mouse(wxEVT_MIDDLE_DOWN, {100, 100}, false, false);
    mouse(wxEVT_MIDDLE_UP, {100, 100}, false, false);
    settle();
    EXPECT_TRUE(stormPlatform_.messages.empty());
    EXPECT_TRUE(watchdog_.titles.empty());
}

TEST_F(CommandStormTest, ExitWithEveryDialogOpenTakesThemAlong) {
    openExample();
    frame_->UpdateWindowUI(wxUPDATE_UI_RECURSE); // the settings menu lets 32805 open
    for (int command : {cmd::AxisDialog, cmd::SetRotationAngle, cmd::ShowSpectrum})
        frame_->commands().run(command);
    const std::vector<wxWeakRef<wxDialog>> dialogs = {
        frame_->axisDialog(), frame_->rotationDialog(), frame_->spectrumWindow(),
        frame_->dataSelectionDialog()};
    for (const auto& d : dialogs)
        ASSERT_NE(d.get(), nullptr);

    // The dialogs are the view's children: the window takes them along.
    allowExit_ = true;
    test::sendMenu(frame_, menuIdFor(cmd::Exit));
    for (int i = 0; i < 20 && mainFrame(); ++i)
        settle();
    ASSERT_EQ(mainFrame(), nullptr);
    frame_ = nullptr;
    for (const auto& d : dialogs)
        EXPECT_EQ(d.get(), nullptr);
}

} // namespace

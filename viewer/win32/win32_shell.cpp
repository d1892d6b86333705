#include "viewer/win32/win32_shell.h"

#include "platform/registry.h"
#include "viewer/res/texts.h"

#include <cstring>

imagelib::HeapBlock Win32BitmapResources::Load(int number) const {
    const HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    imagelib::HeapBlock block = imagelib::HeapBlock::Allocate(SizeofResource(module, found));
    if (!block.empty()) std::memcpy(block.data(), bytes, block.size());
    return block;
}

Win32Shell::Win32Shell(CVarnelleApp& app, Win32ShellServices services, Win32DialogRunner* runner)
    : app_(app),
      services_(std::move(services)),
      dialogs_(runner ? *runner : modalRunner_, app.Services().messages),
      pictures_(services_.decodeSlide, [this](std::function<void()> task) { poster_.Post(std::move(task)); },
                app.Services().messages, services_.pictureLimits),
      documentCommands_(*this),
      applicationCommands_(
          app, *this, [this] { PostQuitMessage(0); }, [this] { dialogs_.RunAbout(); }) {}

Win32Shell::~Win32Shell() = default;

// The profile is the user's key HKEY_CURRENT_USER\Software\<key>\<title>, made on the first
// run as the framework makes it. The viewer reads no settings of its own from it, and its
// menu lists no recent files.
void Win32Shell::LoadProfile(const std::string& key, int /*recentFiles*/) {
    if (!profileStore_) return;
    platform::RegistryKey parent = profileStore_->Root(platform::RegistryRoot::CurrentUser);
    for (const std::string& level : {std::string("Software"), key, std::string(texts::kAppTitle)}) {
        platform::RegistryKey opened = 0;
        const long code = profileStore_->CreateKey(parent, level, &opened);
        if (parent != profileStore_->Root(platform::RegistryRoot::CurrentUser)) profileStore_->CloseKey(parent);
        if (code != platform::kRegSuccess) return;
        parent = opened;
    }
    profileStore_->CloseKey(parent);
}

bool Win32Shell::NewDocument(const std::string& startPath, const std::string& firstSlide) {
    const bool first = !document_;
    if (first) {
        const AppServices& services = app_.Services();
        document_ = std::make_unique<CVarnelleDoc>(
            DocumentServices{services.fs, services.messages, services.printers, services_.heap}, *this, resources_);
        document_->SetDialogs(&dialogs_);
    }
    const bool loaded = document_->OnNewDocument(startPath, firstSlide);
    if (first) {
        // The first slide decodes on the worker while the frame and the view are built. The
        // frame fills the screen's work area at most, so the view's client area is no larger.
        RECT area{};
        if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
            pictures_.NewShow(document_->m_astrSlides);
            pictures_.StartFirstSlide(document_->m_nFirstSlide,
                                      PictureNeed::Fit(area.right - area.left, area.bottom - area.top));
        }
        MakeFrameAndView();
    }
    // A load that fails leaves an empty show, which the view must not index with the old
    // show's slide number: it is reset either way.
    view_->View().OnInitialUpdate();
    view_->Invalidate();
    return loaded;
}

void Win32Shell::MakeFrameAndView() {
    frame_ = std::make_unique<MainFrameWin32>(*this, app_.Services().clock);
    ViewWindowWin32::Hooks hooks{[this] { frame_->RecalcLayout(); }, [this] { frame_->UpdateIdle(); },
                                 [this](int id) { frame_->RunCommand(id); }};
    platform::TimerService& timers = services_.viewTimers([this](int id) { view_->View().OnTimer(id); });
    view_ = std::make_unique<ViewWindowWin32>(frame_->Handle(), *this, pictures_, app_.Services().messages,
                                              app_.Services().clock, timers, services_.heap, std::move(hooks));
    frame_->SetView(view_->Handle());
    dialogs_.SetOwner(frame_->Handle());
    view_->View().SetDialogs(&dialogs_);
    router_ = std::make_unique<CommandRouter>(
        std::vector<CommandTarget*>{&view_->View(), &documentCommands_, frame_.get(), &applicationCommands_});
    frame_->SetRouter(router_.get());
    printing_ = std::make_unique<Win32ViewPrinting>(app_, *this, view_->View(), app_.Services().messages,
                                                    frame_->Handle(), [this](int id) { frame_->RunCommand(id); });
    view_->View().SetPrintHost(printing_.get());
}

void Win32Shell::ShowMainWindow() {
    frame_->RecalcLayout();
    ShowWindow(frame_->Handle(), SW_SHOW);
    UpdateWindow(frame_->Handle());
    SetFocus(view_->Handle());
}

bool Win32Shell::ChooseFolder(const std::string& title, const std::string& initialPath, std::string& result) {
    const AppServices& services = app_.Services();
    return dialogs_.RunFolder({services_.drives, services_.folders, services.fs, services.messages}, title,
                              initialPath, result);
}

// The system's Print Setup dialog: the printer it leaves becomes the application's, with no
// default printer needed.
void Win32Shell::ShowPrintSetup() {
    if (printing_) printing_->ShowPrintSetup();
}

void Win32Shell::Begin() { waitCursorPrevious_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }

void Win32Shell::End() {
    if (waitCursorPrevious_) SetCursor(*waitCursorPrevious_);
    waitCursorPrevious_.reset();
}

void Win32Shell::Dispatch(MSG& message) {
    if (frame_ && TranslateAcceleratorA(frame_->Handle(), frame_->Accelerators(), &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

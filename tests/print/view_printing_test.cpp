#include "viewer/view/varnelle_view.h"

#include "viewer/res/command_ids.h"

#include "tests/support/view_test_env.h"

#include <gtest/gtest.h>

namespace {

// Scripted answers of the print loop's dialogs; records the order of calls.
class FakePrintHost final : public ViewPrintHost {
public:
    std::optional<PrinterSettings> GetPrinterDeviceDefaults() override {
        calls.push_back("defaults");
        return printer;
    }
    bool DoPreparePrinting(PrintInfo&) override {
        calls.push_back("prepare");
        return true;
    }
    bool CreatePrinterDC(PrintInfo& info) override {
        calls.push_back("dc");
        info.hasPrinterDC = true;
        return true;
    }
    bool RunPrintDialog(bool& preview) override {
        calls.push_back("print dialog");
        preview = dialogPreview;
        return dialogOk;
    }
    bool DoPrintDialog(PrintInfo&) override {
        calls.push_back("system dialog");
        return systemOk;
    }
    int NumPreviewPages() const override { return 1; }
    void SendToMainWindow(int command) override { sent.push_back(command); }
    void OnFilePrint() override { calls.push_back("print"); }
    void OnFilePrintPreview() override { calls.push_back("preview"); }

    std::optional<PrinterSettings> printer = PrinterSettings{{"d", "Office", "o"}, {"Office", PrintOrientation::Portrait, {}}};
    bool dialogOk = true;
    bool dialogPreview = false;
    bool systemOk = true;
    std::vector<std::string> calls;
    std::vector<int> sent;
};

class ViewPrintingTest : public ::testing::Test {
protected:
    ViewPrintingTest() {
        env.pictures.pictures["/show/a.png"] = {320, 240, {10, 200, 10}};
        env.SetSlides({"/show/a.png"});
        view.OnInitialUpdate();
        view.SetPrintHost(&host);
    }
    testsupport::DocumentEnv env;
    testsupport::FakeWindow window;
    FakePrintHost host;
    CVarnelleView view{ViewServices{env.documents, window, env.pictures, env.timers, env.messages, env.clock, env.heap}};
};

TEST_F(ViewPrintingTest, PrintedPageHasThePictureAndNoOverlays) {
    testsupport::RecordingCanvas canvas;
    view.OnPrint(canvas);
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"begin 800x500", "stretch", "copy"}));
    EXPECT_EQ(env.doc.m_rcClient, (Rect{0, 0, 800, 500}));
    // Printing is no first paint: no auto-advance starts from it.
    EXPECT_FALSE(view.Show().AutoAdvance());

    // The screen paint after it has its overlays again.
    testsupport::RecordingCanvas screen;
    view.OnDraw(screen);
    EXPECT_EQ(screen.calls.back(), "text 3,25 150 a.png");
}

TEST_F(ViewPrintingTest, PrintCommandsAreTheViewsOnceItCanPrint) {
    EXPECT_TRUE(view.HasCommand(cmd::ID_FILE_PRINT));
    EXPECT_TRUE(view.HasCommand(cmd::ID_FILE_PRINT_DIRECT));
    EXPECT_TRUE(view.HasCommand(cmd::ID_FILE_PRINT_PREVIEW));
    view.OnCommand(cmd::ID_FILE_PRINT);
    view.OnCommand(cmd::ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"print", "preview"}));
    view.SetPrintHost(nullptr);
    EXPECT_FALSE(view.HasCommand(cmd::ID_FILE_PRINT));
}

TEST_F(ViewPrintingTest, PreparingAPrintRunsBothDialogs) {
    PrintInfo info;
    EXPECT_TRUE(view.OnPreparePrinting(info));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"defaults", "dc", "print dialog", "system dialog"}));
    EXPECT_EQ(info.minPage, 1);
    EXPECT_EQ(info.maxPage, 1);
    EXPECT_EQ(info.fromPage, 1);
    EXPECT_EQ(info.toPage, 1);
    EXPECT_EQ(info.numPreviewPages, 1);
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(ViewPrintingTest, NothingPrintsWithoutADefaultPrinter) {
    host.printer.reset();
    PrintInfo info;
    EXPECT_FALSE(view.OnPreparePrinting(info));
    EXPECT_EQ(env.messages.Texts(), std::vector<std::string>{"There is no default printer setup."});
    EXPECT_EQ(env.messages.shown[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(host.calls, std::vector<std::string>{"defaults"});
}

TEST_F(ViewPrintingTest, CancelPreviewAndSystemCancelSendNoJob) {
    PrintInfo cancelled;
    host.dialogOk = false;
    EXPECT_FALSE(view.OnPreparePrinting(cancelled));
    EXPECT_TRUE(host.sent.empty());

    host.dialogOk = true;
    host.dialogPreview = true;
    PrintInfo previewed;
    EXPECT_FALSE(view.OnPreparePrinting(previewed));
    EXPECT_EQ(host.sent, std::vector<int>{cmd::ID_FILE_PRINT_PREVIEW});

    host.dialogPreview = false;
    host.systemOk = false;
    PrintInfo refused;
    EXPECT_FALSE(view.OnPreparePrinting(refused));
}

TEST_F(ViewPrintingTest, PreviewTakesTheStandardPreparation) {
    PrintInfo info;
    info.preview = true;
    EXPECT_TRUE(view.OnPreparePrinting(info));
    EXPECT_EQ(host.calls, std::vector<std::string>{"prepare"});
    EXPECT_EQ(info.maxPage, 1);
}

TEST_F(ViewPrintingTest, PrinterMappingComesFromTheDocument) {
    env.doc.m_nPrintPixelsPerInch = 126;
    env.doc.m_fPrintLeftPad = 0.0f;
    env.doc.m_fPrintTopPad = 3.25f;
    const PrintMapping m = view.OnPrepareDC(600, 600);
    EXPECT_EQ(m.windowExtent, 126);
    EXPECT_EQ(m.windowOrigin, (Point{0, -409}));
    EXPECT_NEAR(m.DeviceY(0), 409.0 * 600 / 126, 1e-9);
}

}  // namespace

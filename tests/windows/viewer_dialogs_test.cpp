// The viewer's dialogs over their templates under Wine: each opened modelessly, its controls
// found by id where their dialog units put them, driven by messages as the user would.
#include "tests/windows/dialog_test_support.h"
#include "viewer/win32/dialogs/dialog_ids.h"
#include "viewer/win32/dialogs/option_dialogs.h"

#include "gui_common/framework_texts.h"
#include "platform/fake/recording_message_sink.h"
#include "viewer/res/texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace dialogtest;

TEST(ZoomDialogTest, TemplateAndTheFactorShown) {
    platform::fake::RecordingMessageSink messages;
    for (const auto& [zoom, shown] : {std::pair{0.75f, "0.75"}, {2.0f, "2.0"}}) {
        CZoomDlg dialog(messages);
        dialog.m_fScale = zoom;
        HWND d = dialog.Create(nullptr);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(WindowText(d), texts::kZoomCaption);
        ExpectDialogFont(d);
        RECT client{};
        GetClientRect(d, &client);
        const RECT size = Expected(d, {0, 0, 186, 94});
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);
        ExpectItem(d, IDC_ZOOM_SCALE, {108, 34, 36, 13}, shown);
        ExpectItem(d, IDOK, {33, 73, 50, 14}, "OK");
        ExpectItem(d, IDCANCEL, {108, 73, 50, 14}, "Cancel");
        const std::vector<HWND> labels = Statics(d);
        ASSERT_EQ(labels.size(), 1u);
        ExpectLabelAt(d, labels[0], {41, 36, 63, 8}, "label");
        EXPECT_EQ(WindowText(labels[0]), texts::kZoomLabel);
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_ZOOM_SCALE, EM_GETLIMITTEXT, 0, 0), 200);
        EXPECT_EQ(dialog.m_strScale, shown);
    }
}

TEST(ZoomDialogTest, FactorRulesOnOk) {
    struct Case {
        const char* typed;
        const char* message;  // null: accepted
        const char* editAfter;
        float scale;
    };
    const Case cases[] = {
        {"0.33", texts::kScaleOutOfRange, "0.33", 0},  {"0.3333", nullptr, "0.3333", 0.3333f},
        {"3", nullptr, "3", 3.0f},                      {"3.01", texts::kScaleOutOfRange, "3.01", 0},
        {"1,5", texts::kInvalidScale, "1", 0},          {"-1", texts::kInvalidScale, "1", 0},
        {"", texts::kScaleOutOfRange, "", 0},
    };
    for (const Case& c : cases) {
        platform::fake::RecordingMessageSink messages;
        CZoomDlg dialog(messages);
        HWND d = dialog.Create(nullptr);
        Type(d, IDC_ZOOM_SCALE, c.typed);
        Click(d, IDOK);
        if (!c.message) {
            EXPECT_EQ(dialog.Result(), IDOK) << c.typed;
            EXPECT_FLOAT_EQ(dialog.m_fScale, c.scale) << c.typed;
            EXPECT_TRUE(messages.shown.empty()) << c.typed;
            continue;
        }
        EXPECT_EQ(dialog.Result(), 0) << c.typed << " closed the dialog";
        ASSERT_EQ(messages.Texts(), std::vector<std::string>{c.message}) << c.typed;
        EXPECT_EQ(messages.shown[0].caption, "") << c.typed;
        EXPECT_EQ(messages.shown[0].icon, platform::MessageIcon::Warning) << c.typed;
        EXPECT_EQ(WindowText(GetDlgItem(d, IDC_ZOOM_SCALE)), c.editAfter) << c.typed;
    }
}

TEST(TransitionsDialogTest, TemplateValuesAndPromptsWhileTyping) {
    platform::fake::RecordingMessageSink messages;
    CTransitionsDlg dialog(messages);
    dialog.m_nMode = 1;
    dialog.m_fPageInterval = 6.0f;
    dialog.m_fTransInterval = 0.75f;
    HWND d = dialog.Create(nullptr);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(WindowText(d), texts::kTransitionsCaption);
    ExpectDialogFont(d);
    ExpectItem(d, IDOK, {32, 109, 50, 14}, "OK");
    ExpectItem(d, IDCANCEL, {103, 109, 50, 14}, "Cancel");
    ExpectItem(d, IDC_MODE_AUTO_ONLY, {40, 16, 105, 10}, texts::kTransitionsDuringAuto);
    ExpectItem(d, IDC_MODE_ALWAYS, {40, 33, 101, 10}, texts::kTransitionsAlways);
    ExpectItem(d, IDC_MODE_NONE, {40, 50, 61, 10}, texts::kTransitionsNone);
    ExpectItem(d, IDC_PAGE_INTERVAL, {112, 70, 23, 13}, "6");
    ExpectItem(d, IDC_TRANSITION_INTERVAL, {112, 87, 23, 13}, "0.75");
    const std::vector<HWND> labels = Statics(d);
    ASSERT_EQ(labels.size(), 2u);
    ExpectLabelAt(d, labels[0], {51, 72, 58, 10}, "page label");
    ExpectLabelAt(d, labels[1], {50, 89, 58, 10}, "transition label");
    EXPECT_EQ(WindowText(labels[0]), texts::kPageTurnInterval);
    EXPECT_EQ(WindowText(labels[1]), texts::kTransitionInterval);
    EXPECT_FALSE(Checked(d, IDC_MODE_AUTO_ONLY));
    EXPECT_TRUE(Checked(d, IDC_MODE_ALWAYS));
    EXPECT_TRUE(messages.shown.empty()) << "showing the values prompted";

    // Each keystroke is checked: a letter, then a number past the bound.
    Type(d, IDC_PAGE_INTERVAL, "6x");
    Type(d, IDC_PAGE_INTERVAL, "2000000");
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{gui::texts::kEnterNumber, "Please enter a number between 0 and 1e+06."}));
    EXPECT_EQ(messages.shown[0].caption, texts::kAppTitle);
    EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_PAGE_INTERVAL));
    Click(d, IDOK);
    EXPECT_EQ(dialog.Result(), 0) << "OK with a refused interval";
    Type(d, IDC_PAGE_INTERVAL, "2.5");
    CheckRadioButton(d, IDC_MODE_AUTO_ONLY, IDC_MODE_NONE, IDC_MODE_NONE);
    Click(d, IDOK);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.m_nMode, 2);
    EXPECT_FLOAT_EQ(dialog.m_fPageInterval, 2.5f);
    EXPECT_FLOAT_EQ(dialog.m_fTransInterval, 0.75f);
}

TEST(NavBarDialogTest, TemplateAndCornerOutsideTheGroupChecksNone) {
    CNavBarDlg dialog;
    dialog.m_bShowNavBar = 1;
    dialog.m_nCorner = 7;
    HWND d = dialog.Create(nullptr);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(WindowText(d), texts::kNavBarCaption);
    ExpectDialogFont(d);
    ExpectItem(d, IDC_CORNER_UPPER_LEFT, {30, 27, 55, 10}, texts::kUpperLeft);
    ExpectItem(d, IDC_CORNER_UPPER_RIGHT, {114, 26, 55, 10}, texts::kUpperRight);
    ExpectItem(d, IDC_CORNER_LOWER_LEFT, {30, 54, 55, 10}, texts::kLowerLeft);
    ExpectItem(d, IDC_CORNER_LOWER_RIGHT, {114, 52, 55, 10}, texts::kLowerRight);
    ExpectItem(d, IDC_SHOW_NAVBAR, {68, 84, 62, 19}, texts::kShowNavBar);
    ExpectItem(d, IDOK, {36, 114, 50, 14}, "OK");
    ExpectItem(d, IDCANCEL, {113, 114, 50, 14}, "Cancel");
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(d, IDC_SHOW_NAVBAR), GWL_STYLE) & BS_MULTILINE);
    for (int id = IDC_CORNER_UPPER_LEFT; id <= IDC_CORNER_LOWER_RIGHT; ++id) EXPECT_FALSE(Checked(d, id)) << id;
    EXPECT_TRUE(Checked(d, IDC_SHOW_NAVBAR));
    Click(d, IDOK);
    EXPECT_EQ(dialog.m_nCorner, -1);
    EXPECT_EQ(dialog.m_bShowNavBar, 1);
}

TEST(QuickHelpAndAboutTest, LinesIconAndButtons) {
    CQuickHelpDlg help;
    HWND h = help.Create(nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(WindowText(h), texts::kQuickHelpCaption);
    ExpectDialogFont(h);
    ExpectItem(h, IDCANCEL, {130, 183, 50, 14}, "Close");
    const std::vector<HWND> statics = Statics(h);
    ASSERT_EQ(statics.size(), 15u);  // seven bullets with their lines, and the closing line
    int y = 7;
    for (std::size_t i = 0; i < 7; ++i, y += 22) {
        EXPECT_EQ(WindowText(statics[2 * i]), "*");
        ExpectAt(h, statics[2 * i], {7, y, 8, 8}, "bullet " + std::to_string(i));
        EXPECT_EQ(WindowText(statics[2 * i + 1]), texts::kQuickHelpLines[i]);
        ExpectAt(h, statics[2 * i + 1], {21, y, 284, 20}, "line " + std::to_string(i));
    }
    ExpectLabelAt(h, statics[14], {36, 168, 240, 8}, "closing line");
    EXPECT_EQ(GetWindowLongA(statics[14], GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
    Click(h, IDOK);  // Enter
    EXPECT_EQ(help.Result(), IDCANCEL);

    CAboutDlg about;
    HWND a = about.Create(nullptr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(WindowText(a), texts::kAboutCaption);
    ExpectDialogFont(a);
    ExpectItem(a, IDOK, {178, 7, 50, 14}, "OK");
    const std::vector<HWND> parts = Statics(a);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_NE(SendMessageA(parts[0], STM_GETICON, 0, 0), 0) << "no program icon";
    const RECT iconAt = Expected(a, {11, 17, 0, 0});
    EXPECT_EQ(PlaceOf(a, parts[0]).left, iconAt.left);
    EXPECT_EQ(PlaceOf(a, parts[0]).top, iconAt.top);
    EXPECT_EQ(WindowText(parts[1]), texts::kAboutVersion);
    EXPECT_TRUE(GetWindowLongA(parts[1], GWL_STYLE) & SS_NOPREFIX);
    ExpectLabelAt(a, parts[1], {40, 10, 131, 8}, "version");
    EXPECT_EQ(WindowText(parts[2]), texts::kAboutText);
    EXPECT_EQ(GetWindowLongA(parts[2], GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
    ExpectAt(a, parts[2], {40, 25, 141, 23}, "text");
    Click(a, IDOK);
    EXPECT_EQ(about.Result(), IDOK);
}

TEST(DialogPlacementTest, CentredOverItsOwner) {
    // An owner that never takes the focus: Wine waits seconds for a focused window to go.
    HWND owner = CreateWindowExA(WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP | WS_DISABLED, 100, 120, 700, 500,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(owner, SW_SHOWNOACTIVATE);
    CAboutDlg about;
    HWND a = about.Create(owner);
    RECT at{};
    GetWindowRect(a, &at);
    EXPECT_NEAR((at.left + at.right) / 2, 100 + 700 / 2, 1);
    EXPECT_NEAR((at.top + at.bottom) / 2, 120 + 500 / 2, 1);
    Click(a, IDOK);
    DestroyWindow(owner);
}

}  // namespace

// The decisions of the windowing runtime that need no window: where a window goes, which folder
// becomes current, the tab order, what a key does, and which layouts can be read.
#include "app/windowing/keyboard.h"
#include "app/windowing/module_folder.h"
#include "app/windowing/placement.h"
#include "app/windowing/runtime.h"
#include "app/windowing/tab_order.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace windowing;

TEST(CentredOnScreen, TruncatesEachQuotientTowardZero)
{
    const struct {
        int screenWidth, screenHeight, left, top;
    } cases[] = {
        {1024, 768, 370, 341},
        {1920, 1080, 818, 497},
        {200, 60, -41, -13},  // (200 - 283) / 2 is -41.5: toward zero, not down to -42
        {283, 86, 0, 0},
        {284, 87, 0, 0},
    };
    for (const auto& c : cases) {
        const Bounds placed = CentredOnScreen(c.screenWidth, c.screenHeight, {50, 50, 283, 86});
        EXPECT_EQ(placed.left, c.left) << c.screenWidth << "x" << c.screenHeight;
        EXPECT_EQ(placed.top, c.top) << c.screenWidth << "x" << c.screenHeight;
        EXPECT_EQ(placed.width, 283);
        EXPECT_EQ(placed.height, 86);
    }
}

TEST(FolderOfModule, CutsAtTheLastBackslash)
{
    const struct {
        const wchar_t* path;
        const wchar_t* folder;
    } cases[] = {
        {L"C:\\Program Files\\wifi\\personal-wifi.exe", L"C:\\Program Files\\wifi"},
        {L"D:\\工具\\personal-wifi.exe", L"D:\\工具"},
        {L"D:\\工具 測試\\ÎÞÏß\\personal-wifi.exe", L"D:\\工具 測試\\ÎÞÏß"},  // held by none of 936, 1252, 950
        {L"\\\\server\\share\\personal-wifi.exe", L"\\\\server\\share"},
        {L"C:\\personal-wifi.exe", L"C:\\"},  // the root, not the drive's current folder
        {L"personal-wifi.exe", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderOfModule(c.path), c.folder) << testing::PrintToString(std::wstring(c.path));
}

namespace {

ControlLayout Control(const char* name, int id, bool tabStop = true, int tabKey = 0)
{
    return {name, "BUTTON", name, {0, 0, 10, 10}, id, WS_CHILD, true, true, tabStop, tabKey, nullptr};
}

}  // namespace

TEST(TabOrder, LaterControlsFirstAmongEqualKeys)
{
    const ControlLayout mainWindowLike[] = {Control("start", 120), Control("delete", 110), Control("create", 100)};
    EXPECT_EQ(TabOrder(mainWindowLike, 3), (std::vector<std::size_t>{2, 1, 0}));

    const ControlLayout mixed[] = {Control("a", 1, true, 2), Control("b", 2, false), Control("c", 3, true, 1),
                                   Control("d", 4, true, 2)};
    EXPECT_EQ(TabOrder(mixed, 4), (std::vector<std::size_t>{2, 3, 0}));
}

TEST(NextInTabOrder, WrapsBothWaysAndSkipsWhatCannotTakeFocus)
{
    const std::vector<std::size_t> order = {2, 1, 0};  // create, delete, start
    const std::vector<bool> all(3, true);
    const std::vector<bool> deleteDisabled = {true, false, true};
    const std::vector<bool> none(3, false);
    const struct {
        std::size_t from;
        bool forward;
        const std::vector<bool>& focusable;
        std::size_t to;
    } cases[] = {
        {2, true, all, 1},          {1, true, all, 0},          {0, true, all, 2},
        {2, false, all, 0},         {0, false, all, 1},         {1, false, all, 2},
        {kNoControl, true, all, 2}, {kNoControl, false, all, 0},
        {2, true, deleteDisabled, 0}, {0, false, deleteDisabled, 2},
        {2, true, none, kNoControl},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextInTabOrder(order, c.from, c.forward, c.focusable), c.to)
            << "from " << c.from << (c.forward ? " forward" : " backward");
}

TEST(CommandForKey, OnlyTabShiftTabAndPlainEscAreTheRuntimes)
{
    const Modifiers none{false, false, false}, ctrl{true, false, false}, shift{false, true, false},
        alt{false, false, true};
    const struct {
        unsigned key;
        Modifiers held;
        bool escCloses;
        KeyCommand command;
    } cases[] = {
        {VK_TAB, none, true, KeyCommand::FocusNext},
        {VK_TAB, shift, true, KeyCommand::FocusPrevious},
        {VK_TAB, ctrl, true, KeyCommand::PassOn},
        {VK_TAB, alt, true, KeyCommand::PassOn},
        {VK_ESCAPE, none, true, KeyCommand::Close},
        {VK_ESCAPE, none, false, KeyCommand::PassOn},
        {VK_ESCAPE, ctrl, true, KeyCommand::PassOn},
        {VK_ESCAPE, shift, true, KeyCommand::PassOn},
        {VK_ESCAPE, alt, true, KeyCommand::PassOn},
        {VK_RETURN, none, true, KeyCommand::PassOn},
        {VK_F1, none, true, KeyCommand::PassOn},
        {VK_SPACE, none, true, KeyCommand::PassOn},
        {VK_RIGHT, none, true, KeyCommand::PassOn},
        {'C', alt, true, KeyCommand::PassOn},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandForKey(c.key, c.held, c.escCloses), c.command)
            << "key " << c.key << " ctrl " << c.held.ctrl << " shift " << c.held.shift << " alt " << c.held.alt;
}

TEST(IsReadableLayout, RejectsWhatCannotBecomeAWindow)
{
    const ControlLayout good[] = {Control("a", 100), Control("b", 110)};
    const ControlLayout duplicateIds[] = {Control("a", 100), Control("b", 100)};
    ControlLayout noClass[] = {Control("a", 100)};
    noClass[0].windowClass = nullptr;
    ControlLayout noSize[] = {Control("a", 100)};
    noSize[0].bounds.width = 0;

    const auto layout = [](const char* caption, int width, const ControlLayout* controls, std::size_t count) {
        return WindowLayout{caption, {0, 0, width, 86}, true, WS_CAPTION, 0, 0, nullptr, true, controls, count};
    };
    EXPECT_TRUE(IsReadableLayout(layout("w", 283, good, 2)));
    EXPECT_TRUE(IsReadableLayout(layout("w", 283, nullptr, 0)));
    EXPECT_FALSE(IsReadableLayout(layout(nullptr, 283, good, 2)));
    EXPECT_FALSE(IsReadableLayout(layout("w", 0, good, 2)));
    EXPECT_FALSE(IsReadableLayout(layout("w", 283, nullptr, 2)));
    EXPECT_FALSE(IsReadableLayout(layout("w", 283, duplicateIds, 2)));
    EXPECT_FALSE(IsReadableLayout(layout("w", 283, noClass, 1)));
    EXPECT_FALSE(IsReadableLayout(layout("w", 283, noSize, 1)));
}

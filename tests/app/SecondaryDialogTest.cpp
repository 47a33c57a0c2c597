// The About box, "Can't Move!!!" and "Complete Mission", each run on its own.
#include "AboutDlg.h"
#include "BoxRecorder.h"
#include "ClipView.h"
#include "CompleteDialog.h"
#include "MessageDialog.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// What the player sees of each control (the template itself is checked as stored elsewhere).
struct ExpectedControl { int id; const char* className; const char* text; };

const char kRulesFirstHalf[] =
    "Game role:\n1. Your mission is to move every persons to Island2\n"
    "2. You can't let the thief stay with other persons without police";
const char kRulesSecondHalf[] =
    "\n3. You can't let Dad stay with daughter without Mom\n4. You can't let Mom stay with son "
    "without Dad\n5. That's all!. Happy playing the game.";

void ExpectControls(const BoxRecord& box, const std::vector<ExpectedControl>& expected)
{
    ASSERT_EQ(box.controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i++) {
        SCOPED_TRACE(i);
        const ControlRecord& c = box.controls[i];
        EXPECT_EQ(c.id, expected[i].id);
        EXPECT_STRCASEEQ(c.className.c_str(), expected[i].className);
        if (expected[i].text != nullptr) {
            EXPECT_EQ(c.text, expected[i].text);
        }
        EXPECT_TRUE(c.visible);
    }
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

TEST(AboutBox, ShowsVersionPictureAndRulesAsStored)
{
    BoxRecorder boxes;
    CAboutDlg dlg;
    dlg.DoModal();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const BoxRecord& box = boxes.Boxes()[0];
    EXPECT_EQ(box.caption, "About Quillmere");
    ExpectControls(box, {
        { -1, "Static", "Quillmere Version 1.0" },
        { -1, "Static", kRulesFirstHalf },
        { IDOK, "Button", "OK" },
        { -1, "Static", nullptr },
        { -1, "Static", kRulesSecondHalf },
    });
    const RECT& picture = box.controls[3].rect;
    EXPECT_EQ(picture.left, 0);
    EXPECT_EQ(picture.top, 0);
    EXPECT_EQ(Width(picture), 200);
    EXPECT_EQ(Height(picture), 260);
}

TEST(CompleteDialog, ShowsPictureAndCongratulation)
{
    BoxRecorder boxes;
    CCompleteDialog dlg(nullptr);
    dlg.DoModal();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const BoxRecord& box = boxes.Boxes()[0];
    EXPECT_EQ(box.caption, "Complete Mission");
    ExpectControls(box, {
        { IDOK, "Button", "OK" },
        { -1, "Static", nullptr },
        { -1, "Static",
          "Congratulation! Your mission is completed. Now, this is a time to relax with some cookies!. ",
        },
    });
    EXPECT_EQ(Width(box.controls[1].rect), 300);
    EXPECT_EQ(Height(box.controls[1].rect), 200);
}

ClipRun RunMessageDialog(const char* avi)
{
    BoxRecorder boxes;
    ClipRun run;
    boxes.onBox = [&](HWND hBox, const BoxRecord&) { run = WatchClip(hBox); };
    CMessageDialog dlg(nullptr);
    dlg.m_strMessage = "The thief will hit Dad!";
    dlg.m_strAvi = avi;
    dlg.DoModal();
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    if (!boxes.Boxes().empty()) {
        const BoxRecord& box = boxes.Boxes()[0];
        EXPECT_EQ(box.caption, "Can't Move!!!");
        EXPECT_FALSE(box.style & WS_SYSMENU);
        const ControlRecord* pAnim = box.Control(IDC_ANIMATE);
        EXPECT_TRUE(pAnim != nullptr && pAnim->className == "SysAnimate32");
    }
    return run;
}

TEST(MessageDialog, PlaysTheClipAboveTheMessage)
{
    ClipRun run = RunMessageDialog("thief_dad.avi");
    EXPECT_EQ(run.message, "The thief will hit Dad!");
    EXPECT_FALSE(Uniform(run.first)) << "nothing is drawn in the clip area";
    EXPECT_NE(run.first, run.later) << "the clip does not move";
}

TEST(MessageDialog, MissingClipLeavesTheMessageAndAnEmptyClipArea)
{
    ClipRun run = RunMessageDialog("no_such_clip.avi");
    EXPECT_EQ(run.message, "The thief will hit Dad!");
    EXPECT_TRUE(Uniform(run.first));
    EXPECT_TRUE(Uniform(run.later));
}

}  // namespace

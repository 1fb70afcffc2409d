// Building control trees from layouts: every control kind, names, and
// layouts that cannot be built.

#include <gtest/gtest.h>

#include <QObject>
#include <QWidget>

#include <memory>
#include <string>

#include "tests/common/TempFolder.h"
#include "tests/ui/TestWindow.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override { UseTestLayouts(); }

    // Counts its own destruction, to see that containers free their children.
    struct Counted : CControlUI {
        explicit Counted(int* deaths) : deaths(deaths) {}
        ~Counted() override { ++*deaths; }
        int* deaths;
    };
};

// A wildcard disconnect before the delete once cut Qt's accessibility cache off
// from the widget's end, so every rebuilt row left a stale entry behind.
TEST_F(LayoutTest, DeletingAControlStillTellsOthersThatItsWidgetIsGone)
{
    auto label = std::make_unique<CLabelUI>();
    QObject observer;
    bool told = false;
    QObject::connect(label->GetWidget(), &QObject::destroyed, &observer, [&told] { told = true; });
    label.reset();
    EXPECT_TRUE(told);
}

TEST_F(LayoutTest, BuildsEveryControlKindWithItsNameAndAttributes)
{
    std::unique_ptr<CControlUI> root(CDialogBuilder().Create(u"all.xml"));
    ASSERT_NE(root, nullptr);
    EXPECT_NE(dynamic_cast<CVerticalLayoutUI*>(root.get()), nullptr);
    EXPECT_NE(dynamic_cast<CHorizontalLayoutUI*>(root->FindControl(u"bar")), nullptr);
    EXPECT_NE(dynamic_cast<CLabelUI*>(root->FindControl(u"title")), nullptr);
    EXPECT_NE(dynamic_cast<CLabelUI*>(root->FindControl(u"note")), nullptr);
    EXPECT_NE(root->FindControl(u"gap"), nullptr);
    EXPECT_NE(dynamic_cast<CButtonUI*>(root->FindControl(u"btn")), nullptr);
    EXPECT_NE(dynamic_cast<CEditUI*>(root->FindControl(u"edit")), nullptr);
    EXPECT_NE(dynamic_cast<COptionUI*>(root->FindControl(u"opt_a")), nullptr);
    EXPECT_NE(dynamic_cast<CListUI*>(root->FindControl(u"list")), nullptr);
    EXPECT_NE(dynamic_cast<CListContainerElementUI*>(root->FindControl(u"row2")), nullptr);
    EXPECT_EQ(root->FindControl(u"nothing"), nullptr);

    // Text is kept as written: "&" is a character, not a mnemonic.
    EXPECT_EQ(root->FindControl(u"title")->GetText(), u"标题 & more");
    EXPECT_EQ(root->FindControl(u"btn")->GetText(), u"&Quit");
    EXPECT_EQ(root->FindControl(u"edit")->GetText(), u"12");
    EXPECT_NE(dynamic_cast<CTextAreaUI*>(root->FindControl(u"area")), nullptr);
    EXPECT_EQ(root->FindControl(u"area")->GetText(), u"a & <b>");
    EXPECT_EQ(root->FindControl(u"row1")->GetFixedHeight(), 22);
    auto* slider = dynamic_cast<CProgressUI*>(root->FindControl(u"slider"));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetValue(), 150);
    slider->SetValue(300);
    EXPECT_EQ(slider->GetValue(), 255) << "the layout's range holds";
    EXPECT_TRUE(static_cast<COptionUI*>(root->FindControl(u"opt_a"))->IsSelected());
}

// all.xml: size="320,200" caption="30" fontsize="12"; its title label spans
// the caption's edge.
TEST_F(LayoutTest, AWindowElementGivesItsSizeCaptionAndFontToTheWindow)
{
    TestWindow w;
    HWND h = w.Create(nullptr, u"test", 2059, 0, 0, 0, CW_USEDEFAULT, CW_USEDEFAULT);
    ASSERT_NE(h, nullptr);
    w.ShowWindow(true);
    simulate::WindowState before = simulate::StateOf(h);
    EXPECT_EQ(before.width, 320);
    EXPECT_EQ(before.height, 200);
    simulate::Drag(h, 10, 28, 5, 5); // on the title, inside the caption
    simulate::WindowState moved = simulate::StateOf(h);
    EXPECT_EQ(moved.x - before.x, 5);
    simulate::Drag(h, 10, 32, 5, 5); // on the title, below the caption
    EXPECT_EQ(simulate::StateOf(h).x, moved.x);
    EXPECT_EQ(w.pm.GetDefaultFontSize(), 12);
    w.Close();
}

TEST_F(LayoutTest, ALayoutWithoutWindowElementIsItsOwnRoot)
{
    std::unique_ptr<CControlUI> root(CDialogBuilder().Create(u"item.xml"));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), u"item");
    auto* item = static_cast<CContainerUI*>(root.get());
    EXPECT_TRUE(item->SetSubControlText(u"nick", u"小明:"));
    EXPECT_TRUE(item->SetSubControlBkImage(u"level", u"5.png"));
    EXPECT_FALSE(item->SetSubControlText(u"absent", u"x"));
    EXPECT_EQ(root->FindControl(u"nick")->GetText(), u"小明:");
    EXPECT_EQ(root->FindControl(u"level")->GetBkImage(), u"5.png");
}

TEST_F(LayoutTest, LayoutsThatCannotBeBuiltGiveNull)
{
    EXPECT_EQ(CDialogBuilder().Create(u"missing.xml"), nullptr);
    EXPECT_EQ(CDialogBuilder().Create(u"malformed.xml"), nullptr);
    EXPECT_EQ(CDialogBuilder().Create(u"empty.xml"), nullptr);
    EXPECT_EQ(CDialogBuilder().Create(u"unknownroot.xml"), nullptr);
    EXPECT_EQ(CDialogBuilder().Create(nullptr), nullptr);
}

TEST_F(LayoutTest, UnknownElementsAreSkippedWithTheirContents)
{
    std::unique_ptr<CControlUI> root(CDialogBuilder().Create(u"unknown.xml"));
    ASSERT_NE(root, nullptr);
    EXPECT_NE(root->FindControl(u"a"), nullptr);
    EXPECT_NE(root->FindControl(u"b"), nullptr);
    EXPECT_EQ(root->FindControl(u"f"), nullptr);
    EXPECT_EQ(root->FindControl(u"inside"), nullptr);
    EXPECT_EQ(static_cast<CContainerUI*>(root.get())->GetCount(), 2);
}

TEST_F(LayoutTest, MissingArchiveGivesNull)
{
    CPaintManagerUI::SetResourceZip(u"no-such.zip", true);
    EXPECT_EQ(CDialogBuilder().Create(u"all.xml"), nullptr);
}

TEST_F(LayoutTest, DeepNestingFromAFolderIsCutNotACrash)
{
    TempFolder dir;
    ASSERT_NE(dir.Path(), "");
    std::string deep;
    for (int i = 0; i < 20000; ++i)
        deep += "<VerticalLayout>";
    for (int i = 0; i < 20000; ++i)
        deep += "</VerticalLayout>";
    WriteWhole(dir.Path() + "/deep.xml", deep);
    const std::string& folder = dir.Path();
    CPaintManagerUI::SetResourcePath(CDuiString(std::u16string(folder.begin(), folder.end())));
    CPaintManagerUI::SetResourceZip(u"", false); // read the folder itself
    std::unique_ptr<CControlUI> root(CDialogBuilder().Create(u"deep.xml"));
    EXPECT_NE(root, nullptr);
}

TEST_F(LayoutTest, ContainersOwnAndFreeTheirChildren)
{
    CVerticalLayoutUI box;
    int deaths = 0;
    auto* first = new Counted(&deaths);
    ASSERT_TRUE(box.Add(first));
    ASSERT_TRUE(box.Add(new Counted(&deaths)));
    EXPECT_FALSE(box.Add(nullptr));
    EXPECT_EQ(box.GetCount(), 2);
    EXPECT_TRUE(box.Remove(first));
    EXPECT_EQ(deaths, 1);
    box.RemoveAll();
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(box.GetCount(), 0);
}

TEST_F(LayoutTest, OptionsInAGroupAreExclusiveAndNotifyOnlyWhenSelected)
{
    TestWindow w;
    ASSERT_NE(w.Open(), nullptr);
    auto* a = static_cast<COptionUI*>(w.pm.FindControl(u"opt_a"));
    auto* b = static_cast<COptionUI*>(w.pm.FindControl(u"opt_b"));
    simulate::Click(b);
    EXPECT_TRUE(b->IsSelected());
    EXPECT_FALSE(a->IsSelected());
    simulate::Click(b); // clicking the selected one changes nothing
    ASSERT_EQ(w.notes.size(), 1u);
    EXPECT_EQ(w.notes[0].sType, u"selectchanged");
    EXPECT_EQ(w.notes[0].pSender, b);
}

TEST_F(LayoutTest, ControlsNotifyClicksAndUserValueChanges)
{
    TestWindow w;
    ASSERT_NE(w.Open(), nullptr);
    auto* slider = static_cast<CProgressUI*>(w.pm.FindControl(u"slider"));
    slider->SetValue(100); // a program's change is not a notification
    EXPECT_TRUE(w.notes.empty());
    simulate::StepUp(slider);
    simulate::Click(w.pm.FindControl(u"btn"));
    simulate::Click(w.pm.FindControl(u"row2"));
    simulate::Click(w.pm.FindControl(u"row2"));
    std::vector<std::u16string> types;
    for (const TNotifyUI& n : w.notes)
        types.push_back(n.sType.Str());
    std::vector<std::u16string> expected = {u"valuechanged", u"click", u"itemclick", u"itemselect", u"itemclick"};
    EXPECT_EQ(types, expected) << "a row selected already is not selected again";
    EXPECT_EQ(slider->GetValue(), 101);
    EXPECT_EQ(w.notes[3].pSender, w.pm.FindControl(u"list"));
    EXPECT_EQ(w.notes[3].wParam, 1u);
}

TEST_F(LayoutTest, AnOptionWithoutAGroupIsACheckBoxThatNotifiesBothWays)
{
    TestWindow w;
    ASSERT_NE(w.Open(), nullptr);
    auto* box = static_cast<COptionUI*>(w.pm.FindControl(u"opt_free"));
    box->Selected(true, false); // as a window sets it up: quiet
    EXPECT_TRUE(box->IsSelected());
    EXPECT_TRUE(w.notes.empty());
    simulate::Click(box);
    EXPECT_FALSE(box->IsSelected());
    simulate::Click(box);
    EXPECT_TRUE(box->IsSelected());
    ASSERT_EQ(w.notes.size(), 2u);
    EXPECT_EQ(w.notes[1].sType, u"selectchanged");
    EXPECT_EQ(w.notes[1].pSender, box);
}

// Lines of any script, markup that stays text, and a notification when the
// user leaves the field.
TEST_F(LayoutTest, TheTextAreaKeepsLinesAsPlainTextAndTellsWhenItLosesTheFocus)
{
    TestWindow w;
    ASSERT_NE(w.Open(), nullptr);
    w.ShowWindow(true, true);
    CControlUI* area = w.pm.FindControl(u"area");
    area->SetText(u"");
    simulate::Focus(area);
    for (const char16_t* line : {u"<i>x</i>", u"弹幕 🎉", u"مرحبا", u""}) {
        simulate::Type(area, line);
        simulate::PressEnter(area);
    }
    EXPECT_EQ(area->GetText(), u"<i>x</i>\n弹幕 🎉\nمرحبا\n\n");
    EXPECT_TRUE(w.notes.empty());
    simulate::Focus(w.pm.FindControl(u"edit"));
    ASSERT_EQ(w.notes.size(), 1u);
    EXPECT_EQ(w.notes[0].sType, u"killfocus");
    EXPECT_EQ(w.notes[0].pSender, area);
    const std::u16string huge(100000, u'x');
    area->SetText(huge.c_str());
    EXPECT_EQ(area->GetText().Str(), huge);
}

TEST_F(LayoutTest, TypedTextReachesTheEditAsPlainText)
{
    TestWindow w;
    ASSERT_NE(w.Open(), nullptr);
    CControlUI* edit = w.pm.FindControl(u"edit");
    edit->SetText(u"");
    simulate::Type(edit, u"<b>&1</b>");
    EXPECT_EQ(edit->GetText(), u"<b>&") << "kept as typed, up to maxchar 4";
}

} // namespace

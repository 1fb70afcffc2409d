// Building control trees from layouts, layouts that cannot be built, and
// what the controls tell their window when the user works them.

#include <QObject>
#include <QWidget>

#include <memory>
#include <string>

#include "tests/common/TempFolder.h"
#include "tests/ui/TestWindow.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

using LayoutTest = WindowTest;

template <class T>
bool Is(CControlUI* control)
{
    return dynamic_cast<T*>(control) != nullptr;
}

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

// Text is kept as written: "&" is a character, not a mnemonic.
TEST_F(LayoutTest, BuildsEveryControlKindWithItsNameAndAttributes)
{
    std::unique_ptr<CControlUI> root(CDialogBuilder().Create(u"all.xml"));
    ASSERT_TRUE(Is<CVerticalLayoutUI>(root.get()));
    const struct {
        const char16_t* name;
        bool (*kind)(CControlUI*);
        const char16_t* text; // null: not looked at
    } rows[] = {
        {u"bar", Is<CHorizontalLayoutUI>, nullptr}, {u"title", Is<CLabelUI>, u"标题 & more"},
        {u"note", Is<CLabelUI>, u"note"},           {u"gap", Is<CControlUI>, nullptr},
        {u"btn", Is<CButtonUI>, u"&Quit"},          {u"edit", Is<CEditUI>, u"12"},
        {u"opt_a", Is<COptionUI>, u"A"},            {u"area", Is<CTextAreaUI>, u"a & <b>"},
        {u"list", Is<CListUI>, nullptr},            {u"row2", Is<CListContainerElementUI>, nullptr},
        {u"slider", Is<CProgressUI>, nullptr},
    };
    for (const auto& r : rows) {
        CControlUI* control = root->FindControl(r.name);
        EXPECT_TRUE(r.kind(control)) << CDuiString(r.name).GetLength();
        if (control && r.text) {
            EXPECT_EQ(control->GetText(), r.text);
        }
    }
    EXPECT_EQ(root->FindControl(u"nothing"), nullptr);
    EXPECT_EQ(root->FindControl(u"row1")->GetFixedHeight(), 22);
    EXPECT_TRUE(static_cast<COptionUI*>(root->FindControl(u"opt_a"))->IsSelected());
    EXPECT_EQ(static_cast<CProgressUI*>(root->FindControl(u"slider"))->GetValue(), 150);
}

TEST_F(LayoutTest, LayoutsThatCannotBeBuiltGiveNullAndUnknownElementsAreSkipped)
{
    for (LPCTSTR name : {u"missing.xml", u"malformed.xml", u"empty.xml", u"unknownroot.xml", LPCTSTR()})
        EXPECT_EQ(CDialogBuilder().Create(name), nullptr) << (name ? CDuiString(name).GetLength() : -1);

    std::unique_ptr<CControlUI> root(CDialogBuilder().Create(u"unknown.xml"));
    ASSERT_NE(root, nullptr);
    EXPECT_NE(root->FindControl(u"a"), nullptr);
    EXPECT_NE(root->FindControl(u"b"), nullptr);
    EXPECT_EQ(root->FindControl(u"inside"), nullptr) << "skipped with its contents";
    EXPECT_EQ(static_cast<CContainerUI*>(root.get())->GetCount(), 2);
    EXPECT_FALSE(static_cast<CContainerUI*>(root.get())->Add(nullptr));

    CPaintManagerUI::SetResourceZip(u"no-such.zip", true);
    EXPECT_EQ(CDialogBuilder().Create(u"all.xml"), nullptr) << "missing archive";
}

TEST_F(LayoutTest, DeepNestingFromAFolderIsCutNotACrash)
{
    TempFolder dir;
    ASSERT_NE(dir.Path(), "");
    std::string open, close;
    for (int i = 0; i < 20000; ++i) {
        open += "<VerticalLayout>";
        close += "</VerticalLayout>";
    }
    WriteWhole(dir.Path() + "/deep.xml", open + close);
    const std::string& folder = dir.Path();
    CPaintManagerUI::SetResourcePath(CDuiString(std::u16string(folder.begin(), folder.end())));
    CPaintManagerUI::SetResourceZip(u"", false); // read the folder itself
    std::unique_ptr<CControlUI> root(CDialogBuilder().Create(u"deep.xml"));
    EXPECT_NE(root, nullptr);
}

// What the user changes is told to the window; what the program sets is not.
TEST_F(LayoutTest, ControlsNotifyTheUsersChangesOnly)
{
    auto* slider = static_cast<CProgressUI*>(w.pm.FindControl(u"slider"));
    auto* box = static_cast<COptionUI*>(w.pm.FindControl(u"opt_free"));
    slider->SetValue(300);
    EXPECT_EQ(slider->GetValue(), 255) << "the layout's range holds";
    slider->SetValue(100);
    box->Selected(true, false); // as a window sets it up
    EXPECT_TRUE(w.notes.empty());
    simulate::StepUp(slider);
    for (LPCTSTR name : {u"opt_b", u"opt_b", u"btn", u"row2", u"row2", u"opt_free", u"opt_free"})
        simulate::Click(w.pm.FindControl(name));
    std::vector<std::u16string> seen;
    for (const TNotifyUI& n : w.notes)
        seen.push_back(n.sType.Str() + u" " + n.pSender->GetName().Str());
    const std::vector<std::u16string> expected = {
        u"valuechanged slider",
        u"selectchanged opt_b", // clicking the selected option changes nothing
        u"click btn",
        u"itemclick row2", u"itemselect list", u"itemclick row2", // a selected row is not selected again
        u"selectchanged opt_free", u"selectchanged opt_free", // without a group: a check box, both ways
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(w.notes[4].wParam, 1u);
    EXPECT_EQ(slider->GetValue(), 101);
    EXPECT_FALSE(static_cast<COptionUI*>(w.pm.FindControl(u"opt_a"))->IsSelected());
    EXPECT_TRUE(static_cast<COptionUI*>(w.pm.FindControl(u"opt_b"))->IsSelected());
    EXPECT_TRUE(box->IsSelected());
}

// Lines of any script, markup that stays text, and a notification when the
// user leaves the field.
TEST_F(LayoutTest, TheTextAreaKeepsLinesAsPlainTextAndTellsWhenItLosesTheFocus)
{
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
    CControlUI* edit = w.pm.FindControl(u"edit");
    simulate::Focus(edit);
    ASSERT_EQ(w.notes.size(), 1u);
    EXPECT_EQ(w.notes[0].sType, u"killfocus");
    EXPECT_EQ(w.notes[0].pSender, area);
    const std::u16string huge(100000, u'x');
    area->SetText(huge.c_str());
    EXPECT_EQ(area->GetText().Str(), huge);

    edit->SetText(u"");
    simulate::Type(edit, u"<b>&1</b>");
    EXPECT_EQ(edit->GetText(), u"<b>&") << "kept as typed, up to maxchar 4";
}

} // namespace

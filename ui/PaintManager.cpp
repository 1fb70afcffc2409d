#include "ui/PaintManager.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QFont>
#include <QFontInfo>
#include <QHash>
#include <QPointer>
#include <algorithm>

#include "ui/qt/AppCore.h"
#include "ui/qt/QtText.h"
#include "ui/qt/ResizeEdges.h"
#include "ui/qt/Skin.h"
#include "ui/qt/WindowHost.h"
#include "ui/qt/Widgets.h"

namespace DuiLib {

struct CPaintManagerUI::Impl {
    QFont defaultFont;
    bool hasDefaultFont = false;
    int initWidth = 0;
    int initHeight = 0;
    QHash<QString, QPointer<QButtonGroup>> groups;
};

static HINSTANCE g_instance = nullptr;

CPaintManagerUI::CPaintManagerUI() : d(new Impl) {}

CPaintManagerUI::~CPaintManagerUI()
{
    if (WindowHost* host = HostOf(m_hWnd); host && host->manager == this)
        host->manager = nullptr;
    delete m_root;
    for (const QPointer<QButtonGroup>& group : d->groups)
        delete group.data();
}

void CPaintManagerUI::SetInstance(HINSTANCE instance)
{
    g_instance = instance;
    core::EnsureApplication();
}

HINSTANCE CPaintManagerUI::GetInstance()
{
    return g_instance;
}

CDuiString CPaintManagerUI::GetInstancePath()
{
    core::EnsureApplication();
    return FromQ(QCoreApplication::applicationDirPath() + "/");
}

void CPaintManagerUI::SetResourcePath(LPCTSTR path)
{
    skin::SetFolder(ToQ(path));
}

void CPaintManagerUI::SetResourceZip(LPCTSTR name, bool)
{
    skin::SetArchive(ToQ(name));
}

bool CPaintManagerUI::HasImage(LPCTSTR name)
{
    return !SkinImage(ToQ(name)).isNull();
}

void CPaintManagerUI::MessageLoop()
{
    core::EnsureApplication();
    core::ResetQuit();
    QEventLoop loop;
    core::RunLoop(loop);
}

void CPaintManagerUI::Term()
{
    core::Shutdown();
}

void CPaintManagerUI::Init(HWND hWnd)
{
    m_hWnd = hWnd;
}

bool CPaintManagerUI::AttachDialog(CControlUI* root)
{
    WindowHost* host = HostOf(m_hWnd);
    if (!root || !host || m_root) {
        delete root;
        return false;
    }
    m_root = root;
    root->SetManager(this, nullptr);
    host->SetRoot(root->GetWidget());
    host->captionHeight = m_captionHeight;
    if (m_sizeBox > 0)
        AddResizeEdges(host, m_sizeBox, QSize(m_minWidth, m_minHeight));
    host->manager = this;
    if (host->sizeFromLayout && d->initWidth > 0 && d->initHeight > 0)
        host->resize(d->initWidth, d->initHeight);
    return true;
}

CControlUI* CPaintManagerUI::FindControl(LPCTSTR name) const
{
    return m_root ? m_root->FindControl(name) : nullptr;
}

void CPaintManagerUI::SetTransparent(int opacity, bool passThrough, Fade fade)
{
    WindowHost* host = HostOf(m_hWnd);
    if (!host)
        return;
    opacity = std::clamp(opacity, 0, 255);
    host->AllowTranslucentBackground();
    const bool background = fade == Fade::Background && host->HasTranslucentBackground();
    host->setWindowOpacity(background ? 1.0 : opacity / 255.0);
    host->SetBackgroundAlpha(background ? opacity : 255);
    host->SetPassThrough(passThrough);
}

// Characters the face lacks are looked for here before anywhere else, so
// that emoji show in colour instead of as boxes or outlines.
static const char* const kEmojiFamily = "Noto Color Emoji";

void CPaintManagerUI::SetDefaultFont(LPCTSTR face, int size, bool bold, bool underline, bool italic)
{
    // The face, else what fontconfig puts in its place, and only then the
    // emoji font (it has digits of its own, for keycaps).
    const QString family = ToQ(face);
    QFont font;
    font.setFamilies({family, QFontInfo(QFont(family)).family(), kEmojiFamily});
    font.setPixelSize(std::max(1, size));
    font.setBold(bold);
    font.setUnderline(underline);
    font.setItalic(italic);
    d->defaultFont = font;
    d->hasDefaultFont = true;
}

int CPaintManagerUI::GetDefaultFontSize() const
{
    return d->hasDefaultFont ? d->defaultFont.pixelSize() : 0;
}

void CPaintManagerUI::ApplyDefaultFont(QWidget* widget) const
{
    if (d->hasDefaultFont)
        widget->setFont(d->defaultFont);
}

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier)
{
    if (!notifier || std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end())
        return false;
    m_notifiers.push_back(notifier);
    return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier)
{
    auto it = std::find(m_notifiers.begin(), m_notifiers.end(), notifier);
    if (it == m_notifiers.end())
        return false;
    m_notifiers.erase(it);
    return true;
}

void CPaintManagerUI::SendNotify(CControlUI* sender, LPCTSTR type, WPARAM wParam, LPARAM lParam)
{
    TNotifyUI msg;
    msg.sType = type;
    msg.pSender = sender;
    msg.wParam = wParam;
    msg.lParam = lParam;
    std::vector<INotifyUI*> notifiers = m_notifiers; // a handler may change the list
    for (INotifyUI* n : notifiers)
        n->Notify(msg);
}

void CPaintManagerUI::SetInitSize(int width, int height)
{
    d->initWidth = width;
    d->initHeight = height;
}

void CPaintManagerUI::AddOptionToGroup(const CDuiString& group, QAbstractButton* option)
{
    QPointer<QButtonGroup>& g = d->groups[ToQ(group)];
    if (!g)
        g = new QButtonGroup;
    g->addButton(option);
}

} // namespace DuiLib

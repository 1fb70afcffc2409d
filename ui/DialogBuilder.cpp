#include "ui/DialogBuilder.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "ui/Container.h"
#include "ui/Controls.h"
#include "ui/List.h"
#include "ui/PaintManager.h"
#include "ui/TextArea.h"
#include "ui/qt/QtText.h"
#include "ui/qt/Skin.h"

namespace DuiLib {

namespace {

CControlUI* NewControl(const QString& element)
{
    static const std::map<QString, std::function<CControlUI*()>> kinds = {
        {"VerticalLayout", [] { return new CVerticalLayoutUI; }},
        {"HorizontalLayout", [] { return new CHorizontalLayoutUI; }},
        {"List", [] { return new CListUI; }},
        {"ListContainerElement", [] { return new CListContainerElementUI; }},
        {"Label", [] { return new CLabelUI; }},
        {"Text", [] { return new CLabelUI; }},
        {"Control", [] { return new CControlUI; }},
        {"Button", [] { return new CButtonUI; }},
        {"Option", [] { return new COptionUI; }},
        {"Edit", [] { return new CEditUI; }},
        {"TextArea", [] { return new CTextAreaUI; }},
        {"Slider", [] { return new CProgressUI; }},
    };
    auto it = kinds.find(element);
    return it == kinds.end() ? nullptr : it->second();
}

void ApplyAttributes(CControlUI* control, const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& a : attributes) {
        std::u16string name = a.name().toString().toStdU16String();
        std::u16string value = a.value().toString().toStdU16String();
        control->SetAttribute(name.c_str(), value.c_str());
    }
}

constexpr int kMaxSizeBox = 32;    // thicker resizing edges would cover the content
constexpr int kMaxMinSide = 4096;

void ApplyWindowSettings(CPaintManagerUI* manager, const QXmlStreamAttributes& a)
{
    QStringList size = a.value("size").toString().split(',');
    if (size.size() == 2)
        manager->SetInitSize(size[0].toInt(), size[1].toInt());
    manager->SetCaptionHeight(a.value("caption").toInt());
    manager->SetSizeBox(std::clamp(a.value("sizebox").toInt(), 0, kMaxSizeBox));
    QStringList min = a.value("mininfo").toString().split(',');
    if (min.size() == 2)
        manager->SetMinInfo(std::clamp(min[0].toInt(), 0, kMaxMinSide), std::clamp(min[1].toInt(), 0, kMaxMinSide));
    if (a.hasAttribute("font") || a.hasAttribute("fontsize")) {
        std::u16string face = a.value("font").toString().toStdU16String();
        int px = a.hasAttribute("fontsize") ? a.value("fontsize").toInt() : 12;
        manager->SetDefaultFont(face.c_str(), px, false, false, false);
    }
}

constexpr int kMaxDepth = 64; // deeper elements are skipped, not recursed into

// Reads the element the reader stands on, children included; null for an
// unknown element (skipped whole).
std::unique_ptr<CControlUI> ReadElement(QXmlStreamReader& xml, int depth = 0)
{
    std::unique_ptr<CControlUI> control(depth < kMaxDepth ? NewControl(xml.name().toString()) : nullptr);
    if (!control) {
        xml.skipCurrentElement();
        return nullptr;
    }
    ApplyAttributes(control.get(), xml.attributes());
    auto* container = dynamic_cast<CContainerUI*>(control.get());
    while (xml.readNextStartElement()) {
        std::unique_ptr<CControlUI> child = ReadElement(xml, depth + 1);
        if (child && container)
            container->Add(child.release());
    }
    return control;
}

std::unique_ptr<CControlUI> ReadLayout(QXmlStreamReader& xml, CPaintManagerUI* manager)
{
    if (!xml.readNextStartElement())
        return nullptr;
    if (xml.name() != QLatin1String("Window"))
        return ReadElement(xml);
    if (manager)
        ApplyWindowSettings(manager, xml.attributes());
    std::unique_ptr<CControlUI> root;
    while (xml.readNextStartElement()) {
        std::unique_ptr<CControlUI> control = ReadElement(xml);
        if (control && !root)
            root = std::move(control); // the first known control is the root
    }
    return root;
}

} // namespace

CControlUI* CDialogBuilder::Create(LPCTSTR layout, CPaintManagerUI* manager)
{
    QByteArray bytes;
    if (!skin::Read(ToQ(layout), bytes))
        return nullptr;
    QXmlStreamReader xml(bytes);
    std::unique_ptr<CControlUI> root = ReadLayout(xml, manager);
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext(); // a fault after the root still spoils the layout
    if (xml.hasError())
        return nullptr;
    return root.release();
}

} // namespace DuiLib

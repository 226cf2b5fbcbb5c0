#include "inspector/PropEdit.h"

#include "inspector/PicsEdit.h"
#include "inspector/PropList.h"
#include "inspector/PropTexts.h"
#include "inspector/USREdit.h"
#include "platform/Font.h"
#include "platform/UIServices.h"

TPropertyEditor::~TPropertyEditor() = default;

bool TColorPropertyEditor::Execute()
{
    if (!FProp || !FProp->Alive())
        return false;
    const TColor old = TColor(FProp->OrdValue());
    TColor color = old;
    if (!UIServices().ChooseColor(color) || color == old)
        return false;
    FProp->SetStringValue(PropTexts::ColorToString(color));
    return true;
}

bool TFontPropertyEditor::Execute()
{
    if (!FProp || !FProp->Alive() || FProp->TypeName() != QLatin1String("TFont"))
        return false;
    auto* font = static_cast<TFont*>(FProp->ObjectPointer());
    if (!font)
        return false;
    TFont chosen;
    chosen.Assign(*font);
    if (!UIServices().ChooseFont(chosen))
        return false;
    if (chosen.GetLogFont() == font->GetLogFont() && chosen.Color() == font->Color())
        return false;
    if (FProp->Writable()) {
        const TFont* value = &chosen;
        FProp->SetValue(QVariant(FProp->MetaType(), &value)); // the setter copies it
    } else {
        font->Assign(chosen);
    }
    return true;
}

bool TStringsPropertyEditor::Execute()
{
    if (!FProp || !FProp->Alive() || !FProp->Writable())
        return false;
    const QStringList old = FProp->Value().toStringList();
    QStringList lines = old;
    if (!UIServices().EditStrings(lines, QString()) || lines == old)
        return false;
    FProp->SetValue(QVariant(lines));
    return true;
}

TPropertyEditorClass EditorClassOf(const TProperty* Prop)
{
    if (!Prop)
        return {};
    switch (Prop->ValueKind()) {
    case TValueKind::vkColor:
        return [](TProperty* p) { return std::make_unique<TColorPropertyEditor>(p); };
    case TValueKind::vkStrings:
        return [](TProperty* p) { return std::make_unique<TStringsPropertyEditor>(p); };
    case TValueKind::vkGraphic:
        return [](TProperty* p) { return std::make_unique<TPicturePropertyEditor>(p); };
    case TValueKind::vkUserData:
        return [](TProperty* p) { return std::make_unique<TUserDataPropertyEditor>(p); };
    case TValueKind::vkGadget:
        if (Prop->TypeName() == QLatin1String("TFont"))
            return [](TProperty* p) { return std::make_unique<TFontPropertyEditor>(p); };
        break;
    default: break;
    }
    return {};
}

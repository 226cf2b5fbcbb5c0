#pragma once
// Property editors: modal editors for values that cannot be typed on one line. Each is
// made for one property and run once; Execute returns true when it changed the value.
// Every dialog goes through the UI services (platform/UIServices.h).
#include "mycad_export.h"

#include <functional>
#include <memory>

class TProperty;

class MYCAD_EXPORT TPropertyEditor {
public:
    explicit TPropertyEditor(TProperty* Prop) : FProp(Prop) {}
    virtual ~TPropertyEditor();
    TPropertyEditor(const TPropertyEditor&) = delete;
    TPropertyEditor& operator=(const TPropertyEditor&) = delete;

    TProperty* Prop() const { return FProp; }
    virtual bool Execute() = 0;

protected:
    TProperty* FProp;
};

// A colour-typed integer, through the colour dialog.
class MYCAD_EXPORT TColorPropertyEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    bool Execute() override;
};

// A font, through the font dialog; the chosen font is copied into the property's font.
class MYCAD_EXPORT TFontPropertyEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    bool Execute() override;
};

// A string list, through the string list editor.
class MYCAD_EXPORT TStringsPropertyEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    bool Execute() override;
};

// Makes the editor of a property.
using TPropertyEditorClass = std::function<std::unique_ptr<TPropertyEditor>(TProperty* Prop)>;

// The editor a property gets: colours, fonts, string lists, pictures and user data have
// one; other properties none (an empty function).
MYCAD_EXPORT TPropertyEditorClass EditorClassOf(const TProperty* Prop);

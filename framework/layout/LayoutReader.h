#pragma once
// Reads a stored form layout into a form. The layout is text:
//
//   object MainForm: TMainForm          the form itself; class must match
//     ClientWidth = 691
//     Caption = 'Pellix'
//     Font.Style = [fsBold]             nested objects by dotted paths
//     OnShow = FormShow                 a published handler
//     object Background: TImage         an owned component, child of the
//       Picture = 'Resource\main.bmp'   enclosing windowed control
//     end
//   end
//
// Lines starting with "//" are comments. Components the form already owns
// under the same name and class are reused; others are created from the
// class registry. Anything the reader does not know - class, property,
// handler, value - raises ELayoutError naming the layout and line.

#include "framework/TComponent.h"
#include "framework/TForm.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutError.h"

#include <string>
#include <windows.h>

// The layout text stored as an RCDATA resource (e.g. "TMAINFORM") of the module.
std::string LayoutResourceText(HINSTANCE module, const std::string& resourceName);

// Applies layout text; source names it in error messages. Relative picture
// paths start at the executable's folder.
void ReadLayout(TComponent& root, const std::string& text, const std::string& source, const THandlerTable& handlers);

// Reads the module's resource named after the root's class in upper case
// ("TMainForm" -> "TMAINFORM").
void ReadFormLayout(TComponent& root, const THandlerTable& handlers, HINSTANCE module = nullptr);

// ReadFormLayout for a form whose class the registry does not know yet (one
// that is created in code, never from a layout): registers the class under
// its name, deriving from TForm, first.
void ReadOwnFormLayout(TForm& form, const THandlerTable& handlers, HINSTANCE module = nullptr);

// The named component of the root, of the expected type; raises
// ELayoutError (line 0) when the layout did not provide it.
template <typename T>
T& LayoutComponent(TComponent& root, const std::string& name)
{
    T* component = dynamic_cast<T*>(root.FindComponent(name));
    if (!component)
        throw ELayoutError(root.ClassName(), 0, "component '" + name + "' missing or of another class");
    return *component;
}

#pragma once

#include <QString>

namespace kadr::editor {

// The company under which the settings store keeps the editor's values.
inline constexpr const char* kCompanyName = "Tarnovik";

// Made once before any window exists, company name first.
void SetCompanyName();
// Fixes the private clipboard format that Copy and Paste use for the whole run. On Windows this
// MIME type is the registered format "MyClipboardFormat", shared with every running editor.
void RegisterClipboardFormat();
// Empty until registered.
QString ClipboardFormat();

}  // namespace kadr::editor

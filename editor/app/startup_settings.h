#pragma once

#include <QString>

namespace kadr::editor {

// The company under which the settings store keeps the editor's values.
inline constexpr const char* kCompanyName = "Tarnovik";

// Made once before any window exists, company name first.
void SetCompanyName();
// Fixes the private clipboard formats that Copy and Paste use for the whole run. On Windows these
// MIME types are the registered formats "MyClipboardFormat" (one frame) and "KadropisetsFrames"
// (several), shared with every running editor.
void RegisterClipboardFormat();
// Empty until registered.
QString ClipboardFormat();
QString FramesClipboardFormat();

}  // namespace kadr::editor

#include "editor/app/document_events.h"

namespace kadr::editor {

DocumentEvents::DocumentEvents(const Document& document, QObject* parent)
    : QObject(parent), subscription_(document.Subscribe(*this)) {}

}  // namespace kadr::editor

#pragma once

#include <QObject>

#include "frameset/document.h"

namespace kadr::editor {

// The document's change notification as a Qt signal, so that a widget can follow the document
// with a connection that ends when either side goes.
class DocumentEvents : public QObject, private DocumentObserver {
    Q_OBJECT

  public:
    DocumentEvents(const Document& document, QObject* parent);

  signals:
    void Changed(const kadr::DocumentChange& change);

  private:
    void DocumentChanged(const DocumentChange& change) override { emit Changed(change); }

    Document::Subscription subscription_;
};

}  // namespace kadr::editor

#pragma once
#include <QMetaObject>
#include <functional>
#include <vector>

class CDocument;
class CServiceData;
class QObject;

// What a document window's commands may ask of the program around them: the
// open documents, news of documents opening and closing, and a window that
// shows a channel. Handed in, so a command never looks for the windows.
class IDocumentDirectory {
public:
    virtual ~IDocumentDirectory() = default;

    virtual std::vector<CDocument*> OpenDocuments() const = 0;
    // Runs slot (in receiver's thread and lifetime) whenever a document
    // opens or closes.
    virtual QMetaObject::Connection WhenDocumentsChange(QObject* receiver, std::function<void()> slot) = 0;
    // Selects the channel in a window of its document, switching that window
    // to the channel's kind and to all channels when its list does not show it.
    virtual void ShowChannel(CDocument* document, const CServiceData* service) = 0;
};

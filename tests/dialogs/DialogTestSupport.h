#pragma once
// Shared pieces of the dialog tests: a document loaded from builder bytes,
// and pictures of the dialogs for looking at them.
#include <QDir>
#include <QWidget>
#include <memory>

#include "uibase/Document.h"
#include "GuiTestSupport.h"
#include "NdbTestBuilder.h"

namespace dlgtest {

// A document holding the database, unmodified, as if just opened.
inline std::unique_ptr<CDocument> LoadDocument(IUserPrompts& prompts, const ndbtest::TestDatabase& db)
{
    auto doc = std::make_unique<CDocument>(prompts);
    const ndbtest::Bytes file = db.Build();
    if (doc->Core().Load(file.data(), file.size()) != LoadStatus::Loaded) {
        return nullptr;
    }
    doc->Core().SetModifiedFlag(false);
    doc->SyncModifiedFlag();
    return doc;
}

// With VE_DIALOG_SHOTS naming a folder, saves a picture of the widget there.
inline void SaveShot(QWidget* widget, const QString& name)
{
    const QByteArray dir = qgetenv("VE_DIALOG_SHOTS");
    if (dir.isEmpty() || widget == nullptr) {
        return;
    }
    QDir().mkpath(QString::fromLocal8Bit(dir));
    widget->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace dlgtest

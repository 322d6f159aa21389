// The clipboard commands of the channel list: copy, cut and paste of
// channels with their transponder and satellite records, in the editor's
// private clipboard format.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

#include "uibase/AppMessages.h"
#include "ChannelListModel.h"
#include "uibase/Document.h"
#include "SortListCtrl.h"
#include "uibase/UserPrompts.h"
#include "VandrelEdit2028View.h"
#include "uibase/ViewMessages.h"
#include "WaitCursor.h"
#include "document/ChannelClipboard.h"
#include "document/ExchangeMessages.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/ClipPayload.h"

namespace {
QString MimeType()
{
    return QString::fromLatin1(kClipMimeType);
}
} // namespace

bool CVandrelEdit2028View::ClipboardHasChannels()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(MimeType());
}

void CVandrelEdit2028View::ShowExchangeMessage(const std::string& caption, const std::string& text)
{
    m_prompts.Warning(this, QString::fromUtf8(caption.empty() ? appmsg::kAppName : caption.c_str()),
                      QString::fromStdString(text));
}

void CVandrelEdit2028View::PublishCopy(const std::vector<uint8_t>& payload, const std::vector<CServiceData*>& notCopied)
{
    // Nothing copyable leaves what the clipboard held before.
    if (!payload.empty()) {
        auto* data = new QMimeData;
        data->setData(MimeType(), QByteArray(reinterpret_cast<const char*>(payload.data()),
                                             static_cast<qsizetype>(payload.size())));
        QGuiApplication::clipboard()->setMimeData(data);
    }
    const std::string missing = NotCopiedMessage(notCopied);
    if (!missing.empty())
        ShowExchangeMessage({}, missing);
}

void CVandrelEdit2028View::CopySelection()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    const ClipCopyResult result = CopyChannels(m_document.Core(), ServicesOf(rows));
    // Each row is deselected as it is copied; the last one stays selected.
    SelectOnly(rows.back());
    PublishCopy(result.payload, result.notCopied);
}

void CVandrelEdit2028View::CutSelection()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty() || m_nListMode == kModeFavourite)
        return;
    const std::vector<CServiceData*> selected = ServicesOf(rows);
    ClipCopyResult result;
    bool renumbered = false;
    {
        const CWaitCursor wait;
        m_document.RunChange(QString::fromUtf8(viewmsg::kUndoCut), [&] {
            result = CutChannels(m_document.Core(), selected);
            if (!result.copied.empty())
                renumbered = RenumberIfDue(false);
        });
        // Channels that could not be copied stay in the table and in the list.
        std::vector<int> removed;
        removed.reserve(result.copied.size());
        size_t next = 0;
        for (size_t i = 0; i < rows.size() && next < result.copied.size(); ++i)
            if (selected[i] == result.copied[next]) {
                removed.push_back(rows[i]);
                ++next;
            }
        RemoveRows(removed);
        ShowNumbers(renumbered);
    }
    SelectOnly(rows.front());
    ShowServiceInPanes(false);
    UpdateStatusText();
    if (!result.copied.empty())
        emit ChannelTableChanged();
    PublishCopy(result.payload, result.notCopied);
}

void CVandrelEdit2028View::PasteChannels()
{
    if (m_nListMode == kModeFavourite)
        return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(MimeType())) {
        ShowExchangeMessage(exmsg::kNotOurDataCaption, exmsg::kNotOurData);
        return;
    }
    const QByteArray bytes = data->data(MimeType());
    const std::vector<int> rows = SelectedRows();
    CServiceData* before = rows.empty() ? nullptr : m_pModel->ServiceAt(rows.front());
    PasteResult result;
    {
        const CWaitCursor wait;
        m_document.RunChange(QString::fromUtf8(viewmsg::kUndoPaste), [&] {
            result = ::PasteChannels(m_document.Core(), reinterpret_cast<const uint8_t*>(bytes.constData()),
                                     static_cast<size_t>(bytes.size()), IsTelevision(), before);
        });
        // The new rows stand where the channels went: before the first
        // selected row, or at the end of the list.
        const int at = rows.empty() ? m_pModel->rowCount() : rows.front();
        std::vector<ChannelRow> added;
        added.reserve(result.pasted.size());
        for (CServiceData* service : result.pasted)
            added.push_back({service, service->m_nListPos});
        m_pModel->InsertChannelRows(at, added);
        ShowNumbers(true);
        if (!added.empty()) {
            // After a stop only the channel pasted last (the first of them) stays selected.
            const int count = result.stop == PasteStop::None ? static_cast<int>(added.size()) : 1;
            std::vector<int> selectedRows(static_cast<size_t>(count));
            for (int i = 0; i < count; ++i)
                selectedRows[static_cast<size_t>(i)] = at + i;
            SelectRows(selectedRows, at);
            ActiveItemView()->scrollTo(m_pModel->index(at, 0));
        }
    }
    if (!result.message.empty())
        ShowExchangeMessage(result.caption, result.message);
    UpdateStatusText();
    if (!result.pasted.empty())
        emit ChannelTableChanged();
    ActiveItemView()->setFocus();
    ShowServiceInPanes(false);
}

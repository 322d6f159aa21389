// Adding a channel by hand from the channel list.
#include <QAbstractItemView>

#include "ChannelListModel.h"
#include "uibase/Document.h"
#include "uibase/UserPrompts.h"
#include "VandrelEdit2028View.h"
#include "uibase/ViewMessages.h"
#include "WaitCursor.h"
#include "dialogs/NewChannelDlg.h"
#include "document/NewChannel.h"
#include "document/VandrelEdit2028Doc.h"

void CVandrelEdit2028View::NewChannel()
{
    CVandrelEdit2028Doc& doc = m_document.Core();
    const bool television = IsTelevision();
    const QString title = QString::fromUtf8(television ? viewmsg::kNewTvChannel : viewmsg::kNewRadioChannel);
    // A full table or one without transponders is refused before anything is typed.
    const std::string blocker = NewChannelBlocker(doc);
    if (!blocker.empty()) {
        m_prompts.Warning(this, title, QString::fromStdString(blocker));
        return;
    }
    const std::vector<int> rows = SelectedRows();
    CServiceData* selected = rows.empty() ? nullptr : m_pModel->ServiceAt(rows.front());

    // The dialog starts where the user is: the selected channel's
    // transponder, else the transponder or satellite the list shows.
    int startSatellite = -1;
    int startTransponder = StartTransponderIndex(doc, television, selected);
    if (selected == nullptr && m_nListMode == kModeTransponder && m_pShownTransponder != nullptr) {
        for (int i = 0; i < doc.m_transponders.GetSize(); ++i)
            if (doc.m_transponders.GetAt(i) == m_pShownTransponder)
                startTransponder = i;
    } else if (selected == nullptr && m_nListMode == kModeSatellite) {
        startSatellite = m_nShownSatellite;
        startTransponder = -1;
    }
    const int startGroup = m_nListMode == kModeFavourite ? m_nShownGroup + 1 : 0;

    CNewChannelDlg dialog(m_prompts, doc, television, selected, startSatellite, startTransponder, startGroup,
                          this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    activateWindow();
    ActiveItemView()->setFocus();
    if (!accepted)
        return;

    NewChannelResult result;
    {
        const CWaitCursor wait;
        m_document.RunChange(title, [&] { result = AddNewChannel(doc, dialog.Fields(), television, selected); });
        if (result.added != nullptr) {
            // The list shows the new channel in its place and with the new
            // numbers; when the tree's node does not hold it, all channels.
            Refill();
            if (FindRowOfService(result.added) < 0)
                emit AllChannelsWanted();
            if (FindRowOfService(result.added) < 0)
                FillAllChannels(m_nKind);
        }
    }
    if (result.added == nullptr) {
        m_prompts.Warning(this, title, QString::fromStdString(result.message));
        return;
    }
    const int row = FindRowOfService(result.added);
    SelectRows({row}, row);
    ActiveItemView()->scrollTo(m_pModel->index(row, 0));
    UpdateStatusText();
    emit ChannelTableChanged();
    ActiveItemView()->setFocus();
    ShowServiceInPanes(false);
}

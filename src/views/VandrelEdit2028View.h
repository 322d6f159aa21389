#pragma once
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "document/ChannelRows.h"
#include "uibase/CommandTarget.h"

class CChannelIconView;
class CChannelListModel;
class CDocument;
class CServiceData;
class CSortListCtrl;
class CTransponderData;
class ISettingsStore;
class IUserPrompts;
class QAbstractItemView;
class QMenu;
class QStackedWidget;
struct AppSettings;

// The channel list of a document window: the channels of the tree's node,
// shown in details, list or icon mode, and every editing command on the
// selected channels. Each command is one undoable step of the document.
class CVandrelEdit2028View : public QWidget, public ICommandTarget {
    Q_OBJECT
public:
    enum ListMode { kModeFavourite = 1, kModeAll = 2, kModeSatellite = 3, kModeTransponder = 4 };
    enum DisplayMode { kDetails, kList, kSmallIcons, kLargeIcons };

    CVandrelEdit2028View(CDocument& document, AppSettings& settings, ISettingsStore& store, IUserPrompts& prompts,
                         QWidget* parent = nullptr);
    ~CVandrelEdit2028View() override;

    // Fills (kind 0 television, 1 radio).
    void FillAllChannels(int kind);
    void FillSatellite(int satelliteIndex, int kind);
    void FillTransponder(const CTransponderData* transponder, int kind);
    void FillFavouriteGroup(int groupIndex, int kind);
    int ListMode() const { return m_nListMode; }

    // Rewrites the row of the record (after an edit in the channel pane) and
    // announces it as the current channel.
    void RefreshChannelRow(CServiceData* service);
    // Rewrites the satellite and transponder columns of every row.
    void RefreshTransponderColumns();
    // Renumbers when automatic numbering is on or renumber is set, then shows
    // the numbers.
    void RefreshNumbers(bool renumber);
    void UpdateStatusText();
    int FindRowOfService(const CServiceData* service) const;
    int GetSelectedCount() const;
    std::vector<CServiceData*> SelectedServices() const;
    void SelectServices(const std::vector<CServiceData*>& services);
    void EnsureSelectionVisible();
    // Makes the current row's channel (the first selected one when the
    // current row is not selected) the document's current one, with its
    // transponder and satellite, and announces it (hint 1509).
    void ShowServiceInPanes(bool bringToFront);

    // Window state the list follows.
    void SetAutoNumbering(bool on) { m_bAutoNumbering = on; }
    void SetFavSeqNum(bool on) { m_bFavSeqNum = on; }
    bool FavSeqNum() const { return m_bFavSeqNum; }
    void SetMarkedGroup(int groupIndex);
    int MarkedGroup() const;
    void ApplyColors();

    void SetDisplayMode(DisplayMode mode);
    DisplayMode GetDisplayMode() const { return m_displayMode; }
    // Width of the name column in list mode.
    void SetListColumnWidth(int width);

    CChannelListModel& Model() const { return *m_pModel; }
    CSortListCtrl* ListCtrl() const { return m_pList; }
    CChannelIconView* IconView() const { return m_pIcons; }
    // The view that shows the rows in the current display mode.
    QAbstractItemView* ActiveItemView() const;
    // Builds the context menu "Service" as a right click shows it.
    QMenu* CreateServiceMenu(QWidget* parent);

    bool UpdateCommand(int id, CommandState& state) override;
    bool OnCommand(int id) override;
    void SetCommandFallback(ICommandTarget* fallback) { m_pFallback = fallback; }

    // Moves the selected channels to channel number position of the shown
    // kind (the move dialog's confirmation).
    void MoveSelectedToPosition(int position);
    // A hit of the channel search: selects its row when the list shows it.
    void ShowSearchHit(CServiceData* service);
    // Channel rows dropped on favourite group groupIndex in the tree.
    void OnRowsDroppedOnGroup(int groupIndex);

    // Clipboard exchange of channels, between documents or within one.
    void CopySelection();
    void CutSelection();
    void PasteChannels();
    // Whether the clipboard holds channels of this editor.
    static bool ClipboardHasChannels();

    // "Neuer Fernsehkanal" / "Neuer Radiokanal": the dialog, then the new
    // channel after the selected row (or the last channel of the kind),
    // selected and shown in the panes.
    void NewChannel();

signals:
    void StatusTextChanged(const QString& text);
    // The current channel changed; the panes show it (bring to front when set).
    void ServiceShown(bool bringToFront);
    // A drop on a selected row: the main frame shows its notification.
    void DropRefused(const QString& text);
    // Channels left or joined the table (the search looks again).
    void ChannelTableChanged();
    // The selection changed: the commands' enabled states may differ.
    void SelectionChanged();
    // A channel was added that the tree's node does not list: the window
    // shows all channels of the kind.
    void AllChannelsWanted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CServiceData* ServiceForPanes() const;
    // The panes show the channel of the current row, whatever moved it.
    void FollowCurrentRow();
    void Fill(int mode, std::vector<ChannelRow> rows);
    // Fills again with what the list showed last.
    void Refill();
    bool IsTelevision() const { return m_nKind == 0; }
    std::vector<int> SelectedRows() const;
    std::vector<CServiceData*> ServicesOf(const std::vector<int>& rows) const;
    void SelectRows(const std::vector<int>& rows, int current);
    void SelectOnly(int row);
    void RemoveRows(const std::vector<int>& rows);
    void ShowNumbers(bool renumbered);
    bool RenumberIfDue(bool renumber);

    void DeleteSelected();
    void SetFlag(bool lock, bool value);
    void SelectWhere(int test);
    // Selects the rows of the channels marked as new.
    void SelectNew();
    void AssignFavourite(int group, bool toggle);
    void ClearFavourite();
    void MoveToPosition();
    void OnRowsMoved(CServiceData* target, const std::vector<CServiceData*>& dragged, bool below);
    void ShowContextMenu(const QPoint& globalPos);
    // Puts the payload on the clipboard and reports the channels left out.
    void PublishCopy(const std::vector<uint8_t>& payload, const std::vector<CServiceData*>& notCopied);
    void ShowExchangeMessage(const std::string& caption, const std::string& text);

    CDocument& m_document;
    AppSettings& m_settings;
    IUserPrompts& m_prompts;
    ICommandTarget* m_pFallback = nullptr;
    CChannelListModel* m_pModel = nullptr;
    CSortListCtrl* m_pList = nullptr;
    CChannelIconView* m_pIcons = nullptr;
    QStackedWidget* m_pStack = nullptr;
    DisplayMode m_displayMode = kDetails;
    int m_nListMode = kModeAll;
    int m_nKind = 0;
    // What the last fill showed, for Refill.
    int m_nShownSatellite = -1;
    const CTransponderData* m_pShownTransponder = nullptr;
    int m_nShownGroup = -1;
    bool m_bFavSeqNum = true;
    bool m_bAutoNumbering = true;
    // What the refill after an undo or redo selects.
    bool m_bRevertPending = false;
    std::vector<CServiceData*> m_changedAfterRevert;
    std::vector<CServiceData*> m_selectedBeforeRevert;
};

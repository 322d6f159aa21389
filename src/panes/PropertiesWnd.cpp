#include "PropertiesWnd.h"

#include <QColor>
#include <QSet>

#include "ComboBoxExProp.h"
#include "Document.h"
#include "PaneMessages.h"
#include "PropertyGrid.h"
#include "document/PaneEdits.h"
#include "document/PaneRows.h"

namespace {
QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
} // namespace

CPropertiesWnd::CPropertiesWnd(QWidget* parent)
    : CPropertyPane(QStringLiteral("channelPropertiesPane"), Text(panemsg::kChannelGrid), QColor(200, 236, 209),
                    parent)
{
    using Edit = CPropertyGridRow::Edit;
    CPropertyGrid* grid = Grid();
    const int first = grid->AddGroup(QStringLiteral("%1 / %2").arg(Text(panemsg::kSatellite), Text(panemsg::kTransponder)));
    m_pSatelliteRow = new CComboBoxExProp(Text(panemsg::kSatellite), QString(), panerow::kSatellite);
    m_pSatelliteRow->AddOption(QStringLiteral(" "), 0);
    AddRow(first, m_pSatelliteRow, Edit::ChooseOnly);
    m_pTransponderRow = new CComboBoxExProp(Text(panemsg::kTransponder), QString(), panerow::kTransponder);
    m_pTransponderRow->AddOption(QStringLiteral(" "), 0);
    AddRow(first, m_pTransponderRow, Edit::ChooseOnly);

    const int info = grid->AddGroup(Text(panemsg::kChannelInformation));
    AddRow(info, new CPropertyGridRow(Text(panemsg::kChannelName), QString(), panerow::kName), Edit::FreeText);
    auto* serviceId = new CPropertyGridRow(Text(panemsg::kServiceId), QString(), panerow::kServiceId);
    serviceId->SetMask(QStringLiteral("ddddd"), QStringLiteral("_____"));
    AddRow(info, serviceId, Edit::FreeText);
    const struct {
        const char* name;
        int id;
    } pids[] = {{panemsg::kVideoPid, panerow::kVideoPid},
                {panemsg::kAudioPid, panerow::kAudioPid},
                {panemsg::kPcrPid, panerow::kPcrPid},
                {panemsg::kPmtPid, panerow::kPmtPid}};
    for (const auto& p : pids) {
        auto* row = new CPropertyGridRow(Text(p.name), QString(), p.id);
        row->SetMask(QStringLiteral("dddd"), QStringLiteral("____"));
        AddRow(info, row, Edit::FreeText);
    }
    // Scrambling and HD follow from the CA value and the video type: shown only.
    AddRow(info, CPropertyGridRow::YesNo(Text(panemsg::kScrambled), false, panerow::kScrambled), Edit::ReadOnly);
    AddRow(info, CPropertyGridRow::YesNo(Text(panemsg::kLocked), false, panerow::kLocked), Edit::ChooseOnly);
    AddRow(info, CPropertyGridRow::YesNo(Text(panemsg::kSkip), false, panerow::kSkip), Edit::ChooseOnly);
    AddRow(info, CPropertyGridRow::YesNo(Text(panemsg::kHdOption), false, panerow::kHd), Edit::ReadOnly);
    auto* provider = new CComboBoxExProp(Text(panemsg::kProvider), QString(), panerow::kProvider);
    provider->AddOption(QString(), 0);
    AddRow(info, provider, Edit::FreeText);

    m_nFavouritesGroup = grid->AddGroup(Text(panemsg::kFavourites));
}

void CPropertiesWnd::ClearPane()
{
    for (CComboBoxExProp* row : {m_pSatelliteRow, m_pTransponderRow})
        row->SetOptions(ClearedOptions());
    Grid()->RemoveRowsOfGroup(m_nFavouritesGroup);
    ClearValues();
    Grid()->ClearModified();
    EnableEdits(false);
    m_pService = nullptr;
    m_pShownService = nullptr;
    Grid()->SetRecordKey(nullptr);
}

void CPropertiesWnd::RefreshFromService()
{
    if (!m_pService) {
        ClearPane();
        return;
    }
    if (!m_pDocument)
        return;
    const bool keepMarks = m_pService == m_pShownService;
    if (!keepMarks)
        Grid()->ClearModified();
    m_pShownService = m_pService;
    Grid()->SetRecordKey(m_pService);

    const ChannelPaneContent c = ChannelPaneContentOf(m_pDocument->Core(), *m_pService);
    m_pSatelliteRow->SetOptions(c.satelliteOptions);
    m_pSatelliteRow->SetValue(QString::fromStdString(c.satelliteText));
    m_pTransponderRow->SetOptions(c.transponderOptions);
    m_pTransponderRow->SetValue(QString::fromStdString(c.transponderText));

    CPropertyGrid* grid = Grid();
    const auto setText = [grid](int id, const QString& text) {
        if (CPropertyGridRow* row = grid->Row(id))
            row->SetValue(text);
    };
    const auto setYes = [grid](int id, bool yes) {
        if (CPropertyGridRow* row = grid->Row(id))
            row->SetYes(yes);
    };
    setText(panerow::kProvider, QString::fromStdString(c.provider));
    setText(panerow::kName, QString::fromStdString(c.name));
    setText(panerow::kServiceId, QString::number(c.serviceId));
    setText(panerow::kVideoPid, QString::number(c.videoPid));
    setText(panerow::kAudioPid, QString::number(c.audioPid));
    setText(panerow::kPcrPid, QString::number(c.pcrPid));
    setText(panerow::kPmtPid, QString::number(c.pmtPid));
    setYes(panerow::kSkip, c.skip);
    setYes(panerow::kLocked, c.locked);
    setYes(panerow::kScrambled, c.scrambled);
    setYes(panerow::kHd, c.hd);
    ShowFavourites(c.groupNames, c.checkedGroupRow, keepMarks);
    EnableEdits(true);
}

void CPropertiesWnd::ShowFavourites(const std::vector<std::string>& names, int checkedRow, bool keepMarks)
{
    CPropertyGrid* grid = Grid();
    QSet<int> marked;
    for (const CPropertyGridRow* row : grid->RowsOfGroup(m_nFavouritesGroup))
        if (keepMarks && row->IsModified())
            marked.insert(row->Id());
    grid->RemoveRowsOfGroup(m_nFavouritesGroup);
    for (size_t i = 0; i < names.size() && i < 8; ++i) {
        const int id = panerow::kFavouriteFirst + static_cast<int>(i);
        auto* row = CPropertyGridRow::YesNo(QString::fromStdString(names[i]), id == checkedRow, id);
        AddRow(m_nFavouritesGroup, row, CPropertyGridRow::Edit::ChooseOnly);
        row->SetModified(marked.contains(id));
    }
    grid->ExpandGroup(m_nFavouritesGroup, false);
    grid->ExpandGroup(m_nFavouritesGroup, true);
}

void CPropertiesWnd::OnRowCommitted(CPropertyGridRow* row)
{
    CServiceData* service = m_pService;
    if (!service || !m_pDocument) {
        RefreshFromService();
        return;
    }
    PaneEdit edit;
    edit.rowId = row->Id();
    edit.text = row->Value().toStdString();
    edit.yes = row->IsYes();
    COptionList options;
    if (const auto* combo = dynamic_cast<const CComboBoxExProp*>(row))
        options = combo->Options();
    const bool favourite = edit.rowId >= panerow::kFavouriteFirst && edit.rowId <= panerow::kFavouriteLast;
    const QString step = favourite ? QString::fromUtf8(panemsg::kUndoEdit).arg(Text(panemsg::kFavourites))
                                   : UndoText(row);
    CVandrelEdit2028Doc& core = m_pDocument->Core();
    const bool changed = m_pDocument->RunChange(step, [&] { ApplyChannelEdit(core, *service, edit, options); });
    if (!changed)
        row->SetModified(false);
    // The rows show what the record now holds (a name cut to 19 characters,
    // a number taken modulo 65536, the transponder a satellite choice gave).
    RefreshFromService();
    if (changed)
        emit ServiceEdited(service);
}

#include "PropertiesWnd.h"

#include <QColor>
#include <QSet>

#include "ComboBoxExProp.h"
#include "uibase/Document.h"
#include "PaneMessages.h"
#include "PropertyGrid.h"
#include "document/InputRules.h"
#include "document/PaneEdits.h"
#include "document/PaneRows.h"
#include "uibase/QtConversions.h"

CPropertiesWnd::CPropertiesWnd(QWidget* parent)
    : CPropertyPane(QStringLiteral("channelPropertiesPane"), Text(panemsg::kChannelGrid), QColor(200, 236, 209),
                    parent)
{
    using Edit = CPropertyGridRow::Edit;
    CPropertyGrid* grid = Grid();
    const int first = grid->AddGroup(QStringLiteral("%1 / %2").arg(Text(panemsg::kSatellite), Text(panemsg::kTransponder)));
    m_pSatelliteRow = new CComboBoxExProp(Text(panemsg::kSatellite), QString(), panerow::kSatellite);
    m_pSatelliteRow->AddOption(QStringLiteral(" "), 0);
    m_pSatelliteRow->SetDescription(Text(panemsg::kSatelliteChoice));
    AddRow(first, m_pSatelliteRow, Edit::ChooseOnly);
    m_pTransponderRow = new CComboBoxExProp(Text(panemsg::kTransponder), QString(), panerow::kTransponder);
    m_pTransponderRow->AddOption(QStringLiteral(" "), 0);
    m_pTransponderRow->SetDescription(Text(panemsg::kTransponderChoice));
    AddRow(first, m_pTransponderRow, Edit::ChooseOnly);

    const int info = grid->AddGroup(Text(panemsg::kChannelInformation));
    auto* name = new CPropertyGridRow(Text(panemsg::kChannelName), QString(), panerow::kName);
    name->SetInputRule(ChannelRowRule(panerow::kName));
    AddRow(info, name, Edit::FreeText);
    auto* serviceId = new CPropertyGridRow(Text(panemsg::kServiceId), QString(), panerow::kServiceId);
    serviceId->SetMask(QStringLiteral("ddddd"), QStringLiteral("_____"));
    serviceId->SetInputRule(ChannelRowRule(panerow::kServiceId));
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
        row->SetInputRule(ChannelRowRule(p.id));
        AddRow(info, row, Edit::FreeText);
    }
    const auto yesNo = [&](const char* name, int id, const char* description, Edit edit) {
        CPropertyGridRow* row = CPropertyGridRow::YesNo(Text(name), false, id);
        row->SetDescription(Text(description));
        AddRow(info, row, edit);
    };
    // Scrambling and HD follow from the CA value and the video type: shown only.
    yesNo(panemsg::kScrambled, panerow::kScrambled, panemsg::kScrambledShown, Edit::ReadOnly);
    yesNo(panemsg::kLocked, panerow::kLocked, panemsg::kYesNoChoice, Edit::ChooseOnly);
    yesNo(panemsg::kSkip, panerow::kSkip, panemsg::kYesNoChoice, Edit::ChooseOnly);
    yesNo(panemsg::kHdOption, panerow::kHd, panemsg::kHdShown, Edit::ReadOnly);
    auto* provider = new CComboBoxExProp(Text(panemsg::kProvider), QString(), panerow::kProvider);
    provider->AddOption(QString(), 0);
    provider->SetInputRule(ChannelRowRule(panerow::kProvider));
    AddRow(info, provider, Edit::FreeText);

    m_nFavouritesGroup = grid->AddGroup(Text(panemsg::kFavourites));
    // No channel yet: the yes/no rows say nothing either.
    ClearValues();
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
        row->SetDescription(Text(panemsg::kFavouriteChoice));
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
    // The rows show what the record now holds (the transponder a satellite
    // choice gave; the old value when the input rule refused the text).
    RefreshFromService();
    if (changed)
        emit ServiceEdited(service);
}

#pragma once
#include <QString>
#include <QStringList>

#include "document/InputRules.h"

class CPropertyGrid;

// One row of a property grid: a row text, a value text, a description and a
// row id by which the pane finds it. Text rows may carry an edit mask of
// digits ("ddddd": up to five); yes/no rows show "Ja" or "Nein".
class CPropertyGridRow {
public:
    enum class Kind { Text, YesNo, DropDown };
    // How the user may change the value.
    enum class Edit { ReadOnly, FreeText, ChooseOnly };

    CPropertyGridRow(const QString& name, const QString& value, int id, Kind kind = Kind::Text);
    virtual ~CPropertyGridRow();
    CPropertyGridRow(const CPropertyGridRow&) = delete;
    CPropertyGridRow& operator=(const CPropertyGridRow&) = delete;

    // A yes/no row.
    static CPropertyGridRow* YesNo(const QString& name, bool value, int id);

    int Id() const { return m_nId; }
    Kind GetKind() const { return m_kind; }
    QString Name() const { return m_strName; }
    QString Description() const { return m_strDescription; }
    void SetDescription(const QString& text) { m_strDescription = text; }

    QString Value() const { return m_strValue; }
    void SetValue(const QString& value);
    bool IsYes() const;
    void SetYes(bool yes);

    // The allow-edit flag: read-only rows refuse every edit.
    Edit EditMode() const { return m_edit; }
    void SetEditMode(Edit edit);
    bool IsEditable() const { return m_edit != Edit::ReadOnly; }

    // "ddddd" allows up to five digits; the template shows the free places.
    void SetMask(const QString& mask, const QString& templateText);
    QString Mask() const { return m_strMask; }
    QString Template() const { return m_strTemplate; }
    int MaskDigits() const;

    // What a typed value may hold; the row's description states it unless
    // the row has its own.
    void SetInputRule(const InputRule& rule);
    const InputRule& GetInputRule() const { return m_inputRule; }

    // Shown in bold: the user changed the value since the record was shown.
    bool IsModified() const { return m_bModified; }
    void SetModified(bool modified);

    // The texts a drop-down offers (yes/no rows: "Ja", "Nein").
    virtual QStringList OptionTexts() const;

    // Set by the grid the row belongs to.
    void SetGrid(CPropertyGrid* grid) { m_pGrid = grid; }
    CPropertyGrid* Grid() const { return m_pGrid; }

protected:
    void Changed();

private:
    QString m_strName;
    QString m_strValue;
    QString m_strDescription;
    int m_nId;
    Kind m_kind;
    Edit m_edit = Edit::FreeText;
    QString m_strMask;
    QString m_strTemplate;
    InputRule m_inputRule;
    bool m_bModified = false;
    CPropertyGrid* m_pGrid = nullptr;
};

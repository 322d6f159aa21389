#pragma once
#include <QColor>
#include <QFrame>
#include <QPointer>
#include <QToolButton>
#include <functional>
#include <vector>

class QPushButton;

// The drop-down of a colour picker: "Standard" for the picker's standard
// colour, a palette in 10 columns, and "Weitere Farben" for any other colour.
class CColourPopup : public QFrame {
    Q_OBJECT
public:
    static constexpr int kColumns = 10;
    // The palette, row by row.
    static const std::vector<QColor>& Palette();

    CColourPopup(const QColor& standard, const QColor& current, QWidget* parent = nullptr);

    QPushButton* StandardButton() const { return m_pStandard; }
    QPushButton* MoreButton() const { return m_pMore; }
    QToolButton* Swatch(int index) const;
    int SwatchCount() const { return static_cast<int>(m_swatches.size()); }
    // The swatch shown as the current colour, or -1 when the palette lacks it.
    int CurrentSwatch() const { return m_nCurrent; }

signals:
    void ColourChosen(const QColor& colour, bool automatic);
    void MoreColoursRequested();

private:
    std::vector<QToolButton*> m_swatches;
    QPushButton* m_pStandard = nullptr;
    QPushButton* m_pMore = nullptr;
    int m_nCurrent = -1;
};

// A button showing a colour; a click opens the drop-down. A choice becomes
// the button's colour and is announced at once.
class CColourPicker : public QToolButton {
    Q_OBJECT
public:
    // Asks for "Weitere Farben"; an invalid colour means cancelled.
    using Chooser = std::function<QColor(const QColor& current, QWidget* parent)>;

    explicit CColourPicker(QWidget* parent = nullptr);

    void SetStandardColour(const QColor& colour) { m_clrStandard = colour; }
    QColor StandardColour() const { return m_clrStandard; }
    void SetColour(const QColor& colour);
    QColor Colour() const { return m_clrCurrent; }
    // The default asks with the platform's colour dialog.
    void SetMoreColoursChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    // Opens the drop-down below the button; it closes itself.
    void ShowPopup();
    CColourPopup* Popup() const { return m_pPopup; }

signals:
    // automatic: "Standard" was chosen (colour is then the standard colour).
    void ColourPicked(const QColor& colour, bool automatic);

private:
    void Choose(const QColor& colour, bool automatic);
    void AskForMore();
    void UpdateIcon();

    QColor m_clrStandard;
    QColor m_clrCurrent;
    Chooser m_chooser;
    QPointer<CColourPopup> m_pPopup;
};

#pragma once
#include <QDialog>
#include <array>
#include <string>

#include "document/Statistics.h"

class CPieChartWnd;
class CVandrelEdit2028Doc;
class QLabel;
class QPushButton;
class QSlider;

// "Statistik - Informationen": the channel, transponder and satellite counts
// of a database, a pie chart of its channels and the database header line.
// Opened by the document's command 32777; changes nothing.
class CStatistikDlg : public QDialog {
    Q_OBJECT
public:
    // Counts the document's records itself.
    explicit CStatistikDlg(const CVandrelEdit2028Doc& doc, QWidget* parent = nullptr);
    CStatistikDlg(const StatisticsCounts& counts, const std::array<std::string, 4>& headerTexts,
                  QWidget* parent = nullptr);

    enum Row { kRowTv = 0, kRowRadio, kRowTotal, kRowTransponders, kRowSatellites, kRowCount };
    QLabel* CaptionLabel(int row) const { return m_captions[static_cast<size_t>(row)]; }
    QLabel* ValueLabel(int row) const { return m_values[static_cast<size_t>(row)]; }
    QLabel* HeaderLabel(int i) const { return m_header[static_cast<size_t>(i)]; }
    QSlider* AngleSlider() const { return m_pAngle; }
    QSlider* SeparationSlider() const { return m_pSeparation; }
    CPieChartWnd* Chart() const { return m_pChart; }
    QPushButton* OkButton() const { return m_pOk; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceChildren();

    std::array<QLabel*, kRowCount> m_captions{};
    std::array<QLabel*, kRowCount> m_values{};
    std::array<QLabel*, 4> m_header{};
    QSlider* m_pAngle = nullptr;
    QSlider* m_pSeparation = nullptr;
    QLabel* m_pAngleLabel = nullptr;
    QLabel* m_pSeparationLabel = nullptr;
    CPieChartWnd* m_pChart = nullptr;
    QPushButton* m_pOk = nullptr;
};

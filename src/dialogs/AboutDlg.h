#pragma once
#include <QDialog>
#include <QFont>

#include "BuildInfo.h"

class CAboutCtrl;
class QLabel;
class QPushButton;

// "Info über VandrelEdit2028": the program icon, the version line, a picture
// strip at the left, the animated credits and "OK". A click on the dialog's
// own surface closes it. Opened by command 57664 and by "&Info" of the page
// "Informationen".
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersionLine = "VandrelEdit2028, Version " VE_VERSION;

    explicit CAboutDlg(QWidget* parent = nullptr);

    CAboutCtrl* Animation() const { return m_pCtrl; }
    QLabel* VersionLabel() const { return m_pVersion; }
    QPushButton* OkButton() const { return m_pOk; }
    // The dialog's own text as painted (decoded when painted).
    static QString PaintedText();
    const QFont& TextFont() const { return m_font; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QFont m_font;
    CAboutCtrl* m_pCtrl = nullptr;
    QLabel* m_pVersion = nullptr;
    QPushButton* m_pOk = nullptr;
};

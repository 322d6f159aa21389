#pragma once
#include <QWidget>

class QLabel;
class QPropertyAnimation;

// The small self-closing notification popup of the main frame: frameless,
// with a small caption, slid in at the bottom-right corner of the screen's
// available area, slightly transparent, closing itself after a while.
class CDesktopAlert : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCloseAfterMs = 5000;
    static constexpr int kAlpha = 200; // of 255
    static constexpr int kSlideMs = 250;

    // Shows text as "VandrelEdit Rudevoz SF 2028\n\n<text>". The popup
    // deletes itself when it closes.
    static CDesktopAlert* Show(const QString& text, const QIcon& icon);

    QString BodyText() const;
    // Where the popup comes to rest.
    QPoint FinalPosition() const { return m_finalPos; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    CDesktopAlert(const QString& text, const QIcon& icon);

    QLabel* m_pBody = nullptr;
    QPoint m_finalPos;
};

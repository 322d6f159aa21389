#pragma once
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "document/AboutText.h"

// The animated part of the About box: the credits scroll up over a
// background picture while a banner waves across it, one frame per 40 ms.
class CAboutCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CAboutCtrl(QWidget* parent = nullptr);

    // Draws the next frame and moves the animation on; the timer calls it.
    void Tick();

    const CAboutAnimation& Animation() const { return *m_pAnimation; }
    const QTimer& Timer() const { return m_timer; }
    // The credits rendered once, 700 by 283 pixels.
    const QImage& TextPicture() const { return m_textPicture; }
    const QPixmap& Frame() const { return m_frame; }
    int TickCount() const { return m_nTicks; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Clicks on the animation are its own; they do not close the dialog.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RenderText();

    QImage m_textPicture;
    QPixmap m_background;
    QPixmap m_banner;
    QPixmap m_frame;
    std::unique_ptr<CAboutAnimation> m_pAnimation;
    QTimer m_timer;
    int m_nTicks = 0;
};

#pragma once
#include <QWidget>

class QLabel;
class QPushButton;

// "Mit freundlicher Unterstützung der Firma:" with the maker's logo and a
// link button to the maker's web site.
class CMakerLink : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kSiteUrl = "https://www.rudevoz.example/";

    explicit CMakerLink(QWidget* parent = nullptr);

    QLabel* Caption() const { return m_pCaption; }
    QLabel* Logo() const { return m_pLogo; }
    QPushButton* LinkButton() const { return m_pLink; }

private:
    QLabel* m_pCaption = nullptr;
    QLabel* m_pLogo = nullptr;
    QPushButton* m_pLink = nullptr;
};

// The page font in weight 900, for the pages' text lines.
QFont HeavyFont(const QFont& base);

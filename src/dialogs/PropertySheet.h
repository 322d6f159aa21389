#pragma once
#include <QDialog>
#include <QWidget>
#include <vector>

class QDialogButtonBox;
class QListWidget;
class QStackedWidget;

// One page of a property sheet: a caption and a 32 by 32 picture for the
// page list, and what the page does on OK and on cancel.
class CPropertyPage : public QWidget {
    Q_OBJECT
public:
    CPropertyPage(const QString& caption, const char* picture, QWidget* parent = nullptr);

    QString Caption() const { return m_strCaption; }
    const char* Picture() const { return m_pPicture; }

    virtual void OnOK() {}
    virtual void OnCancel() {}

private:
    QString m_strCaption;
    const char* m_pPicture;
};

// A modal property sheet: the pages in a column at the left, the current
// page beside it, "OK" and "Abbrechen" below. OK and cancel go to every
// page, in page order. The sheet stays on the screen when it opens.
class CPropertySheet : public QDialog {
    Q_OBJECT
public:
    CPropertySheet(const QString& title, int pageListWidth, QWidget* parent = nullptr);

    // The sheet takes ownership.
    void AddPage(CPropertyPage* page);
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* Page(int index) const;
    void SetActivePage(int index);
    int ActivePageIndex() const;

    QListWidget* PageList() const { return m_pList; }
    QDialogButtonBox* Buttons() const { return m_pButtons; }

public slots:
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::vector<CPropertyPage*> m_pages;
    QListWidget* m_pList = nullptr;
    QStackedWidget* m_pStack = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
};

#pragma once
#include <QMdiArea>

// The area of the document windows, shown as tabs. Qt's accessible scroll
// area lists only its viewport and scroll bars, so assistive technology
// never saw the tabs (nor the modified mark "*" of a tab); here the tab bar
// is one of the area's accessible children.
class CDocumentArea : public QMdiArea {
    Q_OBJECT
public:
    explicit CDocumentArea(QWidget* parent = nullptr);
};

#pragma once
// One page tab of the quotation window: the page shown in a browser pane, and above it the
// recipient, subject and reply box of a page that is mailed, with its send, "Save to Doc" and
// "Save as PDF" buttons. The window connects the buttons; the pane only lays them out and
// shows a page file.
#include "sales/QuotationPages.h"

#include <QWidget>

class QCheckBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace tarvic {

struct PagePaneNames {
    const char* browser;
    const char* email = nullptr;  // null: the page is not mailed
    const char* subject = nullptr;
    const char* reply = nullptr;
    const char* send = nullptr;
    const char* saveDoc = nullptr;
    const char* saveDocCaption = "Save to Doc";
    const char* savePdf = nullptr;
};

class QuotationPagePane : public QWidget {
    Q_OBJECT
public:
    QuotationPagePane(QuotationPage page, const PagePaneNames& names, QWidget* parent);

    QuotationPage page() const { return page_; }
    // Shows the page file as it is now.
    void showFile(const QString& path);
    void clear();

    QTextBrowser* browser = nullptr;
    QLineEdit* email = nullptr;
    QLineEdit* subject = nullptr;
    QCheckBox* reply = nullptr;
    QPushButton* send = nullptr;
    QPushButton* saveDoc = nullptr;
    QPushButton* savePdf = nullptr;
    QHBoxLayout* tools = nullptr;  // the row of buttons, for a page's own extras

private:
    QuotationPage page_;
};

}  // namespace tarvic

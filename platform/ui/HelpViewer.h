#pragma once

#include <string>

#include <QDialog>

class QTextBrowser;

namespace zeb {

// The program's own help window: the help file (HTML, whatever its name) shown at its start.
class HelpViewer : public QDialog {
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows the contents of file; a missing file shows a line saying so.
    void ShowContents(const std::string& file);

private:
    QTextBrowser* browser_;
};

}  // namespace zeb

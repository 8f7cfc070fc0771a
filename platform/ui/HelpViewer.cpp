#include "platform/ui/HelpViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zeb {

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Help"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

void HelpViewer::ShowContents(const std::string& file)
{
    QString path = QString::fromStdString(file);
    QFile page(path);
    if (page.open(QIODevice::ReadOnly)) {
        browser_->setSearchPaths({QFileInfo(path).absolutePath()});
        browser_->setHtml(QString::fromUtf8(page.readAll()));
    } else {
        browser_->setPlainText(QStringLiteral("The help file %1 cannot be opened.").arg(path));
    }
    show();
    raise();
    activateWindow();
}

}  // namespace zeb

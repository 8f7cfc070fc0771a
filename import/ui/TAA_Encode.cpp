#include "import/ui/TAA_Encode.h"

#include <algorithm>
#include <limits>
#include <utility>

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QWheelEvent>

#include "import/CodePageSuggestion.h"
#include "import/ZEBCodepage.h"
#include "import/ui/TZEBEncode.h"
#include "platform/CodePages.h"
#include "render/ProfileFont.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

constexpr int DesignWidth = 632;
constexpr int DesignHeight = 426;
constexpr int TopPanelHeight = 21;
constexpr int BottomPanelHeight = 46;
constexpr int StatusBarHeight = 19;
constexpr int ScrollBoxWidth = 17;
constexpr int ListLeft = 11;
constexpr int ListWidth = 398;
constexpr int ButtonWidth = 87;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 6;
constexpr int RightMargin = 9;
constexpr int TextLeft = 4;
const QColor PreviewBackground(209, 211, 197);

QFrame* Panel(QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

QPushButton* Button(const char* text, QWidget* parent, const char* name)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    // Enter only presses a button that has the focus, as in the rest of the program.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TAA_Encode::TAA_Encode(const ZEBCodepage& catalogue, QWidget* mainWindow)
    : QDialog(mainWindow), catalogue_(catalogue), mainWindow_(mainWindow)
{
    setWindowTitle(QStringLiteral("Book Preview"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    topPanel_ = Panel(this);
    caption_ = new QLabel(topPanel_);
    caption_->setObjectName(QStringLiteral("caption"));
    middlePanel_ = new QFrame(this);
    scrollBox_ = new QWidget(middlePanel_);
    scrollBar_ = new QScrollBar(Qt::Vertical, scrollBox_);
    scrollBar_->setObjectName(QStringLiteral("scrollBar"));
    scrollBar_->setTracking(true);
    BuildBottomPanel();
    statusBar_ = new QStatusBar(this);
    statusBar_->setSizeGripEnabled(false);
    chapters_ = new QLabel(statusBar_);
    chapters_->setObjectName(QStringLiteral("chapters"));
    statusBar_->addWidget(chapters_);
    chapterSteps_.setInterval(0);
    connect(&chapterSteps_, &QTimer::timeout, this, &TAA_Encode::ChapterStep);
    FormCreate();
    resize(DesignWidth, DesignHeight);
}

TAA_Encode::~TAA_Encode() = default;

void TAA_Encode::BuildBottomPanel()
{
    bottomPanel_ = Panel(this);
    codePageLabel_ = new QLabel(QStringLiteral("Codepage"), bottomPanel_);
    codePageLabel_->move(ListLeft, 2);
    codePages_ = new QComboBox(bottomPanel_);
    codePages_->setObjectName(QStringLiteral("codePages"));
    QFont listFont = FaceFont("Fixedsys", 13);
    codePages_->setFont(listFont);
    codePages_->setStyleSheet(QStringLiteral("QComboBox QAbstractItemView::item { height: 16px; }"));
    // What the text's first bytes look like, on the caption's row beside the list.
    suggestion_ = new QLabel(bottomPanel_);
    suggestion_->setObjectName(QStringLiteral("suggestion"));
    useSuggestion_ = new QToolButton(bottomPanel_);
    useSuggestion_->setObjectName(QStringLiteral("useSuggestion"));
    useSuggestion_->setText(QStringLiteral("Use it"));
    useSuggestion_->setToolTip(QStringLiteral("Show the text in the suggested code page"));
    connect(useSuggestion_, &QToolButton::clicked, this, [this] {
        SelectCodePage(suggested_);
        preview_->setFocus();
    });
    doNotImport_ = Button("Do Not Import", bottomPanel_, "doNotImport");
    import_ = Button("Import", bottomPanel_, "import");
    connect(doNotImport_, &QPushButton::clicked, this, &QDialog::reject);
    connect(import_, &QPushButton::clicked, this, &QDialog::accept);
}

void TAA_Encode::FormCreate()
{
    preview_ = new TZEBEncode(middlePanel_);
    preview_->setObjectName(QStringLiteral("preview"));
    connect(preview_, &TZEBEncode::Painting, this, &TAA_Encode::PaintPreview);
    connect(preview_, &TZEBEncode::KeyPressed, this, &TAA_Encode::PreviewKeyDown);
    connect(preview_, &TZEBEncode::WheelTurned, this, &TAA_Encode::PreviewWheel);
    codePages_->clear();
    for (int32_t k = 0; k < catalogue_.Count(); ++k)
        codePages_->addItem(QString::fromStdString(catalogue_.Entry(k)->name));
    codePages_->setCurrentIndex(catalogue_.DefaultIndex());
    connect(codePages_, &QComboBox::currentIndexChanged, this, [this] {
        if (!busy_)
            ReLayout();
    });
    previewFont_ = BuildProfileFont(FontProfile{.FontName = "Courier New", .FontSize = 12});
    lineHeight_ = std::max(1, QFontMetrics(previewFont_).size(Qt::TextSingleLine, "A1").height());
    scrollBar_->setSingleStep(lineHeight_);
    connect(scrollBar_, &QScrollBar::valueChanged, preview_, qOverload<>(&QWidget::update));
}

std::optional<int32_t> TAA_Encode::Show(ZEBFile& source, const std::u16string& caption,
                                        int32_t codePage)
{
    caption_->setText(QString::fromStdU16String(caption));
    source_ = &source;
    SelectCodePage(TakeSuggestion(source, codePage));
    TakeMainWindowBounds();
    FormShow();
    const int result = exec();
    chapterSteps_.stop();
    chapterCount_.reset();
    // The caller closes the source once the dialog returns.
    lines_.ReleaseSource();
    source_ = nullptr;
    if (std::exception_ptr failure = std::exchange(readFailure_, nullptr))
        std::rethrow_exception(failure);
    if (result != QDialog::Accepted)
        return std::nullopt;
    return codePage_;
}

// A source that cannot be read ends the preview, and Show hands the failure to the import,
// which reports it and goes on with the next file; nothing is read after it.
void TAA_Encode::Reading(const std::function<void()>& read)
{
    if (readFailure_)
        return;
    try {
        read();
    } catch (const ZEBIOFailure&) {
        readFailure_ = std::current_exception();
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
}

// Notes what the source's first bytes suggest and gives the code page to select first.
int32_t TAA_Encode::TakeSuggestion(ZEBFile& source, int32_t remembered)
{
    std::vector<uint8_t> sample;
    try {
        sample = SuggestionSample(source);
    } catch (const ZEBIOFailure&) {
        // The preview shows the read failure itself; there is just nothing to suggest.
    }
    CodePageSuggestion suggestion = SuggestCodePage(sample);
    suggested_ = catalogue_.IndexOf(suggestion.codePage) ? suggestion.codePage : 0;
    return suggested_ ? PreselectedCodePage(remembered, suggestion, sample) : remembered;
}

void TAA_Encode::ShowSuggestion()
{
    suggestion_->setVisible(suggested_ != 0);
    useSuggestion_->setVisible(suggested_ != 0);
    useSuggestion_->setEnabled(suggested_ != codePage_);
    if (suggested_ == 0)
        return;
    suggestion_->setText(QStringLiteral("Looks like: %1")
                             .arg(QString::fromStdString(CodePageLabel(suggested_))));
    const int left = codePageLabel_->x() + codePageLabel_->sizeHint().width() + 16;
    suggestion_->setGeometry(left, 1, suggestion_->sizeHint().width(), 16);
    useSuggestion_->setGeometry(suggestion_->geometry().right() + 8, 0,
                                useSuggestion_->sizeHint().width() + 8, 17);
}

void TAA_Encode::SelectCodePage(int32_t codePage)
{
    const int32_t index = catalogue_.IndexOf(codePage).value_or(catalogue_.DefaultIndex());
    busy_ = true;
    codePages_->setCurrentIndex(index);
    busy_ = false;
    ReLayout();
}

void TAA_Encode::TakeMainWindowBounds()
{
    if (!mainWindow_)
        return;
    setWindowState(mainWindow_->windowState() & Qt::WindowMaximized);
    setGeometry(mainWindow_->geometry());
}

void TAA_Encode::FormShow()
{
    scrollBar_->setValue(0);
    UpdateScrollRange();
    preview_->setFocus();
}

void TAA_Encode::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The preview takes the keys at once, also where no window manager hands the focus over.
    activateWindow();
}

void TAA_Encode::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOutPanels();
}

void TAA_Encode::LayOutPanels()
{
    const int w = width();
    const int middleHeight =
        std::max(0, height() - TopPanelHeight - BottomPanelHeight - StatusBarHeight);
    topPanel_->setGeometry(0, 0, w, TopPanelHeight);
    caption_->setGeometry(8, 0, std::max(0, w - 16), TopPanelHeight);
    middlePanel_->setGeometry(0, TopPanelHeight, w, middleHeight);
    bottomPanel_->setGeometry(0, TopPanelHeight + middleHeight, w, BottomPanelHeight);
    statusBar_->setGeometry(0, height() - StatusBarHeight, w, StatusBarHeight);
    // The buttons keep their designed width unless the desktop's font needs more for the text.
    const int importWidth = std::max(ButtonWidth, import_->sizeHint().width());
    const int doNotImportWidth = std::max(ButtonWidth, doNotImport_->sizeHint().width());
    const int importLeft = w - RightMargin - importWidth;
    const int doNotImportLeft = importLeft - ButtonGap - doNotImportWidth;
    const int listWidth = std::min(ListWidth + w - DesignWidth, doNotImportLeft - ButtonGap - ListLeft);
    codePages_->setGeometry(ListLeft, 17, std::max(80, listWidth), 24);
    import_->setGeometry(importLeft, 17, importWidth, ButtonHeight);
    doNotImport_->setGeometry(doNotImportLeft, 17, doNotImportWidth, ButtonHeight);
    UpdateScrollRange();
}

void TAA_Encode::ReLayout()
{
    const ZEBCodepageObject* entry = catalogue_.Entry(codePages_->currentIndex());
    codePage_ = entry ? entry->codePage : AnsiCodePage;
    ShowSuggestion();
    preview_->update();
    if (source_)
        Reading([this] { lines_.Layout(*source_, codePage_); });
    UpdateScrollRange();
    CountChapters();
}

void TAA_Encode::CountChapters()
{
    chapterSteps_.stop();
    chapterCount_.reset();
    chapters_->clear();
    if (!source_ || readFailure_)
        return;
    chapters_->setText(QStringLiteral("Chapters: counting\u2026"));
    chapterCount_ = std::make_unique<PreviewChapters>(lines_);
    chapterSteps_.start();
}

void TAA_Encode::ChapterStep()
{
    bool done = false;
    Reading([&] { done = chapterCount_->Step(); });
    if (readFailure_) {
        chapterSteps_.stop();
        return;
    }
    if (!done)
        return;
    chapterSteps_.stop();
    chapters_->setText(QString::fromStdU16String(PreviewChaptersText(chapterCount_->Result())));
    UpdateScrollRange();
}

// The scroll box shows its bar only when the rows are higher than the box; the bar's range
// keeps the last rows at the bottom of the view.
void TAA_Encode::UpdateScrollRange()
{
    const int boxHeight = middlePanel_->height();
    const int64_t range =
        std::min<int64_t>(lines_.ScrollRange(lineHeight_), std::numeric_limits<int>::max());
    const int boxWidth = range > boxHeight ? ScrollBoxWidth : 0;
    const int w = middlePanel_->width();
    preview_->setGeometry(0, 0, std::max(0, w - boxWidth), boxHeight);
    scrollBox_->setGeometry(w - boxWidth, 0, boxWidth, boxHeight);
    scrollBox_->setVisible(boxWidth > 0);
    scrollBar_->setGeometry(0, 0, boxWidth, boxHeight);
    scrollBar_->setPageStep(std::max(1, boxHeight));
    scrollBar_->setMaximum(int(std::max<int64_t>(0, range - boxHeight)));
}

void TAA_Encode::PaintPreview(QPainter& painter)
{
    const int h = preview_->height();
    painter.fillRect(preview_->rect(), PreviewBackground);
    if (!lines_.HasSource())
        return;
    int32_t row = scrollBar_->value() / lineHeight_;
    Reading([&] { lines_.EnsureRows((h + lineHeight_ - 1) / lineHeight_ + row); });
    if (readFailure_)
        return;
    UpdateScrollRange();
    painter.setFont(previewFont_);
    painter.setPen(Qt::black);
    const int ascent = QFontMetrics(previewFont_).ascent();
    for (int y = 0; y < h; y += lineHeight_)
        painter.drawText(TextLeft, y + ascent, QString::fromStdU16String(lines_.RowText(row++)));
}

void TAA_Encode::PreviewKeyDown(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        ScrollBy(-lineHeight_);
        break;
    case Qt::Key_Down:
        ScrollBy(lineHeight_);
        break;
    case Qt::Key_PageUp:
        ScrollBy(-int64_t(PageLines()) * lineHeight_);
        break;
    case Qt::Key_PageDown:
        ScrollBy(int64_t(PageLines()) * lineHeight_);
        break;
    case Qt::Key_Home:
        ScrollTo(0);
        break;
    case Qt::Key_End:
        Reading([this] { lines_.EnsureAllRows(); });
        UpdateScrollRange();
        ScrollTo(lines_.ScrollRange(lineHeight_));
        break;
    default:
        return;
    }
    event->accept();
}

void TAA_Encode::PreviewWheel(QPoint angleDelta)
{
    if (angleDelta.y() != 0)
        ScrollBy(angleDelta.y() < 0 ? lineHeight_ : -lineHeight_);
}

int TAA_Encode::PageLines() const
{
    return std::max(1, preview_->height() / lineHeight_);
}

void TAA_Encode::ScrollBy(int64_t pixels)
{
    ScrollTo(scrollBar_->value() + pixels);
}

void TAA_Encode::ScrollTo(int64_t position)
{
    scrollBar_->setValue(int(std::clamp<int64_t>(position, 0, scrollBar_->maximum())));
    preview_->update();
}

}  // namespace zeb

#pragma once

#include <functional>
#include <string>

#include <QObject>
#include <QTimer>

#include "render/BookSearch.h"

namespace zeb {

class ViewScroller;
class ZEBRenderParag;

// Runs a search of the open book in steps from the event loop, so that reading never stalls,
// and shows what it finds: a quarter down the view, highlighted.
class FindInBook : public QObject {
    Q_OBJECT

public:
    // How a search ended, or how far it is, for the find bar's notice.
    enum class Outcome { Searching, Found, FoundWrapped, NotFound, Cancelled };
    using Report = std::function<void(Outcome, double progress)>;

    FindInBook(ZEBRenderParag& engine, ViewScroller& scroller, QObject* parent = nullptr);

    void SetReport(Report report) { report_ = std::move(report); }
    // From the phrase shown highlighted, or else from the reading position: forward the next
    // match after it, backward the one before. Nothing happens without a book or a phrase.
    void Find(const std::u16string& phrase, bool matchCase, BookSearch::Direction direction);
    void Cancel();
    bool Running() const { return timer_.isActive(); }

private:
    void Step();
    TextKey From(BookSearch::Direction direction) const;

    ZEBRenderParag& engine_;
    ViewScroller& scroller_;
    BookSearch search_;
    std::string bookPath_;
    QTimer timer_;
    Report report_;
};

}  // namespace zeb

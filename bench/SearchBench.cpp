// Finding a phrase in a book made from 100 MB of text: a phrase that is not there, searched end
// to end forward and backward, and the first match of a phrase that lies a little after the
// reading position, from 20 random positions. The search runs in the steps the reader gives it
// between its other work.
// Run: build/bench/search_bench [megabytes]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "BookGenerator.h"
#include "platform/TempDir.h"
#include "render/BookSearch.h"
#include "storage/ZEBBook.h"

namespace {

using namespace zeb;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Runs a search to its end; gives the seconds it took and the steps.
double Run(BookSearch& search, const BookSearch::Request& request, int& steps)
{
    const Clock::time_point start = Clock::now();
    steps = 0;
    search.Begin(request);
    while (search.Current() == BookSearch::State::Running) {
        search.Step(SearchStepBytes);
        ++steps;
    }
    return Seconds(start);
}

// Two words found a few lines after position: what a reader looking ahead would search for.
std::u16string PhraseAfter(ZEBBook& book, int32_t line)
{
    BookText text = book.Text();
    TextRecord record;
    std::u16string word, phrase;
    int32_t position = book.Lines()[line];
    int words = 0;
    while (words < 2 && text.Read(position, record, word)) {
        position = record.next;
        if (record.kind != TextRecordKind::Word)
            continue;
        phrase += (phrase.empty() ? u"" : u" ") + word;
        ++words;
    }
    return phrase;
}

}  // namespace

int main(int argc, char** argv)
{
    const int64_t megabytes = argc > 1 ? std::atoll(argv[1]) : 100;
    TempDir folder;
    const std::string path = folder.File("00000001.book");
    bench::ReportingPrompter prompter;
    std::printf("making a book of %lld MB of text...\n", static_cast<long long>(megabytes));
    bench::GenerateBook(path, megabytes << 20, prompter);
    ZEBBook book;
    if (book.Open(path) != BookOpenResult::Opened)
        return 1;
    const double streamMiB = double(book.TextEnd() - book.TextStart()) / (1 << 20);
    std::printf("text stream: %.0f MiB, %d source lines\n", streamMiB, book.Lines().Count() - 1);

    BookSearch search;
    const TextKey start = MakeTextKey(book.TextStart(), 0) - 1;
    for (BookSearch::Direction direction :
         {BookSearch::Direction::Forward, BookSearch::Direction::Backward}) {
        std::vector<double> times;
        int steps = 0;
        for (int run = 0; run < 5; ++run)
            times.push_back(Run(search,
                                BookSearch::RequestFor(book, u"zebra quagga okapi", false,
                                                       direction, start),
                                steps));
        std::sort(times.begin(), times.end());
        std::printf("%s, not there: median %.3f s (best %.3f s, %d steps, %.0f MiB/s; goal < 0.5 s)\n",
                    direction == BookSearch::Direction::Forward ? "forward" : "backward",
                    times[2], times[0], steps, streamMiB / times[2]);
    }

    std::mt19937 random(11);
    std::uniform_int_distribution<int32_t> lines(0, book.Lines().Count() - 40);
    std::vector<double> times;
    for (int run = 0; run < 20; ++run) {
        const int32_t line = lines(random);
        const std::u16string phrase = PhraseAfter(book, line + 30);
        int steps = 0;
        times.push_back(Run(search,
                            BookSearch::RequestFor(book, phrase, false,
                                                   BookSearch::Direction::Forward,
                                                   MakeTextKey(book.Lines()[line], 0) - 1),
                            steps));
        if (search.Current() != BookSearch::State::Found)
            std::printf("  not found: line %d\n", line);
    }
    std::sort(times.begin(), times.end());
    std::printf("first match 30 lines on: median %.2f ms, worst %.2f ms (goal < 20 ms)\n",
                times[10] * 1000, times.back() * 1000);
    return 0;
}

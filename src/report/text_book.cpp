#include "report/text_book.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

#include "common/second_thread.h"
#include "report/draw_page.h"
#include "report/grid_surface.h"

namespace corvane {

namespace {

// Pages Begin..End-1 of the book's pages.
struct PageRun {
    size_t Begin;
    size_t End;
};

// Draws pages on a character grid of its own, so two can draw at once.
class PageDrawer {
  public:
    PageDrawer(const BookSet& books, const HeaderStyle& header)
        : books_(books), header_(header), grid_(RoundHalfEven(books.PageSize.Lines)) {}

    // Appends the pages' lines, each page followed by its form feed line.
    void AppendPages(const std::vector<BookPage>& pages, PageRun run, std::string& text) {
        text.clear();
        for (size_t i = run.Begin; i < run.End; ++i) {
            grid_.Clear();
            // Every page of AllBookPages is one the pagination laid out.
            const BookPage& page = pages[i];
            const PaginatedBook& book = *books_.BookOf(page.Side);
            DrawPage(grid_, book.Book, book.Pagination, page.Page, books_.PageSize, header_);
            grid_.AppendPageText(text);
            text += "\f\n";
        }
    }

  private:
    const BookSet& books_;
    const HeaderStyle& header_;
    GridSurface grid_;
};

// Pages are drawn in runs of this many, each run into a text of its own that
// is handed on whole. At most kTexts runs are held at once: drawn, or being
// drawn, and not yet handed on.
constexpr size_t kRunPages = 64;
constexpr size_t kTexts = 4;

// Which run of pages is drawn next, and when one is handed on. Runs are taken
// in order by whichever of two threads is free; the thread that hands the runs
// on in order draws too while the next one to hand on is not drawn yet, so the
// two threads share the drawing whatever the writing costs.
class RunSchedule {
  public:
    explicit RunSchedule(size_t runCount) : runCount_(runCount) {}

    enum class Step { HandOn, Draw, Done, Stopped };
    struct Next {
        Step Kind;
        size_t Run;
    };

    // The drawing thread's next run; nothing once every run is taken or the
    // book stopped. Waits while every text holds a run.
    std::optional<size_t> TakeRun() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return stopped_ || !RunsLeft() || TextFree(); });
        if (stopped_ || !RunsLeft())
            return std::nullopt;
        return taken_++;
    }

    // The handing thread's next step: hand on the next run once it is drawn,
    // else draw a run of its own when a text is free, else wait.
    Next NextStep() {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (stopped_)
                return {Step::Stopped, 0};
            if (handedOn_ == runCount_)
                return {Step::Done, 0};
            if (drawn_[handedOn_ % kTexts])
                return {Step::HandOn, handedOn_};
            if (RunsLeft() && TextFree())
                return {Step::Draw, taken_++};
            changed_.wait(lock);
        }
    }

    void Drawn(size_t run) {
        Change([&] { drawn_[run % kTexts] = true; });
    }
    void HandedOn() {
        Change([&] { drawn_[handedOn_++ % kTexts] = false; });
    }
    // No run is taken any more: a thread gave up.
    void Stop() {
        Change([&] { stopped_ = true; });
    }

  private:
    bool RunsLeft() const { return taken_ < runCount_; }
    bool TextFree() const { return taken_ < handedOn_ + kTexts; }

    template <typename Update>
    void Change(Update update) {
        {
            const std::lock_guard lock(mutex_);
            update();
        }
        changed_.notify_all();
    }

    const size_t runCount_;
    size_t taken_ = 0;
    size_t handedOn_ = 0;
    std::array<bool, kTexts> drawn_{};
    bool stopped_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
};

struct StopOnLeaving {
    RunSchedule& Schedule;
    ~StopOnLeaving() { Schedule.Stop(); }
};

}  // namespace

bool WriteTextBook(const BookSet& books, const HeaderStyle& style, const PageSink& sink) {
    // Today's date is read once, so every page of one book carries the same.
    HeaderStyle header = style;
    if (header.Date.empty())
        header.Date = TodayAsHeaderDate();

    const std::vector<BookPage> pages = AllBookPages(books);
    const auto runOf = [&pages](size_t run) {
        const size_t begin = std::min(run * kRunPages, pages.size());
        return PageRun{begin, std::min(begin + kRunPages, pages.size())};
    };
    std::array<std::string, kTexts> texts;
    RunSchedule schedule((pages.size() + kRunPages - 1) / kRunPages);
    PageDrawer drawer(books, header);
    PageDrawer secondDrawer(books, header);
    // Declared after what it draws with, so that leaving waits for the second
    // thread before any of it goes away.
    SecondThread<void> secondThread([&] {
        try {
            while (const std::optional<size_t> run = schedule.TakeRun()) {
                secondDrawer.AppendPages(pages, runOf(*run), texts[*run % kTexts]);
                schedule.Drawn(*run);
            }
        } catch (...) {
            schedule.Stop();  // the run it took will never be drawn: nobody waits for it
            throw;
        }
    });
    // However this thread leaves, the second takes no run after it, so the wait ends.
    const StopOnLeaving stopOnLeaving{schedule};
    for (;;) {
        const RunSchedule::Next next = schedule.NextStep();
        std::string& text = texts[next.Run % kTexts];
        switch (next.Kind) {
            case RunSchedule::Step::Stopped:
                secondThread.get();  // throws what stopped the second thread
                return false;
            case RunSchedule::Step::Done:
                return true;
            case RunSchedule::Step::Draw:
                drawer.AppendPages(pages, runOf(next.Run), text);
                schedule.Drawn(next.Run);
                break;
            case RunSchedule::Step::HandOn:
                if (!sink(text))
                    return false;
                schedule.HandedOn();
                break;
        }
    }
}

std::string TextBook(const BookSet& books, const HeaderStyle& header) {
    std::string text;
    WriteTextBook(books, header, [&text](std::string_view pages) {
        text += pages;
        return true;
    });
    return text;
}

}  // namespace corvane

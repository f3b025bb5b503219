// The text form of the book: what the printer prints, one character a cell.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "report/draw_page.h"
#include "report/make_books.h"

namespace corvane {

// Receives the book in order, one or more whole pages at a time; returns
// false to stop (a write failed).
using PageSink = std::function<bool(std::string_view pages)>;

// Every page of the books in print order (the left side before the right).
// Each page is exactly as many right-trimmed lines as the page has lines
// (rounded half to even), followed by a line holding only a form feed. The
// header's date, when empty, is today's. Returns false when the sink refuses a page.
bool WriteTextBook(const BookSet& books, const HeaderStyle& header, const PageSink& sink);

// The same, collected in one string.
std::string TextBook(const BookSet& books, const HeaderStyle& header);

}  // namespace corvane

#include "viewer/revision_changes.h"

#include <filesystem>
#include <utility>
#include <variant>

#include "input/read_roadway.h"

namespace corvane {

namespace {

// Says whose message it is: the earlier file's messages read as the file's own.
class NamedMessages : public Messages {
  public:
    NamedMessages(std::string name, Messages& messages)
        : prefix_(std::move(name) + ": "), messages_(messages) {}
    void Show(const std::string& text) override { messages_.Show(prefix_ + text); }

  private:
    std::string prefix_;
    Messages& messages_;
};

// The earlier file made into books as the books on show were; none after its message.
std::optional<std::vector<Book>> EarlierBooks(const ViewerState& state,
                                              const std::string& earlierFile,
                                              const std::string& earlierName,
                                              const std::string& newerName, Messages& messages) {
    NamedMessages named(earlierName, messages);
    ReadResult read = ReadRoadway(earlierFile, named);
    // A wrong side marker ends the program when it is the report asked for;
    // an earlier revision is only refused.
    if (read.Outcome != ReadOutcome::Read) {
        return std::nullopt;
    }
    if (read.Roadway.Type != state.Type()) {
        messages.Show(
            RoadwayTypesDifferMessage(earlierName, read.Roadway.Type, newerName, state.Type()));
        return std::nullopt;
    }
    auto made = MakeBooks(std::move(read.Roadway), state.Books().Options, state.Page(), named);
    BookSet* books = std::get_if<BookSet>(&made);
    if (!books) {
        return std::nullopt;
    }
    std::vector<Book> earlier;
    for (PaginatedBook& book : books->Books) {
        earlier.push_back(std::move(book.Book));
    }
    if (state.Range()) {
        return RangeBooks(earlier, *state.Range());
    }
    return earlier;
}

}  // namespace

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::optional<RevisionChanges> ChangesFromRevision(const ViewerState& state,
                                                   const std::string& earlierFile,
                                                   Messages& messages) {
    const std::string earlierName = FileNameOf(earlierFile);
    const std::string newerName = FileNameOf(state.Books().SourceFile);
    std::optional<std::vector<Book>> earlier =
        EarlierBooks(state, earlierFile, earlierName, newerName, messages);
    if (!earlier) {
        return std::nullopt;
    }
    std::vector<Book> newer;
    for (const PaginatedBook& book : state.GradeBooks().Books) {
        newer.push_back(book.Book);
    }
    std::optional<Comparison> comparison = CompareBooks(*earlier, newer, Tolerance{});
    if (!comparison) {
        return std::nullopt;  // of two roadway types, said above
    }
    if (!comparison->HasChanges()) {
        messages.Show("No grade changed from " + earlierName + " to " + newerName + ".");
        return std::nullopt;
    }
    std::vector<PaginatedChanges> books =
        MakeChangesBooks(*comparison, earlierName, newerName, state.Page());
    return RevisionChanges{earlierFile, std::move(*comparison), std::move(books)};
}

}  // namespace corvane

#include "common/compact_text.h"

#include <ostream>

namespace corvane {

void CompactText::StoreOnHeap(std::string_view text) {
    char* block = new char[kSizeBytes + text.size()];
    const std::size_t size = text.size();
    std::memcpy(block, &size, kSizeBytes);
    std::memcpy(block + kSizeBytes, text.data(), size);
    std::memcpy(bytes_, &block, sizeof block);
    bytes_[kMostInline] = static_cast<char>(kHeapMark);
}

std::ostream& operator<<(std::ostream& out, const CompactText& text) {
    return out << text.view();
}

}  // namespace corvane

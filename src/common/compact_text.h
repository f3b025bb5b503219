// A text in 16 bytes: the point and cell texts of a roadway and its books.
//
// Those texts are codes and numbers of a few characters ("BR", "-12.000",
// "1234.567"), and the largest file holds over 120,000 points, each with four
// of them and a book cell with five. A std::string takes 32 bytes for each;
// this type takes 16, holding a text of up to 15 bytes inside itself. A longer
// text (a file may hold any) lives in a block of its own on the heap.
//
// It reads as a std::string_view (it converts to one); it is compared with any
// text; it is assigned from any text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

#include "common/text.h"

namespace corvane {

class CompactText {
  public:
    CompactText() noexcept { MarkInline(0); }
    CompactText(std::string_view text) { Store(text); }
    CompactText(const char* text) : CompactText(std::string_view(text)) {}
    CompactText(const std::string& text) : CompactText(std::string_view(text)) {}
    CompactText(const CompactText& other) {
        if (other.IsInline()) {
            std::memcpy(bytes_, other.bytes_, kBytes);
        } else {
            Store(other.view());
        }
    }
    CompactText(CompactText&& other) noexcept {
        std::memcpy(bytes_, other.bytes_, kBytes);
        other.MarkInline(0);
    }
    ~CompactText() { Release(); }

    CompactText& operator=(const CompactText& other) {
        if (this == &other) {
            return *this;
        }
        if (other.IsInline()) {
            Release();
            std::memcpy(bytes_, other.bytes_, kBytes);
        } else {
            *this = other.view();
        }
        return *this;
    }
    CompactText& operator=(CompactText&& other) noexcept {
        if (this != &other) {
            Release();
            std::memcpy(bytes_, other.bytes_, kBytes);
            other.MarkInline(0);
        }
        return *this;
    }
    CompactText& operator=(std::string_view text) {
        if (IsInline() && text.size() <= kMostInline) {
            CopyShortBytes(bytes_, text.data(), text.size());  // the text may be a part of this one
            MarkInline(text.size());
        } else {
            CompactText copy(text);
            Swap(copy);
        }
        return *this;
    }
    CompactText& operator=(const char* text) { return *this = std::string_view(text); }
    CompactText& operator=(const std::string& text) { return *this = std::string_view(text); }

    const char* data() const noexcept { return IsInline() ? bytes_ : HeapBlock() + kSizeBytes; }
    std::size_t size() const noexcept { return IsInline() ? InlineSize() : HeapSize(); }
    bool empty() const noexcept { return size() == 0; }
    void clear() noexcept {
        Release();
        MarkInline(0);
    }

    std::string_view view() const noexcept { return {data(), size()}; }
    operator std::string_view() const noexcept { return view(); }
    std::string str() const { return std::string(view()); }

    const char* begin() const noexcept { return data(); }
    const char* end() const noexcept { return data() + size(); }
    char front() const { return view().front(); }
    char back() const { return view().back(); }
    char operator[](std::size_t at) const { return data()[at]; }

    // One for each kind of text, so that no comparison needs a conversion
    // another one could match as well.
    friend bool operator==(const CompactText& text, const CompactText& other) noexcept {
        return text.view() == other.view();
    }
    friend bool operator==(const CompactText& text, std::string_view other) noexcept {
        return text.view() == other;
    }
    friend bool operator==(const CompactText& text, const std::string& other) noexcept {
        return text.view() == other;
    }
    friend bool operator==(const CompactText& text, const char* other) noexcept {
        return text.view() == other;
    }

  private:
    static constexpr std::size_t kBytes = 16;
    static constexpr std::size_t kMostInline = kBytes - 1;
    // The last byte tells the two forms apart: inline it holds 15 minus the
    // size (so a text of 15 bytes ends in a zero byte), on the heap this mark.
    static constexpr unsigned char kHeapMark = 0xFF;
    // A heap block starts with the text's size, then its bytes.
    static constexpr std::size_t kSizeBytes = sizeof(std::size_t);

    bool IsInline() const noexcept {
        return static_cast<unsigned char>(bytes_[kMostInline]) != kHeapMark;
    }
    std::size_t InlineSize() const noexcept {
        return kMostInline - static_cast<unsigned char>(bytes_[kMostInline]);
    }
    void MarkInline(std::size_t size) noexcept {
        bytes_[kMostInline] = static_cast<char>(kMostInline - size);
    }
    char* HeapBlock() const noexcept {
        char* block = nullptr;
        std::memcpy(&block, bytes_, sizeof block);
        return block;
    }
    std::size_t HeapSize() const noexcept {
        std::size_t size = 0;
        std::memcpy(&size, HeapBlock(), kSizeBytes);
        return size;
    }
    void Store(std::string_view text) {
        if (text.size() <= kMostInline) {
            CopyShortBytes(bytes_, text.data(), text.size());
            MarkInline(text.size());
        } else {
            StoreOnHeap(text);
        }
    }
    void StoreOnHeap(std::string_view text);
    void Release() noexcept {
        if (!IsInline()) {
            delete[] HeapBlock();
        }
    }
    void Swap(CompactText& other) noexcept {
        char held[kBytes];
        std::memcpy(held, bytes_, kBytes);
        std::memcpy(bytes_, other.bytes_, kBytes);
        std::memcpy(other.bytes_, held, kBytes);
    }

    alignas(8) char bytes_[kBytes];
};

std::ostream& operator<<(std::ostream& out, const CompactText& text);

}  // namespace corvane

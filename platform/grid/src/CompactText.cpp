#include "grid/CompactText.h"

#include "runtime/Error.h"

#include <cstring>
#include <limits>

namespace grid {

void CompactText::clearInline() noexcept {
    std::memset(bytes_, 0, sizeof bytes_);
    bytes_[15] = static_cast<unsigned char>(kInlineCapacity);
}

char* CompactText::heapPointer() const noexcept {
    char* p = nullptr;
    std::memcpy(&p, bytes_, sizeof p);
    return p;
}

std::uint32_t CompactText::heapSize() const noexcept {
    std::uint32_t n = 0;
    std::memcpy(&n, bytes_ + 8, sizeof n);
    return n;
}

void CompactText::release() noexcept {
    if (onHeap())
        delete[] heapPointer();
}

CompactText::CompactText(CompactText&& other) noexcept {
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    other.clearInline();
}

CompactText& CompactText::operator=(const CompactText& other) {
    if (this != &other)
        assign(other.view());
    return *this;
}

CompactText& CompactText::operator=(CompactText&& other) noexcept {
    if (this != &other) {
        release();
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.clearInline();
    }
    return *this;
}

void CompactText::assign(std::string_view text) {
    if (text.size() <= kInlineCapacity) {
        // The text may point into our own storage; copy it out first.
        char tmp[kInlineCapacity];
        std::memcpy(tmp, text.data(), text.size());
        release();
        clearInline();
        std::memcpy(bytes_, tmp, text.size());
        bytes_[15] = static_cast<unsigned char>(kInlineCapacity - text.size());
        return;
    }
    if (text.size() >= std::numeric_limits<std::uint32_t>::max())
        throw rt::Error(rt::err::OutOfMemory, "Out of memory");
    char* block = new char[text.size()];
    std::memcpy(block, text.data(), text.size());
    release();
    const auto n = static_cast<std::uint32_t>(text.size());
    clearInline();
    std::memcpy(bytes_, &block, sizeof block);
    std::memcpy(bytes_ + 8, &n, sizeof n);
    bytes_[15] = kHeapTag;
}

std::string_view CompactText::view() const noexcept {
    if (onHeap())
        return {heapPointer(), heapSize()};
    return {reinterpret_cast<const char*>(bytes_), size()};
}

std::size_t CompactText::size() const noexcept {
    if (onHeap())
        return heapSize();
    return kInlineCapacity - bytes_[15];
}

} // namespace grid
